#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Damaged prior installations, made from a copy of the sample installation at test time.
namespace hw::testing {

inline constexpr char kLogName[] = "HoardwiseCLog.lst";  // the conversion log

// One way to damage a copy of the sample, given the host folders of its prior installation and
// of its new data folder.
struct Damage {
  std::string name;
  std::function<void(const std::filesystem::path& prior, const std::filesystem::path& data)> apply;
};

// Table files relative to the prior installation's folder.
using TableFiles = std::vector<std::filesystem::path>;

// Each table cut, given bad header numbers, or given records of garbage or zeros.
std::vector<Damage> TruncatedTables(const TableFiles& tables);
std::vector<Damage> BadHeaders(const TableFiles& tables);
std::vector<Damage> BadRecords(const TableFiles& tables);
// Hostile texts in the user list, a collection list and a collection header.
std::vector<Damage> HostileNames();
// A user folder that is a file, duplicate users, a log linked into the prior installation.
std::vector<Damage> StructuralOddities();
// Thousands of users, and a report table that claims far more than it holds: the slowest.
std::vector<Damage> LargeClaims();

}  // namespace hw::testing
