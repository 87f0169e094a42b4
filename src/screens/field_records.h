#pragma once

#include <array>
#include <cstdint>

#include "platform/record_codec.h"

// The screen design and field definition records of both editions.
namespace hw {

// A field of a prior screen design (262 bytes).
struct V4ScreenField {
  static constexpr size_t kSize = 262;
  int16_t Number0 = 0;
  Text<32> Caption;
  Text<32> FieldName;
  Text<16> Unused66;
  int16_t Number82 = 0;
  int16_t ControlKind = 0;
  int16_t Unused86 = 0;
  int16_t DataType = 0;
  int16_t Number90 = 0;
  int16_t Slot = 0;
  std::array<int16_t, 5> Unused94{};
  int16_t Number104 = 0;
  int16_t Number106 = 0;
  std::array<int16_t, 2> Unused108{};
  int16_t LabelTop = 0;
  int16_t LabelHeight = 0;
  int16_t LabelLeft = 0;
  int16_t ControlLeft = 0;
  int16_t ControlWidth = 0;
  int16_t ControlHeight = 0;
  int16_t Number124 = 0;
  int16_t ControlTop = 0;
  int16_t Number128 = 0;
  std::array<int16_t, 2> Unused130{};
  int16_t Number134 = 0;
  int16_t Unused136 = 0;
  Text<32> ChoiceListName;
  int16_t Number170 = 0;
  Text<90> Unused172;

  template <class Io>
  void Fields(Io& io) {
    io("Number0", Number0)("Caption", Caption)("FieldName", FieldName)("Unused66", Unused66)(
        "Number82", Number82)("ControlKind", ControlKind)("Unused86", Unused86)(
        "DataType", DataType)("Number90", Number90)("Slot", Slot)("Unused94", Unused94)(
        "Number104", Number104)("Number106", Number106)("Unused108", Unused108)(
        "LabelTop", LabelTop)("LabelHeight", LabelHeight)("LabelLeft", LabelLeft)(
        "ControlLeft", ControlLeft)("ControlWidth", ControlWidth)(
        "ControlHeight", ControlHeight)("Number124", Number124)("ControlTop", ControlTop)(
        "Number128", Number128)("Unused130", Unused130)("Number134", Number134)(
        "Unused136", Unused136)("ChoiceListName", ChoiceListName)("Number170", Number170)(
        "Unused172", Unused172);
  }
};

// A common field of the prior field definition table (34 bytes).
struct V4FieldDef {
  static constexpr size_t kSize = 34;
  Text<24> FieldName;
  int16_t Number24 = 0;
  int16_t DataType = 0;
  int16_t Slot = 0;
  int16_t Number30 = 0;
  int16_t Number32 = 0;

  template <class Io>
  void Fields(Io& io) {
    io("FieldName", FieldName)("Number24", Number24)("DataType", DataType)("Slot", Slot)(
        "Number30", Number30)("Number32", Number32);
  }
};

// A field of a new screen design (536 bytes).
struct V5FieldDef {
  static constexpr size_t kSize = 536;
  int16_t Number0 = 0;
  int32_t Number2 = 0;
  int32_t Number6 = 0;
  Text<32> FieldName;
  Text<32> LinkedFieldName;
  Text<16> Caption;
  int32_t Number90 = 0;
  int32_t ControlKind = 0;
  int32_t Number98 = 0;
  int32_t Number102 = 0;
  int32_t Page = 0;
  int32_t DataType = 0;
  int32_t Number114 = 0;
  int32_t Slot = 0;
  int32_t LabelTop = 0;
  int32_t LabelHeight = 0;
  int32_t LabelLeft = 0;
  int32_t ControlLeft = 0;
  int32_t ControlWidth = 0;
  int32_t ControlHeight = 0;
  int32_t ControlTop = 0;
  int32_t Number150 = 0;
  int32_t Number154 = 0;
  int32_t Number158 = 0;
  Text<32> ChoiceListName;
  int32_t Number194 = 0;
  Text<32> Text198;
  int32_t Number230 = 0;
  Text<12> Text234;
  std::array<int32_t, 5> LongArray246{};
  std::array<Text<1>, 4> CharArray266{};
  std::array<int16_t, 5> IntArray270{};
  Text<256> Text280;

  template <class Io>
  void Fields(Io& io) {
    io("Number0", Number0)("Number2", Number2)("Number6", Number6)("FieldName", FieldName)(
        "LinkedFieldName", LinkedFieldName)("Caption", Caption)("Number90", Number90)(
        "ControlKind", ControlKind)("Number98", Number98)("Number102", Number102)("Page", Page)(
        "DataType", DataType)("Number114", Number114)("Slot", Slot)("LabelTop", LabelTop)(
        "LabelHeight", LabelHeight)("LabelLeft", LabelLeft)("ControlLeft", ControlLeft)(
        "ControlWidth", ControlWidth)("ControlHeight", ControlHeight)("ControlTop", ControlTop)(
        "Number150", Number150)("Number154", Number154)("Number158", Number158)(
        "ChoiceListName", ChoiceListName)("Number194", Number194)("Text198", Text198)(
        "Number230", Number230)("Text234", Text234)("LongArray246", LongArray246)(
        "CharArray266", CharArray266)("IntArray270", IntArray270)("Text280", Text280);
  }
  bool operator==(const V5FieldDef&) const = default;
};

}  // namespace hw
