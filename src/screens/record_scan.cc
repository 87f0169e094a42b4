#include "screens/record_scan.h"

#include <filesystem>
#include <limits>
#include <system_error>

#include "platform/run_error.h"

namespace hw {

int64_t LastRecord(int16_t next_record) {
  if (next_record == std::numeric_limits<int16_t>::min()) throw RunError(kOverflow);
  return next_record - 1;
}

int64_t LastRecord(int32_t next_record) {
  if (next_record == std::numeric_limits<int32_t>::min()) throw RunError(kOverflow);
  return int64_t{next_record} - 1;
}

int64_t FirstRecordPastEnd(Runtime& rt, const std::string& path, int32_t number) {
  try {
    const int64_t length = rt.slots.New(number).record_length;
    if (length <= 0 || !rt.fs.IsOpen(number)) return kEndUnknown;
    std::error_code ec;
    const auto size = std::filesystem::file_size(rt.fs.HostPath(path), ec);
    if (ec) return kEndUnknown;
    return (static_cast<int64_t>(size) + length - 1) / length + 1;
  } catch (const RunError&) {
    // Only a shortcut is lost: the scan then reads every record.
    return kEndUnknown;
  }
}

}  // namespace hw
