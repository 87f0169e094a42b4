#include "platform/file_system.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <tuple>
#include <utility>

#include "platform/host.h"
#include "platform/run_error.h"
#include "platform/text.h"

namespace hw {

namespace fs = std::filesystem;

namespace {

constexpr int64_t kMaxFilePosition = std::numeric_limits<int32_t>::max();

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A name may not hold these characters (nor control characters) on Windows.
bool IsIllegalNameChar(char c, bool wildcards_allowed) {
  if (static_cast<unsigned char>(c) < 0x20) return true;
  switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
      return true;
    case '?':
    case '*':
      return !wildcards_allowed;
    default:
      return false;
  }
}

// Windows drops trailing dots and blanks of a name.
std::string StripTrailingDotsAndBlanks(std::string_view name) {
  size_t n = name.size();
  while (n > 0 && (name[n - 1] == '.' || name[n - 1] == ' ')) --n;
  return std::string(name.substr(0, n));
}

// Windows opens a device for these names, with or without an extension, in any folder; no run
// may ever open one, on either host. The console's own two names and the ports numbered with
// superscript digits are devices too, so they are refused as well.
bool IsDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  const std::string upper = Upper1252(base);
  static constexpr std::array<std::string_view, 6> kNamed = {"CON", "PRN",    "AUX",
                                                             "NUL", "CONIN$", "CONOUT$"};
  if (std::find(kNamed.begin(), kNamed.end(), upper) != kNamed.end()) return true;
  if (upper.size() != 4 || !(upper.starts_with("COM") || upper.starts_with("LPT"))) return false;
  const char digit = upper[3];
  return (digit >= '1' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3';
}

// A Windows path taken apart: drive letter and the names below the drive's root.
struct WinPath {
  char drive = 'C';
  std::vector<std::string> names;
};

std::string Join(const WinPath& p) {
  std::string s{p.drive, ':', '\\'};
  for (size_t i = 0; i < p.names.size(); ++i) {
    if (i) s += '\\';
    s += p.names[i];
  }
  return s;
}

// Parses `path` against the current folder. "." and ".." are resolved in the text; a NUL ends
// the path. With `keep_last` the last name is returned raw in `last` (a listing pattern).
WinPath Parse(std::string_view path, const WinPath& current, std::string* last = nullptr) {
  if (size_t nul = path.find('\0'); nul != std::string_view::npos) path = path.substr(0, nul);
  WinPath out = current;
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    char drive = static_cast<char>(path[0] & ~0x20);
    path.remove_prefix(2);
    if (drive != current.drive || (!path.empty() && IsSeparator(path[0]))) out.names.clear();
    out.drive = drive;
  } else if (!path.empty() && IsSeparator(path[0])) {
    out.names.clear();
  }
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  if (last != nullptr) {
    *last = parts.empty() ? std::string() : std::string(parts.back());
    if (!parts.empty()) parts.pop_back();
  }
  for (std::string_view part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      if (!out.names.empty()) out.names.pop_back();
      continue;
    }
    std::string name = StripTrailingDotsAndBlanks(part);
    if (name.empty()) continue;
    for (char c : name) {
      if (IsIllegalNameChar(c, false)) throw RunError(kBadFileNameOrNumber);
    }
    if (IsDeviceName(name)) throw RunError(kBadFileNameOrNumber);
    out.names.push_back(std::move(name));
  }
  return out;
}

// Windows wildcard match without regard to case: '*' any run, '?' any one character.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || UpperChar1252(pattern[p]) == UpperChar1252(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// A pattern ending in "." names only names without an extension ("hwver4." is hwver4); the
// names are matched against the pattern without those dots.
std::string_view PatternStem(std::string_view pattern) {
  while (!pattern.empty() && pattern.back() == '.') pattern.remove_suffix(1);
  return pattern;
}

bool PatternMatches(std::string_view pattern, std::string_view name) {
  if (!pattern.empty() && pattern.back() == '.' && name.find('.') != std::string_view::npos) {
    return false;
  }
  return WildcardMatch(PatternStem(pattern), name);
}

// The entries of a map keyed by (upper-cased name, name) whose upper-cased name is `upper`,
// in listing order.
template <class Map>
auto UpperRange(Map& map, const std::string& upper) {
  auto first = map.lower_bound({upper, std::string()});
  auto last = first;
  while (last != map.end() && last->first.first == upper) ++last;
  return std::pair(first, last);
}

