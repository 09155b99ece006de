#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Hull.h"
#include "TankWriter.h"
#include "TempDir.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "stability/Stability.h"
#include "stability/Tanks.h"

namespace {

// One tnk.txt line from key, name, capacity, group, VCG full, VCG empty,
// LCG, TCG and free-surface moment (as many as given), every other field
// empty, each followed by ";".
using TankFields = std::vector<std::string>;

std::string TnkLine(const TankFields& t) {
  static const int kFieldOf[] = {0, 1, 2, 4, 5, 6, 7, 8, 9};
  std::vector<std::string> fields(kTankRecordFields);
  for (size_t i = 0; i < t.size() && i < std::size(kFieldOf); ++i) fields[static_cast<size_t>(kFieldOf[i])] = t[i];
  std::string line;
  for (const std::string& f : fields) line += f + ";";
  return line;
}

class TankData : public ::testing::Test {
 protected:
  void SetUp() override {
    stab.SetItemNames({"Lightship", "Constant", "Containers", "Spare", "Water Ballast", "Fuel Oil", "Diesel Oil",
                       "Lube Oil", "Fresh Water", "Miscellaneous", "Correction", "Deadweight", "Displacement"});
    tanks.MarkModified = [this] { ++modified; };
    plan->Messages[83] = "   Capacity    LCG   VCG    TCG   FSM   %   Content";
  }
  void Load(const std::vector<TankFields>& table, const std::string& tnp = "") {
    std::string text;
    for (const TankFields& t : table) text += TnkLine(t) + "\r\n";
    dir.Write("TNK.TXT", text);
    if (!tnp.empty()) dir.Write("tnp.txt", tnp);
    std::string error;
    ASSERT_TRUE(tanks.Load(dir.path(), error)) << error;
    modified = 0;
  }
  const WeightItem& Item(int group) const { return stab.Items[static_cast<size_t>(group)]; }

