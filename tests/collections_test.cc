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
#include "tablestore/table_header.h"

namespace {

using hw::Currency;
using hw::NewCollectionHeader;
using hw::NewItemExtension;
using hw::NewItemMain;
using hw::PriorItemExtension;
using hw::PriorItemMain;
using hw::TableImage;
using hw::TaggedValue;

constexpr char kItemError[] = "Error encountered converting collection ";

hw::V4ScreenField ScreenField(const std::string& caption, int16_t type, int16_t slot) {
  hw::V4ScreenField f;
  f.Caption.Set(caption);
  f.DataType = type;
  f.Slot = slot;
  return f;
}

hw::V5FieldDef NewField(const std::string& name, int32_t type, int32_t slot) {
  hw::V5FieldDef f;
  f.FieldName.Set(name);
  f.DataType = type;
  f.Slot = slot;
  return f;
}

// A prior item as the prior edition writes it: every text assigned, so blank when empty.
struct PriorItem {
  PriorItem() {
    hw::BlankTexts(main);
    hw::BlankTexts(ext);
  }
  PriorItemMain main;
  PriorItemExtension ext;
};

struct NewFile {
  int32_t next_record = 0;
  NewCollectionHeader header;
  std::vector<std::pair<NewItemMain, NewItemExtension>> items;
};

class CollectionsTest : public ::testing::Test {
 protected:
  CollectionsTest() {
    fx.MakePriorFolder("SMITH");
    fx.MakePriorFolder("Video");
    fx.MakeNewFolder("video");
    fx.MakeNewFolder("SMITH/My Collections");
    fx.MakeNewFolder("StdDB/United States Coin");
    c().collections.current_user.Folder.Set("C:\\HWVER4\\SMITH\\");
    c().new_user_folder = "N:\\SMITH\\";
  }

  hw::Conversion& c() { return fx.c(); }

  void WritePriorDesign(const std::string& code, const std::vector<hw::V4ScreenField>& fields) {
    fx.WritePrior("Video/" + code + ".vsd", 4, fields);
  }

  void WriteNewDesign(const std::string& name, const std::vector<hw::V5FieldDef>& fields) {
    fx.WriteNew("video/" + name + ".vsd", 4, fields);
  }

  void WritePriorCollection(const std::string& code, const std::string& type,
                            const std::vector<PriorItem>& items,
                            const std::string& user = "SMITH") {
    TableImage t = TableImage::Prior(code + ".cl4", PriorItemMain::kSize, 4);
    hw::PriorCollectionHeader h;
    h.TypeCode.Set(type);
    t.Put(3, h);
    for (const PriorItem& item : items) {
      t.Append(item.main);
      t.Append(item.ext);
    }
    t.WriteTo(fx.Prior(user + "/" + code + ".cl4"));
  }

  void Convert(const std::string& code, const std::string& name) {
    c().collections.collection_name = name;
    hw::ConvertCollection(c(), code + ".cl4", true);
  }

  NewFile ReadNew(const std::string& name) {
    std::vector<std::byte> bytes =
        hw::testing::ReadBytes(fx.New("SMITH/My Collections/" + name + ".clu"));
    NewFile file;
    hw::NewHeader h;
    EXPECT_TRUE(hw::DecodeRecord(bytes, h));
    file.next_record = h.next_record;
    bytes.resize(static_cast<size_t>(std::max(h.next_record, 4)) * NewItemMain::kSize);
    auto record = [&](int64_t n) {
      return std::span(bytes).subspan((n - 1) * NewItemMain::kSize, NewItemMain::kSize);
    };
    EXPECT_TRUE(hw::DecodeRecord(record(3), file.header));
    for (int64_t r = 4; r < h.next_record; r += 2) {
      auto& [main, ext] = file.items.emplace_back();
      EXPECT_TRUE(hw::DecodeRecord(record(r), main));
      EXPECT_TRUE(hw::DecodeRecord(record(r + 1), ext));
    }
    return file;
  }

