#pragma once

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace hw::testing {

// One run of a program to its end, or until its time is up.
struct ProgramRun {
  int status = -1;  // the exit status; -1 when the program could not run or a signal ended it
  int signal = 0;   // the signal that ended it, 0 when it exited
  bool timed_out = false;
  std::string out;                             // standard output, as bytes
  std::string err;                             // standard error, as bytes
  std::vector<nlohmann::ordered_json> events;  // standard output, one JSON line each
};

// Runs the front end `name` (e.g. "hwconvert-batch") of this build with `args` (UTF-8) in the
// host folder `cwd`, and waits for it; its output passes through files in `scratch`. On POSIX
// hosts a `cpu_limit` other than zero ends a run that uses more processor time than that, or
// ten times that in all.
ProgramRun RunProgram(const std::string& name, const std::vector<std::string>& args,
                      const std::filesystem::path& cwd, const std::filesystem::path& scratch,
                      std::chrono::seconds cpu_limit = std::chrono::seconds(0));

}  // namespace hw::testing
