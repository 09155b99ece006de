// The 64 columns of a unit: each column is its field, and back.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "conditions/UnitColumns.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"

namespace {

struct ColumnCase {
  int column;
  std::string text;                                      // written into that column alone
  std::function<std::string(const StructDat&)> field;   // what the record then holds, as text
};

std::string Num(int n) { return std::to_string(n); }

// One distinct value per column; whole-number columns take numbers, real
// columns reals.
std::vector<ColumnCase> ColumnCases() {
  std::vector<ColumnCase> cases = {
      {0, "030182", [](const StructDat& u) { return u.POSITION; }},
      {1, "ZUMU1234565", [](const StructDat& u) { return u.CONTAINER; }},
      {2, "GOA", [](const StructDat& u) { return u.POL; }},
      {3, "HAM", [](const StructDat& u) { return u.POD; }},
      {4, "NYC", [](const StructDat& u) { return u.PRS; }},
      {5, "SIN", [](const StructDat& u) { return u.FRM; }},
      {6, "21.375", [](const StructDat& u) { return u.WEIGHT == 21.375 ? "21.375" : "?"; }},
      {7, "RE", [](const StructDat& u) { return u.TYP; }},
      {8, "45", [](const StructDat& u) { return u.SIZ; }},
      {9, "45R1", [](const StructDat& u) { return u.ISO; }},
      {10, "3", [](const StructDat& u) { return u.IMO[0]; }},
      {11, "1203", [](const StructDat& u) { return u.UN[0]; }},
      {12, "9.5", [](const StructDat& u) { return u.HEIGHT == 9.5 ? "9.5" : "?"; }},
      {13, "-18", [](const StructDat& u) { return Num(u.TEMP); }},
      {14, "-16", [](const StructDat& u) { return Num(u.TEMP_2); }},
      {15, "15", [](const StructDat& u) { return Num(u.OH); }},
      {16, "16", [](const StructDat& u) { return Num(u.OWP); }},
      {17, "17", [](const StructDat& u) { return Num(u.OWS); }},
      {18, "18", [](const StructDat& u) { return Num(u.OL); }},
      {19, "BK19", [](const StructDat& u) { return u.BOOKING; }},
      {20, "1", [](const StructDat& u) { return Num(u.MTY); }},
      {21, "OPR", [](const StructDat& u) { return u.OPERATOR; }},
      {22, "2", [](const StructDat& u) { return Num(u.RESTOW); }},
      {23, "4", [](const StructDat& u) { return Num(u.FL2); }},
      {24, "24", [](const StructDat& u) { return Num(u.FL3); }},
      {29, "C29", [](const StructDat& u) { return u.COL29; }},
      {30, "-1", [](const StructDat& u) { return Num(u.STATUS); }},
      {31, "31", [](const StructDat& u) { return Num(u.BUNDLES); }},
      {32, "HANDLE", [](const StructDat& u) { return u.NOTE_HAN; }},
      {33, "CLEAR", [](const StructDat& u) { return u.NOTE_CLR; }},
      {34, "AAA NOTE", [](const StructDat& u) { return u.NOTE_AAA; }},
      {35, "ZZZ NOTE", [](const StructDat& u) { return u.NOTE_ZZZ; }},
      {51, "C51", [](const StructDat& u) { return u.COL51; }},
      {52, "C52", [](const StructDat& u) { return u.COL52; }},
      {53, "1", [](const StructDat& u) { return Num(u.ONDECK); }},
      {54, "54", [](const StructDat& u) { return Num(u.COL54); }},
      {55, "55", [](const StructDat& u) { return Num(u.COL55); }},
      {56, "C56", [](const StructDat& u) { return u.COL56; }},
      {57, "C57", [](const StructDat& u) { return u.COL57; }},
      {58, "010282", [](const StructDat& u) { return u.RESTOW_FROM; }},
      {59, "59", [](const StructDat& u) { return Num(u.COL59); }},
      {60, "C60", [](const StructDat& u) { return u.COL60; }},
      {61, "61", [](const StructDat& u) { return u.COL61; }},
      {63, "VGM", [](const StructDat& u) { return u.WEIGHT_KIND; }},
  };
  for (int k = 0; k < 5; ++k) {
    cases.push_back({36 + k, "EQAU00000" + Num(k), [k](const StructDat& u) { return u.EQA[k]; }});
    cases.push_back({41 + k, "2." + Num(k + 1), [k](const StructDat& u) { return u.IMO[k + 1]; }});
    cases.push_back({46 + k, "10" + Num(k) + "0", [k](const StructDat& u) { return u.UN[k + 1]; }});
  }
  return cases;
}

class UnitColumnsTest : public ::testing::Test {
 protected:
  UnitColumnsTest() { SetNumberFormat(NumberFormat{'.', ','}); }
  ~UnitColumnsTest() override { SetNumberFormat(NumberFormat{'.', ','}); }
  std::unique_ptr<PlanData> owner = CreatePlanData();
  PlanData& plan = *owner;
};

TEST_F(UnitColumnsTest, EachColumnIsItsOwnFieldBothWays) {
  const auto cases = ColumnCases();
  // 64 columns less the five that hold nothing to read (25..28, 62).
  ASSERT_EQ(cases.size(), 59u);
  UnitColumnTexts all;
  for (const ColumnCase& c : cases) {
    UnitColumnTexts one;
    one[c.column] = c.text;
    EXPECT_EQ(c.field(ColumnsToUnit(plan, one)), c.text) << "column " << c.column;
    all[c.column] = c.text;
  }
  // Every field distinct at once: the record writes back to the same texts,
  // with the bay digits of the position in column 28.
  const StructDat unit = ColumnsToUnit(plan, all);
  UnitColumnTexts expected = all;
  expected[UnitCol::BayText] = "03";
  EXPECT_EQ(UnitToColumns(plan, unit), expected);
  EXPECT_EQ(unit.BAYTXT, "03");
}

TEST_F(UnitColumnsTest, ColumnsWithoutAFieldAreIgnoredAndFreshFieldsSet) {
  UnitColumnTexts texts;
  for (int c : {25, 26, 27, 28, 62}) texts[c] = "X";
  texts[0] = "050084";
  StructDat expected;
  expected.POSITION = "050084";
  expected.BAYTXT = "05";
  EXPECT_EQ(ColumnsToUnit(plan, texts), expected);

  // A record carrying stale derived values is refreshed over them.
  StructDat unit;
  unit.IMO[7] = "9";
  unit.UN[8] = "1999";
  unit.EQA[5] = "EQAU9999999";
  unit.OL_2 = 12;
  unit.POLIX = 4;
  unit.PODIX = 5;
  unit.SELECTED = 0;
  unit.CHANGED = 1;
  unit.COL62 = "stale";
  ColumnsToUnit(plan, texts, unit);
  EXPECT_EQ(unit, expected);
}

TEST_F(UnitColumnsTest, AllColumnsEmptyGiveTheEmptyRecord) {
  EXPECT_EQ(ColumnsToUnit(plan, UnitColumnTexts{}), StructDat{});
  EXPECT_EQ(ColumnsToUnit(plan, std::span<const std::string>{}), StructDat{});
}

TEST_F(UnitColumnsTest, NumbersAreWrittenPlainAndReadLeniently) {
  StructDat unit;
  unit.WEIGHT = 0.1 + 0.2;  // no short decimal: needs the shortest exact form
  unit.HEIGHT = 9.5;
  unit.TEMP = -18;
  UnitColumnTexts c = UnitToColumns(plan, unit);
  EXPECT_EQ(c[UnitCol::TempMin], "-18");
  EXPECT_EQ(c[15], "0");   // whole numbers show 0
  EXPECT_EQ(c[UnitCol::Status], "0");
  EXPECT_EQ(ColumnsToUnit(plan, c).WEIGHT, unit.WEIGHT);

  SetNumberFormat(NumberFormat{',', '.'});
  c = UnitToColumns(plan, unit);
  EXPECT_EQ(c[12], "9,5");
  EXPECT_EQ(ColumnsToUnit(plan, c).WEIGHT, unit.WEIGHT);
  EXPECT_EQ(ColumnsToUnit(plan, c).HEIGHT, 9.5);

  UnitColumnTexts sequence;
  sequence[UnitCol::Col61] = "0007";  // the loading sequence as stored by the list
  EXPECT_EQ(ColumnsToUnit(plan, sequence).COL61, "7");
}

}  // namespace
