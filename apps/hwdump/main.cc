// hwdump: prints a table file of either edition, the header and then each record with its
// field names, or as raw hex when the layout is not known.

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "hwdump/dump.h"
#include "platform/program_args.h"
#include "platform/text.h"
#include "tablestore/table_header.h"

namespace {

using hwdump::Layout;

// A file whose layout is not known: the header as the edition its numbers fit, then hex.
bool LooksLikeNewHeader(std::span<const std::byte> bytes) {
  hw::NewHeader h;
  return hw::DecodeRecord(bytes, h) && h.record_length >= 32 && h.record_length <= 32767 &&
         h.header_flag == 1;
}

// Prints the header; false when the file is too short to hold one.
template <class Header>
bool PrintHeader(std::span<const std::byte> bytes, const char* edition, int64_t& next_record,
                 int64_t& record_length) {
  Header h;
  if (!hw::DecodeRecord(bytes, h)) return false;
  std::cout << "Header (" << edition << " edition)\n";
  hwdump::RecordPrinter printer(std::cout);
  hw::WalkFields(h, printer);
  next_record = h.next_record;
  record_length = h.record_length;
  return true;
}

int Main(int argc, char** argv) {
  CLI::App app(
      "Prints a table file of either edition: the header, then each record with its\n"
      "field names (raw hex for a layout it does not know).",
      "hwdump");
  std::string file;
  std::string layout_name;
  int64_t limit = -1;
  bool list = false;
  app.add_option("FILE", file, "the table file");
  app.add_option("--layout", layout_name, "the layout to use instead of the one the name picks");
  app.add_option("--records", limit, "print at most this many records");
  app.add_flag("--list", list, "list the known layouts");
  app.set_version_flag("--version", app.get_name() + " " HW_VERSION);
  // Options look the same on every host: "/x" is a path, never a Windows-style option.
  app.allow_windows_style_options(false);
  CLI11_PARSE(app, argc, argv);

  if (list) {
    for (const Layout& l : hwdump::Layouts()) std::cout << l.name << '\n';
    return 0;
  }
  if (file.empty()) {
    std::cerr << "hwdump: FILE is required\n";
    return 2;
  }
  const std::filesystem::path host_file = hw::PathFromUtf8(file);  // FILE is UTF-8
  std::ifstream in(host_file, std::ios::binary);
  if (!in) {
    std::cerr << "hwdump: cannot read " << file << '\n';
    return 1;
  }
  std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(chars.data()), chars.size());

  std::string name = hw::Utf8Of(host_file.filename());
  std::string name1252;
  if (!hw::Utf8ToWin1252(name, name1252)) name1252 = name;
  const bool new_header = LooksLikeNewHeader(bytes);
  const Layout* layout = nullptr;
  for (const Layout& l : hwdump::Layouts()) {
    if (layout_name.empty() ? l.matches(name1252, new_header) : l.name == layout_name) {
      layout = &l;
      break;
    }
  }
  if (!layout_name.empty() && layout == nullptr) {
    std::cerr << "hwdump: no layout named " << layout_name << " (see --list)\n";
    return 2;
  }

  const bool prior = layout != nullptr ? layout->prior : !new_header;
  int64_t next_record = 0;
  int64_t record_length = 0;
  std::cout << "File: " << file << '\n';
  const bool read = prior ? PrintHeader<hw::PriorHeader>(bytes, "prior", next_record, record_length)
                          : PrintHeader<hw::NewHeader>(bytes, "new", next_record, record_length);
  if (!read) {
    std::cerr << "hwdump: too short for a header\n";
    return 1;
  }
  if (record_length < 1 || record_length > 32767) {
    std::cerr << "hwdump: the header's record length " << record_length << " is not valid\n";
    return 1;
  }
  std::cout << "Layout: " << (layout != nullptr ? layout->name : "raw") << '\n';
  const int64_t first = layout != nullptr ? layout->first_record : 2;
  int64_t printed = 0;
  std::vector<std::byte> record(static_cast<size_t>(record_length));
  for (int64_t n = first; n < next_record; ++n) {
    if (limit >= 0 && printed >= limit) break;
    const int64_t pos = (n - 1) * record_length;
    if (pos >= static_cast<int64_t>(bytes.size())) {
      std::cout << "Records " << n << " to " << next_record - 1 << ": past the end of the file\n";
      break;
    }
    std::fill(record.begin(), record.end(), std::byte{0});
    const int64_t have = std::min<int64_t>(record_length, bytes.size() - pos);
    std::copy_n(bytes.begin() + pos, have, record.begin());
    std::cout << "Record " << n << '\n';
    if (layout != nullptr) {
      layout->print(n, record, std::cout);
    } else {
      hwdump::PrintHex(record, std::cout);
    }
    ++printed;
  }
  return 0;
}

}  // namespace

HW_UTF8_MAIN(Main)
