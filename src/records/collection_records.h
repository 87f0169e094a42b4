#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/record_codec.h"

// The item records of both editions' collection files and the new collection header. Prior
// collection files hold 2,914-byte records, new ones (and the standard coin tables) 4,608-byte
// records; each item is a main record followed by an extension record.
namespace hw {

inline constexpr int16_t kPriorCollectionRecordLength = 2914;
inline constexpr int32_t kNewCollectionRecordLength = 4608;

// Prior item main record: the values of the fields of the type's screen design.
struct PriorItemMain {
  static constexpr size_t kSize = 2914;
  static constexpr int kFirstPicture = 0;  // text-128 elements holding picture references
  static constexpr int kSecondPicture = 2;

  std::array<std::byte, 92> Unused0{};
  std::array<int16_t, 13> Integers{};
  std::array<Currency, 9> Amounts{};
  std::array<Text<8>, 9> Text8{};
  std::array<Text<12>, 9> Text12{};
  std::array<Text<16>, 9> Text16{};
  std::array<Text<32>, 9> Text32{};
  std::array<Text<64>, 3> Text64{};
  std::array<Text<128>, 3> Text128{};
  std::array<Text<256>, 2> Text256{};
  Text<1024> Note;

  template <class Io>
  void Fields(Io& io) {
    io("Unused0", Unused0);
    io("Integers", Integers);
    io("Amounts", Amounts);
    io("Text8", Text8);
    io("Text12", Text12);
    io("Text16", Text16);
    io("Text32", Text32);
    io("Text64", Text64);
    io("Text128", Text128);
    io("Text256", Text256);
    io("Note", Note);
  }
};

// Prior item extension record: the values of the common fields and the fixed item values
// (the first 2,338 bytes of its 2,914-byte record).
struct PriorItemExtension {
  static constexpr size_t kSize = 2338;
  // Integer elements
  static constexpr int kManualValueMarker = 2;    // 1: the value was entered by hand
  static constexpr int kGovernmentSetMarker = 8;  // 2: part of a government set
  static constexpr int kBuySellMarker = 13;       // 1 sell, 2 buy, 3 both
  // Amount elements
  static constexpr int kLotValue = 1;
  static constexpr int kProfit = 6;
  static constexpr int kRealizedProfit = 9;
  // Text elements
  static constexpr int kUsCoinType = 7;    // text-12: United States coin type code
  static constexpr int kLinkedLevel0 = 5;  // text-32: the two levels of the linked choice
  static constexpr int kLinkedLevel1 = 6;

  std::array<std::byte, 204> Unused0{};
  std::array<int32_t, 4> Longs{};
  std::array<int16_t, 17> Integers{};
  std::array<Currency, 13> Amounts{};
  std::array<Text<12>, 17> Text12{};
  std::array<Text<16>, 9> Text16{};
  std::array<Text<32>, 9> Text32{};
  std::array<Text<64>, 3> Text64{};
  std::array<Text<128>, 3> Text128{};
  std::array<Text<256>, 3> Text256{};

  template <class Io>
  void Fields(Io& io) {
    io("Unused0", Unused0);
    io("Longs", Longs);
    io("Integers", Integers);
    io("Amounts", Amounts);
    io("Text12", Text12);
    io("Text16", Text16);
    io("Text32", Text32);
    io("Text64", Text64);
    io("Text128", Text128);
    io("Text256", Text256);
  }
};

// Record 3 of a new collection file (1,132 bytes).
struct NewCollectionHeader {
  static constexpr size_t kSize = 1132;
  Text<8> Text0;
  Text<32> TypeName;  // standard-database name of the collection's type
  Text<32> Text40;
  Text<128> Code;  // the prior collection code
  double Number200 = 0;
  double Number208 = 0;
  int16_t Integer216 = 0;
  Text<32> Text218;
  int16_t Integer250 = 0;
  Text<32> Text252;
  Text<32> Text284;
  Text<32> Text316;  // "Standard"
  int32_t Long348 = 0;
  std::array<Text<32>, 5> KeyCaptions{};
  std::array<int32_t, 5> KeyCodes{};
  int32_t Long532 = 0;
  Currency Amount536;
  Currency Amount544;
  int32_t Long552 = 0;
  std::array<Currency, 10> Amounts556{};
  std::array<Text<24>, 10> Text636{};
  Text<256> Text876;

