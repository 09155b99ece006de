#include "reports/Totals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../planning/PlanFixture.h"
#include "core/TextHelpers.h"

namespace plantest {
namespace {

// The figures of a total line after the key, by their widths; with break
// bulk three more figures stand before the totals.
std::vector<std::string> FiguresOf(const std::string& line, int keyWidth, bool breakBulk) {
  std::vector<int> widths{5, 5, 6, 5, 5, 5, 5, 5};
  if (breakBulk) widths.insert(widths.end(), {4, 5, 5});
  widths.insert(widths.end(), {7, 6, 5, 4, 5});
  std::vector<std::string> figures;
  size_t at = static_cast<size_t>(keyWidth);
  for (int w : widths) {
    figures.push_back(Trim(line.substr(at, static_cast<size_t>(w))));
    at += static_cast<size_t>(w);
  }
  return figures;
}

class TotalsTest : public PlanTest {
 protected:
  void SetUp() override {
    PlanTest::SetUp();
    for (int c : {2, 3}) {
      plan.RepNames[c] = c == 2 ? "POL" : "POD";
      plan.RepDef[c][0] = 3;
    }
    const std::pair<int, const char*> messages[] = {
        {12, "---------- FULL ----------"}, {13, "---- EMPTY ----"}, {14, "- BREAK BULK -"},
        {15, "---------- TOTAL ----------"}, {16, "  20'  40'  TONS  TEU  AVG"},
        {17, " UNITS  TONS  TEU BDL  AVG"},    {18, "   BB TONS  TEU"}, {84, "  20'  40'  TEU"}};
    for (const auto& [k, text] : messages) plan.Messages[k] = text;
  }
  static StructDat From(const char* pol, const char* pod, const std::string& siz, double tonnes, int empty = 0) {
    StructDat u = Unit("", siz, tonnes);
    u.POL = pol;
    u.POD = pod;
    u.MTY = empty;
    return u;
  }
  TotalsReport Build(bool oneLevel = false) {
    TotalsOptions options;
    options.plane = plan.CurPlane;
    options.columns = {2, 3};
    options.oneLevel = oneLevel;
    return BuildTotals(plan, options);
  }
};

TEST_F(TotalsTest, GroupsAtEveryLevelAndTheGrandTotal) {
  Load({{"010082", From("HAM", "RTM", "20", 10)},
        {"010182", From("HAM", "RTM", "20", 14)},
        {"010282", From("HAM", "FXT", "20", 2, 1)},
        {"010002", From("RTM", "FXT", "40", 20)}});
  const TotalsReport r = Build();
  ASSERT_EQ(r.keyWidth, 8);
  EXPECT_FALSE(r.breakBulk);
  // Without break bulk its headings are left out; a blank holds its place
  // on the second line.
  EXPECT_EQ(r.title, std::string(8, ' ') + plan.Messages[12] + plan.Messages[13] + plan.Messages[15] + " ");
  EXPECT_EQ(r.lines[0].text, "                   FULL                EMPTY                TOTAL            ");
  EXPECT_EQ(r.lines[1].text, "POL POD " + plan.Messages[16] + plan.Messages[84] + " " + plan.Messages[17] + "  ");
  struct Expected {
    const char* key;
    int level;
    std::vector<std::string> figures;  // 20F 40F tonnes TEU avg 20E 40E TEU units tonnes TEU bundles avg
  } expected[] = {
      {"HAM FXT ", 2, {"", "", "", "", "", "1", "", "1", "1", "2", "1", "", "2.0"}},
      {"HAM RTM ", 2, {"2", "", "24", "2", "12.0", "", "", "", "2", "24", "2", "", "12.0"}},
      {"HAM     ", 1, {"2", "", "24", "2", "12.0", "1", "", "1", "3", "26", "3", "", "8.7"}},
      {"RTM FXT ", 2, {"", "1", "20", "2", "10.0", "", "", "", "1", "20", "2", "", "10.0"}},
      {"RTM     ", 1, {"", "1", "20", "2", "10.0", "", "", "", "1", "20", "2", "", "10.0"}},
      {"        ", 0, {"2", "1", "44", "4", "11.0", "1", "", "1", "4", "46", "5", "", "9.2"}},
  };
  ASSERT_EQ(r.lines.size(), 2 + std::size(expected));
  for (size_t k = 0; k < std::size(expected); ++k) {
    const TotalsLine& line = r.lines[2 + k];
    EXPECT_EQ(line.text.substr(0, 8), expected[k].key) << k;
    EXPECT_EQ(line.level, expected[k].level) << k;
    EXPECT_EQ(FiguresOf(line.text, 8, false), expected[k].figures) << line.text;
  }
  EXPECT_EQ(r.units, 4);
  EXPECT_DOUBLE_EQ(r.tonnes, 46);
}

// Only the deepest groups and the grand total; break bulk adds its figures
// and headings; attached equipment counts as units; unselected units and
// bundle members are left out.
TEST_F(TotalsTest, OneLevelBreakBulkAttachedAndLeftOut) {
  StructDat bb = From("HAM", "RTM", "20", 5);
  bb.TYP = "BB";
  StructDat carrier = From("HAM", "RTM", "40", 30);
  carrier.FL2 = 2;
  carrier.EQA[0] = "ABCU1111111";
  carrier.EQA[1] = "ABCU2222222";
  carrier.EQA[2] = "ABCU3333333";
  Load({{"010082", bb}, {"010002", carrier}, {"010182", From("RTM", "FXT", "20", 7)},
        {"010282", From("RTM", "FXT", "20", 9)}});
  At("010282").SELECTED = 0;
  At("010082").BUNDLES = 2;
  const TotalsReport r = Build(true);
  ASSERT_TRUE(r.breakBulk);
  EXPECT_NE(r.title.find("- BREAK BULK -"), std::string::npos);
  EXPECT_NE(r.lines[1].text.find("   BB TONS  TEU"), std::string::npos);
  std::vector<int> levels;
  for (size_t k = 2; k < r.lines.size(); ++k) levels.push_back(r.lines[k].level);
  EXPECT_EQ(levels, (std::vector<int>{2, 2, 0}));
  // HAM RTM: the carrier and its three attached units, 2 TEU; the break-bulk unit apart.
  EXPECT_EQ(FiguresOf(r.lines[2].text, 8, true),
            (std::vector<std::string>{"", "4", "30", "2", "15.0", "", "", "", "1", "5", "1", "5", "35", "3", "2",
                                      "11.7"}));
  EXPECT_EQ(r.units, 3) << "the unselected unit is not counted";
}

TEST_F(TotalsTest, NothingChosenOrNothingOnBoard) {
  TotalsOptions options;
  options.plane = plan.CurPlane;
  EXPECT_TRUE(BuildTotals(plan, options).lines.empty());
  const TotalsReport r = Build();
  ASSERT_EQ(r.lines.size(), 3u) << "the headings and a blank grand total";
  EXPECT_EQ(r.units, 0);
  EXPECT_EQ(Trim(r.lines[2].text), "");
}

}  // namespace
}  // namespace plantest
