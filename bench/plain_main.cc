// The benchmark where Google Benchmark is not built (the Windows build): the same cases,
// printed one line each.
//
//   hwconvert_bench [scale] [users] [collections]   (default: all three)

#include <cstdio>
#include <initializer_list>
#include <set>
#include <string>

#include "bench/cases.h"

int main(int argc, char** argv) {
  std::set<std::string> cases(argv + 1, argv + argc);
  auto run = [&](const char* name) { return cases.empty() || cases.contains(name); };
  if (run("scale")) {
    for (int items : {4000, 8000}) {
      const bench::ScaleFigures f = bench::ScaleCase(items);
      std::printf(
          "Scale/%d: %.3f s, floor %.3f s (x%.2f), peak %.1f MB, read %.0f MB, written %.0f MB\n",
          items, f.conversion_seconds, f.floor_seconds, f.conversion_seconds / f.floor_seconds,
          f.peak_megabytes, static_cast<double>(f.bytes_read) / 1e6,
          static_cast<double>(f.bytes_written) / 1e6);
    }
  }
  if (run("users")) {
    for (int users : {1000, 4000}) {
      const bench::Seconds taken = bench::WholeConversion(users, 0);
      std::printf("Users/%d: %.3f s (cpu %.3f s)\n", users, taken.wall, taken.cpu);
    }
  }
  if (run("collections")) {
    for (int collections : {1000, 3000}) {
      const bench::Seconds taken = bench::WholeConversion(3, collections);
      std::printf("Collections/%d: %.3f s (cpu %.3f s)\n", collections, taken.wall, taken.cpu);
    }
  }
  return 0;
}
