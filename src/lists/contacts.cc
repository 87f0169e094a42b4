#include "lists/contacts.h"

#include <string>

#include "lists/list_records.h"
#include "lists/user_folders.h"
#include "platform/text.h"
#include "tablestore/error_policy.h"
#include "tablestore/indexed_table.h"
#include "tablestore/table_store.h"

namespace hw {

namespace {

constexpr int32_t kFirstRecord = 3;  // both new tables, when created

// Marker is written blank rather than left with whatever entry the duplicate search read
// last, so that an entry does not depend on the list it was added to.
ChoiceEntry PartyEntry(const PriorPartyRecord& party, int32_t record) {
  ChoiceEntry e;
  e.ParentText.Blank();
  e.ItemText.Set(party.Name.Raw());
  e.Marker.Blank();
  e.EntryId = record;
  e.AltText.Set(party.Name.Raw());
  e.Tag.Blank();
  return e;
}

// The ten numbers at offset 432 are written as zeros rather than copied from the contact the
// duplicate search read last: the prior party has nothing to give them.
ContactRecord PartyContact(const PriorPartyRecord& party) {
  ContactRecord k;
  k.Name.Set(party.Name.Raw());
  k.KeyName.Set(party.Name.Raw());
  k.Text64.Set(party.Text24.Raw());
  k.Text80.Blank();
  k.Text96.Blank();
  k.Text112.Set(party.Text40.Raw());
  k.Text136.Blank();
  k.Text160.Set(party.Text64.Raw());
  k.Text184.Blank();
  k.Text208.Blank();
  k.Text232.Set(party.Text88.Raw());
  k.Text234.Set(party.Text90.Raw());
  k.Text244.Set(party.Text100.Raw());
  k.Text268.Set(party.Text124.Raw());
  k.Text332.Blank();
  k.Text396.Blank();
  k.Text414.Blank();
  k.Text512.Blank();
  k.Text528.Blank();
  return k;
}

}  // namespace

void ConvertBuyersSellers(Conversion& c) {
  ListsState& s = c.lists;
  IndexedTable<ChoiceEntry> list(c, s.new_list, c.scan_searches);
  IndexedTable<ContactRecord> contacts(c, s.contacts, c.scan_searches);
  PriorPartyRecord party;
  try {
    const std::string lists_folder = Trim(c.fs.CurrentFolder()) + "\\Combos\\";
    list.Reopen(lists_folder, "Buyers and Sellers", ".cb5", kFirstRecord);
    contacts.Reopen(c.new_data_folder + "MyData\\", "Contacts", ".mst", kFirstRecord);
    CloseFile(c, s.user_list);
    OpenPriorTable(c, c.prior_folder, "Default", s.user_list, ".mst");
    ForEachUserFolder(c, s.user_list, [&](const std::string& folder) {
      if (!UserHasFile(c, folder, "parties.mst")) return;
      CloseFile(c, s.prior_list);
      OpenPriorTable(c, folder, "parties", s.prior_list, ".mst");
      Attempt(c, [&] { c.Log("Converting " + folder); });
      int32_t next = 0;
      Attempt(c, [&] { next = c.slots.Prior(s.prior_list).next_record; });
      for (int32_t p = kFirstRecord; p < next; ++p) {
        Attempt(c, [&] { ReadRecord(c, s.prior_list, p, party); });
        const std::string name = party.Name.Trimmed();
        if (!list.Scan(name)) list.Append(PartyEntry(party, list.NextRecord()));
        if (!contacts.Scan(name)) contacts.Append(PartyContact(party));
      }
      CloseFile(c, s.prior_list);
    });
    CloseFile(c, s.user_list);
    list.Close();
    contacts.Close();
  } catch (const LeaveOperation&) {
    c.Log("Error encountered during buyer/seller conversion");
    CloseFile(c, s.prior_list);
    CloseFile(c, s.user_list);
    list.Close();
    contacts.Close();
  }
}

}  // namespace hw
