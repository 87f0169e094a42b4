#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/run_error.h"
#include "support/layouts.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

namespace {

using hw::NewItemMain;
using hw::TaggedValue;
using hw::testing::Bytes;
using hw::testing::LittleEndian;

template <class Record>
std::string Encoded(const Record& r) {
  std::vector<std::byte> out(Record::kSize);
  hw::EncodeRecord(r, out);
  return std::string(hw::testing::AsText(out));
}

// Every layout's fields take the width its file states, and bytes one short of it, in a buffer
// of exactly that size, do not decode. The sanitizers catch any read past the buffer.
TEST(RecordLayouts, EachTakesItsStatedWidthAndAShortRecordDoesNotDecode) {
  hw::testing::ForEachLayout([]<class Record>(const char* name, size_t stated) {
    SCOPED_TRACE(name);
    Record r;
    EXPECT_EQ(hw::EncodedWidth(r), stated);
    std::vector<std::byte> whole(stated);
    EXPECT_TRUE(hw::DecodeRecord(whole, r));
    whole.pop_back();
    EXPECT_FALSE(hw::DecodeRecord(whole, r));
    EXPECT_FALSE(hw::DecodeRecord({}, r));
  });
}

// --- The prior edition's layouts, written byte by byte at the offsets the layouts give ---

template <class Record>
struct TextAt {
  size_t offset;
  size_t width;
  std::string_view (*read)(const Record&);
};
template <class Record>
struct NumberAt {
  size_t offset;
  int size;
  int64_t value;
  int64_t (*read)(const Record&);
};

// Each text filled to its width with a letter of its own and each number little-endian, in a
// record of '#' bytes: a field read from the wrong offset or with the wrong width shows.
template <class Record>
void ExpectFieldsAt(const std::vector<TextAt<Record>>& texts,
                    const std::vector<NumberAt<Record>>& numbers = {}) {
  std::string bytes(Record::kSize, '#');
  for (size_t i = 0; i < texts.size(); ++i) {
    bytes.replace(texts[i].offset, texts[i].width, texts[i].width, static_cast<char>('A' + i));
  }
  for (const NumberAt<Record>& n : numbers) {
    bytes.replace(n.offset, static_cast<size_t>(n.size), LittleEndian(n.value, n.size));
  }
  Record r;
  ASSERT_TRUE(hw::DecodeRecord(Bytes(bytes), r));
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].read(r), std::string(texts[i].width, static_cast<char>('A' + i)))
        << "the text at " << texts[i].offset;
  }
  for (const NumberAt<Record>& n : numbers) {
    EXPECT_EQ(n.read(r), n.value) << "the number at " << n.offset;
  }
}

TEST(PriorRecords, ListsAndCollectionHeaderDecodeFromTheirOffsets) {
  ExpectFieldsAt<hw::PriorUserRecord>({{9, 64, [](auto& r) { return r.Folder.Raw(); }},
                                       {87, 24, [](auto& r) { return r.Name.Raw(); }}});
  ExpectFieldsAt<hw::PriorCollectionEntry>({{0, 8, [](auto& r) { return r.Code.Raw(); }},
                                            {8, 28, [](auto& r) { return r.Name.Raw(); }}});
  ExpectFieldsAt<hw::PriorCollectionHeader>({{62, 8, [](auto& r) { return r.TypeCode.Raw(); }}});
}

TEST(PriorRecords, StorageAndPartyRecordsDecodeFromTheirOffsets) {
  ExpectFieldsAt<hw::PriorStorageRecord>(
      {{2, 30, [](auto& r) { return r.Location.Raw(); }},
       {32, 30, [](auto& r) { return r.Container.Raw(); }},
       {62, 1, [](auto& r) { return r.Mark1.Raw(); }},
       {63, 1, [](auto& r) { return r.Mark2.Raw(); }},
       {64, 1, [](auto& r) { return r.Mark3.Raw(); }}},
      {{67, 8, -1234567, [](auto& r) { return r.Amount.scaled; }}});
  ExpectFieldsAt<hw::PriorPartyRecord>({{0, 24, [](auto& r) { return r.Name.Raw(); }},
                                        {24, 16, [](auto& r) { return r.Text24.Raw(); }},
                                        {40, 24, [](auto& r) { return r.Text40.Raw(); }},
                                        {64, 24, [](auto& r) { return r.Text64.Raw(); }},
                                        {88, 2, [](auto& r) { return r.Text88.Raw(); }},
                                        {90, 10, [](auto& r) { return r.Text90.Raw(); }},
                                        {100, 24, [](auto& r) { return r.Text100.Raw(); }},
                                        {124, 64, [](auto& r) { return r.Text124.Raw(); }}});
}

