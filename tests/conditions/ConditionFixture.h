#pragma once

// A small vessel with an open working condition for the condition-file
// tests: bays 01 and 03 form 40' bay 02 on deck and in the hold, bay 05 has
// no 40' partner. Every cell has its own centres, so weights and moments
// show where a unit went.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "conditions/ConditionFile.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"

inline int AddConditionCell(PlanData& plan, const std::string& name, double lcg, double vcg) {
  const std::string bay = name.substr(0, 2);
  if (plan.BayCount == 0 || plan.Bays[plan.BayCount - 1].BAY != bay) {
    plan.Bays[plan.BayCount].BAY = bay;
    plan.Bays[plan.BayCount].FIRSTCELL = plan.CellCount;
    ++plan.BayCount;
  }
  StructCel& cell = plan.Cells[plan.CellCount];
  cell.CELL = name;
  cell.BAYIX = plan.BayCount - 1;
  cell.LCG = lcg;
  cell.LCG_40 = lcg + 3;
  cell.VCG = vcg;
  plan.Bays[plan.BayCount - 1].LASTCELL = plan.CellCount;
  return plan.CellCount++;
}

class ConditionTest : public ::testing::Test {
 protected:
  ConditionTest() {
    SetNumberFormat(NumberFormat{'.', ','});
    int k = 0;
    for (const char* bay : {"01", "03", "05"})
      for (const char* rowTier : {"0082", "0182", "0282", "0084", "0102", "0202"}) {
        AddConditionCell(plan, std::string(bay) + rowTier, 10.0 + 2 * k, 2.0 + k % 6);
        ++k;
      }
    for (int b : {0, 1}) {
      plan.Bays[b].D40 = "02";
      plan.Bays[b].H40 = "02";
      plan.Bays[b].D00 = 1;
    }
    plan.Bays[2].D00 = 1;
    plan.VesselDir = dir.path().string();
    plan.Settings[SettingsIx::ConditionsSubdir] = "COND";
    plan.Settings[SettingsIx::SendingDir] = (dir.path() / "send").string();
    std::filesystem::create_directories(dir.path() / "COND");
    std::filesystem::create_directories(dir.path() / "send");
    plan.VesHdr[VesHdrIx::Code] = "ZUMV";
    plan.VesHdr[VesHdrIx::Vessel] = "ZUM VOYAGER";
    SetCondition("GOA", "003W", "D");
  }
  ~ConditionTest() override { SetNumberFormat(NumberFormat{'.', ','}); }

  void SetCondition(const std::string& port, const std::string& voyage, const std::string& type) {
    plan.VesHdr[VesHdrIx::Port] = port;
    plan.VesHdr[VesHdrIx::Voy] = voyage;
    plan.VesHdr[VesHdrIx::Adp] = type;
  }

  static StructDat Unit(const std::string& container, const std::string& pol, const std::string& pod,
                        const std::string& size = "20", double weight = 12.5) {
    StructDat unit;
    unit.CONTAINER = container;
    unit.POL = pol;
    unit.POD = pod;
    unit.SIZ = size;
    unit.TYP = "GP";
    unit.ISO = size + "G1";
    unit.WEIGHT = weight;
    unit.HEIGHT = 8.5;
    return unit;
  }

  int Cell(const std::string& name) const {
    for (int i = 0; i < plan.CellCount; ++i)
      if (plan.Cells[i].CELL == name) return i;
    ADD_FAILURE() << "no cell " << name;
    return -1;
  }

  // Places a unit the way a list or the quay does (no placement checks).
  void Place(const std::string& cellName, const StructDat& unit) {
    plan.Cur()[plan.UnitInHandIndex] = unit;
    ASSERT_TRUE(PlaceUnit(ctx, Cell(cellName), kPlaceFromQuay)) << cellName << " error " << plan.PlacementError;
  }

  std::filesystem::path CondPath(const std::string& name) const { return dir.path() / "COND" / name; }

  static std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }

  // The working data set's cells, as comparable records.
  std::vector<StructDat> CellRecords(int plane = kCurPlane) const {
    return std::vector<StructDat>(plan.Dat[plane].begin(), plan.Dat[plane].begin() + plan.CellCount);
  }

  std::unique_ptr<PlanData> planOwner = CreatePlanData();
  PlanData& plan = *planOwner;
  Stability stability{plan};
  ScriptedHost host;
  PlanContext ctx{plan, stability, host};
  ConditionFile file{ctx};
  TempDir dir;
};
