#include "BenchShip.h"

#include "conditions/ConditionFile.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "stability/Strength.h"
#include "stability/Tanks.h"
#include "vessel/CellAddress.h"
#include "vessel/Ports.h"

namespace {

std::string Two(int n) { return Pad(IntOrEmpty(n), 2, true, "0"); }

const char* const kPorts[][3] = {{"HAM", "HAMBURG", "DE"},  {"RTM", "ROTTERDAM", "NL"},
                                 {"ANR", "ANTWERP", "BE"},  {"SIN", "SINGAPORE", "SG"},
                                 {"SHA", "SHANGHAI", "CN"}, {"NYC", "NEW YORK", "US"}};

}  // namespace

void BuildBenchVessel(PlanData& plan) {
  plan.CellCount = 0;
  for (int b = 0; b < 40; ++b) {
    const int number = 2 * b + 1;
    StructBay& bay = plan.Bays[static_cast<size_t>(b)];
    bay = StructBay{};
    bay.BAY = Two(number);
    const int forty = b % 2 == 0 ? number + 1 : number - 1;
    bay.D40 = Two(forty);
    bay.H40 = Two(forty);
    bay.H00 = 0;
    bay.D42 = 1;
    bay.H42 = 1;
    bay.HC_MAX = 9;
    bay.FIRSTCELL = plan.CellCount;
    const int lastDeckTier = b % 2 == 0 ? 98 : 96;
    for (int row = 1; row <= 14; ++row) {
      auto add = [&](int tier) {
        StructCel& c = plan.Cells[static_cast<size_t>(plan.CellCount)];
        c = StructCel{};
        c.CELL = bay.BAY + Two(row) + Two(tier);
        c.BAYIX = b;
        // Squeezed into the demo feeder's length, so that its tables can
        // float the bench vessel.
        c.LCG = 138.0 - 3.4 * b;
        c.LCG_40 = b % 2 == 0 ? c.LCG - 1.7 : c.LCG + 1.7;
        c.VCG = tier < 80 ? tier * 1.3 : 20 + (tier - 80) * 1.3;
        c.TCG = (row % 2 == 1 ? 1 : -1) * 2.5 * ((row + 1) / 2);
        c.FL_RF = tier >= 82 && tier <= 86 ? 1 : 0;
        ++plan.CellCount;
      };
      for (int tier = 2; tier <= 18; tier += 2) add(tier);
      for (int tier = 82; tier <= lastDeckTier; tier += 2) add(tier);
    }
    bay.LASTCELL = plan.CellCount - 1;
  }
  plan.BayCount = 40;
  for (const auto& port : kPorts) AddOrUpdatePort(plan, port[0], port[1], port[2], "", true);
}

StructDat BenchUnit(int n, bool forty) {
  StructDat u;
  u.CONTAINER = "BENU" + Pad(IntOrEmpty(n), 7, true, "0");
  u.POL = kPorts[n % 3][0];
  u.POD = kPorts[3 + (n / 3) % 3][0];
  u.SIZ = forty ? "40" : "20";
  u.TYP = "DV";
  u.OPERATOR = n % 4 == 0 ? "ZUM" : "BEN";
  if (n % 11 == 0) {
    u.TYP = "RF";
    u.TEMP = -18;
  } else if (forty && n % 3 == 0) {
    u.TYP = "HC";
  }
  if (n % 9 == 0) u.MTY = 1;
  if (n % 53 == 0) {
    u.IMO[0] = "3";
    u.UN[0] = "1263";
  }
  u.ISO = std::string(forty ? "4" : "2") + (u.TYP == "HC" ? "5G1" : (u.TYP == "RF" ? "2R1" : "2G1"));
  u.WEIGHT = u.MTY ? (forty ? 3.8 : 2.2) : 5.0 + (n % 23);
  return u;
}

int FillBenchCondition(PlanContext& ctx) {
  PlanData& plan = ctx.plan;
  int units = 0;
  for (int i = 0; i < plan.CellCount; ++i) {
    if (plan.Cur()[static_cast<size_t>(i)].STATUS != 0) continue;  // covered by a 40' unit
    const int bay = BayOf(plan, i);
    const bool fore = bay % 4 == 1;
    const bool forty = fore && RowOf(plan, i) % 3 == 0 && FortyPartnerCell(plan, i) >= 0;
    plan.Cur()[static_cast<size_t>(plan.UnitInHandIndex)] = BenchUnit(units + 1, forty);
    if (PlaceUnit(ctx, i, kPlaceFromFile)) ++units;
  }
  plan.Cur()[static_cast<size_t>(plan.UnitInHandIndex)] = StructDat{};
  return units;
}

std::filesystem::path WriteBenchCondition(PlanContext& ctx, ConditionFile& file,
                                          const std::filesystem::path& dir) {
  PlanData& plan = ctx.plan;
  std::error_code ec;
  plan.VesselDir = dir.string();
  plan.Settings[SettingsIx::ConditionsSubdir] = "COND";
  std::filesystem::create_directories(dir / "COND", ec);
  plan.VesHdr[VesHdrIx::Vessel] = "BENCH CARRIER";
  plan.VesHdr[VesHdrIx::Port] = "GOA";  // no unit starts or ends here: the save keeps them all
  plan.VesHdr[VesHdrIx::Voy] = "001E";
  plan.VesHdr[VesHdrIx::Adp] = "A";
  if (ec || !file.WriteCondition("AGOA001E.TXT", false, kCurPlane).written) return {};
  return dir / "COND" / "AGOA001E.TXT";
}

LargestVessel::LargestVessel()
    : session(*plan, host,
              {"Lightship", "Constant", "Containers", "Spare", "Water ballast", "Fuel oil", "Diesel oil",
               "Lub oil", "Fresh water", "Miscellaneous", "Correction", "Deadweight", "Displacement"}) {
  BuildBenchVessel(*plan);
  plan->VesHdr[VesHdrIx::BaysLength] = "140";
  plan->VesHdr[VesHdrIx::DrawingLength] = "150";
  plan->VesHdr[VesHdrIx::LightshipWeight] = "5450";
  plan->VesHdr[VesHdrIx::LightshipWeight + 1] = "8";
  plan->VesHdr[VesHdrIx::LightshipWeight + 2] = "67";
}

bool LargestVessel::Float(const std::filesystem::path& feederDir, std::string& error) {
  Stability& stability = session.stability;
  if (!stability.LoadTables(feederDir, error) || !stability.tanks().Load(feederDir, error) ||
      !stability.strength().LoadStrengthData(feederDir, error))
    return false;
  stability.SetFixedItems(+1);
  FillBenchCondition(session.ctx);
  // Most of the cargo goes again, so that the feeder's tables float it.
  for (int i = 0; i < plan->CellCount; ++i)
    if (i % 12 != 0) RemoveUnit(session.ctx, i);
  unitsLoaded = 0;
  for (int i = 0; i < plan->CellCount; ++i)
    if (plan->Cur()[static_cast<size_t>(i)].STATUS > 0) ++unitsLoaded;
  return true;
}
