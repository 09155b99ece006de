#pragma once

// Small hand-made vessels for the cell and exchange tests.

#include <initializer_list>
#include <string>

#include "core/PlanData.h"

// Appends cells by name (default layout: bay, row, tier in two digits each);
// a new bay starts whenever the bay digits change, as the vessel files keep
// the cells of a bay together.
inline void AddCells(PlanData& plan, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const std::string bay = std::string(name).substr(0, 2);
    if (plan.BayCount == 0 || plan.Bays[plan.BayCount - 1].BAY != bay) {
      plan.Bays[plan.BayCount].BAY = bay;
      plan.Bays[plan.BayCount].FIRSTCELL = plan.CellCount;
      ++plan.BayCount;
    }
    plan.Cells[plan.CellCount].CELL = name;
    plan.Cells[plan.CellCount].BAYIX = plan.BayCount - 1;
    plan.Bays[plan.BayCount - 1].LASTCELL = plan.CellCount;
    ++plan.CellCount;
  }
}

// The index of the cell with this name, found without the code under test.
inline int CellNamed(const PlanData& plan, const std::string& name) {
  for (int i = 0; i < plan.CellCount; ++i)
    if (plan.Cells[i].CELL == name) return i;
  return -1;
}

// Bays 01 and 03 make 40' bay 02 on deck and in the hold; bay 05 claims 40'
// bay 06 but bay 07 is missing; bay 09 pairs adjacent rows on deck and claims
// a 40' bay 10 in the hold that does not exist.
inline void BuildTestVessel(PlanData& plan) {
  AddCells(plan, {"010082", "010182", "010282", "010084", "010184", "010102", "010202", "010006",
                  "030082", "030182", "030282", "030102", "030006",
                  "050182", "050282",
                  "090082", "090182", "090282", "090482", "090102"});
  for (int b : {0, 1}) {
    plan.Bays[b].D40 = "02";
    plan.Bays[b].H40 = "02";
    plan.Bays[b].D00 = 1;
    plan.Bays[b].H00 = 4;  // hold tiers 02 and 04 have no centre row
  }
  plan.Bays[2].D40 = "06";
  plan.Bays[3].ATHWART = 1;
  plan.Bays[3].H40 = "10";
}
