// hwconvert-batch: runs HWConvert without a window, as a user would, and writes what the window
// would show as one JSON object per line on standard output.

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <CLI/CLI.hpp>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/fault_plan.h"
#include "platform/file_system.h"
#include "platform/program_args.h"
#include "platform/text.h"
#include "shell/main_menu.h"

namespace {

namespace fs = std::filesystem;
using hw::Buttons;
using hw::Icon;
using hw::Mark;
using hw::Reply;

constexpr char kDescription[] =
    "Runs HWConvert without a window, in the current folder (the new data folder), as a\n"
    "user would: start-up, then the answers and \"Accept My Answers\", then \"Start "
    "Conversion\".";

constexpr char kFooter[] =
    "Standard output: one JSON object per line, flushed as it is written, in the order\n"
    "things happen; one event for every caption assignment and every show or hide, even\n"
    "when nothing changes (so a mark shown twice is reported twice):\n"
    " {\"event\":\"status\",\"text\":T}                 the status caption changed and was "
    "repainted\n"
    " {\"event\":\"arrow\",\"index\":I,\"visible\":B}     pbArrow(I) shown (true) or hidden "
    "(false)\n"
    " {\"event\":\"check\",\"index\":I,\"visible\":B}     pbCheck(I) shown or hidden\n"
    " {\"event\":\"message\",\"title\":T,\"text\":X,\"icon\":C,\"buttons\":K,\"reply\":R}\n"
    "     C is \"exclamation\", \"critical\" or \"none\"; K is \"ok\" or "
    "\"abort-retry-ignore\";\n"
    "     R is \"ok\", \"abort\", \"retry\" or \"ignore\"\n"
    " {\"event\":\"dialog\",\"path\":P}                 the file-open dialog returned P (\"\" if "
    "cancelled)\n"
    " {\"event\":\"end\",\"how\":H}                     always the last line; H is one of\n"
    "     \"completed\" (after the completion message), \"closed\" (--no-start),\n"
    "     \"fatal\" (the fatal-error path), \"not-found\" (start-up ended: no prior "
    "installation),\n"
    "     \"analysis-failed\", \"startup-failed\" (an error start-up does not handle: the "
    "message\n"
    "     \"Run-time error 'N'\" with the critical icon, OK and the utility's title),\n"
    "     \"conversion-failed\" (the driver's own error message; the window was then closed)\n"
    "Texts are UTF-8. Exit status: 0 for \"completed\" and \"closed\", 1 for any other end,\n"
    "2 for bad options (a message on standard error, nothing run).\n"
    "The current folder appears in the system's texts as a Windows path: the drive whose\n"
    "host folder is the longest whole-component prefix of it (the lowest letter on a tie),\n"
    "e.g. N:\\new when --drive N=/srv with current folder /srv/new, N:\\ when it is /srv;\n"
    "otherwise Z:\\ and the whole host path. A current folder whose name cannot be written\n"
    "in Windows-1252 is refused as a bad option.";

// Keys keep the order in which they are given: the order that --help shows.
using Event = nlohmann::ordered_json;

void Emit(const Event& event) {
  std::cout << event.dump(-1, ' ', false, Event::error_handler_t::replace) << '\n';
  std::cout.flush();
}

std::string Utf8(const std::string& win1252) { return hw::Win1252ToUtf8(win1252); }

// The batch front end's user interface: every event as a JSON line, message boxes answered
// from the --reply queue (abort when it is empty), the dialog answered by --pick.
class BatchUi : public hw::UserInterface {
 public:
  BatchUi(std::deque<Reply> replies, std::string pick)
      : replies_(std::move(replies)), pick_(std::move(pick)) {}

  Reply MessageBox(const std::string& text, Icon icon, Buttons buttons,
                   const std::string& title) override {
    Reply reply = Reply::kOk;
    if (buttons == Buttons::kAbortRetryIgnore) {
      reply = Reply::kAbort;
      if (!replies_.empty()) {
        reply = replies_.front();
        replies_.pop_front();
      }
    }
    Emit({{"event", "message"},
          {"title", Utf8(title)},
          {"text", Utf8(text)},
          {"icon", IconName(icon)},
          {"buttons", buttons == Buttons::kOk ? "ok" : "abort-retry-ignore"},
          {"reply", ReplyName(reply)}});
    return reply;
  }

  std::string OpenFileDialog() override {
    Emit({{"event", "dialog"}, {"path", Utf8(pick_)}});
    return pick_;
  }

  void StatusChanged(const std::string& caption) override {
    Emit({{"event", "status"}, {"text", Utf8(caption)}});
  }

  void MarkChanged(Mark mark, int index, bool visible) override {
    Emit({{"event", mark == Mark::kArrow ? "arrow" : "check"},
          {"index", index},
          {"visible", visible}});
  }

 private:
  static const char* IconName(Icon icon) {
    switch (icon) {
      case Icon::kExclamation:
        return "exclamation";
      case Icon::kCritical:
        return "critical";
      case Icon::kNone:
        break;
    }
    return "none";
  }
  static const char* ReplyName(Reply reply) {
    switch (reply) {
      case Reply::kAbort:
        return "abort";
      case Reply::kRetry:
        return "retry";
      case Reply::kIgnore:
        return "ignore";
      case Reply::kOk:
        break;
    }
    return "ok";
  }

