#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "analysis/user_settings.h"
#include "lists/list_records.h"
#include "records/collection_records.h"
#include "records/field_records.h"
#include "records/prior_lists.h"
#include "records/report_records.h"

// hwverify's only reader of table files: it opens a file of either edition read-only, reads its
// header and decodes records through the record layouts. Every decode of the program is here.
namespace hwverify {

enum class Edition { kPrior, kNew };

class Table {
 public:
  // Nothing when the file is missing, unreadable or its header names no usable record length.
  static std::optional<Table> Open(const std::filesystem::path& host, Edition edition);

  int64_t next_record() const { return next_record_; }
  // The last record number worth reading: NextRecord - 1, but never past the end of the file,
  // so a header that claims more than the file holds cannot make a reader spin.
  int64_t last_record() const;

  // Record n into a layout. Bytes past the end of the file read as zeros, as the conversion
  // reads them. False when the record cannot be decoded (layout longer than the record, or a
  // record whose variable part does not fit).
  bool Read(int64_t n, hw::PriorUserRecord& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::PriorCollectionEntry& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::PriorCollectionHeader& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::PriorItemMain& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::PriorItemExtension& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::NewCollectionHeader& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::NewItemExtension& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::NewItemMain& out);
  bool Read(int64_t n, hw::UserSettingsRecord& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::V4ScreenField& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::V4FieldDef& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::V5FieldDef& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::V4ReportDef& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::V5ReportDef& out);
  bool Read(int64_t n, hw::PriorChoiceEntry& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::ChoiceEntry& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::PriorStorageRecord& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::PriorPartyRecord& out) { return Plain(n, out); }
  bool Read(int64_t n, hw::ContactRecord& out) { return Plain(n, out); }

 private:
  Table() = default;
  bool Bytes(int64_t n, size_t size);
  template <class Record>
  bool Plain(int64_t n, Record& out) {
    return Bytes(n, Record::kSize) &&
           hw::DecodeRecord(std::span<const std::byte>(buf_.data(), Record::kSize), out);
  }

  std::unique_ptr<std::ifstream> in_;
  int64_t size_ = 0;
  int64_t record_length_ = 0;
  int64_t next_record_ = 0;
  std::vector<std::byte> buf_;
};

}  // namespace hwverify
