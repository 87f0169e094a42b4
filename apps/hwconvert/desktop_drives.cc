#include "hwconvert/desktop_drives.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <system_error>

namespace hwconvert {

namespace fs = std::filesystem;

std::optional<fs::path> WinePrefix() {
  fs::path prefix;
  if (const char* set = std::getenv("WINEPREFIX"); set != nullptr && *set != '\0') {
    prefix = set;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    prefix = fs::path(home) / ".wine";
  } else {
    return std::nullopt;
  }
  std::error_code ec;
  if (!fs::is_directory(prefix, ec)) return std::nullopt;
  return prefix;
}

hw::DriveMap WineDrives(const fs::path& prefix) {
  hw::DriveMap drives;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(prefix / "dosdevices", ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() != 2 || name[1] != ':' || !std::isalpha(static_cast<unsigned char>(name[0]))) {
      continue;
    }
    std::error_code link_ec;
    const fs::path target = fs::canonical(entry.path(), link_ec);
    if (!link_ec && fs::is_directory(target, link_ec)) drives.Map(name[0], target);
  }
  return drives;
}

std::unique_ptr<hw::FileSystem> DesktopFileSystem() {
  const std::optional<fs::path> prefix = WinePrefix();
  hw::DriveMap drives = prefix ? WineDrives(*prefix) : hw::DriveMap();
  std::error_code ec;
  const fs::path cwd = fs::current_path(ec);
  if (ec) return nullptr;
  const std::optional<std::string> current = drives.WindowsPathOf(cwd);
  if (!current) return nullptr;
  return std::make_unique<hw::FileSystem>(std::move(drives), *current);
}

}  // namespace hwconvert
