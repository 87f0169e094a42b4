#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "fixtures/table_image.h"
#include "lists/list_records.h"
#include "records/collection_records.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using hw::testing::ReadBytes;
using hw::testing::ReadText;
using hw::testing::TempFolder;
using hw::testing::WriteBytes;

// A sample installation, converted with every question answered Yes, then verified in its new
// data folder N:\Hoardwise.
class VerifyTest : public ::testing::Test {
 protected:
  VerifyTest() : root(temp.path() / "sample"), data(root / "n" / "Hoardwise") {
    EXPECT_EQ(hw::testing::RunProgram("hwsample", {root.string()}, temp.path(), temp.path()).status,
              0);
  }

  // Runs a program of the project in the new data folder; its standard output lands in `out`.
  int Run(const std::string& program, std::vector<std::string> args) {
    args.insert(args.begin(),
                {"--drive", "C=" + (root / "c").string(), "--drive", "N=" + (root / "n").string()});
    const hw::testing::ProgramRun run = hw::testing::RunProgram(program, args, data, temp.path());
    out = run.out;
    return run.status;
  }
  int Convert(std::vector<std::string> extra = {}) {
    extra.insert(extra.begin(), {"--answers", "YYY"});
    return Run("hwconvert-batch", extra);
  }
  // Runs hwverify --json and returns its exit status; the report lands in `report`.
  int Verify() {
    const int status = Run("hwverify", {"--json"});
    report = Json::parse(out, nullptr, false);
    return status;
  }
  const Json& Collection(const std::string& name) const {
    for (const Json& u : report["users"]) {
      for (const Json& c : u["collections"]) {
        if (c["name"] == name) return c;
      }
    }
    throw std::runtime_error("no collection " + name);
  }
  // The names of what the report finds incomplete: collections and lists.
  std::vector<std::string> Incomplete() const {
    std::vector<std::string> names;
    for (const Json& u : report["users"]) {
      if (!u["in_table"] || !u["folder_exists"]) names.push_back(u["name"]);
      for (const Json& c : u["collections"]) {
        if (!c["complete"]) names.push_back(c["name"]);
      }
    }
    for (const Json& l : report["lists"]) {
      if (!l["missing"].empty()) names.push_back(l["kind"]);
    }
    return names;
  }

  TempFolder temp;
  fs::path root;  // the sample: drive C: is root/c, N: is root/n
  fs::path data;
  std::string out;
  Json report;
};

TEST_F(VerifyTest, TheConvertedSampleArrivedComplete) {
  ASSERT_EQ(Convert(), 0);
  EXPECT_EQ(Verify(), 0) << out;
  EXPECT_EQ(report["summary"], "Everything arrived.");
  EXPECT_EQ(report["prior_folder"], "C:\\HWVER4\\");
  EXPECT_EQ(report["users"].size(), 3u);
  EXPECT_TRUE(Incomplete().empty());
  EXPECT_TRUE(report["log_errors"].empty());
  const Json& us = Collection("US Coins");
  EXPECT_EQ(us["prior_items"], 5);
  EXPECT_EQ(us["new_items"], 5);
  EXPECT_EQ(us["us_coins"], 5);
  EXPECT_EQ(us["money"].size(), 3u);
  for (const Json& m : us["money"]) EXPECT_EQ(m["prior"], m["new"]);

  // The table for the terminal says the same.
  EXPECT_EQ(Run("hwverify", {}), 0);
  EXPECT_NE(out.find("Everything arrived."), std::string::npos);

  // The HTML page is self-contained: nothing is fetched and nothing runs.
  const fs::path page = temp.path() / "report.html";
  ASSERT_EQ(Run("hwverify", {"--html", page.string()}), 0);
  const std::string html = ReadText(page);
  for (const char* outside : {"<script", "src=", "href="}) {
    EXPECT_EQ(html.find(outside), std::string::npos) << outside;
  }
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "chromium is not installed (scripts/test installs it)";
  }
  // As a browser shows it.
  const std::string command =
      "chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
      "--disable-background-networking --disable-component-update --disable-sync "
      "--user-data-dir='" +
      (temp.path() / "profile").string() + "' --dump-dom 'file://" + page.string() + "' >'" +
      (temp.path() / "dom").string() + "' 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string dom = ReadText(temp.path() / "dom");
  EXPECT_NE(dom.find("<p id=\"summary\" class=\"summary ok\">Everything arrived.</p>"),
            std::string::npos);
  for (const char* user : {"John Smith", "Mary Jones", "Luis Garcia"}) {
    EXPECT_NE(dom.find(std::string("<h2>") + user + " — complete</h2>"), std::string::npos) << user;
  }
  EXPECT_NE(dom.find("<td>US Coins</td><td class=\"n\">5</td><td class=\"n\">5</td>"),
            std::string::npos);
}

