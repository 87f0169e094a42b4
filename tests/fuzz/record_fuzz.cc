// Fuzzes every record layout of both editions and the two table headers: the first byte picks
// the layout, the rest is one record as read from a file. Each record is decoded, encoded,
// decoded and encoded again; the two encodings must agree, or decode and encode disagree on
// the layout. This file is the one place that names the layouts.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "analysis/user_settings.h"
#include "collections/collection_records.h"
#include "collections/prior_lists.h"
#include "lists/list_records.h"
#include "screens/field_records.h"
#include "screens/report_records.h"
#include "tablestore/table_header.h"

namespace {

// A record shorter than its layout is zero-padded, as a read past the end of a file yields
// zero bytes.
std::vector<std::byte> Padded(std::span<const std::byte> data, size_t size) {
  std::vector<std::byte> record(std::max(size, data.size()));
  std::copy(data.begin(), data.end(), record.begin());
  return record;
}

template <class Record>
std::vector<std::byte> Reencode(std::span<const std::byte> in, size_t size) {
  Record record;
  record.Decode(in);
  std::vector<std::byte> out(size);
  record.Encode(out);
  return out;
}

void Agree(const std::vector<std::byte>& once, const std::vector<std::byte>& twice,
           const char* layout) {
  if (once != twice) {
    std::fprintf(stderr, "%s: a decoded record encodes differently the second time\n", layout);
    std::abort();
  }
}

template <class Record>
void RoundTrip(std::span<const std::byte> data, const char* layout) {
  const std::vector<std::byte> in = Padded(data, Record::kSize);
  const std::vector<std::byte> once = Reencode<Record>(in, Record::kSize);
  Agree(once, Reencode<Record>(once, Record::kSize), layout);
}

// The new report format ends in a text of its own length.
void ReportRoundTrip(std::span<const std::byte> data) {
  std::vector<std::byte> in = Padded(data, hw::V5ReportDef::kFixedSize);
  in.resize(std::max(in.size(), hw::V5ReportDef::EncodedSizeOf(in)));
  hw::V5ReportDef record;
  record.Decode(in);
  std::vector<std::byte> once(record.EncodedSize());
  record.Encode(once);
  hw::V5ReportDef again;
  again.Decode(once);
  std::vector<std::byte> twice(again.EncodedSize());
  again.Encode(twice);
  Agree(once, twice, "V5ReportDef");
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
    ReportRoundTrip,
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
