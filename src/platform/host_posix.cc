// The POSIX host: Windows drives are emulated over host folders (see DriveMap).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host.h"
#include "platform/run_error.h"

namespace hw::host {

namespace fs = std::filesystem;

namespace {

int RunErrorOf(int err, bool parent_exists) {
  switch (err) {
    case ENOENT:
      return parent_exists ? kFileNotFound : kPathNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EEXIST:
      return kPathFileAccessError;
    case ENAMETOOLONG:
      return kBadFileName;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kDiskFull;
    case EMFILE:
    case ENFILE:
      return kTooManyFiles;
    default:
      return kDeviceIoError;
  }
}

[[noreturn]] void Fail(const Path& p) {
  const int err = errno;
  std::error_code ec;
  throw RunError(RunErrorOf(err, fs::is_directory(p.parent_path(), ec)));
}

Kind KindOf(const fs::file_status& st) {
  if (fs::is_regular_file(st)) return Kind::kFile;
  if (fs::is_directory(st)) return Kind::kFolder;
  return fs::exists(st) ? Kind::kOther : Kind::kMissing;
}

Path Canonical(const Path& p) {
  std::error_code ec;
  Path c = fs::weakly_canonical(p, ec);
  return ec ? p.lexically_normal() : c;
}

}  // namespace

std::vector<Entry> List(const Path& folder) {
  std::vector<Entry> out;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return out;
  for (const fs::directory_entry& e : it) {
    std::optional<std::string> name = NameOf(e.path().filename());
    if (!name) continue;
    out.push_back(Entry{std::move(*name), e.path(), KindOf(e.status(ec))});
  }
  return out;
}

Kind Stat(const Path& p) {
  std::error_code ec;
  return KindOf(fs::status(p, ec));
}

std::optional<Path> Find(const Path& p) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(p, ec))) return std::nullopt;
  return p;
}

std::optional<int64_t> FolderStamp(const Path& p) {
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
}

void MakeFolder(const Path& p) {
  if (::mkdir(p.c_str(), 0755) != 0) Fail(p);
}

Path RealPath(const Path& p) {
  Path target = Canonical(p);
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(target, ec))) return target;
    const Path link = fs::read_symlink(target, ec);
    if (ec) return {};
    target = Canonical(target.parent_path() / link);
  }
  return {};
}

bool Within(const Path& p, const Path& root) {
  auto pi = p.begin();
  for (auto ri = root.begin(); ri != root.end(); ++ri, ++pi) {
    if (pi == p.end() || *pi != *ri) return false;
  }
  return true;
}

// Z: is the host root, as on a desktop with a Wine prefix; other drives exist only when mapped.
std::optional<Path> DefaultRoot(char letter) {
  if (letter == 'Z') return Path("/");
  return std::nullopt;
}

File File::Open(const Path& p, OpenMode mode) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::kRead:
      flags |= O_RDONLY;
      break;
    case OpenMode::kReadWrite:
      flags |= O_RDWR | O_CREAT;
      break;
    case OpenMode::kReplace:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
  }
  const int fd = ::open(p.c_str(), flags, 0644);
  if (fd < 0) Fail(p);
  File file(fd);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) throw RunError(kPathFileAccessError);
  return file;
}

File::File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = -1; }

File::~File() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

size_t File::ReadAt(int64_t position, std::span<std::byte> out) {
  size_t done = 0;
  while (done < out.size()) {
    const ssize_t n =
        ::pread(static_cast<int>(handle_), out.data() + done, out.size() - done, position + done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw RunError(kDeviceIoError);
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

void File::WriteAt(int64_t position, std::span<const std::byte> in) {
  size_t done = 0;
  while (done < in.size()) {
    const ssize_t n =
        ::pwrite(static_cast<int>(handle_), in.data() + done, in.size() - done, position + done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw RunError(RunErrorOf(errno, true));
    }
    done += static_cast<size_t>(n);
  }
}

void File::Append(std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(static_cast<int>(handle_), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw RunError(RunErrorOf(errno, true));
    }
    done += static_cast<size_t>(n);
  }
}

int64_t File::Size() {
  struct stat st {};
  if (::fstat(static_cast<int>(handle_), &st) != 0) throw RunError(kDeviceIoError);
  return st.st_size;
}

}  // namespace hw::host
