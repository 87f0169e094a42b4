// The benchmark on Google Benchmark: the scale case at two sizes against the page-cache floor
// measured in the same run, and whole conversions of growing installations.
//
//   hwconvert_bench [--benchmark_filter=REGEX]   (for example Scale, Users or Collections)

#include <benchmark/benchmark.h>

#include "bench/cases.h"

namespace {

// Counts 2 users x 2 collections x state.range(0) coins.
void Scale(benchmark::State& state) {
  for (auto _ : state) {
    const bench::ScaleFigures f = bench::ScaleCase(static_cast<int>(state.range(0)));
    state.SetIterationTime(f.conversion_seconds);
    state.counters["items"] = static_cast<double>(4 * state.range(0));
    state.counters["floor_s"] = f.floor_seconds;
    state.counters["x_floor"] = f.conversion_seconds / f.floor_seconds;
    state.counters["peak_MB"] = f.peak_megabytes;
    state.counters["read_MB"] = static_cast<double>(f.bytes_read) / 1e6;
    state.counters["written_MB"] = static_cast<double>(f.bytes_written) / 1e6;
  }
}

void Whole(benchmark::State& state, int users, int collections) {
  for (auto _ : state) {
    const bench::Seconds taken = bench::WholeConversion(users, collections);
    state.SetIterationTime(taken.wall);
    state.counters["cpu_s"] = taken.cpu;
  }
}

void Users(benchmark::State& state) { Whole(state, static_cast<int>(state.range(0)), 0); }
void Collections(benchmark::State& state) { Whole(state, 3, static_cast<int>(state.range(0))); }

}  // namespace

BENCHMARK(Scale)->Arg(4000)->Arg(8000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(Users)->Arg(1000)->Arg(4000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(Collections)
    ->Arg(1000)
    ->Arg(3000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
