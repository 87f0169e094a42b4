#include "platform/program_args.h"

namespace hw {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
}

#ifdef _WIN32
Utf8Args::Utf8Args(int argc, wchar_t** argv) {
  texts_.reserve(argc);
  for (int i = 0; i < argc; ++i) texts_.push_back(Utf8Of(std::filesystem::path(argv[i])));
  for (std::string& t : texts_) pointers_.push_back(t.data());
}
#endif

}  // namespace hw
