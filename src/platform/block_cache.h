#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/host.h"

namespace hw {

// Record I/O over one open host file in large blocks: reads of consecutive records come from
// one read ahead, writes of consecutive records gather into one write. Every number open on
// the same host file shares one `version`, which each write to the disk advances, so that a
// window read before it is read again.
class BlockCache {
 public:
  static constexpr size_t kBlockSize = 256 * 1024;

  BlockCache(host::File& file, uint64_t& version) : file_(file), version_(version) {}

  // The bytes at `position` as the disk holds them; past the end of the file they are zeros.
  // Gathered writes that the range overlaps must be flushed first (PendingOverlaps).
  void Read(int64_t position, std::span<std::byte> out);
  void Write(int64_t position, std::span<const std::byte> in);
  bool PendingOverlaps(int64_t position, size_t size) const;
  // Writes the gathered run. On a failure the run is dropped, as a failed write would be.
  void Flush();

 private:
  host::File& file_;
  uint64_t& version_;
  // The last read ahead: window_span_ bytes asked at window_position_ while the shared version
  // was window_version_, of which the first window_filled_ came back (fewer only at the end).
  std::vector<std::byte> window_;
  int64_t window_position_ = 0;
  size_t window_span_ = 0;
  size_t window_filled_ = 0;
  uint64_t window_version_ = 0;
  int64_t last_read_end_ = -1;
  std::vector<std::byte> pending_;  // gathered bytes from pending_position_ on
  int64_t pending_position_ = 0;
};

}  // namespace hw
