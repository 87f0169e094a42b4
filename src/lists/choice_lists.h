#pragma once

#include "conversion/conversion.h"

namespace hw {

// Merges every entry of the prior edition's choice lists into the new edition's list of the same
// name and collectible type, skipping entries the new list already holds (compared trimmed,
// exactly), and creates the type folders and lists the new edition lacks.
void ConvertChoiceLists(Conversion& c);

}  // namespace hw
