#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "platform/record_codec.h"

// hwdump's record layouts. Each file of the dump registers the layouts it knows; a table file
// is printed with the first layout whose Matches accepts its file name (or the one named by
// --layout), and as raw hex when none does.
namespace hwdump {

struct Layout {
  std::string name;      // for --layout and the listing of --help
  bool prior = false;    // prior-edition header (24 bytes, 16-bit) or new (32 bytes, 32-bit)
  int first_record = 2;  // first record printed after the header
  // True when this layout is the one for a file of this name (Windows-1252, no folder) whose
  // header looks like a new-edition header (32-bit numbers, header flag 1) or not. The prior
  // user list and the new user table are both "Default.mst"; the header tells them apart.
  std::function<bool(const std::string& file_name, bool new_header)> matches;
  // Prints record `number` (given as bytes of the record length) with its field names.
  std::function<void(int64_t number, std::span<const std::byte> record, std::ostream& out)> print;
};

// Registers a layout; use from a namespace-scope initializer in each dump file.
bool Register(Layout layout);
const std::vector<Layout>& Layouts();

// Printing helpers shared by the layouts: "  Name: value" lines.
void Field(std::ostream& out, const std::string& name, const std::string& value);
// A fixed text shown in quotes, UTF-8, with zero bytes shown as \0.
std::string Quoted(std::string_view text);
// A fixed text with its trailing blanks dropped, quoted.
std::string Text(std::string_view raw);
// A currency value with its four decimals, exactly.
std::string Money(hw::Currency c);
// A 16-bit true/false as stored and as meant.
std::string Flag(bool v);

// The record decoded, or nothing (with a note) when the table's records are shorter.
template <class Record>
std::optional<Record> Decoded(std::span<const std::byte> bytes, std::ostream& out) {
  if (bytes.size() < Record::kSize) {
    out << "  (record shorter than the " << Record::kSize << "-byte layout)\n";
    return std::nullopt;
  }
  Record r;
  r.Decode(bytes.first(Record::kSize));
  return r;
}

// Lower-cased extension of a file name including the dot ("" when none).
std::string Extension(const std::string& file_name);

}  // namespace hwdump
