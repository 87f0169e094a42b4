#include "support/scripted_ui.h"

namespace hw::testing {

Reply ScriptedUi::MessageBox(const std::string& text, Icon icon, Buttons buttons,
                             const std::string& title) {
  Reply reply = Reply::kOk;
  if (buttons == Buttons::kAbortRetryIgnore) {
    reply = replies_.empty() ? Reply::kAbort : replies_.front();
    if (!replies_.empty()) replies_.pop_front();
  }
  events_.push_back(MessageEvent{text, icon, buttons, title, reply});
  return reply;
}

}  // namespace hw::testing
