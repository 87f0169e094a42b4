#pragma once

#include <string_view>

#include "conversion/conversion.h"

namespace hw {

// Carries the report formats the user added in the prior edition into the new edition's report
// format table of the same collectible type; a report the new table already names is left
// alone, and each column finds its field in the type's new screen design.
void ConvertReports(Conversion& c);

// Looks a column label up among the fields (from record 4) of the new screen design open under
// the screen design file variable, through the shared field buffer: by name (with or without a
// final colon), else through the alias table. Sets the found_* results, all 0 when nothing is
// found. It has no handler of its own: its errors reach the caller's.
void FindScreenField(Conversion& c, std::string_view label);

}  // namespace hw
