#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "collections/collections_driver.h"
#include "collections/item_conversion.h"
#include "collections/item_values.h"
#include "collections/picture_paths.h"
#include "collections/standard_reference.h"
#include "fixtures/table_image.h"
#include "records/collection_records.h"
#include "records/field_records.h"
#include "records/prior_lists.h"
#include "support/conversion_fixture.h"

namespace hw {
namespace {

constexpr char kItemError[] = "Error encountered converting collection ";

V4ScreenField ScreenField(const std::string& caption, int16_t type, int16_t slot) {
  V4ScreenField f;
  f.Caption.Set(caption);
  f.DataType = type;
  f.Slot = slot;
  return f;
}

V5FieldDef NewField(const std::string& name, int32_t type, int32_t slot) {
  V5FieldDef f;
  f.FieldName.Set(name);
  f.DataType = type;
  f.Slot = slot;
  return f;
}

// A prior item as the prior edition writes it: every text assigned, so blank when empty.
struct PriorItem {
  PriorItem() {
    BlankTexts(main);
    BlankTexts(ext);
  }
  PriorItemMain main;
  PriorItemExtension ext;
};

struct NewFile {
  int32_t next_record = 0;  // 0 when there is no file
  std::vector<NewItemMain> items;
  std::vector<NewItemExtension> extensions;
};

class CollectionsTest : public ::testing::Test {
 protected:
  CollectionsTest() {
    fx.MakeNewFolder("video");
    fx.MakeNewFolder("SMITH/My Collections");
    fx.MakeNewFolder("StdDB/United States Coin");
    c().collections.current_user.Folder.Set("C:\\HWVER4\\SMITH\\");
    c().new_user_folder = "N:\\SMITH\\";
  }

  Conversion& c() { return fx.c(); }

  // The collection file code.cl4 in the prior folder (a path ending in "/", or a name prefix).
  void WritePriorCollection(const std::string& code, const std::string& type,
                            const std::vector<PriorItem>& items,
                            const std::string& folder = "SMITH/") {
    TableImage t = TableImage::Prior(code + ".cl4", PriorItemMain::kSize, 4);
    PriorCollectionHeader h;
    h.TypeCode.Set(type);
    t.Put(3, h);
    for (const PriorItem& item : items) {
      t.Append(item.main);
      t.Append(item.ext);
    }
    testing::WriteBytes(fx.Prior(folder + code + ".cl4"), t.Bytes());
  }

  void Convert(const std::string& code, const std::string& name) {
    c().collections.collection_name = name;
    ConvertCollection(c(), code + ".cl4", true);
  }

  // The new collection file: its NextRecord and items (whose extension records must decode too).
  NewFile ReadNew(const std::string& name) {
    const std::string relative = "SMITH/My Collections/" + name + ".clu";
    if (!std::filesystem::exists(fx.New(relative))) return {};
    const int32_t next_record = fx.NextRecordOf(relative);
    std::vector<std::byte> bytes = testing::ReadBytes(fx.New(relative));
    bytes.resize(static_cast<size_t>(std::max(next_record, 4)) * NewItemMain::kSize);
    auto record = [&](int64_t n) {
      return std::span(bytes).subspan((n - 1) * NewItemMain::kSize, NewItemMain::kSize);
    };
    NewFile file{next_record, {}, {}};
    for (int64_t r = 4; r < next_record; r += 2) {
      EXPECT_TRUE(DecodeRecord(record(r), file.items.emplace_back()) &&
                  DecodeRecord(record(r + 1), file.extensions.emplace_back()))
          << r;
    }
    return file;
  }

