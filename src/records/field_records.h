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
    io("Number0", Number0);
    io("Caption", Caption);
    io("FieldName", FieldName);
    io("Unused66", Unused66);
    io("Number82", Number82);
    io("ControlKind", ControlKind);
    io("Unused86", Unused86);
    io("DataType", DataType);
    io("Number90", Number90);
    io("Slot", Slot);
    io("Unused94", Unused94);
    io("Number104", Number104);
    io("Number106", Number106);
    io("Unused108", Unused108);
    io("LabelTop", LabelTop);
    io("LabelHeight", LabelHeight);
    io("LabelLeft", LabelLeft);
    io("ControlLeft", ControlLeft);
    io("ControlWidth", ControlWidth);
    io("ControlHeight", ControlHeight);
    io("Number124", Number124);
    io("ControlTop", ControlTop);
    io("Number128", Number128);
    io("Unused130", Unused130);
    io("Number134", Number134);
    io("Unused136", Unused136);
    io("ChoiceListName", ChoiceListName);
    io("Number170", Number170);
    io("Unused172", Unused172);
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
    io("FieldName", FieldName);
    io("Number24", Number24);
    io("DataType", DataType);
    io("Slot", Slot);
    io("Number30", Number30);
    io("Number32", Number32);
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
    io("Number0", Number0);
    io("Number2", Number2);
    io("Number6", Number6);
    io("FieldName", FieldName);
    io("LinkedFieldName", LinkedFieldName);
    io("Caption", Caption);
    io("Number90", Number90);
    io("ControlKind", ControlKind);
    io("Number98", Number98);
    io("Number102", Number102);
    io("Page", Page);
    io("DataType", DataType);
    io("Number114", Number114);
    io("Slot", Slot);
    io("LabelTop", LabelTop);
    io("LabelHeight", LabelHeight);
    io("LabelLeft", LabelLeft);
    io("ControlLeft", ControlLeft);
    io("ControlWidth", ControlWidth);
    io("ControlHeight", ControlHeight);
    io("ControlTop", ControlTop);
    io("Number150", Number150);
    io("Number154", Number154);
    io("Number158", Number158);
    io("ChoiceListName", ChoiceListName);
    io("Number194", Number194);
    io("Text198", Text198);
    io("Number230", Number230);
    io("Text234", Text234);
    io("LongArray246", LongArray246);
    io("CharArray266", CharArray266);
    io("IntArray270", IntArray270);
    io("Text280", Text280);
  }
  bool operator==(const V5FieldDef&) const = default;
};

}  // namespace hw
