// hwverify: reconciles a prior installation with the new data folder that HWConvert filled,
// and tells the collector whether everything arrived.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "hwconvert/desktop_drives.h"
#include "hwverify/checks.h"
#include "hwverify/output.h"
#include "platform/text.h"

#ifdef _WIN32
#include <shellapi.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

constexpr char kReportFile[] = "HWConvert-Verification.html";

constexpr char kDescription[] =
    "Checks that HWConvert carried everything over: run it in the new data folder after the\n"
    "conversion. It reads the prior installation (the one the conversion log names, else the\n"
    "standard places) and the new data folder, and reconciles users, collections item by\n"
    "item, choice lists, storage locations, buyers and sellers, screen designs, report\n"
    "formats and the log's error lines. Run without arguments it writes\n"
    "HWConvert-Verification.html there and opens it in the browser. Exit status: 0 when everything "
    "arrived, 1 when\n"
    "something did not, 2 for bad options or no prior installation found.";

// Opens the report in the default browser without waiting for it.
void OpenInBrowser(const fs::path& file) {
#ifdef _WIN32
  ShellExecuteW(nullptr, L"open", file.wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
#else
  if (fork() == 0) {
    execlp("xdg-open", "xdg-open", file.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
#endif
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app(kDescription, "hwverify");
  std::vector<std::string> drive_options;
  std::string prior;
  std::string html;
  bool json = false;
  app.set_version_flag("--version", std::string("hwverify ") + HW_VERSION);
  app.add_option("--drive", drive_options,
                 "host folder DIR stands for drive X: (repeatable), as for hwconvert-batch;\n"
                 "without it, the drives of the desktop's Wine prefix, as for the window")
      ->type_name("X=DIR");
  app.add_option("--prior", prior,
                 "the prior installation folder, a Windows path or a host path (starting\n"
                 "with /); by default the one the log names, else the standard places")
      ->type_name("PATH");
  app.add_flag("--json", json, "write the report as JSON instead of the table");
  app.add_option("--html", html, "also write the report as an HTML page to FILE")
      ->type_name("FILE");
  CLI11_PARSE(app, argc, argv);

  // Without a mapping, the drives are those the desktop's Wine prefix gives the window.
  const std::optional<fs::path> prefix = hwconvert::WinePrefix();
  hw::DriveMap drives =
      drive_options.empty() && prefix ? hwconvert::WineDrives(*prefix) : hw::DriveMap();
  for (const std::string& d : drive_options) {
    std::error_code ec;
    const fs::path dir = d.size() > 2 && d[1] == '=' ? fs::canonical(d.substr(2), ec) : fs::path();
    if (dir.empty() || ec || !fs::is_directory(dir)) {
      std::cerr << "hwverify: --drive wants X=DIR with an existing folder: " << d << '\n';
      return 2;
    }
    drives.Map(d[0], dir);
  }
  const std::optional<std::string> current = drives.WindowsPathOf(fs::current_path());
  if (!current) {
    std::cerr << "hwverify: the current folder cannot be written as a Windows path\n";
    return 2;
  }
  const std::string new_folder = current->back() == '\\' ? *current : *current + "\\";
  hw::FileSystem files(drives, *current);
  const std::vector<std::string> log = hwverify::ReadLog(files, new_folder);
  if (!prior.empty() && prior.front() == '/') {
    std::optional<std::string> win = drives.WindowsPathOf(prior);
    prior = win ? *win : "";
  } else if (std::string win; hw::Utf8ToWin1252(prior, win)) {
    prior = win;
  } else {
    prior.clear();
  }
  if (prior.empty()) prior = hwverify::FindPriorFolder(files, log);
  if (prior.empty()) {
    std::cerr << "hwverify: no prior installation found; name it with --prior\n";
    return 2;
  }
  if (prior.back() != '\\') prior += '\\';

  const hwverify::Report report = hwverify::Verify(files, prior, new_folder, log);
  const bool double_clicked = argc == 1;
  if (double_clicked) html = (fs::current_path() / kReportFile).string();
  if (!html.empty()) {
    std::ofstream out(html, std::ios::binary);
    hwverify::WriteHtml(report, out);
    if (!out) {
      std::cerr << "hwverify: cannot write " << html << '\n';
      return 2;
    }
  }
  if (json) {
    hwverify::WriteJson(report, std::cout);
  } else {
    hwverify::WriteText(report, std::cout);
  }
  if (double_clicked) OpenInBrowser(html);
  return report.Complete() ? 0 : 1;
}
