// Condition and quay files of any content must read without fault into a
// small vessel, leave the plan consistent, and whatever was read must be
// written so that reading and writing it again gives the same bytes.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "conditions/ConditionFile.h"
#include "core/Host.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"

namespace fs = std::filesystem;

namespace {

// Bays 01 and 03 make 40' bay 02, bay 05 stands alone; deck and hold cells.
void BuildVessel(PlanData& plan) {
  for (const char* bay : {"01", "03", "05"}) {
    plan.Bays[plan.BayCount].BAY = bay;
    plan.Bays[plan.BayCount].FIRSTCELL = plan.CellCount;
    plan.Bays[plan.BayCount].D00 = 1;
    for (const char* rowTier : {"0082", "0182", "0282", "0084", "0102", "0202", "0104"}) {
      StructCel& cell = plan.Cells[plan.CellCount];
      cell.CELL = std::string(bay) + rowTier;
      cell.BAYIX = plan.BayCount;
      cell.LCG = 10 + plan.CellCount;
      cell.LCG_40 = 13 + plan.CellCount;
      cell.VCG = 2 + plan.CellCount % 5;
      ++plan.CellCount;
    }
    plan.Bays[plan.BayCount].LASTCELL = plan.CellCount - 1;
    ++plan.BayCount;
  }
  for (int b : {0, 1}) {
    plan.Bays[b].D40 = "02";
    plan.Bays[b].H40 = "02";
  }
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct World {
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stability{*plan};
  QuietHost host;
  PlanContext ctx{*plan, stability, host};
  ConditionFile file{ctx};
  fs::path dir = fs::temp_directory_path() / ("zum4_fuzz_condition_" + std::to_string(::getpid()));

  World() {
    BuildVessel(*plan);
    plan->VesselDir = dir.string();
    plan->Settings[SettingsIx::ConditionsSubdir] = "COND";
    fs::create_directories(dir / "COND");
  }
};

void CheckConsistent(const PlanData& plan) {
  for (int i = 0; i < plan.CellCount; ++i) Check(plan.Cur()[i].STATUS >= -1 && plan.Cur()[i].STATUS <= 1);
  Check(!plan.InBatch());
  Check(plan.Cur()[plan.UnitInHandIndex] == StructDat{});
  Check(plan.QuayCount >= 0 && plan.QuayCount <= kMaxCells);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static World world;
  PlanData& plan = *world.plan;
  SetNumberFormat(NumberFormat{'.', ','});
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // A condition: read, write, read, write; the two files written agree.
  const fs::path input = world.dir / "COND" / "input.TXT";
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  // A file that is no condition is refused and changes nothing.
  const std::vector<StructDat> before(plan.Cur().begin(), plan.Cur().begin() + plan.CellCount);
  const std::string titleBefore = plan.PlaneTitle[kCurPlane];
  if (!world.file.ReadCondition(input, kCurPlane, false)) {
    Check(std::equal(before.begin(), before.end(), plan.Cur().begin()));
    Check(plan.PlaneTitle[kCurPlane] == titleBefore);
    CheckConsistent(plan);
    return 0;
  }
  CheckConsistent(plan);
  Check(world.file.WriteCondition("first.TXT", false, kCurPlane).written);
  Check(world.file.ReadCondition(world.dir / "COND" / "first.TXT", kCurPlane, false));
  Check(world.file.SkippedLines().empty());
  CheckConsistent(plan);
  Check(world.file.WriteCondition("first.TXT", false, kCurPlane).written == true);
  const std::string first = ReadBytes(world.dir / "COND" / "first.TXT");
  Check(world.file.ReadCondition(world.dir / "COND" / "first.TXT", kCurPlane, false));
  Check(world.file.WriteCondition("first.TXT", false, kCurPlane).written);
  Check(ReadBytes(world.dir / "COND" / "first.TXT") == first);

  // The other data sets take the same bytes without harm.
  for (int i = 0; i < plan.CellCount; ++i) plan.Dat[kRefPlane][i] = StructDat{};
  world.ctx.LoadingReference = true;
  world.file.ReadCondition(input, kRefPlane, false);
  world.ctx.LoadingReference = false;
  plan.VoyUnitCount = 0;
  world.ctx.BuildingVoyage = true;
  world.file.ReadCondition(input, kVoyPlane, false);
  world.ctx.BuildingVoyage = false;
  Check(plan.VoyUnitCount >= 0 && plan.VoyUnitCount <= kMaxCells);

  // The same bytes as a quay file.
  {
    std::ofstream out(world.dir / "QUA.TXT", std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  const int quayBefore = plan.QuayCount;
  if (!world.file.ReadQuayFile()) {
    Check(plan.QuayCount == quayBefore);
    return 0;
  }
  Check(world.file.WriteCondition("", false, kQuayPlane).written);
  const std::string quay = ReadBytes(world.dir / "QUA.TXT");
  Check(world.file.ReadQuayFile());
  Check(world.file.WriteCondition("", false, kQuayPlane).written);
  Check(ReadBytes(world.dir / "QUA.TXT") == quay);
  CheckConsistent(plan);
  return 0;
}
