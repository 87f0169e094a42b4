#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "lists/choice_lists.h"
#include "lists/contacts.h"
#include "lists/indexed_table.h"
#include "lists/list_records.h"
#include "lists/storage.h"
#include "support/conversion_fixture.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_header.h"
#include "tablestore/table_image.h"

namespace {

using hw::ChoiceEntry;
using hw::ContactRecord;
using hw::Fault;
using hw::FaultOp;
using hw::PriorChoiceEntry;
using hw::PriorPartyRecord;
using hw::PriorStorageRecord;
using hw::Reply;
using hw::TableImage;
using hw::testing::ConversionFixture;

constexpr char kIllegalName[] = "That Name is illegal, you may only use A-Z,0-9,_, and &.";

std::string Le(int64_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string Pad(const std::string& text, size_t width) {
  return text + std::string(width - text.size(), ' ');
}

PriorChoiceEntry PriorEntry(const std::string& text, int16_t number = 0,
                            const std::string& tag = "") {
  PriorChoiceEntry e;
  e.ItemNumber = number;
  e.ItemText.Set(text);
  e.Unused34.Blank();
  e.Tag.Set(tag);
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

  hw::Conversion& c() { return f.c(); }

  // Writes a prior-edition table under the prior installation folder.
  template <class Record>
  void WritePrior(const std::string& relative, int16_t first, const std::vector<Record>& records) {
    const std::filesystem::path file = f.Prior(relative);
    std::filesystem::create_directories(file.parent_path());
    TableImage t = TableImage::Prior(file.filename().string(), Record::kSize, first);
    for (const Record& r : records) t.Append(r);
    t.WriteTo(file);
  }

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
    const std::vector<std::byte> bytes = f.ReadBytes(f.New(relative));
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }

  int32_t NextRecordOf(const std::string& relative) const {
    const std::vector<std::byte> bytes = f.ReadBytes(f.New(relative));
    hw::NewHeader h;
    EXPECT_TRUE(hw::DecodeRecord(bytes, h));
    return h.next_record;
  }

  // Record `n` of a new-edition table as raw bytes (zeros past the end of the file).
  std::string RecordBytes(const std::string& relative, int64_t n, size_t length) const {
    std::string bytes = Contents(relative);
    const size_t end = static_cast<size_t>(n) * length;
    if (bytes.size() < end) bytes.resize(end, '\0');
    return bytes.substr(end - length, length);
  }

  // The item texts (trimmed) of entries `first` to NextRecord - 1 of a new list.
  std::vector<std::string> Items(const std::string& relative, int32_t first = 3) const {
    std::vector<std::string> items;
    for (int32_t n = first; n < NextRecordOf(relative); ++n) {
      items.push_back(hw::Trim(RecordBytes(relative, n, ChoiceEntry::kSize).substr(36, 32)));
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
    for (int n = 1; n <= hw::FileSystem::kMaxFileNumber; ++n) {
      EXPECT_EQ(f.fs->IsOpen(n), n == hw::kLogFile) << "file number " << n;
    }
  }

  ConversionFixture f;
};

// --- Choice lists ---

TEST_F(ListsTest, MergeCreatesTypeFoldersAndKeepsEachTrimmedTextOnce) {
  f.AddType("COIN");
  f.AddType("STAMPS");
  WritePrior<PriorChoiceEntry>(
      "Combos\\COIN\\Grade.cbo", 3,
      {PriorEntry("Mint"), PriorEntry("  Mint  "), PriorEntry("MINT"), PriorEntry(""),
       PriorEntry("   "), PriorEntry("Fine"), PriorEntry("Mint")});

  hw::ConvertChoiceLists(c());

  EXPECT_EQ(f.LogLines(), (std::vector<std::string>{
                              "Adding combo directory for: Coin",
                              "Adding combo directory for: Stamp",
                              "Processing choice lists for collectible: Coin",
                              "Processing choice lists for collectible: Stamp",
                          }));
  EXPECT_EQ(f.ui.StatusCaptions(),
            (std::vector<std::string>{"Collectible type: Coin", "Collectible type: Stamp"}));
  EXPECT_EQ(Items("Combos\\Coin\\Grade.cb5"),
            (std::vector<std::string>{"Mint", "MINT", "", "Fine"}));
  EXPECT_EQ(NextRecordOf("Combos\\Coin\\Grade.cb5"), 7);
  // The file ends with the last entry; record 2 carries nothing.
  EXPECT_EQ(Contents("Combos\\Coin\\Grade.cb5").size(), 123u * 6);
  EXPECT_EQ(RecordBytes("Combos\\Coin\\Grade.cb5", 2, 123), std::string(123, '\0'));
  EXPECT_TRUE(std::filesystem::is_directory(f.New("Combos\\Stamp")));
  EXPECT_TRUE(std::filesystem::is_empty(f.New("Combos\\Stamp")));
  ExpectOnlyTheLogOpen();
}

TEST_F(ListsTest, MergedEntryHoldsEachFieldAtItsOffset) {
  f.AddType("COIN");
  PriorChoiceEntry odd = PriorEntry("Very Fine", -5, "ABCDEF");
  WritePrior<PriorChoiceEntry>("Combos\\COIN\\Grade.cbo", 3, {odd, PriorEntry("Fine", 7, "AB")});

  hw::ConvertChoiceLists(c());

  const std::string first = RecordBytes("Combos\\Coin\\Grade.cb5", 3, 123);
  const std::string tail =
      std::string("0") + std::string(18, '\0') + Le(-1, 4) + std::string(24, ' ');
  EXPECT_EQ(first, "\xFB\xFF\xFF\xFF" + std::string(32, ' ') + Pad("Very Fine", 32) +
                       std::string(4, '\0') + tail + "ABCD");
  const std::string second = RecordBytes("Combos\\Coin\\Grade.cb5", 4, 123);
  EXPECT_EQ(second.substr(0, 4), Le(7, 4));
  EXPECT_EQ(second.substr(119), "AB  ");
}

TEST_F(ListsTest, MergeAppendsOnlyWhatTheShippedListLacks) {
  f.AddType("COIN");
  f.MakeNewFolder("Combos\\Coin");
  WriteShipped("Combos\\Coin\\Grade.cb5", {ShippedEntry("Mint"), ShippedEntry("")});
  // The prior file name differs in case: names compare without regard to case.
  WritePrior<PriorChoiceEntry>("Combos\\COIN\\grade.cbo", 3,
                               {PriorEntry("Fine"), PriorEntry(" Mint"), PriorEntry("   "),
                                PriorEntry("Fine"), PriorEntry("Good")});

  hw::ConvertChoiceLists(c());

  EXPECT_EQ(f.LogLines(),
            (std::vector<std::string>{"Processing choice lists for collectible: Coin"}));
  EXPECT_EQ(Items("Combos\\Coin\\Grade.cb5"),
            (std::vector<std::string>{"Mint", "", "Fine", "Good"}));
  const auto files = std::filesystem::directory_iterator(f.New("Combos\\Coin"));
  EXPECT_EQ(std::distance(begin(files), end(files)), 1);
}

TEST_F(ListsTest, RecordsPastTheEndOfAListReadAsZeros) {
  f.AddType("COIN");
  f.MakeNewFolder("Combos\\Coin");
  // A header claiming two billion records over a file holding one entry.
  WriteShipped("Combos\\Coin\\Grade.cb5", {ShippedEntry("Mint")}, 0x7FFFFFF0);
  const std::string before = Contents("Combos\\Coin\\Grade.cb5");
  // A never-assigned (zero-filled) text equals the zero records past the end.
  WritePrior<PriorChoiceEntry>("Combos\\COIN\\Grade.cbo", 3,
                               {PriorChoiceEntry{}, PriorEntry("Mint")});

  hw::ConvertChoiceLists(c());

  EXPECT_EQ(Contents("Combos\\Coin\\Grade.cb5"), before);
  EXPECT_TRUE(f.ui.Messages().empty());
}

TEST_F(ListsTest, ErrorDuringAMergeNamesTheListAndKeepsEarlierLists) {
  f.AddType("COIN");
  f.MakeNewFolder("Combos\\Coin");
  WritePrior<PriorChoiceEntry>("Combos\\COIN\\Alpha.cbo", 3, {PriorEntry("One")});
  WritePrior<PriorChoiceEntry>("Combos\\COIN\\Grade.cbo", 3, {PriorEntry("Mint")});
  WritePrior<PriorChoiceEntry>("Combos\\COIN\\Zeta.cbo", 3, {PriorEntry("Two")});
  WriteShipped("Combos\\Coin\\Grade.cb5", {});
  f.faults.Add(Fault{"Grade.cb5", FaultOp::kWrite, hw::kBadFileName});

  hw::ConvertChoiceLists(c());

  EXPECT_EQ(f.ui.MessageTexts(), (std::vector<std::string>{kIllegalName}));
  EXPECT_EQ(f.LogLines().back(), "Error encountered processing choice list: Grade.cbo");
  EXPECT_EQ(Items("Combos\\Coin\\Alpha.cb5"), (std::vector<std::string>{"One"}));
  EXPECT_EQ(NextRecordOf("Combos\\Coin\\Grade.cb5"), 3);
  EXPECT_FALSE(std::filesystem::exists(f.New("Combos\\Coin\\Zeta.cb5")));
  ExpectOnlyTheLogOpen();
}

TEST_F(ListsTest, ErrorOutsideAMergeLogsAnEmptyListName) {
  f.AddType("COIN");
  f.faults.Add(Fault{"Coin", FaultOp::kMkdir, hw::kBadFileNameOrNumber});

  hw::ConvertChoiceLists(c());

  EXPECT_EQ(f.LogLines(), (std::vector<std::string>{"Adding combo directory for: Coin",
                                                    "Error encountered processing choice list: "}));
}

TEST_F(ListsTest, MoreThanAHundredListsForOneTypeEndTheProgram) {
  f.AddType("COIN");
  for (int i = 0; i < 101; ++i) {
    WritePrior<PriorChoiceEntry>("Combos\\COIN\\L" + std::to_string(i) + ".cbo", 3, {});
  }

  EXPECT_THROW(hw::ConvertChoiceLists(c()), hw::ProgramEnd);
  ASSERT_EQ(f.ui.MessageTexts().size(), 1u);
  EXPECT_NE(f.ui.MessageTexts()[0].find("condition (9)"), std::string::npos);
}

// The index against a plain scan of the file: random lists with blank, zero-filled and
// partly zero texts, NextRecord before, inside and far past the end, appends and ignored writes.
TEST_F(ListsTest, IndexAnswersAsAScanOfTheFileWould) {
  std::vector<hw::Text<32>> pool(8);
  const char* texts[] = {"Mint", " Mint", "MINT", "", "  ", "EMPTY"};
  for (int i = 0; i < 6; ++i) pool[i].Set(texts[i]);
  pool[7].bytes[0] = 'A';  // "A" followed by zero bytes; pool[6] stays zero-filled
  std::mt19937 rng(7);
  for (int trial = 0; trial < 150; ++trial) {
    const int stored = static_cast<int>(rng() % 6);
    std::vector<ChoiceEntry> entries(stored);
    for (ChoiceEntry& e : entries) e.ItemText = pool[rng() % pool.size()];
    const int32_t next = trial % 10 == 0 ? 0x7FFFFFF0 : static_cast<int32_t>(1 + rng() % 9);
    WriteShipped("Combos\\Grade.cb5", entries, next);

    hw::IndexedTable<ChoiceEntry> table(c(), c().lists.new_list, false);
    table.Reopen("N:\\Combos\\", "Grade", ".cb5", 3);
    for (int step = 0; step < 4; ++step) {
      const int32_t slot_next = c().slots.New(c().lists.new_list).next_record;
      c().fs.Flush();
      const std::string bytes = Contents("Combos\\Grade.cb5");
      // Every record after the first one past the end reads the same zeros.
      const int64_t in_file = static_cast<int64_t>(bytes.size() + 122) / 123;
      for (const hw::Text<32>& key : pool) {
        bool found = false;
        for (int64_t n = 3; n < slot_next && n <= std::max<int64_t>(in_file + 1, 3) && !found;
             ++n) {
          const size_t at = static_cast<size_t>(n - 1) * 123 + 36;
          std::string text = at < bytes.size() ? bytes.substr(at, 32) : "";
          text.resize(32, '\0');
          found = hw::Trim(text) == key.Trimmed();
        }
        EXPECT_EQ(table.Scan(key.Trimmed()), found) << "trial " << trial << " step " << step;
        EXPECT_EQ(table.Scan(key.Trimmed(), true), slot_next > 3);
      }
      if (slot_next > 1000) break;
      if (rng() % 3 == 0) {
        f.faults.Add(Fault{"Grade.cb5", FaultOp::kWrite, hw::kDeviceIoError});
        f.ui.QueueReplies({Reply::kIgnore});
      }
      table.Append(ShippedEntry(texts[rng() % 6]));
    }
    table.Close();
  }
  EXPECT_EQ(f.ui.PendingReplies(), 0u);
}

// Reads that fail while a fault is still pending are met where a scan meets them: the header
// read is ignored (the slot keeps a header that fits), then the first search's two reads; the
// second search must read the list again and find A, not answer from what failed to read.
TEST_F(ListsTest, ReadsIgnoredAfterTheOpenAreMetAsAScanMeetsThem) {
  std::vector<std::string> files;
  std::vector<std::vector<hw::testing::UiEvent>> transcripts;
  for (const bool scan : {false, true}) {
    WriteShipped("Combos\\Grade.cb5", {ShippedEntry("A"), ShippedEntry("C")});
    hw::NewHeader& slot = c().slots.New(1);
    slot.record_length = 123;
    slot.next_record = 5;
    f.faults.Add(Fault{"Grade.cb5", FaultOp::kRead, hw::kDeviceIoError, 3});
    f.ui.QueueReplies({Reply::kIgnore, Reply::kIgnore, Reply::kIgnore});
    f.ui.ClearEvents();

    hw::IndexedTable<ChoiceEntry> table(c(), c().lists.new_list, scan);
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

// --- Storage locations and containers ---

TEST_F(ListsTest, StorageFillsBothListsAndSkipsEmpty) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\"});
  WritePrior<PriorStorageRecord>("SMITH\\storage.mst", 4,
                                 {Storage("safe", "box 1", "YyN", 123456), Storage("safe", "box 2"),
                                  Storage("EMPTY", "box 3", "YYY")});

  hw::ConvertStorage(c());

  EXPECT_EQ(f.LogLines(),
            (std::vector<std::string>{"converting 3locations for user:C:\\HWVER4\\SMITH\\"}));
  EXPECT_EQ(NextRecordOf("Combos\\Locations.cb5"), 5);
  EXPECT_EQ(NextRecordOf("Combos\\LocationsLink.cb5"), 6);
  EXPECT_EQ(RecordBytes("Combos\\Locations.cb5", 3, 123), std::string(123, '\0'));
  const std::string blank_tail = std::string(24, ' ') + "    ";
  EXPECT_EQ(RecordBytes("Combos\\Locations.cb5", 4, 123),
            Le(0, 4) + std::string(32, ' ') + Pad("safe", 32) + Le(0, 4) + " " +
                std::string(18, '\0') + Le(4, 4) + blank_tail);
  // EntryId of a container: NextRecord of "Locations" when the container is written.
  EXPECT_EQ(RecordBytes("Combos\\LocationsLink.cb5", 4, 123),
            Le(0, 4) + Pad("safe", 32) + Pad("box 1", 32) + Le(0, 4) + " " + Le(-1, 2) + Le(0, 2) +
                Le(0, 2) + Le(0, 4) + Le(123456, 8) + Le(5, 4) + blank_tail);
  EXPECT_EQ(Items("Combos\\LocationsLink.cb5", 4), (std::vector<std::string>{"box 1", "box 2"}));
  EXPECT_EQ(RecordBytes("Combos\\LocationsLink.cb5", 5, 123).substr(91, 4), Le(5, 4));
  ExpectOnlyTheLogOpen();
}

TEST_F(ListsTest, StorageComparesTextsExactlyAcrossUsers) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\HWVER4\\NOSTORE\\", "C:\\HWVER4\\JONES\\"});
  WritePrior<PriorStorageRecord>(
      "SMITH\\storage.mst", 4,
      {Storage("Safe", "box 1"), Storage("safe", "box 1"), Storage("Empty", "drawer")});
  WritePrior<PriorStorageRecord>("JONES\\storage.mst", 4, {Storage(" safe ", "shelf")});

  hw::ConvertStorage(c());

  EXPECT_EQ(f.LogLines(),
            (std::vector<std::string>{"converting 3locations for user:C:\\HWVER4\\SMITH\\",
                                      "converting 1locations for user:C:\\HWVER4\\JONES\\"}));
  EXPECT_EQ(Items("Combos\\Locations.cb5", 4), (std::vector<std::string>{"Safe", "safe", "Empty"}));
  // A container is added once, under the location of the first record naming it.
  EXPECT_EQ(Items("Combos\\LocationsLink.cb5", 4),
            (std::vector<std::string>{"box 1", "drawer", "shelf"}));
  EXPECT_EQ(RecordBytes("Combos\\LocationsLink.cb5", 4, 123).substr(4, 32), Pad("Safe", 32));
}

TEST_F(ListsTest, EmptyMatchesOnlyWhenTheSearchReadsARecord) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\"});
  WriteShipped("Combos\\Locations.cb5", {});
  WriteShipped("Combos\\LocationsLink.cb5", {});
  WritePrior<PriorStorageRecord>("SMITH\\storage.mst", 4,
                                 {Storage("EMPTY", "box 3"), Storage("EMPTY", "box 9")});

  hw::ConvertStorage(c());

  EXPECT_EQ(Items("Combos\\Locations.cb5"), (std::vector<std::string>{"EMPTY"}));
  EXPECT_EQ(Items("Combos\\LocationsLink.cb5"), (std::vector<std::string>{"box 3"}));
  EXPECT_EQ(RecordBytes("Combos\\Locations.cb5", 3, 123).substr(91, 4), Le(3, 4));
  EXPECT_EQ(RecordBytes("Combos\\LocationsLink.cb5", 3, 123).substr(91, 4), Le(4, 4));
}

TEST_F(ListsTest, StorageErrorKeepsWhatWasWritten) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\"});
  WriteShipped("Combos\\LocationsLink.cb5", {}, 4);
  WritePrior<PriorStorageRecord>("SMITH\\storage.mst", 4, {Storage("safe", "box 1")});
  f.faults.Add(Fault{"LocationsLink.cb5", FaultOp::kWrite, hw::kBadFileName});

