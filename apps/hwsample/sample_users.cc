#include <fstream>

#include "fixtures/table_image.h"
#include "hwsample/sample.h"
#include "records/prior_lists.h"

namespace hwsample {

namespace {

struct FixedUser {
  const char* folder;
  const char* name;
};

// The first users follow the prior edition's convention: a folder under the installation.
constexpr FixedUser kFixedUsers[] = {
    {"SMITH", "John Smith"},
    {"JONES", "Mary Jones"},
    {"GARCIA", "Luis Garcia"},
};

}  // namespace

void WriteInstallation(SampleContext& ctx, const std::filesystem::path& root) {
  ctx.prior_root = root / "c" / "HWVER4";
  ctx.new_root = root / "n" / "Hoardwise";
  std::filesystem::create_directories(ctx.prior_root);
  std::filesystem::create_directories(ctx.new_root);
  WriteUsers(ctx);
  WriteCollections(ctx);
  WriteScreens(ctx);
  WriteLists(ctx);
}

void WriteUsers(SampleContext& ctx) {
  namespace fs = std::filesystem;
  std::ofstream(ctx.prior_root / "hwver4.exe", std::ios::binary) << "MZ sample prior edition\n";
  hw::TableImage users = hw::TableImage::Prior("Default.mst", hw::PriorUserRecord::kSize, 4);
  for (int i = 0; i < ctx.users; ++i) {
    SampleUser u;
    std::string name;
    if (i < static_cast<int>(std::size(kFixedUsers))) {
      u.folder_name = kFixedUsers[i].folder;
      name = kFixedUsers[i].name;
    } else {
      u.folder_name = "USER" + std::to_string(i + 1);
      name = "Collector " + std::to_string(i + 1);
    }
    u.windows_folder = "C:\\HWVER4\\" + u.folder_name + "\\";
    u.host_folder = ctx.prior_root / u.folder_name;
    fs::create_directories(u.host_folder);
    hw::PriorUserRecord record;
    record.Folder.Set(u.windows_folder);
    record.Name.Set(name);
    users.Append(record);
    ctx.sample_users.push_back(u);
  }
  users.WriteTo(ctx.prior_root / "Default.mst");
  for (const char* folder : {"video", "Combos", "MyData", "StdDB"}) {
    fs::create_directories(ctx.new_root / folder);
  }
}

}  // namespace hwsample
