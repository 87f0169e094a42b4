#pragma once

#include <array>
#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/run_error.h"
#include "platform/text.h"

// Record layouts are plain structs that list their fields once, in file order, in a member
//
//   template <class Io> void Fields(Io& io) { io("TableName", table_name); ... }
//
// which the reader, the writer, the width counter and hwdump's printer all walk. A field is a
// fixed text, a 16/32/64-bit integer, a float, a double, a currency, a flag (bool), a run of
// bytes kept as found (std::array<std::byte, N>), a text of variable length (std::string,
// after its 16-bit character count), a nested layout, or a bank (std::array) of any of these.
// `io.Zeros(n)` lists n bytes that are written as zeros and skipped on reading.
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

template <class T>
inline constexpr bool kIsText = false;
template <size_t N>
inline constexpr bool kIsText<Text<N>> = true;

// An element whose bytes in memory are its bytes on disk: a text, or on a little-endian host a
// 16/32/64-bit integer or a currency. A bank of them is copied in one piece.
template <class T>
concept SameBytesOnDisk = (kIsText<T> && sizeof(T) == T::kWidth) ||
                          (std::endian::native == std::endian::little &&
                           (std::same_as<T, int16_t> || std::same_as<T, int32_t> ||
                            std::same_as<T, int64_t> ||
                            (std::same_as<T, Currency> && sizeof(T) == sizeof(int64_t))));

template <class T, class Io>
concept HasFields = requires(T& t, Io& io) {
  t.Fields(io);
};

// Walks a layout's field list for an Io that only looks at the fields (writer, width,
// printer); Fields is one template for reading and writing, so it cannot be const.
template <class Io, class Record>
void WalkFields(const Record& record, Io& io) {
  const_cast<Record&>(record).Fields(io);
}

// Reads fields from bytes, always within bounds. A field that runs past the end, a variable
// text longer than the bytes left, or a layout that declares itself unreadable marks the read
// failed; from then on nothing more is read and every later field reads as zero.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::byte> in) : in_(in) {}

  template <class T>
  ByteReader& operator()(std::string_view, T& field) {
    Get(field);
    return *this;
  }
  ByteReader& Zeros(size_t n) {
    Take(n);
    return *this;
  }
  // A layout whose next bytes cannot be stepped over (an unknown tag).
  void Unreadable() { ok_ = false; }

  bool ok() const { return ok_; }

 private:
  // The next n bytes, or nothing (and the read failed) when fewer are left.
  const std::byte* Take(size_t n) {
    if (!ok_ || n > in_.size() - pos_) {
      ok_ = false;
      return nullptr;
    }
    const std::byte* p = in_.data() + pos_;
    pos_ += n;
    return p;
  }
  // Inline, as every number of every record passes through here.
  uint64_t Le(size_t n) {
    const std::byte* p = Take(n);
    uint64_t v = 0;
    if constexpr (std::endian::native == std::endian::little) {
      if (p != nullptr) std::memcpy(&v, p, n);
    } else {
      for (size_t i = 0; p != nullptr && i < n; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    }
    return v;
  }

  void Get(int16_t& v) { v = static_cast<int16_t>(Le(2)); }
  void Get(int32_t& v) { v = static_cast<int32_t>(Le(4)); }
  void Get(int64_t& v) { v = static_cast<int64_t>(Le(8)); }
  void Get(float& v);
  void Get(double& v);
  void Get(bool& v) { v = Le(2) != 0; }
  void Get(Currency& v) { Get(v.scaled); }
  void Get(std::string& v);
  void GetBytes(void* p, size_t n);
  template <size_t N>
  void Get(Text<N>& t) {
    GetBytes(t.bytes.data(), N);
  }
  template <size_t N>
  void Get(std::array<std::byte, N>& raw) {
    GetBytes(raw.data(), N);
  }
  void Get(std::span<std::byte> raw) { GetBytes(raw.data(), raw.size()); }
  template <class T, size_t N>
  void Get(std::array<T, N>& bank) {
    if constexpr (SameBytesOnDisk<T>) {
      if (ok_ && sizeof bank <= in_.size() - pos_) {
        std::memcpy(bank.data(), in_.data() + pos_, sizeof bank);
        pos_ += sizeof bank;
        return;
      }
    }
    // Element by element: a bank cut short by the record's end reads what is there.
    for (T& v : bank) Get(v);
  }
  template <HasFields<ByteReader> T>
  void Get(T& nested) {
    nested.Fields(*this);
  }

  std::span<const std::byte> in_;
  size_t pos_ = 0;
  bool ok_ = true;
};

// Writes fields into bytes, always within bounds; a layout that does not fit marks the write
// failed and the bytes past the end are not written.
class ByteWriter {
 public:
  explicit ByteWriter(std::span<std::byte> out) : out_(out) {}

  template <class T>
  ByteWriter& operator()(std::string_view, const T& field) {
    Put(field);
    return *this;
  }
  ByteWriter& Zeros(size_t n);
  void Unreadable() {}

  bool ok() const { return ok_; }
  size_t position() const { return pos_; }