  TempDir dir;
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stab{*plan};
  Tanks& tanks = stab.tanks();
  int modified = 0;
};

const TankFields kBallast{"WB1", "Water ballast 1", "100", "4", "5", "1", "30", "-2", "40"};

TEST_F(TankData, ReadsTheTankTableAsTheFileIsWritten) {
  // "," as separator; a content in the file is never taken; a line without
  // its last separator loses its last field; blank lines are no tanks.
  std::string text = "FO1,Fuel 1,200,,5,6,2,40,3,55,77,";
  for (int f = 11; f < 29; ++f) text += ",";
  text += "lost\r\n\r\nFO2,Fuel 2,,,5,\r\n";
  dir.Write("tnk.txt", text);
  std::string error;
  EXPECT_EQ(tanks.LoadTanks(dir.path(), error), 2);
  EXPECT_TRUE(error.empty());
  const TankRecord& t = tanks.Records[0];
  EXPECT_EQ(t[TankField::Name], "Fuel 1");
  EXPECT_EQ(tanks.Group(0), 5);
  EXPECT_EQ(t[TankField::Content], "");
  EXPECT_EQ(t[TankField::FreeSurface], "55");
  EXPECT_EQ(t[28], "");
  EXPECT_EQ(t[TankField::ShownContent], "");  // "lost" followed no separator
  EXPECT_EQ(t[TankField::FirstSounding], "0");
  EXPECT_EQ(t[TankField::LastSounding], "0");

  std::string many;
  for (int i = 0; i < 160; ++i) many += TnkLine({"K" + std::to_string(i), "n", "1", "4"}) + "\r\n";
  dir.Write("tnk.txt", many);
  EXPECT_EQ(tanks.LoadTanks(dir.path(), error), kMaxTankRecords);

  std::filesystem::remove(dir.path() / "tnk.txt");
  EXPECT_EQ(tanks.LoadTanks(dir.path(), error), 0);
  EXPECT_TRUE(error.empty());
}

TEST_F(TankData, SoundingRowsGoToTheirTanksRunByRun) {
  Load({{"A", "a", "100", "4"}, {"B", "b", "100", "4"}, {"C", "c", "100", "4"}},
       "A;0;10;;;;\r\nA;0;20;;;;\r\nX;0;5;;;;\r\nB;0;10;;;;\r\nC;0;1;;;;\r\nC;0;2;;;;\r\nC;0;3;;;;\r\n"
       "A;0;30;;;;\r\nA;0;40;;;;\r\n");
  EXPECT_EQ(tanks.Soundings.size(), 9u);
  struct Case {
    int tank;
    const char* first;
    const char* last;
  };
  // A's later run replaces its first; X has no tank; B has a single row.
  for (const Case c : {Case{0, "7", "8"}, Case{1, "3", "3"}, Case{2, "4", "6"}}) {
    EXPECT_EQ(tanks.Records[static_cast<size_t>(c.tank)][TankField::FirstSounding], c.first) << c.tank;
    EXPECT_EQ(tanks.Records[static_cast<size_t>(c.tank)][TankField::LastSounding], c.last) << c.tank;
  }
}

// Blank lines anywhere, the first one included, lose no tank and no
// sounding row: every tank keeps its own rows and its key finds it.
TEST_F(TankData, BlankLinesLoseNothing) {
  dir.Write("tnk.txt", "\r\n" + TnkLine({"A", "a", "100", "4", "5", "1", "30"}) + "\r\n \r\n" +
                           TnkLine({"B", "b", "100", "5", "5", "1", "60"}) + "\r\n");
  // "," as separator, found below the blank first line.
  dir.Write("tnp.txt", "\r\nA,0,10,31,,,,\r\nA,0,20,32,,,,\r\n\r\nA,0,30,33,,,,\r\nB,0,10,61,,,,\r\nB,0,20,62,,,,\r\n");
  std::string error;
  ASSERT_TRUE(tanks.Load(dir.path(), error)) << error;
  ASSERT_EQ(tanks.Count(), 2);
  ASSERT_EQ(tanks.Soundings.size(), 5u);
  EXPECT_EQ(tanks.Records[0][TankField::FirstSounding], "0");
  EXPECT_EQ(tanks.Records[0][TankField::LastSounding], "2");
  ASSERT_TRUE(tanks.SetTankByName("B", 15));
  EXPECT_DOUBLE_EQ(Item(5).Lcg(), 61.5);
  ASSERT_TRUE(tanks.SetTankByName("A", 25));  // between the rows on either side of the blank line
  EXPECT_DOUBLE_EQ(Item(4).Lcg(), 32.5);
}

TEST_F(TankData, AContentEntersItsGroupAndLeavesItExactly) {
  Load({kBallast});
  const WeightItem before = Item(4);
  tanks.SetTankContent(0, 50);
  EXPECT_DOUBLE_EQ(Item(4).Tonnes(), 50);
  EXPECT_DOUBLE_EQ(Item(4).Vcg(), 3);  // halfway between empty (1) and full (5)
  EXPECT_DOUBLE_EQ(Item(4).Lcg(), 30);
  EXPECT_DOUBLE_EQ(Item(4).Tcg(), -2);
  EXPECT_DOUBLE_EQ(Item(4).FreeSurface(), 40);
  EXPECT_EQ(modified, 1);
  const TankRecord& t = tanks.Records[0];
  EXPECT_EQ(t[TankField::Content], "50");
  EXPECT_EQ(t[TankField::ShownLcg], "  30.00");
  EXPECT_EQ(t[TankField::ShownVcg], "  3.00");
  EXPECT_EQ(t[TankField::ShownTcg], "  -2.00");  // the magnitude is rounded, the sign kept
  EXPECT_EQ(t[TankField::ShownFreeSurface], "    40");
  EXPECT_EQ(t[TankField::ShownPercent], "  50");
  EXPECT_EQ(t[TankField::ShownContent], "   50.00");

  tanks.SetTankContent(0, 50);  // the same content: nothing at all
  EXPECT_EQ(modified, 1);
  tanks.SetTankContent(0, 73.3);
  EXPECT_DOUBLE_EQ(Item(4).Tonnes(), 73.3);
  tanks.SetTankContent(0, 0);
  EXPECT_EQ(Item(4), before);
  for (int f = TankField::ShownLcg; f <= TankField::ShownContent; ++f) {
    EXPECT_EQ(Trim(t[static_cast<size_t>(f)]), "") << f;
  }
  tanks.SetTankContent(0, -5);  // nothing less than empty
  EXPECT_EQ(Item(4), before);
  tanks.SetTankContent(7, 10);  // no such tank
  tanks.SetTankContent(-1, 10);
  EXPECT_EQ(Item(4), before);
}

TEST_F(TankData, FreeSurfaceOnlyBetweenFiveAndNinetyFivePercent) {
  Load({kBallast});
  struct Case {
    double content;
    double fsm;
  };
  for (const Case c : {Case{97, 0}, Case{95, 40}, Case{50, 40}, Case{5, 40}, Case{4.9, 0}, Case{100, 0}}) {
    tanks.SetTankContent(0, c.content);
    EXPECT_DOUBLE_EQ(Item(4).FreeSurface(), c.fsm) << c.content;
  }
}

TEST_F(TankData, SoundingTableCentresAndMoments) {
  // Rows at 10 t and 20 t; the 20 t row gives no TCG. T2 has a single row,
  // which does not make a table.
  Load({kBallast, {"T2", "t2", "100", "5", "5", "1", "30", "-2", "40"}},
       "WB1;0.5;10;28;1.2;-1;20;\r\nWB1;1.0;20;29;1.6;0;30;\r\nT2;1;50;99;99;99;99;\r\n");
  struct Case {
    double content;
    double lcg, vcg, tcg, fsm;
  };
  const Case cases[] = {
      {15, 28.5, 1.4, -2, 25},  // halfway, but no TCG from the 20 t row
      {5, 28, 1.2, -1, 20},     // below the first row: that row
      {10, 28, 1.2, -1, 20},
      {25, 30, 2, -2, 40},        // beyond the rows: the tank table
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content);
    tanks.SetTankContent(0, c.content);
    EXPECT_NEAR(Item(4).Lcg(), c.lcg, 1e-9);
    EXPECT_NEAR(Item(4).Vcg(), c.vcg, 1e-9);
    EXPECT_NEAR(Item(4).Tcg(), c.tcg, 1e-9);
    EXPECT_NEAR(Item(4).FreeSurface(), c.fsm, 1e-9);
  }
  tanks.SetTankContent(1, 50);
  EXPECT_DOUBLE_EQ(Item(5).Lcg(), 30);
  EXPECT_DOUBLE_EQ(Item(5).FreeSurface(), 40);
}

