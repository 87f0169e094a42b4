#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "platform/text.h"

// Record layouts are plain structs with explicit offsets, encoded and decoded through a small
// reader and writer over bytes: fixed texts, little-endian integers, floats, doubles, currency.
namespace hw {

// A fixed-width text field. A field never assigned holds zero bytes; Set pads with blanks and
// cuts at the width, as assignment to a fixed-length text does.
template <size_t N>
struct Text {
  std::array<char, N> bytes{};

  static constexpr size_t kWidth = N;
  void Set(std::string_view value) {
    size_t n = value.size() < N ? value.size() : N;
    std::memcpy(bytes.data(), value.data(), n);
    std::memset(bytes.data() + n, ' ', N - n);
  }
  void Blank() { bytes.fill(' '); }
  std::string_view Raw() const { return std::string_view(bytes.data(), N); }
  std::string Trimmed() const { return Trim(Raw()); }
  bool operator==(const Text&) const = default;
};

// Currency: a 64-bit integer holding the value times 10 000.
struct Currency {
  int64_t scaled = 0;
  bool operator==(const Currency&) const = default;
};

class ByteWriter {
 public:
  explicit ByteWriter(std::span<std::byte> out) : out_(out) {}
  template <size_t N>
  ByteWriter& Put(const Text<N>& t) {
    return PutBytes(t.bytes.data(), N);
  }
  // A bank: the elements back to back.
  template <size_t W, size_t N>
  ByteWriter& Put(const std::array<Text<W>, N>& bank) {
    for (const Text<W>& t : bank) Put(t);
    return *this;
  }
  template <size_t N>
  ByteWriter& Put(const std::array<int16_t, N>& bank) {
    for (int16_t v : bank) I16(v);
    return *this;
  }
  template <size_t N>
  ByteWriter& Put(const std::array<int32_t, N>& bank) {
    for (int32_t v : bank) I32(v);
    return *this;
  }
  template <size_t N>
  ByteWriter& Put(const std::array<Currency, N>& bank) {
    for (Currency v : bank) Money(v);
    return *this;
  }
  ByteWriter& I16(int16_t v) { return PutLe(static_cast<uint64_t>(static_cast<uint16_t>(v)), 2); }
  ByteWriter& I32(int32_t v) { return PutLe(static_cast<uint64_t>(static_cast<uint32_t>(v)), 4); }
  ByteWriter& I64(int64_t v) { return PutLe(static_cast<uint64_t>(v), 8); }
  ByteWriter& F32(float v);
  ByteWriter& F64(double v);
  ByteWriter& Money(Currency v) { return I64(v.scaled); }
  ByteWriter& Flag(bool v) { return I16(v ? -1 : 0); }
  ByteWriter& PutBytes(const void* p, size_t n);
  ByteWriter& Zeros(size_t n);
  size_t position() const { return pos_; }

 private:
  ByteWriter& PutLe(uint64_t v, size_t n);
  std::span<std::byte> out_;
  size_t pos_ = 0;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::byte> in) : in_(in) {}
  template <size_t N>
  ByteReader& Get(Text<N>& t) {
    return GetBytes(t.bytes.data(), N);
  }
  // A bank: the elements back to back.
  template <size_t W, size_t N>
  ByteReader& Get(std::array<Text<W>, N>& bank) {
    for (Text<W>& t : bank) Get(t);
    return *this;
  }
  template <size_t N>
  ByteReader& Get(std::array<int16_t, N>& bank) {
    for (int16_t& v : bank) v = I16();
    return *this;
  }
  template <size_t N>
  ByteReader& Get(std::array<int32_t, N>& bank) {
    for (int32_t& v : bank) v = I32();
    return *this;
  }
  template <size_t N>
  ByteReader& Get(std::array<Currency, N>& bank) {
    for (Currency& v : bank) v = Money();
    return *this;
  }
  int16_t I16() { return static_cast<int16_t>(GetLe(2)); }
  int32_t I32() { return static_cast<int32_t>(GetLe(4)); }
  int64_t I64() { return static_cast<int64_t>(GetLe(8)); }
  float F32();
  double F64();
  Currency Money() { return Currency{I64()}; }
  bool Flag() { return I16() != 0; }
  ByteReader& GetBytes(void* p, size_t n);
  ByteReader& Skip(size_t n);
  size_t position() const { return pos_; }
  size_t remaining() const { return in_.size() - pos_; }

 private:
  uint64_t GetLe(size_t n);
  std::span<const std::byte> in_;
  size_t pos_ = 0;
};

}  // namespace hw
