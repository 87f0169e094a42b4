#pragma once

#include <string>

// The conversion of one prior collection file into one new collection file, item by item.
namespace hw {

struct Conversion;

// Converts the current user's prior collection file `file_name` (the collection code and
// ".cl4") into "My Collections\" + the collection name + ".clu" in the new user folder,
// appending to a file that is already there. The fields of the field definition table are
// included when `include_field_definitions` is set. Any run-time error ends this collection
// only: the log gets "Error encountered converting collection ", the files are closed (the new
// one with its header written, so the items written stay) and no message is shown.
void ConvertCollection(Conversion& c, const std::string& file_name, bool include_field_definitions);

}  // namespace hw
