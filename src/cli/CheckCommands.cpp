#include <cstdio>
#include <string>
#include <vector>

#include "checks/CheckDigit.h"
#include "checks/StowageCheck.h"
#include "cli/Commands.h"
#include "cli/Installation.h"
#include "planning/AttributePanel.h"

int CmdCheck(Installation& inst, const std::string& vessel, const std::string& file, bool segregationOnly,
             bool explain) {
  PlanData& plan = *inst.plan;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, vessel, file)) return 1;
  std::vector<std::string> lines;
  const bool clean = RunStowageCheck(plan, inst.host, segregationOnly, -1, lines, explain);
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  if (inst.host.errorCount > 0) return 1;
  return clean ? 0 : 3;
}

int CmdCheckDigit(const std::vector<std::string>& numbers) {
  bool allRight = true;
  for (const std::string& number : numbers) {
    // Judged as typed: "csqu 305438-3" is the stored CSQU 3054383, so the
    // number is brought to its stored form first and shown so.
    const std::string stored = NormaliseNumber(number);
    if (stored.empty()) {
      std::printf("%s: no letter or digit to judge\n", number.c_str());
      allRight = false;
      continue;
    }
    const char written = stored.back();
    const std::string correct = CheckDigit(stored);
    if (correct[0] == written) {
      std::printf("%s (%s): check digit %c is right\n", number.c_str(), stored.c_str(), written);
    } else {
      std::printf("%s (%s): check digit %c is wrong, should be %s\n", number.c_str(), stored.c_str(), written,
                  correct.c_str());
      allRight = false;
    }
  }
  return allRight ? 0 : 3;
}
