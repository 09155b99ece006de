#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "checks/CheckDigit.h"
#include "checks/StowageCheck.h"
#include "cli/Commands.h"
#include "cli/Installation.h"
#include "conditions/ConditionFile.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"
#include "vessel/TDmVes.h"

namespace fs = std::filesystem;

int CmdCheck(Installation& inst, const std::string& vessel, const std::string& file, bool segregationOnly) {
  PlanData& plan = *inst.plan;
  plan.CurVessel = inst.FindVessel(vessel);
  if (plan.CurVessel < 0) {
    std::fprintf(stderr, "error: no installed vessel is named %s\n", vessel.c_str());
    return 1;
  }
  Stability stability(plan);
  stability.SetItemNames(inst.base.TotalsLabels);
  PlanContext ctx(plan, stability, inst.host);
  ConditionFile conditions(ctx);
  TDmVes ves(plan, inst.host);
  ves.steps.LoadQuay = [&] { conditions.ReadQuayFile(); };
  if (!ves.OpenVessel()) {
    std::fprintf(stderr, "error: the vessel %s cannot be opened (ptc.txt missing or unreadable)\n",
                 vessel.c_str());
    return 1;
  }
  // A bare name is a condition of the vessel's conditions folder.
  fs::path path(file);
  if (!fs::exists(path) && !path.has_parent_path()) path = ConditionDirectory(plan) / file;
  if (!conditions.ReadCondition(path, kCurPlane, false)) {
    std::fprintf(stderr, "error: %s: no such condition file\n", path.string().c_str());
    return 1;
  }
  std::vector<std::string> lines;
  const bool clean = RunStowageCheck(plan, inst.host, segregationOnly, -1, lines);
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  if (inst.host.errorCount > 0) return 1;
  return clean ? 0 : 3;
}

int CmdCheckDigit(const std::vector<std::string>& numbers) {
  bool allRight = true;
  for (const std::string& number : numbers) {
    const CheckDigitResult r = JudgeCheckDigit(number);
    if (!r.checked) {
      std::printf("%s: too short to carry a check digit\n", number.c_str());
      allRight = false;
    } else if (r.matches) {
      std::printf("%s: check digit %c is right\n", number.c_str(), r.written);
    } else {
      std::printf("%s: check digit %c is wrong, should be %s\n", number.c_str(), r.written,
                  r.correct.c_str());
      allRight = false;
    }
  }
  return allRight ? 0 : 3;
}