TEST_F(VerifyTest, ACollectionWhoseConversionFailedIsTheOnlyOneShort) {
  // The new file exists already, so the first write to it is the item conversion's header,
  // and the failure ends that collection only.
  const hw::TableImage empty =
      hw::TableImage::New("US Coins.clu", hw::kNewCollectionRecordLength, 4);
  WriteBytes(data / "SMITH" / "My Collections" / "US Coins.clu", empty.Bytes());
  ASSERT_EQ(Convert({"--fail", "US Coins.clu:write:57"}), 0);

  EXPECT_EQ(Verify(), 1);
  EXPECT_EQ(Incomplete(), std::vector<std::string>{"US Coins"});
  const Json& us = Collection("US Coins");
  EXPECT_EQ(us["prior_items"], 5);
  EXPECT_EQ(us["new_items"], 0);
  EXPECT_EQ(us["short"], 5);
  ASSERT_EQ(report["log_errors"].size(), 1u);
  EXPECT_EQ(report["log_errors"][0]["concerns"], "Collection US Coins");
  EXPECT_EQ(report["summary"],
            "Not everything arrived: 1 collection short, 1 error in the conversion log.");
}

// A container dropped from its list, and a changed description of the first coin of US Coins.
TEST_F(VerifyTest, ADeletedListEntryAndAChangedItemTextAreReported) {
  ASSERT_EQ(Convert(), 0);
  const fs::path list = data / "Combos" / "LocationsLink.cb5";
  std::vector<std::byte> bytes = ReadBytes(list);
  const int32_t next = std::to_integer<int32_t>(bytes[16]) - 1;
  bytes[16] = std::byte(next);
  hw::ChoiceEntry last;
  ASSERT_TRUE(hw::DecodeRecord(
      std::span(bytes).subspan((next - 1) * hw::ChoiceEntry::kSize, hw::ChoiceEntry::kSize), last));
  WriteBytes(list, bytes);

  const std::vector<std::byte> prior = ReadBytes(root / "c" / "HWVER4" / "SMITH" / "COIN.cl4");
  hw::PriorItemMain item;
  ASSERT_TRUE(hw::DecodeRecord(
      std::span(prior).subspan(3 * hw::kPriorCollectionRecordLength, hw::PriorItemMain::kSize),
      item));
  const std::string description = item.Text128[1].Trimmed();
  ASSERT_FALSE(description.empty());
  const fs::path file = data / "SMITH" / "My Collections" / "US Coins.clu";
  std::string text = ReadText(file);
  const size_t at = text.find(description, 3 * hw::kNewCollectionRecordLength);
  ASSERT_LT(at, 4u * hw::kNewCollectionRecordLength);
  text[at] = '#';
  WriteBytes(file, text);

  EXPECT_EQ(Verify(), 1);
  EXPECT_EQ(Incomplete(), (std::vector<std::string>{"US Coins", "Containers"}));
  EXPECT_EQ(report["lists"][5]["missing"], Json::array({last.ItemText.Trimmed()}));
  const Json& us = Collection("US Coins");
  ASSERT_EQ(us["text_differences"].size(), 1u);
  EXPECT_EQ(us["text_differences"][0]["item"], 1);
  EXPECT_EQ(us["text_differences"][0]["label"], "DESCRIPTION:");
  EXPECT_EQ(us["text_differences"][0]["text"], description);
}

}  // namespace
