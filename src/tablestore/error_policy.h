#pragma once

#include <cstdint>
#include <utility>

#include "tablestore/runtime.h"

// The file-error policy: a run-time error number becomes a message box and a recovery action.
namespace hw {

enum class Recovery : int32_t { kRetry = 0, kIgnore = 1, kIllegalName = 2, kFatal = 3 };

// How the program ended before its normal end.
enum class EndReason {
  kFatal,           // the fatal-error message (the window is unloaded, closing the log)
  kNotFound,        // start-up found no prior installation (ends without the unload)
  kAnalysisFailed,  // the installation analysis failed (the window is unloaded)
};

// Besides the run-time errors themselves (RunError), two exceptions unwind: one ends the
// program, the other an operation.

// Thrown when the program ends early; caught only by the front end, which unloads the window
// (closing the log) when the reason asks for it, and ends. Tables are not closed on the way:
// their headers are not written.
struct ProgramEnd {
  EndReason reason = EndReason::kFatal;
};

// Thrown when an operation's handler gives up (any recovery but Retry or Ignore). The operation
// catches it at its top, writes its own error line, closes its tables and returns.
struct LeaveOperation {};

// Records the number in last_error and asks the user; may end the program (ProgramEnd).
Recovery ReportFileError(Runtime& rt, int32_t& number);

// Shows the fatal message naming last_error and ends the program (throws ProgramEnd).
[[noreturn]] void FatalError(Runtime& rt);

// How an operation answers a run-time error met by one of its statements.
enum class Handler {
  // The default: ReportFileError asks; Retry runs the statement again, Ignore goes on after it,
  // anything else leaves the operation (throws LeaveOperation).
  kAsk,
  // The table opens' handler: the same question, and LastError is cleared again once the user
  // has chosen Retry or Ignore.
  kAskAndClear,
  // No message and no retry: the statement ends at the error and its caller answers for it (a
  // close that does nothing, a search that answers 0, a collection that ends with its own log
  // line, the analysis that ends the program).
  kSilent,
};

// Runs one statement under `handler`; false when it ended at an error (ignored, or silently).
// A function with no handler of its own is one statement of its caller: its error travels up to
// the caller's Attempt, where Retry runs the whole call again.
template <class Step>
bool Attempt(Runtime& rt, Handler handler, Step&& step) {
  for (;;) {
    try {
      step();
      return true;
    } catch (const RunError& e) {
      if (handler == Handler::kSilent) return false;
      int32_t number = e.number;
      const Recovery recovery = ReportFileError(rt, number);
      if (recovery != Recovery::kRetry && recovery != Recovery::kIgnore) throw LeaveOperation{};
      if (handler == Handler::kAskAndClear) rt.last_error = 0;
      if (recovery == Recovery::kIgnore) return false;
    }
  }
}

// A statement under the default handler.
template <class Step>
bool Attempt(Runtime& rt, Step&& step) {
  return Attempt(rt, Handler::kAsk, std::forward<Step>(step));
}

}  // namespace hw
