#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace hw::testing {

struct ProgramRun {
  int status = -1;  // the exit status; -1 when the program could not run or was killed
  std::string out;  // standard output, as bytes
  std::string err;  // standard error, as bytes
};

// Runs the front end `name` (e.g. "hwconvert-batch") of this build with `args` (UTF-8) in the
// host folder `cwd`, and waits for it. Standard error passes through `err_file`.
ProgramRun RunProgram(const std::string& name, const std::vector<std::string>& args,
                      const std::filesystem::path& cwd, const std::filesystem::path& err_file);

}  // namespace hw::testing
