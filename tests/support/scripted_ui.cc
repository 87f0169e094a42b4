#include "support/scripted_ui.h"

namespace hw::testing {

void ScriptedUi::QueueReplies(std::initializer_list<Reply> replies) {
  replies_.insert(replies_.end(), replies.begin(), replies.end());
}

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

std::string ScriptedUi::OpenFileDialog() {
  events_.emplace_back(std::in_place_type<DialogEvent>);
  return "";
}

void ScriptedUi::StatusChanged(const std::string& caption) {
  events_.push_back(StatusEvent{caption});
}

void ScriptedUi::MarkChanged(Mark mark, int index, bool visible) {
  events_.push_back(MarkEvent{mark, index, visible});
}

void ScriptedUi::WindowChanged() { events_.emplace_back(std::in_place_type<WindowEvent>); }

template <class Event>
std::vector<Event> ScriptedUi::Select() const {
  std::vector<Event> out;
  for (const UiEvent& e : events_) {
    if (const Event* event = std::get_if<Event>(&e)) out.push_back(*event);
  }
  return out;
}

std::vector<MessageEvent> ScriptedUi::Messages() const { return Select<MessageEvent>(); }

std::vector<std::string> ScriptedUi::MessageTexts() const {
  std::vector<std::string> texts;
  for (const MessageEvent& m : Messages()) texts.push_back(m.text);
  return texts;
}

std::vector<std::string> ScriptedUi::StatusCaptions() const {
  std::vector<std::string> captions;
  for (const StatusEvent& s : Select<StatusEvent>()) captions.push_back(s.caption);
  return captions;
}

}  // namespace hw::testing
