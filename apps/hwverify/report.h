#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What hwverify found: the prior installation reconciled with the new data folder. Texts are
// held as the files hold them (Windows-1252); the writers turn them into UTF-8.
namespace hwverify {

struct TextDifference {
  int64_t item = 0;   // numbered from 1 in file order
  std::string label;  // the prior field's label
  std::string text;   // the prior text that the new item does not hold
};

struct MoneyTotal {
  std::string label;
  int64_t prior = 0;  // value times 10 000
  int64_t now = 0;
};

struct CollectionCheck {
  std::string name;    // as the collector named it
  std::string code;    // the prior file's code
  std::string file;    // the new file, a Windows path
  bool found = false;  // the new file exists and reads
  int64_t prior_items = 0;
  int64_t new_items = 0;
  std::vector<TextDifference> texts;
  std::vector<MoneyTotal> money;
  int64_t us_coins = 0;  // United States coins, and how many got a standard reference
  int64_t us_coins_referenced = 0;
  std::vector<std::string> unpaired;          // prior fields none of whose values arrived
  std::vector<std::string> missing_pictures;  // picture paths without their file

  int64_t Short() const { return prior_items - new_items; }
  bool Complete() const;
};

struct UserCheck {
  std::string name;
  std::string prior_folder;
  std::string new_folder;  // from the new user table, empty when the user is not in it
  bool in_table = false;
  bool folder_exists = false;
  std::vector<CollectionCheck> collections;

  bool Complete() const;
};

// One prior list against its new table: choice lists, storage, buyers and sellers.
struct ListCheck {
  std::string kind;  // "Choice list", "Storage locations", ...
  std::string name;  // the new table, a Windows path
  int64_t prior_entries = 0;
  std::vector<std::string> missing;  // prior entries not in the new table

  bool Complete() const { return missing.empty(); }
};

// A collectible type's screen design and report formats, as the log and the files tell.
struct DesignCheck {
  std::string code;
  std::string name;
  std::string screen;  // what happened to the screen design, or why nothing did
  int64_t prior_reports = 0;
  std::vector<std::string> missing_reports;  // report names not in the new report table
};

struct LogError {
  std::string concerns;  // the collection or operation the line belongs to
  std::string line;
};

struct Report {
  std::string prior_folder;  // Windows paths
  std::string new_folder;
  bool log_found = false;
  std::vector<UserCheck> users;
  std::vector<ListCheck> lists;
  std::vector<DesignCheck> designs;
  std::vector<LogError> log_errors;

  int ShortCollections() const;
  bool Complete() const;
};

}  // namespace hwverify
