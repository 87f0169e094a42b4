#include <fmt/format.h>
#include <fmt/ranges.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fixtures/table_image.h"
#include "platform/program_args.h"
#include "records/prior_lists.h"
#include "shell/window_texts.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "tablestore/runtime.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr char kUnexpected[] =
    "Unexpected file problem - consult troubleshooting section of User Manual or Help system.";

Json Message(const std::string& text, const std::string& icon = "exclamation",
             const std::string& reply = "ok", const std::string& title = hw::kTitle) {
  Json m = {{"event", "message"}, {"title", title}, {"text", text}, {"icon", icon}};
  m["buttons"] = reply == "ok" ? "ok" : "abort-retry-ignore";
  m["reply"] = reply;
  return m;
}
Json Dialog(const std::string& path) { return {{"event", "dialog"}, {"path", path}}; }
Json End(const std::string& how) { return {{"event", "end"}, {"how", how}}; }

using hw::testing::ReadText;
using Events = std::vector<Json>;
using Lines = std::vector<std::string>;
using hw::testing::RunProgram;
using Result = hw::testing::ProgramRun;

// A prior installation on drive C: (host folder c) and a new data folder n as the new edition
// ships it.
class BatchTest : public ::testing::Test {
 protected:
  BatchTest() : c(temp.path() / "c"), n(temp.path() / "n") {
    fs::create_directories(c / "HWVER4");
    for (const char* shipped : {"video", "Combos", "MyData", "StdDB"}) {
      fs::create_directories(n / shipped);
    }
  }

  // Runs hwconvert-batch in `cwd`; its output passes through the temporary folder.
  Result RunBatch(const fs::path& cwd, const Lines& args) const {
    return RunProgram("hwconvert-batch", args, cwd, temp.path());
  }
  Lines With(Lines more = {}) const {
    more.insert(more.begin(), {"--drive", "C=" + c.string(), "--drive", "N=" + n.string()});
    return more;
  }
  Lines Log() const { return hw::testing::SplitLines(ReadText(n / "HoardwiseCLog.lst")); }
  void WritePriorUser(const std::string& folder) const {
    hw::TableImage t = hw::TableImage::Prior("Default.mst", hw::PriorUserRecord::kSize, 4);
    hw::PriorUserRecord u;
    u.Folder.Set(folder);
    u.Name.Set("Smith");
    t.Append(u);
    t.WriteTo(c / "HWVER4" / "Default.mst");
  }

  hw::testing::TempFolder temp;
  fs::path c, n;
};

