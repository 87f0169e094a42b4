#include "robustness/batch_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>

namespace hw::testing {

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

uint64_t Fnv1a(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
  return hash;
}

}  // namespace

BatchOutcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                        const fs::path& cwd, const fs::path& scratch, std::chrono::seconds limit) {
  const fs::path out_file = scratch / "stdout.txt";
  const fs::path err_file = scratch / "stderr.txt";
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, 1);
    ::dup2(err, 2);
    // The limit is on processor time, so that a busy machine does not fail a sound run; the
    // alarm, at ten times the limit, ends a run that hangs without using the processor.
    const rlimit cpu{static_cast<rlim_t>(limit.count()), static_cast<rlim_t>(limit.count() + 1)};
    ::setrlimit(RLIMIT_CPU, &cpu);
    ::alarm(static_cast<unsigned>(10 * limit.count()));
    if (::chdir(cwd.c_str()) == 0) ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  BatchOutcome r;
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) {
    r.signal = WTERMSIG(status);
    r.timed_out = r.signal == SIGXCPU || r.signal == SIGKILL || r.signal == SIGALRM;
  } else {
    r.status = WEXITSTATUS(status);
  }
  std::istringstream lines(ReadText(out_file));
  for (std::string line; std::getline(lines, line);) {
    r.events.push_back(nlohmann::ordered_json::parse(line, nullptr, false));
  }
  r.errors = ReadText(err_file);
  return r;
}

std::map<std::string, std::string> Snapshot(const fs::path& root, const fs::path& excluded) {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
    if (it->path() == excluded) {
      it.disable_recursion_pending();
      continue;
    }
    std::string& entry = entries[fs::relative(it->path(), root).string()];
    if (it->is_symlink()) {
      entry = "link " + fs::read_symlink(it->path()).string();
    } else if (it->is_directory()) {
      entry = "folder";
    } else {
      const auto mtime = it->last_write_time().time_since_epoch().count();
      entry = "file " + std::to_string(it->file_size()) + " " +
              std::to_string(Fnv1a(ReadText(it->path()))) + " " + std::to_string(mtime);
    }
  }
  return entries;
}

}  // namespace hw::testing
