#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "fixtures/table_image.h"
#include "lists/list_records.h"
#include "platform/fault_plan.h"
#include "records/collection_records.h"
#include "records/field_records.h"
#include "support/sample_conversion.h"
#include "support/temp_folder.h"
#include "tablestore/table_header.h"

// Small random installations converted twice, once with the searches answered from memory and
// once scanning record by record; files, log and transcript must agree, also under injected
// read and open faults answered Retry, Ignore and Abort. HW_EQUIVALENCE_SEED=N runs one seed.
namespace hw::testing {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::byte>;

// Wall time the test may take; the sanitizer build runs fewer installations in it.
constexpr auto kBudget = std::chrono::seconds(40);
constexpr unsigned kMaxSeeds = 400;

// Texts that make duplicates and near-duplicates: case variants, blanks, padding.
const char* const kTexts[] = {"Mint", "mint",  "MINT",  " Mint", "Mint ", "Proof", "",
                              "  ",   "EMPTY", "Empty", "safe",  "Safe",  "box 1", "Box 1"};

struct Generator {
  int Below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  bool OneIn(int n) { return Below(n) == 0; }

  // A text from the pool, or a zero-filled field (never assigned).
  template <size_t N>
  void Fill(Text<N>& t) {
    if (!OneIn(8)) t.Set(kTexts[Below(std::size(kTexts))]);
  }

  // NextRecord for `records` records from `first` on: mostly right, sometimes short of the
  // records written or a few records past the end of the file.
  int32_t NextRecord(int32_t first, int records) {
    const int32_t exact = first + records;
    if (OneIn(6)) return exact + 1 + Below(4);
    return records > 0 && OneIn(8) ? exact - 1 : exact;
  }

  // A table of up to `most` records from record `first` on, each made by `fill`.
  template <class Record>
  void WriteList(const fs::path& file, bool prior, int32_t first, int most,
                 const std::function<void(Record&)>& fill) {
    const std::string name = file.filename().string();
    TableImage t = prior ? TableImage::Prior(name, Record::kSize, static_cast<int16_t>(first))
                         : TableImage::New(name, Record::kSize, first);
    const int records = Below(most + 1);
    for (int i = 0; i < records; ++i) {
      Record r{};
      fill(r);
      t.Append(r);
    }
    t.set_next_record(NextRecord(first, records));
    WriteBytes(file, t.Bytes());
  }

  // In each table of `folder` named *`ext`, whose entries are runs of `stride` records from
  // `first` on: shuffles the entries, repeats some of them with their first record changed by
  // `vary`, and sets a new NextRecord. Records before `first` stay as they are.
  template <class Record>
  void Reshape(const fs::path& folder, const char* ext, int32_t first, int stride,
               const std::function<void(Record&)>& vary) {
    for (const auto& file : fs::directory_iterator(folder)) {
      if (file.path().extension() != ext) continue;
      Bytes bytes = ReadBytes(file.path());
      NewHeader h;
      ASSERT_TRUE(DecodeRecord(bytes, h)) << file.path();
      const auto length = static_cast<size_t>(h.record_length);
      const size_t run = length * stride;
      std::vector<Bytes> entries;
      for (int64_t r = first; r < h.next_record; r += stride) {
        const size_t at = static_cast<size_t>(r - 1) * length;
        if (at + run > bytes.size()) break;
        entries.emplace_back(bytes.begin() + at, bytes.begin() + at + run);
      }
      if (entries.empty()) continue;
      for (int copies = Below(3); copies > 0; --copies) {
        Bytes copy = entries[Below(entries.size())];
        Record r;
        if (DecodeRecord(copy, r)) {
          vary(r);
          EncodeRecord(r, std::span(copy).first(Record::kSize));
        }
        entries.push_back(std::move(copy));
      }
      std::shuffle(entries.begin(), entries.end(), rng);
      bytes.resize(length * (first - 1));
      for (const Bytes& e : entries) bytes.insert(bytes.end(), e.begin(), e.end());
      h.next_record = NextRecord(first, static_cast<int>(entries.size()) * stride);
      h.next_record -= (h.next_record - first) % stride;
      EncodeRecord(h, std::span(bytes).first(NewHeader::kSize));
      WriteBytes(file.path(), bytes);
    }
  }

