#pragma once

#include <cstdint>

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

  template <class Io>
  void Fields(Io& io) {
    io("TableName", table_name);
    io("NextRecord", next_record);
    io("RecordLength", record_length);
    io("HeaderFlag", header_flag);
    io("FirstNextRecord", first_next_record);
  }
};

// Header of a prior-edition table (24 bytes at the start of record 1).
struct PriorHeader {
  static constexpr size_t kSize = 24;
  Text<16> table_name;
  int16_t next_record = 0;
  int16_t record_length = 0;
  int16_t unused1 = 0;
  int16_t unused2 = 0;

  template <class Io>
  void Fields(Io& io) {
    io("TableName", table_name);
    io("NextRecord", next_record);
    io("RecordLength", record_length);
    io("Unused20", unused1);
    io("Unused22", unused2);
  }
};

}  // namespace hw
