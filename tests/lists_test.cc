#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <span>
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

std::string Le(int64_t value, int size) { return testing::LittleEndian(value, size); }

PriorChoiceEntry PriorEntry(const std::string& text) {
  PriorChoiceEntry e;
  e.ItemText.Set(text);
  e.Unused34.Blank();
  e.Tag.Set("");
  return e;
}

ChoiceEntry ShippedEntry(const std::string& text) {
  ChoiceEntry e;
  e.ItemText.Set(text);
  return e;
}

PriorStorageRecord Storage(const std::string& location, const std::string& container,
                           const std::string& marks = "NNN", int64_t amount = 0) {
  PriorStorageRecord r;
  r.Location.Set(location);
  r.Container.Set(container);
  r.Mark1.Set(marks.substr(0, 1));
  r.Mark2.Set(marks.substr(1, 1));
  r.Mark3.Set(marks.substr(2, 1));
  r.Amount.scaled = amount;
  return r;
}

PriorPartyRecord Party(const std::string& name) {
  PriorPartyRecord p;
  p.Name.Set(name);
  return p;
}

class ListsTest : public ::testing::Test {
 protected:
  ListsTest() {
    f.MakeNewFolder("Combos");
    f.MakeNewFolder("MyData");
  }

  Conversion& c() { return f.c(); }

  void WriteShipped(const std::string& relative, const std::vector<ChoiceEntry>& entries,
                    int32_t next_record = 0) {
    const std::filesystem::path file = f.New(relative);
    std::filesystem::create_directories(file.parent_path());
    TableImage t = TableImage::New(file.filename().string(), ChoiceEntry::kSize, 3);
    for (const ChoiceEntry& e : entries) t.Append(e);
    if (next_record != 0) t.set_next_record(next_record);
    t.WriteTo(file);
  }

  std::string Contents(const std::string& relative) const {
    return testing::ReadText(f.New(relative));
  }
  int32_t NextRecordOf(const std::string& relative) const { return f.NextRecordOf(relative); }

  // Record `n` of a new-edition table as raw bytes (zeros past the end of the file).
  std::string RecordBytes(const std::string& relative, int64_t n, size_t length) const {
    std::string bytes = Contents(relative);
    const size_t end = static_cast<size_t>(n) * length;
    if (bytes.size() < end) bytes.resize(end, '\0');
    return bytes.substr(end - length, length);
  }

  // The item texts (trimmed) of entries `first` to NextRecord - 1 of a new list.
  Names Items(const std::string& relative, int32_t first = 3) const {
    Names items;
    for (int32_t n = first; n < NextRecordOf(relative); ++n) {
      items.push_back(Trim(RecordBytes(relative, n, ChoiceEntry::kSize).substr(36, 32)));
    }
    return items;
  }

  // Every file of the new data folder but the log, with its bytes.
  std::vector<std::pair<std::string, std::string>> NewTables() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(f.n_root)) {
      if (!e.is_regular_file() || e.path().filename() == "HoardwiseCLog.lst") continue;
      const std::string rel = std::filesystem::relative(e.path(), f.n_root).string();
      out.emplace_back(rel, Contents(rel));
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  // No table is left open: only the log holds a number.
  void ExpectOnlyTheLogOpen() {
    for (int n = 1; n <= FileSystem::kMaxFileNumber; ++n) {
      EXPECT_EQ(f.fs->IsOpen(n), n == kLogFile) << "file number " << n;
    }
  }

  ConversionFixture f;
};

TEST_F(ListsTest, MergeCreatesTypeFoldersAndKeepsEachTrimmedTextOnce) {
  f.AddType("COIN");
  f.AddType("STAMPS");
  f.WritePrior<PriorChoiceEntry>(
      "Combos\\COIN\\Grade.cbo", 3,
      {PriorEntry("Mint"), PriorEntry("  Mint  "), PriorEntry("MINT"), PriorEntry(""),
       PriorEntry("   "), PriorEntry("Fine"), PriorEntry("Mint")});

  ConvertChoiceLists(c());

  EXPECT_EQ(f.LogLines(), (Names{
                              "Adding combo directory for: Coin",
                              "Adding combo directory for: Stamp",
                              "Processing choice lists for collectible: Coin",
                              "Processing choice lists for collectible: Stamp",
                          }));
  EXPECT_EQ(f.ui.StatusCaptions(), (Names{"Collectible type: Coin", "Collectible type: Stamp"}));
  EXPECT_EQ(Items("Combos\\Coin\\Grade.cb5"), (Names{"Mint", "MINT", "", "Fine"}));
  EXPECT_TRUE(std::filesystem::is_directory(f.New("Combos\\Stamp")));
  EXPECT_TRUE(std::filesystem::is_empty(f.New("Combos\\Stamp")));
  ExpectOnlyTheLogOpen();
}