  std::deque<Reply> replies_;
  std::string pick_;
};

const char* EndingName(hw::Ending ending) {
  switch (ending) {
    case hw::Ending::kCompleted:
      return "completed";
    case hw::Ending::kClosed:
      return "closed";
    case hw::Ending::kFatal:
      return "fatal";
    case hw::Ending::kNotFound:
      return "not-found";
    case hw::Ending::kAnalysisFailed:
      return "analysis-failed";
    case hw::Ending::kStartupFailed:
      return "startup-failed";
    case hw::Ending::kConversionFailed:
      return "conversion-failed";
    case hw::Ending::kRunning:
      break;
  }
  return "closed";
}

// The options as parsed: each value already checked against its form.
struct Options {
  std::vector<std::string> drives;
  std::string pick;
  std::string answers = "NNN";  // upper case
  std::vector<std::pair<int, std::string>> tasks;
  bool no_start = false;
  std::vector<std::string> replies;  // keys of kReplies
  std::vector<std::string> fail_specs;
  hw::FaultPlan faults;  // one fault for each of fail_specs
};

struct BadOption {
  std::string message;
};

// Everything the options ask for, checked before anything runs.
struct Plan {
  hw::DriveMap drives;
  std::string pick;  // Windows-1252, a Windows path
  std::array<bool, 3> answers{};
  std::vector<std::pair<int, bool>> tasks;
  bool no_start = false;
  std::deque<Reply> replies;
  hw::FaultPlan faults;
  std::string current;  // the current folder as a Windows path
};

std::string ToWin1252(const std::string& utf8, const std::string& what) {
  std::string out;
  if (!hw::Utf8ToWin1252(utf8, out)) {
    throw BadOption{what + " cannot be written in Windows-1252: " + utf8};
  }
  return out;
}

// The answers --reply names.
const std::map<std::string, Reply> kReplies = {
    {"abort", Reply::kAbort}, {"retry", Reply::kRetry}, {"ignore", Reply::kIgnore}};

// The whole text as a decimal number.
std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Upper-cases --answers and checks that it is three of Y or N.
std::string CheckAnswers(std::string& answers) {
  const std::string given = answers;
  for (char& a : answers) a = static_cast<char>(std::toupper(static_cast<unsigned char>(a)));
  if (answers.size() != 3 || answers.find_first_not_of("YN") != std::string::npos) {
    return "three of Y or N wanted: " + given;
  }
  return {};
}

// Adds the fault that a --fail value NAME:OP:ERR[:TIMES[:AFTER]] describes; the reason when
// the value does not describe one.
std::string AddFault(hw::FaultPlan& faults, const std::string& value) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t colon = value.find(':', start);
    parts.push_back(std::string_view(value).substr(start, colon - start));
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  if (parts.size() < 3 || parts.size() > 5 || parts[0].empty()) {
    return "NAME:OP:ERR[:TIMES[:AFTER]] wanted: " + value;
  }
  static const std::map<std::string_view, hw::FaultOp> kOps = {{"open", hw::FaultOp::kOpen},
                                                               {"read", hw::FaultOp::kRead},
                                                               {"write", hw::FaultOp::kWrite},
                                                               {"mkdir", hw::FaultOp::kMkdir}};
  const auto op = kOps.find(parts[1]);
  if (op == kOps.end()) return "OP is open, read, write or mkdir: " + value;
  hw::Fault fault;
  std::string name;
  if (!hw::Utf8ToWin1252(std::string(parts[0]), name)) {
    return "the name cannot be written in Windows-1252: " + value;
  }
  fault.name = name;
  fault.op = op->second;
  const std::optional<int> error = Number(parts[2]);
  const std::optional<int> times = parts.size() >= 4 ? Number(parts[3]) : 1;
  const std::optional<int> after = parts.size() == 5 ? Number(parts[4]) : 0;
  if (!error || !times || !after) return "ERR, TIMES and AFTER are whole numbers: " + value;
  if (*error <= 0 || *times < 1 || *after < 0) {
    return "ERR and TIMES are at least 1, AFTER at least 0: " + value;
  }
  fault.error = *error;
  fault.times = *times;
  fault.after = *after;
  faults.Add(fault);
  return {};
}

