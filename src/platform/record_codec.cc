#include "platform/record_codec.h"

#include <bit>

namespace hw {

void ByteReader::Get(float& v) { v = std::bit_cast<float>(static_cast<uint32_t>(Le(4))); }
void ByteReader::Get(double& v) { v = std::bit_cast<double>(Le(8)); }

void ByteReader::Get(std::string& v) {
  const size_t count = static_cast<size_t>(Le(2));
  if (const std::byte* p = Take(count)) {
    v.assign(reinterpret_cast<const char*>(p), count);
  } else {
    v.clear();
  }
}

void ByteReader::GetBytes(void* p, size_t n) {
  if (n == 0) return;
  if (const std::byte* from = Take(n)) {
    std::memcpy(p, from, n);
  } else {
    std::memset(p, 0, n);
  }
}

ByteWriter& ByteWriter::Zeros(size_t n) {
  if (n == 0) return *this;
  if (std::byte* p = Take(n)) std::memset(p, 0, n);
  return *this;
}

void ByteWriter::Put(float v) { Le(std::bit_cast<uint32_t>(v), 4); }
void ByteWriter::Put(double v) { Le(std::bit_cast<uint64_t>(v), 8); }

// A variable text carries a 16-bit character count, so a longer one cannot be written.
void ByteWriter::Put(const std::string& v) {
  if (v.size() > 0xFFFF) {
    ok_ = false;
    return;
  }
  Le(v.size(), 2);
  PutBytes(v.data(), v.size());
}

void ByteWriter::PutBytes(const void* p, size_t n) {
  if (n == 0) return;
  if (std::byte* to = Take(n)) std::memcpy(to, p, n);
}

}  // namespace hw
