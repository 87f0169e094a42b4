#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The calls that touch the host machine, and nothing else: everything about Windows paths,
// listing order, file numbers and the write-safety decision sits above this, shared by both
// hosts. One backend is built per target (POSIX or Win32). Every failure is a RunError with the
// system's own error number.
namespace hw::host {

using Path = std::filesystem::path;

enum class Kind { kMissing, kFile, kFolder, kOther };
enum class OpenMode {
  kRead,       // existing file, read only
  kReadWrite,  // created when missing
  kReplace,    // created or emptied, write only
};

struct Entry {
  std::string name;  // Windows-1252
  Path path;
  Kind kind;  // links followed
};

// The entries of `folder` in the host's order, without "." and ".."; names that Windows-1252
// cannot write are left out. Empty when the folder cannot be listed.
std::vector<Entry> List(const Path& folder);
Kind Stat(const Path& p);  // links followed
// `p` with its last name as the host stores it (case, long form), or nothing when no such name
// exists. A link whose target is missing exists.
std::optional<Path> Find(const Path& p);
// When the folder `p` last changed (an entry made, removed or renamed), or nothing when it is
// not a folder: a listing taken after the stamp stays exact while the stamp stays the same.
std::optional<int64_t> FolderStamp(const Path& p);
void MakeFolder(const Path& p);

// Where a write to `p` lands: links, junctions and short names of the existing part resolved
// (a link to a missing target is followed too, since writing would create that target), the
// rest kept. Empty when a link cannot be followed.
Path RealPath(const Path& p);
// Whether `p` is `root` or lies below it, whole names compared by the host's rule.
bool Within(const Path& p, const Path& root);
// The host folder of a drive letter (upper case) that no mapping names, if the host has one.
std::optional<Path> DefaultRoot(char letter);

// A host name and back. The system's names are Windows-1252; the host's are UTF-8 (POSIX) or
// UTF-16 (Win32).
Path PathOf(std::string_view win1252);
std::optional<std::string> NameOf(const Path& name);

// An open host file. Reads and writes are positioned, so a cache of blocks can sit above.
class File {
 public:
  // Refuses (75) anything that is not a plain file.
  static File Open(const Path& p, OpenMode mode);
  File(File&& other) noexcept;
  File& operator=(File&&) = delete;
  File(const File&) = delete;
  ~File();

  // Bytes read at `position`: fewer than asked only at the end of the file.
  size_t ReadAt(int64_t position, std::span<std::byte> out);
  void WriteAt(int64_t position, std::span<const std::byte> in);
  void Append(std::string_view bytes);
  int64_t Size();

 private:
  explicit File(intptr_t handle) : handle_(handle) {}
  intptr_t handle_;  // a file descriptor or a HANDLE; -1 when closed
};

}  // namespace hw::host
