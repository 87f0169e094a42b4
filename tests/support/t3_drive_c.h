#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "platform/file_system.h"
#include "support/temp_folder.h"

namespace hw::testing {

// A map of one drive letter to a host folder.
inline DriveMap Mapped(char letter, const std::filesystem::path& host_folder) {
  DriveMap drives;
  drives.Map(letter, host_folder);
  return drives;
}

// Drive C: is the fresh host folder `c_`; the new data folder is C:\Data (also the current
// folder) and the prior installation C:\HWVER4.
class DriveCTest : public ::testing::Test {
 protected:
  DriveCTest() {
    std::filesystem::create_directories(data_);
    fs_.SetNewDataFolder("C:\\Data\\");
    fs_.SetPriorFolder("C:\\HWVER4\\");
  }
  // `size` bytes of record `record` of file `number`.
  std::string Record(int number, int64_t record, size_t size) {
    std::string out(size, '\xEE');
    fs_.GetRecord(number, record, std::as_writable_bytes(std::span(out)));
    return out;
  }

  TempFolder tmp_;
  std::filesystem::path c_ = tmp_.path() / "c";
  std::filesystem::path data_ = c_ / "Data";
  FileSystem fs_{Mapped('C', c_), "C:\\Data"};
};

}  // namespace hw::testing
