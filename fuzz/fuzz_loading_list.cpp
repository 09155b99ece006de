// Loading lists of any content, read as fixed-column text and as CSV, in
// add and in replace mode: the reader never faults, accounts for every
// line, keeps the quay within its capacity, and a file it refuses leaves
// the cells and the quay exactly as they were.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "conditions/LoadingList.h"
#include "conditions/LoadingListFile.h"
#include "core/Host.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"
#include "vessel/BaseData.h"

namespace fs = std::filesystem;

namespace {

// Bays 01 and 03 make 40' bay 02; the list layout of loadlist.txt and a
// few CSV header names.
void BuildWorld(PlanData& plan) {
  for (const char* bay : {"01", "03"}) {
    plan.Bays[plan.BayCount].BAY = bay;
    plan.Bays[plan.BayCount].FIRSTCELL = plan.CellCount;
    plan.Bays[plan.BayCount].D40 = "02";
    for (const char* rowTier : {"0082", "0182", "0102"}) {
      StructCel& cell = plan.Cells[plan.CellCount];
      cell.CELL = std::string(bay) + rowTier;
      cell.BAYIX = plan.BayCount;
      cell.LCG = 10 + plan.CellCount;
      cell.LCG_40 = 13 + plan.CellCount;
      ++plan.CellCount;
    }
    plan.Bays[plan.BayCount].LASTCELL = plan.CellCount - 1;
    ++plan.BayCount;
  }
  const StructLis lis[] = {{2, "", 9, 3},    {3, "", 14, 3}, {1, "", 22, 11}, {8, "", 33, 2}, {7, "", 35, 2},
                           {20, "B", 48, 1}, {6, "", 53, 5}, {9, "", 86, 4},  {0, "", 105, 6}};
  for (const StructLis& l : lis) plan.LisCols[plan.LisCount++] = l;
  const StructXLS xls[] = {{1, "CONT"}, {2, "POL"}, {3, "POD"},  {6, "WEIG"}, {7, "TYPE"},
                           {8, "SIZE"}, {9, "ISO"}, {30, "QTY"}, {63, "SER"}, {64, "CD"}};
  for (const StructXLS& x : xls) plan.Xls[plan.XlsCount++] = x;
  plan.Isos[plan.IsoCount++] = StructIso{"G1", "DV", "GP", "GENERAL"};
  plan.Sizes[plan.SizeCount++] = "202";
  plan.Sizes[plan.SizeCount++] = "404";
  plan.VesHdr[VesHdrIx::Port] = "GOA";
}

struct World {
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stability{*plan};
  QuietHost host;
  PlanContext ctx{*plan, stability, host};
  BaseData base{*plan, host};
  LoadingList list{ctx};
  fs::path dir = fs::temp_directory_path() / ("zum4_fuzz_loadlist_" + std::to_string(::getpid()));

  World() {
    BuildWorld(*plan);
    fs::create_directories(dir);
  }
};

std::vector<StructDat> Snapshot(const PlanData& plan) {
  std::vector<StructDat> records(plan.Cur().begin(), plan.Cur().begin() + plan.CellCount);
  records.insert(records.end(), plan.Dat[kQuayPlane].begin(), plan.Dat[kQuayPlane].begin() + plan.QuayCount);
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static World world;
  PlanData& plan = *world.plan;
  SetNumberFormat(NumberFormat{'.', ','});
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const char* name : {"list.txt", "list.csv"}) {
    const fs::path file = world.dir / name;
    {
      std::ofstream out(file, std::ios::binary | std::ios::trunc);
      out << bytes;
    }
    for (bool add : {true, false}) {
      const std::vector<StructDat> before = Snapshot(plan);
      const LoadingListImport r = ImportLoadingList(world.ctx, world.base, world.list, file, add, true);
      if (!r.accepted) {
        Check(Snapshot(plan) == before);
        continue;
      }
      Check(r.lines ==
            (r.headerLine > 0 ? 1 : 0) + r.read + r.blankLines + static_cast<int>(r.unreadable.size()));
      Check(r.placed + r.toQuay + r.leftOut + static_cast<int>(r.skipped.size()) <= r.units);
      Check(plan.QuayCount >= 0 && plan.QuayCount <= kMaxCells && plan.QuayLive <= plan.QuayCount);
      Check(!plan.InBatch());
      Check(plan.Cur()[plan.UnitInHandIndex] == StructDat{});
      // The list offers live quay units only.
      for (const LoadingList::Line& line : world.list.Lines)
        Check(line.record >= 0 && line.record < plan.QuayCount &&
              plan.Dat[kQuayPlane][line.record].STATUS > 0);
    }
  }
  world.list.EmptyQuay();
  return 0;
}
