#include "support/temp_folder.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace hw::testing {

namespace fs = std::filesystem;

// create_directory() answers false for a name that exists, so a fresh name is found without
// racing other test processes.
TempFolder::TempFolder() {
  std::random_device random;
  do {
    path_ = fs::temp_directory_path() / ("hwconvert-test-" + std::to_string(random()));
  } while (!fs::create_directory(path_));
  path_ = fs::canonical(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void WriteBytes(const fs::path& file, std::span<const std::byte> bytes) {
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

void WriteBytes(const fs::path& file, std::string_view bytes) { WriteBytes(file, Bytes(bytes)); }

std::vector<std::byte> ReadBytes(const fs::path& file) {
  if (!std::ifstream(file)) throw std::runtime_error("cannot read " + file.string());
  return Bytes(ReadText(file));
}

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::map<std::string, std::string> Snapshot(const fs::path& root, const fs::path& excluded,
                                            bool times) {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
    if (it->path() == excluded) {
      it.disable_recursion_pending();
      continue;
    }
    std::string& entry = entries[fs::relative(it->path(), root).string()];
    if (it->is_symlink()) {
      entry = "link " + fs::read_symlink(it->path()).string();
    } else if (it->is_directory()) {
      entry = "folder";
    } else {
      entry = "file " + std::to_string(it->file_size()) + " " +
              std::to_string(std::hash<std::string>{}(ReadText(it->path())));
      if (times) {
        entry.append(" ").append(std::to_string(it->last_write_time().time_since_epoch().count()));
      }
    }
  }
  return entries;
}

std::vector<std::byte> Bytes(std::string_view text) {
  const auto bytes = std::as_bytes(std::span(text.data(), text.size()));
  return std::vector<std::byte>(bytes.begin(), bytes.end());
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  for (size_t at; (at = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(at + 2)) {
    lines.emplace_back(text.substr(0, at));
  }
  return lines;
}

std::string LittleEndian(int64_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

int64_t IntAt(std::string_view bytes, size_t offset, int size) {
  int64_t v = static_cast<int8_t>(bytes.at(offset + size - 1));  // the sign's byte
  for (int i = size - 2; i >= 0; --i) v = v * 256 + static_cast<uint8_t>(bytes.at(offset + i));
  return v;
}

int WriteError(FileSystem& fs, const std::string& folder) {
  const int output = ErrorOf([&] { fs.OpenOutput(1, folder + "\\out.txt"); });
  const int random =
      ErrorOf([&] { fs.OpenRandom(2, folder + "\\rnd.dat", 4, Access::kReadWrite); });
  const int mkdir = ErrorOf([&] { fs.MakeFolder(folder + "\\Made"); });
  fs.CloseAll();
  return output == random && random == mkdir ? output : -1;
}

DriveMap TestDrives(const fs::path& c_root, const fs::path& n_root) {
  fs::create_directories(c_root);
  fs::create_directories(n_root);
  DriveMap drives;
  drives.Map('C', c_root);
  drives.Map('N', n_root);
  return drives;
}

void SetTestFolders(FileSystem& fs, Runtime& rt) {
  fs.SetNewDataFolder(rt.new_data_folder = "N:\\");
  fs.SetPriorFolder(rt.prior_folder = "C:\\HWVER4\\");
}

RuntimeFixture::RuntimeFixture() { SetTestFolders(fs, rt); }

}  // namespace hw::testing
