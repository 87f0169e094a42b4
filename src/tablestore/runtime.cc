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

Reply FlushingUi::MessageBox(const std::string& text, Icon icon, Buttons buttons,
                             const std::string& title) {
  try {
    fs_.Flush();
  } catch (const RunError&) {
    // A write that fails here is lost like any failed write; the box still has to be shown.
  }
  return ui_.MessageBox(text, icon, buttons, title);
}

PriorHeader& TableSlots::Prior(int number) {
  CheckSubscript(number);
  return prior_[number];
}

}  // namespace hw