TEST_F(ListsTest, MergeAppendsOnlyWhatTheShippedListLacks) {
  f.AddType("COIN");
  WriteShipped("Combos\\Coin\\Grade.cb5", {ShippedEntry("Mint"), ShippedEntry("")});
  // The prior file name differs in case: names compare without regard to case.
  f.WritePrior<PriorChoiceEntry>("Combos\\COIN\\grade.cbo", 3,
                                 {PriorEntry("Fine"), PriorEntry(" Mint"), PriorEntry("   "),
                                  PriorEntry("Fine"), PriorEntry("Good")});

  ConvertChoiceLists(c());

  EXPECT_EQ(f.LogLines(), (Names{"Processing choice lists for collectible: Coin"}));
  EXPECT_EQ(Items("Combos\\Coin\\Grade.cb5"), (Names{"Mint", "", "Fine", "Good"}));
  const auto files = std::filesystem::directory_iterator(f.New("Combos\\Coin"));
  EXPECT_EQ(std::distance(begin(files), end(files)), 1);
}

TEST_F(ListsTest, RecordsPastTheEndOfAListReadAsZeros) {
  f.AddType("COIN");
  // A header claiming two billion records over a file holding one entry.
  WriteShipped("Combos\\Coin\\Grade.cb5", {ShippedEntry("Mint")}, 0x7FFFFFF0);
  const std::string before = Contents("Combos\\Coin\\Grade.cb5");
  // A never-assigned (zero-filled) text equals the zero records past the end.
  f.WritePrior<PriorChoiceEntry>("Combos\\COIN\\Grade.cbo", 3,
                                 {PriorChoiceEntry{}, PriorEntry("Mint")});

  ConvertChoiceLists(c());

  EXPECT_EQ(Contents("Combos\\Coin\\Grade.cb5"), before);
  EXPECT_TRUE(f.ui.Messages().empty());
}

// A failing write ends the conversion it meets with one log line, keeps what was written
// before it (here a whole list, a location) and leaves no table open.
TEST_F(ListsTest, AnErrorKeepsWhatWasWrittenAndClosesEveryTable) {
  f.AddType("COIN");
  f.WritePrior<PriorChoiceEntry>("Combos\\COIN\\Alpha.cbo", 3, {PriorEntry("One")});
  f.WritePrior<PriorChoiceEntry>("Combos\\COIN\\Grade.cbo", 3, {PriorEntry("Mint")});
  f.WritePrior<PriorChoiceEntry>("Combos\\COIN\\Zeta.cbo", 3, {PriorEntry("Two")});
  WriteShipped("Combos\\Coin\\Grade.cb5", {});
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\"});
  f.WritePrior<PriorStorageRecord>("SMITH\\storage.mst", 4, {Storage("safe", "box 1")});
  WriteShipped("Combos\\LocationsLink.cb5", {}, 4);
  f.WritePrior<PriorPartyRecord>("SMITH\\parties.mst", 3, {Party("Smith Coins")});
  f.WriteNew<ContactRecord>("MyData\\Contacts.mst", 3, {});
  f.faults.Add(Fault{"Grade.cb5", FaultOp::kWrite, kBadFileName});
  f.faults.Add(Fault{"LocationsLink.cb5", FaultOp::kWrite, kBadFileName});
  f.faults.Add(Fault{"Contacts.mst", FaultOp::kWrite, kBadFileNameOrNumber});

  ConvertChoiceLists(c());
  ExpectOnlyTheLogOpen();
  ConvertStorage(c());
  ExpectOnlyTheLogOpen();
  ConvertBuyersSellers(c());
  ExpectOnlyTheLogOpen();

  EXPECT_EQ(f.ui.MessageTexts(), Names(3, kIllegalName));
  EXPECT_EQ(f.LogLines(),
            (Names{"Processing choice lists for collectible: Coin",
                   "Error encountered processing choice list: Grade.cbo",
                   "converting 1locations for user:C:\\HWVER4\\SMITH\\",
                   "Error During storage & insurance conversion", "Converting C:\\HWVER4\\SMITH\\",
                   "Error encountered during buyer/seller conversion"}));
  EXPECT_EQ(Items("Combos\\Coin\\Alpha.cb5"), (Names{"One"}));
  EXPECT_EQ(NextRecordOf("Combos\\Coin\\Grade.cb5"), 3);
  EXPECT_FALSE(std::filesystem::exists(f.New("Combos\\Coin\\Zeta.cb5")));
  EXPECT_EQ(Items("Combos\\Locations.cb5", 4), (Names{"safe"}));
  EXPECT_EQ(NextRecordOf("Combos\\LocationsLink.cb5"), 4);
  EXPECT_EQ(Items("Combos\\Buyers and Sellers.cb5"), (Names{"Smith Coins"}));
  EXPECT_EQ(NextRecordOf("MyData\\Contacts.mst"), 3);
}

