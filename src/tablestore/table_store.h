#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "tablestore/runtime.h"

// Opening, creating and closing the table files of both editions. Record reads and writes go
// through the file numbers these return.
namespace hw {

// Opens folder (trimmed) + name + extension as a new-edition table, creating it when missing
// with the two creation values; `created` is 1 when it was created. Errors go to the file-error
// policy (Retry repeats the failing step, Ignore goes on, anything else returns at once).
void OpenTable(Runtime& rt, const std::string& folder, const std::string& name, int32_t& number,
               const std::string& extension, int32_t record_length, int32_t next_record,
               int32_t& created);

// Writes a new table holding only its header, through file number 32 and work slot 32.
void CreateTable(Runtime& rt, const std::string& folder, const std::string& name,
                 const std::string& extension, int32_t record_length, int32_t next_record,
                 int32_t& created);

// Writes the header back when NextRecord changed, closes, sets `number` to 0. Any error (0, a
// number not open) skips the rest silently and leaves `number` as it was.
void CloseTable(Runtime& rt, int32_t& number);

// Opens a prior-edition table read-only. Any error ends it silently: the number is set, the
// file may not be open, and the slot keeps what it held.
void OpenPriorTable(Runtime& rt, const std::string& folder, const std::string& name,
                    int16_t& number, const std::string& extension);

// Closes and sets `number` to 0; any error skips the rest silently.
void CloseFile(Runtime& rt, int16_t& number);
void CloseFile(Runtime& rt, int32_t& number);

// Record I/O on an open table over a buffer of the layout's size. A record read past the end
// of the file is zeros, so a layout of fixed width always decodes; one that does not (a date
// bank that cannot be stepped over) is a bad record length.
template <class Record>
void ReadRecord(Runtime& rt, int number, int64_t record, Record& out) {
  if (!DecodeRecord(rt.fs.ReadRecordBytes(number, record, Record::kSize), out)) {
    throw RunError(kBadRecordLength);
  }
}

template <class Record>
void WriteRecord(Runtime& rt, int number, int64_t record, const Record& in) {
  // A layout too wide for its record fails before any byte is written or counted.
  if (EncodedWidth(in) > Record::kSize) throw RunError(kBadRecordLength);
  EncodeRecord(in, rt.fs.RecordToWrite(number, record, Record::kSize));
}

// Writes at the new-edition slot's NextRecord and then advances it.
template <class Record>
void AppendRecord(Runtime& rt, int32_t number, const Record& in) {
  NewHeader& slot = rt.slots.New(number);
  WriteRecord(rt, number, slot.next_record, in);
  ++slot.next_record;
}

}  // namespace hw
