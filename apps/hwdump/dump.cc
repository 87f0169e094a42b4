#include "hwdump/dump.h"

#include <fmt/ranges.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/text.h"

namespace hwdump {

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

std::string Money(hw::Currency c) {
  const int64_t units = c.scaled / 10000;
  const int64_t fraction = std::llabs(c.scaled % 10000);
  const char* sign = c.scaled < 0 && units == 0 ? "-" : "";
  return fmt::format("{}{}.{:04}", sign, units, fraction);
}

// Before 30 December 1899 the fraction counts away from zero.
std::string DateText(double days) {
  using namespace std::chrono;
  if (!std::isfinite(days) || std::fabs(days) > 3e6) return fmt::format("{} (out of range)", days);
  const double whole = std::trunc(days);
  const int64_t seconds = std::llround(std::fabs(days - whole) * 86400);
  const year_month_day ymd{sys_days{1899y / December / 30} +
                           ::std::chrono::days{static_cast<int64_t>(whole)}};
  std::string text =
      fmt::format("{:04}-{:02}-{:02}", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  if (seconds != 0) {
    text += fmt::format(" {:02}:{:02}:{:02}", seconds / 3600, seconds / 60 % 60, seconds % 60);
  }
  return fmt::format("{} ({})", text, days);
}

namespace {

// The bytes in hex, two digits each, separated by blanks.
std::string Hex(std::span<const std::byte> bytes) {
  std::vector<unsigned> values(bytes.size());
  std::transform(bytes.begin(), bytes.end(), values.begin(),
                 [](std::byte b) { return std::to_integer<unsigned>(b); });
  return fmt::format("{:02x}", fmt::join(values, " "));
}

}  // namespace

void PrintHex(std::span<const std::byte> bytes, std::ostream& out) {
  for (size_t at = 0; at < bytes.size(); at += 16) {
    const std::span<const std::byte> line =
        bytes.subspan(at, std::min<size_t>(16, bytes.size() - at));
    std::string shown;
    for (std::byte b : line) {
      const auto v = std::to_integer<unsigned char>(b);
      shown += v >= 0x20 && v < 0x7F ? static_cast<char>(v) : '.';
    }
    out << fmt::format("  {:06x}  {:<47}  {}\n", at, Hex(line), shown);
  }
}

void RecordPrinter::Line(std::string_view name, std::string_view value) {
  out_ << "  " << name << ": " << value << '\n';
}

void RecordPrinter::Show(std::string_view name, const std::string& text) {
  if (!text.empty()) Line(name, fmt::format("{} ({} characters)", Quoted(text), text.size()));
}

void RecordPrinter::Show(std::string_view name, const hw::TaggedValue& value) {
  if (value.tag == hw::TaggedValue::kText) {
    if (!value.text.empty()) Line(name, "text " + Quoted(value.text));
  } else if (value.tag == hw::TaggedValue::kDate) {
    Line(name, "date " + DateText(value.date));
  } else if (value.tag != hw::TaggedValue::kEmpty) {
    Line(name, fmt::format("tag {}", value.tag));
  }
}

// Blanks and zero bytes only: a text never filled or filled with nothing.
void RecordPrinter::ShowText(std::string_view name, std::string_view raw) {
  if (raw.find_first_not_of(std::string_view(" \0", 2)) == raw.npos) return;
  Line(name, Quoted(hw::TrimRightBlanks(raw)));
}

void RecordPrinter::ShowBytes(std::string_view name, std::span<const std::byte> raw) {
  if (std::all_of(raw.begin(), raw.end(), [](std::byte b) { return b == std::byte{0}; })) return;
  Line(name, Hex(raw));
}

}  // namespace hwdump
