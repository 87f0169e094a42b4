#pragma once

#include <cstdint>
#include <span>

#include "platform/record_codec.h"

namespace hw {

// Header of a new-edition table (32 bytes at the start of record 1).
struct NewHeader {
  static constexpr size_t kSize = 32;
  Text<16> table_name;
  int32_t next_record = 0;
  int32_t record_length = 0;
  int32_t header_flag = 0;
  int32_t first_next_record = 0;

  void Decode(std::span<const std::byte> in);
  void Encode(std::span<std::byte> out) const;
};

// Header of a prior-edition table (24 bytes at the start of record 1).
struct PriorHeader {
  static constexpr size_t kSize = 24;
  Text<16> table_name;
  int16_t next_record = 0;
  int16_t record_length = 0;
  int16_t unused1 = 0;
  int16_t unused2 = 0;

  void Decode(std::span<const std::byte> in);
  void Encode(std::span<std::byte> out) const;
};

}  // namespace hw
