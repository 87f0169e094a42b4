#include "analysis/folder_name.h"

namespace hw {

std::string UserFolderName(std::string_view p) {
  const size_t first = p.find('\\');
  const size_t second = first == std::string_view::npos ? first : p.find('\\', first + 1);
  if (second != std::string_view::npos) {
    if (second + 1 < p.size()) return std::string(p.substr(second + 1, 64));
    return std::string(p.substr(first + 1));
  }
  // Fewer than two "\": the prior edition leaves no folder name here; take the last non-empty
  // name, so that the user still gets a folder of its own when the prior folder names one.
  std::string_view last;
  size_t start = 0;
  for (size_t i = 0; i <= p.size(); ++i) {
    if (i == p.size() || p[i] == '\\') {
      if (i > start) last = p.substr(start, i - start);
      start = i + 1;
    }
  }
  if (last.size() >= 2 && last[1] == ':' && last.data() == p.data()) last.remove_prefix(2);
  if (last.empty()) return std::string();
  return std::string(last) + "\\";
}

}  // namespace hw
