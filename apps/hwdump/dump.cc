#include "hwdump/dump.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

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
  return fmt::format("\"{}\"", hw::Win1252ToUtf8(shown));
}

std::string Text(std::string_view raw) { return Quoted(hw::TrimRightBlanks(raw)); }

std::string Money(hw::Currency c) {
  const int64_t units = c.scaled / 10000;
  const int64_t fraction = std::llabs(c.scaled % 10000);
  const char* sign = c.scaled < 0 && units == 0 ? "-" : "";
  return fmt::format("{}{}.{:04}", sign, units, fraction);
}

std::string Flag(bool v) { return v ? "-1 (true)" : "0 (false)"; }

std::string Extension(const std::string& file_name) {
  const size_t dot = file_name.rfind('.');
  if (dot == std::string::npos) return "";
  std::string ext = file_name.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

}  // namespace hwdump
