#pragma once

#include <string>
#include <string_view>

// The collections conversion: every collection of every prior user.
namespace hw {

struct Conversion;

// A collection's display name made safe for a file name: "/" and "\" become "&", ":" ";" and
// "." become "-", "*" and "?" become "~", "<" and ">" become "[" and "]", double quotes go.
std::string SafeCollectionName(std::string_view raw_name);

// Walks the prior user list and each user's collection list and converts every collection.
// A user whose prior folder names no folder of its own is passed over. A run-time error
// outside a collection goes to the file-error policy; when it is neither retried nor ignored,
// the log gets "Error Converting: " and the collection name, and the operation ends.
void ConvertCollections(Conversion& c);

}  // namespace hw
