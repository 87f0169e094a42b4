#include "screens/report_records.h"

#include <cassert>

namespace hw {

namespace {

constexpr size_t kText2648Offset = 2648;

template <class Array>
void GetI16s(ByteReader& r, Array& values) {
  for (auto& v : values) v = r.I16();
}

template <class Array>
void PutI16s(ByteWriter& w, const Array& values) {
  for (auto v : values) w.I16(v);
}

template <size_t N>
void GetI32s(ByteReader& r, std::array<int32_t, N>& values) {
  for (int32_t& v : values) v = r.I32();
}

template <size_t N>
void PutI32s(ByteWriter& w, const std::array<int32_t, N>& values) {
  for (int32_t v : values) w.I32(v);
}

template <size_t W, size_t N>
void GetTexts(ByteReader& r, std::array<Text<W>, N>& texts) {
  for (Text<W>& t : texts) r.Get(t);
}

template <size_t W, size_t N>
void PutTexts(ByteWriter& w, const std::array<Text<W>, N>& texts) {
  for (const Text<W>& t : texts) w.Put(t);
}

}  // namespace

void V4ReportDef::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  ColumnCount = r.I16();
  r.Get(ReportName).Get(Title1).Get(Title2);
  GetI16s(r, ColumnNumberA);
  GetI16s(r, Unused260);
  GetI16s(r, ColumnNumberB);
  GetTexts(r, ColumnLabel);
  GetI16s(r, Unused1316);
  Flag1448 = r.I16();
  Flag1450 = r.I16();
  GetI16s(r, Unused1452);
  Number1458 = r.I16();
  r.GetBytes(Unused1460.data(), Unused1460.size());
  r.Get(Unused1482);
}

void V4ReportDef::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.I16(ColumnCount).Put(ReportName).Put(Title1).Put(Title2);
  PutI16s(w, ColumnNumberA);
  PutI16s(w, Unused260);
  PutI16s(w, ColumnNumberB);
  PutTexts(w, ColumnLabel);
  PutI16s(w, Unused1316);
  w.I16(Flag1448).I16(Flag1450);
  PutI16s(w, Unused1452);
  w.I16(Number1458).PutBytes(Unused1460.data(), Unused1460.size()).Put(Unused1482);
}

size_t V5ReportDef::EncodedSizeOf(std::span<const std::byte> in) {
  if (in.size() < kText2648Offset + 2) return 0;
  ByteReader r(in.subspan(kText2648Offset));
  return kFixedSize + static_cast<uint16_t>(r.I16());
}

void V5ReportDef::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  ColumnCount = r.I32();
  r.Get(ReportName);
  GetTexts(r, TitleLines);
  GetTexts(r, TextLines468);
  Number708 = r.I16();
  Number710 = r.I16();
  GetI32s(r, LongArray712);
  r.Get(FontName);
  Number780 = r.I16();
  Number782 = r.I32();
  Number786 = r.I16();
  GetI32s(r, ColumnNumberA);
  GetI32s(r, ColumnFieldRecord);
  GetI32s(r, ColumnSlot);
  GetI32s(r, ColumnNumberB);
  GetTexts(r, ColumnLabel);
  GetI32s(r, ColumnDataType);
  GetI32s(r, ColumnNumber158);
  GetI32s(r, ColumnNumberC);
  GetI32s(r, ColumnNumberD);
  Number2636 = r.I32();
  Flag2640 = r.Flag();
  Number2642 = r.I32();
  Flag2646 = r.Flag();
  Text2648.resize(static_cast<uint16_t>(r.I16()));
  r.GetBytes(Text2648.data(), Text2648.size());
  r.Get(Text128);
}

void V5ReportDef::Encode(std::span<std::byte> out) const {
  assert(Text2648.size() <= 0xFFFF);
  ByteWriter w(out);
  w.I32(ColumnCount).Put(ReportName);
  PutTexts(w, TitleLines);
  PutTexts(w, TextLines468);
  w.I16(Number708).I16(Number710);
  PutI32s(w, LongArray712);
  w.Put(FontName).I16(Number780).I32(Number782).I16(Number786);
  PutI32s(w, ColumnNumberA);
  PutI32s(w, ColumnFieldRecord);
  PutI32s(w, ColumnSlot);
  PutI32s(w, ColumnNumberB);
  PutTexts(w, ColumnLabel);
  PutI32s(w, ColumnDataType);
  PutI32s(w, ColumnNumber158);
  PutI32s(w, ColumnNumberC);
  PutI32s(w, ColumnNumberD);
  w.I32(Number2636).Flag(Flag2640).I32(Number2642).Flag(Flag2646);
  w.I16(static_cast<int16_t>(Text2648.size())).PutBytes(Text2648.data(), Text2648.size());
  w.Put(Text128);
}

}  // namespace hw
