#pragma once

#include <cstdint>
#include <string>

#include "tablestore/runtime.h"

// Loops over the records of a table, bounded by the NextRecord of its header.
namespace hw {

inline constexpr int64_t kEndUnknown = INT64_MAX;

// The last record of a table whose header holds `next_record`: next_record − 1, computed in the
// width of the header's number, so that its lowest value overflows (6).
int64_t LastRecord(int16_t next_record);
int64_t LastRecord(int32_t next_record);

// The first record of the new-edition table open under `number` (read with its slot's record
// length) that lies wholly past the end of its file, or kEndUnknown.
int64_t FirstRecordPastEnd(Runtime& rt, int32_t number);

// Reads records first..last one by one into `buffer` (read(n) is false when it read nothing)
// until match(n) holds, and gives that record's number, or 0 when none matched. A record wholly
// past the end of the file reads as zero bytes; once one of them has been read without a
// match, every later one would read and compare the same way, so the scan goes straight on to
// the last, whose read gives the same zeros or, beyond the platform's position limit, the error
// the first such record would have given. A hostile NextRecord thus costs no more than the
// records the file really holds.
template <class Record, class Read, class Match>
int64_t ScanRecords(int64_t first, int64_t last, int64_t past_end, const Record& buffer,
                    Read&& read, Match&& match) {
  for (int64_t n = first; n <= last; ++n) {
    const bool was_read = read(n);
    if (match(n)) return n;
    if (was_read && n >= past_end && n + 1 < last && buffer == Record{}) n = last - 1;
  }
  return 0;
}

}  // namespace hw
