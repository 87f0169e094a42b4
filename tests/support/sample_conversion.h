#pragma once

#include <filesystem>

#include "hwsample/sample.h"
#include "platform/file_system.h"
#include "shell/main_menu.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

// The sample installation and its conversion in this process, for the targets built with the
// sample writer (apps/hwsample/sample_*.cc).
namespace hw::testing {

// Writes the sample installation, its generator seeded with `seed` and `items` items per
// generated collection, under root/c/HWVER4 (drive C:) and root/n/Hoardwise (drive N:).
inline hwsample::SampleContext WriteSampleInstallation(const std::filesystem::path& root,
                                                       unsigned seed, int items) {
  hwsample::SampleContext ctx;
  ctx.rng.seed(seed);
  ctx.items = items;
  hwsample::WriteInstallation(ctx, root);
  return ctx;
}

// Converts the installation under `root` as a user answering Yes three times would, with the
// questions answered from `ui`, and closes the window if the run left it open.
inline Ending ConvertAnsweringYes(const std::filesystem::path& root, ScriptedUi& ui,
                                  bool scan_searches = false, FaultPlan* faults = nullptr) {
  FileSystem file_system(TestDrives(root / "c", root / "n"), "N:\\Hoardwise");
  file_system.SetFaultPlan(faults);
  // Destroyed before the file system, which then leaves on disk what the run wrote.
  MainMenu menu(file_system, ui);
  menu.conversion().scan_searches = scan_searches;
  menu.Load();
  if (menu.ending() == Ending::kRunning) {
    for (int q = 0; q < 3; ++q) menu.SetAnswer(q, true);
    menu.Click(Button::kAccept);
    menu.Click(Button::kStartConversion);
  }
  if (menu.ending() == Ending::kRunning || menu.ending() == Ending::kConversionFailed) {
    menu.Unload();
  }
  return menu.ending();
}

}  // namespace hw::testing
