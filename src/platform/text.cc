#include "platform/text.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace hw {
namespace {

// Code points of the bytes 80..9F; the five undefined bytes keep their own value.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControlRange[byte - 0x80];
  return byte;
}

// The byte that stands for `cp`, or false when the code page lacks it.
bool ByteOf(char32_t cp, char& byte) {
  for (int i = 0; i < static_cast<int>(kHighControlRange.size()); ++i) {
    if (kHighControlRange[i] == cp) {
      byte = static_cast<char>(0x80 + i);
      return true;
    }
  }
  // 80..9F are taken by the table above; any other code point below U+0100 is its own byte.
  if (cp < 0x100 && (cp < 0x80 || cp > 0x9F)) {
    byte = static_cast<char>(cp);
    return true;
  }
  return false;
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    // Every code point of the code page lies in the Basic Multilingual Plane.
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one character at `pos`, advancing it; false on any malformed, overlong or
// surrogate sequence.
bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int extra;
  char32_t minimum;
  if (lead < 0x80) {
    cp = lead;
    ++pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    minimum = 0x80;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    minimum = 0x800;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    minimum = 0x10000;
    cp = lead & 0x07;
  } else {
    return false;
  }
  if (text.size() - pos <= static_cast<size_t>(extra)) return false;
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  pos += extra + 1;
  return true;
}

}  // namespace

std::string Win1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(CodePointOf(static_cast<unsigned char>(c)), out);
  return out;
}

bool Utf8ToWin1252(std::string_view utf8, std::string& out) {
  std::string result;
  result.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp;
    char byte;
    if (!DecodeUtf8(utf8, pos, cp) || !ByteOf(cp, byte)) return false;
    result += byte;
  }
  out = std::move(result);
  return true;
}

char UpperChar1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
  // à..þ except the division sign; ß and ÿ have no upper case in this range.
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 0x20);
  switch (b) {
    case 0x9A:  // š
    case 0x9C:  // œ
    case 0x9E:  // ž
      return static_cast<char>(b - 0x10);
    case 0xFF:  // ÿ
      return static_cast<char>(0x9F);
    default:
      return c;
  }
}

std::string Upper1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperChar1252(c);
  return out;
}

namespace {

// Fields are mostly blank padding (a note is 1,024 characters): blanks are stepped over 32
// and then 8 at a time, comparing whole words rather than calling memcmp, which the Windows
// runtime does not inline.
constexpr size_t kBlankRun = 32;
constexpr uint64_t kEightBlanks = 0x2020202020202020;

uint64_t WordAt(const char* p) {
  uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

bool BlankRunAt(const char* p) {
  return ((WordAt(p) ^ kEightBlanks) | (WordAt(p + 8) ^ kEightBlanks) |
          (WordAt(p + 16) ^ kEightBlanks) | (WordAt(p + 24) ^ kEightBlanks)) == 0;
}

bool EightBlanksAt(const char* p) { return WordAt(p) == kEightBlanks; }

}  // namespace

std::string_view TrimLeftBlanks(std::string_view text) {
  size_t first = 0;
  while (text.size() - first >= kBlankRun && BlankRunAt(text.data() + first)) first += kBlankRun;
  while (text.size() - first >= 8 && EightBlanksAt(text.data() + first)) first += 8;
  while (first < text.size() && text[first] == ' ') ++first;
  return text.substr(first);
}

std::string_view TrimRightBlanks(std::string_view text) {
  size_t end = text.size();
  while (end >= kBlankRun && BlankRunAt(text.data() + end - kBlankRun)) end -= kBlankRun;
  while (end >= 8 && EightBlanksAt(text.data() + end - 8)) end -= 8;
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

std::string_view TrimBlanks(std::string_view text) { return TrimRightBlanks(TrimLeftBlanks(text)); }

}  // namespace hw
