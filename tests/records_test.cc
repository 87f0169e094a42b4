#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "fixtures/table_image.h"
#include "platform/run_error.h"
#include "support/layouts.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

namespace hw {
namespace {

using testing::Bytes;
using testing::LittleEndian;
using Views = std::vector<std::string_view>;
using Spans = std::vector<std::pair<size_t, int>>;  // (offset, width) of each field

// Every layout's fields take the width its file states, and bytes one short of it, in a buffer
// of exactly that size, do not decode. The sanitizers catch any read past the buffer.
TEST(RecordLayouts, EachTakesItsStatedWidthAndAShortRecordDoesNotDecode) {
  testing::ForEachLayout([]<class Record>(const char* name, size_t stated) {
    SCOPED_TRACE(name);
    Record r;
    EXPECT_EQ(EncodedWidth(r), stated);
    std::vector<std::byte> whole(stated);
    EXPECT_TRUE(DecodeRecord(whole, r));
    whole.pop_back();
    EXPECT_FALSE(DecodeRecord(whole, r));
    EXPECT_FALSE(DecodeRecord({}, r));
  });
}

// --- The prior edition's layouts, which the conversion only reads ---

// Bytes that differ wherever two offsets are less than 251 apart: a field decoded from the wrong
// offset or with the wrong width does not hold the bytes at its own.
const std::string& Pattern() {
  static const std::string bytes = [] {
    std::string b(4096, '\0');
    for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<char>(i % 251);
    return b;
  }();
  return bytes;
}
template <class Record>
Record FromPattern() {
  Record r;
  EXPECT_TRUE(DecodeRecord(Bytes(Pattern().substr(0, Record::kSize)), r));
  return r;
}
// What the pattern holds at each (offset, width): texts, and little-endian numbers.
Views TextsAt(const Spans& at) {
  Views texts;
  for (const auto& [offset, width] : at)
    texts.push_back(std::string_view(Pattern()).substr(offset, width));
  return texts;
}
std::vector<int64_t> NumbersAt(const Spans& at) {
  std::vector<int64_t> numbers;
  for (const auto& [offset, size] : at) numbers.push_back(testing::IntAt(Pattern(), offset, size));
  return numbers;
}

TEST(PriorRecords, FieldsDecodeFromTheirOffsets) {
  const auto user = FromPattern<PriorUserRecord>();
  EXPECT_EQ((Views{user.Folder.Raw(), user.Name.Raw()}), TextsAt({{9, 64}, {87, 24}}));
  const auto entry = FromPattern<PriorCollectionEntry>();
  EXPECT_EQ((Views{entry.Code.Raw(), entry.Name.Raw()}), TextsAt({{0, 8}, {8, 28}}));
  EXPECT_EQ(FromPattern<PriorCollectionHeader>().TypeCode.Raw(), TextsAt({{62, 8}})[0]);

  const auto s = FromPattern<PriorStorageRecord>();
  EXPECT_EQ(
      (Views{s.Location.Raw(), s.Container.Raw(), s.Mark1.Raw(), s.Mark2.Raw(), s.Mark3.Raw()}),
      TextsAt({{2, 30}, {32, 30}, {62, 1}, {63, 1}, {64, 1}}));
  EXPECT_EQ(s.Amount.scaled, NumbersAt({{67, 8}})[0]);
  const auto p = FromPattern<PriorPartyRecord>();
  EXPECT_EQ(
      (Views{p.Name.Raw(), p.Text24.Raw(), p.Text40.Raw(), p.Text64.Raw(), p.Text88.Raw(),
             p.Text90.Raw(), p.Text100.Raw(), p.Text124.Raw()}),
      TextsAt({{0, 24}, {24, 16}, {40, 24}, {64, 24}, {88, 2}, {90, 10}, {100, 24}, {124, 64}}));

  const auto e = FromPattern<V4ScreenField>();
  EXPECT_EQ((Views{e.Caption.Raw(), e.FieldName.Raw(), e.ChoiceListName.Raw()}),
            TextsAt({{2, 32}, {34, 32}, {138, 32}}));
  EXPECT_EQ(
      (std::vector<int64_t>{e.Number0, e.DataType, e.Slot, e.LabelTop, e.ControlTop, e.Number170}),
      NumbersAt({{0, 2}, {88, 2}, {92, 2}, {112, 2}, {126, 2}, {170, 2}}));
  const auto d = FromPattern<V4FieldDef>();
  EXPECT_EQ(d.FieldName.Raw(), TextsAt({{0, 24}})[0]);
  EXPECT_EQ((std::vector<int64_t>{d.DataType, d.Slot, d.Number32}),
            NumbersAt({{26, 2}, {28, 2}, {32, 2}}));
  const auto r = FromPattern<V4ReportDef>();
  EXPECT_EQ((Views{r.ReportName.Raw(), r.ColumnLabel[1].Raw(), r.ColumnLabel[32].Raw()}),
            TextsAt({{2, 64}, {548, 24}, {1292, 24}}));
  EXPECT_EQ(
      (std::vector<int64_t>{r.ColumnCount, r.ColumnNumberA[32], r.ColumnNumberB[1], r.Number1458}),
      NumbersAt({{0, 2}, {258, 2}, {460, 2}, {1458, 2}}));

  // The last element of each item bank, where it has one, so that a wrong bank size shows too.
  // Main banks start at 92 (Integers), 118 (Amounts), 190, 262, 370, 514, 802, 994 and 1378 (texts
  // of 8 to 256); extension banks at 204 (Longs), 220, 254, 358, 562, 706, 994, 1186 and 1570.
  const auto m = FromPattern<PriorItemMain>();
  EXPECT_EQ((Views{m.Text8[8].Raw(), m.Text12[0].Raw(), m.Text16[8].Raw(), m.Text32[8].Raw(),
                   m.Text64[2].Raw(), m.Text128[2].Raw(), m.Text256[1].Raw(), m.Note.Raw()}),
            TextsAt({{254, 8},
                     {262, 12},
                     {498, 16},
                     {770, 32},
                     {930, 64},
                     {1250, 128},
                     {1634, 256},
                     {1890, 1024}}));
  EXPECT_EQ((std::vector<int64_t>{m.Integers[12], m.Amounts[8].scaled}),
            NumbersAt({{116, 2}, {182, 8}}));
  using X = PriorItemExtension;
  const auto x = FromPattern<X>();
  EXPECT_EQ(
      (Views{x.Text12[X::kUsCoinType].Raw(), x.Text16[8].Raw(), x.Text32[X::kLinkedLevel1].Raw(),
             x.Text64[2].Raw(), x.Text128[0].Raw(), x.Text256[2].Raw()}),
      TextsAt({{442, 12}, {690, 16}, {898, 32}, {1122, 64}, {1186, 128}, {2082, 256}}));
  EXPECT_EQ((std::vector<int64_t>{x.Longs[3], x.Integers[X::kBuySellMarker],
                                  x.Amounts[X::kRealizedProfit].scaled}),
            NumbersAt({{216, 4}, {246, 2}, {326, 8}}));
}

// hwdump takes a table's record length from its header: a new user table whose records are
// shorter than the user layout is printed as a note, never read past its records.
TEST(Hwdump, AUserTableWithShortRecordsIsNotReadPastTheFile) {
  testing::TempFolder temp;
  TableImage t = TableImage::New("DEFAULT.mst", 40, 4);
  t.PutBytes(2, Bytes(std::string(2 * 40, 'u')));
  t.WriteTo(temp.path() / "DEFAULT.mst");

  testing::ProgramRun run = testing::RunProgram("hwdump", {(temp.path() / "DEFAULT.mst").string()},
                                                temp.path(), temp.path());
  std::erase(run.out, '\r');  // standard output ends its lines with CR LF on Windows
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_THAT(run.out,
              ::testing::HasSubstr(
                  "Layout: user-table\nRecord 3\n  (the record does not hold the whole layout)\n"));
}

// The new item's date bank holds values of varying width, which move every later bank (the
// sample conversion writes both dates and texts; these are the cases it does not reach).
TEST(NewItemMainRecord, DateBankStepsOverFixedSizeTagsRefusesUnknownOnesAndHasALimit) {
  NewItemMain item;
  for (TaggedValue& d : item.Dates) d = TaggedValue::Textual("");
  item.Dates[3] = TaggedValue::Date(-1.25);
  item.Dates[4] = TaggedValue::Textual("circa 1921");
  item.Text128[1].Set("key");
  std::string b(NewItemMain::kSize, '\0');
  EncodeRecord(item, std::as_writable_bytes(std::span(b)));
  // The first two values rewritten as a 16-bit integer (tag 2) and a double (tag 5): the bank
  // grows by 6 bytes, so the rest moves.
  const std::string grown = b.substr(0, 8) + LittleEndian(2, 2) + LittleEndian(99, 2) +
                            LittleEndian(5, 2) + LittleEndian(0, 8) + b.substr(16, b.size() - 22);
  NewItemMain read;
  ASSERT_TRUE(DecodeRecord(Bytes(grown), read));
  EXPECT_EQ(std::make_tuple(read.Dates[0].tag, read.Dates[1].tag, read.Dates[3].tag,
                            read.Dates[3].date, read.Dates[4].text, read.Text128[1].Trimmed()),
            std::make_tuple(2, 5, TaggedValue::kDate, -1.25, "circa 1921", "key"));
  // An unknown tag, and a text count running past the record: neither decodes, nor changes it.
  EXPECT_FALSE(DecodeRecord(Bytes(b.substr(0, 8) + LittleEndian(9, 2) + b.substr(10)), read));
  EXPECT_FALSE(DecodeRecord(Bytes(b.substr(0, 10) + LittleEndian(30000, 2) + b.substr(12)), read));
  EXPECT_EQ(read.Dates[4].text, "circa 1921");

  // The record holds 4608 bytes: a longer date bank is a bad record length.
  item.Dates[0].text.assign(4608 - item.EncodedSize(), 'x');
  std::vector<std::byte> out(4608);
  EXPECT_EQ(testing::ErrorOf([&] { EncodeRecord(item, out); }), 0);
  item.Dates[0].text += "x";
  EXPECT_EQ(testing::ErrorOf([&] { EncodeRecord(item, out); }), kBadRecordLength);
}

}  // namespace
}  // namespace hw
