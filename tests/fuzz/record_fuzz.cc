// Fuzzes every record layout of both editions and the two table headers: the first byte picks
// the layout, the rest is one record as read from a file. Each record is decoded, encoded,
// decoded and encoded again; the two encodings must agree, or decode and encode disagree on
// the layout. This file is the one place that names the layouts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "analysis/user_settings.h"
#include "lists/list_records.h"
#include "records/collection_records.h"
#include "records/field_records.h"
#include "records/prior_lists.h"
#include "records/report_records.h"
#include "tablestore/table_header.h"

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

using Layout = void (*)(std::span<const std::byte>);

#define HW_LAYOUT(Record) [](std::span<const std::byte> d) { RoundTrip<hw::Record>(d, #Record); }

constexpr Layout kLayouts[] = {
    HW_LAYOUT(NewHeader),
    HW_LAYOUT(PriorHeader),
    HW_LAYOUT(PriorUserRecord),
    HW_LAYOUT(PriorCollectionEntry),
    HW_LAYOUT(PriorCollectionHeader),
    HW_LAYOUT(PriorItemMain),
    HW_LAYOUT(PriorItemExtension),
    HW_LAYOUT(NewCollectionHeader),
    HW_LAYOUT(NewItemMain),
    HW_LAYOUT(NewItemExtension),
    HW_LAYOUT(UserSettingsRecord),
    HW_LAYOUT(V4ScreenField),
    HW_LAYOUT(V4FieldDef),
    HW_LAYOUT(V5FieldDef),
    HW_LAYOUT(V4ReportDef),
    HW_LAYOUT(V5ReportDef),
    HW_LAYOUT(PriorChoiceEntry),
    HW_LAYOUT(ChoiceEntry),
    HW_LAYOUT(PriorStorageRecord),
    HW_LAYOUT(PriorPartyRecord),
    HW_LAYOUT(ContactRecord),
};

#undef HW_LAYOUT

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto bytes = std::as_bytes(std::span(data, size));
  kLayouts[data[0] % std::size(kLayouts)](bytes.subspan(1));
  return 0;
}
