#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "tablestore/table_header.h"

// A whole table file of either edition built in memory and written to a host file in one go.
// The sample installation writer and the tests build their input files with it, from the same
// record layouts the conversion reads.
namespace hw {

class TableImage {
 public:
  // A prior-edition table: 24-byte header with 16-bit numbers.
  static TableImage Prior(const std::string& name_and_extension, int16_t record_length,
                          int16_t next_record);
  // A new-edition table: 32-byte header with 32-bit numbers.
  static TableImage New(const std::string& name_and_extension, int32_t record_length,
                        int32_t next_record);

  // Encodes a record at record number n (numbered from 1), growing the file as needed.
  template <class Record>
  void Put(int64_t record, const Record& r) {
    std::vector<std::byte> buf(Record::kSize);
    EncodeRecord(r, buf);
    PutBytes(record, buf);
  }
  // Encodes a record at NextRecord and advances it.
  template <class Record>
  void Append(const Record& r) {
    Put(next_record_, r);
    ++next_record_;
  }
  void PutBytes(int64_t record, std::span<const std::byte> bytes);
  void set_next_record(int32_t n) { next_record_ = n; }
  int32_t next_record() const { return next_record_; }

  // The file's bytes, header included.
  std::vector<std::byte> Bytes() const;
  // Writes the file (replacing); throws std::runtime_error on failure.
  void WriteTo(const std::filesystem::path& host_file) const;

 private:
  TableImage(bool prior, const std::string& name, int32_t record_length, int32_t next_record);
  bool prior_;
  std::string name_;
  int32_t record_length_;
  int32_t first_next_record_;
  int32_t next_record_;
  std::vector<std::byte> body_;
};

}  // namespace hw
