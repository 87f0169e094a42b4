#pragma once

#include <string>
#include <vector>

#include "conversion/collectible_types.h"
#include "conversion/collections_state.h"
#include "conversion/lists_state.h"
#include "conversion/screens_state.h"
#include "reftables/reference_tables.h"
#include "tablestore/runtime.h"

namespace hw {

// Everything one run of the conversion keeps: the services of the runtime, the reference
// tables, the collectible types found in the prior installation and the state the conversion
// operations share. Every operation receives it by reference.
struct Conversion : Runtime {
  using Runtime::Runtime;

  ReferenceTables refs;
  std::vector<CollectibleType> types;  // type i (numbered from 1) is types[i - 1]
  std::string new_user_folder;         // new data folder + the user's folder name
  ScreensState screens;
  CollectionsState collections;
  ListsState lists;

  // Set only by tests: every search that the conversions answer from an index in memory reads
  // its table record by record instead, so that a test can hold the two answers side by side.
  bool scan_searches = false;
};

}  // namespace hw
