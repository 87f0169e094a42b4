#pragma once

#include <string>
#include <string_view>

namespace hw {

// The name of a user's folder in the new data folder, derived from the user's prior folder P
// (trimmed): after the second "\" of P the rest of P (at most 64 characters), or, when that
// "\" ends P, the part after the first "\". A folder with fewer than two "\" gives its last
// non-empty name (without a drive) followed by "\", or "" when it has none. The installation
// analysis and the collections conversion both derive the folder through this one function. A
// result of one character gives the user no folder of its own (the new user folder stays as the
// user before left it); an empty result, only from a folder with fewer than two "\", skips the
// user's collections.
std::string UserFolderName(std::string_view prior_folder);

}  // namespace hw
