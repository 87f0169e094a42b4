#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/record_codec.h"

// The choice-list entries of both editions, the prior storage and buyer/seller records and the
// new contact record.
namespace hw {

// An entry of a prior choice list (".cbo", 48 bytes); entries are records 3 on.
struct PriorChoiceEntry {
  static constexpr size_t kSize = 48;
  int16_t ItemNumber = 0;
  Text<32> ItemText;
  Text<8> Unused34;
  Text<6> Tag;

  template <class Io>
  void Fields(Io& io) {
    io("ItemNumber", ItemNumber);
    io("ItemText", ItemText);
    io("Unused34", Unused34);
    io("Tag", Tag);
  }
};

// An entry of a new choice list (".cb5", 123 bytes), shared by every new list; entries are
// records 3 on. The one-character Marker is followed directly by Flag1, with no filler.
struct ChoiceEntry {
  static constexpr size_t kSize = 123;
  int32_t ItemNumber = 0;
  Text<32> ParentText;  // the first-level entry a second-level entry belongs to
  Text<32> ItemText;
  int32_t Value1 = 0;
  Text<1> Marker;
  bool Flag1 = false;
  bool Flag2 = false;
  bool Flag3 = false;
  int32_t Value2 = 0;
  Currency Amount;
  int32_t EntryId = 0;
  Text<24> AltText;
  Text<4> Tag;

  // The text the duplicate searches compare.
  std::string_view Key() const { return ItemText.Raw(); }
  template <class Io>
  void Fields(Io& io) {
    io("ItemNumber", ItemNumber);
    io("ParentText", ParentText);
    io("ItemText", ItemText);
    io("Value1", Value1);
    io("Marker", Marker);
    io("Flag1", Flag1);
    io("Flag2", Flag2);
    io("Flag3", Flag3);
    io("Value2", Value2);
    io("Amount", Amount);
    io("EntryId", EntryId);
    io("AltText", AltText);
    io("Tag", Tag);
  }
};

// A record of a user's prior storage table "storage.mst" (85 bytes); records 4 on.
struct PriorStorageRecord {
  static constexpr size_t kSize = 85;
  int16_t Unused0 = 0;
  Text<30> Location;  // "EMPTY" stands for no location
  Text<30> Container;
  Text<1> Mark1;  // "Y" means yes, anything else no
  Text<1> Mark2;
  Text<1> Mark3;
  int16_t Unused65 = 0;
  Currency Amount;
  Text<10> Unused75;

  template <class Io>
  void Fields(Io& io) {
    io("Unused0", Unused0);
    io("Location", Location);
    io("Container", Container);
    io("Mark1", Mark1);
    io("Mark2", Mark2);
    io("Mark3", Mark3);
    io("Unused65", Unused65);
    io("Amount", Amount);
    io("Unused75", Unused75);
  }
};

// A party of a user's prior buyer/seller list "parties.mst" (188 bytes); records 3 on. The
// texts after the name are named by their offsets: the conversion copies them by position.
struct PriorPartyRecord {
  static constexpr size_t kSize = 188;
  Text<24> Name;
  Text<16> Text24;
  Text<24> Text40;
  Text<24> Text64;
  Text<2> Text88;
  Text<10> Text90;
  Text<24> Text100;
  Text<64> Text124;

  template <class Io>
  void Fields(Io& io) {
    io("Name", Name);
    io("Text24", Text24);
    io("Text40", Text40);
    io("Text64", Text64);
    io("Text88", Text88);
    io("Text90", Text90);
    io("Text100", Text100);
    io("Text124", Text124);
  }
};

// A record of the new contact table "Contacts.mst" (784 bytes); contacts are records 3 on.
// Fields are named by their offsets where the conversion only copies or blanks them.
struct ContactRecord {
  static constexpr size_t kSize = 784;
  Text<32> Name;
  Text<32> KeyName;  // the name the duplicate search compares
  Text<16> Text64;
  Text<16> Text80;
  Text<16> Text96;
  Text<24> Text112;
  Text<24> Text136;
  Text<24> Text160;
  Text<24> Text184;
  Text<24> Text208;
  Text<2> Text232;
  Text<10> Text234;
  Text<24> Text244;
  Text<64> Text268;
  Text<64> Text332;
  Text<18> Text396;
  Text<18> Text414;
  std::array<int64_t, 10> Numbers432{};
  Text<16> Text512;
  Text<256> Text528;

  std::string_view Key() const { return KeyName.Raw(); }
  template <class Io>
  void Fields(Io& io) {
    io("Name", Name);
    io("KeyName", KeyName);
    io("Text64", Text64);
    io("Text80", Text80);
    io("Text96", Text96);
    io("Text112", Text112);
    io("Text136", Text136);
    io("Text160", Text160);
    io("Text184", Text184);
    io("Text208", Text208);
    io("Text232", Text232);
    io("Text234", Text234);
    io("Text244", Text244);
    io("Text268", Text268);
    io("Text332", Text332);
    io("Text396", Text396);
    io("Text414", Text414);
    io("Numbers432", Numbers432);
    io("Text512", Text512);
    io("Text528", Text528);
  }
};

}  // namespace hw
