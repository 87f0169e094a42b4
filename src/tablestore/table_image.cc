#include "tablestore/table_image.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace hw {

TableImage::TableImage(bool prior, const std::string& name, int32_t record_length,
                       int32_t next_record)
    : prior_(prior),
      name_(name),
      record_length_(record_length),
      first_next_record_(next_record),
      next_record_(next_record) {}

TableImage TableImage::Prior(const std::string& name_and_extension, int16_t record_length,
                             int16_t next_record) {
  return TableImage(true, name_and_extension, record_length, next_record);
}

TableImage TableImage::New(const std::string& name_and_extension, int32_t record_length,
                           int32_t next_record) {
  return TableImage(false, name_and_extension, record_length, next_record);
}

void TableImage::PutBytes(int64_t record, std::span<const std::byte> bytes) {
  const size_t pos = static_cast<size_t>((record - 1) * record_length_);
  if (body_.size() < pos + bytes.size()) body_.resize(pos + bytes.size());
  std::copy(bytes.begin(), bytes.end(), body_.begin() + static_cast<std::ptrdiff_t>(pos));
}

std::vector<std::byte> TableImage::Bytes() const {
  std::vector<std::byte> out = body_;
  if (prior_) {
    PriorHeader h;
    h.table_name.Set(name_);
    h.next_record = static_cast<int16_t>(next_record_);
    h.record_length = static_cast<int16_t>(record_length_);
    if (out.size() < PriorHeader::kSize) out.resize(PriorHeader::kSize);
    EncodeRecord(h, std::span(out).first(PriorHeader::kSize));
  } else {
    NewHeader h;
    h.table_name.Set(name_);
    h.next_record = next_record_;
    h.record_length = record_length_;
    h.header_flag = 1;
    h.first_next_record = first_next_record_;
    if (out.size() < NewHeader::kSize) out.resize(NewHeader::kSize);
    EncodeRecord(h, std::span(out).first(NewHeader::kSize));
  }
  return out;
}

void TableImage::WriteTo(const std::filesystem::path& host_file) const {
  const std::vector<std::byte> bytes = Bytes();
  std::ofstream out(host_file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + host_file.string());
}

}  // namespace hw
