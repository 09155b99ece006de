#pragma once

// One run of the headless tool on an installation folder: the plan, the
// console host and the base data, set up as the program does at start.

#include <memory>
#include <string>

#include "cli/ConsoleHost.h"
#include "conditions/ConditionFile.h"
#include "conditions/VesselSession.h"
#include "core/PlanData.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"
#include "vessel/BaseData.h"
#include "vessel/VesselData.h"

struct Installation {
  Installation();
  std::unique_ptr<PlanData> plan;
  ConsoleHost host;
  BaseData base;

  // Settings, parameter file, ports, UN numbers and the vessel list of the
  // folder (or of the folder start-up would choose when dataOption is empty).
  bool Load(const std::string& dataOption);

  // Index of the installed vessel named so, by its name or its folder
  // (without regard to case); -1 when none.
  int FindVessel(const std::string& nameOrFolder) const;
};

// One vessel of the installation opened (with its quay) and one of its
// conditions read into the working data set, as the commands on a condition
// need them.
struct OpenedCondition {
  explicit OpenedCondition(Installation& inst);
  VesselSession session;
  Stability& stability;
  PlanContext& ctx;
  ConditionFile& conditions;
  VesselData& ves;

  // vessel is a name or folder; file a path, or a file of the vessel's
  // conditions folder. False, with the reason printed, when either cannot
  // be read.
  bool Open(Installation& inst, const std::string& vessel, const std::string& file);
};
