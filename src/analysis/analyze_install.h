#pragma once

#include "conversion/conversion.h"

namespace hw {

// Carries the prior users into the new user table, creates each user's folder with
// "My Collections" and "User Defined Sets", and builds the list of collectible types. On any
// run-time error it shows its own message and ends the program (ProgramEnd).
void AnalyzeInstall(Conversion& c);

}  // namespace hw
