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

// Runs one statement under the default handler: on a run-time error ReportFileError decides;
// Retry runs the statement again, Ignore goes on after it (returns false), anything else
// leaves the operation (throws LeaveOperation). A function with no handler of its own is one
// statement of its caller.
template <class Step>
bool Attempt(Runtime& rt, Step&& step) {
  for (;;) {
    try {
      std::forward<Step>(step)();
      return true;
    } catch (const RunError& e) {
      int32_t number = e.number;
      switch (ReportFileError(rt, number)) {
        case Recovery::kRetry:
          continue;
        case Recovery::kIgnore:
          return false;
        default:
          throw LeaveOperation{};
      }
    }
  }
}

}  // namespace hw
