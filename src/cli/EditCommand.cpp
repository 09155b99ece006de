// zum4-cli edit: the editor's commands from a script, one a line, so that a
// move list can be applied in batch and a change reproduced by a reviewer.

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "checks/StowageCheck.h"
#include "cli/Commands.h"
#include "cli/Installation.h"
#include "conditions/LoadingList.h"
#include "core/InputCheck.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "planning/EditScript.h"

int CmdEdit(Installation& inst, const EditArgs& args) {
  std::string bytes;
  std::string error;
  if (!ReadTextBytes(args.script, bytes, error)) {
    std::fprintf(stderr, "error: %s\n", error.c_str());
    return 1;
  }
  OpenedCondition opened(inst);
  if (!opened.Open(inst, args.vessel, args.condition)) return 1;
  PlanData& plan = *inst.plan;
  EditScript run(opened.ctx);
  // load-from-quay takes the units of the vessel's quay.
  LoadingList list(opened.ctx);
  list.Connect(run.Editor());
  list.RefreshQuayRoutes();
  run.Editor().SegregationCheck = [&plan, &inst](int cell) {
    // The check marks the cells it lists by their selection flags, which
    // the script's later lines must not find changed.
    std::vector<int> selected;
    for (int i = 0; i < plan.CellCount; ++i) selected.push_back(plan.Cur()[static_cast<size_t>(i)].SELECTED);
    std::vector<std::string> lines;
    const bool clean = RunStowageCheck(plan, inst.host, true, cell, lines);
    for (int i = 0; i < plan.CellCount; ++i)
      plan.Cur()[static_cast<size_t>(i)].SELECTED = selected[static_cast<size_t>(i)];
    if (!clean)
      for (const std::string& l : lines) std::printf("  segregation: %s\n", l.c_str());
    return clean;
  };
  std::printf("Condition: %s, %d units on board\n", plan.PlaneTitle[kCurPlane].c_str(), run.UnitsOnBoard());
  const std::pair<int, int> quayBefore{plan.QuayCount, plan.QuayLive};
  int number = 0, refused = 0;
  for (const std::string& line : SplitTextLines(bytes)) {
    ++number;
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::string said, reason;
    if (run.Run(line, said, reason)) {
      std::printf("line %d: %s\n", number, said.c_str());
      continue;
    }
    ++refused;
    std::printf("line %d: refused: %s\n", number, reason.c_str());
    std::fprintf(stderr, "%s:%d: %s\n", args.script.c_str(), number, reason.c_str());
    if (args.strict) {
      std::printf("stopped at line %d (--strict); nothing saved\n", number);
      return 1;
    }
  }
  opened.stability.ComputeStability();
  std::printf("Units on board: %d\n", run.UnitsOnBoard());
  const std::string tonnes = FormatFixed(opened.stability.Items[kContainersItem].Tonnes(), 1);
  std::printf("Tonnes on board: %s\n", tonnes.empty() ? "0" : tonnes.c_str());
  if (refused > 0) std::printf("Refused lines: %d\n", refused);
  if (!args.save.empty()) {
    const auto written = SaveConditionAs(opened, inst, args.save, error);
    if (written.empty()) {
      std::fprintf(stderr, "error: %s\n", error.c_str());
      return 1;
    }
    std::printf("Saved: %s\n", written.string().c_str());
    // Units loaded from the quay must not stay in the quay file as well.
    if (std::pair<int, int>{plan.QuayCount, plan.QuayLive} != quayBefore) {
      if (!opened.conditions.WriteCondition("", false, plan.QuayPlane).written) return 1;
      std::printf("Quay file: %s\n", (std::filesystem::path(plan.VesselDir) / "QUA.TXT").string().c_str());
    }
  }
  return refused == 0 && inst.host.errorCount == 0 ? 0 : 1;
}
