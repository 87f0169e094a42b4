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
#include "support/temp_folder.h"

namespace hw::testing {

// One run's Conversion over a temporary machine: drive C: holds the prior installation
// "C:\HWVER4\", drive N: is the new data folder "N:\" and the current folder, the reference
// tables are filled and the log is open as file 31, as after start-up (before the analysis).
class ConversionFixture {
 public:
  ConversionFixture();

  // Host paths: under the prior installation folder, under the new data folder.
  std::filesystem::path Prior(const std::string& relative) const;
  std::filesystem::path New(const std::string& relative) const;
  // Makes the host folder (and its parents) of a prior or new relative path.
  void MakePriorFolder(const std::string& relative) const {
    std::filesystem::create_directories(Prior(relative));
  }
  void MakeNewFolder(const std::string& relative) const {
    std::filesystem::create_directories(New(relative));
  }

  // Writes a table of `records` from record `first` on at a relative path under the prior
  // installation or the new data folder, making its folder.
  template <class Record>
  void WritePrior(const std::string& relative, int16_t first,
                  const std::vector<Record>& records) const {
    Write(TableImage::Prior(Leaf(relative), Record::kSize, first), records, Prior(relative));
  }
  template <class Record>
  void WriteNew(const std::string& relative, int32_t first,
                const std::vector<Record>& records) const {
    Write(TableImage::New(Leaf(relative), Record::kSize, first), records, New(relative));
  }
  // NextRecord of a new table.
  int32_t NextRecordOf(const std::string& relative) const {
    return static_cast<int32_t>(IntAt(ReadText(New(relative)), 16, 4));
  }

  // Writes a prior user list "Default.mst" with one user per folder (records 4 on).
  void WritePriorUsers(const std::vector<std::string>& windows_folders) const;

  // The log as written so far, one entry per line (without CR LF).
  std::vector<std::string> LogLines() const { return SplitLines(ReadText(New(kLogName))); }

  // Adds types to the list of collectible types as the analysis would (code upper case).
  void AddType(const std::string& code);

  // Destroyed in reverse order: the run, then the file system (which leaves on disk what it
  // wrote), then the folder.
  TempFolder temp;
  std::filesystem::path c_root = temp.path() / "c";  // host folder of drive C:
  std::filesystem::path n_root = temp.path() / "n";  // host folder of drive N:, new data folder
  ScriptedUi ui;
  FaultPlan faults;
  std::unique_ptr<FileSystem> fs;
  std::unique_ptr<Conversion> conv;
  Conversion& c() { return *conv; }

 private:
  static std::string Leaf(const std::string& relative) {
    return relative.substr(relative.find_last_of("\\/") + 1);
  }
  template <class Record>
  static void Write(TableImage t, const std::vector<Record>& records,
                    const std::filesystem::path& file) {
    for (const Record& r : records) t.Append(r);
    WriteBytes(file, t.Bytes());
  }
  static constexpr char kLogName[] = "HoardwiseCLog.lst";
};

}  // namespace hw::testing