  template <class Io>
  void Fields(Io& io) {
    io("Text0", Text0);
    io("TypeName", TypeName);
    io("Text40", Text40);
    io("Code", Code);
    io("Number200", Number200);
    io("Number208", Number208);
    io("Integer216", Integer216);
    io("Text218", Text218);
    io("Integer250", Integer250);
    io("Text252", Text252);
    io("Text284", Text284);
    io("Text316", Text316);
    io("Long348", Long348);
    io("KeyCaptions", KeyCaptions);
    io("KeyCodes", KeyCodes);
    io("Long532", Long532);
    io("Amount536", Amount536);
    io("Amount544", Amount544);
    io("Long552", Long552);
    io("Amounts556", Amounts556);
    io("Text636", Text636);
    io("Text876", Text876);
  }
};

// One value of the date bank: a 16-bit type tag followed by a value whose size the tag gives.
// The conversion writes the empty value, dates and texts; other fixed-size tags found in a
// table written by the new edition are kept as raw bytes so the reader can step over them.
struct TaggedValue {
  static constexpr int16_t kEmpty = 0;
  static constexpr int16_t kDate = 7;  // days since 30 December 1899, fraction = time of day
  static constexpr int16_t kText = 8;  // 16-bit character count, then the characters

  int16_t tag = kEmpty;
  double date = 0;
  std::string text;
  std::array<std::byte, 8> raw{};  // the value of any other fixed-size tag

  static TaggedValue Date(double days) { return {kDate, days, {}, {}}; }
  static TaggedValue Textual(std::string t) { return {kText, 0, std::move(t), {}}; }

  // Bytes of the value after its tag for a fixed-size tag; -1 for a text or an unknown tag.
  static int FixedValueSize(int16_t tag);
  // An unknown tag's value has no known size, so nothing after it can be read.
  template <class Io>
  void Fields(Io& io) {
    io("Tag", tag);
    if (tag == kDate) {
      io("Date", date);
    } else if (tag == kText) {
      io("Text", text);
    } else if (const int size = FixedValueSize(tag); size >= 0) {
      std::span<std::byte> value = std::span(raw).first(static_cast<size_t>(size));
      io("Value", value);
    } else {
      io.Unreadable();
    }
  }
};

// New item main record: a date bank of variable length followed by fixed banks. The layout
// fits the 4,608-byte record only while its date bank takes at most 232 bytes.
struct NewItemMain {
  static constexpr size_t kSize = 4608;          // the record the layout is written into
  static constexpr size_t kFixedSize = 4376;     // everything but the date bank
  static constexpr size_t kLeadingZeros = 8;     // both new item records begin with these
  static constexpr int kStandardReference = 15;  // whole-number element
  static constexpr int kLinkedFields = 4;

  // Position in the linked-choice bank of level `level` of linked field `field`.
  static constexpr int64_t LinkedPosition(int64_t field, int64_t level) {
    return field + kLinkedFields * level;
  }

  std::array<TaggedValue, 16> Dates{};
  std::array<bool, 16> Flags{};
  std::array<int32_t, 16> Longs{};
  std::array<Currency, 16> Amounts{};
  std::array<Text<8>, 12> Text8{};
  std::array<Text<12>, 12> Text12{};
  std::array<Text<16>, 20> Text16{};
  std::array<Text<32>, 20> Text32{};
  std::array<Text<32>, 16> Linked{};
  std::array<Text<64>, 4> Text64{};
  std::array<Text<128>, 4> Text128{};
  std::array<Text<256>, 6> Text256{};
  std::array<Currency, 16> Financial{};  // profit, realized profit and lot value

  size_t EncodedSize() const { return EncodedWidth(*this); }
  // The date bank moves every later field, so a record whose date bank cannot be stepped over
  // (an unknown tag, or values running past the record) does not decode.
  template <class Io>
  void Fields(Io& io) {
    io.Zeros(kLeadingZeros);
    io("Dates", Dates);
    io("Flags", Flags);
    io("Longs", Longs);
    io("Amounts", Amounts);
    io("Text8", Text8);
    io("Text12", Text12);
    io("Text16", Text16);
    io("Text32", Text32);
    io("Linked", Linked);
    io("Text64", Text64);
    io("Text128", Text128);
    io("Text256", Text256);
    io("Financial", Financial);
  }
};

// New item extension record (4,608 bytes).
struct NewItemExtension {
  static constexpr size_t kSize = 4608;
  std::array<Text<80>, 20> PicturePaths{};
  Text<1024> Note;
  Text<128> Text2632;
  std::array<Text<50>, 24> Text50{};
  std::array<int32_t, 24> Longs3960{};
  std::array<int32_t, 20> Longs4056{};
  std::array<int32_t, 20> Longs4136{};
  std::array<int32_t, 20> Longs4216{};
  std::array<int16_t, 20> Integers4296{};
  Text<272> Text4336;

  template <class Io>
  void Fields(Io& io) {
    io.Zeros(NewItemMain::kLeadingZeros);
    io("PicturePaths", PicturePaths);
    io("Note", Note);
    io("Text2632", Text2632);
    io("Text50", Text50);
    io("Longs3960", Longs3960);
    io("Longs4056", Longs4056);
    io("Longs4136", Longs4136);
    io("Longs4216", Longs4216);
    io("Integers4296", Integers4296);
    io("Text4336", Text4336);
  }
};

}  // namespace hw
