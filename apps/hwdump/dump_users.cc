// The new user table written by the installation analysis.

#include <fmt/format.h>

#include "analysis/user_settings.h"
#include "hwdump/dump.h"
#include "platform/text.h"

namespace hwdump {

namespace {

void PrintUser(int64_t, std::span<const std::byte> record, std::ostream& out) {
  hw::UserSettingsRecord u;
  u.Decode(record.first(hw::UserSettingsRecord::kSize));
  Field(out, "Version", Quoted(u.Version.Raw()));
  Field(out, "DataFolder", Quoted(hw::TrimRightBlanks(u.DataFolder.Raw())));
  Field(out, "UserName", Quoted(hw::TrimRightBlanks(u.UserName.Raw())));
  Field(out, "Float190, Float194", fmt::format("{}, {}", u.Float190, u.Float194));
  Field(out, "Fonts", Quoted(u.Font219.Trimmed()) + ", " + Quoted(u.Font251.Trimmed()));
  Field(out, "Text331, Text355, Text398",
        Quoted(u.Text331.Trimmed()) + ", " + Quoted(u.Text355.Raw()) + ", " +
            Quoted(u.Text398.Trimmed()));
  Field(out, "Money356, Money364", Money(u.Money356) + ", " + Money(u.Money364));
  Field(out, "Long323, Long327, Float407",
        fmt::format("{}, {}, {}", u.Long323, u.Long327, u.Float407));
}

const bool kRegistered = Register(Layout{
    "user-table",
    false,
    3,
    [](const std::string& name, bool new_header) {
      return new_header && hw::Upper1252(name) == "DEFAULT.MST";
    },
    PrintUser,
});

}  // namespace

}  // namespace hwdump
