#include "platform/record_codec.h"

#include <bit>
#include <cassert>

namespace hw {

// Layout code computes its sizes from the same fields it writes, so running past the buffer is
// a programming error, not an input fault.
ByteWriter& ByteWriter::PutBytes(const void* p, size_t n) {
  assert(pos_ + n <= out_.size());
  std::memcpy(out_.data() + pos_, p, n);
  pos_ += n;
  return *this;
}

ByteWriter& ByteWriter::Zeros(size_t n) {
  assert(pos_ + n <= out_.size());
  std::memset(out_.data() + pos_, 0, n);
  pos_ += n;
  return *this;
}

ByteWriter& ByteWriter::PutLe(uint64_t v, size_t n) {
  assert(pos_ + n <= out_.size());
  for (size_t i = 0; i < n; ++i) out_[pos_ + i] = static_cast<std::byte>((v >> (8 * i)) & 0xFF);
  pos_ += n;
  return *this;
}

ByteWriter& ByteWriter::F32(float v) { return PutLe(std::bit_cast<uint32_t>(v), 4); }
ByteWriter& ByteWriter::F64(double v) { return PutLe(std::bit_cast<uint64_t>(v), 8); }

ByteReader& ByteReader::GetBytes(void* p, size_t n) {
  assert(pos_ + n <= in_.size());
  std::memcpy(p, in_.data() + pos_, n);
  pos_ += n;
  return *this;
}

ByteReader& ByteReader::Skip(size_t n) {
  assert(pos_ + n <= in_.size());
  pos_ += n;
  return *this;
}

uint64_t ByteReader::GetLe(size_t n) {
  assert(pos_ + n <= in_.size());
  uint64_t v = 0;
  for (size_t i = 0; i < n; ++i) v |= static_cast<uint64_t>(in_[pos_ + i]) << (8 * i);
  pos_ += n;
  return v;
}

float ByteReader::F32() { return std::bit_cast<float>(static_cast<uint32_t>(GetLe(4))); }
double ByteReader::F64() { return std::bit_cast<double>(GetLe(8)); }

}  // namespace hw
