#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace hw::testing {

// One run of a program to its end, or until its time is up.
struct BatchOutcome {
  bool timed_out = false;
  int signal = 0;                              // the signal that ended it, 0 when it exited
  int status = -1;                             // its exit status when it exited
  std::vector<nlohmann::ordered_json> events;  // standard output, one JSON line each
  std::string errors;                          // standard error
};

// Runs `program` with `args` in `cwd`; its output goes through files in `scratch`. A run that
// uses more than `limit` of processor time, or ten times that in all, is killed.
BatchOutcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                        const std::filesystem::path& cwd, const std::filesystem::path& scratch,
                        std::chrono::seconds limit);

// Every entry under `root` except the subtree `excluded` (none when empty), by relative path:
// its kind, then a file's size, content hash and modification time (last), or a link's target. Two
// equal snapshots mean nothing appeared, vanished or changed there.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root,
                                            const std::filesystem::path& excluded);

}  // namespace hw::testing
