#include "support/scripted_ui.h"

#include <type_traits>
#include <utility>

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

namespace {

// What `pick` takes from each event of one kind, in order.
template <class Event, class Pick>
auto Select(const std::vector<UiEvent>& events, Pick pick) {
  std::vector<std::decay_t<decltype(pick(std::declval<Event>()))>> out;
  for (const UiEvent& e : events) {
    if (const Event* event = std::get_if<Event>(&e)) out.push_back(pick(*event));
  }
  return out;
}

}  // namespace

std::vector<MessageEvent> ScriptedUi::Messages() const {
  return Select<MessageEvent>(events_, [](const MessageEvent& m) { return m; });
}

std::vector<std::string> ScriptedUi::MessageTexts() const {
  return Select<MessageEvent>(events_, [](const MessageEvent& m) { return m.text; });
}

std::vector<std::string> ScriptedUi::StatusCaptions() const {
  return Select<StatusEvent>(events_, [](const StatusEvent& s) { return s.caption; });
}

}  // namespace hw::testing
