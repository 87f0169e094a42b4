// hwsample: writes a realistic prior installation and a new data folder as the new edition
// ships it, from a seed, for the demo, the end-to-end tests and the benchmark.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

#include "hwsample/sample.h"
#include "platform/program_args.h"

namespace {

int Main(int argc, char** argv) {
  CLI::App app(
      "Writes a sample prior installation under DIR/c/HWVER4 (drive C: is DIR/c) and a new\n"
      "data folder DIR/n/Hoardwise (drive N: is DIR/n). Run the conversion there with\n"
      "  cd DIR/n/Hoardwise && hwconvert-batch --drive C=DIR/c --drive N=DIR/n --answers YYY",
      "hwsample");
  std::string dir_text;  // UTF-8
  unsigned seed = 1;
  hwsample::SampleContext ctx;
  app.add_option("DIR", dir_text, "folder to write into (created; must be empty or missing)")
      ->required();
  app.add_option("--seed", seed, "seed of the generated values (default 1)");
  app.add_option("--users", ctx.users, "number of users (at least 3; default 3)")
      ->check(CLI::Range(3, 500));
  app.add_option("--collections", ctx.collections,
                 "generated collections per user beyond the fixed set (default 0)")
      ->check(CLI::Range(0, 1000));
  app.add_option("--items", ctx.items, "items per generated collection (default 6)")
      ->check(CLI::Range(0, 16381));
  app.set_version_flag("--version", app.get_name() + " " HW_VERSION);
  // Options look the same on every host: "/x" is a path, never a Windows-style option.
  app.allow_windows_style_options(false);
  CLI11_PARSE(app, argc, argv);
  const std::filesystem::path dir = hw::PathFromUtf8(dir_text);

  std::error_code ec;
  if (std::filesystem::exists(dir, ec) && !std::filesystem::is_empty(dir, ec)) {
    std::cerr << "hwsample: " << dir_text << " is not empty\n";
    return 2;
  }
  ctx.rng.seed(seed);
  try {
    hwsample::WriteInstallation(ctx, dir);
  } catch (const std::exception& e) {
    std::cerr << "hwsample: " << e.what() << '\n';
    return 1;
  }
  std::cout << "Prior installation: " << hw::Utf8Of(ctx.prior_root) << " (C:\\HWVER4\\)\n"
            << "New data folder:    " << hw::Utf8Of(ctx.new_root) << " (N:\\Hoardwise\\)\n";
  return 0;
}

}  // namespace

HW_UTF8_MAIN(Main)