Plan MakePlan(const Options& o) {
  Plan plan;
  plan.no_start = o.no_start;
  for (const std::string& d : o.drives) {
    const size_t eq = d.find('=');
    if (eq != 1 || !std::isalpha(static_cast<unsigned char>(d[0])) || d.size() < 3) {
      throw BadOption{"--drive wants X=DIR: " + d};
    }
    std::error_code ec;
    fs::path dir = fs::canonical(hw::PathFromUtf8(d.substr(2)), ec);
    if (ec || !fs::is_directory(dir)) throw BadOption{"--drive: no such folder: " + d.substr(2)};
    plan.drives.Map(d[0], dir);
  }
  const fs::path cwd = fs::current_path();
  std::optional<std::string> current = plan.drives.WindowsPathOf(cwd);
  if (!current) {
    throw BadOption{"the current folder cannot be written in Windows-1252: " + hw::Utf8Of(cwd)};
  }
  plan.current = *current;
  if (!o.pick.empty() && o.pick[0] == '/') {
    std::optional<std::string> win = plan.drives.WindowsPathOf(hw::PathFromUtf8(o.pick));
    if (!win) throw BadOption{"--pick cannot be shown as a Windows path: " + o.pick};
    plan.pick = *win;
  } else {
    plan.pick = ToWin1252(o.pick, "--pick");
  }
  for (size_t i = 0; i < 3; ++i) plan.answers[i] = o.answers[i] == 'Y';
  for (const auto& [index, state] : o.tasks) plan.tasks.emplace_back(index, state == "on");
  for (const std::string& r : o.replies) plan.replies.push_back(kReplies.at(r));
  plan.faults = o.faults;
  return plan;
}

int Run(Plan& plan) {
  hw::FileSystem file_system(plan.drives, plan.current);
  file_system.SetFaultPlan(&plan.faults);
  BatchUi ui(plan.replies, plan.pick);
  hw::MainMenu window(file_system, ui);
  window.Load();
  if (window.ending() == hw::Ending::kRunning) {
    for (int q = 0; q < 3; ++q) window.SetAnswer(q, plan.answers[q]);
    window.Click(hw::Button::kAccept);
    for (const auto& [index, on] : plan.tasks)
      window.SetTask(static_cast<hw::Operation>(index), on);
    if (plan.no_start) {
      window.Unload();
    } else {
      window.Click(hw::Button::kStartConversion);
      if (window.ending() == hw::Ending::kConversionFailed) window.Unload();
    }
  }
  const hw::Ending ending = window.ending();
  Emit({{"event", "end"}, {"how", EndingName(ending)}});
  return ending == hw::Ending::kCompleted || ending == hw::Ending::kClosed ? 0 : 1;
}

int Main(int argc, char** argv) {
#ifdef _WIN32
  // The transcript has LF line ends on every host.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  CLI::App app(kDescription, "hwconvert-batch");
  app.footer(kFooter);
  Options o;
  app.add_option("--drive", o.drives,
                 "host folder DIR (made canonical) stands for drive X: (repeatable;\n"
                 "letters in any case). Without a mapping, a drive other than Z: has no\n"
                 "files; Z: is the host root unless mapped.")
      ->type_name("X=DIR");
  app.add_option("--pick", o.pick,
                 "the path that the file-open dialog returns: a Windows path, or a host\n"
                 "path (starting with /), which is first shown as its Windows path; the\n"
                 "dialog event and the 10-character rule use that Windows form. Without\n"
                 "it the dialog is cancelled.")
      ->type_name("PATH");
  app.add_option("--answers", o.answers, "Y or N for questions 1, 2 and 3 (default NNN).")
      ->type_name("ABC")
      ->transform(CLI::Validator(CheckAnswers, ""));
  app.add_option("--task", o.tasks,
                 "after the answers are accepted, check or clear chkTask(I), I in 0..5,\n"
                 "by hand (repeatable, applied in order).")
      ->type_name("I=on|off")
      ->delimiter('=')
      ->check(CLI::Range(0, 5).application_index(0).description(""))
      ->check(CLI::IsMember({"on", "off"}).application_index(1).description(""));
  app.add_flag("--no-start", o.no_start,
               "after the answers, close the window instead of starting the conversion.");
  app.add_option("--reply", o.replies,
                 "the answer to the next Abort/Retry/Ignore box: abort, retry or ignore\n"
                 "(repeatable, used in order; when none is left: abort).")
      ->type_name("R")
      ->check(CLI::IsMember(kReplies).description(""));
  app.add_option("--fail", o.fail_specs,
                 "the next TIMES (default 1) operations OP (open, read, write or mkdir)\n"
                 "on a file or folder whose last name component equals NAME without\n"
                 "regard to case, after the first AFTER (default 0) such operations,\n"
                 "raise run-time error ERR (repeatable; for testing).\n"
                 "One operation is one open of the file in any mode (the opens inside\n"
                 "one table open count one by one), one record read or write, one line\n"
                 "written, or one folder creation; a Retry counts again.")
      ->type_name("NAME:OP:ERR[:TIMES[:AFTER]]")
      ->check(CLI::Validator([&o](std::string& value) { return AddFault(o.faults, value); }, ""));
  app.set_version_flag("--version", app.get_name() + " " HW_VERSION);
  // Options look the same on every host: "/x" is a path, never a Windows-style option.
  app.allow_windows_style_options(false);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return 2;
  }
  try {
    Plan plan = MakePlan(o);
    return Run(plan);
  } catch (const BadOption& e) {
    std::cerr << "hwconvert-batch: " << e.message << '\n';
    return 2;
  }
}

}  // namespace

HW_UTF8_MAIN(Main)
