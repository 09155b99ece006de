#include <cstdio>
#include <filesystem>

#include "cli/Commands.h"
#include "cli/Installation.h"
#include "core/TextHelpers.h"
#include "planning/LoadTotals.h"

namespace {

namespace fs = std::filesystem;

const char* const kCategoryNames[] = {"20' full", "20' empty", "40' full", "40' empty", "break bulk"};
constexpr int kCategories = 5;
constexpr int kTotalSlot = kTotalsPorts - 1;

std::string Cell(const PlanData& plan, int pod, int pol) {
  int units = 0;
  double tonnes = 0;
  for (int c = 0; c < kCategories; ++c) {
    units += plan.LoadTotals.COUNT[pod][pol][c];
    tonnes += plan.LoadTotals.WEIGHT[pod][pol][c];
  }
  if (units == 0) return "";
  const std::string weight = FormatFixed(tonnes, 1);
  return std::to_string(units) + "/" + (weight.empty() ? "0" : weight);
}

// Units and tonnes by port of loading (rows) and discharge (columns), then
// by category.
void PrintTotals(const PlanData& plan) {
  std::printf("Units/tonnes by POL (rows) and POD (columns):\n%-6s", "");
  for (int pod = 0; pod <= plan.PodCount; ++pod) std::printf("%14s", plan.PodList[pod].c_str());
  std::printf("%14s\n", "Total");
  for (int pol = 0; pol <= plan.PolCount; ++pol) {
    std::printf("%-6s", plan.PolList[pol].c_str());
    for (int pod = 0; pod <= plan.PodCount; ++pod) std::printf("%14s", Cell(plan, pod, pol).c_str());
    std::printf("%14s\n", Cell(plan, kTotalSlot, pol).c_str());
  }
  std::printf("%-6s", "Total");
  for (int pod = 0; pod <= plan.PodCount; ++pod) std::printf("%14s", Cell(plan, pod, kTotalSlot).c_str());
  std::printf("%14s\n", Cell(plan, kTotalSlot, kTotalSlot).c_str());
  std::printf("By category:\n");
  for (int c = 0; c < kCategories; ++c) {
    const int units = plan.LoadTotals.COUNT[kTotalSlot][kTotalSlot][c];
    const std::string weight = FormatFixed(plan.LoadTotals.WEIGHT[kTotalSlot][kTotalSlot][c], 1);
    std::printf("  %-12s%6d units %12s t\n", kCategoryNames[c], units, weight.empty() ? "0" : weight.c_str());
  }
}

}  // namespace

int CmdCondition(Installation& inst, const std::string& vessel, const std::string& file,
                 const std::string& writeTo) {
  PlanData& plan = *inst.plan;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, vessel, file)) return 1;
  std::printf("Condition: %s\n", plan.PlaneTitle[kCurPlane].c_str());
  plan.PolCount = plan.PodCount = -1;
  for (int cell = 0; cell < plan.CellCount; ++cell) AddToTotals(plan, cell, +1, kCurPlane);
  PrintTotals(plan);
  std::printf("Quay: %d units\n", plan.QuayLive);
  const auto& skipped = opened.conditions.SkippedLines();
  std::printf("Skipped lines: %zu\n", skipped.size());
  for (const SkippedLine& line : skipped) std::printf("  %s\n", line.Text().c_str());
  // How the ship floats with this condition, as the stability report prints it.
  opened.stability.ComputeStability();
  std::vector<std::string> report;
  opened.stability.StabilityReport(report);
  for (const std::string& line : report) std::printf("%s\n", line.c_str());

  if (!writeTo.empty()) {
    const fs::path out = fs::absolute(writeTo);
    if (!opened.conditions.WriteCondition(out.string(), false, kCurPlane).written) return 1;
    std::printf("Written: %s\n", out.string().c_str());
  }
  return inst.host.errorCount == 0 ? 0 : 1;
}
