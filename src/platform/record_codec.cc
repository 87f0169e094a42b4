#include "platform/record_codec.h"

#include <bit>

namespace hw {

const std::byte* ByteReader::Take(size_t n) {
  if (!ok_ || n > in_.size() - pos_) {
    ok_ = false;
    return nullptr;
  }
  const std::byte* p = in_.data() + pos_;
  pos_ += n;
  return p;
}

uint64_t ByteReader::Le(size_t n) {
  const std::byte* p = Take(n);
  uint64_t v = 0;
  for (size_t i = 0; p != nullptr && i < n; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
  return v;
}

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

std::byte* ByteWriter::Take(size_t n) {
  if (!ok_ || n > out_.size() - pos_) {
    ok_ = false;
    return nullptr;
  }
  std::byte* p = out_.data() + pos_;
  pos_ += n;
  return p;
}

void ByteWriter::Le(uint64_t v, size_t n) {
  std::byte* p = Take(n);
  for (size_t i = 0; p != nullptr && i < n; ++i) p[i] = static_cast<std::byte>(v >> (8 * i));
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
