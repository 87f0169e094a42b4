#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "analysis/user_settings.h"
#include "lists/list_records.h"
#include "platform/run_error.h"
#include "records/collection_records.h"
#include "records/field_records.h"
#include "records/prior_lists.h"
#include "records/report_records.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "tablestore/table_header.h"

namespace {

using hw::Currency;
using hw::NewCollectionHeader;
using hw::NewItemExtension;
using hw::NewItemMain;
using hw::PriorItemExtension;
using hw::PriorItemMain;
using hw::TaggedValue;

template <class Record>
std::vector<std::byte> Encoded(const Record& r) {
  std::vector<std::byte> out(Record::kSize);
  hw::EncodeRecord(r, out);
  return out;
}

std::string At(const std::vector<std::byte>& bytes, size_t offset, size_t size) {
  return std::string(reinterpret_cast<const char*>(bytes.data()) + offset, size);
}

int64_t Le(const std::vector<std::byte>& bytes, size_t offset, size_t size) {
  uint64_t v = 0;
  for (size_t i = 0; i < size; ++i) v |= static_cast<uint64_t>(bytes[offset + i]) << (8 * i);
  if (size < 8 && (v >> (8 * size - 1)) != 0) v |= ~uint64_t{0} << (8 * size);
  return static_cast<int64_t>(v);
}

void PutLe(std::vector<std::byte>& bytes, size_t offset, int64_t value, size_t size) {
  for (size_t i = 0; i < size; ++i) bytes[offset + i] = std::byte((value >> (8 * i)) & 0xFF);
}

void PutText(std::vector<std::byte>& bytes, size_t offset, const std::string& text) {
  std::memcpy(bytes.data() + offset, text.data(), text.size());
}

// Checks one layout: its fields take the width its file states, and bytes one short of it, in
// a buffer of exactly that size, do not decode. The sanitizers catch any read past the buffer.
template <class Record>
void ExpectWidth(const char* name, size_t stated) {
  SCOPED_TRACE(name);
  Record r;
  EXPECT_EQ(hw::EncodedWidth(r), stated);
  std::vector<std::byte> whole(stated);
  EXPECT_TRUE(hw::DecodeRecord(whole, r));
  whole.pop_back();
  EXPECT_FALSE(hw::DecodeRecord(whole, r));
  EXPECT_FALSE(hw::DecodeRecord({}, r));
}

TEST(RecordLayouts, EachTakesItsStatedWidthAndAShortRecordDoesNotDecode) {
  ExpectWidth<hw::NewHeader>("new header", 32);
  ExpectWidth<hw::PriorHeader>("prior header", 24);
  ExpectWidth<hw::PriorUserRecord>("prior user", 255);
  ExpectWidth<hw::PriorCollectionEntry>("prior collection entry", 108);
  ExpectWidth<hw::PriorCollectionHeader>("prior collection header", 616);
  ExpectWidth<PriorItemMain>("prior item main", 2914);
  ExpectWidth<PriorItemExtension>("prior item extension", 2338);
  ExpectWidth<NewCollectionHeader>("new collection header", 1132);
  // An empty date bank is a 16-bit tag per value.
  ExpectWidth<NewItemMain>("new item main", 4376 + 16 * 2);
  ExpectWidth<NewItemExtension>("new item extension", 4608);
  ExpectWidth<hw::V4ScreenField>("prior screen field", 262);
  ExpectWidth<hw::V4FieldDef>("prior field definition", 34);
  ExpectWidth<hw::V5FieldDef>("new screen field", 536);
  ExpectWidth<hw::V4ReportDef>("prior report", 1606);
  // An empty variable text is its 16-bit count.
  ExpectWidth<hw::V5ReportDef>("new report", 2778);
  ExpectWidth<hw::PriorChoiceEntry>("prior choice entry", 48);
  ExpectWidth<hw::ChoiceEntry>("choice entry", 123);
  ExpectWidth<hw::PriorStorageRecord>("prior storage", 85);
  ExpectWidth<hw::PriorPartyRecord>("prior party", 188);
  ExpectWidth<hw::ContactRecord>("contact", 784);
  ExpectWidth<hw::UserSettingsRecord>("user settings", 659);
}

// --- The prior edition's lists, written byte by byte at the offsets of their layouts ---

TEST(PriorListRecords, UserAndCollectionListsDecodeFromTheirOffsets) {
  std::vector<std::byte> user(255, std::byte{'#'});
  PutText(user, 9, "C:\\HWVER4\\SMITH\\" + std::string(64 - 16, ' '));
  PutText(user, 87, "John Smith" + std::string(14, ' '));
  hw::PriorUserRecord u;
  ASSERT_TRUE(hw::DecodeRecord(user, u));
  EXPECT_EQ(hw::Trim(u.Folder.Raw()), "C:\\HWVER4\\SMITH\\");
  EXPECT_EQ(hw::Trim(u.Name.Raw()), "John Smith");

  std::vector<std::byte> entry(108, std::byte{'#'});
  PutText(entry, 0, "COINS   ");
  PutText(entry, 8, "US Coins" + std::string(20, ' '));
  hw::PriorCollectionEntry e;
  ASSERT_TRUE(hw::DecodeRecord(entry, e));
  EXPECT_EQ(hw::Trim(e.Code.Raw()), "COINS");
  EXPECT_EQ(hw::Trim(e.Name.Raw()), "US Coins");

  std::vector<std::byte> header(2914, std::byte{'#'});
  PutText(header, 62, "Coin    ");
  hw::PriorCollectionHeader h;
  ASSERT_TRUE(hw::DecodeRecord(header, h));
  EXPECT_EQ(hw::Trim(h.TypeCode.Raw()), "Coin");
}

TEST(PriorListRecords, StorageAndPartyRecordsDecodeFromTheirOffsets) {
  std::vector<std::byte> storage(85, std::byte{'#'});
  PutText(storage, 2, "Desk" + std::string(26, ' '));
  PutText(storage, 32, "Drawer" + std::string(24, ' '));
  PutText(storage, 62, "YnY");
  PutLe(storage, 67, -1234567, 8);
  hw::PriorStorageRecord r;
  ASSERT_TRUE(hw::DecodeRecord(storage, r));
  EXPECT_EQ(hw::Trim(r.Location.Raw()), "Desk");
  EXPECT_EQ(hw::Trim(r.Container.Raw()), "Drawer");
  EXPECT_EQ(r.Mark1.Raw(), "Y");
  EXPECT_EQ(r.Mark2.Raw(), "n");
  EXPECT_EQ(r.Mark3.Raw(), "Y");
  EXPECT_EQ(r.Amount.scaled, -1234567);

  // Each text filled to its width with its own letter, so a wrong offset or width shows.
  const std::array<std::pair<size_t, size_t>, 8> texts = {
      {{0, 24}, {24, 16}, {40, 24}, {64, 24}, {88, 2}, {90, 10}, {100, 24}, {124, 64}}};
  std::vector<std::byte> party(188);
  for (size_t i = 0; i < texts.size(); ++i) {
    PutText(party, texts[i].first, std::string(texts[i].second, static_cast<char>('A' + i)));
  }
  hw::PriorPartyRecord p;
  ASSERT_TRUE(hw::DecodeRecord(party, p));
  const std::array<std::string_view, 8> read = {p.Name.Raw(),    p.Text24.Raw(), p.Text40.Raw(),
                                                p.Text64.Raw(),  p.Text88.Raw(), p.Text90.Raw(),
                                                p.Text100.Raw(), p.Text124.Raw()};
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(read[i], std::string(texts[i].second, static_cast<char>('A' + i))) << i;
  }
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

TEST(PriorItemRecords, BanksDecodeFromTheirOffsets) {
  std::vector<std::byte> main(PriorItemMain::kSize);
  PutLe(main, 92 + 2 * 12, -7, 2);
  PutLe(main, 118 + 8 * 8, 25000, 8);
  PutText(main, 190 + 8 * 8, "T8");
  PutText(main, 262, "T12");
  PutText(main, 370 + 16 * 8, "T16");
  PutText(main, 514 + 32 * 8, "T32");
  PutText(main, 802 + 64 * 2, "T64");
  PutText(main, 994 + 128 * 2, "PIC2");
  PutText(main, 1378 + 256, "T256");
  PutText(main, 1890, "NOTE");
  PriorItemMain m;
  ASSERT_TRUE(hw::DecodeRecord(main, m));
  EXPECT_EQ(m.Integers[12], -7);
  EXPECT_EQ(m.Amounts[8].scaled, 25000);
  EXPECT_EQ(m.Text8[8].Raw().substr(0, 2), "T8");
  EXPECT_EQ(m.Text12[0].Raw().substr(0, 3), "T12");
  EXPECT_EQ(m.Text16[8].Raw().substr(0, 3), "T16");
  EXPECT_EQ(m.Text32[8].Raw().substr(0, 3), "T32");
  EXPECT_EQ(m.Text64[2].Raw().substr(0, 3), "T64");
  EXPECT_EQ(m.Text128[2].Raw().substr(0, 4), "PIC2");
  EXPECT_EQ(m.Text256[1].Raw().substr(0, 4), "T256");
  EXPECT_EQ(m.Note.Raw().substr(0, 4), "NOTE");

  std::vector<std::byte> ext(PriorItemExtension::kSize);
  PutLe(ext, 204 + 4 * 3, 123456, 4);
  PutLe(ext, 220 + 2 * 13, 3, 2);
  PutLe(ext, 254 + 8 * 9, 90000, 8);
  PutText(ext, 358 + 12 * 7, "half_dol");
  PutText(ext, 562 + 16 * 8, "X16");
  PutText(ext, 706 + 32 * 6, "Level1");
  PutText(ext, 994 + 64 * 2, "X64");
  PutText(ext, 1186, "X128");
  PutText(ext, 1570 + 256 * 2, "X256");
  PriorItemExtension x;
  ASSERT_TRUE(hw::DecodeRecord(ext, x));
  EXPECT_EQ(x.Longs[3], 123456);
  EXPECT_EQ(x.Integers[PriorItemExtension::kBuySellMarker], 3);
  EXPECT_EQ(x.Amounts[PriorItemExtension::kRealizedProfit].scaled, 90000);
  EXPECT_EQ(x.Text12[PriorItemExtension::kUsCoinType].Raw().substr(0, 8), "half_dol");
  EXPECT_EQ(x.Text16[8].Raw().substr(0, 3), "X16");
  EXPECT_EQ(x.Text32[PriorItemExtension::kLinkedLevel1].Raw().substr(0, 6), "Level1");
  EXPECT_EQ(x.Text64[2].Raw().substr(0, 3), "X64");
  EXPECT_EQ(x.Text128[0].Raw().substr(0, 4), "X128");
  EXPECT_EQ(x.Text256[2].Raw().substr(0, 4), "X256");
}

TEST(NewCollectionHeaderRecord, FieldsLieAtTheirOffsets) {
  NewCollectionHeader h;
  h.TypeName.Set("Coin");
  h.Code.Set("COINS");
  h.Integer216 = 5;
  h.Text218.Set("");
  h.Integer250 = 6;
  h.Text316.Set("Standard");
  h.KeyCaptions[1].Set("Mint");
  h.KeyCodes[1] = 47;
  h.Amount544 = Currency{10000};
  h.Amounts556[9] = Currency{20000};
  const std::vector<std::byte> b = Encoded(h);
  ASSERT_EQ(b.size(), 1132u);
  EXPECT_EQ(At(b, 0, 8), std::string(8, '\0'));  // never assigned
  EXPECT_EQ(At(b, 8, 32), "Coin" + std::string(28, ' '));
  EXPECT_EQ(At(b, 72, 5), "COINS");
  EXPECT_EQ(Le(b, 216, 2), 5);
  EXPECT_EQ(At(b, 218, 32), std::string(32, ' '));
  EXPECT_EQ(Le(b, 250, 2), 6);
  EXPECT_EQ(At(b, 316, 8), "Standard");
  EXPECT_EQ(At(b, 352 + 32, 4), "Mint");
  EXPECT_EQ(Le(b, 512 + 4, 4), 47);
  EXPECT_EQ(Le(b, 544, 8), 10000);
  EXPECT_EQ(Le(b, 556 + 72, 8), 20000);
}

TEST(NewItemExtensionRecord, FieldsLieAtTheirOffsets) {
  NewItemExtension x;
  x.PicturePaths[1].Set("StdDB\\Stamp\\Images\\1.b01");
  x.Note.Set("note");
  x.Text2632.Blank();
  x.Text50[23].Set("last");
  x.Longs3960[0] = 1;
  x.Longs4056[0] = 2;
  x.Longs4136[0] = 3;
  x.Longs4216[19] = 4;
  x.Integers4296[19] = -1;
  const std::vector<std::byte> b = Encoded(x);
  EXPECT_EQ(At(b, 0, 8), std::string(8, '\0'));
  EXPECT_EQ(At(b, 88, 24), "StdDB\\Stamp\\Images\\1.b01");
  EXPECT_EQ(At(b, 1608, 4), "note");
  EXPECT_EQ(At(b, 2632, 128), std::string(128, ' '));
  EXPECT_EQ(At(b, 2760 + 50 * 23, 4), "last");
  EXPECT_EQ(Le(b, 3960, 4), 1);
  EXPECT_EQ(Le(b, 4056, 4), 2);
  EXPECT_EQ(Le(b, 4136, 4), 3);
  EXPECT_EQ(Le(b, 4216 + 76, 4), 4);
  EXPECT_EQ(Le(b, 4296 + 38, 2), -1);
}

// Offsets of the fixed banks after a date bank of `d` bytes.
struct MainOffsets {
  explicit MainOffsets(size_t d) : flags(8 + d) {}
  size_t flags;
  size_t longs() const { return flags + 32; }
  size_t amounts() const { return longs() + 64; }
  size_t text8() const { return amounts() + 128; }
  size_t text32() const { return text8() + 96 + 144 + 320; }
  size_t linked() const { return text32() + 640; }
  size_t financial() const { return linked() + 512 + 256 + 512 + 1536; }
};

TEST(NewItemMainRecord, LaterBanksMoveWithTheDateBank) {
  NewItemMain item;
  for (TaggedValue& d : item.Dates) d = TaggedValue::Date(7686.5);
  item.Flags[1] = true;
  item.Longs[NewItemMain::kStandardReference] = 4242;
  item.Amounts[0] = Currency{35000};
  item.Text8[0].Set("t8");
  item.Text32[19].Set("last32");
  item.Linked[NewItemMain::LinkedPosition(2, 1)].Set("1 Cent");
  item.Financial[15] = Currency{-10000};
  std::vector<std::byte> b = Encoded(item);
  EXPECT_EQ(item.EncodedSize(), 4376u + 160u);
  EXPECT_EQ(Le(b, 8, 2), 7);
  MainOffsets at(160);
  EXPECT_EQ(Le(b, at.flags + 2, 2), -1);
  EXPECT_EQ(Le(b, at.longs() + 60, 4), 4242);
  EXPECT_EQ(Le(b, at.amounts(), 8), 35000);
  EXPECT_EQ(At(b, at.text8(), 2), "t8");
  EXPECT_EQ(At(b, at.text32() + 32 * 19, 6), "last32");
  EXPECT_EQ(At(b, at.linked() + 32 * 6, 6), "1 Cent");
  EXPECT_EQ(Le(b, at.financial() + 120, 8), -10000);

  // Empty texts: a tag and a zero count each, 64 bytes in all.
  for (TaggedValue& d : item.Dates) d = TaggedValue::Textual("");
  b = Encoded(item);
  EXPECT_EQ(Le(b, 8, 2), 8);
  EXPECT_EQ(Le(b, 10, 2), 0);
  EXPECT_EQ(Le(b, MainOffsets(64).longs() + 60, 4), 4242);
}

TEST(NewItemMainRecord, ADateBankPast232BytesIsABadRecordLength) {
  NewItemMain item;
  for (TaggedValue& d : item.Dates) d = TaggedValue::Textual("");
  item.Dates[0] = TaggedValue::Textual(std::string(232 - 64, 'x'));
  EXPECT_EQ(item.EncodedSize(), 4608u);
  EXPECT_NO_THROW(Encoded(item));
  item.Dates[0].text += "x";
  try {
    Encoded(item);
    FAIL() << "expected error 59";
  } catch (const hw::RunError& e) {
    EXPECT_EQ(e.number, hw::kBadRecordLength);
  }
}

TEST(NewItemMainRecord, DecodeStepsOverFixedSizeTagsAndRefusesUnknownOnes) {
  NewItemMain written;
  for (TaggedValue& d : written.Dates) d = TaggedValue::Textual("");
  written.Dates[3] = TaggedValue::Date(-1.25);
  written.Dates[4] = TaggedValue::Textual("circa 1921");
  written.Text128[1].Set("key");
  std::vector<std::byte> b = Encoded(written);
  // Rewrite the first value as a 16-bit integer (tag 2) and the second as a double (tag 5):
  // the bank grows by 2 + 8 bytes, so the rest moves.
  std::vector<std::byte> grown(b.size());
  PutLe(grown, 8, 2, 2);
  PutLe(grown, 10, 99, 2);
  PutLe(grown, 12, 5, 2);
  PutLe(grown, 14, 0, 8);
  std::memcpy(grown.data() + 22, b.data() + 16, b.size() - 22);
  NewItemMain read;
  ASSERT_TRUE(hw::DecodeRecord(grown, read));
  EXPECT_EQ(read.Dates[0].tag, 2);
  EXPECT_EQ(read.Dates[1].tag, 5);
  EXPECT_EQ(read.Dates[3].tag, TaggedValue::kDate);
  EXPECT_EQ(read.Dates[3].date, -1.25);
  EXPECT_EQ(read.Dates[4].text, "circa 1921");
  EXPECT_EQ(read.Text128[1].Trimmed(), "key");

  std::vector<std::byte> unknown = b;
  PutLe(unknown, 8, 9, 2);
  EXPECT_FALSE(hw::DecodeRecord(unknown, read));
  std::vector<std::byte> too_long = b;
  PutLe(too_long, 10, 30000, 2);  // a text count running past the record
  EXPECT_FALSE(hw::DecodeRecord(too_long, read));
  EXPECT_EQ(read.Dates[4].text, "circa 1921");  // an unreadable record changes nothing
}

}  // namespace
