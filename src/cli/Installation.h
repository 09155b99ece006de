#pragma once

// One run of the headless tool on an installation folder: the plan, the
// console host and the base data, set up as the program does at start.

#include <memory>
#include <string>

#include "cli/ConsoleHost.h"
#include "core/PlanData.h"
#include "vessel/TDmBase.h"

struct Installation {
  Installation();
  std::unique_ptr<PlanData> plan;
  ConsoleHost host;
  TDmBase base;

  // Settings, parameter file, ports, UN numbers and the vessel list of the
  // folder (or of the folder start-up would choose when dataOption is empty).
  bool Load(const std::string& dataOption);

  // Index of the installed vessel named so, by its name or its folder
  // (without regard to case); -1 when none.
  int FindVessel(const std::string& nameOrFolder) const;
};
