#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Command lines and host paths given as UTF-8 text, on either host.
namespace hw {

// A UTF-8 text naming a host path. (A narrow std::string would be read in the host's ANSI code
// page on Windows.)
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8Of(const std::filesystem::path& path);

#ifdef _WIN32
// The UTF-16 arguments of wmain as UTF-8, for option parsers that take char**.
class Utf8Args {
 public:
  Utf8Args(int argc, wchar_t** argv);
  int argc() const { return static_cast<int>(pointers_.size()); }
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;
};
#endif

}  // namespace hw
