#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "fixtures/table_image.h"
#include "lists/choice_lists.h"
#include "lists/contacts.h"
#include "lists/list_records.h"
#include "lists/storage.h"
#include "support/conversion_fixture.h"
#include "tablestore/error_policy.h"
#include "tablestore/indexed_table.h"
#include "tablestore/table_header.h"

namespace hw {
namespace {

using testing::ConversionFixture;
using Names = std::vector<std::string>;

constexpr char kIllegalName[] = "That Name is illegal, you may only use A-Z,0-9,_, and &.";

// Records whose field `text` holds each of `texts`, the rest never assigned.
template <class Record, size_t N>
std::vector<Record> With(Text<N> Record::*text, const Names& texts) {
  std::vector<Record> records(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) (records[i].*text).Set(texts[i]);
  return records;
}
auto Entries(const Names& texts) { return With(&PriorChoiceEntry::ItemText, texts); }
auto Parties(const Names& names) { return With(&PriorPartyRecord::Name, names); }
// Storage records of a location and a container each.
auto Storage(const Names& locations, const Names& containers) {
  std::vector<PriorStorageRecord> records = With(&PriorStorageRecord::Location, locations);
  for (size_t i = 0; i < records.size(); ++i) records[i].Container.Set(containers.at(i));
  return records;
}

class ListsTest : public ::testing::Test, public ConversionFixture {
 protected:
  ListsTest() { MakeNewFolder("Combos"); }

  void WriteShipped(const std::string& relative, const Names& texts, int32_t first = 3) {
    WriteNew(relative, first, With(&ChoiceEntry::ItemText, texts));
  }
  std::string Contents(const std::string& relative) const {
    return testing::ReadText(New(relative));
  }

  // The trimmed texts at `offset` of records `first` to NextRecord - 1 of a new table (zeros
  // past the end of the file): item texts of a list unless told otherwise.
  Names Items(const std::string& relative, int32_t first = 3, size_t offset = 36,
              size_t length = ChoiceEntry::kSize) const {
    std::string bytes = Contents(relative);
    Names items;
    for (int32_t n = first; n < NextRecordOf(relative); ++n) {
      bytes.resize(std::max(bytes.size(), n * length), '\0');
      items.push_back(Trim(bytes.substr((n - 1) * length + offset, 32)));
    }
    return items;
  }

