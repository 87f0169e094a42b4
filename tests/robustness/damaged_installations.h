#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Damaged prior installations, made from a copy of the sample installation at test time.
namespace hw::testing {

// The conversion log in the new data folder.
inline constexpr char kLogName[] = "HoardwiseCLog.lst";

// One way to damage a copy of the sample: `apply` gets the host folders of its prior
// installation and of its new data folder.
struct Damage {
  std::string name;
  std::function<void(const std::filesystem::path& prior, const std::filesystem::path& data)> apply;
};

// Every family takes the prior installation's table files, relative to its folder.
using TableFiles = std::vector<std::filesystem::path>;

// Each table cut at zero bytes, inside its header and inside its last record.
std::vector<Damage> TruncatedTables(const TableFiles& tables);
// Each table with a record length of 0, negative, half or 32767, and a NextRecord of 0,
// negative, beyond the end of the file or 32767.
std::vector<Damage> BadHeaders(const TableFiles& tables);
// Each table with its records overwritten by garbage or by zeros.
std::vector<Damage> BadRecords(const TableFiles& tables);
// Path-like and strange names in the user list, a collection list and a collection header.
std::vector<Damage> HostileNames();
// A user folder that is a file, duplicate users, and a log that is a link into the prior
// installation.
std::vector<Damage> StructuralOddities();
// Thousands of users, and a report table that claims far more than it holds: the slowest
// cases, kept apart so that they run alongside the others.
std::vector<Damage> LargeClaims();

}  // namespace hw::testing