  hw::ConvertStorage(c());

  EXPECT_EQ(f.LogLines().back(), "Error During storage & insurance conversion");
  EXPECT_EQ(Items("Combos\\Locations.cb5", 4), (std::vector<std::string>{"safe"}));
  EXPECT_EQ(NextRecordOf("Combos\\LocationsLink.cb5"), 4);
  ExpectOnlyTheLogOpen();
}

// --- Buyer/seller contacts ---

TEST_F(ListsTest, PartyBecomesAListEntryAndAContact) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\"});
  PriorPartyRecord p = Party("Smith Coins");
  p.Text24.Set("0123456789ABCDEF");
  p.Text40.Set("12 Main Street");
  p.Text64.Set("Springfield");
  p.Text88.Set("IL");
  p.Text90.Set("62701-1234");
  p.Text100.Set("555-0100");
  p.Text124.Set("Buys proof sets");
  WritePrior<PriorPartyRecord>("SMITH\\parties.mst", 3, {p});

  hw::ConvertBuyersSellers(c());

  EXPECT_EQ(f.LogLines(), (std::vector<std::string>{"Converting C:\\HWVER4\\SMITH\\"}));
  EXPECT_EQ(NextRecordOf("Combos\\Buyers and Sellers.cb5"), 4);
  EXPECT_EQ(NextRecordOf("MyData\\Contacts.mst"), 4);
  EXPECT_EQ(RecordBytes("Combos\\Buyers and Sellers.cb5", 3, 123),
            Le(0, 4) + std::string(32, ' ') + Pad("Smith Coins", 32) + Le(0, 4) + " " +
                std::string(18, '\0') + Le(3, 4) + Pad("Smith Coins", 24) + "    ");
  const std::string contact = RecordBytes("MyData\\Contacts.mst", 3, 784);
  EXPECT_EQ(contact.substr(0, 64), Pad("Smith Coins", 32) + Pad("Smith Coins", 32));
  EXPECT_EQ(contact.substr(64, 48), "0123456789ABCDEF" + std::string(32, ' '));
  EXPECT_EQ(contact.substr(112, 48), Pad("12 Main Street", 48));
  EXPECT_EQ(contact.substr(160, 72), Pad("Springfield", 72));
  EXPECT_EQ(contact.substr(232, 12), "IL62701-1234");
  EXPECT_EQ(contact.substr(244, 24), Pad("555-0100", 24));
  EXPECT_EQ(contact.substr(268, 164), Pad("Buys proof sets", 164));
  EXPECT_EQ(contact.substr(432, 80), std::string(80, '\0'));
  EXPECT_EQ(contact.substr(512), std::string(272, ' '));
  ExpectOnlyTheLogOpen();
}