  // Every file of the new data folder but the log, with its bytes.
  std::vector<std::pair<std::string, std::string>> NewTables() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(n_root)) {
      if (!e.is_regular_file() || e.path().filename() == "HoardwiseCLog.lst") continue;
      const std::string rel = std::filesystem::relative(e.path(), n_root).string();
      out.emplace_back(rel, Contents(rel));
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  // No table is left open: only the log holds a number.
  void ExpectOnlyTheLogOpen() {
    for (int n = 1; n <= FileSystem::kMaxFileNumber; ++n) {
      EXPECT_EQ(fs->IsOpen(n), n == kLogFile) << "file number " << n;
    }
  }
};

// Texts are trimmed and compare exactly, against the shipped entries and what this run added;
// list names compare without regard to case; records past the end of a list read as zeros.
TEST_F(ListsTest, MergeAddsEachTrimmedTextOnceAndASecondRunChangesNothing) {
  AddType("COIN");
  AddType("STAMPS");
  AddType("BOOKS");
  WriteShipped("Combos\\Coin\\Grade.cb5", {"Mint", ""});
  WritePrior("Combos\\COIN\\grade.cbo", 3, Entries({"Fine", " Mint", "   ", "Fine", "Good"}));
  // A header claiming two billion records over one entry; a never-assigned text equals them.
  TableImage huge = TableImage::New("Huge.cb5", ChoiceEntry::kSize, 3);
  huge.Append(With(&ChoiceEntry::ItemText, {"Mint"})[0]);
  huge.set_next_record(0x7FFFFFF0);
  huge.WriteTo(New("Combos\\Coin\\Huge.cb5"));
  WritePrior("Combos\\COIN\\Huge.cbo", 3, std::vector{PriorChoiceEntry{}, Entries({"Mint"})[0]});
  WritePrior("Combos\\STAMPS\\Grade.cbo", 3,
             Entries({"Mint", "  Mint  ", "MINT", "", "   ", "Fine", "Mint"}));

  ConvertChoiceLists(c());

  EXPECT_EQ(LogLines(),
            (Names{"Adding combo directory for: Stamp", "Adding combo directory for: Book",
                   "Processing choice lists for collectible: Coin",
                   "Processing choice lists for collectible: Stamp",
                   "Processing choice lists for collectible: Book"}));
  EXPECT_EQ(ui.StatusCaptions(),
            (Names{"Collectible type: Coin", "Collectible type: Stamp", "Collectible type: Book"}));
  EXPECT_EQ(Items("Combos\\Coin\\Grade.cb5"), (Names{"Mint", "", "Fine", "Good"}));
  EXPECT_EQ(NextRecordOf("Combos\\Coin\\Huge.cb5"), 0x7FFFFFF0);
  EXPECT_EQ(Items("Combos\\Stamp\\Grade.cb5"), (Names{"Mint", "MINT", "", "Fine"}));
  EXPECT_TRUE(std::filesystem::is_directory(New("Combos\\Book")));
  EXPECT_TRUE(std::filesystem::is_empty(New("Combos\\Book")));
  EXPECT_TRUE(ui.Messages().empty());
  ExpectOnlyTheLogOpen();

  const auto first = NewTables();
  ConvertChoiceLists(c());
  EXPECT_EQ(NewTables(), first);
}

// A failing write ends the conversion it meets with one log line, keeps what was written
// before it (here a whole list, a location) and leaves no table open.
TEST_F(ListsTest, AnErrorKeepsWhatWasWrittenAndClosesEveryTable) {
  AddType("COIN");
  WritePrior("Combos\\COIN\\Alpha.cbo", 3, Entries({"One"}));
  WritePrior("Combos\\COIN\\Grade.cbo", 3, Entries({"Mint"}));
  WritePrior("Combos\\COIN\\Zeta.cbo", 3, Entries({"Two"}));
  WriteShipped("Combos\\Coin\\Grade.cb5", {});
  WritePriorUsers({"C:\\HWVER4\\SMITH\\"});
  WritePrior("SMITH\\storage.mst", 4, Storage({"safe"}, {"box 1"}));
  WriteShipped("Combos\\LocationsLink.cb5", {}, 4);
  WritePrior("SMITH\\parties.mst", 3, Parties({"Smith Coins"}));
  WriteNew<ContactRecord>("MyData\\Contacts.mst", 3, {});
  faults.Add(Fault{"Grade.cb5", FaultOp::kWrite, kBadFileName});
  faults.Add(Fault{"LocationsLink.cb5", FaultOp::kWrite, kBadFileName});
  faults.Add(Fault{"Contacts.mst", FaultOp::kWrite, kBadFileNameOrNumber});

  // Each operation's own check: a later one may close a number an earlier one left open.
  ConvertChoiceLists(c());
  ExpectOnlyTheLogOpen();
  ConvertStorage(c());
  ExpectOnlyTheLogOpen();
  ConvertBuyersSellers(c());
  ExpectOnlyTheLogOpen();

  EXPECT_EQ(ui.MessageTexts(), Names(3, kIllegalName));
  EXPECT_EQ(LogLines(),
            (Names{"Processing choice lists for collectible: Coin",
                   "Error encountered processing choice list: Grade.cbo",
                   "converting 1locations for user:C:\\HWVER4\\SMITH\\",
                   "Error During storage & insurance conversion", "Converting C:\\HWVER4\\SMITH\\",
                   "Error encountered during buyer/seller conversion"}));
  EXPECT_EQ(Items("Combos\\Coin\\Alpha.cb5"), (Names{"One"}));
  EXPECT_EQ(NextRecordOf("Combos\\Coin\\Grade.cb5"), 3);
  EXPECT_FALSE(std::filesystem::exists(New("Combos\\Coin\\Zeta.cb5")));
  EXPECT_EQ(Items("Combos\\Locations.cb5", 4), (Names{"safe"}));
  EXPECT_EQ(NextRecordOf("Combos\\LocationsLink.cb5"), 4);
  EXPECT_EQ(Items("Combos\\Buyers and Sellers.cb5"), (Names{"Smith Coins"}));
  EXPECT_EQ(NextRecordOf("MyData\\Contacts.mst"), 3);
}

// An error outside the merge of a list logs an empty list name; more than a hundred lists for
// one type end the program.
TEST_F(ListsTest, ErrorsOutsideAMergeAndTooManyLists) {
  AddType("COIN");
  faults.Add(Fault{"Coin", FaultOp::kMkdir, kBadFileNameOrNumber});
  ConvertChoiceLists(c());
  EXPECT_EQ(LogLines(), (Names{"Adding combo directory for: Coin",
                               "Error encountered processing choice list: "}));

  for (int i = 0; i < 101; ++i)
    WritePrior("Combos\\COIN\\L" + std::to_string(i) + ".cbo", 3, Entries({}));
  EXPECT_THROW(ConvertChoiceLists(c()), ProgramEnd);
  EXPECT_THAT(ui.MessageTexts(),
              ::testing::ElementsAre(kIllegalName, ::testing::HasSubstr("condition (9)")));
}

// Reads that fail while a fault is still pending are met where a scan meets them: the header
// read is ignored (the slot keeps a header that fits), then the first search's two reads; the
// second search must read the list again and find A, not answer from what failed to read.
TEST_F(ListsTest, ReadsIgnoredAfterTheOpenAreMetAsAScanMeetsThem) {
  std::vector<std::pair<std::string, std::vector<testing::UiEvent>>> runs;  // file, transcript
  for (const bool scan : {false, true}) {
    WriteShipped("Combos\\Grade.cb5", {"A", "C"});
    NewHeader& slot = c().slots.New(1);
    slot.record_length = 123;
    slot.next_record = 5;
    faults.Add(Fault{"Grade.cb5", FaultOp::kRead, kDeviceIoError, 3});
    ui.QueueReplies({Reply::kIgnore, Reply::kIgnore, Reply::kIgnore});
    ui.ClearEvents();

    IndexedTable<ChoiceEntry> table(c(), c().lists.new_list, scan);
    table.Reopen("N:\\Combos\\", "Grade", ".cb5", 3);
    for (const char* text : {"B", "A"}) {
      if (!table.Scan(text)) table.Append(With(&ChoiceEntry::ItemText, {text})[0]);
    }
    table.Close();
    runs.emplace_back(Contents("Combos\\Grade.cb5"), ui.events());
  }
  EXPECT_EQ(runs[0], runs[1]);
  EXPECT_EQ(runs[1].first.size(), 123u * 5);  // B was added, A was found
}

// Locations and containers compare exactly after trimming, across users; a container is added
// once, under the location of the first record naming it. "EMPTY" (in upper case) matches any
// record the search reads: into lists that hold none yet it is written once. The choice-list and
// contact searches of a party are independent.
TEST_F(ListsTest, StorageAndPartiesAddEachTextOnceAndASecondRunChangesNothing) {
  WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\HWVER4\\NOFILES\\", "C:\\HWVER4\\JONES\\"});
  WriteShipped("Combos\\Locations.cb5", {});
  WriteShipped("Combos\\LocationsLink.cb5", {});
  WritePrior("SMITH\\storage.mst", 4,
             Storage({"EMPTY", "safe", "Safe", "safe", "EMPTY", "Empty"},
                     {"box 9", "box 1", "box 1", "box 2", "box 3", "drawer"}));
  WritePrior("JONES\\storage.mst", 4, Storage({" safe "}, {"shelf"}));
  WriteShipped("Combos\\Buyers and Sellers.cb5", {"Brown"});
  ContactRecord jones;
  jones.KeyName.Set("Jones");
  WriteNew("MyData\\Contacts.mst", 3, std::vector{jones});
  WritePrior("SMITH\\parties.mst", 3, Parties({"Jones", "Brown", " Smith ", ""}));
  WritePrior("JONES\\parties.mst", 3, Parties({"Smith", "smith", "  "}));

  ConvertStorage(c());
  ConvertBuyersSellers(c());

  EXPECT_EQ(LogLines(),
            (Names{"converting 6locations for user:C:\\HWVER4\\SMITH\\",
                   "converting 1locations for user:C:\\HWVER4\\JONES\\",
                   "Converting C:\\HWVER4\\SMITH\\", "Converting C:\\HWVER4\\JONES\\"}));
  EXPECT_EQ(Items("Combos\\Locations.cb5"), (Names{"EMPTY", "safe", "Safe", "Empty"}));
  EXPECT_EQ(Items("Combos\\LocationsLink.cb5"),
            (Names{"box 9", "box 1", "box 2", "drawer", "shelf"}));
  EXPECT_EQ(Items("Combos\\LocationsLink.cb5", 3, 4),
            (Names{"EMPTY", "safe", "safe", "Empty", "safe"}));
  EXPECT_EQ(Items("Combos\\Buyers and Sellers.cb5"),
            (Names{"Brown", "Jones", "Smith", "", "smith"}));
  EXPECT_EQ(Items("MyData\\Contacts.mst", 3, 32, ContactRecord::kSize),
            (Names{"Jones", "Brown", "Smith", "", "smith"}));
  EXPECT_TRUE(ui.Messages().empty());

  const auto first = NewTables();
  ConvertStorage(c());
  ConvertBuyersSellers(c());
  EXPECT_EQ(NewTables(), first);
}

}  // namespace
}  // namespace hw