  std::mt19937 rng;
};

// Writes the sample installation of `seed` under root/c (drive C:) and root/n (drive N:), then
// replaces its lists with random ones and reshapes its screen designs and standard coin tables.
void WriteInstallation(const fs::path& root, unsigned seed) {
  Generator g{std::mt19937(seed)};
  const hwsample::SampleContext ctx = WriteSampleInstallation(root, seed, 1 + g.Below(3));
  // Lists of every kind, several types sharing list names.
  const std::function<void(PriorChoiceEntry&)> prior_entry = [&](auto& e) {
    e.ItemNumber = static_cast<int16_t>(g.Below(9) - 2);
    g.Fill(e.ItemText);
    e.Tag.Set("TAGXYZ");
  };
  const std::function<void(ChoiceEntry&)> new_entry = [&](auto& e) {
    g.Fill(e.ItemText);
    g.Fill(e.ParentText);
    e.Marker.Set(g.OneIn(2) ? "0" : "x");
    e.EntryId = g.Below(5);
  };
  for (const auto& entry : fs::recursive_directory_iterator(ctx.prior_root / "Combos")) {
    if (entry.path().extension() == ".cbo") g.WriteList(entry.path(), true, 3, 5, prior_entry);
  }
  for (const std::string& code : ctx.type_codes) {
    g.WriteList(ctx.prior_root / "Combos" / code / "Grade.cbo", true, 3, 5, prior_entry);
  }
  for (const auto& entry : fs::recursive_directory_iterator(ctx.new_root / "Combos")) {
    if (entry.path().extension() == ".cb5") g.WriteList(entry.path(), false, 3, 4, new_entry);
  }
  if (g.OneIn(2)) {
    g.WriteList(ctx.new_root / "Combos" / "Buyers and Sellers.cb5", false, 3, 4, new_entry);
  }
  if (g.OneIn(2)) {
    g.WriteList<ContactRecord>(ctx.new_root / "MyData" / "Contacts.mst", false, 3, 3, [&](auto& c) {
      g.Fill(c.Name);
      g.Fill(c.KeyName);
      c.Numbers432[0] = g.Below(50);
    });
  }
  for (const hwsample::SampleUser& user : ctx.sample_users) {
    g.WriteList<PriorStorageRecord>(user.host_folder / "storage.mst", true, 4, 5, [&](auto& r) {
      g.Fill(r.Location);
      g.Fill(r.Container);
      r.Mark1.Set(g.OneIn(2) ? "Y" : "y");
      r.Amount.scaled = g.Below(100000);
    });
    g.WriteList<PriorPartyRecord>(user.host_folder / "parties.mst", true, 3, 4, [&](auto& p) {
      g.Fill(p.Name);
      g.Fill(p.Text64);
    });
  }
  // Duplicate fields (the first in record order pairs) and duplicate standard entries (the
  // first match gives the reference).
  g.Reshape<V5FieldDef>(ctx.new_root / "video", ".vsd", 4, 1,
                        [&](auto& f) { f.Slot = g.Below(4); });
  g.Reshape<NewItemMain>(
      ctx.new_root / "StdDB" / "United States Coin", ".tyu", 4, 2,
      [&](auto& main) { main.Longs[NewItemMain::kStandardReference] = 1000 + g.Below(1000); });
}

// Up to three read or open faults, mostly on the files the searches read (new lists,
// contacts, screen designs, coin tables), and the answers to the questions they raise (mostly
// Retry and Ignore; the queue runs out into Abort).
struct FaultScript {
  FaultPlan plan;
  std::vector<Reply> replies;
};

FaultScript Faults(const fs::path& root, unsigned seed) {
  Generator g{std::mt19937(seed ^ 0x5EED5EEDu)};
  std::set<std::string> searched;
  std::set<std::string> any;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const fs::path ext = entry.path().extension();
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file()) continue;
    any.insert(name);
    if (ext == ".cb5" || ext == ".tyu" || ext == ".vsd" || name == "Contacts.mst") {
      searched.insert(name);
    }
  }
  FaultScript script;
  const int errors[] = {kDeviceIoError, kDiskNotReady, kDeviceUnavailable, kPathFileAccessError};
  for (int n = 1 + g.Below(3); n > 0; --n) {
    const std::set<std::string>& names = g.OneIn(4) || searched.empty() ? any : searched;
    Fault f;
    f.name = *std::next(names.begin(), g.Below(names.size()));
    f.op = g.Below(3) == 0 ? FaultOp::kOpen : FaultOp::kRead;
    f.error = errors[g.Below(4)];
    f.times = 1 + g.Below(5);
    script.plan.Add(f);
  }
  for (int n = 6 + g.Below(14); n > 0; --n) {
    const int pick = g.Below(16);
    script.replies.push_back(pick == 0 ? Reply::kAbort : pick < 6 ? Reply::kRetry : Reply::kIgnore);
  }
  return script;
}