TEST_F(ListsTest, ListAndContactSearchesAreIndependent) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\HWVER4\\NOPARTY\\", "C:\\HWVER4\\JONES\\"});
  WriteShipped("Combos\\Buyers and Sellers.cb5", {ShippedEntry("Brown")});
  {
    const std::filesystem::path file = f.New("MyData\\Contacts.mst");
    TableImage t = TableImage::New("Contacts.mst", ContactRecord::kSize, 3);
    ContactRecord k;
    k.Name.Set("J. Jones");
    k.KeyName.Set("Jones");
    t.Append(k);
    t.WriteTo(file);
  }
  WritePrior<PriorPartyRecord>("SMITH\\parties.mst", 3,
                               {Party("Jones"), Party("Brown"), Party(" Smith "), Party("")});
  WritePrior<PriorPartyRecord>("JONES\\parties.mst", 3,
                               {Party("Smith"), Party("smith"), Party("  ")});

  hw::ConvertBuyersSellers(c());

  EXPECT_EQ(f.LogLines(), (std::vector<std::string>{"Converting C:\\HWVER4\\SMITH\\",
                                                    "Converting C:\\HWVER4\\JONES\\"}));
  EXPECT_EQ(Items("Combos\\Buyers and Sellers.cb5"),
            (std::vector<std::string>{"Brown", "Jones", "Smith", "", "smith"}));
  std::vector<std::string> keys;
  for (int32_t n = 3; n < NextRecordOf("MyData\\Contacts.mst"); ++n) {
    keys.push_back(hw::Trim(RecordBytes("MyData\\Contacts.mst", n, 784).substr(32, 32)));
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"Jones", "Brown", "Smith", "", "smith"}));
  // EntryId is the record the entry was written at.
  EXPECT_EQ(RecordBytes("Combos\\Buyers and Sellers.cb5", 4, 123).substr(91, 4), Le(4, 4));
}