// The last element of each bank, where the layout has one, so that a wrong bank size shows too.
TEST(PriorRecords, ItemBanksDecodeFromTheirOffsets) {
  ExpectFieldsAt<hw::PriorItemMain>(
      {{190 + 8 * 8, 8, [](auto& r) { return r.Text8[8].Raw(); }},
       {262, 12, [](auto& r) { return r.Text12[0].Raw(); }},
       {370 + 16 * 8, 16, [](auto& r) { return r.Text16[8].Raw(); }},
       {514 + 32 * 8, 32, [](auto& r) { return r.Text32[8].Raw(); }},
       {802 + 64 * 2, 64, [](auto& r) { return r.Text64[2].Raw(); }},
       {994 + 128 * 2, 128, [](auto& r) { return r.Text128[2].Raw(); }},
       {1378 + 256, 256, [](auto& r) { return r.Text256[1].Raw(); }},
       {1890, 1024, [](auto& r) { return r.Note.Raw(); }}},
      {{92 + 2 * 12, 2, -7, [](auto& r) { return int64_t{r.Integers[12]}; }},
       {118 + 8 * 8, 8, 25000, [](auto& r) { return r.Amounts[8].scaled; }}});
  using X = hw::PriorItemExtension;
  ExpectFieldsAt<X>(
      {{358 + 12 * 7, 12, [](auto& r) { return r.Text12[X::kUsCoinType].Raw(); }},
       {562 + 16 * 8, 16, [](auto& r) { return r.Text16[8].Raw(); }},
       {706 + 32 * 6, 32, [](auto& r) { return r.Text32[X::kLinkedLevel1].Raw(); }},
       {994 + 64 * 2, 64, [](auto& r) { return r.Text64[2].Raw(); }},
       {1186, 128, [](auto& r) { return r.Text128[0].Raw(); }},
       {1570 + 256 * 2, 256, [](auto& r) { return r.Text256[2].Raw(); }}},
      {{204 + 4 * 3, 4, 123456, [](auto& r) { return int64_t{r.Longs[3]}; }},
       {220 + 2 * 13, 2, 3, [](auto& r) { return int64_t{r.Integers[X::kBuySellMarker]}; }},
       {254 + 8 * 9, 8, 90000, [](auto& r) { return r.Amounts[X::kRealizedProfit].scaled; }}});
}

// hwdump takes a table's record length from its header: a new user table whose records are
// shorter than the user layout is printed as a note, never read past its records.
TEST(Hwdump, AUserTableWithShortRecordsIsNotReadPastTheFile) {
  hw::testing::TempFolder temp;
  hw::NewHeader h;
  h.table_name.Set("DEFAULT.mst");
  h.next_record = 4;
  h.record_length = 40;
  h.header_flag = 1;
  std::vector<std::byte> file(3 * 40, std::byte{'u'});
  hw::EncodeRecord(h, std::span(file).first(hw::NewHeader::kSize));
  hw::testing::WriteBytes(temp.path() / "DEFAULT.mst", file);

  const hw::testing::ProgramRun run = hw::testing::RunProgram(
      "hwdump", {(temp.path() / "DEFAULT.mst").string()}, temp.path(), temp.path());
  std::string out = run.out;
  std::erase(out, '\r');  // standard output ends its lines with CR LF on Windows
  EXPECT_EQ(run.status, 0) << out;
  EXPECT_NE(
      out.find("Layout: user-table\nRecord 3\n  (the record does not hold the whole layout)\n"),
      std::string::npos)
      << out;
}

// --- The new item's date bank: values of varying width, which move every later bank (the
// sample conversion writes both dates and texts; these are the cases it does not reach) ---

TEST(NewItemMainRecord, ADateBankPast232BytesIsABadRecordLength) {
  NewItemMain item;
  for (TaggedValue& d : item.Dates) d = TaggedValue::Textual("");
  item.Dates[0] = TaggedValue::Textual(std::string(232 - 64, 'x'));
  EXPECT_EQ(item.EncodedSize(), 4608u);
  EXPECT_EQ(hw::testing::ErrorOf([&] { Encoded(item); }), 0);
  item.Dates[0].text += "x";
  EXPECT_EQ(hw::testing::ErrorOf([&] { Encoded(item); }), hw::kBadRecordLength);
}

TEST(NewItemMainRecord, DecodeStepsOverFixedSizeTagsAndRefusesUnknownOnes) {
  NewItemMain written;
  for (TaggedValue& d : written.Dates) d = TaggedValue::Textual("");
  written.Dates[3] = TaggedValue::Date(-1.25);
  written.Dates[4] = TaggedValue::Textual("circa 1921");
  written.Text128[1].Set("key");
  const std::string b = Encoded(written);
  // The first two values rewritten as a 16-bit integer (tag 2) and a double (tag 5): the bank
  // grows by 6 bytes, so the rest moves.
  const std::string grown = b.substr(0, 8) + LittleEndian(2, 2) + LittleEndian(99, 2) +
                            LittleEndian(5, 2) + LittleEndian(0, 8) + b.substr(16, b.size() - 22);
  NewItemMain read;
  ASSERT_TRUE(hw::DecodeRecord(Bytes(grown), read));
  EXPECT_EQ(read.Dates[0].tag, 2);
  EXPECT_EQ(read.Dates[1].tag, 5);
  EXPECT_EQ(read.Dates[3].tag, TaggedValue::kDate);
  EXPECT_EQ(read.Dates[3].date, -1.25);
  EXPECT_EQ(read.Dates[4].text, "circa 1921");
  EXPECT_EQ(read.Text128[1].Trimmed(), "key");

  const std::string unknown = b.substr(0, 8) + LittleEndian(9, 2) + b.substr(10);
  EXPECT_FALSE(hw::DecodeRecord(Bytes(unknown), read));
  // A text count running past the record.
  const std::string too_long = b.substr(0, 10) + LittleEndian(30000, 2) + b.substr(12);
  EXPECT_FALSE(hw::DecodeRecord(Bytes(too_long), read));
  EXPECT_EQ(read.Dates[4].text, "circa 1921");  // an unreadable record changes nothing
}

}  // namespace
