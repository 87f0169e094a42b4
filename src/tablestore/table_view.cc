#include "tablestore/table_view.h"

#include <limits>

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

int64_t RecordsInFile(Runtime& rt, int32_t number, int32_t record_length) {
  if (record_length <= 0) return 0;
  return (rt.fs.Length(number) + record_length - 1) / record_length;
}

int64_t FirstRecordPastEnd(Runtime& rt, int32_t number) {
  try {
    const int32_t length = rt.slots.New(number).record_length;
    if (length <= 0 || !rt.fs.IsOpen(number)) return kEndUnknown;
    return RecordsInFile(rt, number, length) + 1;
  } catch (const RunError&) {
    // Only a shortcut is lost: the scan then reads every record.
    return kEndUnknown;
  }
}

}  // namespace hw
