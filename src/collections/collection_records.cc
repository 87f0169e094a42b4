#include "collections/collection_records.h"

#include "platform/run_error.h"

namespace hw {

namespace {

constexpr size_t kLeadingZeros = 8;  // both new item records begin with 8 zero bytes

template <size_t W, size_t N>
void BlankAll(std::array<Text<W>, N>& bank) {
  for (Text<W>& t : bank) t.Blank();
}

}  // namespace

void PriorItemMain::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.GetBytes(Unused0.data(), Unused0.size());
  r.Get(Integers);
  r.Get(Amounts);
  r.Get(Text8);
  r.Get(Text12);
  r.Get(Text16);
  r.Get(Text32);
  r.Get(Text64);
  r.Get(Text128);
  r.Get(Text256);
  r.Get(Note);
}

void PriorItemMain::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.PutBytes(Unused0.data(), Unused0.size());
  w.Put(Integers);
  w.Put(Amounts);
  w.Put(Text8);
  w.Put(Text12);
  w.Put(Text16);
  w.Put(Text32);
  w.Put(Text64);
  w.Put(Text128);
  w.Put(Text256);
  w.Put(Note);
}

void PriorItemMain::BlankTexts() {
  BlankAll(Text8);
  BlankAll(Text12);
  BlankAll(Text16);
  BlankAll(Text32);
  BlankAll(Text64);
  BlankAll(Text128);
  BlankAll(Text256);
  Note.Blank();
}

void PriorItemExtension::BlankTexts() {
  BlankAll(Text12);
  BlankAll(Text16);
  BlankAll(Text32);
  BlankAll(Text64);
  BlankAll(Text128);
  BlankAll(Text256);
}

void PriorItemExtension::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.GetBytes(Unused0.data(), Unused0.size());
  r.Get(Longs);
  r.Get(Integers);
  r.Get(Amounts);
  r.Get(Text12);
  r.Get(Text16);
  r.Get(Text32);
  r.Get(Text64);
  r.Get(Text128);
  r.Get(Text256);
}

void PriorItemExtension::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.PutBytes(Unused0.data(), Unused0.size());
  w.Put(Longs);
  w.Put(Integers);
  w.Put(Amounts);
  w.Put(Text12);
  w.Put(Text16);
  w.Put(Text32);
  w.Put(Text64);
  w.Put(Text128);
  w.Put(Text256);
}

void NewCollectionHeader::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.Get(Text0).Get(TypeName).Get(Text40).Get(Code);
  Number200 = r.F64();
  Number208 = r.F64();
  Integer216 = r.I16();
  r.Get(Text218);
  Integer250 = r.I16();
  r.Get(Text252).Get(Text284).Get(Text316);
  Long348 = r.I32();
  r.Get(KeyCaptions);
  r.Get(KeyCodes);
  Long532 = r.I32();
  Amount536 = r.Money();
  Amount544 = r.Money();
  Long552 = r.I32();
  r.Get(Amounts556);
  r.Get(Text636);
  r.Get(Text876);
}

void NewCollectionHeader::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.Put(Text0).Put(TypeName).Put(Text40).Put(Code).F64(Number200).F64(Number208);
  w.I16(Integer216).Put(Text218).I16(Integer250).Put(Text252).Put(Text284).Put(Text316);
  w.I32(Long348);
  w.Put(KeyCaptions);
  w.Put(KeyCodes);
  w.I32(Long532).Money(Amount536).Money(Amount544).I32(Long552);
  w.Put(Amounts556);
  w.Put(Text636);
  w.Put(Text876);
}

int TaggedValue::FixedValueSize(int16_t tag) {
  switch (tag) {
    case 0:  // empty
    case 1:  // null
      return 0;
    case 17:  // byte
      return 1;
    case 2:   // integer
    case 11:  // true/false
      return 2;
    case 3:   // long
    case 4:   // single
    case 10:  // error code
      return 4;
    case 5:  // double
    case 6:  // currency
    case kDate:
      return 8;
    default:
      return -1;
  }
}

