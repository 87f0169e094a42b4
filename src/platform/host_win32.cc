// The Win32 host: real drives and folders through the wide-character API.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

#include "platform/host.h"
#include "platform/run_error.h"

namespace hw::host {

namespace {

int RunErrorOf(DWORD err) {
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
      return kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
      return kPathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
    case ERROR_CANT_ACCESS_FILE:
      return kPathFileAccessError;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return kBadFileName;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
      return kDiskFull;
    case ERROR_TOO_MANY_OPEN_FILES:
      return kTooManyFiles;
    case ERROR_DEV_NOT_EXIST:
      return kDeviceUnavailable;
    case ERROR_NOT_READY:
      return kDiskNotReady;
    default:
      return kDeviceIoError;
  }
}

bool Exists(const Path& p) { return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

[[noreturn]] void Fail() { throw RunError(RunErrorOf(GetLastError())); }

HANDLE HandleOf(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

// Opens `p` for its attributes only; folders and links are followed.
HANDLE OpenForQuery(const Path& p) {
  return CreateFileW(p.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

Kind KindOfAttributes(DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES) return Kind::kMissing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Kind::kFolder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return Kind::kOther;
  return Kind::kFile;
}

// "\\?\C:\x" is "C:\x" and "\\?\UNC\srv\x" is "\\srv\x": the spellings the final path uses.
Path Plain(std::wstring s) {
  if (s.starts_with(L"\\\\?\\UNC\\")) return Path(L"\\\\" + s.substr(8));
  if (s.starts_with(L"\\\\?\\")) return Path(s.substr(4));
  return Path(s);
}

// The final path of an existing name, or nothing when it cannot be opened.
std::optional<Path> FinalPath(const Path& p) {
  HANDLE h = OpenForQuery(p);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::wstring buffer(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  CloseHandle(h);
  if (n == 0 || n >= buffer.size()) return std::nullopt;
  buffer.resize(n);
  return Plain(std::move(buffer));
}

bool SameName(const Path& a, const Path& b) {
  const std::wstring& x = a.native();
  const std::wstring& y = b.native();
  return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                              static_cast<int>(y.size()), TRUE) == CSTR_EQUAL;
}

// Moves the file pointer to `position`, where the next ReadFile or WriteFile starts. Positioned
// calls go through the pointer rather than an OVERLAPPED offset: under Wine a call that carries
// an OVERLAPPED costs one more round trip to its server, and the tests run under Wine.
void Seek(HANDLE h, uint64_t position) {
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(position);
  if (!SetFilePointerEx(h, at, nullptr, FILE_BEGIN)) throw RunError(kDeviceIoError);
}

}  // namespace

std::vector<Entry> List(const Path& folder) {
  std::vector<Entry> out;
  WIN32_FIND_DATAW data;
  const Path pattern = folder / L"*";
  HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return out;
  do {
    const std::wstring_view raw = data.cFileName;
    if (raw == L"." || raw == L"..") continue;
    const Path path = folder / data.cFileName;
    std::optional<std::string> name = NameOf(Path(data.cFileName));
    if (!name) continue;
    const Kind kind = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                          ? Stat(path)
                          : KindOfAttributes(data.dwFileAttributes);
    out.push_back(Entry{std::move(*name), path, kind});
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return out;
}

Kind Stat(const Path& p) {
  const DWORD attributes = GetFileAttributesW(p.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return KindOfAttributes(attributes);
  }
  HANDLE h = OpenForQuery(p);
  if (h == INVALID_HANDLE_VALUE) return Kind::kMissing;
  BY_HANDLE_FILE_INFORMATION info;
  const bool ok = GetFileInformationByHandle(h, &info);
  CloseHandle(h);
  return ok ? KindOfAttributes(info.dwFileAttributes) : Kind::kMissing;
}

std::optional<Path> Find(const Path& p) {
  WIN32_FIND_DATAW data;
  HANDLE find =
      FindFirstFileExW(p.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(find);
  return p.parent_path() / data.cFileName;
}

std::optional<int64_t> FolderStamp(const Path& p) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(p.c_str(), GetFileExInfoStandard, &data) ||
      !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  return static_cast<int64_t>((uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                              data.ftLastWriteTime.dwLowDateTime);
}

void MakeFolder(const Path& p) {
  if (!CreateDirectoryW(p.c_str(), nullptr)) Fail();
}

Path RealPath(const Path& p) {
  Path existing = p.lexically_normal();
  Path rest;
  while (!Exists(existing)) {
    if (!existing.has_relative_path()) return p.lexically_normal();
    rest = existing.filename() / rest;
    existing = existing.parent_path();
  }
  std::optional<Path> real = FinalPath(existing);
  // A name that exists but cannot be opened is a link that leads nowhere.
  if (!real) return {};
  return rest.empty() ? *real : *real / rest;
}

bool Within(const Path& p, const Path& root) {
  auto pi = p.begin();
  for (auto ri = root.begin(); ri != root.end(); ++ri, ++pi) {
    if (pi == p.end() || !SameName(*pi, *ri)) return false;
  }
  return true;
}

std::optional<Path> DefaultRoot(char letter) {
  return Path(std::wstring{static_cast<wchar_t>(letter), L':', L'\\'});
}

File File::Open(const Path& p, OpenMode mode) {
  DWORD access = GENERIC_READ;
  DWORD disposition = OPEN_EXISTING;
  switch (mode) {
    case OpenMode::kRead:
      break;
    case OpenMode::kReadWrite:
      access = GENERIC_READ | GENERIC_WRITE;
      disposition = OPEN_ALWAYS;
      break;
    case OpenMode::kReplace:
      access = GENERIC_WRITE;
      disposition = CREATE_ALWAYS;
      break;
  }
  HANDLE h = CreateFileW(p.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) Fail();
  File file(reinterpret_cast<intptr_t>(h));
  if (GetFileType(h) != FILE_TYPE_DISK) throw RunError(kPathFileAccessError);
  return file;
}

File::File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = -1; }

File::~File() {
  if (handle_ != -1) CloseHandle(HandleOf(handle_));
}

size_t File::ReadAt(int64_t position, std::span<std::byte> out) {
  size_t done = 0;
  while (done < out.size()) {
    Seek(HandleOf(handle_), static_cast<uint64_t>(position) + done);
    DWORD n = 0;
    if (!ReadFile(HandleOf(handle_), out.data() + done, static_cast<DWORD>(out.size() - done), &n,
                  nullptr)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      throw RunError(kDeviceIoError);
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

void File::WriteAt(int64_t position, std::span<const std::byte> in) {
  size_t done = 0;
  while (done < in.size()) {
    Seek(HandleOf(handle_), static_cast<uint64_t>(position) + done);
    DWORD n = 0;
    if (!WriteFile(HandleOf(handle_), in.data() + done, static_cast<DWORD>(in.size() - done), &n,
                   nullptr)) {
      Fail();
    }
    done += n;
  }
}

void File::Append(std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    if (!WriteFile(HandleOf(handle_), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                   &n, nullptr)) {
      Fail();
    }
    done += n;
  }
}

int64_t File::Size() {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(HandleOf(handle_), &size)) throw RunError(kDeviceIoError);
  return size.QuadPart;
}

}  // namespace hw::host
