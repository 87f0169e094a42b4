#pragma once

#include "conversion/conversion.h"

namespace hw {

// Carries the data-entry screens of the prior edition into the new one, type by type: a
// user-defined type gets a new screen design built from its prior one, the common fields and
// five fixed fields; a standard type keeps the new edition's design, and the user is told when
// its prior screen was customised.
void ConvertScreenDesigns(Conversion& c);

}  // namespace hw
