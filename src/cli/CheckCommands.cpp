#include <cstdio>
#include <string>
#include <vector>

#include "checks/CheckDigit.h"
#include "checks/StowageCheck.h"
#include "cli/Commands.h"
#include "cli/Installation.h"

int CmdCheck(Installation& inst, const std::string& vessel, const std::string& file, bool segregationOnly) {
  PlanData& plan = *inst.plan;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, vessel, file)) return 1;
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
