// Damaged installations and injected faults, each converted end to end by hwconvert-batch on a
// fresh copy of the sample installation. Every run must end on its own, in time, with its end
// event and exit status, without a signal or a sanitizer report, with the prior installation
// and everything else outside the new data folder unchanged and the log ending in a whole line.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"
#include "records/prior_lists.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "tablestore/table_header.h"

namespace hw::testing {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;
using Bytes = std::vector<std::byte>;

// Processor time per run, from the build: a sound run of the sample takes well under a second,
// the largest damaged installations a few seconds, and ten times that under the sanitizers.
constexpr std::chrono::seconds kTimeLimit{HW_CPU_SECONDS};

constexpr char kLogName[] = "HoardwiseCLog.lst";
constexpr char kFatalStart[] = "An unexpected error condition (";

// The start of the fatal message naming error `number`.
std::string Fatal(int number) { return kFatalStart + std::to_string(number) + ")"; }

fs::path Prior(const fs::path& root) { return root / "c" / "HWVER4"; }
fs::path Data(const fs::path& root) { return root / "n" / "Hoardwise"; }

// The sample installation, written once per process, and what its clean conversion touches.
struct Sample {
  TempFolder folder;
  fs::path root = folder.path() / "sample";
  // Prior tables relative to the prior folder, one of each kind by its extension or a list's
  // name: the damage follows the same code for the others.
  std::map<std::string, fs::path> tables;
  // By operation, the files or folders the clean conversion touches, one name of each by its
  // upper case: a fault matches names without regard to case.
  std::map<std::string, std::map<std::string, std::string>> touched;
  std::map<std::string, std::string> clean;  // the new data folder after the clean run

