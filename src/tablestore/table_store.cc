#include "tablestore/table_store.h"

#include "platform/text.h"
#include "tablestore/error_policy.h"

namespace hw {

namespace {

// The header is read through a record length that fits any table's first record.
constexpr int32_t kHeaderReadLength = 512;

std::string TablePath(const std::string& folder, const std::string& name,
                      const std::string& extension) {
  return Trim(folder) + name + extension;
}

// No file number at all (0) is an error: the variable stays as it is.
template <class Number>
void CloseNumber(Runtime& rt, Number& number) {
  Attempt(rt, Handler::kSilent, [&] {
    rt.fs.Close(number);
    number = 0;
  });
}

}  // namespace

void OpenTable(Runtime& rt, const std::string& folder, const std::string& name, int32_t& number,
               const std::string& extension, int32_t record_length, int32_t next_record,
               int32_t& created) {
  rt.last_error = 0;
  created = 0;
  const std::string path = TablePath(folder, name, extension);
  FileSystem& fs = rt.fs;
  const auto statement = [&](auto&& step) { Attempt(rt, Handler::kAskAndClear, step); };
  try {
    statement([&] { number = fs.FreeFile(); });
    statement([&] { rt.slots.New(number).table_name.Set(name + extension); });

    // Only a missing file leads to creation, and the check is not repeated after it.
    bool missing = false;
    statement([&] {
      try {
        fs.OpenInput(number, path);
      } catch (const RunError& e) {
        if (e.number != kFileNotFound) throw;
        missing = true;
      }
    });
    if (missing) {
      CreateTable(rt, folder, name, extension, record_length, next_record, created);
      rt.last_error = 0;
    } else {
      statement([&] { fs.Close(number); });
    }

    statement([&] { fs.OpenRandom(number, path, kHeaderReadLength, Access::kReadWrite); });
    statement([&] { ReadRecord(rt, number, 1, rt.slots.New(number)); });
    statement([&] { fs.Close(number); });
    statement([&] {
      fs.OpenRandom(number, path, rt.slots.New(number).record_length, Access::kReadWrite);
    });
  } catch (const LeaveOperation&) {
    // The number stays set; the table may not be open.
  }
}

void CreateTable(Runtime& rt, const std::string& folder, const std::string& name,
                 const std::string& extension, int32_t record_length, int32_t next_record,
                 int32_t& created) {
  NewHeader& work = rt.slots.New(kCreateFile);
  work.table_name.Set(name + extension);
  work.next_record = next_record;
  work.first_next_record = next_record;
  work.record_length = record_length;
  work.header_flag = 1;

  const std::string path = TablePath(folder, name, extension);
  const auto statement = [&](auto&& step) { Attempt(rt, Handler::kAskAndClear, step); };
  try {
    statement([&] { rt.fs.OpenRandom(kCreateFile, path, record_length, Access::kReadWrite); });
    statement([&] { WriteRecord(rt, kCreateFile, 1, work); });
    created = 1;
    statement([&] { rt.fs.Close(kCreateFile); });
  } catch (const LeaveOperation&) {
    // OpenTable goes on and reads whatever header the file holds.
  }
}

void CloseTable(Runtime& rt, int32_t& number) {
  // Nothing open under the number: reading its header would fail at once, before any other
  // effect, so the close ends here as it would there (without raising an error per coin item).
  if (!rt.fs.IsOpen(number)) {
    rt.last_error = 0;
    return;
  }
  const bool closed = Attempt(rt, Handler::kSilent, [&] {
    NewHeader& scratch = rt.slots.New(kCloseScratch);
    ReadRecord(rt, number, 1, scratch);
    const NewHeader& slot = rt.slots.New(number);
    if (scratch.next_record != slot.next_record) WriteRecord(rt, number, 1, slot);
    rt.fs.Close(number);
    number = 0;
  });
  if (!closed) rt.last_error = 0;
}

void OpenPriorTable(Runtime& rt, const std::string& folder, const std::string& name,
                    int16_t& number, const std::string& extension) {
  const std::string path = TablePath(folder, name, extension);
  FileSystem& fs = rt.fs;
  int taken = 0;
  const bool opened = Attempt(rt, Handler::kSilent, [&] {
    taken = fs.FreeFile();
    number = static_cast<int16_t>(taken);
    PriorHeader& slot = rt.slots.Prior(taken);
    slot.table_name.Set(name + extension);
    fs.OpenInput(taken, path);
    fs.Close(taken);
    fs.OpenRandom(taken, path, kHeaderReadLength, Access::kReadOnly);
    ReadRecord(rt, taken, 1, slot);
    fs.Close(taken);
    fs.OpenRandom(taken, path, slot.record_length, Access::kReadOnly);
  });
  // A failed open leaves nothing open under the number, whichever step failed: callers judge
  // the table by the slot's NextRecord and close the number themselves.
  if (!opened && taken != 0) fs.Close(taken);
}

void CloseFile(Runtime& rt, int16_t& number) { CloseNumber(rt, number); }
void CloseFile(Runtime& rt, int32_t& number) { CloseNumber(rt, number); }

}  // namespace hw
