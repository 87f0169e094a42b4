#pragma once

#include <cstdint>

// The benchmark's cases, shared by its two mains: Google Benchmark on Linux, a plain main in
// the Windows build (whose toolchain has no Google Benchmark).
namespace bench {

struct ScaleFigures {
  double conversion_seconds = 0;  // best of three
  double floor_seconds = 0;       // best of three: read every prior byte, write as many as written
  double peak_megabytes = 0;      // resident memory at most during one conversion
  int64_t bytes_read = 0;
  int64_t bytes_written = 0;
};

// 2 users x 2 collections x `items` United States coins against a 3,000-entry standard table,
// converted collection by collection; the conversion and the page-cache floor are measured
// alternately, three times each, after one warming run.
ScaleFigures ScaleCase(int items);

struct Seconds {
  double wall = 0;
  double cpu = 0;  // of the process, user and system: steadier than wall on a busy machine
};

// The time a whole conversion (every question answered Yes) of a sample installation of
// `users` users, each with `collections` collections beyond the sample's own, takes.
Seconds WholeConversion(int users, int collections);

}  // namespace bench