  testing::ConversionFixture fx;
};

// Values converted across kinds, rounded, parsed as dates or kept as text; a second run
// appends the items again.
TEST_F(CollectionsTest, ValuesChangeKindAndASecondRunAppendsThemAgain) {
  fx.WritePrior("Video/Coin.vsd", 4,
                std::vector{ScreenField("COUNTRY:", 5, 0), ScreenField("DENOMINATION:", 5, 1),
                            ScreenField("MM:", 3, 0), ScreenField("PRICE:", 2, 0),
                            ScreenField("COST:", 2, 1), ScreenField("PURCHASED:", 5, 2),
                            ScreenField("MADE:", 5, 3), ScreenField("DATE:", 4, 0),
                            ScreenField("PUBLISHED", 2, 2), ScreenField("NOTE", 10, 0)});
  fx.WriteNew(
      "video/Coin.vsd", 4,
      std::vector{NewField("COUNTRY", 16, 2), NewField("MINT", 5, 3), NewField("DATE", 5, 5),
                  NewField("PRICE", 1, 2), NewField("COST", 1, 3), NewField("PURCHASED", 12, 2),
                  NewField("MADE", 12, 3), NewField("PUBLISHED", 12, 4)});
  PriorItem coin;
  coin.main.Text32[0].Set("United States");
  coin.main.Text32[1].Set("1 Cent");
  coin.main.Text8[0].Set("S");
  coin.main.Amounts[0] = Currency{25000};
  coin.main.Amounts[1] = Currency{35000};
  coin.main.Amounts[2] = Currency{19210000};
  coin.main.Text32[2].Set("3/15/1921");
  coin.main.Text32[3].Set("circa 1921");
  coin.main.Text12[0].Set("1909");
  coin.ext.Text12[PriorItemExtension::kUsCoinType].Set("cent_whe");
  coin.main.Note = {};  // never filled: zero characters
  WritePriorCollection("COINS", "Coin", {coin});

  Convert("COINS", "US Coins");
  EXPECT_TRUE(fx.ui.Messages().empty());
  const NewItemMain item = ReadNew("US Coins").items.at(0);
  EXPECT_EQ(std::make_tuple(item.Linked[2].Trimmed(), item.Linked[6].Trimmed(),
                            item.Text32[3].Trimmed(), item.Text32[5].Trimmed()),
            std::make_tuple("United States", "1 Cent", "S", "1909"));
  // 2.5 and 3.5 round to even.
  EXPECT_EQ(std::make_tuple(item.Longs[2], item.Longs[3]), std::make_tuple(2, 4));
  // An amount reaches a date as its general number, here not a date.
  EXPECT_EQ(
      std::make_tuple(item.Dates[2].tag, item.Dates[2].date, item.Dates[3].tag, item.Dates[3].text,
                      item.Dates[4].tag, item.Dates[4].text, item.Dates[0].tag, item.Dates[0].text),
      std::make_tuple(TaggedValue::kDate, 7745.0, TaggedValue::kText, "circa 1921",
                      TaggedValue::kText, "1921", TaggedValue::kText, ""));
  // The missing standard coin table was created empty; the coin has no reference.
  EXPECT_TRUE(std::filesystem::exists(fx.New("StdDB/United States Coin/Cent-Lincoln Wheat.tyu")));
  EXPECT_EQ(item.Longs[NewItemMain::kStandardReference], 0);

  Convert("COINS", "US Coins");
  const NewFile file = ReadNew("US Coins");
  EXPECT_EQ(file.next_record, 8);
  EXPECT_EQ(file.items.at(1).Linked[6].Trimmed(), "1 Cent");
  EXPECT_EQ(file.extensions.at(1).Note.Raw(), std::string(1024, ' '));
}

// Collections that fail, then one that converts: a failure ends only its collection, with one
// log line, the items written before it kept and its tables closed again.
TEST_F(CollectionsTest, AFailureEndsOnlyItsCollection) {
  fx.WritePrior("Video/Books.vsd", 4, std::vector{ScreenField("TITLE", 8, 0)});
  fx.WriteNew("video/Book.vsd", 4, std::vector{NewField("TITLE", 12, 0)});
  PriorItem title;
  title.main.Text256[0].Set("Moby Dick");
  PriorItem long_title;
  long_title.main.Text256[0].Set(std::string(200, 'x'));  // a date text too long for the record
  WritePriorCollection("BOOKS", "Books", {title, long_title, title});
  fx.WritePrior("Video/Misc.vsd", 4,
                std::vector{ScreenField("TITLE", 5, 9)});  // no tenth text-32 element
  WritePriorCollection("BAD", "Misc", {title});
  WritePriorCollection("NODESIGN", "Nothing", {title});
  fx.WritePrior("Video/Many.vsd", 4, std::vector<V4ScreenField>(65, ScreenField("X", 5, 0)));
  WritePriorCollection("MANY", "Many", {title});
  // Linked fields are numbered 0 to 3: a fifth one is outside the bank, not another field's
  // later levels.
  fx.WritePrior("Video/Linked.vsd", 4, std::vector{ScreenField("ISSUER", 5, 0)});
  fx.WriteNew("video/Linked.vsd", 4, std::vector{NewField("ISSUER", 16, 4)});
  WritePriorCollection("LINKED", "Linked", {title});
  WritePriorCollection("FULL", "Books", {title});
  TableImage::New("FULL.clu", NewItemMain::kSize, 4)
      .WriteTo(fx.New("SMITH/My Collections/FULL.clu"));
  fx.faults.Add({"Full.clu", FaultOp::kWrite, kDiskFull, 1});
  WritePriorCollection("OK", "Books", {title});

  const struct {
    const char* code;
    bool fails;
    int32_t next_record;                  // of the new collection file, 0 when there is none
  } collections[] = {{"BOOKS", true, 6},  // the first item stays, its header written back
                     {"BAD", true, 4},    {"NODESIGN", true, 0}, {"MANY", true, 0},
                     {"LINKED", true, 4}, {"FULL", true, 4},     {"OK", false, 6}};
  size_t failed = 0;
  for (const auto& [code, fails, next_record] : collections) {
    SCOPED_TRACE(code);
    Convert(code, code);
    failed += fails ? 1 : 0;
    EXPECT_EQ(fx.LogLines(), std::vector<std::string>(failed, kItemError));
    const NewFile file = ReadNew(code);
    EXPECT_EQ(file.next_record, next_record);
    if (next_record > 4) {
      EXPECT_EQ(file.items.at(0).Dates[0].text, "Moby Dick");
    }
    // Every table a failed collection opened was closed again; after a conversion only the new
    // screen design stays open, until the next collection.
    int open = 0;
    for (int number = 1; number <= 30; ++number) open += c().fs.IsOpen(number) ? 1 : 0;
    EXPECT_EQ(open, fails ? 0 : 1);
  }
  EXPECT_TRUE(fx.ui.Messages().empty());
}

TEST(PicturePaths, FolderRules) {
  auto path = [](std::string_view code, std::string_view type, std::string_view country,
                 std::string_view db = "") {
    Text<80> p;
    p.Set(code);
    RewritePicturePath(p, ".a01", {type, country, db});
    return p.Trimmed();
  };
  // United States coins before euro coins; other currency, and types other than "Coin" exactly,
  // by their database name.
  EXPECT_EQ(path("E2002", "Coin", "United States"), "StdDB\\United States Coin\\Images\\E2002.a01");
  EXPECT_EQ(path("A1234", "Currency", "Canada", "Currency"), "StdDB\\Currency\\Images\\A1234.a01");
  EXPECT_EQ(path("12345", "COIN", "United States", "COIN"), "StdDB\\COIN\\Images\\12345.a01");
  // The rewritten path is cut to its field.
  Text<80> long_path;
  long_path.Set(std::string(70, 'P'));
  RewritePicturePath(long_path, ".b01", {"Stamps", "", "Stamp"});
  EXPECT_EQ(long_path.Raw(), "StdDB\\Stamp\\Images\\" + std::string(61, 'P'));
}

TEST(ItemValues, NumbersAndDatesFromTexts) {
  EXPECT_EQ(GeneralNumber(Currency{300}), "0.03");
  EXPECT_EQ(GeneralNumber(Currency{-10000}), "-1");
  EXPECT_EQ(GeneralNumber(Currency{922337203685477580}), "92233720368547.758");
  EXPECT_EQ(WholeNumber(Currency{-25000}), -2);
  EXPECT_EQ(WholeNumber(Currency{-35000}), -4);
  EXPECT_THROW(WholeNumber(Currency{int64_t{3000000000} * 10000}), RunError);
  EXPECT_THROW(AsWholeNumber(ItemValue::OfText("1e99")), RunError);
  EXPECT_EQ(AsWholeNumber(ItemValue::OfText("12 pages")), 0);
  EXPECT_EQ(AsAmount(ItemValue::OfText("+0.03")).scaled, 300);
  EXPECT_EQ(std::make_tuple(AsWholeNumber(ItemValue::OfText("312")),
                            AsFlag(ItemValue::OfText("no")), AsFlag(ItemValue::OfText("True")),
                            AsFlag(ItemValue::OfText("yes")), AsFlag(ItemValue::OfText("-1"))),
            std::make_tuple(312, false, true, true, true));

  for (const char* text : {"1921-03-15", "March 15, 1921", "15-Mar-1921", "15 mar. 1921"}) {
    EXPECT_EQ(DateFromText(text), 7745) << text;
  }
  EXPECT_EQ(DateFromText("3/15/21"), 44270);
  EXPECT_EQ(DateFromText("12/29/1899 6:00"), -1.25);
  EXPECT_EQ(DateFromText("12/30/1899 6:00 PM"), 0.75);
  for (const char* text : {"3/15", "2/30/1921", "March 1921", "circa 1921", "15/3/1921"}) {
    EXPECT_FALSE(DateFromText(text)) << text;
  }
}

// An entry of a standard coin table: a quarter of the mint, with its reference.
NewItemMain Entry(const std::string& mint, int32_t reference) {
  NewItemMain e;
  for (TaggedValue& d : e.Dates) d = TaggedValue::Textual("");
  e.Linked[NewItemMain::LinkedPosition(2, 1)].Set("25 Cents");
  e.Text32[3].Set(mint);
  e.Longs[NewItemMain::kStandardReference] = reference;
  return e;
}

// The standard reference of a coin, from the standard coin table its type names.
TEST_F(CollectionsTest, StandardReferenceIsTheFirstMatchAndAFailedTableIsReadAgain) {
  TableImage t = TableImage::New("Quarter-Washington.tyu", NewItemMain::kSize, 4);
  t.Put(4, Entry("D", 11));
  t.Put(6, Entry("S", 12));
  t.Put(8, Entry("D", 13));   // a duplicate of record 4
  t.Put(20, Entry("P", 14));  // past a gap of zero records
  std::vector<std::byte> bytes(NewItemMain::kSize);
  EncodeRecord(Entry("W", 15), bytes);
  bytes[8] = std::byte{9};  // an unknown tag
  t.PutBytes(22, bytes);
  t.Put(24, Entry("W", 16));
  t.set_next_record(std::numeric_limits<int32_t>::max());
  t.WriteTo(fx.New("StdDB/United States Coin/Quarter-Washington.tyu"));
  TableImage dimes = TableImage::New("Dime-Roosevelt.tyu", NewItemMain::kSize, 4);
  dimes.Put(4, Entry("S", 555));
  dimes.set_next_record(8);
  dimes.WriteTo(fx.New("StdDB/United States Coin/Dime-Roosevelt.tyu"));

  // The first entry in record order that agrees on the six fields; the unreadable one is passed
  // over; nothing matches "CC".
  const std::pair<const char*, int32_t> expected[] = {
      {"D", 11}, {"S", 12}, {"P", 14}, {"W", 16}, {"CC", 0}};
  for (const auto& [mint, reference] : expected) {
    EXPECT_EQ(StandardReferenceNumber(c(), "Quart_wa    ", Entry(mint, 0)), reference) << mint;
  }
  EXPECT_EQ(c().collections.coin_tables.size(), 1u);  // read once
  EXPECT_EQ(c().collections.coin_table, 0);
  // Unknown codes open no table.
  for (const char* code : {"nothing", "            ", ""}) {
    EXPECT_EQ(StandardReferenceNumber(c(), code, Entry("D", 0)), 0) << code;
  }
  const std::filesystem::directory_iterator tables(fx.New("StdDB/United States Coin"));
  EXPECT_EQ(std::distance(tables, std::filesystem::directory_iterator()), 2);

  // The dime table's header read fails (Ignore: the quarter table's header stands in) and then
  // its first entry; the next dime reads the table afresh.
  fx.faults.Add({"Dime-Roosevelt.tyu", FaultOp::kRead, kDeviceIoError, 2});
  fx.ui.QueueReplies({Reply::kIgnore});
  EXPECT_EQ(StandardReferenceNumber(c(), "dime_roo", Entry("S", 0)), 0);
  EXPECT_EQ(StandardReferenceNumber(c(), "dime_roo", Entry("S", 0)), 555);
  EXPECT_EQ(StandardReferenceNumber(c(), "quart_wa", Entry("D", 0)), 11);
  EXPECT_EQ(fx.ui.MessageTexts(), std::vector<std::string>{"Internal disk error."});
}

// Users SMITH and JONES, one without a folder, and X: a one-character folder name without a "\"
// at its end, so its tables are named on from "X" and its collections go where JONES's went. A
// failure to write the log ends the operation; the next run converts every collection.
TEST_F(CollectionsTest, EveryCollectionOfEveryUserWithAFolder) {
  const auto entry = [](const char* code, const char* name) {
    PriorCollectionEntry e;
    e.Code.Set(code);
    e.Name.Set(name);
    return e;
  };
  fx.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\", "C:\\HWVER4\\JONES\\", "C:\\HWVER4\\X"});
  fx.MakeNewFolder("JONES/My Collections");
  fx.WritePrior(
      "SMITH/Collect.mst", 3,
      std::vector{entry("COINS", "Coins*?<1>.2;3\\4: 5/6 \"Set\""), entry("GONE", "Gone")});
  fx.WritePrior("JONES/Collect.mst", 3, std::vector{entry("NOTES", "Notes")});
  fx.WritePrior("XCollect.mst", 3, std::vector{entry("NOTES", "X Notes")});
  fx.WritePrior("Video/Coin.vsd", 4, std::vector<V4ScreenField>{});
  fx.WritePrior("Video/Currency.vsd", 4, std::vector<V4ScreenField>{});
  WritePriorCollection("COINS", "Coin", {PriorItem{}});
  WritePriorCollection("NOTES", "Currency", {}, "JONES/");
  WritePriorCollection("NOTES", "Currency", {}, "X");

  fx.faults.Add({"HoardwiseCLog.lst", FaultOp::kWrite, kBadFileName, 1});
  ConvertCollections(c());
  const std::string failed = "Error Converting: Coins~~[1]-2-3&4- 5&6 Set";
  EXPECT_EQ(fx.LogLines(), std::vector<std::string>{failed});
  const std::vector<std::string> illegal = {
      "That Name is illegal, you may only use A-Z,0-9,_, and &."};
  EXPECT_EQ(fx.ui.MessageTexts(), illegal);
  EXPECT_FALSE(std::filesystem::exists(fx.New("JONES/My Collections/Notes.clu")));
  EXPECT_EQ(c().fs.FreeFile(), 1);

  ConvertCollections(c());
  const std::vector<std::string> converting = {"Converting: Coins~~[1]-2-3&4- 5&6 Set",
                                               "Converting: Gone", "Converting: Notes",
                                               "Converting: X Notes"};
  EXPECT_EQ(fx.LogLines(), (std::vector<std::string>{failed, converting[0], converting[1],
                                                     kItemError, converting[2], converting[3]}));
  EXPECT_EQ(fx.ui.StatusCaptions(), converting);
  EXPECT_EQ(fx.ui.MessageTexts(), illegal);
  EXPECT_EQ(ReadNew("Coins~~[1]-2-3&4- 5&6 Set").items.size(), 1u);
  for (const std::string notes : {"Notes", "X Notes"}) {
    EXPECT_TRUE(std::filesystem::exists(fx.New("JONES/My Collections/" + notes + ".clu"))) << notes;
  }
}

}  // namespace
}  // namespace hw