TEST_F(ListsTest, ErrorOutsideAMergeLogsAnEmptyListName) {
  f.AddType("COIN");
  f.faults.Add(Fault{"Coin", FaultOp::kMkdir, kBadFileNameOrNumber});

  ConvertChoiceLists(c());

  EXPECT_EQ(f.LogLines(), (Names{"Adding combo directory for: Coin",
                                 "Error encountered processing choice list: "}));
}

TEST_F(ListsTest, MoreThanAHundredListsForOneTypeEndTheProgram) {
  f.AddType("COIN");
  for (int i = 0; i < 101; ++i) {
    f.WritePrior<PriorChoiceEntry>("Combos\\COIN\\L" + std::to_string(i) + ".cbo", 3, {});
  }

  EXPECT_THROW(ConvertChoiceLists(c()), ProgramEnd);
  ASSERT_EQ(f.ui.MessageTexts().size(), 1u);
  EXPECT_NE(f.ui.MessageTexts()[0].find("condition (9)"), std::string::npos);
}

// Reads that fail while a fault is still pending are met where a scan meets them: the header
// read is ignored (the slot keeps a header that fits), then the first search's two reads; the
// second search must read the list again and find A, not answer from what failed to read.
TEST_F(ListsTest, ReadsIgnoredAfterTheOpenAreMetAsAScanMeetsThem) {
  Names files;
  std::vector<std::vector<testing::UiEvent>> transcripts;
  for (const bool scan : {false, true}) {
    WriteShipped("Combos\\Grade.cb5", {ShippedEntry("A"), ShippedEntry("C")});
    NewHeader& slot = c().slots.New(1);
    slot.record_length = 123;
    slot.next_record = 5;
    f.faults.Add(Fault{"Grade.cb5", FaultOp::kRead, kDeviceIoError, 3});
    f.ui.QueueReplies({Reply::kIgnore, Reply::kIgnore, Reply::kIgnore});
    f.ui.ClearEvents();

    IndexedTable<ChoiceEntry> table(c(), c().lists.new_list, scan);
    table.Reopen("N:\\Combos\\", "Grade", ".cb5", 3);
    for (const char* text : {"B", "A"}) {
      if (!table.Scan(text)) table.Append(ShippedEntry(text));
    }
    table.Close();
    files.push_back(Contents("Combos\\Grade.cb5"));
    transcripts.push_back(f.ui.events());
  }
  EXPECT_EQ(files[0], files[1]);
  EXPECT_EQ(transcripts[0], transcripts[1]);
  EXPECT_EQ(files[1].size(), 123u * 5);  // B was added, A was found
}

// Texts compare exactly (after trimming) across users; EMPTY records are skipped.
TEST_F(ListsTest, StorageFillsBothListsOncePerText) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\HWVER4\\NOSTORE\\", "C:\\HWVER4\\JONES\\"});
  f.WritePrior<PriorStorageRecord>(
      "SMITH\\storage.mst", 4,
      {Storage("safe", "box 1", "YyN", 123456), Storage("Safe", "box 1"), Storage("safe", "box 2"),
       Storage("EMPTY", "box 3", "YYY"), Storage("Empty", "drawer")});
  f.WritePrior<PriorStorageRecord>("JONES\\storage.mst", 4, {Storage(" safe ", "shelf")});

  ConvertStorage(c());

  EXPECT_EQ(f.LogLines(), (Names{"converting 5locations for user:C:\\HWVER4\\SMITH\\",
                                 "converting 1locations for user:C:\\HWVER4\\JONES\\"}));
  EXPECT_EQ(Items("Combos\\Locations.cb5", 4), (Names{"safe", "Safe", "Empty"}));
  EXPECT_EQ(Items("Combos\\LocationsLink.cb5", 4), (Names{"box 1", "box 2", "drawer", "shelf"}));
  // A container is added once, under the location of the first record naming it. Only "Y"
  // marks it (not "y"); its EntryId is NextRecord of "Locations" when it is written.
  const std::string box = RecordBytes("Combos\\LocationsLink.cb5", 4, 123);
  EXPECT_EQ(box.substr(4, 32), "safe" + std::string(28, ' '));
  EXPECT_EQ(box.substr(73, 22),
            Le(-1, 2) + Le(0, 2) + Le(0, 2) + Le(0, 4) + Le(123456, 8) + Le(5, 4));
}