TEST_F(TankData, FreeSurfaceOfARectangularTankFromItsSoundingTable) {
  // A box tank of 10 m by 8 m in a barge: the free surface's moment is
  // l·b³/12 times the density whatever the sounding.
  const Hull barge = BoxBarge(100, 20, 12, 40, 20);
  TankShape shape;
  shape.Key = "BOX";
  shape.Name = "Box tank";
  shape.XAft = 40;
  shape.XFore = 50;
  shape.ZBottom = 1;
  shape.ZTop = 5;
  shape.YMin = -4;
  shape.YMax = 4;
  const std::vector<::TankTable> table{ComputeTank(barge, shape, 8, 5)};
  std::string error;
  ASSERT_TRUE(WriteTnk(dir.path() / "tnk.txt", table, error)) << error;
  ASSERT_TRUE(WriteTnp(dir.path() / "tnp.txt", table, error)) << error;
  ASSERT_TRUE(tanks.Load(dir.path(), error)) << error;
  ASSERT_EQ(tanks.Count(), 1);

  const double expected = 10 * 8 * 8 * 8 / 12.0 * kBallastDensity;
  const double capacity = tanks.Capacity(0);
  EXPECT_NEAR(capacity, 10 * 8 * 4 * kBallastDensity, 0.01);
  for (double fraction : {0.25, 0.44, 0.5, 0.9}) {
    tanks.SetTankContent(0, capacity * fraction);
    EXPECT_NEAR(Item(4).FreeSurface(), expected, 0.01 * expected) << fraction;
    EXPECT_NEAR(Item(4).Vcg(), 1 + 4 * fraction / 2, 0.01) << fraction;
    EXPECT_NEAR(Item(4).Lcg(), 45, 0.01) << fraction;
  }
}

TEST_F(TankData, ConditionLinesByKey) {
  Load({kBallast, {"FW1", "Fresh water", "80", "8", "6", "2", "10", "0", "12"}});
  EXPECT_TRUE(tanks.SetTankByName("FW1", 12.5));
  EXPECT_EQ(tanks.TankLine(1, "|"), "T|FW1|12.5|");
  EXPECT_EQ(tanks.TankLine(0, "|"), "");  // empty tanks write no line
  EXPECT_EQ(tanks.TankLine(5, "|"), "");

  const auto records = tanks.Records;
  const auto items = stab.Items;
  const int before = modified;
  EXPECT_FALSE(tanks.SetTankByName("fw1", 30));  // keys match exactly
  EXPECT_FALSE(tanks.SetTankByName("NOPE", 30));
  EXPECT_EQ(tanks.Records, records);
  EXPECT_EQ(stab.Items, items);
  EXPECT_EQ(modified, before);
}

