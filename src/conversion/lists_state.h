#pragma once

#include <cstdint>

namespace hw {

// File numbers of the choice-list, storage and contact conversions. They live for the whole
// run: each operation closes a number before it opens a table under it.
struct ListsState {
  int16_t prior_list = 0;      // a prior choice list or a user's buyer/seller list
  int32_t new_list = 0;        // a new choice list, "Buyers and Sellers" included
  int16_t user_list = 0;       // the prior user list
  int16_t storage = 0;         // a user's storage table
  int32_t locations = 0;       // "Locations"
  int32_t locations_link = 0;  // "LocationsLink"
  int32_t contacts = 0;        // "Contacts"
};

}  // namespace hw
