#include "screens/field_records.h"

namespace hw {

void V4ScreenField::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  Number0 = r.I16();
  r.Get(Caption).Get(FieldName).Get(Unused66);
  Number82 = r.I16();
  ControlKind = r.I16();
  Unused86 = r.I16();
  DataType = r.I16();
  Number90 = r.I16();
  Slot = r.I16();
  r.Get(Unused94);
  Number104 = r.I16();
  Number106 = r.I16();
  r.Get(Unused108);
  LabelTop = r.I16();
  LabelHeight = r.I16();
  LabelLeft = r.I16();
  ControlLeft = r.I16();
  ControlWidth = r.I16();
  ControlHeight = r.I16();
  Number124 = r.I16();
  ControlTop = r.I16();
  Number128 = r.I16();
  r.Get(Unused130);
  Number134 = r.I16();
  Unused136 = r.I16();
  r.Get(ChoiceListName);
  Number170 = r.I16();
  r.Get(Unused172);
}

void V4ScreenField::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.I16(Number0).Put(Caption).Put(FieldName).Put(Unused66);
  w.I16(Number82).I16(ControlKind).I16(Unused86).I16(DataType).I16(Number90).I16(Slot);
  w.Put(Unused94);
  w.I16(Number104).I16(Number106);
  w.Put(Unused108);
  w.I16(LabelTop).I16(LabelHeight).I16(LabelLeft).I16(ControlLeft).I16(ControlWidth);
  w.I16(ControlHeight).I16(Number124).I16(ControlTop).I16(Number128);
  w.Put(Unused130);
  w.I16(Number134).I16(Unused136).Put(ChoiceListName).I16(Number170).Put(Unused172);
}

void V4FieldDef::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.Get(FieldName);
  Number24 = r.I16();
  DataType = r.I16();
  Slot = r.I16();
  Number30 = r.I16();
  Number32 = r.I16();
}

void V4FieldDef::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.Put(FieldName).I16(Number24).I16(DataType).I16(Slot).I16(Number30).I16(Number32);
}

void V5FieldDef::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  Number0 = r.I16();
  Number2 = r.I32();
  Number6 = r.I32();
  r.Get(FieldName).Get(LinkedFieldName).Get(Caption);
  Number90 = r.I32();
  ControlKind = r.I32();
  Number98 = r.I32();
  Number102 = r.I32();
  Page = r.I32();
  DataType = r.I32();
  Number114 = r.I32();
  Slot = r.I32();
  LabelTop = r.I32();
  LabelHeight = r.I32();
  LabelLeft = r.I32();
  ControlLeft = r.I32();
  ControlWidth = r.I32();
  ControlHeight = r.I32();
  ControlTop = r.I32();
  Number150 = r.I32();
  Number154 = r.I32();
  Number158 = r.I32();
  r.Get(ChoiceListName);
  Number194 = r.I32();
  r.Get(Text198);
  Number230 = r.I32();
  r.Get(Text234);
  r.Get(LongArray246);
  r.Get(CharArray266);
  r.Get(IntArray270);
  r.Get(Text280);
}

void V5FieldDef::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.I16(Number0).I32(Number2).I32(Number6).Put(FieldName).Put(LinkedFieldName).Put(Caption);
  w.I32(Number90).I32(ControlKind).I32(Number98).I32(Number102).I32(Page).I32(DataType);
  w.I32(Number114).I32(Slot).I32(LabelTop).I32(LabelHeight).I32(LabelLeft).I32(ControlLeft);
  w.I32(ControlWidth).I32(ControlHeight).I32(ControlTop).I32(Number150).I32(Number154);
  w.I32(Number158).Put(ChoiceListName).I32(Number194).Put(Text198).I32(Number230).Put(Text234);
  w.Put(LongArray246);
  w.Put(CharArray266);
  w.Put(IntArray270);
  w.Put(Text280);
}

}  // namespace hw