// The byte position of a record; 63 when the record would lie beyond 2 GiB.
int64_t RecordPosition(int64_t record, int32_t record_length, size_t size) {
  const int64_t last_start = kMaxFilePosition - static_cast<int64_t>(size);
  if (record < 1 || record - 1 > last_start / record_length) throw RunError(kBadRecordNumber);
  return (record - 1) * record_length;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// DriveMap

void DriveMap::Map(char letter, const fs::path& host_folder) {
  fs::path root = host::RealPath(fs::absolute(host_folder));
  // A folder not made yet keeps a trailing separator, which would count as one more name.
  if (!root.has_filename() && root.has_relative_path()) root = root.parent_path();
  roots_[static_cast<char>(letter & ~0x20)] = root;
}

std::optional<fs::path> DriveMap::HostRoot(char letter) const {
  letter = static_cast<char>(letter & ~0x20);
  if (auto it = roots_.find(letter); it != roots_.end()) return it->second;
  return host::DefaultRoot(letter);
}

std::optional<std::string> DriveMap::WindowsPathOf(const fs::path& host) const {
  const fs::path target = host::RealPath(fs::absolute(host));
  std::optional<char> best;
  size_t best_depth = 0;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::optional<fs::path> root = HostRoot(letter);
    if (!root || !host::Within(target, *root)) continue;
    size_t depth = static_cast<size_t>(std::distance(root->begin(), root->end()));
    if (!best || depth > best_depth) {
      best = letter;
      best_depth = depth;
    }
  }
  if (!best) return std::nullopt;
  std::string out{*best, ':', '\\'};
  // The names below the root, which Within() matched by the host's rule.
  auto part = target.begin();
  std::advance(part, static_cast<std::ptrdiff_t>(best_depth));
  bool first = true;
  for (; part != target.end(); ++part) {
    if (part->empty() || *part == ".") continue;
    std::optional<std::string> name = host::NameOf(*part);
    if (!name) return std::nullopt;
    if (!first) out += '\\';
    out += *name;
    first = false;
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// FileSystem

// Every number open on one host file shares its version, so that a block one number read
// ahead is read again once another number's writes reached the disk.
struct FileSystem::SharedFile {
  std::filesystem::path key;  // where the file really lies
  uint64_t version = 0;
  std::vector<OpenFile*> numbers;
};

struct FileSystem::OpenFile {
  enum class Mode { kOutput, kInput, kRandom };
  OpenFile(host::File opened, Mode m, bool w, int32_t length, std::string name)
      : file(std::move(opened)),
        mode(m),
        writable(w),
        record_length(length),
        last_name(std::move(name)) {}
  ~OpenFile() {
    if (shared) std::erase(shared->numbers, this);
  }
  host::File file;
  Mode mode = Mode::kInput;
  bool writable = false;
  int32_t record_length = 0;
  std::string last_name;  // for injected faults
  std::shared_ptr<SharedFile> shared;
  std::optional<BlockCache> cache;
};

FileSystem::FileSystem(DriveMap drives, std::string current_folder) : drives_(std::move(drives)) {
  WinPath root;
  current_ = Join(Parse(current_folder, root));
  files_.resize(kMaxFileNumber + 1);
}

FileSystem::~FileSystem() {
  // The program's end, a fatal one too, leaves on disk what the program wrote.
  for (auto& f : files_) {
    try {
      if (f) f->cache->Flush();
    } catch (const RunError&) {
      // Nobody is left to tell.
    }
  }
}

const FileSystem::FolderIndex& FileSystem::Index(const fs::path& folder) const {
  const std::optional<int64_t> stamp = host::FolderStamp(folder);
  FolderIndex& index = folders_[folder.native().empty() ? std::string() : folder.string()];
  if (index.stamp && index.stamp == stamp) return index;
  // The stamp is taken before the listing: a change while listing shows as a new stamp. A
  // change within the host clock's step after the listing keeps the stamp; only the program
  // itself changes the new data folder while it runs, and it keeps the index up to date.
  index.stamp = stamp;
  index.entries.clear();
  for (host::Entry& e : host::List(folder)) {
    if (IsDeviceName(e.name)) continue;
    std::pair<std::string, std::string> key{Upper1252(e.name), e.name};
    index.entries.emplace(std::move(key), std::move(e));
  }
  return index;
}

std::optional<fs::path> FileSystem::FindName(const fs::path& folder,
                                             const std::string& name) const {
  // The stamp is taken before the lookup, as for a listing.
  const std::optional<int64_t> stamp = host::FolderStamp(folder);
  FolderNames& names = names_[folder.string()];
  if (!stamp || names.stamp != stamp) {
    names.stamp = stamp;
    names.found.clear();
  }
  auto [it, added] = names.found.try_emplace({Upper1252(name), name});
  if (added) it->second = host::Find(folder / host::PathOf(name));
  return it->second;
}

const FileSystem::Resolved& FileSystem::Resolve(const std::string& path) const {
  WinPath base;
  const WinPath cur = Parse(current_, base);
  const WinPath p = Parse(path, cur);
  std::string win = Join(p);
  std::optional<fs::path> root = drives_.HostRoot(p.drive);
  if (auto it = paths_.find(win); it != paths_.end()) {
    const Resolved& cached = it->second;
    if (!root || host::FolderStamp(cached.host.parent_path()) == cached.parent_stamp) return cached;
  }
  Resolved r;
  r.win = win;
  r.last_name = p.names.empty() ? std::string() : p.names.back();
  if (root) {
    fs::path host = *root;
    bool exists = true;
    for (size_t i = 0; i < p.names.size(); ++i) {
      if (i + 1 == p.names.size())
        r.parent_exists = exists && host::Stat(host) == host::Kind::kFolder;
      const std::string& name = p.names[i];
      fs::path exact = host / host::PathOf(name);
      std::optional<fs::path> found = exists ? FindName(host, name) : std::nullopt;
      if (found) {
        exact = *found;
      } else if (exists) {
        // The first variant in listing order.
        const auto& entries = Index(host).entries;
        const auto [variant, none] = UpperRange(entries, Upper1252(name));
        exists = variant != none;
        if (exists) exact = variant->second.path;
      }
      r.exact = r.exact && found.has_value();
      host = exact;
    }
    if (p.names.empty()) r.parent_exists = true;
    r.exists = exists;
    r.host = host;
    r.parent_stamp = host::FolderStamp(host.parent_path());
  }
  if (!r.exact) inexact_paths_.push_back(win);
  return paths_.insert_or_assign(std::move(win), std::move(r)).first->second;
}

fs::path FileSystem::HostPath(const std::string& path) const { return Resolve(path).host; }

void FileSystem::SetNewDataFolder(const std::string& path) {
  const Resolved& r = Resolve(path);
  if (r.host.empty()) {
    new_data_root_.reset();
  } else {
    new_data_root_ = host::RealPath(r.host);
  }
  paths_.clear();  // the write guard's verdicts
  inexact_paths_.clear();
}

void FileSystem::SetPriorFolder(const std::string& path) {
  const Resolved& r = Resolve(path);
  if (r.host.empty()) {
    prior_root_.reset();
  } else {
    prior_root_ = host::RealPath(r.host);
  }
  paths_.clear();
  inexact_paths_.clear();
}

const fs::path& FileSystem::RealPathOf(const Resolved& r) const {
  if (!r.real) r.real = host::RealPath(r.host);
  return *r.real;
}

void FileSystem::CheckWritable(const Resolved& r) const {
  if (!r.writable) {
    bool ok = !r.host.empty() && new_data_root_.has_value();
    if (ok) {
      const fs::path& target = RealPathOf(r);
      ok = !target.empty() && host::Within(target, *new_data_root_) &&
           !host::Within(*new_data_root_, target) &&
           !(prior_root_ && host::Within(target, *prior_root_));
    }
    r.writable = ok;
  }
  if (!*r.writable) throw RunError(kPathFileAccessError);
}

void FileSystem::Created(const fs::path& host, bool folder) {
  // Names resolved before may now name what was made (in another case, or below it).
  for (const std::string& win : inexact_paths_) paths_.erase(win);
  inexact_paths_.clear();
  const fs::path parent = host.parent_path();
  std::optional<std::string> name = host::NameOf(host.filename());
  const std::optional<int64_t> stamp = host::FolderStamp(parent);
  // The names looked up there stay as they were, but those the new name may now answer.
  if (auto it = names_.find(parent.string()); it != names_.end()) {
    if (!name || !it->second.stamp || !stamp) {
      names_.erase(it);
    } else {
      const auto [first, last] = UpperRange(it->second.found, Upper1252(*name));
      it->second.found.erase(first, last);
      it->second.stamp = stamp;
    }
  }
  auto it = folders_.find(parent.string());
  if (it == folders_.end()) return;
  FolderIndex& index = it->second;
  if (!name || !index.stamp || !stamp) {
    folders_.erase(it);
    return;
  }
  index.entries.insert_or_assign(
      {Upper1252(*name), *name},
      host::Entry{*name, host, folder ? host::Kind::kFolder : host::Kind::kFile});
  index.stamp = stamp;
}

void FileSystem::Inject(FaultOp op, const std::string& last_name) {
  if (faults_ == nullptr) return;
  if (int err = faults_->Take(op, last_name); err != 0) throw RunError(err);
}

void FileSystem::ChangeFolder(const std::string& path) {
  const Resolved& r = Resolve(path);
  if (r.host.empty() || host::Stat(r.host) != host::Kind::kFolder) throw RunError(kPathNotFound);
  current_ = r.win;
}

void FileSystem::MakeFolder(const std::string& path) {
  const Resolved& r = Resolve(path);
  if (r.last_name.empty()) throw RunError(kPathFileAccessError);
  if (!r.host.empty() && r.exists) throw RunError(kPathFileAccessError);
  if (!r.host.empty() && !r.parent_exists) throw RunError(kPathNotFound);
  CheckWritable(r);
  Inject(FaultOp::kMkdir, r.last_name);
  const fs::path made = r.host;
  host::MakeFolder(made);
  Created(made, true);
}

std::vector<std::string> FileSystem::List(const std::string& pattern, ListFilter filter) {
  WinPath base;
  const WinPath cur = Parse(current_, base);
  std::string last;
  WinPath folder = Parse(pattern, cur, &last);
  std::vector<std::string> out;
  std::optional<fs::path> root = drives_.HostRoot(folder.drive);
  if (!root) return out;
  // Resolve the folder through the same case rules as a file path.
  const fs::path host = Resolve(Join(folder)).host;
  if (host::Stat(host) != host::Kind::kFolder) return out;
  if (last == ".") {
    out.push_back(".");
    return out;
  }
  // A pattern without wildcards can only match the names equal to its stem in upper case: they
  // are looked up rather than every name of the folder matched.
  const auto& entries = Index(host).entries;
  auto first = entries.begin();
  auto end = entries.end();
  if (last.find_first_of("*?") == std::string::npos) {
    std::tie(first, end) = UpperRange(entries, Upper1252(PatternStem(last)));
  }
  for (auto it = first; it != end; ++it) {
    const host::Entry& e = it->second;
    if (!PatternMatches(last, e.name)) continue;
    if (e.kind == host::Kind::kFile ||
        (filter == ListFilter::kFilesAndFolders && e.kind == host::Kind::kFolder)) {
      out.push_back(e.name);
    }
  }
  return out;
}

int FileSystem::FreeFile() const {
  for (int n = 1; n <= kMaxFileNumber; ++n) {
    if (!files_[n]) return n;
  }
  throw RunError(kTooManyFiles);
}

bool FileSystem::IsOpen(int number) const {
  return number >= 1 && number <= kMaxFileNumber && files_[number] != nullptr;
}

FileSystem::OpenFile& FileSystem::Open(int number) {
  if (!IsOpen(number)) throw RunError(kBadFileNameOrNumber);
  return *files_[number];
}

fs::path FileSystem::KeyOf(const Resolved& r) const {
  fs::path key = RealPathOf(r).empty() ? r.host : RealPathOf(r);
  // A name not made yet may keep a trailing separator.
  if (!key.has_filename() && key.has_relative_path()) key = key.parent_path();
  return key;
}

void FileSystem::Attach(int number, std::unique_ptr<OpenFile> file, fs::path key) {
  for (const auto& other : files_) {
    // The same file under names that differ in case where the host ignores it.
    if (other && host::Within(other->shared->key, key) && host::Within(key, other->shared->key)) {
      file->shared = other->shared;
    }
  }
  if (!file->shared) file->shared = std::make_shared<SharedFile>(SharedFile{std::move(key), 0, {}});
  // Opening may have emptied or made the file: what the others read ahead is old.
  ++file->shared->version;
  file->shared->numbers.push_back(file.get());
  file->cache.emplace(file->file, file->shared->version, buffers_);
  files_[number] = std::move(file);
}

void FileSystem::OpenOutput(int number, const std::string& path) {
  if (number < 1 || number > kMaxFileNumber) throw RunError(kBadFileNameOrNumber);
  if (files_[number]) throw RunError(kFileAlreadyOpen);
  const Resolved& r = Resolve(path);
  if (r.host.empty()) throw RunError(kPathFileAccessError);
  Inject(FaultOp::kOpen, r.last_name);
  if (!r.parent_exists) throw RunError(kPathNotFound);
  CheckWritable(r);
  const fs::path target = r.host;
  fs::path key = KeyOf(r);
  const bool existed = r.exists;
  auto file = std::make_unique<OpenFile>(host::File::Open(target, host::OpenMode::kReplace),
                                         OpenFile::Mode::kOutput, true, 0, r.last_name);
  if (!existed) Created(target, false);
  Attach(number, std::move(file), std::move(key));
}

void FileSystem::OpenInput(int number, const std::string& path) {
  OpenRandom(number, path, 1, Access::kReadOnly);
  files_[number]->mode = OpenFile::Mode::kInput;
}

void FileSystem::OpenRandom(int number, const std::string& path, int32_t record_length,
                            Access access) {
  if (number < 1 || number > kMaxFileNumber) throw RunError(kBadFileNameOrNumber);
  if (files_[number]) throw RunError(kFileAlreadyOpen);
  if (record_length < 1 || record_length > 32767) throw RunError(kBadRecordLength);
  const Resolved& r = Resolve(path);
  const bool write = access == Access::kReadWrite;
  // A drive that is not mapped has no files to read and refuses writes like any other outside.
  if (r.host.empty()) throw RunError(write ? kPathFileAccessError : kPathNotFound);
  Inject(FaultOp::kOpen, r.last_name);
  if (write) CheckWritable(r);
  const fs::path target = r.host;
  fs::path key = KeyOf(r);
  const bool existed = !write || r.exists;
  auto file = std::make_unique<OpenFile>(
      host::File::Open(target, write ? host::OpenMode::kReadWrite : host::OpenMode::kRead),
      OpenFile::Mode::kRandom, write, record_length, r.last_name);
  if (!existed) Created(target, false);
  Attach(number, std::move(file), std::move(key));
}

void FileSystem::WriteLine(int number, std::string_view line) {
  OpenFile& f = Open(number);
  if (f.mode != OpenFile::Mode::kOutput) throw RunError(kBadFileMode);
  Inject(FaultOp::kWrite, f.last_name);
  std::string text(line);
  text += "\r\n";
  f.file.Append(text);
  ++f.shared->version;
}

void FileSystem::FlushOverlapping(OpenFile& f, int64_t position, size_t size) {
  for (OpenFile* other : f.shared->numbers) {
    if (other->cache->PendingOverlaps(position, size)) other->cache->Flush();
  }
}

std::span<const std::byte> FileSystem::ReadRecordBytes(int number, int64_t record, size_t size) {
  OpenFile& f = Open(number);
  if (f.mode != OpenFile::Mode::kRandom) throw RunError(kBadFileMode);
  if (static_cast<int64_t>(size) > f.record_length) throw RunError(kBadRecordLength);
  const int64_t pos = RecordPosition(record, f.record_length, size);
  Inject(FaultOp::kRead, f.last_name);
  // Zeros start where the file ends now: another number may have extended it.
  FlushOverlapping(f, pos, size);
  return f.cache->Read(pos, size);
}

std::span<std::byte> FileSystem::RecordToWrite(int number, int64_t record, size_t size) {
  OpenFile& f = Open(number);
  if (f.mode != OpenFile::Mode::kRandom) throw RunError(kBadFileMode);
  if (!f.writable) throw RunError(kPathFileAccessError);
  if (static_cast<int64_t>(size) > f.record_length) throw RunError(kBadRecordLength);
  const int64_t pos = RecordPosition(record, f.record_length, size);
  Inject(FaultOp::kWrite, f.last_name);
  // Writes of other numbers to the same bytes land first, so that the last one written wins.
  for (OpenFile* other : f.shared->numbers) {
    if (other != &f && other->cache->PendingOverlaps(pos, size)) other->cache->Flush();
  }
  return f.cache->Write(pos, size);
}

void FileSystem::GetRecord(int number, int64_t record, std::span<std::byte> out) {
  const std::span<const std::byte> bytes = ReadRecordBytes(number, record, out.size());
  std::memcpy(out.data(), bytes.data(), bytes.size());
}

void FileSystem::PutRecord(int number, int64_t record, std::span<const std::byte> in) {
  const std::span<std::byte> room = RecordToWrite(number, record, in.size());
  std::memcpy(room.data(), in.data(), in.size());
}

int64_t FileSystem::Length(int number) {
  OpenFile& f = Open(number);
  for (OpenFile* other : f.shared->numbers) other->cache->Flush();
  return f.file.Size();
}

void FileSystem::Flush() {
  for (auto& f : files_) {
    if (f) f->cache->Flush();
  }
}

void FileSystem::Close(int number) {
  if (number < 1 || number > kMaxFileNumber) throw RunError(kBadFileNameOrNumber);
  // As in the record-file runtime the system was written for, closing a number that is not
  // open does nothing; reading or writing it is still 52.
  std::unique_ptr<OpenFile> closing = std::move(files_[number]);
  if (closing) closing->cache->Flush();
}

void FileSystem::CloseAll() {
  for (int n = 1; n <= kMaxFileNumber; ++n) Close(n);
}

}  // namespace hw
