#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/block_cache.h"
#include "platform/fault_plan.h"
#include "platform/host.h"

// The machine as the system sees it: Windows paths mapped onto host folders, a current folder
// of its own, folder listings in one stable order, and files held under file numbers.
namespace hw {

// Which host folder stands for each drive letter. An unmapped drive is the host's own: on
// Windows the real drive; on POSIX Z: is the host root and any other unmapped drive is an
// empty root that holds nothing and accepts nothing.
class DriveMap {
 public:
  void Map(char letter, const std::filesystem::path& host_folder);
  // The host folder of `letter` (upper or lower case), or nothing for an unmapped drive.
  std::optional<std::filesystem::path> HostRoot(char letter) const;
  // The Windows form of a host folder: the drive whose host folder is the longest
  // whole-component prefix of it (the lowest letter on a tie), then the rest with "\".
  // Nothing when no drive covers it or a name cannot be written in Windows-1252.
  std::optional<std::string> WindowsPathOf(const std::filesystem::path& host) const;

 private:
  std::map<char, std::filesystem::path> roots_;  // upper-case letter -> canonical host folder
};

enum class ListFilter { kPlainFiles, kFilesAndFolders };
enum class Access { kReadOnly, kReadWrite };

class FileSystem {
 public:
  static constexpr int kMaxFileNumber = 255;

  explicit FileSystem(DriveMap drives, std::string current_folder);
  ~FileSystem();
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;

  // --- Folders (paths are Windows paths, relative ones to the current folder) ---
  // The current folder as a Windows path, "C:\" for a drive root, no trailing "\" otherwise.
  const std::string& CurrentFolder() const { return current_; }
  void ChangeFolder(const std::string& path);  // 76 when the folder does not exist
  void MakeFolder(const std::string& path);    // 75 when it exists (in any case), 76 no parent
  // Names (without folder) matching the last component of `pattern`, a Windows wildcard
  // ("*.cl4", "hwver4." for an empty extension; "folder\." answers "." when the folder
  // exists), sorted by the upper-cased name, then the raw name. A missing folder lists nothing.
  std::vector<std::string> List(const std::string& pattern, ListFilter filter);

  // --- Files under numbers ---
  int FreeFile() const;  // lowest number not open; 67 when none is free
  bool IsOpen(int number) const;
  void OpenOutput(int number, const std::string& path);  // sequential output, replacing
  void OpenInput(int number, const std::string& path);   // sequential input, 53 when missing
  // Random access with a record length (1 to 32767, else 59). Read-write creates a missing file.
  void OpenRandom(int number, const std::string& path, int32_t record_length, Access access);
  void WriteLine(int number, std::string_view line);  // the line and CR LF
  // Record n starts at (n - 1) * length. Bytes past the end of the file read as zeros; a
  // layout longer than the record length is 59; a position beyond 2 GiB is 63.
  void GetRecord(int number, int64_t record, std::span<std::byte> out);
  void PutRecord(int number, int64_t record, std::span<const std::byte> in);
  // The same without a copy: the record's bytes where they are cached, valid until the next
  // call; and the room where a record's bytes go, to be filled before the next call.
  std::span<const std::byte> ReadRecordBytes(int number, int64_t record, size_t size);
  std::span<std::byte> RecordToWrite(int number, int64_t record, size_t size);
  // The length in bytes of the file open under `number` (52 when it is not open).
  int64_t Length(int number);
  void Close(int number);  // nothing when the number is not open; 52 for no file number
  void CloseAll();
  // Records are read ahead and written behind in blocks; this puts every gathered write on
  // disk. Close does it for its own number, and so does the end of the FileSystem. A write the
  // host refuses (a full disk) raises its error in the call that put it on disk, and is lost.
  void Flush();

  // --- Safety: where writes may land ---
  // Every write (file or folder) must resolve, links followed, inside the new data folder and
  // outside the prior installation folder; anything else is 75.
  void SetNewDataFolder(const std::string& path);
  void SetPriorFolder(const std::string& path);

  // --- Mapping ---
  // The host path that a Windows path names now (existing names matched without regard to
  // case when the exact name is absent). 52 for an illegal name.
  std::filesystem::path HostPath(const std::string& path) const;
  const DriveMap& drives() const { return drives_; }

  void SetFaultPlan(FaultPlan* plan) { faults_ = plan; }

 private:
  struct OpenFile;
  struct SharedFile;
  // What a Windows path names, with the checks of a write to it once they were made.
  struct Resolved {
    std::filesystem::path host;  // empty when the drive is not mapped
    std::string win;             // normalized Windows path
    std::string last_name;       // last name component, Windows-1252
    bool parent_exists = false;
    bool exists = false;  // every name was found, in some case
    // Every name was found as it stands: no name the program makes later can change where the
    // path leads, while a missing name or one found in another case can come to name it.
    bool exact = true;
    std::optional<int64_t> parent_stamp;                // of the folder holding it, when resolved
    mutable std::optional<std::filesystem::path> real;  // where writes land
    mutable std::optional<bool> writable;               // the write guard's verdict
  };
  // The names of a host folder in listing order (upper-cased name, then raw name), as listed
  // while the folder's stamp was `stamp`, plus the names the program made there since.
  struct FolderIndex {
    std::optional<int64_t> stamp;
    std::map<std::pair<std::string, std::string>, host::Entry> entries;
  };
  // The names looked up in a host folder as the host stores them (nothing for a missing one),
  // by upper-cased name, then name, while the folder's stamp stays `stamp`.
  struct FolderNames {
    std::optional<int64_t> stamp;
    std::map<std::pair<std::string, std::string>, std::optional<std::filesystem::path>> found;
  };
  // What a path names, from the cache while the folder that holds it is unchanged.
  const Resolved& Resolve(const std::string& path) const;
  // `folder` / `name` as the host stores it, or nothing when it is missing.
  std::optional<std::filesystem::path> FindName(const std::filesystem::path& folder,
                                                const std::string& name) const;
  const FolderIndex& Index(const std::filesystem::path& folder) const;
  void CheckWritable(const Resolved& r) const;
  const std::filesystem::path& RealPathOf(const Resolved& r) const;
  std::filesystem::path KeyOf(const Resolved& r) const;  // where the file really lies
  // Keeps the caches exact after the program made a file or folder at `host`.
  void Created(const std::filesystem::path& host, bool folder);
  void Attach(int number, std::unique_ptr<OpenFile> file, std::filesystem::path key);
  // Flushes the writes gathered by any number on the same file that overlap the range.
  void FlushOverlapping(OpenFile& f, int64_t position, size_t size);
  OpenFile& Open(int number);
  void Inject(FaultOp op, const std::string& last_name);

  DriveMap drives_;
  std::string current_;
  BlockBuffers buffers_;  // outlives the files that use them
  std::vector<std::unique_ptr<OpenFile>> files_;
  mutable std::unordered_map<std::string, Resolved> paths_;       // by Windows path
  mutable std::vector<std::string> inexact_paths_;                // those not `exact`
  mutable std::unordered_map<std::string, FolderIndex> folders_;  // by host folder
  mutable std::unordered_map<std::string, FolderNames> names_;    // by host folder
  std::optional<std::filesystem::path> new_data_root_;
  std::optional<std::filesystem::path> prior_root_;
  FaultPlan* faults_ = nullptr;
};

}  // namespace hw
