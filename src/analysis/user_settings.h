#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/record_codec.h"

namespace hw {

// A record of the new user table "DEFAULT.mst" (659 bytes). Record 3 holds the default
// settings; each converted user is a copy of it with its own name and data folder. Fields are
// named by their offset where the new edition's meaning is not the conversion's concern.
struct UserSettingsRecord {
  static constexpr size_t kSize = 659;
  Text<8> Version;
  Text<128> DataFolder;
  Text<24> UserName;
  int16_t Int160 = 0;
  int16_t Int162 = 0;
  Text<2> Text164;
  int32_t Long166 = 0;
  int16_t Int170 = 0;
  int32_t Long172 = 0;
  int16_t Int176 = 0;
  Text<12> Text178;
  float Float190 = 0;
  float Float194 = 0;
  int32_t Long198 = 0;
  float Float202 = 0;
  float Float206 = 0;
  float Float210 = 0;
  float Float214 = 0;
  Text<1> Text218;
  Text<32> Font219;
  Text<32> Font251;
  int16_t Int283 = 0;
  int16_t Int285 = 0;
  int16_t Int287 = 0;
  int16_t Int289 = 0;
  int32_t Long291 = 0;
  int32_t Long295 = 0;
  std::array<int32_t, 2> Longs299{};
  Text<16> Text307;
  int32_t Long323 = 0;
  int32_t Long327 = 0;
  Text<16> Text331;
  Currency Money347;
  Text<1> Text355;
  Currency Money356;
  Currency Money364;
  int32_t Long372 = 0;
  int16_t Int376 = 0;
  Text<16> Text378;
  int32_t Long394 = 0;
  Text<4> Text398;
  Text<4> Text402;
  Text<1> Text406;
  float Float407 = 0;
  std::array<Currency, 6> Money411{};
  Text<24> Text459;
  int32_t Long483 = 0;
  Currency Money487;
  Currency Money495;
  int32_t Long503 = 0;
  Text<24> Text507;
  int32_t Long531 = 0;
  Text<124> Text535;

  template <class Io>
  void Fields(Io& io) {
    io("Version", Version);
    io("DataFolder", DataFolder);
    io("UserName", UserName);
    io("Int160", Int160);
    io("Int162", Int162);
    io("Text164", Text164);
    io("Long166", Long166);
    io("Int170", Int170);
    io("Long172", Long172);
    io("Int176", Int176);
    io("Text178", Text178);
    io("Float190", Float190);
    io("Float194", Float194);
    io("Long198", Long198);
    io("Float202", Float202);
    io("Float206", Float206);
    io("Float210", Float210);
    io("Float214", Float214);
    io("Text218", Text218);
    io("Font219", Font219);
    io("Font251", Font251);
    io("Int283", Int283);
    io("Int285", Int285);
    io("Int287", Int287);
    io("Int289", Int289);
    io("Long291", Long291);
    io("Long295", Long295);
    io("Longs299", Longs299);
    io("Text307", Text307);
    io("Long323", Long323);
    io("Long327", Long327);
    io("Text331", Text331);
    io("Money347", Money347);
    io("Text355", Text355);
    io("Money356", Money356);
    io("Money364", Money364);
    io("Long372", Long372);
    io("Int376", Int376);
    io("Text378", Text378);
    io("Long394", Long394);
    io("Text398", Text398);
    io("Text402", Text402);
    io("Text406", Text406);
    io("Float407", Float407);
    io("Money411", Money411);
    io("Text459", Text459);
    io("Long483", Long483);
    io("Money487", Money487);
    io("Money495", Money495);
    io("Long503", Long503);
    io("Text507", Text507);
    io("Long531", Long531);
    io("Text535", Text535);
  }
};

// The default record written when the user table is created; `data_folder` is the new data
// folder, trimmed.
UserSettingsRecord DefaultUserSettings(const std::string& data_folder);

}  // namespace hw
