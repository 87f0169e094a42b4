#include "support/program_run.h"

#include <fstream>
#include <sstream>

#include "platform/program_args.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace hw::testing {

namespace fs = std::filesystem;

namespace {

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

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

ProgramRun Run(const fs::path& program, const std::vector<std::string>& args, const fs::path& cwd,
               const fs::path& err_file) {
  std::wstring command = Quoted(program.native());
  for (const std::string& a : args) command += L" " + Quoted(PathFromUtf8(a).native());
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_out = nullptr;
  HANDLE write_out = nullptr;
  if (!CreatePipe(&read_out, &write_out, &inherit, 0)) return {};
  SetHandleInformation(read_out, HANDLE_FLAG_INHERIT, 0);
  HANDLE err = CreateFileW(err_file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  start.hStdOutput = write_out;
  start.hStdError = err;
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, cwd.c_str(), &start, &process);
  CloseHandle(write_out);
  CloseHandle(err);
  ProgramRun r;
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(read_out, buf, sizeof buf, &n, nullptr) && n > 0) r.out.append(buf, n);
  CloseHandle(read_out);
  if (!started) return r;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) r.status = static_cast<int>(code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return r;
}

#else

fs::path Program(const std::string& name) { return fs::path(HW_BIN_DIR) / name; }

ProgramRun Run(const fs::path& program, const std::vector<std::string>& args, const fs::path& cwd,
               const fs::path& err_file) {
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int out_pipe[2];
  if (::pipe(out_pipe) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out_pipe[1], 1);
    ::close(out_pipe[0]);
    ::close(out_pipe[1]);
    const int err = ::open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(err, 2);
    if (::chdir(cwd.c_str()) == 0) ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out_pipe[1]);
  ProgramRun r;
  char buf[4096];
  for (ssize_t n; (n = ::read(out_pipe[0], buf, sizeof buf)) > 0;) r.out.append(buf, n);
  ::close(out_pipe[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

#endif

}  // namespace

ProgramRun RunProgram(const std::string& name, const std::vector<std::string>& args,
                      const fs::path& cwd, const fs::path& err_file) {
  ProgramRun r = Run(Program(name), args, cwd, err_file);
  r.err = Contents(err_file);
  return r;
}

}  // namespace hw::testing
