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
#include "tablestore/table_view.h"

namespace hw {

// A new-edition table held under one of the operations' file-number variables, whose records 3
// to NextRecord - 1 are searched for a key text (Record::Key, compared trimmed of blanks).
//
// A search answers as a scan of those records would, but from a set of keys read from the file
// once and kept in step with the records appended. The records past the end of the file all
// read as zero bytes, so one of them answers for all and a huge NextRecord reads no further.
// Reads, writes and slot accesses are statements of the calling operation (Attempt); reads go
// through one record buffer, so an ignored read repeats the record read before, as in a scan.
//
// The set is trusted only once a read of the table has gone through without any error: until
// then a fault may still be pending for the next read, a scan would meet it, and so the search
// scans. With `scan_records` every search scans (tests compare the two).
template <class Record>
class IndexedTable {
 public:
  static constexpr int32_t kFirstEntry = 3;

  IndexedTable(Runtime& rt, int32_t& number, bool scan_records)
      : rt_(rt), number_(number), scan_records_(scan_records) {}

  // Closes the table the variable holds, then opens folder + name + extension, creating it
  // when missing with the record length of Record and `first_next_record`.
  void Reopen(const std::string& folder, const std::string& name, const std::string& extension,
              int32_t first_next_record) {
    CloseTable(rt_, number_);
    const int64_t errors = rt_.errors_reported;
    int32_t created = 0;
    OpenTable(rt_, folder, name, number_, extension, static_cast<int32_t>(Record::kSize),
              first_next_record, created);
    // The open read the header: when that went through, nothing is pending.
    trusted_ = rt_.errors_reported == errors && rt_.fs.IsOpen(number_);
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
    if (trusted_ && !scan_records_) return Indexed(next, key, any_record_matches);
    for (int64_t n = kFirstEntry; n < next; ++n) {
      const int64_t errors = rt_.errors_reported;
      Attempt(rt_, [&] { ReadRecord(rt_, number_, n, buffer_); });
      const bool went_through = rt_.errors_reported == errors && !scan_records_;
      if (went_through) trusted_ = true;
      if (any_record_matches || Trim(buffer_.Key()) == key) return true;
      if (went_through) {
        // The records before this one were compared as they failed to read; the rest read
        // plainly now. The set is built afresh from record 3 by the next search.
        covered_ = n + 1;
        const bool found = Indexed(next, key, false);
        keys_.clear();
        covered_ = kFirstEntry;
        return found;
      }
    }
    return false;
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
    if (trusted_ && written && at == covered_) {
      keys_.insert(Trim(record.Key()));
      ++covered_;
    }
  }

 private:
  // Adds the keys of records covered_ to next - 1 and answers from the set. An error on the way
  // (none is expected once trusted) leaves the set untrusted.
  bool Indexed(int32_t next, const std::string& key, bool any_record_matches) {
    if (next > covered_) {
      const int64_t errors = rt_.errors_reported;
      int64_t in_file = 0;
      Attempt(rt_,
              [&] { in_file = RecordsInFile(rt_, number_, rt_.slots.New(number_).record_length); });
      // The tail's stand-in is not read but known: a search answers from the index, so it must
      // not read (and perhaps fail on) a record that a search in record order might never reach.
      const TableView view(covered_, next - 1, in_file + 1);
      const int64_t last = std::max(view.first(), std::min(view.last(), view.Tail() - 1));
      for (int64_t n = view.first(); n <= last; ++n) {
        Attempt(rt_, [&] { ReadRecord(rt_, number_, n, buffer_); });
        keys_.insert(Trim(buffer_.Key()));
      }
      if (last < view.last()) keys_.insert(ZeroKey());
      covered_ = next;
      if (rt_.errors_reported != errors) {
        const bool found = keys_.contains(key);
        trusted_ = false;
        keys_.clear();
        covered_ = kFirstEntry;
        return any_record_matches || found;
      }
    }
    return any_record_matches || keys_.contains(key);
  }

  // A record past the end of the file reads as zeros, which decode as a record never assigned.
  static std::string ZeroKey() { return Trim(Record{}.Key()); }

  Runtime& rt_;
  int32_t& number_;
  const bool scan_records_;
  Record buffer_;
  std::unordered_set<std::string> keys_;  // keys of records 3 to covered_ - 1, trimmed
  int64_t covered_ = kFirstEntry;
  bool trusted_ = false;
};

}  // namespace hw
