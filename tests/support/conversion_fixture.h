#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "conversion/conversion.h"
#include "fixtures/table_image.h"
#include "platform/fault_plan.h"
#include "platform/file_system.h"
#include "support/scripted_ui.h"

namespace hw::testing {

// One run's Conversion over a temporary machine: drive C: holds the prior installation
// "C:\HWVER4\", drive N: is the new data folder "N:\" and the current folder, the reference
// tables are filled and the log is open as file 31, as after start-up (before the analysis).
class ConversionFixture {
 public:
  ConversionFixture();
  ~ConversionFixture();
  ConversionFixture(const ConversionFixture&) = delete;
  ConversionFixture& operator=(const ConversionFixture&) = delete;

  // Host paths: under the prior installation folder, under the new data folder.
  std::filesystem::path Prior(const std::string& relative) const;
  std::filesystem::path New(const std::string& relative) const;
  // Makes the host folder (and its parents) of a prior or new relative path.
  void MakePriorFolder(const std::string& relative) const;
  void MakeNewFolder(const std::string& relative) const;

  // Writes a prior user list "Default.mst" with one user per folder (records 4 on).
  void WritePriorUsers(const std::vector<std::string>& windows_folders) const;

  // The log as written so far, one entry per line (without CR LF).
  std::vector<std::string> LogLines() const;
  // The whole content of a host file.
  std::vector<std::byte> ReadBytes(const std::filesystem::path& file) const;

  // Adds types to the list of collectible types as the analysis would (code upper case).
  void AddType(const std::string& code);

  std::filesystem::path root;    // the temporary folder
  std::filesystem::path c_root;  // host folder of drive C:
  std::filesystem::path n_root;  // host folder of drive N:, the new data folder
  ScriptedUi ui;
  FaultPlan faults;
  std::unique_ptr<FileSystem> fs;
  std::unique_ptr<Conversion> conv;
  Conversion& c() { return *conv; }
};

}  // namespace hw::testing
