#include "stability/SightLine.h"

#include <gtest/gtest.h>

namespace {

// Eye 100 m forward of the aft perpendicular and 40 m above the base line,
// a deck stack whose forward top corner stands at 200 m and 30 m, a ship of
// 300 m between perpendiculars. The sight line falls 10 m over 100 m.
struct SightCase {
  const char* name;
  double aft, fore;  // drafts, m
  double x, z;       // where the line meets the water, by hand
};

class SightLineHitTest : public testing::TestWithParam<SightCase> {};

TEST_P(SightLineHitTest, MeetsTheWaterWhereSimilarTrianglesPutIt) {
  const SightCase& c = GetParam();
  const auto hit = SightLineHit(200, 30, 100, 40, 300, c.fore, c.aft);
  ASSERT_TRUE(hit.has_value());
  EXPECT_NEAR(hit->x, c.x, 0.01);
  EXPECT_NEAR(hit->z, c.z, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Drafts, SightLineHitTest,
    testing::Values(
        // Even keel at 10 m: 30 m of eye height over the water, falling
        // 0.1 per metre: 300 m forward of the eye.
        SightCase{"EvenKeel", 10, 10, 400, 10},
        // By the stern, 12 m aft and 9 m fore: the water falls 0.01 per
        // metre forward, 11 m under the eye; 29 / (0.1 - 0.01) = 322.2 m.
        SightCase{"ByTheStern", 12, 9, 100 + 29 / 0.09, 12 - 0.01 * (100 + 29 / 0.09)},
        // By the head, 8 m aft and 11 m fore: the water rises 0.01 per
        // metre, 9 m under the eye; 31 / (0.1 + 0.01) = 281.8 m.
        SightCase{"ByTheHead", 8, 11, 100 + 31 / 0.11, 8 + 0.01 * (100 + 31 / 0.11)}),
    [](const testing::TestParamInfo<SightCase>& info) { return std::string(info.param.name); });

TEST(SightLineHit, NoWaterSeenWhenTheLineNeverComesDown) {
  // The stack top as high as the eye: the line runs level.
  EXPECT_FALSE(SightLineHit(200, 40, 100, 40, 300, 10, 10).has_value());
  // Falling 0.005 per metre over water that falls 0.01 per metre (by the stern).
  EXPECT_FALSE(SightLineHit(200, 39.5, 100, 40, 300, 9, 12).has_value());
  // An obstruction aft of the eye is no obstruction ahead.
  EXPECT_FALSE(SightLineHit(90, 30, 100, 40, 300, 10, 10).has_value());
  // The eye under water.
  EXPECT_FALSE(SightLineHit(200, 5, 100, 4, 300, 10, 10).has_value());
}

TEST(BlindDistanceLimit, TwoShipLengthsOrFiveHundredMetres) {
  EXPECT_DOUBLE_EQ(BlindDistanceLimit(100), 200);
  EXPECT_DOUBLE_EQ(BlindDistanceLimit(250), 500);
  EXPECT_DOUBLE_EQ(BlindDistanceLimit(300), 500);
}

}  // namespace
