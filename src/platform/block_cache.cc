#include "platform/block_cache.h"

#include <cstring>

namespace hw {

std::span<const std::byte> BlockCache::Read(int64_t position, size_t size) {
  const int64_t end = position + static_cast<int64_t>(size);
  const bool covered = window_span_ > 0 && window_version_ == version_ &&
                       position >= window_position_ &&
                       end <= window_position_ + static_cast<int64_t>(window_span_);
  if (!covered) {
    if (!window_) window_ = std::make_unique_for_overwrite<std::byte[]>(kBlockSize);
    // Only a run of reads going forward (every record, or every other one as in a scan of
    // main records) is read ahead; a lone read takes what it asks.
    const bool run = last_read_end_ >= 0 && position >= last_read_end_ &&
                     position - last_read_end_ <= static_cast<int64_t>(size);
    const size_t span = run ? kBlockSize : size;
    window_span_ = 0;
    const size_t filled = file_.ReadAt(position, std::span(window_.get(), span));
    std::memset(window_.get() + filled, 0, span - filled);
    window_position_ = position;
    window_span_ = span;
    window_version_ = version_;
  }
  last_read_end_ = end;
  return std::span(window_.get() + (position - window_position_), size);
}

std::span<std::byte> BlockCache::Write(int64_t position, size_t size) {
  const int64_t pending_end = pending_position_ + static_cast<int64_t>(pending_size_);
  const int64_t end = position + static_cast<int64_t>(size);
  if (pending_size_ > 0 && position >= pending_position_ && end <= pending_end) {
    // A record of the run written again.
    return std::span(pending_.get() + (position - pending_position_), size);
  }
  if (pending_size_ > 0 && (position != pending_end || pending_size_ + size > kBlockSize)) {
    Flush();
  }
  if (!pending_) pending_ = std::make_unique_for_overwrite<std::byte[]>(kBlockSize);
  if (pending_size_ == 0) pending_position_ = position;
  const std::span<std::byte> room(pending_.get() + pending_size_, size);
  pending_size_ += size;
  return room;
}

bool BlockCache::PendingOverlaps(int64_t position, size_t size) const {
  return pending_size_ > 0 && position < pending_position_ + static_cast<int64_t>(pending_size_) &&
         pending_position_ < position + static_cast<int64_t>(size);
}

void BlockCache::Flush() {
  if (pending_size_ == 0) return;
  const size_t size = pending_size_;
  pending_size_ = 0;
  ++version_;
  file_.WriteAt(pending_position_, std::span(pending_.get(), size));
}

}  // namespace hw