TEST_F(ListsTest, EmptyMatchesOnlyWhenTheSearchReadsARecord) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\"});
  WriteShipped("Combos\\Locations.cb5", {});
  WriteShipped("Combos\\LocationsLink.cb5", {});
  f.WritePrior<PriorStorageRecord>("SMITH\\storage.mst", 4,
                                   {Storage("EMPTY", "box 3"), Storage("EMPTY", "box 9")});

  ConvertStorage(c());

  EXPECT_EQ(Items("Combos\\Locations.cb5"), (Names{"EMPTY"}));
  EXPECT_EQ(Items("Combos\\LocationsLink.cb5"), (Names{"box 3"}));
  EXPECT_EQ(RecordBytes("Combos\\Locations.cb5", 3, 123).substr(91, 4), Le(3, 4));
  EXPECT_EQ(RecordBytes("Combos\\LocationsLink.cb5", 3, 123).substr(91, 4), Le(4, 4));
}

TEST_F(ListsTest, ListAndContactSearchesAreIndependent) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\HWVER4\\NOPARTY\\", "C:\\HWVER4\\JONES\\"});
  WriteShipped("Combos\\Buyers and Sellers.cb5", {ShippedEntry("Brown")});
  ContactRecord jones;
  jones.Name.Set("J. Jones");
  jones.KeyName.Set("Jones");
  f.WriteNew<ContactRecord>("MyData\\Contacts.mst", 3, {jones});
  f.WritePrior<PriorPartyRecord>("SMITH\\parties.mst", 3,
                                 {Party("Jones"), Party("Brown"), Party(" Smith "), Party("")});
  f.WritePrior<PriorPartyRecord>("JONES\\parties.mst", 3,
                                 {Party("Smith"), Party("smith"), Party("  ")});

  ConvertBuyersSellers(c());

  EXPECT_EQ(f.LogLines(),
            (Names{"Converting C:\\HWVER4\\SMITH\\", "Converting C:\\HWVER4\\JONES\\"}));
  EXPECT_EQ(Items("Combos\\Buyers and Sellers.cb5"),
            (Names{"Brown", "Jones", "Smith", "", "smith"}));
  Names keys;
  for (int32_t n = 3; n < NextRecordOf("MyData\\Contacts.mst"); ++n) {
    keys.push_back(Trim(RecordBytes("MyData\\Contacts.mst", n, 784).substr(32, 32)));
  }
  EXPECT_EQ(keys, (Names{"Jones", "Brown", "Smith", "", "smith"}));
  // EntryId is the record the entry was written at.
  EXPECT_EQ(RecordBytes("Combos\\Buyers and Sellers.cb5", 4, 123).substr(91, 4), Le(4, 4));
}

TEST_F(ListsTest, SecondRunChangesNoFile) {
  f.AddType("COIN");
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\HWVER4\\JONES\\"});
  f.WritePrior<PriorChoiceEntry>("Combos\\COIN\\Grade.cbo", 3,
                                 {PriorEntry("Mint"), PriorEntry(""), PriorChoiceEntry{}});
  f.WritePrior<PriorStorageRecord>("SMITH\\storage.mst", 4,
                                   {Storage("safe", "box 1", "YNY", 5), Storage("EMPTY", "x")});
  f.WritePrior<PriorPartyRecord>("SMITH\\parties.mst", 3, {Party("Smith Coins"), Party("")});
  f.WritePrior<PriorPartyRecord>("JONES\\parties.mst", 3, {Party("Smith Coins")});

  ConvertBuyersSellers(c());
  ConvertStorage(c());
  ConvertChoiceLists(c());
  const auto first = NewTables();
  ASSERT_EQ(first.size(), 5u);
  ConvertBuyersSellers(c());
  ConvertStorage(c());
  ConvertChoiceLists(c());

  EXPECT_EQ(NewTables(), first);
  EXPECT_TRUE(f.ui.Messages().empty());
}

}  // namespace
}  // namespace hw
