#include "tablestore/runtime.h"

namespace hw {

namespace {

void CheckSubscript(int number) {
  if (number < 0 || number > kMaxTableNumber) throw RunError(kSubscriptOutOfRange);
}

}  // namespace

NewHeader& TableSlots::New(int number) {
  CheckSubscript(number);
  return new_[number];
}

PriorHeader& TableSlots::Prior(int number) {
  CheckSubscript(number);
  return prior_[number];
}

}  // namespace hw