 private:
  std::byte* Take(size_t n) {
    if (!ok_ || n > out_.size() - pos_) {
      ok_ = false;
      return nullptr;
    }
    std::byte* p = out_.data() + pos_;
    pos_ += n;
    return p;
  }
  void Le(uint64_t v, size_t n) {
    std::byte* p = Take(n);
    if constexpr (std::endian::native == std::endian::little) {
      if (p != nullptr) std::memcpy(p, &v, n);
    } else {
      for (size_t i = 0; p != nullptr && i < n; ++i) p[i] = static_cast<std::byte>(v >> (8 * i));
    }
  }

  void Put(int16_t v) { Le(static_cast<uint16_t>(v), 2); }
  void Put(int32_t v) { Le(static_cast<uint32_t>(v), 4); }
  void Put(int64_t v) { Le(static_cast<uint64_t>(v), 8); }
  void Put(float v);
  void Put(double v);
  void Put(bool v) { Put(static_cast<int16_t>(v ? -1 : 0)); }
  void Put(Currency v) { Put(v.scaled); }
  void Put(const std::string& v);
  void PutBytes(const void* p, size_t n);
  template <size_t N>
  void Put(const Text<N>& t) {
    PutBytes(t.bytes.data(), N);
  }
  template <size_t N>
  void Put(const std::array<std::byte, N>& raw) {
    PutBytes(raw.data(), N);
  }
  void Put(std::span<std::byte> raw) { PutBytes(raw.data(), raw.size()); }
  template <class T, size_t N>
  void Put(const std::array<T, N>& bank) {
    if constexpr (SameBytesOnDisk<T>) {
      if (ok_ && sizeof bank <= out_.size() - pos_) {
        std::memcpy(out_.data() + pos_, bank.data(), sizeof bank);
        pos_ += sizeof bank;
        return;
      }
    }
    // Element by element: a bank cut short by the record's end writes what fits.
    for (const T& v : bank) Put(v);
  }
  template <HasFields<ByteWriter> T>
  void Put(const T& nested) {
    WalkFields(nested, *this);
  }

  std::span<std::byte> out_;
  size_t pos_ = 0;
  bool ok_ = true;
};

// Counts the bytes a record's fields take.
class WidthCounter {
 public:
  template <class T>
  WidthCounter& operator()(std::string_view, const T& field) {
    width_ += Of(field);
    return *this;
  }
  WidthCounter& Zeros(size_t n) {
    width_ += n;
    return *this;
  }
  void Unreadable() {}
  size_t width() const { return width_; }

 private:
  template <class T>
  requires std::is_arithmetic_v<T>
  static size_t Of(T v) { return std::same_as<T, bool> ? 2 : sizeof v; }
  static size_t Of(Currency) { return 8; }
  static size_t Of(const std::string& v) { return 2 + v.size(); }
  static size_t Of(std::span<std::byte> raw) { return raw.size(); }
  template <size_t N>
  static size_t Of(const Text<N>&) {
    return N;
  }
  template <size_t N>
  static size_t Of(const std::array<std::byte, N>&) {
    return N;
  }
  template <class T, size_t N>
  static size_t Of(const std::array<T, N>& bank) {
    size_t n = 0;
    for (const T& v : bank) n += Of(v);
    return n;
  }
  template <HasFields<WidthCounter> T>
  static size_t Of(const T& nested) {
    WidthCounter w;
    WalkFields(nested, w);
    return w.width();
  }

  size_t width_ = 0;
};

// Blanks every fixed text of a record, as the prior edition writes a record whose texts were
// all assigned.
class TextBlanker {
 public:
  template <class T>
  TextBlanker& operator()(std::string_view, T& field) {
    Blank(field);
    return *this;
  }
  TextBlanker& Zeros(size_t) { return *this; }
  void Unreadable() {}

 private:
  template <size_t N>
  static void Blank(Text<N>& t) {
    t.Blank();
  }
  template <size_t W, size_t N>
  static void Blank(std::array<Text<W>, N>& bank) {
    for (Text<W>& t : bank) t.Blank();
  }
  template <class T>
  static void Blank(T&) {}
};

// The bytes a record takes in its file.
template <class Record>
size_t EncodedWidth(const Record& r) {
  WidthCounter w;
  WalkFields(r, w);
  return w.width();
}

// Decodes `in` into `r`. False when `in` is shorter than the layout or the layout cannot be
// stepped over; `r` then keeps what it held.
template <class Record>
[[nodiscard]] bool DecodeRecord(std::span<const std::byte> in, Record& r) {
  if constexpr (std::is_trivially_copyable_v<Record>) {
    // Without texts of variable length (and so without tags) the layout has one width: when
    // the bytes hold it, nothing can fail, and the record is read in place.
    if (EncodedWidth(r) > in.size()) return false;
    ByteReader reader(in);
    r.Fields(reader);
    return true;
  }
  Record read;
  ByteReader reader(in);
  read.Fields(reader);
  if (!reader.ok()) return false;
  r = std::move(read);
  return true;
}

// Encodes `r` at the start of `out` and zero-fills the rest; a record longer than `out` is
// run-time error 59 (bad record length), with nothing written.
template <class Record>
void EncodeRecord(const Record& r, std::span<std::byte> out) {
  if (EncodedWidth(r) > out.size()) throw RunError(kBadRecordLength);
  ByteWriter writer(out);
  WalkFields(r, writer);
  if (!writer.ok()) throw RunError(kBadRecordLength);
  writer.Zeros(out.size() - writer.position());
}

template <class Record>
void BlankTexts(Record& r) {
  TextBlanker blanker;
  r.Fields(blanker);
}

}  // namespace hw