TEST_F(BatchTest, HelpVersionAndBadOptions) {
  // The version line is the package check's.
  const Result help = RunBatch(n, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Exit status"), std::string::npos) << help.out;
  Lines bad = {
      "--answers=YNX", "--answers=YY",      "--task=6=on",        "--task=1=yes", "--reply=later",
      "--fail=X:open", "--fail=X:chmod:57", "--fail=X:open:57:0", "--bogus",      "--drive=NN=/tmp",
      "extra"};
  bad.push_back("--drive=N=" + (temp.path() / "no").string());
  for (const std::string& option : bad) {
    const Result r = RunBatch(n, With({option}));
    EXPECT_EQ(std::pair(r.status, r.out), std::pair(2, std::string())) << option;
    EXPECT_NE(r.err, "") << option;
  }
  // A current folder that Windows-1252 cannot name.
  const fs::path foreign = temp.path() / hw::PathFromUtf8("\xE6\x97\xA5\xE6\x9C\xAC");
  fs::create_directories(foreign);
  const Result r = RunBatch(foreign, With());
  EXPECT_EQ(std::pair(r.status, r.out), std::pair(2, std::string()));
  EXPECT_FALSE(fs::exists(foreign / "HoardwiseCLog.lst")) << "nothing ran";
}

// The current folder's edge cases; an ordinary one is the sample conversion's.
TEST_F(BatchTest, CurrentFolderAsWindowsPath) {
  WritePriorUser("C:\\HWVER4\\SMITH\\");
  const auto check = [&](Lines args, const std::string& new_data_folder) {
    SCOPED_TRACE(new_data_folder);
    args.push_back("--no-start");
    EXPECT_EQ(RunBatch(n, args).out, "{\"event\":\"end\",\"how\":\"closed\"}\n");
    // The data folders of records 3 and 4 of the new user table.
    const std::string users = ReadText(n / "DEFAULT.mst");
    EXPECT_EQ(users.substr(2 * 659 + 8, 128), fmt::format("{:128}", new_data_folder));
    EXPECT_EQ(users.substr(3 * 659 + 8, 128), fmt::format("{:128}", new_data_folder + "SMITH\\"));
    fs::remove_all(n / "SMITH");
    fs::remove(n / "DEFAULT.mst");
  };
  // A drive root: the current folder "N:\" gets one more "\", as the system does. P: and N:
  // stand for the same folder: the lower letter wins.
  check(With({"--drive", "p=" + n.string(), "--drive", "n=" + n.string()}), "N:\\\\");
#ifndef _WIN32  // Z: is the host root; the Win32 host suite covers the real drives
  std::string z = "Z:";
  for (char ch : fs::canonical(n).string() + "/") z += ch == '/' ? '\\' : ch;
  check({"--drive", "C=" + c.string()}, z);
#endif
}

TEST_F(BatchTest, AnswersTasksAndTheCompletedRun) {
  const Result r = RunBatch(
      n, With({"--answers", "YYN", "--task", "3=off", "--task", "0=off", "--task", "4=on"}));
  EXPECT_EQ(r.status, 0);
  // The operations the answers and tasks leave checked, in the driver's order; the screen
  // designs show their mark first.
  std::vector<int> checked;
  for (const Json& e : r.events) {
    if (e["event"] == "check" && e["visible"]) checked.push_back(e["index"]);
  }
  EXPECT_EQ(checked, (std::vector<int>{5, 1, 2, 4, 5}));
  EXPECT_EQ(Events(r.events.end() - 2, r.events.end()),
            (Events{Message(hw::texts::kComplete), End("completed")}));
}

TEST_F(BatchTest, NoPriorInstallation) {
  const fs::path d = temp.path() / "d";
  hw::testing::WriteBytes(d / "Apps" / "Old" / "NOTES.TXT", "x");
  hw::testing::WriteBytes(d / "Apps" / "Old" / "HWVER4.EXE", "x");
#ifdef _WIN32  // a host path is a Windows path
  const std::string notes = "D:\\Apps\\Old\\NOTES.TXT";
#else  // the dialog's host path is shown as its Windows path
  const std::string notes = (d / "Apps" / "Old" / "NOTES.TXT").string();
#endif
  const Lines log = {"Log of Hoardwise Plus Conversion Activity",
                     "Old installation directory: D:\\Apps\\Old\\",
                     "Beginning Analysis of prior installation"};
  const struct {
    std::string pick, shown;
    bool found;
  } cases[] = {
      {"", "", false},
      {notes, "D:\\Apps\\Old\\NOTES.TXT", false},
      {"D:\\Apps\\hwver4.exe", "D:\\Apps\\hwver4.exe", false},
      {"D:\\Apps\\Old\\HWVER4.EXE", "D:\\Apps\\Old\\HWVER4.EXE", true},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.shown);
    Lines args = {"--drive", "N=" + n.string(), "--drive", "D=" + d.string(), "--no-start"};
    if (!test.pick.empty()) args.insert(args.end(), {"--pick", test.pick});
    const Result r = RunBatch(n, args);
    EXPECT_EQ(r.events, (test.found ? Events{Message(hw::texts::kLocatePrior), Dialog(test.shown),
                                             End("closed")}
                                    : Events{Message(hw::texts::kLocatePrior), Dialog(test.shown),
                                             Message(hw::texts::kNotPrior), End("not-found")}));
    EXPECT_EQ(r.status, test.found ? 0 : 1);
    EXPECT_EQ(Log(), test.found ? log : Lines{log[0]});
  }
}