TEST_F(TankData, ResetEmptiesEveryTankAndTheTankItems) {
  Load({kBallast, {"FO1", "Fuel", "200", "5", "6", "2", "40", "3", "55"}});
  tanks.SetTankContent(0, 60);
  tanks.SetTankContent(1, 150);
  stab.UpdateWeightItem(9, 12, 1, 1, 1, +1);          // something left in a tank item
  stab.UpdateWeightItem(kContainersItem, 500, 50, 8, 0, +1);
  const WeightItem containers = Item(kContainersItem);
  tanks.ResetTanks();
  for (int g = kFirstTankGroup; g <= kLastTankGroup; ++g) EXPECT_EQ(Item(g), WeightItem{}) << g;
  EXPECT_EQ(Item(kContainersItem), containers);
  for (int t = 0; t < tanks.Count(); ++t) {
    EXPECT_EQ(tanks.Content(t), 0);
    EXPECT_EQ(Trim(tanks.Records[static_cast<size_t>(t)][TankField::ShownContent]), "");
  }
}

TEST_F(TankData, CapacityZeroAndStrangeGroups) {
  Load({{"Z", "no capacity", "0", "6", "4", "1", "20", "1", "30"}, {"G", "lightship?", "50", "0", "4", "1", "20"}});
  tanks.SetTankContent(0, 10);
  EXPECT_DOUBLE_EQ(Item(6).Tonnes(), 10);
  EXPECT_DOUBLE_EQ(Item(6).Vcg(), 4);  // counted as full
  EXPECT_DOUBLE_EQ(Item(6).FreeSurface(), 0);
  for (int f = TankField::ShownLcg; f <= TankField::ShownContent; ++f) {
    const std::string& text = tanks.Records[0][static_cast<size_t>(f)];
    EXPECT_EQ(text.find_first_of("infa"), std::string::npos) << text;
  }
  EXPECT_EQ(tanks.Records[0][TankField::ShownPercent], " 100");
  tanks.SetTankContent(0, 0);
  EXPECT_EQ(Item(6), WeightItem{});

  // A group outside 4..9 would write into another item: refused.
  tanks.SetTankContent(1, 25);
  EXPECT_EQ(Item(0), WeightItem{});
  EXPECT_EQ(tanks.Content(1), 0);
}

TEST_F(TankData, AllFullAndAllEmptyOfAGroup) {
  Load({kBallast, {"WB2", "Water ballast 2", "60.5", "4", "5", "1", "70", "2", "40"},
        {"FO1", "Fuel", "200", "5", "6", "2", "40", "3", "55"}});
  tanks.FillGroup(4);
  EXPECT_EQ(modified, 1);  // once for the group
  EXPECT_EQ(plan->BatchFlags[1], 0);
  EXPECT_DOUBLE_EQ(Item(4).Tonnes(), 160.5);
  EXPECT_EQ(Item(5), WeightItem{});

  stab.UpdateWeightItem(4, 3, 50, 2, 0, +1);  // a residue beside the tanks
  tanks.EmptyGroup(4);
  EXPECT_EQ(Item(4), WeightItem{});
  EXPECT_EQ(modified, 2);
  EXPECT_EQ(tanks.Content(0), 0);
  EXPECT_EQ(tanks.Content(1), 0);
  tanks.EmptyGroup(4);  // nothing to empty: not modified
  EXPECT_EQ(modified, 2);
}

TEST_F(TankData, Report) {
  Load({kBallast, {"FO1", "Fuel oil tank number one (port)", "200", "5", "6", "2", "40", "3", "55"}});
  tanks.SetTankContent(0, 50);
  std::vector<std::string> lines;
  tanks.TanksReport(lines);
  const std::string rule(69, '-');
  ASSERT_EQ(lines.size(), 1u + 6 * 3 + 2);  // a rule, per group heading, total, rule, and the two tanks
  EXPECT_EQ(lines[0], rule);
  EXPECT_EQ(lines[1], " Water Ballast             " + plan->Messages[83]);
  EXPECT_EQ(lines[2], "Water ballast 1          100.00  30.00  3.00  -2.00    40  50   50.00");
  EXPECT_EQ(lines[3], " total Water Ballast             30.00  3.00  -2.00             50.00");
  EXPECT_EQ(lines[4], rule);
  EXPECT_EQ(lines[6], "Fuel oil tank number one 200.00");  // cut to 24; nothing shown while empty
  EXPECT_EQ(lines[7], " total Fuel Oil                 ");
}

}  // namespace
