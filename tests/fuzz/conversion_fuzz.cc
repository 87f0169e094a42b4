// Fuzzes one whole conversion: the sample installation, written once into a temporary folder,
// is damaged by the input's patches to its prior files, and the conversion runs with every
// question answered Yes. Besides crashes and hangs, it stops when anything outside the new
// data folder (the prior installation included) appears or changes.
//
// Input: byte 0 holds the replies to the first three Abort/Retry/Ignore boxes (two bits each;
// later boxes are aborted, so a fault that persists cannot be retried for ever). Then patches,
// each: file (1 byte, an index into the sorted prior files), kind (1 byte: a multiple of 4
// truncates the file at the offset, anything else overwrites), offset (2 bytes, little-endian,
// wrapped into the file plus 64 bytes), length (1 byte), the bytes to write.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/sample_conversion.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class Sample {
 public:
  Sample() {
    hw::testing::WriteSampleInstallation(root_ / "sample", 1, 6);
    fs::copy(root_ / "sample", root_ / "run", fs::copy_options::recursive);
    for (const auto& [name, entry] : hw::testing::Snapshot(root_ / "sample", NewData("sample"))) {
      if (entry.starts_with("file ")) prior_files_.push_back(name);
    }
  }

  // Only the patched prior files and the new data folder are made afresh for each input: the
  // check after the run proves that the conversion left the rest as it was.
  void Run(const uint8_t* data, size_t size) {
    fs::remove_all(NewData("run"));
    fs::copy(NewData("sample"), NewData("run"), fs::copy_options::recursive);
    std::set<std::string> patched;
    for (size_t at = 1; at + 5 <= size;) {
      const std::string& name = *patched.insert(prior_files_[data[at] % prior_files_.size()]).first;
      std::string bytes = hw::testing::ReadText(root_ / "run" / name);
      const bool truncate = data[at + 1] % 4 == 0;
      const size_t offset = (data[at + 2] | data[at + 3] << 8) % (bytes.size() + 64);
      const size_t length = std::min<size_t>(data[at + 4], size - at - 5);
      at += 5;
      if (truncate) {
        bytes.resize(std::min(offset, bytes.size()));
      } else {
        bytes.resize(std::max(bytes.size(), offset + length));
        std::copy(data + at, data + at + length, bytes.begin() + static_cast<ptrdiff_t>(offset));
        at += length;
      }
      hw::testing::WriteBytes(root_ / "run" / name, bytes);
    }
    const auto outside = hw::testing::Snapshot(root_ / "run", NewData("run"), true);
    // The first three questions take two bits each of byte 0 (3 is Abort); later ones are
    // aborted.
    hw::testing::ScriptedUi ui;
    constexpr hw::Reply kReplies[] = {hw::Reply::kAbort, hw::Reply::kRetry, hw::Reply::kIgnore,
                                      hw::Reply::kAbort};
    for (int q = 0; q < 3 && size > 0; ++q) ui.QueueReplies({kReplies[(data[0] >> (2 * q)) & 3]});
    hw::testing::ConvertAnsweringYes(root_ / "run", ui);
    if (hw::testing::Snapshot(root_ / "run", NewData("run"), true) != outside) {
      std::fprintf(stderr, "the conversion changed something outside the new data folder\n");
      std::abort();
    }
    for (const std::string& name : patched) {
      hw::testing::WriteBytes(root_ / "run" / name, hw::testing::ReadText(root_ / "sample" / name));
    }
  }

 private:
  // The new data folder of the installation `copy`.
  fs::path NewData(const char* copy) const { return root_ / copy / "n" / "Hoardwise"; }

  hw::testing::TempFolder temp_;
  fs::path root_ = temp_.path();
  std::vector<std::string> prior_files_;  // sorted, outside the new data folder
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Sample sample;
  sample.Run(data, size);
  return 0;
}
