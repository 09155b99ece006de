#include <gtest/gtest.h>

#include "core/PlanData.h"

namespace {

class PlanDataTest : public ::testing::Test {
 protected:
  std::unique_ptr<PlanData> plan = CreatePlanData();
};

TEST_F(PlanDataTest, CapacitiesAreFixed) {
  struct Case {
    const char* member;
    size_t size;
    size_t capacity;
  };
  const PlanData& p = *plan;
  const Case cases[] = {
      {"BayTrans", p.BayTrans.size(), 100},     {"Cells", p.Cells.size(), 9990},
      {"Dat", p.Dat.size(), 4},                 {"Dat[0]", p.Dat[0].size(), 9990},
      {"Bays", p.Bays.size(), 60},              {"Tra", p.Tra.size(), 100},
      {"Xls", p.Xls.size(), 150},               {"VoyPorts", p.VoyPorts.size(), 300},
      {"Ports", p.Ports.size(), 4000},          {"Types", p.Types.size(), 40},
      {"Isos", p.Isos.size(), 300},             {"Imos", p.Imos.size(), 30},
      {"CsvCols", p.CsvCols.size(), 80},        {"LisCols", p.LisCols.size(), 80},
      {"VesParams", p.VesParams.size(), 110},   {"VesHdr", p.VesHdr.size(), 150},
      {"Vet", p.Vet.size(), 150},               {"VesselList", p.VesselList.size(), 2000},
      {"ReeferTypes", p.ReeferTypes.size(), 10}, {"Settings", p.Settings.size(), 200},
      {"Sizes", p.Sizes.size(), 40},            {"Unn", p.Unn.size(), 15000},
      {"Messages", p.Messages.size(), 100},     {"SegTable", p.SegTable.size(), 25},
      {"SegTable[0]", p.SegTable[0].size(), 25}, {"Dim", p.Dim.size(), 20},
      {"Lim", p.Lim.size(), 6},                 {"LoadTotals", p.LoadTotals.COUNT.size(), 41},
      {"LoadTotals pods", p.LoadTotals.WEIGHT[0].size(), 41},
      {"LoadTotals categories", p.LoadTotals.WEIGHT[0][0].size(), 21},
      {"PolList", p.PolList.size(), 41},        {"PodList", p.PodList.size(), 41},
      {"HatchNames", p.HatchNames.size(), 50},  {"RouteKeys", p.RouteKeys.size(), 50},
      {"RouteMatrix", p.RouteMatrix.size(), 50}, {"RouteMatrix[0]", p.RouteMatrix[0].size(), 20},
      {"RepNames", p.RepNames.size(), 80},      {"RepDef[0]", p.RepDef[0].size(), 26},
      {"TreNames", p.TreNames.size(), 16},      {"TreVal", p.TreVal.size(), 16},
      {"PlaneTitle", p.PlaneTitle.size(), 4},   {"BatchFlags", p.BatchFlags.size(), 5},
      {"PrintFields", p.PrintFields.size(), 10}, {"IMO", StructDat{}.IMO.size(), 10},
      {"UN", StructDat{}.UN.size(), 10},        {"EQA", StructDat{}.EQA.size(), 6},
      {"STACKW rows", StructBay{}.STACKW.size(), 19}, {"STACKW kinds", StructBay{}.STACKW[0].size(), 4},
  };
  for (const Case& c : cases) EXPECT_EQ(c.size, c.capacity) << c.member;
}

TEST_F(PlanDataTest, StartValues) {
  const PlanData& p = *plan;
  EXPECT_EQ(p.ProductName, "Zum4");
  EXPECT_EQ(p.CurPlane, 0);
  EXPECT_EQ(p.RefPlane, 1);
  EXPECT_EQ(p.VoyPlane, 2);
  EXPECT_EQ(p.QuayPlane, 3);
  EXPECT_EQ(p.UnitInHandIndex, 9800);
  EXPECT_EQ(p.CurVessel, -1);
  EXPECT_EQ(p.PlacementError, -1);
  EXPECT_EQ(p.BayPos, 1);
  EXPECT_EQ(p.BayLen, 2);
  EXPECT_EQ(p.RowPos, 3);
  EXPECT_EQ(p.RowLen, 2);
  EXPECT_EQ(p.TierPos, 5);
  EXPECT_EQ(p.TierLen, 2);
  EXPECT_EQ(p.CheckOnPlace, 1);
  EXPECT_EQ(p.HighCubeLimits, 1);
  EXPECT_EQ(p.RemoveToQuay, 0);
  EXPECT_EQ(p.ConfigMode, 0);
  EXPECT_EQ(p.ConditionModified, 0);
  EXPECT_EQ(p.NoRecalc, 0);
  EXPECT_FALSE(p.InBatch());
  EXPECT_EQ(p.PolCount, -1);
  EXPECT_EQ(p.PodCount, -1);
  const int counts[] = {p.CellCount, p.BayCount, p.VoyPortCount, p.PortCount,  p.TypeCount,  p.IsoCount,
                        p.ImoCount,  p.CsvCount, p.LisCount,     p.VesParamCount, p.VetCount, p.VesselCount,
                        p.ReeferTypeCount, p.SizeCount, p.XlsCount, p.TraCount, p.MessageCount, p.RepCount,
                        p.TreCount, p.QuayCount, p.VoyUnitCount, p.UnnCount, p.BayTransCount, p.RouteCount};
  for (int count : counts) EXPECT_EQ(count, 0);
  EXPECT_TRUE(p.Settings[0].empty());
  EXPECT_TRUE(p.VesHdr[VesHdrIx::Vessel].empty());
}

TEST_F(PlanDataTest, EveryRecordStartsAsTheEmptyRecord) {
  const StructDat empty;
  EXPECT_EQ(empty.POLIX, -1);
  EXPECT_EQ(empty.PODIX, -1);
  EXPECT_EQ(empty.SELECTED, 1);
  EXPECT_EQ(empty.STATUS, 0);
  EXPECT_TRUE(IsFreeRecord(empty));
  for (const DataSet& set : plan->Dat)
    for (const StructDat& record : set) ASSERT_EQ(record, empty);
}

TEST_F(PlanDataTest, FreeRecord) {
  StructDat record;
  record.CONTAINER = "ABCU1234560";  // a number alone does not occupy a cell
  EXPECT_TRUE(IsFreeRecord(record));
  StructDat standing = record;
  standing.STATUS = 1;
  StructDat covered;
  covered.STATUS = -1;
  StructDat weighed;
  weighed.WEIGHT = 0.5;
  StructDat bundled;
  bundled.FL3 = 1;
  for (const StructDat* r : {&standing, &covered, &weighed, &bundled}) EXPECT_FALSE(IsFreeRecord(*r));
}

TEST_F(PlanDataTest, WholeRecordCopyIsDeepAndKeepsThePosition) {
  DataSet& cur = plan->Cur();
  StructDat& source = cur[12];
  source.CONTAINER = "MSCU1234566";
  source.POSITION = "010282";
  source.IMO[5] = "3";
  source.UN[0] = "1203";
  source.EQA[4] = "BNDL0000001";
  source.WEIGHT = 21.5;
  source.STATUS = 1;
  source.WEIGHT_KIND = "VGM";

  cur[40] = source;
  EXPECT_EQ(cur[40], source);
  EXPECT_EQ(cur[40].POSITION, "010282");  // until placement rewrites it

  cur[40].IMO[5] = "8";
  cur[40].CONTAINER[0] = 'X';
  EXPECT_EQ(source.IMO[5], "3");
  EXPECT_EQ(source.CONTAINER, "MSCU1234566");

  // The same index addresses the same cell in the reference data set.
  plan->Dat[kRefPlane][12] = source;
  EXPECT_EQ(plan->Dat[kRefPlane][12].POSITION, cur[12].POSITION);
}

TEST_F(PlanDataTest, UnitInHandIsBeyondEveryCell) {
  EXPECT_LT(plan->UnitInHandIndex, kMaxCells);
  EXPECT_LE(plan->UnitInHandIndex + kMoveQueueSize, kMaxCells);
  plan->Cur()[plan->UnitInHandIndex].CONTAINER = "HAND0000001";
  EXPECT_EQ(plan->Dat[kCurPlane][kUnitInHand].CONTAINER, "HAND0000001");
}

TEST_F(PlanDataTest, AnyBatchFlagSuspendsMarking) {
  for (int i = 0; i < kBatchFlags; ++i) {
    plan->BatchFlags = {};
    plan->BatchFlags[i] = 1;
    EXPECT_TRUE(plan->InBatch()) << i;
  }
}

}  // namespace
