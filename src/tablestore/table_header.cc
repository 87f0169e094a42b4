#include "tablestore/table_header.h"

namespace hw {

void NewHeader::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.Get(table_name);
  next_record = r.I32();
  record_length = r.I32();
  header_flag = r.I32();
  first_next_record = r.I32();
}

void NewHeader::Encode(std::span<std::byte> out) const {
  ByteWriter(out)
      .Put(table_name)
      .I32(next_record)
      .I32(record_length)
      .I32(header_flag)
      .I32(first_next_record);
}

void PriorHeader::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.Get(table_name);
  next_record = r.I16();
  record_length = r.I16();
  unused1 = r.I16();
  unused2 = r.I16();
}

void PriorHeader::Encode(std::span<std::byte> out) const {
  ByteWriter(out).Put(table_name).I16(next_record).I16(record_length).I16(unused1).I16(unused2);
}

}  // namespace hw
