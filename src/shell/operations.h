#pragma once

#include <array>

#include "conversion/conversion.h"

namespace hw {

// One conversion operation of the main window; its position in Operations() is its index
// (shared by chkTask, pbArrow, pbCheck, cmdInfo and lblMoreInfo).
struct Operation {
  const char* status;    // status caption set before it runs (none for the screen designs)
  const char* log_line;  // log line written before it runs (none for the screen designs)
  void (*run)(Conversion&);
};

// The operations, by index 0..5. The screen design conversion (5) runs first, then 0 to 4.
const std::array<Operation, 6>& Operations();

}  // namespace hw
