#include "analysis/user_settings.h"

namespace hw {

void UserSettingsRecord::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.Get(Version).Get(DataFolder).Get(UserName);
  Int160 = r.I16();
  Int162 = r.I16();
  r.Get(Text164);
  Long166 = r.I32();
  Int170 = r.I16();
  Long172 = r.I32();
  Int176 = r.I16();
  r.Get(Text178);
  Float190 = r.F32();
  Float194 = r.F32();
  Long198 = r.I32();
  Float202 = r.F32();
  Float206 = r.F32();
  Float210 = r.F32();
  Float214 = r.F32();
  r.Get(Text218).Get(Font219).Get(Font251);
  Int283 = r.I16();
  Int285 = r.I16();
  Int287 = r.I16();
  Int289 = r.I16();
  Long291 = r.I32();
  Long295 = r.I32();
  r.Get(Longs299);
  r.Get(Text307);
  Long323 = r.I32();
  Long327 = r.I32();
  r.Get(Text331);
  Money347 = r.Money();
  r.Get(Text355);
  Money356 = r.Money();
  Money364 = r.Money();
  Long372 = r.I32();
  Int376 = r.I16();
  r.Get(Text378);
  Long394 = r.I32();
  r.Get(Text398).Get(Text402).Get(Text406);
  Float407 = r.F32();
  r.Get(Money411);
  r.Get(Text459);
  Long483 = r.I32();
  Money487 = r.Money();
  Money495 = r.Money();
  Long503 = r.I32();
  r.Get(Text507);
  Long531 = r.I32();
  r.Get(Text535);
}

void UserSettingsRecord::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.Put(Version).Put(DataFolder).Put(UserName).I16(Int160).I16(Int162).Put(Text164);
  w.I32(Long166).I16(Int170).I32(Long172).I16(Int176).Put(Text178);
  w.F32(Float190).F32(Float194).I32(Long198).F32(Float202).F32(Float206).F32(Float210);
  w.F32(Float214).Put(Text218).Put(Font219).Put(Font251);
  w.I16(Int283).I16(Int285).I16(Int287).I16(Int289).I32(Long291).I32(Long295);
  w.Put(Longs299);
  w.Put(Text307).I32(Long323).I32(Long327).Put(Text331).Money(Money347).Put(Text355);
  w.Money(Money356).Money(Money364).I32(Long372).I16(Int376).Put(Text378).I32(Long394);
  w.Put(Text398).Put(Text402).Put(Text406).F32(Float407);
  w.Put(Money411);
  w.Put(Text459).I32(Long483).Money(Money487).Money(Money495).I32(Long503).Put(Text507);
  w.I32(Long531).Put(Text535);
}

UserSettingsRecord DefaultUserSettings(const std::string& data_folder) {
  UserSettingsRecord u;
  u.Version.Set("5.0.0");
  u.DataFolder.Set(data_folder);
  u.UserName.Set("MyData");
  u.Int160 = -1;
  u.Int162 = -1;
  u.Text164.Set("C");
  u.Text178.Blank();
  u.Float210 = -1.0f;
  u.Float214 = -1.0f;
  u.Text218.Blank();
  u.Font219.Set("Times New Roman");
  u.Font251.Set("Times New Roman");
  u.Int285 = -1;
  u.Int287 = -1;
  u.Long323 = 9;
  u.Long327 = 10;
  u.Text331.Set("New");
  u.Text355.Set("Y");
  u.Money356 = Currency{10000};
  u.Money364 = Currency{10000};
  u.Text378.Blank();
  u.Text398.Set("$");
  u.Text402.Blank();
  u.Text406.Set(".");
  u.Float407 = 2.0f;
  u.Text459.Blank();
  u.Text507.Blank();
  u.Text535.Blank();
  return u;
}

}  // namespace hw
