#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "support/scripted_ui.h"
#include "tablestore/runtime.h"

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

// Whole files as bytes. WriteBytes replaces the file and creates missing parent folders;
// ReadBytes throws std::runtime_error when the file cannot be read.
void WriteBytes(const std::filesystem::path& file, std::span<const std::byte> bytes);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
std::vector<std::byte> ReadBytes(const std::filesystem::path& file);

// Text (Windows-1252) as bytes, for comparing with file contents.
std::vector<std::byte> Bytes(std::string_view text);

// One run of the system over two empty host folders:
//   C: is `c_root`, the drive of the prior installation "C:\HWVER4\" (not created here);
//   N: is `n_root`, the new data folder "N:\", which is also the current folder.
// Writes are allowed under N:\ only and never into C:\HWVER4\, as in a real run. The log is
// not open; a test of an operation that logs opens file 31 itself.
struct RuntimeFixture {
  RuntimeFixture();

  TempFolder temp;
  std::filesystem::path c_root;
  std::filesystem::path n_root;
  ScriptedUi ui;
  FileSystem fs;
  Runtime rt;
};

}  // namespace hw::testing
