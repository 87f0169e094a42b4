#include "platform/block_cache.h"

#include <algorithm>
#include <cstring>

namespace hw {

void BlockCache::Read(int64_t position, std::span<std::byte> out) {
  const int64_t end = position + static_cast<int64_t>(out.size());
  const bool covered = window_span_ > 0 && window_version_ == version_ &&
                       position >= window_position_ &&
                       end <= window_position_ + static_cast<int64_t>(window_span_);
  if (!covered) {
    // Only a run of consecutive reads is read ahead; a lone read takes what it asks.
    window_span_ = position == last_read_end_ ? std::max(kBlockSize, out.size()) : out.size();
    if (window_.size() < window_span_) window_.resize(std::max(kBlockSize, window_span_));
    window_position_ = position;
    window_version_ = version_;
    window_filled_ = 0;
    try {
      window_filled_ = file_.ReadAt(position, std::span(window_).first(window_span_));
    } catch (...) {
      window_span_ = 0;
      throw;
    }
  }
  // Past what the read ahead found lies the end of the file: zeros.
  const auto offset = static_cast<size_t>(position - window_position_);
  const size_t have = window_filled_ > offset ? std::min(window_filled_ - offset, out.size()) : 0;
  std::memcpy(out.data(), window_.data() + offset, have);
  std::memset(out.data() + have, 0, out.size() - have);
  last_read_end_ = end;
}

void BlockCache::Write(int64_t position, std::span<const std::byte> in) {
  const auto pending_end = pending_position_ + static_cast<int64_t>(pending_.size());
  const auto end = position + static_cast<int64_t>(in.size());
  if (!pending_.empty() && position >= pending_position_ && end <= pending_end) {
    // A record of the run written again.
    std::memcpy(pending_.data() + (position - pending_position_), in.data(), in.size());
    return;
  }
  if (!pending_.empty() && (position != pending_end || pending_.size() + in.size() > kBlockSize)) {
    Flush();
  }
  if (pending_.empty()) {
    pending_.reserve(std::max(kBlockSize, in.size()));
    pending_position_ = position;
  }
  pending_.insert(pending_.end(), in.begin(), in.end());
}

bool BlockCache::PendingOverlaps(int64_t position, size_t size) const {
  return !pending_.empty() &&
         position < pending_position_ + static_cast<int64_t>(pending_.size()) &&
         pending_position_ < position + static_cast<int64_t>(size);
}

void BlockCache::Flush() {
  if (pending_.empty()) return;
  ++version_;
  try {
    file_.WriteAt(pending_position_, pending_);
  } catch (...) {
    pending_.clear();
    throw;
  }
  pending_.clear();
}

}  // namespace hw
