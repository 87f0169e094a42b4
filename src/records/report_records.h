#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/record_codec.h"

// The report format records of both editions.
namespace hw {

// A report format of the prior edition (1606 bytes). Column arrays hold elements 0..32; the
// columns use elements 1..ColumnCount.
struct V4ReportDef {
  static constexpr size_t kSize = 1606;
  static constexpr int kColumns = 33;
  int16_t ColumnCount = 0;
  Text<64> ReportName;
  Text<64> Title1;
  Text<64> Title2;
  std::array<int16_t, kColumns> ColumnNumberA{};
  std::array<int16_t, 3 * kColumns> Unused260{};
  std::array<int16_t, kColumns> ColumnNumberB{};
  std::array<Text<24>, kColumns> ColumnLabel{};
  std::array<int16_t, 2 * kColumns> Unused1316{};
  int16_t Flag1448 = 0;
  int16_t Flag1450 = 0;
  std::array<int16_t, 3> Unused1452{};
  int16_t Number1458 = 0;
  std::array<std::byte, 22> Unused1460{};
  Text<124> Unused1482;

  template <class Io>
  void Fields(Io& io) {
    io("ColumnCount", ColumnCount);
    io("ReportName", ReportName);
    io("Title1", Title1);
    io("Title2", Title2);
    io("ColumnNumberA", ColumnNumberA);
    io("Unused260", Unused260);
    io("ColumnNumberB", ColumnNumberB);
    io("ColumnLabel", ColumnLabel);
    io("Unused1316", Unused1316);
    io("Flag1448", Flag1448);
    io("Flag1450", Flag1450);
    io("Unused1452", Unused1452);
    io("Number1458", Number1458);
    io("Unused1460", Unused1460);
    io("Unused1482", Unused1482);
  }
};

// A report format of the new edition: 2778 bytes plus the characters of Text2648, a text of
// variable length stored as a 16-bit length and its characters.
struct V5ReportDef {
  static constexpr size_t kFixedSize = 2778;
  static constexpr int kColumns = 33;
  int32_t ColumnCount = 0;
  Text<64> ReportName;
  std::array<Text<80>, 5> TitleLines{};
  std::array<Text<80>, 3> TextLines468{};
  int16_t Number708 = 0;
  int16_t Number710 = 0;
  std::array<int32_t, 9> LongArray712{};
  Text<32> FontName;
  int16_t Number780 = 0;
  int32_t Number782 = 0;
  int16_t Number786 = 0;
  std::array<int32_t, kColumns> ColumnNumberA{};
  std::array<int32_t, kColumns> ColumnFieldRecord{};
  std::array<int32_t, kColumns> ColumnSlot{};
  std::array<int32_t, kColumns> ColumnNumberB{};
  std::array<Text<24>, kColumns> ColumnLabel{};
  std::array<int32_t, kColumns> ColumnDataType{};
  std::array<int32_t, kColumns> ColumnNumber158{};
  std::array<int32_t, kColumns> ColumnNumberC{};
  std::array<int32_t, kColumns> ColumnNumberD{};
  int32_t Number2636 = 0;
  bool Flag2640 = false;
  int32_t Number2642 = 0;
  bool Flag2646 = false;
  std::string Text2648;  // at most 65 535 characters
  Text<128> Text128;

  size_t EncodedSize() const { return EncodedWidth(*this); }
  template <class Io>
  void Fields(Io& io) {
    io("ColumnCount", ColumnCount);
    io("ReportName", ReportName);
    io("TitleLines", TitleLines);
    io("TextLines468", TextLines468);
    io("Number708", Number708);
    io("Number710", Number710);
    io("LongArray712", LongArray712);
    io("FontName", FontName);
    io("Number780", Number780);
    io("Number782", Number782);
    io("Number786", Number786);
    io("ColumnNumberA", ColumnNumberA);
    io("ColumnFieldRecord", ColumnFieldRecord);
    io("ColumnSlot", ColumnSlot);
    io("ColumnNumberB", ColumnNumberB);
    io("ColumnLabel", ColumnLabel);
    io("ColumnDataType", ColumnDataType);
    io("ColumnNumber158", ColumnNumber158);
    io("ColumnNumberC", ColumnNumberC);
    io("ColumnNumberD", ColumnNumberD);
    io("Number2636", Number2636);
    io("Flag2640", Flag2640);
    io("Number2642", Number2642);
    io("Flag2646", Flag2646);
    io("Text2648", Text2648);
    io("Text128", Text128);
  }
  bool operator==(const V5ReportDef&) const = default;
};

}  // namespace hw
