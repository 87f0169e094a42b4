#include "hwverify/report.h"

#include <algorithm>

namespace hwverify {

bool CollectionCheck::Complete() const {
  return found && Short() == 0 && texts.empty() &&
         std::all_of(money.begin(), money.end(),
                     [](const MoneyTotal& m) { return m.prior == m.now; });
}

bool UserCheck::Complete() const {
  return in_table && folder_exists &&
         std::all_of(collections.begin(), collections.end(),
                     [](const CollectionCheck& c) { return c.Complete(); });
}

int Report::ShortCollections() const {
  int n = 0;
  for (const UserCheck& u : users) {
    n += static_cast<int>(std::count_if(u.collections.begin(), u.collections.end(),
                                        [](const CollectionCheck& c) { return !c.Complete(); }));
  }
  return n;
}

bool Report::Complete() const {
  return log_found && log_errors.empty() &&
         std::all_of(users.begin(), users.end(), [](const UserCheck& u) { return u.Complete(); }) &&
         std::all_of(lists.begin(), lists.end(), [](const ListCheck& l) { return l.Complete(); }) &&
         std::all_of(designs.begin(), designs.end(),
                     [](const DesignCheck& d) { return d.missing_reports.empty(); });
}

}  // namespace hwverify
