#include <gtest/gtest.h>

#include "ScriptedHost.h"
#include "core/PlanData.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"

namespace {

class MarkModified : public ::testing::Test {
 protected:
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stab{*plan};
  ScriptedHost host;
  PlanContext ctx{*plan, stab, host};
  int recomputed = 0;
  void SetUp() override {
    ctx.Recompute = [this] { ++recomputed; };
    plan->VoyUnitCount = 12;
  }
};

TEST_F(MarkModified, SetsTheFlagRecomputesAndTellsTheWindows) {
  ctx.MarkConditionModified(true);
  EXPECT_EQ(plan->ConditionModified, 1);
  EXPECT_EQ(plan->VoyUnitCount, 0);
  EXPECT_EQ(recomputed, 1);
  EXPECT_EQ(host.planChanges, 1);
  ctx.MarkConditionModified(false);
  EXPECT_EQ(plan->ConditionModified, 0);
}

TEST_F(MarkModified, BulkRunsOnlyInvalidateTheVoyageSet) {
  plan->BatchFlags[kBatchClearAll] = 1;
  ctx.MarkConditionModified(true);
  EXPECT_EQ(plan->ConditionModified, 0);
  EXPECT_EQ(plan->VoyUnitCount, 0);
  EXPECT_EQ(recomputed, 0);
  EXPECT_EQ(host.planChanges, 0);
}

TEST_F(MarkModified, NoRecalcSetsTheFlagOnly) {
  plan->NoRecalc = 1;
  ctx.MarkConditionModified(true);
  EXPECT_EQ(plan->ConditionModified, 1);
  EXPECT_EQ(recomputed, 0);
  EXPECT_EQ(host.planChanges, 0);
}

TEST_F(MarkModified, ReadingWholeConditionsChangesNothing) {
  for (bool* guard : {&ctx.BuildingVoyage, &ctx.LoadingReference}) {
    *guard = true;
    ctx.MarkConditionModified(true);
    *guard = false;
  }
  EXPECT_EQ(plan->ConditionModified, 0);
  EXPECT_EQ(plan->VoyUnitCount, 12);
  EXPECT_EQ(host.planChanges, 0);
}

}  // namespace
