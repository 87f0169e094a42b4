#include "lists/user_folders.h"

#include "records/prior_lists.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_store.h"

namespace hw {

void ForEachUserFolder(Runtime& rt, int16_t user_list,
                       const std::function<void(const std::string& folder)>& convert) {
  int32_t next = 0;
  Attempt(rt, [&] { next = rt.slots.Prior(user_list).next_record; });
  PriorUserRecord user;
  for (int32_t u = 4; u < next; ++u) {
    Attempt(rt, [&] { ReadRecord(rt, user_list, u, user); });
    convert(user.Folder.Trimmed());
  }
}

bool UserHasFile(Runtime& rt, const std::string& folder, const std::string& file_name) {
  bool found = true;
  Attempt(rt, [&] { found = !rt.fs.List(folder + file_name, ListFilter::kPlainFiles).empty(); });
  return found;
}

}  // namespace hw
