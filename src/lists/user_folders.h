#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tablestore/runtime.h"

// The walk over the prior users that the storage and buyer/seller conversions share.
namespace hw {

// Calls `convert` with the data folder (trimmed) of each user of the prior user list open under
// `user_list`, records 4 to its NextRecord - 1. Each read is a statement of the calling
// operation into one buffer: an ignored read gives the user read before again.
void ForEachUserFolder(Runtime& rt, int16_t user_list,
                       const std::function<void(const std::string& folder)>& convert);

// Whether a plain file matches folder + file_name. The lookup is a statement of the calling
// operation; when the user ignores its failure the conversion goes on as if the file were there.
bool UserHasFile(Runtime& rt, const std::string& folder, const std::string& file_name);

}  // namespace hw
