// Choice lists of both editions, the users' storage tables and buyer/seller lists.

#include <filesystem>
#include <string>
#include <vector>

#include "fixtures/table_image.h"
#include "hwsample/sample.h"
#include "lists/list_records.h"

namespace hwsample {

namespace {

namespace fs = std::filesystem;

struct PriorEntryRow {
  int16_t number;
  const char* text;
  const char* tag;
};

struct PriorListFile {
  const char* type_code;  // folder under the prior "Combos\"
  const char* file;
  std::vector<PriorEntryRow> entries;
};

// The user's additions: repeated entries, entries that differ only in case or in surrounding
// blanks, a blank entry, and entries the shipped lists already hold.
const std::vector<PriorListFile>& PriorLists() {
  static const std::vector<PriorListFile> lists = {
      {"COIN",
       "Grade.cbo",
       {{1, "MS-65", "GRD01"},
        {2, "Proof", "GRD02"},
        {3, "  Proof  ", "GRD02"},
        {4, "PROOF", "GRD03"},
        {5, "", ""},
        {-5, "Cleaned", "CLEANED"},
        {6, "About Uncirculated", "AU"},
        {6, "About Uncirculated", "AU"}}},
      {"COIN",
       "Mint.cbo",
       {{1, "Philadelphia", "P"},
        {2, "Denver", "D"},
        {3, "San Francisco", "S"},
        {4, "Carson City", "CC"},
        {5, "denver", "D"}}},
      {"STAMPS",
       "Condition.cbo",
       {{1, "Mint Never Hinged", "MNH"},
        {2, "Hinged", "H"},
        {3, "Used", "U"},
        {4, "used", "U"},
        {5, "   ", ""}}},
      {"STAMPS", "Perforation.cbo", {{1, "Imperforate", "IMP"}, {2, "Perf 12", "P12"}}},
  };
  return lists;
}

struct ShippedListFile {
  const char* type_name;  // folder under the new "Combos\"
  const char* file;
  std::vector<const char*> entries;
};

// Lists as the new edition ships them; Stamp has no folder yet.
const std::vector<ShippedListFile>& ShippedLists() {
  static const std::vector<ShippedListFile> lists = {
      {"Coin", "Grade.cb5", {"MS-63", "MS-65", "Proof", "Fine", ""}},
      {"Coin", "Composition.cb5", {"Silver", "Copper", "Clad"}},
  };
  return lists;
}

struct StorageRow {
  const char* location;
  const char* container;
  const char* marks;  // Mark1, Mark2, Mark3
  int64_t amount;     // times 10 000
};

struct PartyRow {
  const char* name;
  const char* text24;
  const char* text40;
  const char* city;
  const char* state;
  const char* zip;
  const char* phone;
  const char* note;
};

// Storage tables and buyer/seller lists of the first users; a user beyond these has neither.
const std::vector<std::vector<StorageRow>>& StorageTables() {
  static const std::vector<std::vector<StorageRow>> tables = {
      {{"Safe Deposit Box", "Box 1", "YNY", 15000000},
       {"Safe Deposit Box", "Box 2", "YYN", 2500000},
       {"Home Safe", "Tray A", "NNN", 123456},
       {"EMPTY", "Loose", "YYY", 0},
       {"Closet", "Shoebox", "yNN", 0},
       {"closet", "Album Shelf", "NNY", 50000}},
      {{"Home Safe", "Tray A", "YNN", 0},
       {"Bank Vault", "Drawer 7", "YyY", 75000000},
       {"Empty", "Bin", "NNN", 0},
       {"EMPTY", "Tray A", "NNN", 0}},
  };
  return tables;
}

const std::vector<std::vector<PartyRow>>& PartyLists() {
  static const std::vector<std::vector<PartyRow>> lists = {
      {{"Main Street Coin Shop", "Ann Baker", "12 Main Street", "Springfield", "IL", "62701",
        "555-0100", "Buys proof sets"},
       {"Lakeside Auctions", "Front desk", "4 Shore Road", "Lakeview", "MI", "49001-2345",
        "555-0101", ""},
       {"", "", "", "", "", "", "", "blank name"}},
      {{"Main Street Coin Shop", "Bob Baker", "12 Main Street", "Springfield", "IL", "62701",
        "555-0199", "Second user's copy"},
       {"Northern Philatelic", "", "PO Box 9", "Duluth", "MN", "55802", "555-0102", "Stamps only"},
       {"northern philatelic", "", "", "", "", "", "", "case variant"}},
  };
  return lists;
}

template <class Record>
void WriteTable(const fs::path& file, int32_t first, const std::vector<Record>& records,
                bool prior) {
  fs::create_directories(file.parent_path());
  const std::string name = file.filename().string();
  hw::TableImage t = prior ? hw::TableImage::Prior(name, Record::kSize, static_cast<int16_t>(first))
                           : hw::TableImage::New(name, Record::kSize, first);
  for (const Record& r : records) t.Append(r);
  t.WriteTo(file);
}

void WriteChoiceLists(const SampleContext& ctx) {
  for (const PriorListFile& list : PriorLists()) {
    std::vector<hw::PriorChoiceEntry> entries;
    for (const PriorEntryRow& row : list.entries) {
      hw::PriorChoiceEntry e;
      e.ItemNumber = row.number;
      e.ItemText.Set(row.text);
      e.Unused34.Blank();
      e.Tag.Set(row.tag);
      entries.push_back(e);
    }
    WriteTable(ctx.prior_root / "Combos" / list.type_code / list.file, 3, entries, true);
  }
  for (const ShippedListFile& list : ShippedLists()) {
    std::vector<hw::ChoiceEntry> entries;
    int32_t number = 0;
    for (const char* text : list.entries) {
      hw::ChoiceEntry e;
      e.ItemNumber = ++number;
      e.ParentText.Blank();
      e.ItemText.Set(text);
      e.Marker.Set("0");
      e.EntryId = -1;
      e.AltText.Blank();
      e.Tag.Blank();
      entries.push_back(e);
    }
    WriteTable(ctx.new_root / "Combos" / list.type_name / list.file, 3, entries, false);
  }
}

void WriteUserTables(const SampleContext& ctx) {
  const size_t users = ctx.sample_users.size();
  for (size_t i = 0; i < users && i < StorageTables().size(); ++i) {
    std::vector<hw::PriorStorageRecord> records;
    for (const StorageRow& row : StorageTables()[i]) {
      hw::PriorStorageRecord r;
      r.Location.Set(row.location);
      r.Container.Set(row.container);
      r.Mark1.Set(std::string(1, row.marks[0]));
      r.Mark2.Set(std::string(1, row.marks[1]));
      r.Mark3.Set(std::string(1, row.marks[2]));
      r.Amount.scaled = row.amount;
      r.Unused75.Blank();
      records.push_back(r);
    }
    WriteTable(ctx.sample_users[i].host_folder / "storage.mst", 4, records, true);
  }
  for (size_t i = 0; i < users && i < PartyLists().size(); ++i) {
    std::vector<hw::PriorPartyRecord> records;
    for (const PartyRow& row : PartyLists()[i]) {
      hw::PriorPartyRecord p;
      p.Name.Set(row.name);
      p.Text24.Set(row.text24);
      p.Text40.Set(row.text40);
      p.Text64.Set(row.city);
      p.Text88.Set(row.state);
      p.Text90.Set(row.zip);
      p.Text100.Set(row.phone);
      p.Text124.Set(row.note);
      records.push_back(p);
    }
    WriteTable(ctx.sample_users[i].host_folder / "parties.mst", 3, records, true);
  }
}

}  // namespace

void WriteLists(SampleContext& ctx) {
  WriteChoiceLists(ctx);
  WriteUserTables(ctx);
}

}  // namespace hwsample
