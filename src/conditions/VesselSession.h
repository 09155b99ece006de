#pragma once

// One open vessel with everything that works on it: the weight sums and
// tables of the stability frame, the plan context that every change goes
// through, the condition files, the vessel module and the selection filter.
// The windows and the command-line tool open vessels through it, so both
// see the same vessel after the same steps.

#include <string>
#include <vector>

#include "conditions/ConditionFile.h"
#include "planning/PlanContext.h"
#include "planning/Selection.h"
#include "stability/Stability.h"
#include "vessel/VesselData.h"

struct PlanData;
class Host;

class VesselSession {
 public:
  // totalsLabels: the weight item names of the base data.
  VesselSession(PlanData& plan, Host& host, const std::vector<std::string>& totalsLabels);
  VesselSession(const VesselSession&) = delete;
  VesselSession& operator=(const VesselSession&) = delete;

  PlanData& plan;
  Host& host;
  Stability stability;
  PlanContext ctx;
  ConditionFile conditions;
  VesselData ves;
  Selection selection;

  // Opens entry vesselIndex of the vessel list: the definition files, the
  // tables, the fixed weights, the quay. False when it cannot be opened: the
  // vessel open before, if any, is still open and unchanged.
  bool Open(int vesselIndex);
  // The tables of the open vessel that were found but could not be read or
  // were refused as broken (the vessel has no such table then).
  const std::vector<std::string>& TableErrors() const { return tableErrors_; }

 private:
  void WireOpeningSteps();
  void TableError(const std::string& error);
  std::vector<std::string> tableErrors_;
};