  hw::testing::ConversionFixture fx;
};

// Values converted across kinds, rounded, parsed as dates or kept as text, and joined.
TEST_F(CollectionsTest, ValuesChangeKindAndASecondRunAppendsThemAgain) {
  WritePriorDesign("Coin", {ScreenField("COUNTRY:", 5, 0), ScreenField("DENOMINATION:", 5, 1),
                            ScreenField("MM:", 3, 0), ScreenField("PRICE:", 2, 0),
                            ScreenField("COST:", 2, 1), ScreenField("PURCHASED:", 5, 2),
                            ScreenField("MADE:", 5, 3), ScreenField("DATE:", 4, 0)});
  WriteNewDesign("Coin", {NewField("COUNTRY", 16, 2), NewField("MINT", 5, 3),
                          NewField("DATE", 5, 5), NewField("PRICE", 1, 2), NewField("COST", 1, 3),
                          NewField("PURCHASED", 12, 2), NewField("MADE", 12, 3)});
  PriorItem coin;
  coin.main.Text32[0].Set("United States");
  coin.main.Text32[1].Set("1 Cent");
  coin.main.Text8[0].Set("S");
  coin.main.Amounts[0] = Currency{25000};
  coin.main.Amounts[1] = Currency{35000};
  coin.main.Text32[2].Set("3/15/1921");
  coin.main.Text32[3].Set("circa 1921");
  coin.main.Text12[0].Set("1909");
  coin.ext.Text12[PriorItemExtension::kUsCoinType].Set("cent_whe");
  WritePriorCollection("COINS", "Coin", {coin});
  WritePriorDesign("Stamps", {ScreenField("DATE OF ISSUE:", 5, 1), ScreenField("DATE(S):", 5, 2)});
  WriteNewDesign("Stamp", {NewField("DATE", 5, 2)});
  PriorItem stamp;
  stamp.main.Text32[1].Set("1921");
  stamp.main.Text32[2].Set("1922");
  WritePriorCollection("STAMPS", "Stamps", {stamp});
  WritePriorDesign("Books", {ScreenField("PAGES", 5, 0), ScreenField("PRICE", 2, 0),
                             ScreenField("SIGNED", 5, 1), ScreenField("PUBLISHED", 2, 1)});
  WriteNewDesign("Book", {NewField("PAGES", 1, 1), NewField("PRICE", 6, 0),
                          NewField("SIGNED", 14, 2), NewField("PUBLISHED", 12, 4)});
  PriorItem book;
  book.main.Text32[0].Set("312");
  book.main.Amounts[0] = Currency{-12500};
  book.main.Text32[1].Set("yes");
  book.main.Amounts[1] = Currency{19210000};
  WritePriorCollection("BOOKS", "Books", {book});

  Convert("STAMPS", "Stamps");
  Convert("BOOKS", "Books");
  EXPECT_EQ(ReadNew("Stamps").items.at(0).first.Text32[2].Trimmed(), "1921 1922");
  const NewItemMain b = ReadNew("Books").items.at(0).first;
  EXPECT_EQ(std::make_tuple(b.Longs[1], b.Text64[0].Trimmed(), b.Flags[2], b.Dates[4].tag,
                            b.Dates[4].text),
            std::make_tuple(312, "-1.25", true, TaggedValue::kText, "1921"));

  Convert("COINS", "US Coins");
  EXPECT_TRUE(fx.ui.Messages().empty());
  const NewItemMain item = ReadNew("US Coins").items.at(0).first;
  EXPECT_EQ(
      std::make_tuple(item.Linked[2].Trimmed(), item.Linked[6].Trimmed(), item.Text32[5].Trimmed()),
      std::make_tuple("United States", "1 Cent", "1909"));
  EXPECT_EQ(item.Text32[3].Raw().substr(0, 3), " S ");  // appended to a blank element
  // 2.5 and 3.5 round to even.
  EXPECT_EQ(std::make_tuple(item.Longs[2], item.Longs[3]), std::make_tuple(2, 4));
  EXPECT_EQ(std::make_tuple(item.Dates[2].tag, item.Dates[2].date, item.Dates[3].tag,
                            item.Dates[3].text, item.Dates[0].tag, item.Dates[0].text),
            std::make_tuple(TaggedValue::kDate, 7745.0, TaggedValue::kText, "circa 1921",
                            TaggedValue::kText, ""));
  // The missing standard coin table was created empty; the coin has no reference.
  EXPECT_TRUE(std::filesystem::exists(fx.New("StdDB/United States Coin/Cent-Lincoln Wheat.tyu")));
  EXPECT_EQ(item.Longs[NewItemMain::kStandardReference], 0);

  Convert("COINS", "US Coins");
  const NewFile file = ReadNew("US Coins");
  EXPECT_EQ(file.next_record, 8);
  ASSERT_EQ(file.items.size(), 2u);
  EXPECT_EQ(file.items[1].first.Linked[6].Trimmed(), "1 Cent");
}

TEST_F(CollectionsTest, HeaderCaptionsByTypeStartFromAClearedHeader) {
  WritePriorDesign("Coin", {});
  WritePriorDesign("Currency", {});
  WritePriorDesign("Tokens", {});
  WritePriorCollection("COINS", "Coin", {});
  WritePriorCollection("NOTES", "Currency", {});
  WritePriorCollection("TOKS", "Tokens", {});
  Convert("COINS", "Coins");
  Convert("NOTES", "Notes");
  Convert("TOKS", "Tokens");
  const NewCollectionHeader notes = ReadNew("Notes").header;
  // Nothing from the coins stays in the second key.
  EXPECT_EQ(std::make_tuple(notes.KeyCaptions[0].Trimmed(), notes.KeyCodes[0],
                            notes.KeyCaptions[1].Raw(), notes.KeyCodes[1]),
            std::make_tuple("Friedberg #", 24, std::string(32, '\0'), 0));
  const NewCollectionHeader tokens = ReadNew("Tokens").header;
  EXPECT_EQ(
      std::make_tuple(tokens.KeyCaptions[0].Raw(), tokens.KeyCodes[0], tokens.TypeName.Trimmed()),
      std::make_tuple(std::string(32, ' '), -1, "Token"));
  // The collections read the new screen design named by the standard-database name.
  EXPECT_TRUE(std::filesystem::exists(fx.New("video/Token.vsd")));
}

// One collection whose conversion fails, or succeeds: the failure ends only that collection,
// with one log line, the items written before it kept and its tables closed again.
struct Scenario {
  const char* code;
  bool fails;
  int32_t next_record;  // of the new collection file, 0 when there is none
};

class CollectionScenarioTest : public CollectionsTest,
                               public ::testing::WithParamInterface<Scenario> {
 protected:
  CollectionScenarioTest() {
    WritePriorDesign("Books", {ScreenField("TITLE", 8, 0)});
    WriteNewDesign("Book", {NewField("TITLE", 12, 0)});
    PriorItem title;
    title.main.Text256[0].Set("Moby Dick");
    PriorItem long_title;
    long_title.main.Text256[0].Set(std::string(200, 'x'));  // a date text too long for the record
    WritePriorCollection("BOOKS", "Books", {title, long_title, title});
    WritePriorDesign("Misc", {ScreenField("TITLE", 5, 9)});  // no tenth text-32 element
    WritePriorCollection("BAD", "Misc", {title});
    WritePriorCollection("NODESIGN", "Nothing", {title});
    WritePriorDesign("Many", std::vector<hw::V4ScreenField>(65, ScreenField("X", 5, 0)));
    WritePriorCollection("MANY", "Many", {title});
    // Linked fields are numbered 0 to 3: a fifth one is outside the bank, not another field's
    // later levels.
    WritePriorDesign("Linked", {ScreenField("ISSUER", 5, 0)});
    WriteNewDesign("Linked", {NewField("ISSUER", 16, 4)});
    WritePriorCollection("LINKED", "Linked", {title});
    WritePriorCollection("FULL", "Books", {title});
    TableImage::New("FULL.clu", NewItemMain::kSize, 4)
        .WriteTo(fx.New("SMITH/My Collections/FULL.clu"));
    fx.faults.Add({"Full.clu", hw::FaultOp::kWrite, hw::kDiskFull, 1});
    WritePriorCollection("OK", "Books", {title});
  }
};

TEST_P(CollectionScenarioTest, EndsOnlyItsCollection) {
  const Scenario& k = GetParam();
  Convert(k.code, k.code);
  EXPECT_TRUE(fx.ui.Messages().empty());
  EXPECT_EQ(fx.LogLines(), std::vector<std::string>(k.fails ? 1 : 0, kItemError));
  if (k.next_record == 0) {
    EXPECT_FALSE(
        std::filesystem::exists(fx.New(std::string("SMITH/My Collections/") + k.code + ".clu")));
  } else {
    const NewFile file = ReadNew(k.code);
    EXPECT_EQ(file.next_record, k.next_record);
    if (file.next_record > 4) {
      EXPECT_EQ(file.items.at(0).first.Dates[0].text, "Moby Dick");
    }
  }
  // Every table a failed collection opened was closed again; after a conversion only the new
  // screen design stays open, until the next collection.
  int open = 0;
  for (int number = 1; number <= 30; ++number) open += c().fs.IsOpen(number) ? 1 : 0;
  EXPECT_EQ(open, k.fails ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Collections, CollectionScenarioTest,
    ::testing::Values(Scenario{"BOOKS", true, 6},  // the first item stays, its header written back
                      Scenario{"BAD", true, 4}, Scenario{"NODESIGN", true, 0},
                      Scenario{"MANY", true, 0}, Scenario{"LINKED", true, 4},
                      Scenario{"FULL", true, 4}, Scenario{"OK", false, 6}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.code); });

TEST(PicturePaths, FolderRules) {
  auto path = [](std::string_view code, std::string_view type, std::string_view country,
                 std::string_view db = "") {
    return hw::StandardPicturePath(code, ".a01", {type, country, db}).value_or("unchanged");
  };
  EXPECT_EQ(path("19670", "Coin", "Canada"), "StdDB\\World Coin\\Canada\\Images\\19670.a01");
  EXPECT_EQ(path("E2002", "Coin", "Canada"), "StdDB\\Euro Coin\\Images\\E2002.a01");
  EXPECT_EQ(path("e2002", "Coin", ""), "StdDB\\Euro Coin\\Images\\e2002.a01");
  EXPECT_EQ(path("E2002", "Coin", "United States"), "StdDB\\United States Coin\\Images\\E2002.a01");
  EXPECT_EQ(path("ANCR0123", "Ancient_", ""), "StdDB\\Ancient Coin\\Roman\\Images\\ANCR0123.a01");
  EXPECT_EQ(path("ancg01", "Ancient_", ""), "StdDB\\Ancient Coin\\Greek\\Images\\ancg01.a01");
  EXPECT_EQ(path("XYZ0123", "Ancient_", ""), "unchanged");
  EXPECT_EQ(path("A1234", "Currency", "United States"),
            "StdDB\\United States Currency\\Images\\A1234.a01");
  EXPECT_EQ(path("A1234", "Currency", "Canada", "Currency"), "StdDB\\Currency\\Images\\A1234.a01");
  EXPECT_EQ(path("12345", "COIN", "United States", "COIN"), "StdDB\\COIN\\Images\\12345.a01");
  EXPECT_EQ(path("C:\\PICS\\COIN1.BMP", "Coin", "Canada"), "unchanged");
  EXPECT_EQ(path("1967", "Coin", "Canada"), "unchanged");

  hw::Text<80> long_path;
  long_path.Set(std::string(70, 'P'));
  hw::RewritePicturePath(long_path, ".b01", {"Stamps", "", "Stamp"});
  EXPECT_EQ(long_path.Raw(), "StdDB\\Stamp\\Images\\" + std::string(61, 'P'));
}

TEST(ItemValues, NumbersAndDatesFromTexts) {
  EXPECT_EQ(hw::GeneralNumber(Currency{300}), "0.03");
  EXPECT_EQ(hw::GeneralNumber(Currency{-10000}), "-1");
  EXPECT_EQ(hw::GeneralNumber(Currency{922337203685477580}), "92233720368547.758");
  EXPECT_EQ(hw::WholeNumber(Currency{-25000}), -2);
  EXPECT_EQ(hw::WholeNumber(Currency{-35000}), -4);
  EXPECT_THROW(hw::WholeNumber(Currency{int64_t{3000000000} * 10000}), hw::RunError);
  EXPECT_THROW(hw::AsWholeNumber(hw::ItemValue::OfText("1e99")), hw::RunError);
  EXPECT_EQ(hw::AsWholeNumber(hw::ItemValue::OfText("12 pages")), 0);
  EXPECT_EQ(hw::AsAmount(hw::ItemValue::OfText("+0.03")).scaled, 300);
  EXPECT_FALSE(hw::AsFlag(hw::ItemValue::OfText("no")));
  EXPECT_TRUE(hw::AsFlag(hw::ItemValue::OfText("True")));
  EXPECT_TRUE(hw::AsFlag(hw::ItemValue::OfText("-1")));

  for (const char* text : {"1921-03-15", "March 15, 1921", "15-Mar-1921", "15 mar. 1921"}) {
    EXPECT_EQ(hw::DateFromText(text), 7745) << text;
  }
  EXPECT_EQ(hw::DateFromText("3/15/21"), 44270);
  EXPECT_EQ(hw::DateFromText("12/29/1899 6:00"), -1.25);
  EXPECT_EQ(hw::DateFromText("12/30/1899 6:00 PM"), 0.75);
  for (const char* text : {"3/15", "2/30/1921", "March 1921", "circa 1921", "15/3/1921"}) {
    EXPECT_FALSE(hw::DateFromText(text)) << text;
  }
}

// The standard reference of a coin, from the standard coin table its type names.
class StandardReferenceTest : public CollectionsTest {
 protected:
  static NewItemMain Entry(const std::string& mint, int32_t reference) {
    NewItemMain e;
    for (TaggedValue& d : e.Dates) d = TaggedValue::Textual("");
    e.Linked[NewItemMain::LinkedPosition(2, 1)].Set("25 Cents");
    e.Text32[3].Set(mint);
    e.Longs[NewItemMain::kStandardReference] = reference;
    return e;
  }
};

TEST_F(StandardReferenceTest, IndexAnswersAsTheFirstMatchInRecordOrder) {
  TableImage t = TableImage::New("Quarter-Washington.tyu", NewItemMain::kSize, 4);
  t.Put(4, Entry("D", 11));
  t.Put(6, Entry("S", 12));
  t.Put(8, Entry("D", 13));   // a duplicate of record 4
  t.Put(20, Entry("P", 14));  // past a gap of zero records
  NewItemMain unreadable = Entry("W", 15);
  std::vector<std::byte> bytes(NewItemMain::kSize);
  hw::EncodeRecord(unreadable, bytes);
  bytes[8] = std::byte{9};  // an unknown tag
  t.PutBytes(22, bytes);
  t.Put(24, Entry("W", 16));
  t.set_next_record(std::numeric_limits<int32_t>::max());
  t.WriteTo(fx.New("StdDB/United States Coin/Quarter-Washington.tyu"));

  // The first entry in record order that agrees on the six fields; the unreadable one is passed
  // over; nothing matches "CC".
  const std::pair<const char*, int32_t> expected[] = {
      {"D", 11}, {"S", 12}, {"P", 14}, {"W", 16}, {"CC", 0}};
  for (const auto& [mint, reference] : expected) {
    EXPECT_EQ(hw::StandardReferenceNumber(c(), "Quart_wa    ", Entry(mint, 0)), reference) << mint;
  }
  EXPECT_EQ(hw::StandardReferenceNumber(c(), "QUART_WA", Entry("D", 0)), 11);
  EXPECT_EQ(c().collections.coin_tables.size(), 1u);  // read once
  EXPECT_EQ(c().collections.coin_table, 0);
  // Unknown codes open no table.
  for (const char* code : {"nothing", "            ", ""}) {
    EXPECT_EQ(hw::StandardReferenceNumber(c(), code, Entry("D", 0)), 0) << code;
  }
  const std::filesystem::directory_iterator tables(fx.New("StdDB/United States Coin"));
  EXPECT_EQ(std::distance(tables, std::filesystem::directory_iterator()), 1);
}

TEST_F(StandardReferenceTest, ATableThatFailedToReadIsReadAgainForTheNextCoin) {
  TableImage quarters = TableImage::New("Quarter-Washington.tyu", NewItemMain::kSize, 4);
  quarters.Put(4, Entry("D", 777));
  quarters.set_next_record(8);
  quarters.WriteTo(fx.New("StdDB/United States Coin/Quarter-Washington.tyu"));
  TableImage dimes = TableImage::New("Dime-Roosevelt.tyu", NewItemMain::kSize, 4);
  dimes.Put(4, Entry("S", 555));
  dimes.set_next_record(8);
  dimes.WriteTo(fx.New("StdDB/United States Coin/Dime-Roosevelt.tyu"));

  EXPECT_EQ(hw::StandardReferenceNumber(c(), "quart_wa", Entry("D", 0)), 777);
  // The dime table's header read fails (Ignore: the quarter table's header stands in) and then
  // its first entry; the next dime reads the table afresh.
  fx.faults.Add({"Dime-Roosevelt.tyu", hw::FaultOp::kRead, hw::kDeviceIoError, 2});
  fx.ui.QueueReplies({hw::Reply::kIgnore});
  EXPECT_EQ(hw::StandardReferenceNumber(c(), "dime_roo", Entry("S", 0)), 0);
  EXPECT_EQ(hw::StandardReferenceNumber(c(), "dime_roo", Entry("S", 0)), 555);
  EXPECT_EQ(hw::StandardReferenceNumber(c(), "quart_wa", Entry("D", 0)), 777);
  EXPECT_EQ(fx.ui.MessageTexts(), std::vector<std::string>{"Internal disk error."});
}

TEST(CollectionNames, UnsafeCharactersAreReplaced) {
  EXPECT_EQ(hw::SafeCollectionName("My Coins: 1st/2nd \"Set\""), "My Coins- 1st&2nd Set");
  EXPECT_EQ(hw::SafeCollectionName("A*B?C<D>E.F;G\\H"), "A~B~C[D]E-F-G&H");
}

class CollectionsDriverTest : public CollectionsTest {
 protected:
  CollectionsDriverTest() {
    fx.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\", "C:\\HWVER4\\JONES\\"});
    fx.MakePriorFolder("JONES");
    fx.MakeNewFolder("JONES/My Collections");
    WriteCollectionList("SMITH", {{"COINS", "My Coins: 1st/2nd \"Set\""}, {"GONE", "Gone"}});
    WriteCollectionList("JONES", {{"NOTES", "Notes"}});
    WritePriorDesign("Coin", {});
    WritePriorDesign("Currency", {});
    WritePriorCollection("COINS", "Coin", {PriorItem{}});
    WritePriorCollection("NOTES", "Currency", {}, "JONES");
  }

