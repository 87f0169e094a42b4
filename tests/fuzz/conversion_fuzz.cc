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
#include <map>
#include <string>
#include <vector>

#include "support/sample_conversion.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr char kNewDataFolder[] = "n/Hoardwise";

// Every file under `root` but the new data folder, with its bytes; folders as empty names
// ending in "/".
std::map<std::string, std::string> Outside(const fs::path& root) {
  std::map<std::string, std::string> contents;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
    const std::string name = fs::relative(it->path(), root).string();
    if (name == kNewDataFolder) {
      it.disable_recursion_pending();
    } else if (it->is_directory()) {
      contents[name + "/"];
    } else {
      contents[name] = hw::testing::ReadText(it->path());
    }
  }
  return contents;
}

class Sample {
 public:
  Sample() {
    hw::testing::WriteSampleInstallation(root_ / "sample", 1, 6);
    fs::copy(root_ / "sample", root_ / "run", fs::copy_options::recursive);
    pristine_ = Outside(root_ / "sample");
    for (const auto& [name, bytes] : pristine_) {
      if (name.back() != '/') prior_files_.push_back(name);
    }
  }

  // Only the patched prior files and the new data folder are made afresh for each input: the
  // check after the run proves that the conversion left the rest as it was.
  void Run(const uint8_t* data, size_t size) {
    const fs::path run = root_ / "run";
    fs::remove_all(run / kNewDataFolder);
    fs::copy(root_ / "sample" / kNewDataFolder, run / kNewDataFolder, fs::copy_options::recursive);
    std::map<std::string, std::string> outside = pristine_;
    for (size_t at = 1; at + 5 <= size;) {
      const std::string& name = prior_files_[data[at] % prior_files_.size()];
      std::string& bytes = outside[name];
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
      hw::testing::WriteBytes(run / name, bytes);
    }
    // The first three questions take two bits each of byte 0 (3 is Abort); later ones are
    // aborted.
    hw::testing::ScriptedUi ui;
    constexpr hw::Reply kReplies[] = {hw::Reply::kAbort, hw::Reply::kRetry, hw::Reply::kIgnore,
                                      hw::Reply::kAbort};
    for (int q = 0; q < 3 && size > 0; ++q) ui.QueueReplies({kReplies[(data[0] >> (2 * q)) & 3]});
    hw::testing::ConvertAnsweringYes(run, ui);
    const bool unchanged = Outside(run) == outside;
    for (const auto& [name, bytes] : outside) {
      if (bytes != pristine_.at(name)) hw::testing::WriteBytes(run / name, pristine_.at(name));
    }
    if (!unchanged) {
      std::fprintf(stderr, "the conversion changed something outside the new data folder\n");
      std::abort();
    }
  }

 private:
  hw::testing::TempFolder temp_;
  fs::path root_ = temp_.path();
  std::map<std::string, std::string> pristine_;  // everything outside the new data folder
  std::vector<std::string> prior_files_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Sample sample;
  sample.Run(data, size);
  return 0;
}
