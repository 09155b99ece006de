// loadlist and export-loadlist: the main window's loading-list import and
// export, and the loading list's Update mode, without windows.

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "cli/Installation.h"
#include "conditions/LoadingList.h"
#include "conditions/LoadingListFile.h"
#include "planning/EditorCommands.h"
#include "planning/UnitRules.h"

namespace fs = std::filesystem;

namespace {

void PrintLines(const char* caption, const std::vector<SkippedLine>& lines) {
  std::printf("%s: %zu\n", caption, lines.size());
  for (const SkippedLine& line : lines) std::printf("  %s\n", line.Text().c_str());
}

// Read, placed, merged and left on the quay, by route and category.
void PrintRoutes(const PlanData& plan, const LoadingListImport& result, const std::vector<int>& merged) {
  std::map<std::pair<std::string, int>, int> mergedByRoute;
  for (int record : merged) {
    const StructDat& unit = plan.Dat[static_cast<size_t>(plan.QuayPlane)][static_cast<size_t>(record)];
    ++mergedByRoute[{unit.POL + " " + unit.POD, RouteCategory(plan, unit)}];
  }
  std::printf("By route and category:    read placed merged  quay\n");
  for (const auto& [key, counts] : result.byRoute) {
    const int m = mergedByRoute.count(key) ? mergedByRoute.at(key) : 0;
    std::printf("  %-8s %-13s %5d %6d %6d %5d\n", key.first.c_str(), QuayGroupName(key.second).c_str(),
                counts.read, counts.placed, m, counts.toQuay - m);
  }
}

// A condition named "-" is none: the vessel as it opens.
std::string ConditionArgument(const std::string& condition) { return condition == "-" ? "" : condition; }

}  // namespace

int CmdLoadList(Installation& inst, const LoadListArgs& args) {
  PlanData& plan = *inst.plan;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, args.vessel, ConditionArgument(args.condition))) return 1;
  LoadingList list(opened.ctx);
  EditorCommands editor(opened.ctx);
  list.Connect(editor);
  list.ExactMerge = args.exact;

  std::printf("File: %s\n", args.file.c_str());
  const LoadingListImport result = ImportLoadingList(opened.ctx, inst.base, list, args.file, args.add, false);
  if (!result.accepted) return 1;  // the reason is reported with the file's name
  std::vector<int> merged;
  if (args.update) merged = list.MergeIntoPlaceholders(editor);

  std::printf("Kind: %s\n", result.csv ? ("CSV, header on line " + std::to_string(result.headerLine)).c_str()
                                       : "fixed-column");
  std::printf("Mode: %s%s\n", args.add ? "add" : "replace", args.update ? ", update" : "");
  std::printf("Lines: %d (read %d, header %d, blank %d, not readable %zu)\n", result.lines, result.read,
              result.headerLine > 0 ? 1 : 0, result.blankLines, result.unreadable.size());
  std::printf("Units read: %d\n", result.units);
  std::printf("Placed in their cells: %d\n", result.placed);
  std::printf("Merged into placeholders: %zu\n", merged.size());
  std::printf("Put to the quay: %d\n", result.toQuay);
  std::printf("Left out, the quay being full: %d\n", result.leftOut);
  PrintLines("Not readable", result.unreadable);
  PrintLines("Not taken", result.skipped);
  PrintLines("Notes", result.notes);
  PrintRoutes(plan, result, merged);
  std::printf("On the quay: %d units\n", std::max(plan.QuayLive, 0));

  if (!args.save.empty() && !SaveConditionWithQuay(opened, inst, args.save)) return 1;
  const bool done = result.placed + result.toQuay + static_cast<int>(merged.size()) > 0;
  return done ? 0 : 1;
}

int CmdExportLoadList(Installation& inst, const std::string& vessel, const std::string& condition,
                      const std::string& out) {
  PlanData& plan = *inst.plan;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, vessel, ConditionArgument(condition))) return 1;
  const fs::path file = fs::absolute(out);
  if (!ExportLoadingList(plan, inst.host, file)) return 1;
  std::printf("Written: %s\nunits: %zu\n", file.string().c_str(), LoadingListLines(plan).size());
  return 0;
}
