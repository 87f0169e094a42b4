#include "platform/fault_plan.h"

#include "platform/text.h"

namespace hw {

int FaultPlan::Take(FaultOp op, const std::string& last_name) {
  if (faults_.empty()) return 0;
  const std::string upper = Upper1252(last_name);
  for (Fault& f : faults_) {
    if (f.op == op && f.times > 0 && Upper1252(f.name) == upper) {
      if (f.after > 0) {
        --f.after;
        continue;
      }
      --f.times;
      return f.error;
    }
  }
  return 0;
}

}  // namespace hw
