#pragma once

#include <array>
#include <cstdint>
#include <span>
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

  void Decode(std::span<const std::byte> in);
  void Encode(std::span<std::byte> out) const;
};

// The default record written when the user table is created; `data_folder` is the new data
// folder, trimmed.
UserSettingsRecord DefaultUserSettings(const std::string& data_folder);

}  // namespace hw
