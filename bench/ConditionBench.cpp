// Reading a full condition: 9,800 cells, every one holding a 20' unit.
// (a) reading the file and placing every unit into the working data set,
//     then building the load totals from scratch;
// (b) the baseline: reading the same file and splitting it into fields.
// Run: build/bin/bench_conditions

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "conditions/ConditionFile.h"
#include "core/Host.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/LoadTotals.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"
#include "vessel/Ports.h"

namespace fs = std::filesystem;

namespace {

constexpr int kBays = 49;     // 20' bays 01, 03, ... 97
constexpr int kRows = 20;     // rows 01..20
constexpr int kTiers = 10;    // hold 02..10, deck 82..90

struct FullShip {
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stability{*plan};
  QuietHost host;
  PlanContext ctx{*plan, stability, host};
  ConditionFile file{ctx};
  fs::path dir = fs::temp_directory_path() / ("zum4_bench_condition_" + std::to_string(::getpid()));
  fs::path path;

  FullShip() {
    PlanData& p = *plan;
    SetNumberFormat(NumberFormat{'.', ','});
    const char* ports[] = {"DEHAM", "NLRTM", "BEANR", "SGSIN", "CNSHA", "USNYC"};
    for (const char* code : ports) AddOrUpdatePort(p, std::string(code).substr(2), code, code, "", true);
    for (int b = 0; b < kBays; ++b) {
      StructBay& bay = p.Bays[p.BayCount];
      bay.BAY = Pad(IntOrEmpty(2 * b + 1), 2, true, "0");
      bay.FIRSTCELL = p.CellCount;
      for (int t = 0; t < kTiers; ++t) {
        const int tier = t < 5 ? 2 + 2 * t : 82 + 2 * (t - 5);
        for (int r = 1; r <= kRows; ++r) {
          StructCel& cell = p.Cells[p.CellCount];
          cell.CELL = bay.BAY + Pad(IntOrEmpty(r), 2, true, "0") + Pad(IntOrEmpty(tier), 2, true, "0");
          cell.BAYIX = p.BayCount;
          cell.LCG = 5.0 + 6.1 * b;
          cell.LCG_40 = cell.LCG + 3;
          cell.VCG = 1.3 + 2.6 * t;
          cell.TCG = (r % 2 ? 1 : -1) * 2.5 * ((r + 1) / 2);
          ++p.CellCount;
        }
      }
      bay.LASTCELL = p.CellCount - 1;
      ++p.BayCount;
    }
    p.VesselDir = dir.string();
    p.Settings[SettingsIx::ConditionsSubdir] = "COND";
    fs::create_directories(dir / "COND");
    p.VesHdr[VesHdrIx::Vessel] = "BENCH CARRIER";
    p.VesHdr[VesHdrIx::Port] = "GOA";  // no unit starts or ends here: the save keeps them all
    p.VesHdr[VesHdrIx::Voy] = "001E";
    p.VesHdr[VesHdrIx::Adp] = "A";

    // Fill the ship through the placement engine and save it.
    for (int i = 0; i < p.CellCount; ++i) {
      StructDat& hand = p.Cur()[p.UnitInHandIndex];
      hand = StructDat{};
      hand.CONTAINER = "ZUMU" + Pad(IntOrEmpty(i + 1), 7, true, "0");
      hand.POL = std::string(ports[i % 3]).substr(2);
      hand.POD = std::string(ports[3 + i % 3]).substr(2);
      hand.SIZ = "20";
      hand.TYP = i % 7 == 0 ? "RE" : "GP";
      hand.ISO = "22G1";
      hand.WEIGHT = 5.0 + (i % 250) * 0.1;
      hand.HEIGHT = 8.5;
      hand.OPERATOR = "ZUM";
      hand.WEIGHT_KIND = "VGM";
      if (i % 50 == 0) {
        hand.IMO[0] = "3";
        hand.UN[0] = "1203";
      }
      PlaceUnit(ctx, i, kPlaceFromQuay);
    }
    file.WriteCondition("AGOA001E.TXT", false, kCurPlane);
    path = dir / "COND" / "AGOA001E.TXT";
  }
  ~FullShip() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

FullShip& Ship() {
  static FullShip ship;
  return ship;
}

void BM_ReadConditionAndTotals(benchmark::State& state) {
  FullShip& ship = Ship();
  PlanData& plan = *ship.plan;
  for (auto _ : state) {
    if (!ship.file.ReadCondition(ship.path, kCurPlane, false)) state.SkipWithError("read failed");
    plan.PolCount = -1;
    plan.PodCount = -1;
    for (int i = 0; i < plan.CellCount; ++i) AddToTotals(plan, i, +1, kCurPlane);
  }
  int units = 0;
  for (int i = 0; i < plan.CellCount; ++i) units += plan.Cur()[i].STATUS > 0;
  state.counters["units"] = units;
  state.counters["skipped"] = static_cast<double>(ship.file.SkippedLines().size());
  state.counters["grand_total"] = plan.LoadTotals.COUNT[kTotalsPorts - 1][kTotalsPorts - 1][0];
  state.counters["file_MiB"] = static_cast<double>(fs::file_size(ship.path)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ReadConditionAndTotals)->Unit(benchmark::kMillisecond);

void BM_SplitConditionFile(benchmark::State& state) {
  FullShip& ship = Ship();
  for (auto _ : state) {
    std::ifstream in(ship.path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t fields = 0;
    SplitFileFields(bytes, '|', true, 81,
                    [&](int, std::span<const std::string> line, bool) { fields += line.size(); });
    benchmark::DoNotOptimize(fields);
  }
}
BENCHMARK(BM_SplitConditionFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
