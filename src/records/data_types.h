#pragma once

#include <cstdint>

namespace hw {

// The data-type codes of fields in the screen designs and field definitions of both editions
// (0 names no data type: an unpaired field keeps it). A record holds the code as a plain
// number, which may be any value.
enum class DataType : int32_t {
  kNone = 0,
  kInteger = 1,
  kAmount = 2,  // currency or floating point
  kText8 = 3,
  kText12 = 4,
  kText32 = 5,
  kText64 = 6,
  kText128 = 7,
  kText256 = 8,
  kNote = 10,  // the item note
  kText16 = 11,
  kDate = 12,
  kLong = 13,  // a prior-edition long integer
  kFlag = 14,  // true/false
  kLinked = 16,
  kComputed = 17,
};

// The code a record holds for `type`.
constexpr int32_t CodeOf(DataType type) { return static_cast<int32_t>(type); }

// The data type a record's code names; a code no enumerator names matches none of them.
constexpr DataType TypeOf(int32_t code) { return static_cast<DataType>(code); }

}  // namespace hw
