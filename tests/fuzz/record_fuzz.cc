// Fuzzes every record layout of both editions and the two table headers: the first byte picks
// the layout, the rest is one record as read from a file. Each record is decoded, encoded,
// decoded and encoded again; the two encodings must agree, or decode and encode disagree on
// the layout.

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

// Any input either fails to decode (a short record, a text that runs past the end) or decodes
// into a record whose bytes decode again to the same bytes.
template <class Record>
void RoundTrip(std::span<const std::byte> data, const char* layout) {
  Record record;
  if (!hw::DecodeRecord(data, record)) return;
  const std::vector<std::byte> once = Encoded(record);
  Record again;
  if (!hw::DecodeRecord(once, again) || Encoded(again) != once) {
    std::fprintf(stderr, "%s: a decoded record encodes differently the second time\n", layout);
    std::abort();
  }
}

const size_t kLayouts = [] {
  size_t n = 0;
  hw::testing::ForEachLayout([&]<class>(const char*, size_t) { ++n; });
  return n;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto record = std::as_bytes(std::span(data, size)).subspan(1);
  size_t index = 0;
  hw::testing::ForEachLayout([&]<class Record>(const char* name, size_t) {
    if (index++ == data[0] % kLayouts) RoundTrip<Record>(record, name);
  });
  return 0;
}
