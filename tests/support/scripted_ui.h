#pragma once

#include <deque>
#include <initializer_list>
#include <string>
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
  void QueueReplies(std::initializer_list<Reply> replies);
  size_t PendingReplies() const { return replies_.size(); }

  Reply MessageBox(const std::string& text, Icon icon, Buttons buttons,
                   const std::string& title) override;
  std::string OpenFileDialog() override;
  void StatusChanged(const std::string& caption) override;
  void MarkChanged(Mark mark, int index, bool visible) override;
  void WindowChanged() override;

  // Every call so far, in order.
  const std::vector<UiEvent>& events() const { return events_; }
  void ClearEvents() { events_.clear(); }

  // The events of one kind, in order.
  std::vector<MessageEvent> Messages() const;
  std::vector<std::string> MessageTexts() const;
  std::vector<std::string> StatusCaptions() const;

 private:
  template <class Event>
  std::vector<Event> Select() const;

  std::vector<UiEvent> events_;
  std::deque<Reply> replies_;
};

}  // namespace hw::testing
