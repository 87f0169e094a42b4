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

// Defines the program's entry point over `int fn(int argc, char** argv)`, which always receives
// its arguments as UTF-8: from wmain's UTF-16 arguments on Windows, as given elsewhere.
#ifdef _WIN32
#define HW_UTF8_MAIN(fn)                 \
  int wmain(int argc, wchar_t** argv) {  \
    hw::Utf8Args args(argc, argv);       \
    return fn(args.argc(), args.argv()); \
  }
#else
#define HW_UTF8_MAIN(fn) \
  int main(int argc, char** argv) { return fn(argc, argv); }
#endif
