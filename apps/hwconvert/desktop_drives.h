#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/file_system.h"

// The machine as the desktop window sees it: drive letters from the desktop's Wine prefix and
// the current folder of the process as a Windows path.
namespace hwconvert {

// The desktop's Wine prefix: $WINEPREFIX when set, else ~/.wine; nothing when it is not a
// folder.
std::optional<std::filesystem::path> WinePrefix();

// The drives of a Wine prefix: every link "x:" in its "dosdevices" folder maps the letter to
// the folder it points at (other entries, such as the devices "c::", are skipped).
hw::DriveMap WineDrives(const std::filesystem::path& prefix);

// The file system of a run of the window: the Wine prefix's drives when there is a prefix,
// otherwise no mapping at all (Z: is then the host root, so the standard places of a prior
// installation hold nothing); the current folder is the process's, as a Windows path. Nothing
// when that folder cannot be written as a Windows path.
std::unique_ptr<hw::FileSystem> DesktopFileSystem();

}  // namespace hwconvert
