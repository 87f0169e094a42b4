#pragma once

#include <string_view>

#include "platform/record_codec.h"

// Picture references of the prior edition are either paths to picture files or bare picture
// codes; a code becomes a path into the pictures of the new edition's standard databases.
namespace hw {

// What the folder of a picture code depends on.
struct PictureOwner {
  std::string_view type_code;         // the prior type code, compared exactly
  std::string_view country;           // the item's country text, trimmed
  std::string_view standard_db_name;  // the standard-database name of the type
};

// Rewrites one picture path of a new item in place (`ending` ".a01" or ".b01") into a path
// relative to the new data folder. It stays as it is when it is four characters or fewer, ends
// in a three-letter extension, or is an ancient coin code of no known series.
void RewritePicturePath(Text<80>& path, std::string_view ending, const PictureOwner& owner);

}  // namespace hw
