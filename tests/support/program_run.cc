#include "support/program_run.h"

#include <sstream>

#include "platform/program_args.h"
#include "support/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace hw::testing {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32

// The front ends sit in apps/ beside the tests/ folder of this executable.
fs::path Program(const std::string& name) {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  return fs::path(self).parent_path().parent_path() / "apps" / (name + ".exe");
}

// One argument as the C run-time splits a command line: backslashes count only before a quote.
std::wstring Quoted(const std::wstring& arg) {
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t ch : arg) {
    if (ch == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(ch == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    out += ch;
  }
  out.append(2 * backslashes, L'\\');
  return out + L"\"";
}

void Run(ProgramRun& r, const std::string& name, const std::vector<std::string>& args,
         const fs::path& cwd, const fs::path& out_file, const fs::path& err_file,
         std::chrono::seconds) {
  const fs::path program = Program(name);
  std::wstring command = Quoted(program.native());
  for (const std::string& a : args) command += L" " + Quoted(PathFromUtf8(a).native());
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const auto create = [&](const fs::path& file) {
    return CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE out = create(out_file);
  HANDLE err = create(err_file);
  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  start.hStdOutput = out;
  start.hStdError = err;
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, cwd.c_str(), &start, &process);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) return;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) r.status = static_cast<int>(code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

#else

void Run(ProgramRun& r, const std::string& name, const std::vector<std::string>& args,
         const fs::path& cwd, const fs::path& out_file, const fs::path& err_file,
         std::chrono::seconds limit) {
  const std::string program = (fs::path(HW_BIN_DIR) / name).string();
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(::open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    ::dup2(::open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    if (limit.count() > 0) {
      // The limit is on processor time, so that a busy machine does not fail a sound run; the
      // alarm, at ten times the limit, ends a run that hangs without using the processor.
      const rlimit cpu{static_cast<rlim_t>(limit.count()), static_cast<rlim_t>(limit.count() + 1)};
      ::setrlimit(RLIMIT_CPU, &cpu);
      ::alarm(static_cast<unsigned>(10 * limit.count()));
    }
    if (::chdir(cwd.c_str()) == 0) ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) {
    r.signal = WTERMSIG(status);
    r.timed_out = r.signal == SIGXCPU || r.signal == SIGKILL || r.signal == SIGALRM;
  } else {
    r.status = WEXITSTATUS(status);
  }
}

#endif

}  // namespace

ProgramRun RunProgram(const std::string& name, const std::vector<std::string>& args,
                      const fs::path& cwd, const fs::path& scratch, std::chrono::seconds limit) {
  ProgramRun r;
  Run(r, name, args, cwd, scratch / "stdout.txt", scratch / "stderr.txt", limit);
  r.out = ReadText(scratch / "stdout.txt");
  r.err = ReadText(scratch / "stderr.txt");
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    r.events.push_back(nlohmann::ordered_json::parse(line, nullptr, false));
  }
  return r;
}

}  // namespace hw::testing
