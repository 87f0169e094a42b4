#pragma once

#include <array>

#include "conversion/conversion.h"
#include "shell/controls.h"

namespace hw {

// What one conversion operation of the main window does.
struct OperationRun {
  const char* status;    // status caption set before it runs (none for the screen designs)
  const char* log_line;  // log line written before it runs (none for the screen designs)
  void (*run)(Conversion&);
};

// The operations that run, by Index(). The screen design conversion runs first, then the
// others in this order.
const std::array<OperationRun, kRunnableCount>& Operations();

}  // namespace hw
