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

// The number of records of `record_length` bytes that hold bytes of the file open under
// `number`; every record after them reads as zero bytes.
int64_t RecordsInFile(Runtime& rt, int32_t number, int32_t record_length);

// The first record of the new-edition table open under `number` (read with its slot's record
// length) that lies wholly past the end of its file, or kEndUnknown.
int64_t FirstRecordPastEnd(Runtime& rt, int32_t number);

// The records first, first + step, ... up to last of a table as the rules read them, with the
// zero-filled tail folded. Every record from `past_end` on lies wholly past the end of the file
// and reads as zero bytes, so the first of them that the view holds stands for all the rest; of
// those only the last can still read differently, when it lies beyond the platform's position
// limit and its read fails. Each reader decides whether that read matters to it. A hostile
// NextRecord thus costs no more than the records the file really holds.
class TableView {
 public:
  TableView(int64_t first, int64_t last, int64_t past_end, int64_t step = 1)
      : first_(first), last_(last), past_end_(past_end), step_(step) {}

  // The view of the new-edition table open under `number`, its end found by FirstRecordPastEnd.
  static TableView Of(Runtime& rt, int32_t number, int64_t first, int64_t last, int64_t step = 1) {
    return TableView(first, last, FirstRecordPastEnd(rt, number), step);
  }

  int64_t first() const { return first_; }
  int64_t last() const { return last_; }
  int64_t step() const { return step_; }

  // Whether record n lies wholly past the end of the file.
  bool PastEnd(int64_t n) const { return n >= past_end_; }

  // The view's first record past the end of the file, which stands for the tail, or kEndUnknown
  // when the end is not known.
  int64_t Tail() const {
    if (past_end_ <= first_) return first_;
    if (past_end_ == kEndUnknown) return kEndUnknown;
    return first_ + (past_end_ - first_ + step_ - 1) / step_ * step_;
  }

  // Whether records after the tail's stand-in remain up to the last: a reader that stops at
  // the stand-in skips them.
  bool Folds() const { return Tail() < last_; }

 private:
  int64_t first_;
  int64_t last_;
  int64_t past_end_;
  int64_t step_;
};

// Reads the view's records one by one into `buffer` (read(n) is false when it read nothing)
// until match(n) holds, and gives that record's number, or 0 when none matched. Once a record
// of the tail has been read as zeros without a match, every later one would read and compare
// the same way, so the scan goes straight on to the last, whose read gives the same zeros or
// the error the first such record would have given.
template <class Record, class Read, class Match>
int64_t ScanRecords(const TableView& view, const Record& buffer, Read&& read, Match&& match) {
  const int64_t last = view.last();
  for (int64_t n = view.first(); n <= last; n += view.step()) {
    const bool was_read = read(n);
    if (match(n)) return n;
    if (was_read && view.PastEnd(n) && n + view.step() < last && buffer == Record{}) {
      n = last - view.step();
    }
  }
  return 0;
}

}  // namespace hw
