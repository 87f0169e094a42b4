#include "tablestore/error_policy.h"

#include <string>

namespace hw {

namespace {

constexpr char kIllegalNameText[] = "That Name is illegal, you may only use A-Z,0-9,_, and &.";
constexpr char kUnexpectedFileText[] =
    "Unexpected file problem - consult troubleshooting section of User Manual or Help system.";
constexpr char kDiskErrorText[] = "Internal disk error.";
constexpr char kDiskFullText[] =
    "Disk Full - program will terminate, please provide at least .5MB of free disk space before "
    "running again.";
constexpr char kDeviceUnavailableText[] = "That device appears unavailable.";
constexpr char kInsertDiskText[] = "Insert a disk in the drive and close the door.";
constexpr char kPrinterErrorText[] = "Printer error";

// The Abort/Retry/Ignore question; Abort ends the program.
Recovery Ask(Runtime& rt, const char* text) {
  switch (rt.ui.MessageBox(text, Icon::kExclamation, Buttons::kAbortRetryIgnore, "Error")) {
    case Reply::kRetry:
      return Recovery::kRetry;
    case Reply::kIgnore:
      return Recovery::kIgnore;
    default:
      FatalError(rt);
  }
}

}  // namespace

Recovery ReportFileError(Runtime& rt, int32_t& number) {
  rt.last_error = number;
  ++rt.errors_reported;
  switch (number) {
    case kBadFileNameOrNumber:
    case kBadFileName:
      rt.ui.MessageBox(kIllegalNameText, Icon::kExclamation, Buttons::kOk, "Hoardwise");
      return Recovery::kIllegalName;
    case kFileNotFound:
    case kBadFileMode:
    case kFileAlreadyOpen:
    case kFileAlreadyExists:
    case kInputPastEnd:
    case kPathFileAccessError:
    case kPathNotFound:
      return Ask(rt, kUnexpectedFileText);
    case kDeviceIoError:
      return Ask(rt, kDiskErrorText);
    case kDiskFull:
      rt.ui.MessageBox(kDiskFullText, Icon::kNone, Buttons::kOk, kTitle);
      FatalError(rt);
    case kDeviceUnavailable:
      return Ask(rt, kDeviceUnavailableText);
    case kDiskNotReady:
      return Ask(rt, kInsertDiskText);
    case kPrinterError:
      return Ask(rt, kPrinterErrorText);
    default:
      FatalError(rt);
  }
}

void FatalError(Runtime& rt) {
  rt.ui.MessageBox("An unexpected error condition (" + std::to_string(rt.last_error) +
                       ") has occurred, program will terminate, please try again and if you "
                       "still encounter difficulty consult the troubleshooting section of the "
                       "Manual or Help system",
                   Icon::kExclamation, Buttons::kOk, kTitle);
  throw ProgramEnd{};
}

}  // namespace hw