size_t TaggedValue::EncodedSize() const {
  if (tag == kText) return 4 + text.size();
  const int size = FixedValueSize(tag);
  return 2 + static_cast<size_t>(size < 0 ? 0 : size);
}

size_t NewItemMain::EncodedSize() const {
  size_t size = kFixedSize;
  for (const TaggedValue& v : Dates) size += v.EncodedSize();
  return size;
}

void NewItemMain::Encode(std::span<std::byte> out) const {
  if (EncodedSize() > out.size()) throw RunError(kBadRecordLength);
  ByteWriter w(out);
  w.Zeros(kLeadingZeros);
  for (const TaggedValue& v : Dates) {
    w.I16(v.tag);
    if (v.tag == TaggedValue::kDate) {
      w.F64(v.date);
    } else if (v.tag == TaggedValue::kText) {
      w.I16(static_cast<int16_t>(v.text.size())).PutBytes(v.text.data(), v.text.size());
    } else if (const int size = TaggedValue::FixedValueSize(v.tag); size > 0) {
      w.PutBytes(v.raw.data(), static_cast<size_t>(size));
    }
  }
  for (bool f : Flags) w.Flag(f);
  w.Put(Longs);
  w.Put(Amounts);
  w.Put(Text8);
  w.Put(Text12);
  w.Put(Text16);
  w.Put(Text32);
  w.Put(Linked);
  w.Put(Text64);
  w.Put(Text128);
  w.Put(Text256);
  w.Put(Financial);
  w.Zeros(out.size() - w.position());
}

bool NewItemMain::Decode(std::span<const std::byte> in) {
  if (in.size() < kFixedSize) return false;
  ByteReader r(in);
  r.Skip(kLeadingZeros);
  std::array<TaggedValue, 16> dates;
  for (TaggedValue& v : dates) {
    if (r.remaining() < 2) return false;
    v.tag = r.I16();
    if (v.tag == TaggedValue::kText) {
      if (r.remaining() < 2) return false;
      const size_t count = static_cast<uint16_t>(r.I16());
      if (r.remaining() < count) return false;
      v.text.resize(count);
      r.GetBytes(v.text.data(), count);
    } else if (v.tag == TaggedValue::kDate) {
      if (r.remaining() < 8) return false;
      v.date = r.F64();
    } else {
      const int size = TaggedValue::FixedValueSize(v.tag);
      if (size < 0 || r.remaining() < static_cast<size_t>(size)) return false;
      r.GetBytes(v.raw.data(), static_cast<size_t>(size));
    }
  }
  if (r.remaining() < kFixedSize - kLeadingZeros) return false;
  Dates = std::move(dates);
  for (bool& f : Flags) f = r.Flag();
  r.Get(Longs);
  r.Get(Amounts);
  r.Get(Text8);
  r.Get(Text12);
  r.Get(Text16);
  r.Get(Text32);
  r.Get(Linked);
  r.Get(Text64);
  r.Get(Text128);
  r.Get(Text256);
  r.Get(Financial);
  return true;
}

void NewItemExtension::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.Skip(kLeadingZeros);
  r.Get(PicturePaths);
  r.Get(Note).Get(Text2632);
  r.Get(Text50);
  r.Get(Longs3960);
  r.Get(Longs4056);
  r.Get(Longs4136);
  r.Get(Longs4216);
  r.Get(Integers4296);
  r.Get(Text4336);
}

void NewItemExtension::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.Zeros(kLeadingZeros);
  w.Put(PicturePaths);
  w.Put(Note).Put(Text2632);
  w.Put(Text50);
  w.Put(Longs3960);
  w.Put(Longs4056);
  w.Put(Longs4136);
  w.Put(Longs4216);
  w.Put(Integers4296);
  w.Put(Text4336);
}

}  // namespace hw
