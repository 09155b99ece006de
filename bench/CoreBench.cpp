// The plan object's footprint and the cost of the number helpers.
// Run: build/bin/bench_core

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>
#include <vector>

#include "core/PlanData.h"
#include "core/TextHelpers.h"

namespace {

long PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // KiB on Linux
}

void BM_CreatePlanData(benchmark::State& state) {
  for (auto _ : state) {
    auto plan = CreatePlanData();
    benchmark::DoNotOptimize(plan.get());
  }
  state.counters["sizeof_PlanData_MiB"] = static_cast<double>(sizeof(PlanData)) / (1024.0 * 1024.0);
  state.counters["peak_rss_MiB"] = static_cast<double>(PeakResidentKiB()) / 1024.0;
}
BENCHMARK(BM_CreatePlanData)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CopyWholeRecord(benchmark::State& state) {
  StructDat source;
  source.CONTAINER = "MSCU1234566";
  source.POL = "DEHAM";
  source.POD = "SGSIN";
  source.IMO[0] = "3";
  source.NOTE_HAN = "a note long enough to live outside the small-string buffer";
  StructDat target;
  for (auto _ : state) {
    target = source;
    benchmark::DoNotOptimize(target);
  }
}
BENCHMARK(BM_CopyWholeRecord);

void BM_ParseReal(benchmark::State& state) {
  const std::vector<std::string> texts = {"21,345", "-3.7", "1 000 kg", "12.5", "0.0049"};
  for (auto _ : state)
    for (const auto& t : texts) benchmark::DoNotOptimize(ParseReal(t));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(BM_ParseReal);

void BM_FormatFixed(benchmark::State& state) {
  double x = 0.001;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatFixed(x, 2));
    x += 1.37;
  }
}
BENCHMARK(BM_FormatFixed);

}  // namespace

BENCHMARK_MAIN();
