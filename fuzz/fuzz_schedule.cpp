// A schedule (sch.dat) of any content must fill the condition list without
// fault, and rebuilding it must leave only well-formed, dated, sorted lines,
// one per condition file of the folder.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "conditions/ConditionFile.h"
#include "conditions/ConditionList.h"
#include "conditions/Schedule.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"

namespace fs = std::filesystem;

namespace {

struct World {
  World() : plan(CreatePlanData()), stability(*plan), ctx(*plan, stability, host), file(ctx), list(ctx, file) {
    root = fs::temp_directory_path() / ("zum4_fuzz_schedule_" + std::to_string(getpid()));
    fs::create_directories(root / "COND");
    plan->VesselDir = root.string();
    plan->Settings[SettingsIx::ConditionsSubdir] = "COND";
    plan->VesHdr[VesHdrIx::Adp] = "D";
    plan->VesHdr[VesHdrIx::Port] = "GOA";
    plan->VesHdr[VesHdrIx::Voy] = "003W";
    for (const char* name : {"DGOA003W.TXT", "AGOA003W.TXT", "DSIN003W01.TXT"})
      std::ofstream(root / "COND" / name, std::ios::binary) << "A|V|" << name << "|0|0|0|10|\r\n";
  }
  ~World() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }

  fs::path root;
  std::unique_ptr<PlanData> plan;
  QuietHost host;
  Stability stability;
  PlanContext ctx;
  ConditionFile file;
  ConditionList list;
};

World& TheWorld() {
  static World world;
  return world;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  World& w = TheWorld();
  const fs::path folder = w.root / "COND";
  std::ofstream(folder / "sch.dat", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  w.list.FillConditionList();
  if (w.list.PortRotation.size() > static_cast<size_t>(kMaxPortRotation)) std::abort();
  const int count = static_cast<int>(w.list.Items.size());
  if (w.list.OpenConditionIndex >= count || w.list.Selected >= count) std::abort();
  for (int i = 0; i < count; ++i) {
    if (w.list.Items[i].size() < 17 || w.list.NameField(i).size() != 9) std::abort();
    w.list.DisplayText(i);
    w.list.Selected = i;
    w.list.NeighbourCondition(true, false);
    w.list.NeighbourCondition(false, false);
  }

  std::string error;
  std::vector<std::string> lines;
  if (!ReadSchedule(folder, lines, error)) {
    // A file that is no schedule is refused by the rebuild too, and left as
    // it is.
    if (error.empty() || RebuildScheduleIn(folder, kScheduleWorking, error)) std::abort();
    std::ifstream in(folder / "sch.dat", std::ios::binary);
    const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (kept != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
    return 0;
  }
  if (!RebuildScheduleIn(folder, kScheduleWorking, error)) std::abort();
  if (!ReadSchedule(folder, lines, error)) std::abort();
  if (lines.size() != 3 || !std::is_sorted(lines.begin(), lines.end())) std::abort();
  for (const std::string& line : lines)
    if (line.size() != 33 || ScheduleStatus(line) != kScheduleWorking || !HasScheduleDate(line)) std::abort();
  return 0;
}