  void Touch(std::initializer_list<const char*> ops, const std::string& name) {
    for (const char* op : ops) touched[op].try_emplace(Upper1252(name), name);
  }
};

struct CaseRun {
  TempFolder folder;
  fs::path root = folder.path() / "root";
  ProgramRun outcome;
};

void Convert(CaseRun& run, std::vector<std::string> options) {
  options.insert(options.begin(), {"--drive", "C=" + (run.root / "c").string(), "--drive",
                                   "N=" + (run.root / "n").string(), "--answers", "YYY"});
  run.outcome =
      RunProgram("hwconvert-batch", options, Data(run.root), run.folder.path(), kTimeLimit);
}

const Sample& TheSample() {
  // Removed, with its folder, when the process ends.
  static const std::unique_ptr<Sample> sample = [] {
    auto s = std::make_unique<Sample>();
    const ProgramRun made =
        RunProgram("hwsample", {s->root.string()}, s->folder.path(), s->folder.path(), kTimeLimit);
    if (made.status != 0) throw std::runtime_error("hwsample failed: " + made.err);
    // In order, so that each run picks the same tables.
    for (const auto& [file, entry] : Snapshot(Prior(s->root))) {
      const std::string name = fs::path(file).filename().string();
      const std::string ext = Upper1252(fs::path(file).extension().string());
      if (!entry.starts_with("file ")) continue;
      s->Touch({"open", "read"}, name);
      if (name != "hwver4.exe") s->tables.try_emplace(ext == ".MST" ? Upper1252(name) : ext, file);
    }
    CaseRun clean;
    fs::copy(s->root, clean.root, fs::copy_options::recursive);
    Convert(clean, {});
    if (clean.outcome.status != 0) throw std::runtime_error("the sample does not convert");
    s->clean = Snapshot(Data(clean.root));
    // Every file there is a target for writes too: a fault on a write that never comes changes
    // nothing.
    for (const auto& [name, entry] : s->clean) {
      const std::string last = fs::path(name).filename().string();
      if (entry.starts_with("file ")) s->Touch({"open", "read", "write"}, last);
      if (entry == "folder" && !fs::exists(Data(s->root) / name)) s->Touch({"mkdir"}, last);
    }
    return s;
  }();
  return *sample;
}

std::string How(const ProgramRun& o) {
  return o.events.empty() || o.events.back()["event"] != "end" ? "" : o.events.back()["how"];
}

// One way to damage a copy of the sample, given the host folders of its prior installation and
// of its new data folder.
using Damage = std::function<void(const fs::path& prior, const fs::path& data)>;

// Runs the sample, damaged by `damage`, with `options`, and checks what every run must keep.
void ConvertDamaged(CaseRun& run, const Damage& damage, const std::vector<std::string>& options) {
  fs::copy(TheSample().root, run.root, fs::copy_options::recursive);
  damage(Prior(run.root), Data(run.root));
  const auto outside = Snapshot(run.root, Data(run.root), true);
  Convert(run, options);
  const ProgramRun& o = run.outcome;
  EXPECT_EQ(o.signal, 0) << (o.timed_out ? "not done in time" : "ended by a signal");
  EXPECT_EQ(o.err, "") << "standard error was written";
  const std::string how = How(o);
  ASSERT_NE(how, "") << "no end event";
  EXPECT_EQ(o.status, how == "completed" || how == "closed" ? 0 : 1) << how;
  EXPECT_EQ(Snapshot(run.root, Data(run.root), true), outside)
      << "changed outside the new data folder";
  // The log holds whole lines only; it is missing only when start-up could not open it.
  const fs::path log = Data(run.root) / kLogName;
  if (!fs::exists(fs::symlink_status(log))) {
    EXPECT_EQ(how, "startup-failed") << "no log";
  } else if (!fs::is_symlink(log)) {
    const std::string bytes = ReadText(log);
    EXPECT_TRUE(bytes.empty() || bytes.ends_with("\r\n")) << "the log does not end in a whole line";
  }
  // The end event names the path whose message was shown last.
  const auto last = std::find_if(o.events.rbegin(), o.events.rend(),
                                 [](const Json& e) { return e["event"] == "message"; });
  const std::string text = last == o.events.rend() ? "" : std::string((*last)["text"]);
  if (how == "completed") {
    EXPECT_EQ(text,
              "Requested conversion operations are complete. Make sure to check that all of your "
              "data has been successfully transferred.");
  } else if (how == "fatal") {
    EXPECT_TRUE(text.starts_with(kFatalStart)) << text;
  } else if (how == "startup-failed") {
    EXPECT_TRUE(text.starts_with("Run-time error '")) << text;
  }
}

// Ignoring every question carries each damaged file further through the conversion than
// aborting would; aborting is the fault matrix's business.
void ConvertIgnoring(const std::string& name, const Damage& damage) {
  SCOPED_TRACE(name);
  std::vector<std::string> options;
  for (int i = 0; i < 40; ++i) options.insert(options.end(), {"--reply", "ignore"});
  CaseRun run;
  ConvertDamaged(run, damage, options);
}

// The header of a whole table (every change starts from one).
PriorHeader HeaderOf(const Bytes& bytes) {
  PriorHeader header;
  return DecodeRecord(bytes, header) ? header : PriorHeader{};
}

int16_t LengthOf(const Bytes& bytes, int16_t least) {
  return std::max(HeaderOf(bytes).record_length, least);
}

// Record n (from 1) of a prior table, edited through its layout.
template <class Record, class Edit>
void EditRecord(const fs::path& file, int n, Edit edit) {
  Bytes bytes = ReadBytes(file);
  const size_t at = static_cast<size_t>(n - 1) * HeaderOf(bytes).record_length;
  if (bytes.size() < at + Record::kSize) bytes.resize(at + Record::kSize);
  Record record;
  const std::span<std::byte> bytes_of_record = std::span(bytes).subspan(at, Record::kSize);
  if (!DecodeRecord(bytes_of_record, record)) return;
  edit(record);
  EncodeRecord(record, bytes_of_record);
  WriteBytes(file, bytes);
}

// The third entry of SMITH's collection list, edited.
template <class Edit>
void EditEntry(const fs::path& prior, Edit edit) {
  EditRecord<PriorCollectionEntry>(prior / "SMITH" / "Collect.mst", 3, edit);
}

using Change = std::function<void(Bytes&)>;

// A change of the header, which may look at the table's bytes.
Change Header(const std::function<void(const Bytes&, PriorHeader&)>& edit) {
  return [edit](Bytes& bytes) {
    PriorHeader header = HeaderOf(bytes);
    edit(bytes, header);
    bytes.resize(std::max(bytes.size(), PriorHeader::kSize));
    EncodeRecord(header, std::span(bytes).first(PriorHeader::kSize));
  };
}

// The records after the header, refilled by `fill`.
void FillRecords(Bytes& bytes, const std::function<std::byte()>& fill) {
  for (size_t i = std::min<size_t>(LengthOf(bytes, 1), bytes.size()); i < bytes.size(); ++i) {
    bytes[i] = fill();
  }
}

// Each prior table of the sample, one of each kind, cut, given bad header numbers, or given
// records of garbage or zeros.
TEST(DamagedInstallation, Tables) {
  const std::pair<const char*, Change> changes[] = {
      {"cut to zero bytes", [](Bytes& b) { b.clear(); }},
      {"cut inside its header", [](Bytes& b) { b.resize(11); }},
      {"cut inside its last record", [](Bytes& b) { b.resize(b.size() - LengthOf(b, 2) / 2); }},
      {"record length 0", Header([](auto&, PriorHeader& h) { h.record_length = 0; })},
      {"record length -2", Header([](auto&, PriorHeader& h) { h.record_length = -2; })},
      {"record length halved", Header([](auto&, PriorHeader& h) { h.record_length /= 2; })},
      {"record length 32767", Header([](auto&, PriorHeader& h) { h.record_length = 32767; })},
      {"NextRecord 0", Header([](auto&, PriorHeader& h) { h.next_record = 0; })},
      {"NextRecord -3", Header([](auto&, PriorHeader& h) { h.next_record = -3; })},
      {"NextRecord beyond the file", Header([](auto& b, PriorHeader& h) {
         h.next_record = static_cast<int16_t>(b.size() / LengthOf(b, 1) + 50);
       })},
      {"NextRecord 32767", Header([](auto&, PriorHeader& h) { h.next_record = 32767; })},
      {"records of garbage",
       [](Bytes& b) {
         std::mt19937 random(7);
         FillRecords(b, [&] { return static_cast<std::byte>(random()); });
       }},
      {"records of zeros", [](Bytes& b) { FillRecords(b, [] { return std::byte{0}; }); }}};
  for (const auto& change : changes) {
    for (const auto& kind : TheSample().tables) {
      const fs::path& table = kind.second;
      ConvertIgnoring(table.generic_string() + " " + change.first, [&](auto& prior, auto&) {
        Bytes bytes = ReadBytes(prior / table);
        change.second(bytes);
        WriteBytes(prior / table, bytes);
      });
    }
  }
}

// Texts that must not lead a write outside the new data folder or break a path: parent steps,
// absolute paths, drive letters, an embedded NUL, reserved device names, an overlong name and
// bytes that are no text at all, each put in the user list, a collection list and a collection
// header.
TEST(DamagedInstallation, HostileNames) {
  std::string garbage;
  for (int b = 0x80; b < 0x80 + 64; ++b) garbage += static_cast<char>(b * 7);
  const std::pair<const char*, std::string> texts[] = {
      {"parent steps", "..\\..\\..\\..\\outside\\"},
      {"parent", "..\\"},
      {"rooted", "\\HWVER4\\"},
      {"host absolute", "/tmp/outside/"},
      {"other drive", "D:\\outside\\"},
      {"prior drive root", "C:\\"},
      {"new data folder", "N:\\Hoardwise\\"},
      {"NUL inside", std::string("SMI\0TH\\", 7)},
      {"CON", "CON"},
      {"NUL", "NUL"},
      {"COM1 folder", "C:\\HWVER4\\COM1\\"},
      {"250 characters", std::string(250, 'W')},
      {"garbage", garbage},
      {"zeros", std::string(64, '\0')}};
  using Put = void (*)(const fs::path& prior, const std::string& text);
  const std::pair<const char*, Put> fields[] = {
      {"user folder",
       [](auto& prior, auto& text) {
         EditRecord<PriorUserRecord>(prior / "Default.mst", 4,
                                     [&](auto& r) { r.Folder.Set(text); });
       }},
      {"collection code",
       [](auto& prior, auto& text) { EditEntry(prior, [&](auto& r) { r.Code.Set(text); }); }},
      {"collection name",
       [](auto& prior, auto& text) { EditEntry(prior, [&](auto& r) { r.Name.Set(text); }); }},
      {"collection type code", [](auto& prior, auto& text) {
         std::string code;
         EditEntry(prior, [&](auto& r) { code = r.Code.Trimmed(); });
         EditRecord<PriorCollectionHeader>(prior / "SMITH" / (code + ".cl4"), 3,
                                           [&](auto& r) { r.TypeCode.Set(text); });
       }}};
  for (const auto& text : texts) {
    for (const auto& field : fields) {
      ConvertIgnoring(std::string(field.first) + ": " + text.first,
                      [&](auto& prior, auto&) { field.second(prior, text.second); });
    }
  }
}

TEST(DamagedInstallation, StructuralOddities) {
  ConvertIgnoring("user folder is a file", [](auto& prior, auto&) {
    fs::remove_all(prior / "SMITH");
    WriteBytes(prior / "SMITH", std::string_view("not a folder"));
  });
  ConvertIgnoring("duplicate users", [](auto& prior, auto&) {
    PriorUserRecord first;
    EditRecord<PriorUserRecord>(prior / "Default.mst", 4, [&](auto& r) { first = r; });
    EditRecord<PriorUserRecord>(prior / "Default.mst", 5, [&](auto& r) { r = first; });
  });
  ConvertIgnoring("log is a link into the prior installation", [](auto& prior, auto& data) {
    fs::create_symlink(prior / "Default.mst", data / kLogName);
  });
}

// The slowest: thousands of users, and a report table that claims far more than it holds.
TEST(DamagedInstallation, LargeClaims) {
  ConvertIgnoring("thousands of users", [](auto& prior, auto&) {
    constexpr int kFirst = 7;
    constexpr int kUsers = 2000;
    Bytes bytes = ReadBytes(prior / "Default.mst");
    bytes.resize((kFirst - 1 + kUsers) * PriorUserRecord::kSize);
    for (int n = kFirst; n < kFirst + kUsers; ++n) {
      PriorUserRecord user;
      user.Folder.Set("C:\\HWVER4\\U" + std::to_string(n) + "\\");
      user.Name.Set("Collector " + std::to_string(n));
      EncodeRecord(
          user, std::span(bytes).subspan((n - 1) * PriorUserRecord::kSize, PriorUserRecord::kSize));
    }
    Header([](auto&, PriorHeader& h) { h.next_record = kFirst + kUsers; })(bytes);
    WriteBytes(prior / "Default.mst", bytes);
  });
  // Found by the conversion fuzz target: every claimed record is read (as zeros) and scanned,
  // which takes seconds under the sanitizers.
  ConvertIgnoring("a report table of one header claiming 27749 records of 29540 bytes",
                  [](auto& prior, auto&) {
                    Bytes bytes(PriorHeader::kSize);
                    Header([](auto&, PriorHeader& h) {
                      h.next_record = 27749;
                      h.record_length = 29540;
                    })(bytes);
                    WriteBytes(prior / "ANCIENT_" / "ANCIENT_.rpt", bytes);
                  });
}

// The text of the event after the first message whose `key` starts with `start`; none when no
// message does.
std::optional<std::string> TextAfter(const ProgramRun& o, const char* key,
                                     const std::string& start) {
  const auto it = std::find_if(o.events.begin(), o.events.end(), [&](const Json& e) {
    return e["event"] == "message" && e.value(key, "").starts_with(start);
  });
  if (it == o.events.end()) return std::nullopt;
  return it + 1 == o.events.end() ? "(nothing)" : (it + 1)->value("text", "(no text)");
}

// The fault matrix: every file and folder the sample conversion touches, each operation kind,
// and each way a fault can go: Abort, Retry once and Ignore on error 53, disk full (61) and a
// number no handler knows (999).
void InjectIntoEachTouched(const std::string& op) {
  for (const auto& touched : TheSample().touched.at(op)) {
    const std::string& name = touched.second;
    const auto inject = [&](const std::string& error, const char* reply) {
      SCOPED_TRACE(name + ":" + op + ":" + error + " " + reply);
      auto run = std::make_unique<CaseRun>();
      ConvertDamaged(*run, [](auto&, auto&) {},
                     {"--fail", name + ":" + op + ":" + error, "--reply", reply});
      return run;
    };
    // Abort: the question's answer ends the program on the fatal path. Whether that question
    // was the injected fault's shows in the number the fatal message names: a handler that
    // swallows the fault silently may lead to another error being asked about instead.
    const auto aborted = inject("53", "abort");
    const auto after_question = TextAfter(aborted->outcome, "buttons", "abort-retry-ignore");
    if (after_question) {
      EXPECT_TRUE(after_question->starts_with(kFatalStart)) << *after_question;
      EXPECT_EQ(How(aborted->outcome), "fatal");
    }
    // Retry once: the repeated step succeeds and the conversion is the clean one.
    const auto retried = inject("53", "retry");
    if (after_question && after_question->starts_with(Fatal(53))) {
      EXPECT_EQ(How(retried->outcome), "completed");
      EXPECT_EQ(Snapshot(Data(retried->root)), TheSample().clean)
          << "a retried fault changed the result";
    }
    inject("53", "ignore");
    // Disk full always ends the program, after its own message, on the fatal path naming 61.
    const auto full = inject("61", "abort");
    if (const auto after = TextAfter(full->outcome, "text", "Disk Full - program will terminate")) {
      EXPECT_TRUE(after->starts_with(Fatal(61))) << *after;
      EXPECT_EQ(How(full->outcome), "fatal");
    }
    // A number no handler knows is never asked about.
    const auto unknown = inject("999", "abort");
    if (TextAfter(unknown->outcome, "text", Fatal(999))) {
      EXPECT_EQ(How(unknown->outcome), "fatal");
    }
  }
}

TEST(FaultMatrix, Open) { InjectIntoEachTouched("open"); }
TEST(FaultMatrix, Read) { InjectIntoEachTouched("read"); }
TEST(FaultMatrix, Write) { InjectIntoEachTouched("write"); }
TEST(FaultMatrix, Mkdir) { InjectIntoEachTouched("mkdir"); }

}  // namespace
}  // namespace hw::testing
