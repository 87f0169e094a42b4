#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "collections/collection_records.h"
#include "collections/prior_lists.h"
#include "collections/standard_reference.h"

namespace hw {

// State of the collections conversion that lives for the whole run.
struct CollectionsState {
  PriorUserRecord current_user;  // the user list record being converted
  std::string collection_name;   // the collection's name, made safe for a file name

  // File-number variables; each is closed before it is reused.
  int16_t user_list = 0;
  int16_t collection_list = 0;
  int16_t prior_collection = 0;
  int32_t new_collection = 0;
  int32_t coin_table = 0;  // the standard coin table being read

  // Working records, reused from item to item and from collection to collection.
  PriorItemMain prior_main;
  PriorItemExtension prior_extension;
  NewItemMain item;
  NewItemExtension item_extension;

  // The standard coin tables read so far in this run, by coin type name.
  std::map<std::string, ReadCoinTable> coin_tables;
};

}  // namespace hw
