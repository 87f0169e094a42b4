#include "hwdump/dump.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/text.h"

namespace hwdump {

namespace {

std::vector<Layout>& Registry() {
  static std::vector<Layout> layouts;
  return layouts;
}

}  // namespace

bool Register(Layout layout) {
  Registry().push_back(std::move(layout));
  return true;
}

const std::vector<Layout>& Layouts() { return Registry(); }

void Field(std::ostream& out, const std::string& name, const std::string& value) {
  out << "  " << name << ": " << value << '\n';
}

std::string Quoted(std::string_view text) {
  std::string shown;
  for (char c : text) {
    if (c == '\0') {
      shown += "\\0";
    } else {
      shown += c;
    }
  }
  return "\"" + hw::Win1252ToUtf8(shown) + "\"";
}

std::string Extension(const std::string& file_name) {
  const size_t dot = file_name.rfind('.');
  if (dot == std::string::npos) return "";
  std::string ext = file_name.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

}  // namespace hwdump
