#pragma once

// A small vessel built by hand for the placement tests, and helpers to put
// units into it by cell name.
//
//   bays 01 + 03  40' bay 02 on deck and in the hold; rows 00, 01, 02, hold
//                 tiers 02..06, deck tiers 82..86; cell 030286 is missing, so
//                 010286 has no 40' partner
//   bay 05        deck only, pairs adjacent rows for 40' units (ATHWART 1),
//                 rows 01..04 at tiers 82 and 84, no centre row
//   bay 07        hold row 01, tiers 02..08, twin deck at tier 04
//   bay 09        hold row 01, tiers 02..08, at most 2 high cubes
//   bays 11 + 13  40' bay 12 on deck, rows 01 and 02 at tier 82; 110182 is
//                 20' only (RESTR 2), 110282 40' only (RESTR 4)

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "ScriptedHost.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"
#include "vessel/Ports.h"

namespace plantest {

inline void AddCells(PlanData& plan, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const std::string bay = std::string(name).substr(0, 2);
    if (plan.BayCount == 0 || plan.Bays[plan.BayCount - 1].BAY != bay) {
      StructBay& b = plan.Bays[plan.BayCount];
      b = StructBay{};
      b.BAY = bay;
      b.HC_MAX = 9;
      b.FIRSTCELL = plan.CellCount;
      ++plan.BayCount;
    }
    const int i = plan.CellCount;
    StructCel& c = plan.Cells[i];
    c = StructCel{};
    c.CELL = name;
    c.BAYIX = plan.BayCount - 1;
    // Distinct centres, with decimals, so that a weight booked at the wrong
    // place shows in the moments.
    c.LCG = 100.0 - 6.1 * c.BAYIX + 0.013 * i;
    c.LCG_40 = c.LCG - 3.047;
    c.VCG = 2.6 * (ParseInt(std::string(name).substr(4, 2)) % 80) / 2 + 1.31;
    c.TCG = 2.5 * ParseInt(std::string(name).substr(2, 2)) - 0.7;
    plan.Bays[plan.BayCount - 1].LASTCELL = i;
    ++plan.CellCount;
  }
}

inline int CellNamed(const PlanData& plan, const std::string& name) {
  for (int i = 0; i < plan.CellCount; ++i)
    if (plan.Cells[i].CELL == name) return i;
  return -1;
}

inline void BuildPlanVessel(PlanData& plan) {
  AddCells(plan, {"010002", "010102", "010202", "010004", "010104", "010204", "010006", "010106", "010206",
                  "010082", "010182", "010282", "010084", "010184", "010284", "010086", "010186", "010286"});
  AddCells(plan, {"030002", "030102", "030202", "030004", "030104", "030204", "030006", "030106", "030206",
                  "030082", "030182", "030282", "030084", "030184", "030284", "030086", "030186"});
  AddCells(plan, {"050182", "050282", "050382", "050482", "050184", "050284", "050384", "050484"});
  AddCells(plan, {"070102", "070104", "070106", "070108"});
  AddCells(plan, {"090102", "090104", "090106", "090108"});
  AddCells(plan, {"110182", "110282"});
  AddCells(plan, {"130182", "130282"});
  for (int b : {0, 1}) {
    plan.Bays[b].D40 = "02";
    plan.Bays[b].H40 = "02";
    plan.Bays[b].D00 = 1;
    plan.Bays[b].D42 = 1;
    plan.Bays[b].H42 = 1;
  }
  plan.Bays[2].ATHWART = 1;
  plan.Bays[2].D42 = 1;
  plan.Bays[3].TWDK = 4;
  plan.Bays[3].H42 = 1;
  plan.Bays[4].HC_MAX = 2;
  plan.Bays[4].H42 = 1;
  for (int b : {5, 6}) {
    plan.Bays[b].D40 = "12";
    plan.Bays[b].D42 = 1;
  }
  plan.Cells[CellNamed(plan, "110182")].RESTR = 2;
  plan.Cells[CellNamed(plan, "110282")].RESTR = 4;

  plan.Isos[0] = StructIso{"G1", "DV", "GP", "GENERAL PURPOSE"};
  plan.Isos[1] = StructIso{"R1", "RF", "RE", "REEFER"};
  plan.IsoCount = 2;
  plan.ReeferTypes[0] = "RF";
  plan.ReeferTypes[1] = "HR";
  plan.ReeferTypeCount = 2;

  AddOrUpdatePort(plan, "HAM", "HAMBURG", "DE", "", true);
  AddOrUpdatePort(plan, "RTM", "ROTTERDAM", "NL", "", true);
  AddOrUpdatePort(plan, "ANR", "ANTWERP", "BE", "", true);
  AddOrUpdatePort(plan, "FXT", "FELIXSTOWE", "GB", "", true);
  AddOrUpdatePort(plan, "LEH", "LE HAVRE", "FR", "", true);
}

// A full unit from HAM to RTM.
inline StructDat Unit(const std::string& container, const std::string& siz = "20", double weight = 10.0) {
  StructDat u;
  u.CONTAINER = container;
  u.POL = "HAM";
  u.POD = "RTM";
  u.SIZ = siz;
  u.TYP = "DV";
  u.ISO = siz == "20" ? "22G1" : "42G1";
  u.WEIGHT = weight;
  return u;
}

class PlanTest : public ::testing::Test {
 protected:
  std::unique_ptr<PlanData> owner = CreatePlanData();
  PlanData& plan = *owner;
  Stability stab{plan};
  ScriptedHost host;
  PlanContext ctx{plan, stab, host};

  void SetUp() override { BuildPlanVessel(plan); }

  int Cell(const std::string& name) const {
    const int i = CellNamed(plan, name);
    EXPECT_GE(i, 0) << "no cell " << name << " in the test vessel";
    return i;
  }
  StructDat& Hand() { return plan.Cur()[plan.UnitInHandIndex]; }
  StructDat& At(const std::string& name) { return plan.Cur()[Cell(name)]; }

  // Puts unit into the cell named; the result of PlaceUnit.
  bool Place(const std::string& name, const StructDat& unit, int mode = kPlaceInteractive) {
    Hand() = unit;
    return PlaceUnit(ctx, Cell(name), mode);
  }
  // Loads units without any check, as a condition file would.
  void Load(std::initializer_list<std::pair<const char*, StructDat>> units) {
    for (const auto& [name, unit] : units) {
      ASSERT_TRUE(Place(name, unit, kPlaceFromFile)) << name;
    }
    Hand() = StructDat{};
  }
  bool Remove(const std::string& name) { return RemoveUnit(ctx, Cell(name)); }
};

}  // namespace plantest