// Answering Abort ends on the fatal path; the damaged installations' fault matrix pins that.
TEST_F(BatchTest, RepliesAndInjectedFaults) {
  // The existence check's 53 means "missing"; the second open, creating the table, asks.
  const Result retried =
      RunBatch(n, With({"--fail", "DEFAULT.mst:open:53:2", "--reply", "retry", "--no-start"}));
  EXPECT_EQ(
      std::pair(retried.status, retried.events),
      std::pair(0, Events{Message(kUnexpected, "exclamation", "retry", "Error"), End("closed")}));
  EXPECT_EQ(ReadText(n / "DEFAULT.mst").substr(2 * 659, 8), "5.0.0   ");

  const Result startup = RunBatch(n, With({"--fail", "HoardwiseCLog.lst:open:57"}));
  EXPECT_EQ(
      std::pair(startup.status, startup.events),
      std::pair(1, Events{Message("Run-time error '57'", "critical"), End("startup-failed")}));

  WritePriorUser("C:\\HWVER4\\SMITH\\");
  const Result analysis = RunBatch(n, With({"--fail", "smith:mkdir:75"}));
  EXPECT_EQ(std::pair(analysis.status, analysis.events),
            std::pair(1, Events{Message("An error was encountered attempting to analyze the old "
                                        "installation, contact Quenfield for assistance!"),
                                End("analysis-failed")}));
  EXPECT_EQ(Log().back(), "Modified directory: 4 SMITH\\");
}

// Every file in the new data folder after the sample conversion with every answer Yes, one
// "relative-path size digest" line each (FNV-1a, 64 bits), sorted; both hosts write the same
// bytes, so one list holds for both. The list is compiled in; to rewrite it after an intended
// change, run this test with HW_WRITE_GOLDEN=<checkout>/tests/golden/sample-conversion.txt and
// build again.
constexpr char kGolden[] =
#include "golden/sample-conversion.txt"
    ;

TEST(SampleConversion, WritesTheListedBytes) {
  hw::testing::TempFolder temp;
  const fs::path root = temp.path() / "sample";
  const fs::path data = root / "n" / "Hoardwise";
  ASSERT_EQ(RunProgram("hwsample", {hw::Utf8Of(root)}, temp.path(), temp.path()).status, 0);
  const Result r = RunProgram("hwconvert-batch",
                              {"--drive", "C=" + hw::Utf8Of(root / "c"), "--drive",
                               "N=" + hw::Utf8Of(root / "n"), "--answers", "YYY"},
                              data, temp.path());
  ASSERT_EQ(r.status, 0) << r.err;
  std::set<std::string> got, want;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(data)) {
    if (!e.is_regular_file()) continue;
    const std::string bytes = ReadText(e.path());
    uint64_t digest = 14695981039346656037ull;
    for (const unsigned char ch : bytes) digest = (digest ^ ch) * 1099511628211ull;
    std::string path = hw::Utf8Of(fs::relative(e.path(), data));
    std::ranges::replace(path, '\\', '/');
    got.insert(fmt::format("{} {} {:016x}", path, bytes.size(), digest));
  }
  if (const char* golden = std::getenv("HW_WRITE_GOLDEN")) {
    hw::testing::WriteBytes(golden, fmt::format("R\"(\n{}\n)\"\n", fmt::join(got, "\n")));
  }
  std::istringstream listed(kGolden);
  for (std::string line; std::getline(listed, line);) {
    if (!line.empty()) want.insert(line);
  }
  Lines listed_only, written_only;
  std::ranges::set_difference(want, got, std::back_inserter(listed_only));
  std::ranges::set_difference(got, want, std::back_inserter(written_only));
  EXPECT_EQ(listed_only, written_only) << "the two are disjoint: both should be empty";
}

}  // namespace
