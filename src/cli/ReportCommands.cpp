#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Installation.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "reports/ContainersList.h"
#include "reports/Totals.h"

namespace {

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::vector<std::string> CommaList(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const size_t end = comma == std::string::npos ? text.size() : comma;
    if (end > start) parts.push_back(text.substr(start, end - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return parts;
}

// A grouping column named by its list heading (any case) or its number.
int ColumnNamed(const PlanData& plan, const std::string& name) {
  const std::string wanted = Upper(Trim(name));
  for (int c = 0; c < kMaxRepNames; ++c)
    if (!wanted.empty() && Upper(Trim(plan.RepNames[static_cast<size_t>(c)])) == wanted) return c;
  if (!wanted.empty() && wanted.find_first_not_of("0123456789") == std::string::npos && wanted.size() < 3)
    return ParseInt(wanted) < kMaxRepNames ? ParseInt(wanted) : -1;
  return -1;
}

}  // namespace

int CmdReport(Installation& inst, const ReportArgs& args) {
  PlanData& plan = *inst.plan;
  if (args.kind != "totals" && args.kind != "containers") {
    std::fprintf(stderr, "error: no report \"%s\": the reports are containers and totals\n", args.kind.c_str());
    return 2;
  }
  OpenedCondition opened(inst);
  if (!opened.Open(inst, args.vessel, args.condition)) return 1;
  if (args.kind == "containers") {
    const int layout = args.layout.empty() ? 0 : ParseInt(args.layout);
    if (layout < 0 || layout >= std::max(plan.TreCount, 1) ||
        args.layout.find_first_not_of("0123456789") != std::string::npos) {
      std::fprintf(stderr, "error: --layout is a list layout from 0 to %d\n", std::max(plan.TreCount, 1) - 1);
      return 2;
    }
    ContainersListOptions options;
    options.plane = plan.CurPlane;
    options.layout = layout;
    options.sequence = args.sequence;
    const ContainersList list = BuildContainersList(plan, options);
    for (const std::string& line : ContainersListLines(list)) std::printf("%s\n", TrimRight(line).c_str());
    if (list.units == 0) std::printf("no units\n");
    return inst.host.errorCount > 0 ? 1 : 0;
  }
  TotalsOptions options;
  options.plane = plan.CurPlane;
  options.oneLevel = args.oneLevel;
  for (const std::string& name : CommaList(args.by)) {
    const int column = ColumnNamed(plan, name);
    if (column < 0) {
      std::fprintf(stderr, "error: --by: no list column \"%s\"\n", name.c_str());
      return 2;
    }
    options.columns.push_back(column);
  }
  if (options.columns.empty() || options.columns.size() > kMaxTotalsColumns) {
    std::fprintf(stderr, "error: --by takes one to four list columns, as POL,POD\n");
    return 2;
  }
  const TotalsReport report = BuildTotals(plan, options);
  for (const TotalsLine& line : report.lines) std::printf("%s\n", TrimRight(line.text).c_str());
  if (report.units == 0) std::printf("no units\n");
  return inst.host.errorCount > 0 ? 1 : 0;
}
