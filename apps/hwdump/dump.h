#pragma once

#include <fmt/format.h>

#include <array>
#include <cstddef>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/record_codec.h"
#include "records/collection_records.h"

// hwdump's table layouts. A table file is printed with the first layout whose `matches`
// accepts its file name (or the one named by --layout), and as raw hex when none does. Records
// are printed through their own field lists.
namespace hwdump {

struct Layout {
  std::string name;      // for --layout and --list
  bool prior = false;    // prior-edition header (24 bytes, 16-bit) or new (32 bytes, 32-bit)
  int first_record = 2;  // first record printed after the header
  // True when this layout is the one for a file of this name (Windows-1252, no folder) whose
  // header looks like a new-edition header (32-bit numbers, header flag 1) or not. The prior
  // user list and the new user table are both "Default.mst"; the header tells them apart.
  std::function<bool(const std::string& file_name, bool new_header)> matches;
  // Prints record `number` (given as bytes of the record length).
  std::function<void(int64_t number, std::span<const std::byte> record, std::ostream& out)> print;
};

const std::vector<Layout>& Layouts();

// A fixed text shown in quotes, UTF-8, with zero bytes shown as \0.
std::string Quoted(std::string_view text);
// A currency value with its four decimals, exactly.
std::string Money(hw::Currency c);
// Days since 30 December 1899 as a date and time, with the number itself.
std::string DateText(double days);
// Sixteen bytes a line: offset, hex, and the printable characters.
void PrintHex(std::span<const std::byte> bytes, std::ostream& out);

// Walks a record's field list and prints "  Name: value" lines: every number, texts only when
// they hold more than blanks and zero bytes, a bank of numbers as one line of its elements
// that are not zero, a bank of texts or tagged values one line per element that holds one.
class RecordPrinter {
 public:
  explicit RecordPrinter(std::ostream& out) : out_(out) {}

  template <class T>
  RecordPrinter& operator()(std::string_view name, const T& field) {
    Show(name, field);
    return *this;
  }
  RecordPrinter& Zeros(size_t) { return *this; }
  void Unreadable() {}

 private:
  void Line(std::string_view name, std::string_view value);

  template <class T>
  requires std::is_arithmetic_v<T>
  static std::string Scalar(T v) {
    if constexpr (std::is_same_v<T, bool>) {
      return v ? "-1" : "0";
    } else {
      return fmt::format("{}", v);
    }
  }
  static std::string Scalar(hw::Currency c) { return Money(c); }

  template <class T>
  requires std::is_arithmetic_v<T>
  void Show(std::string_view name, T v) { Line(name, Scalar(v)); }
  void Show(std::string_view name, hw::Currency c) { Line(name, Money(c)); }
  void Show(std::string_view name, const std::string& text);
  void Show(std::string_view name, const hw::TaggedValue& value);
  void ShowText(std::string_view name, std::string_view raw);
  template <size_t N>
  void Show(std::string_view name, const hw::Text<N>& text) {
    ShowText(name, text.Raw());
  }
  void ShowBytes(std::string_view name, std::span<const std::byte> raw);
  template <size_t N>
  void Show(std::string_view name, const std::array<std::byte, N>& raw) {
    ShowBytes(name, raw);
  }
  template <size_t W, size_t N>
  void Show(std::string_view name, const std::array<hw::Text<W>, N>& bank) {
    for (size_t i = 0; i < N; ++i) ShowText(fmt::format("{}({})", name, i), bank[i].Raw());
  }
  template <size_t N>
  void Show(std::string_view name, const std::array<hw::TaggedValue, N>& bank) {
    for (size_t i = 0; i < N; ++i) Show(fmt::format("{}({})", name, i), bank[i]);
  }
  template <class T, size_t N>
  void Show(std::string_view name, const std::array<T, N>& bank) {
    std::string shown;
    for (size_t i = 0; i < N; ++i) {
      if (bank[i] == T{}) continue;
      shown += fmt::format("{}{}={}", shown.empty() ? "" : ", ", i, Scalar(bank[i]));
    }
    if (!shown.empty()) Line(name, shown);
  }

  std::ostream& out_;
};

// Prints the record `bytes` begins with, or a note when they do not hold one.
template <class Record>
void Print(std::span<const std::byte> bytes, std::ostream& out) {
  Record r;
  if (!hw::DecodeRecord(bytes, r)) {
    out << "  (the record does not hold the whole layout)\n";
    return;
  }
  RecordPrinter printer(out);
  hw::WalkFields(r, printer);
}

}  // namespace hwdump
