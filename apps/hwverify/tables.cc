#include "hwverify/tables.h"

#include <algorithm>
#include <array>

#include "tablestore/table_header.h"

namespace hwverify {

std::optional<Table> Table::Open(const std::filesystem::path& host, Edition edition) {
  Table t;
  t.in_ = std::make_unique<std::ifstream>(host, std::ios::binary);
  if (!*t.in_) return std::nullopt;
  t.in_->seekg(0, std::ios::end);
  t.size_ = static_cast<int64_t>(t.in_->tellg());
  t.in_->seekg(0);
  std::array<std::byte, hw::NewHeader::kSize> head{};
  t.in_->read(reinterpret_cast<char*>(head.data()), head.size());
  t.in_->clear();
  if (edition == Edition::kPrior) {
    hw::PriorHeader h;
    if (!hw::DecodeRecord(std::span<const std::byte>(head.data(), hw::PriorHeader::kSize), h)) {
      return std::nullopt;
    }
    t.record_length_ = h.record_length;
    t.next_record_ = h.next_record;
  } else {
    hw::NewHeader h;
    if (!hw::DecodeRecord(head, h)) return std::nullopt;
    t.record_length_ = h.record_length;
    t.next_record_ = h.next_record;
  }
  if (t.record_length_ <= 0 || t.record_length_ > 32767) return std::nullopt;
  return t;
}

int64_t Table::last_record() const {
  const int64_t in_file = (size_ + record_length_ - 1) / record_length_;
  return std::min(next_record_ - 1, in_file);
}

bool Table::Bytes(int64_t n, size_t size) {
  if (n < 1 || static_cast<int64_t>(size) > record_length_) return false;
  buf_.assign(size, std::byte{0});
  const int64_t at = (n - 1) * record_length_;
  if (at < size_) {
    in_->seekg(at);
    in_->read(reinterpret_cast<char*>(buf_.data()),
              static_cast<std::streamsize>(std::min<int64_t>(size, size_ - at)));
    in_->clear();
  }
  return true;
}

bool Table::Read(int64_t n, hw::NewItemMain& out) {
  return Bytes(n, hw::NewItemMain::kSize) && hw::DecodeRecord(buf_, out);
}

bool Table::Read(int64_t n, hw::V5ReportDef& out) {
  // The report's variable text must fit in the record; a decode that runs past it fails.
  return Bytes(n, static_cast<size_t>(record_length_)) && hw::DecodeRecord(buf_, out);
}

}  // namespace hwverify
