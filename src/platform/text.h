#pragma once

#include <string>
#include <string_view>

// Texts inside the system are Windows-1252 bytes held in std::string. Conversion to UTF-8
// happens only at the edges: host file names, the window, the transcript.
namespace hw {

// Every byte value maps to a code point and back; the five bytes that Windows-1252 leaves
// undefined (81, 8D, 8F, 90, 9D) map to the C1 control characters of the same value.
std::string Win1252ToUtf8(std::string_view text);

// Returns false when `utf8` is not valid UTF-8 or holds a character Windows-1252 lacks.
bool Utf8ToWin1252(std::string_view utf8, std::string& out);

// Upper case as the Windows-1252 code page knows it (a-z, the accented letters, š œ ž ÿ).
char UpperChar1252(char c);
std::string Upper1252(std::string_view text);

// Trimming removes blanks (0x20) only; zero bytes of a never-assigned field stay.
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeftBlanks(std::string_view text);
std::string_view TrimRightBlanks(std::string_view text);
inline std::string Trim(std::string_view text) { return std::string(TrimBlanks(text)); }

}  // namespace hw
