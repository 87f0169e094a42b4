#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "platform/host.h"

namespace hw {

// The block buffers of closed files, kept for the files opened next: a buffer the host hands
// out afresh costs it a page fault and a cleared page for every page.
class BlockBuffers {
 public:
  std::unique_ptr<std::byte[]> Take(size_t size);
  void Give(std::unique_ptr<std::byte[]> buffer, size_t size);

 private:
  static constexpr size_t kKept = 8;
  std::vector<std::pair<size_t, std::unique_ptr<std::byte[]>>> spare_;
};

// Record I/O over one open host file in large blocks: reads of records going forward come from
// one read ahead, writes of consecutive records gather into one write. Every number open on
// the same host file shares one `version`, which each write to the disk advances, so that a
// block read ahead before it is read again.
class BlockCache {
 public:
  // Both larger than any record (at most 32,767 bytes), so a record always fits in one block.
  // Writes gather into larger runs than reads take: the host's cost per byte written falls
  // further with the size of the write.
  static constexpr size_t kReadBlockSize = 256 * 1024;
  static constexpr size_t kWriteBlockSize = 1024 * 1024;

  BlockCache(host::File& file, uint64_t& version, BlockBuffers& buffers)
      : file_(file), version_(version), buffers_(buffers) {}
  ~BlockCache();
  BlockCache(const BlockCache&) = delete;
  BlockCache& operator=(const BlockCache&) = delete;

  // The `size` bytes at `position` as the disk holds them, zeros past the end of the file;
  // valid until the next call. Gathered writes that overlap them must be flushed first
  // (PendingOverlaps).
  std::span<const std::byte> Read(int64_t position, size_t size);
  // Room for the `size` bytes to be written at `position`, to be filled before the next call.
  std::span<std::byte> Write(int64_t position, size_t size);
  bool PendingOverlaps(int64_t position, size_t size) const;
  // Writes the gathered run. On a failure the run is dropped, as a failed write would be.
  void Flush();

 private:
  host::File& file_;
  uint64_t& version_;
  BlockBuffers& buffers_;
  // The last block read: window_span_ bytes at window_position_ as they were while the shared
  // version was window_version_ (zeros past the end of the file).
  std::unique_ptr<std::byte[]> window_;
  int64_t window_position_ = 0;
  size_t window_span_ = 0;
  uint64_t window_version_ = 0;
  int64_t last_read_end_ = -1;
  // The gathered run: pending_size_ bytes to be written at pending_position_.
  std::unique_ptr<std::byte[]> pending_;
  int64_t pending_position_ = 0;
  size_t pending_size_ = 0;
};

}  // namespace hw
