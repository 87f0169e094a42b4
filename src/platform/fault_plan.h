#pragma once

#include <string>
#include <vector>

// Injected run-time errors, for tests and the batch front end's --fail option: after AFTER
// operations of one kind on a file or folder whose last name equals NAME (without regard to
// case) went through, the next TIMES such operations raise error ERR. (A full disk, for one,
// is a write that fails once a file has grown.)
namespace hw {

enum class FaultOp { kOpen, kRead, kWrite, kMkdir };

struct Fault {
  std::string name;  // Windows-1252
  FaultOp op;
  int error;
  int times = 1;
  int after = 0;
};

class FaultPlan {
 public:
  void Add(Fault f) { faults_.push_back(std::move(f)); }
  // The error to raise for this operation, or 0. Each raise uses up one of the fault's times.
  int Take(FaultOp op, const std::string& last_name);

 private:
  std::vector<Fault> faults_;
};

}  // namespace hw
