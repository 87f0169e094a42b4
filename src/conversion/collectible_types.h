#pragma once

#include <string>

namespace hw {

inline constexpr int kMaxCollectibleTypes = 80;

// A collectible type found in the prior installation.
struct CollectibleType {
  std::string code;  // the prior type code, upper case (at most 8 characters)
  std::string name;  // the new edition's type name
  bool standard = false;
};

}  // namespace hw
