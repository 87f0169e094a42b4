#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/run_error.h"
#include "support/scripted_ui.h"
#include "tablestore/runtime.h"

// Files, bytes and folders for tests.
namespace hw::testing {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Whole files. WriteBytes replaces the file and creates missing parent folders; ReadBytes
// throws std::runtime_error when the file cannot be read; ReadText gives "" for a missing file.
void WriteBytes(const std::filesystem::path& file, std::span<const std::byte> bytes);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
std::vector<std::byte> ReadBytes(const std::filesystem::path& file);
std::string ReadText(const std::filesystem::path& file);

// Every entry under `root` except the subtree `excluded` (none when empty), by relative path:
// "folder", a link's target, or a file's size and content hash, with its modification time
// when `times` is set. Two equal snapshots mean nothing appeared, vanished or changed there.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root,
                                            const std::filesystem::path& excluded = {},
                                            bool times = false);

// Text (Windows-1252) as bytes, and bytes as text, for comparing with file contents.
std::vector<std::byte> Bytes(std::string_view text);
inline std::string_view AsText(std::span<const std::byte> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The lines of a text whose lines end in CR LF (an unfinished last line is left out).
std::vector<std::string> SplitLines(std::string_view text);

// Little-endian integers as the tables hold them: `size` bytes of `value`, and the signed
// number of `size` bytes at `offset`.
std::string LittleEndian(int64_t value, int size);
int64_t IntAt(std::string_view bytes, size_t offset, int size);
inline int64_t IntAt(std::span<const std::byte> bytes, size_t offset, int size) {
  return IntAt(AsText(bytes), offset, size);
}

// The run-time error an action raises, 0 when it succeeds.
template <typename Action>
int ErrorOf(Action&& action) {
  try {
    action();
  } catch (const RunError& e) {
    return e.number;
  }
  return 0;
}

// Drive C: at `c_root` and drive N: at `n_root`; the prior installation "C:\HWVER4\" and the
// new data folder "N:\" of a run and its file system.
DriveMap TestDrives(const std::filesystem::path& c_root, const std::filesystem::path& n_root);
void SetTestFolders(FileSystem& fs, Runtime& rt);

// Writes (OpenOutput, OpenRandom read-write, MakeFolder) against one folder: 0 when all three
// succeed, else the error that each raised when they agree, -1 when they disagree.
int WriteError(FileSystem& fs, const std::string& folder);

// One run of the system over two empty host folders:
//   C: is `c_root`, the drive of the prior installation "C:\HWVER4\" (not created here);
//   N: is `n_root`, the new data folder "N:\", which is also the current folder.
// Writes are allowed under N:\ only and never into C:\HWVER4\, as in a real run. The log is
// not open; a test of an operation that logs opens file 31 itself.
struct RuntimeFixture {
  RuntimeFixture();

  TempFolder temp;
  std::filesystem::path c_root = temp.path() / "c";
  std::filesystem::path n_root = temp.path() / "n";
  ScriptedUi ui;
  FileSystem fs{TestDrives(c_root, n_root), "N:\\"};
  Runtime rt{fs, ui};
};

}  // namespace hw::testing
