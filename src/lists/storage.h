#pragma once

#include "conversion/conversion.h"

namespace hw {

// Carries the storage locations and containers of every prior user into the two-level lists
// "Locations" and "LocationsLink", adding what the lists do not hold yet.
void ConvertStorage(Conversion& c);

}  // namespace hw
