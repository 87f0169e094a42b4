#include "lists/storage.h"

#include <algorithm>
#include <string>

#include "lists/list_records.h"
#include "lists/user_folders.h"
#include "platform/text.h"
#include "tablestore/error_policy.h"
#include "tablestore/indexed_table.h"
#include "tablestore/table_store.h"

namespace hw {

namespace {

// Both lists start with NextRecord 4: record 3 is searched but never written.
constexpr int32_t kStorageListFirstRecord = 4;
constexpr int32_t kFirstStorageRecord = 4;

// The entries written here get a blank Marker rather than the one of the entry the duplicate
// search read last, so that an entry does not depend on the list it was added to.
ChoiceEntry BlankEntry() {
  ChoiceEntry e;
  e.ParentText.Blank();
  e.ItemText.Blank();
  e.Marker.Blank();
  e.AltText.Blank();
  e.Tag.Blank();
  return e;
}

ChoiceEntry LocationEntry(const PriorStorageRecord& r, int32_t record) {
  ChoiceEntry e = BlankEntry();
  e.ItemText.Set(r.Location.Raw());
  e.EntryId = record;
  return e;
}

// `locations_next` is the NextRecord of "Locations" when the container is written: the record
// number the next new location would get.
ChoiceEntry ContainerEntry(const PriorStorageRecord& r, int32_t locations_next) {
  ChoiceEntry e = BlankEntry();
  e.ParentText.Set(r.Location.Raw());
  e.ItemText.Set(r.Container.Raw());
  e.Flag1 = r.Mark1.Raw() == "Y";
  e.Flag2 = r.Mark2.Raw() == "Y";
  e.Flag3 = r.Mark3.Raw() == "Y";
  e.Amount = r.Amount;
  e.EntryId = locations_next;
  return e;
}

}  // namespace

void ConvertStorage(Conversion& c) {
  ListsState& s = c.lists;
  IndexedTable<ChoiceEntry> locations(c, s.locations, c.scan_searches);
  IndexedTable<ChoiceEntry> containers(c, s.locations_link, c.scan_searches);
  PriorStorageRecord record;
  try {
    const std::string lists_folder = Trim(c.fs.CurrentFolder()) + "\\Combos\\";
    locations.Reopen(lists_folder, "Locations", ".cb5", kStorageListFirstRecord);
    containers.Reopen(lists_folder, "LocationsLink", ".cb5", kStorageListFirstRecord);
    OpenPriorTable(c, c.prior_folder, "Default", s.user_list, ".mst");
    ForEachUserFolder(c, s.user_list, [&](const std::string& folder) {
      if (!UserHasFile(c, folder, "storage.mst")) return;
      OpenPriorTable(c, folder, "storage", s.storage, ".mst");
      int32_t next = 0;
      Attempt(c, [&] { next = c.slots.Prior(s.storage).next_record; });
      const int32_t count = std::max(0, next - kFirstStorageRecord);  // the records read below
      Attempt(c, [&] {
        c.Log("converting " + std::to_string(count) + "locations for user:" + folder);
      });
      for (int32_t r = kFirstStorageRecord; r < next; ++r) {
        Attempt(c, [&] { ReadRecord(c, s.storage, r, record); });
        // "EMPTY" stands for no location: the first record either search reads matches it.
        const std::string location = record.Location.Trimmed();
        const bool no_location = location == "EMPTY";
        if (!locations.Scan(location, no_location)) {
          locations.Append(LocationEntry(record, locations.NextRecord()));
        }
        if (!containers.Scan(record.Container.Trimmed(), no_location)) {
          containers.Append(ContainerEntry(record, locations.NextRecord()));
        }
      }
      CloseFile(c, s.storage);
    });
    CloseFile(c, s.user_list);
    locations.Close();
    containers.Close();
  } catch (const LeaveOperation&) {
    c.Log("Error During storage & insurance conversion");
    CloseFile(c, s.user_list);
    CloseFile(c, s.storage);
    locations.Close();
    containers.Close();
  }
}

}  // namespace hw
