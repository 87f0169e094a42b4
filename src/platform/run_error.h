#pragma once

#include <stdexcept>
#include <string>

namespace hw {

// Run-time error numbers of the system. I/O faults are reported only as RunError.
enum ErrorNumber : int {
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kBadFileNameOrNumber = 52,
  kFileNotFound = 53,
  kBadFileMode = 54,
  kFileAlreadyOpen = 55,
  kDeviceIoError = 57,
  kFileAlreadyExists = 58,
  kBadRecordLength = 59,
  kDiskFull = 61,
  kInputPastEnd = 62,
  kBadRecordNumber = 63,
  kBadFileName = 64,
  kTooManyFiles = 67,
  kDeviceUnavailable = 68,
  kDiskNotReady = 71,
  kPathFileAccessError = 75,
  kPathNotFound = 76,
  kPrinterError = 482,
};

struct RunError : std::runtime_error {
  explicit RunError(int n) : std::runtime_error("run-time error " + std::to_string(n)), number(n) {}
  int number;
};

}  // namespace hw
