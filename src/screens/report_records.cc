#include "screens/report_records.h"

#include <cassert>

namespace hw {

namespace {

constexpr size_t kText2648Offset = 2648;

}  // namespace

void V4ReportDef::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  ColumnCount = r.I16();
  r.Get(ReportName).Get(Title1).Get(Title2);
  r.Get(ColumnNumberA);
  r.Get(Unused260);
  r.Get(ColumnNumberB);
  r.Get(ColumnLabel);
  r.Get(Unused1316);
  Flag1448 = r.I16();
  Flag1450 = r.I16();
  r.Get(Unused1452);
  Number1458 = r.I16();
  r.GetBytes(Unused1460.data(), Unused1460.size());
  r.Get(Unused1482);
}

void V4ReportDef::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.I16(ColumnCount).Put(ReportName).Put(Title1).Put(Title2);
  w.Put(ColumnNumberA);
  w.Put(Unused260);
  w.Put(ColumnNumberB);
  w.Put(ColumnLabel);
  w.Put(Unused1316);
  w.I16(Flag1448).I16(Flag1450);
  w.Put(Unused1452);
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
  r.Get(TitleLines);
  r.Get(TextLines468);
  Number708 = r.I16();
  Number710 = r.I16();
  r.Get(LongArray712);
  r.Get(FontName);
  Number780 = r.I16();
  Number782 = r.I32();
  Number786 = r.I16();
  r.Get(ColumnNumberA);
  r.Get(ColumnFieldRecord);
  r.Get(ColumnSlot);
  r.Get(ColumnNumberB);
  r.Get(ColumnLabel);
  r.Get(ColumnDataType);
  r.Get(ColumnNumber158);
  r.Get(ColumnNumberC);
  r.Get(ColumnNumberD);
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
  w.Put(TitleLines);
  w.Put(TextLines468);
  w.I16(Number708).I16(Number710);
  w.Put(LongArray712);
  w.Put(FontName).I16(Number780).I32(Number782).I16(Number786);
  w.Put(ColumnNumberA);
  w.Put(ColumnFieldRecord);
  w.Put(ColumnSlot);
  w.Put(ColumnNumberB);
  w.Put(ColumnLabel);
  w.Put(ColumnDataType);
  w.Put(ColumnNumber158);
  w.Put(ColumnNumberC);
  w.Put(ColumnNumberD);
  w.I32(Number2636).Flag(Flag2640).I32(Number2642).Flag(Flag2646);
  w.I16(static_cast<int16_t>(Text2648.size())).PutBytes(Text2648.data(), Text2648.size());
  w.Put(Text128);
}

}  // namespace hw
