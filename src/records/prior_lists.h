#pragma once

#include <array>
#include <cstdint>

#include "platform/record_codec.h"

// The prior edition's user list, per-user collection list and collection header records.
namespace hw {

// A record of the prior user list "Default.mst" (255 bytes); users are records 4 on.
struct PriorUserRecord {
  static constexpr size_t kSize = 255;
  Text<8> Unused0;
  Text<1> Unused8;
  Text<64> Folder;  // the user's folder, normally a path ending in "\"
  int16_t Unused73 = 0;
  Text<12> Unused75;
  Text<24> Name;
  std::array<std::byte, 255 - 111> Rest{};  // fields the conversion does not use

  template <class Io>
  void Fields(Io& io) {
    io("Unused0", Unused0);
    io("Unused8", Unused8);
    io("Folder", Folder);
    io("Unused73", Unused73);
    io("Unused75", Unused75);
    io("Name", Name);
    io("Rest", Rest);
  }
};

// A record of a user's prior collection list "Collect.mst" (108 bytes); collections are
// records 3 on.
struct PriorCollectionEntry {
  static constexpr size_t kSize = 108;
  Text<8> Code;  // base name of the collection file (code + ".cl4")
  Text<28> Name;
  Text<24> Unused36;
  Text<5> Unused60;
  int16_t Unused65 = 0;
  Text<41> Unused67;

  template <class Io>
  void Fields(Io& io) {
    io("Code", Code);
    io("Name", Name);
    io("Unused36", Unused36);
    io("Unused60", Unused60);
    io("Unused65", Unused65);
    io("Unused67", Unused67);
  }
};

// Record 3 of a prior collection file: the collection header (616 bytes used).
struct PriorCollectionHeader {
  static constexpr size_t kSize = 616;
  std::array<std::byte, 62> Unused0{};
  Text<8> TypeCode;  // compared after trimming
  std::array<std::byte, 616 - 70> Unused70{};

  template <class Io>
  void Fields(Io& io) {
    io("Unused0", Unused0);
    io("TypeCode", TypeCode);
    io("Unused70", Unused70);
  }
};

}  // namespace hw
