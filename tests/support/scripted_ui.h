#pragma once

#include <deque>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/user_interface.h"

// A user interface for tests: it records every call in order and answers message boxes from a
// queue of replies.
namespace hw::testing {

struct MessageEvent {
  std::string text;
  Icon icon;
  Buttons buttons;
  std::string title;
  Reply reply;  // the answer given
  bool operator==(const MessageEvent&) const = default;
};

struct DialogEvent {  // the user cancels every file dialog
  bool operator==(const DialogEvent&) const = default;
};

struct StatusEvent {
  std::string caption;
  bool operator==(const StatusEvent&) const = default;
};

struct MarkEvent {
  Mark mark;
  int index;
  bool visible;
  bool operator==(const MarkEvent&) const = default;
};

struct WindowEvent {
  bool operator==(const WindowEvent&) const = default;
};

using UiEvent = std::variant<MessageEvent, DialogEvent, StatusEvent, MarkEvent, WindowEvent>;

class ScriptedUi : public UserInterface {
 public:
  // Replies for the Abort/Retry/Ignore boxes, taken in order. An OK-only box answers OK
  // without taking one; a question asked with the queue empty is answered Abort.
  void QueueReplies(std::initializer_list<Reply> replies) {
    replies_.insert(replies_.end(), replies.begin(), replies.end());
  }
  size_t PendingReplies() const { return replies_.size(); }

  Reply MessageBox(const std::string& text, Icon icon, Buttons buttons,
                   const std::string& title) override;
  std::string OpenFileDialog() override {
    events_.emplace_back(std::in_place_type<DialogEvent>);
    return "";
  }
  void StatusChanged(const std::string& caption) override {
    events_.push_back(StatusEvent{caption});
  }
  void MarkChanged(Mark mark, int index, bool visible) override {
    events_.push_back(MarkEvent{mark, index, visible});
  }
  void WindowChanged() override { events_.emplace_back(std::in_place_type<WindowEvent>); }

  // Every call so far, in order.
  const std::vector<UiEvent>& events() const { return events_; }
  void ClearEvents() { events_.clear(); }

  // The events of one kind, in order.
  std::vector<MessageEvent> Messages() const {
    return Select<MessageEvent>([](const MessageEvent& m) { return m; });
  }
  std::vector<std::string> MessageTexts() const {
    return Select<MessageEvent>([](const MessageEvent& m) { return m.text; });
  }
  std::vector<std::string> StatusCaptions() const {
    return Select<StatusEvent>([](const StatusEvent& s) { return s.caption; });
  }

 private:
  // What `pick` takes from each event of one kind, in order.
  template <class Event, class Pick>
  std::vector<std::invoke_result_t<Pick, const Event&>> Select(Pick pick) const {
    std::vector<std::invoke_result_t<Pick, const Event&>> out;
    for (const UiEvent& e : events_) {
      if (const Event* event = std::get_if<Event>(&e)) out.push_back(pick(*event));
    }
    return out;
  }

  std::vector<UiEvent> events_;
  std::deque<Reply> replies_;
};

}  // namespace hw::testing
