#include "lists/choice_lists.h"

#include <string>
#include <vector>

#include "lists/list_records.h"
#include "platform/text.h"
#include "tablestore/error_policy.h"
#include "tablestore/indexed_table.h"
#include "tablestore/table_store.h"

namespace hw {

namespace {

// The prior list names of one type are held in a list of 100; one more is a subscript error.
constexpr size_t kMaxListNames = 100;
constexpr int32_t kNewListFirstRecord = 3;

// Creates new data folder + "Combos\" + type name for each type that lacks it.
void AddTypeFolders(Conversion& c) {
  for (const CollectibleType& type : c.types) {
    // An ignored failure of the lookup goes on with the next step, the creation.
    bool found = false;
    Attempt(c, [&] {
      found = !c.fs.List(c.new_data_folder + "Combos\\" + type.name + "\\.",
                         ListFilter::kFilesAndFolders)
                   .empty();
    });
    if (found) continue;
    Attempt(c, [&] { c.Log("Adding combo directory for: " + type.name); });
    Attempt(c, [&] { c.fs.ChangeFolder(c.new_data_folder + "Combos"); });
    Attempt(c, [&] { c.fs.MakeFolder(type.name); });
    Attempt(c, [&] { c.fs.ChangeFolder(c.new_data_folder); });
  }
}

std::vector<std::string> PriorListNames(Conversion& c, const CollectibleType& type) {
  std::vector<std::string> names =
      c.fs.List(c.prior_folder + "Combos\\" + Trim(type.code) + "\\*.cbo", ListFilter::kPlainFiles);
  if (names.size() > kMaxListNames) throw RunError(kSubscriptOutOfRange);
  return names;
}

ChoiceEntry EntryFrom(const PriorChoiceEntry& prior) {
  ChoiceEntry e;
  e.ItemNumber = prior.ItemNumber;
  e.ParentText.Blank();
  e.ItemText = prior.ItemText;
  e.Marker.Set("0");
  e.EntryId = -1;
  e.AltText.Blank();
  e.Tag.Set(prior.Tag.Raw().substr(0, e.Tag.kWidth));
  return e;
}

// Appends the entries of the prior list `file_name` that the new list of the same name lacks.
void MergeList(Conversion& c, const CollectibleType& type, const std::string& file_name,
               IndexedTable<ChoiceEntry>& list) {
  ListsState& s = c.lists;
  const std::string name = file_name.substr(0, file_name.size() < 4 ? 0 : file_name.size() - 4);
  CloseFile(c, s.prior_list);
  OpenPriorTable(c, c.prior_folder + "Combos\\" + type.code + "\\", name, s.prior_list, ".cbo");
  list.Reopen(c.new_data_folder + "Combos\\" + type.name + "\\", name, ".cb5", kNewListFirstRecord);
  int32_t prior_next = 0;
  Attempt(c, [&] { prior_next = c.slots.Prior(s.prior_list).next_record; });
  PriorChoiceEntry prior;
  for (int32_t p = 3; p < prior_next; ++p) {
    Attempt(c, [&] { ReadRecord(c, s.prior_list, p, prior); });
    if (!list.Scan(prior.ItemText.Trimmed())) list.Append(EntryFrom(prior));
  }
  CloseFile(c, s.prior_list);
  list.Close();
}

}  // namespace

void ConvertChoiceLists(Conversion& c) {
  IndexedTable<ChoiceEntry> list(c, c.lists.new_list, c.scan_searches);
  std::string current_list;  // the prior file being merged; empty between merges
  try {
    AddTypeFolders(c);
    for (const CollectibleType& type : c.types) {
      c.SetStatus("Collectible type: " + Trim(type.name));
      Attempt(c, [&] { c.Log("Processing choice lists for collectible: " + type.name); });
      std::vector<std::string> names;
      Attempt(c, [&] { names = PriorListNames(c, type); });
      for (const std::string& file_name : names) {
        current_list = file_name;
        MergeList(c, type, file_name, list);
        current_list.clear();
      }
    }
  } catch (const LeaveOperation&) {
    c.Log("Error encountered processing choice list: " + current_list);
    CloseFile(c, c.lists.prior_list);
    list.Close();
  }
}

}  // namespace hw
