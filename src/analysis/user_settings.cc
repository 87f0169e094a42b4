#include "analysis/user_settings.h"

namespace hw {

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
