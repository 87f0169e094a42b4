// Fuzzes every record layout of both editions and the two table headers: the input is one
// record as read from a file, and each layout decodes, encodes, decodes and encodes it again;
// the two encodings must agree, or decode and encode disagree on the layout.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "support/layouts.h"

namespace {

// The bytes of `record` as its layout writes them.
template <class Record>
std::vector<std::byte> Encoded(const Record& record) {
  std::vector<std::byte> out(hw::EncodedWidth(record));
  hw::EncodeRecord(record, out);
  return out;
}

}  // namespace

// Any input either fails to decode as a layout (a short record, a text that runs past the end)
// or decodes into a record whose bytes decode again to the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  hw::testing::ForEachLayout([&]<class Record>(const char* layout, size_t) {
    Record record;
    Record again;
    if (!hw::DecodeRecord(std::as_bytes(std::span(data, size)), record)) return;
    const std::vector<std::byte> once = Encoded(record);
    if (!hw::DecodeRecord(once, again) || Encoded(again) != once) {
      std::fprintf(stderr, "%s: a decoded record encodes differently the second time\n", layout);
      std::abort();
    }
  });
  return 0;
}