struct Outcome {
  std::map<std::string, std::string> files;  // everything under the root, log included
  std::vector<UiEvent> transcript;
  Ending ending = Ending::kRunning;
};

// Copies the installation and converts it as a user answering Yes three times would.
Outcome Convert(const fs::path& installation, const fs::path& root, bool scan, FaultScript script) {
  // Copied into a folder that does not exist yet: copying onto an existing folder fails on
  // Windows.
  fs::create_directories(root.parent_path());
  fs::copy(installation, root, fs::copy_options::recursive);
  ScriptedUi ui;
  for (Reply r : script.replies) ui.QueueReplies({r});
  const Ending ending = ConvertAnsweringYes(root, ui, scan, &script.plan);
  return {Snapshot(root), ui.events(), ending};
}

// The first difference between two outcomes, or "" when they agree.
std::string Difference(const Outcome& indexed, const Outcome& scanned) {
  if (indexed.ending != scanned.ending) return "the run ends differently";
  const auto& [event, other_event] =
      std::mismatch(indexed.transcript.begin(), indexed.transcript.end(),
                    scanned.transcript.begin(), scanned.transcript.end());
  if (event != indexed.transcript.end() || other_event != scanned.transcript.end()) {
    return "the transcripts part at event " + std::to_string(event - indexed.transcript.begin());
  }
  const auto& [file, other_file] = std::mismatch(indexed.files.begin(), indexed.files.end(),
                                                 scanned.files.begin(), scanned.files.end());
  if (file != indexed.files.end()) return file->first + " differs or is written only from memory";
  if (other_file != scanned.files.end()) return other_file->first + " is written only by scanning";
  return "";
}

TEST(Equivalence, SearchesFromMemoryAnswerAsScansDo) {
  unsigned first = 1;
  unsigned last = kMaxSeeds;
  if (const char* one = std::getenv("HW_EQUIVALENCE_SEED")) {
    first = last = static_cast<unsigned>(std::strtoul(one, nullptr, 10));
  }
  const auto start = std::chrono::steady_clock::now();
  for (unsigned seed = first; seed <= last; ++seed) {
    if (seed != first && std::chrono::steady_clock::now() - start > kBudget) break;
    TempFolder temp;
    const fs::path installation = temp.path() / "installation";
    WriteInstallation(installation, seed);
    int round = 0;
    for (const FaultScript& script :
         {FaultScript{}, Faults(installation, seed), Faults(installation, ~seed)}) {
      const std::string tag = round == 0 ? "clean" : "faults " + std::to_string(round);
      const fs::path run = temp.path() / std::to_string(round++);
      ASSERT_EQ(Difference(Convert(installation, run / "indexed", false, script),
                           Convert(installation, run / "scanned", true, script)),
                "")
          << "seed " << seed << " (" << tag << "); rerun with HW_EQUIVALENCE_SEED=" << seed;
    }
  }
}

}  // namespace
}  // namespace hw::testing
