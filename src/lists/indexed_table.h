#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>

#include "platform/text.h"
#include "tablestore/error_policy.h"
#include "tablestore/runtime.h"
#include "tablestore/table_store.h"

namespace hw {

// The number of records of `record_length` bytes that hold bytes of the file open under
// `number`; every record after them reads as zero bytes.
int64_t RecordsInFile(Runtime& rt, int32_t number, int32_t record_length);

// A new-edition table held under one of the operations' file-number variables, whose records 3
// to NextRecord - 1 are searched for a key text (Record::Key, compared trimmed of blanks).
//
// A search answers as a scan of those records would, but from a set of keys read from the file
// once and kept in step with the records appended. The records past the end of the file all
// read as zero bytes, so one of them answers for all and a huge NextRecord reads no further.
// Reads, writes and slot accesses are statements of the calling operation (Attempt); reads go
// through one record buffer, so an ignored read repeats the record read before, as in a scan.
template <class Record>
class IndexedTable {
 public:
  static constexpr int32_t kFirstEntry = 3;

  IndexedTable(Runtime& rt, int32_t& number) : rt_(rt), number_(number) {}

  // Closes the table the variable holds, then opens folder + name + extension, creating it
  // when missing with the record length of Record and `first_next_record`.
  void Reopen(const std::string& folder, const std::string& name, const std::string& extension,
              int32_t first_next_record) {
    CloseTable(rt_, number_);
    int32_t created = 0;
    OpenTable(rt_, folder, name, number_, extension, static_cast<int32_t>(Record::kSize),
              first_next_record, created);
    keys_.clear();
    covered_ = kFirstEntry;
  }

  void Close() { CloseTable(rt_, number_); }

  int32_t NextRecord() {
    int32_t next = 0;
    Attempt(rt_, [&] { next = rt_.slots.New(number_).next_record; });
    return next;
  }

  // Whether the scan of records 3 to NextRecord - 1 finds a match: a record whose key, trimmed,
  // equals `key`, or, when `any_record_matches`, whatever record it reads first.
  bool Scan(const std::string& key, bool any_record_matches = false) {
    const int32_t next = NextRecord();
    if (next <= kFirstEntry) return false;
    CatchUp(next);
    return any_record_matches || keys_.contains(key);
  }

  // Writes the record at NextRecord, then advances NextRecord: two statements, so a write the
  // user ignores still uses up its record number (and the search later reads what is there).
  void Append(const Record& record) {
    int32_t at = 0;
    const bool written = Attempt(rt_, [&] {
      at = rt_.slots.New(number_).next_record;
      WriteRecord(rt_, number_, at, record);
    });
    Attempt(rt_, [&] { ++rt_.slots.New(number_).next_record; });
    // Any other record (one the index has not reached, or a header record below 3) is read from
    // the file when a search first needs it.
    if (written && at == covered_) {
      keys_.insert(Trim(record.Key()));
      ++covered_;
    }
  }

 private:
  // Adds the keys of records covered_ to next - 1.
  void CatchUp(int32_t next) {
    if (next <= covered_) return;
    int64_t in_file = 0;
    Attempt(rt_,
            [&] { in_file = RecordsInFile(rt_, number_, rt_.slots.New(number_).record_length); });
    const int64_t last = std::max<int64_t>(covered_, std::min<int64_t>(next - 1, in_file));
    for (int64_t n = covered_; n <= last; ++n) {
      Attempt(rt_, [&] { ReadRecord(rt_, number_, n, buffer_); });
      keys_.insert(Trim(buffer_.Key()));
    }
    if (last < next - 1) keys_.insert(ZeroKey());
    covered_ = next;
  }

  // A record past the end of the file reads as zeros, which decode as a record never assigned.
  static std::string ZeroKey() { return Trim(Record{}.Key()); }

  Runtime& rt_;
  int32_t& number_;
  Record buffer_;
  std::unordered_set<std::string> keys_;  // keys of records 3 to covered_ - 1, trimmed
  int64_t covered_ = kFirstEntry;
};

}  // namespace hw
