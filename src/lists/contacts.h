#pragma once

#include "conversion/conversion.h"

namespace hw {

// Adds each party of every prior user's buyer/seller list to the choice list "Buyers and
// Sellers" and to the contact table "Contacts", to each unless it holds the name already.
void ConvertBuyersSellers(Conversion& c);

}  // namespace hw