TEST_F(ListsTest, BuyerSellerErrorKeepsWhatWasWritten) {
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\"});
  WritePrior<PriorPartyRecord>("SMITH\\parties.mst", 3, {Party("Smith Coins")});
  TableImage::New("Contacts.mst", ContactRecord::kSize, 3).WriteTo(f.New("MyData\\Contacts.mst"));
  f.faults.Add(Fault{"Contacts.mst", FaultOp::kWrite, hw::kBadFileNameOrNumber});

  hw::ConvertBuyersSellers(c());

  EXPECT_EQ(f.ui.MessageTexts(), (std::vector<std::string>{kIllegalName}));
  EXPECT_EQ(f.LogLines(), (std::vector<std::string>{"Converting C:\\HWVER4\\SMITH\\",
                                                    "Error encountered during buyer/seller "
                                                    "conversion"}));
  EXPECT_EQ(Items("Combos\\Buyers and Sellers.cb5"), (std::vector<std::string>{"Smith Coins"}));
  EXPECT_EQ(NextRecordOf("MyData\\Contacts.mst"), 3);
  ExpectOnlyTheLogOpen();
}

// --- All three ---

TEST_F(ListsTest, SecondRunChangesNoFile) {
  f.AddType("COIN");
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\HWVER4\\JONES\\"});
  WritePrior<PriorChoiceEntry>("Combos\\COIN\\Grade.cbo", 3,
                               {PriorEntry("Mint"), PriorEntry(""), PriorChoiceEntry{}});
  WritePrior<PriorStorageRecord>("SMITH\\storage.mst", 4,
                                 {Storage("safe", "box 1", "YNY", 5), Storage("EMPTY", "x")});
  WritePrior<PriorPartyRecord>("SMITH\\parties.mst", 3, {Party("Smith Coins"), Party("")});
  WritePrior<PriorPartyRecord>("JONES\\parties.mst", 3, {Party("Smith Coins")});

  hw::ConvertBuyersSellers(c());
  hw::ConvertStorage(c());
  hw::ConvertChoiceLists(c());
  const auto first = NewTables();
  ASSERT_EQ(first.size(), 5u);
  hw::ConvertBuyersSellers(c());
  hw::ConvertStorage(c());
  hw::ConvertChoiceLists(c());

  EXPECT_EQ(NewTables(), first);
  EXPECT_TRUE(f.ui.Messages().empty());
}

}  // namespace
