#include "platform/block_cache.h"

#include <cstring>

namespace hw {

std::unique_ptr<std::byte[]> BlockBuffers::Take(size_t size) {
  for (auto it = spare_.begin(); it != spare_.end(); ++it) {
    if (it->first == size) {
      std::unique_ptr<std::byte[]> buffer = std::move(it->second);
      spare_.erase(it);
      return buffer;
    }
  }
  return std::make_unique_for_overwrite<std::byte[]>(size);
}

void BlockBuffers::Give(std::unique_ptr<std::byte[]> buffer, size_t size) {
  if (spare_.size() < kKept) spare_.emplace_back(size, std::move(buffer));
}

BlockCache::~BlockCache() {
  if (window_) buffers_.Give(std::move(window_), kReadBlockSize);
  if (pending_) buffers_.Give(std::move(pending_), kWriteBlockSize);
}

std::span<const std::byte> BlockCache::Read(int64_t position, size_t size) {
  const int64_t end = position + static_cast<int64_t>(size);
  const bool covered = window_span_ > 0 && window_version_ == version_ &&
                       position >= window_position_ &&
                       end <= window_position_ + static_cast<int64_t>(window_span_);
  if (!covered) {
    if (!window_) window_ = buffers_.Take(kReadBlockSize);
    // Only a run of reads going forward (every record, or every other one as in a scan of
    // main records) is read ahead; a lone read takes what it asks.
    const bool run = last_read_end_ >= 0 && position >= last_read_end_ &&
                     position - last_read_end_ <= static_cast<int64_t>(size);
    const size_t span = run ? kReadBlockSize : size;
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
  if (pending_size_ > 0 && (position != pending_end || pending_size_ + size > kWriteBlockSize)) {
    Flush();
  }
  if (!pending_) pending_ = buffers_.Take(kWriteBlockSize);
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