  void WriteCollectionList(const std::string& user,
                           const std::vector<std::pair<std::string, std::string>>& entries) {
    TableImage t = TableImage::Prior("Collect.mst", hw::PriorCollectionEntry::kSize, 3);
    for (const auto& [code, name] : entries) {
      hw::PriorCollectionEntry e;
      e.Code.Set(code);
      e.Name.Set(name);
      t.Append(e);
    }
    t.WriteTo(fx.Prior(user + "/Collect.mst"));
  }
};

TEST_F(CollectionsDriverTest, EveryCollectionOfEveryUserWithAFolder) {
  hw::ConvertCollections(c());
  EXPECT_EQ(fx.LogLines(),
            (std::vector<std::string>{"Converting: My Coins- 1st&2nd Set", "Converting: Gone",
                                      kItemError, "Converting: Notes"}));
  EXPECT_EQ(fx.ui.StatusCaptions(),
            (std::vector<std::string>{"Converting: My Coins- 1st&2nd Set", "Converting: Gone",
                                      "Converting: Notes"}));
  EXPECT_TRUE(fx.ui.Messages().empty());
  EXPECT_EQ(ReadNew("My Coins- 1st&2nd Set").items.size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(fx.New("JONES/My Collections/Notes.clu")));
}

TEST_F(CollectionsDriverTest, AOneCharacterFolderNameKeepsThePreviousUsersFolder) {
  fx.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\HWVER4\\X"});
  // The folder has no "\" at its end, so its tables are named on from "X".
  fx.MakePriorFolder("X");
  WriteCollectionList("X", {{"NOTES", "X Notes"}});
  std::filesystem::rename(fx.Prior("X/Collect.mst"), fx.Prior("XCollect.mst"));
  std::filesystem::copy_file(fx.Prior("JONES/NOTES.cl4"), fx.Prior("XNOTES.cl4"));

  hw::ConvertCollections(c());
  EXPECT_EQ(fx.LogLines(),
            (std::vector<std::string>{"Converting: My Coins- 1st&2nd Set", "Converting: Gone",
                                      kItemError, "Converting: X Notes"}));
  EXPECT_TRUE(std::filesystem::exists(fx.New("SMITH/My Collections/X Notes.clu")));
}

TEST_F(CollectionsDriverTest, AnUnrecoveredErrorEndsTheOperation) {
  fx.faults.Add({"HoardwiseCLog.lst", hw::FaultOp::kWrite, hw::kBadFileName, 1});
  hw::ConvertCollections(c());
  EXPECT_EQ(fx.LogLines(), std::vector<std::string>{"Error Converting: My Coins- 1st&2nd Set"});
  EXPECT_EQ(fx.ui.MessageTexts(),
            std::vector<std::string>{"That Name is illegal, you may only use A-Z,0-9,_, and &."});
  EXPECT_FALSE(std::filesystem::exists(fx.New("JONES/My Collections/Notes.clu")));
  EXPECT_EQ(c().fs.FreeFile(), 1);
}

}  // namespace
