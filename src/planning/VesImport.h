#pragma once

// "Import Final": the working condition replaced by the plan of the VES
// exchange tables. The tables are read by the vessel layer; the units are
// put into their cells here, through the same placement as everything else.

#include "vessel/VesExchange.h"

class PlanContext;

struct VesImportOutcome {
  VesImportResult result = VesImportResult::Failed;
  int placed = 0;
  int refused = 0;  // rows whose cell exists but whose unit placement refused
  int skipped = 0;  // rows whose cell does not exist
};

// With result Read the working data set now holds the imported units, the
// condition type is cleared and the caller asks for the condition to be
// saved; with UseLoadList the caller runs the loading-list import instead.
VesImportOutcome ImportFinal(PlanContext& ctx);
