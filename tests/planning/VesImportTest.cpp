#include <gtest/gtest.h>

#include "PlanFixture.h"
#include "TempDir.h"
#include "planning/VesImport.h"

namespace plantest {
namespace {

class ImportFinalTest : public PlanTest {
 protected:
  void SetUp() override {
    PlanTest::SetUp();
    plan.Settings[SettingsIx::ExchangeDir] = dir.path().string();
    plan.VesHdr[VesHdrIx::Vessel] = "PLAN TEST";
  }
  TempDir dir;
};

TEST_F(ImportFinalTest, ExportedPlanComesBackIntoItsCells) {
  Load({{"010182", Unit("TWENTY1")}, {"010102", Unit("FORTY01", "40", 24.5)}});
  const auto weights = stab.Items;
  ASSERT_TRUE(ExportVes(plan, host));

  // The plan changes, then the exported one replaces it.
  ASSERT_TRUE(Remove("010182"));
  Load({{"050182", Unit("OTHER01")}});
  plan.VesHdr[VesHdrIx::Adp] = "D";
  plan.RemoveToQuay = 1;
  plan.ConditionModified = 0;

  const VesImportOutcome outcome = ImportFinal(ctx);
  EXPECT_EQ(outcome.result, VesImportResult::Read);
  EXPECT_EQ(outcome.placed, 2);
  EXPECT_EQ(outcome.refused + outcome.skipped, 0);
  EXPECT_EQ(At("010182").CONTAINER, "TWENTY1");
  EXPECT_EQ(At("010102").CONTAINER, "FORTY01");
  EXPECT_EQ(At("030102").STATUS, -1);  // the 40' covers its partner again
  EXPECT_EQ(At("050182").STATUS, 0);
  EXPECT_EQ(plan.QuayCount, 0) << "the replaced plan is not sent to the quay";
  EXPECT_EQ(plan.RemoveToQuay, 1);
  EXPECT_EQ(stab.Items, weights);
  EXPECT_EQ(Hand(), StructDat{});
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "");
  EXPECT_EQ(plan.ConditionModified, 1);
  EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(ImportFinalTest, TablesOfAnotherVesselLeaveThePlanAlone) {
  Load({{"010182", Unit("STAYS01")}});
  ASSERT_TRUE(ExportVes(plan, host));
  plan.VesHdr[VesHdrIx::Vessel] = "ANOTHER SHIP";
  EXPECT_EQ(ImportFinal(ctx).result, VesImportResult::OtherVessel);
  EXPECT_EQ(At("010182").CONTAINER, "STAYS01");
  EXPECT_EQ(host.messages, (std::vector<int>{51}));
}

}  // namespace
}  // namespace plantest
