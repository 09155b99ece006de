#include "reports/PlanPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../planning/PlanFixture.h"
#include "RecordingCanvas.h"
#include "core/TextHelpers.h"

namespace plantest {
namespace {

bool Has(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The bay titles (and the page title): the texts in the labels' font.
std::vector<std::string> Labels(const RecordingCanvas& canvas) {
  std::vector<std::string> texts;
  for (const CanvasOp& op : canvas.ops)
    if (op.kind == CanvasOp::Text && op.font.name == "Verdana") texts.push_back(op.text);
  return texts;
}

class PlanPageTest : public PlanTest {
 protected:
  void SetUp() override {
    PlanTest::SetUp();
    plan.Settings[22] = "ACME LINES   ";
    plan.Settings[110] = "DejaVu Sans";
    plan.VesHdr[VesHdrIx::Vessel] = " FEEDER ";
    plan.VesHdr[VesHdrIx::Port] = "HAM";
    plan.PlaneTitle[kCurPlane] = "HAMBURG / 012N Departure";
    for (int i = 0; i < plan.CellCount; ++i) plan.Cur()[i].SELECTED = 1;
  }
  static StructDat To(const char* pod, const std::string& siz = "20", int empty = 0, const char* typ = "DV") {
    StructDat u = Unit("", siz, 12);
    u.POD = pod;
    u.MTY = empty;
    u.TYP = typ;
    return u;
  }
  static PlanPageRequest Section(int section) {
    PlanPageRequest request;
    request.section = section;
    return request;
  }
  static PlanPageRequest BayPage(int bay) {
    PlanPageRequest request;
    request.bayPlan = true;
    request.bay = bay;
    return request;
  }
  PlanPageResult Draw(RecordingCanvas& canvas, PlanPageRequest request) {
    request.dateLine = "Zum4 - 2026/12/11 13:05";
    return DrawPlanPage(canvas, plan, request);
  }
  void SelectAll(int selected) {
    for (int i = 0; i < plan.CellCount; ++i)
      if (plan.Cur()[i].STATUS != 0) plan.Cur()[i].SELECTED = selected;
  }
};

TEST_F(PlanPageTest, PortraitPrintsTwoHalvesLandscapeOnePage) {
  struct Case {
    const char* setting;
    bool bayPlan;
    bool portrait;
    std::vector<int> sections;
  } cases[] = {{"0", false, true, {1, 2}}, {"1", false, false, {0}}, {"0", true, false, {0}}};
  for (const Case& c : cases) {
    plan.Settings[79] = c.setting;
    const bool portrait = PlanPrintsPortrait(plan, c.bayPlan);
    EXPECT_EQ(portrait, c.portrait) << c.setting << " " << c.bayPlan;
    if (!c.bayPlan) {
      EXPECT_EQ(LetterPlanSections(portrait), c.sections) << c.setting;
    }
  }
}

// The first page carries the title and the legend, the second the date
// line and the totals; each bay stands on the page of its section only.
TEST_F(PlanPageTest, TwoPagesShareTheBaysAndTheirFurniture) {
  Load({{"010082", To("RTM")}, {"090102", To("FXT")}});
  RecordingCanvas first(1600, 2200), second(1600, 2200), whole(2200, 1600);
  const PlanPageResult r1 = Draw(first, Section(1));
  const PlanPageResult r2 = Draw(second, Section(2));
  const PlanPageResult r0 = Draw(whole, Section(0));
  const auto t1 = first.TextsOnPage(1), t2 = second.TextsOnPage(1), t0 = whole.TextsOnPage(1);
  const std::string title = "ACME LINES - m/v FEEDER - HAMBURG / 012N Departure";
  for (const char* legend : {"Reefer   ", "HighCube ", "Restow   ", "OverLen  ", "Empty: LowCase"}) {
    EXPECT_TRUE(Has(t1, legend)) << legend;
    EXPECT_FALSE(Has(t2, legend)) << legend;
    EXPECT_TRUE(Has(t0, legend)) << legend;
  }
  EXPECT_EQ(r1.title, title);
  EXPECT_TRUE(Has(t1, title));
  EXPECT_TRUE(r2.title.empty());
  EXPECT_FALSE(Has(t1, "Zum4 - 2026/12/11 13:05"));
  EXPECT_TRUE(Has(t2, "Zum4 - 2026/12/11 13:05"));
  EXPECT_TRUE(Has(t0, "Zum4 - 2026/12/11 13:05"));
  EXPECT_FALSE(r1.totalsTable);
  EXPECT_TRUE(r2.totalsTable);
  EXPECT_TRUE(r0.totalsTable);
  EXPECT_TRUE(Has(t2, "20'full"));

  int onBoth = 0, onNone = 0;
  for (int b = 0; b < plan.BayCount; ++b) {
    const std::string number = Trim(plan.Bays[b].BAY);
    auto titled = [&](const std::vector<std::string>& texts) {
      return Has(texts, number) || Has(texts, number + "(" + Trim(plan.Bays[b].D40) + ")");
    };
    const bool on0 = titled(Labels(whole)), on1 = titled(Labels(first)), on2 = titled(Labels(second));
    EXPECT_TRUE(on0) << number;
    EXPECT_EQ(on1, plan.Bays[b].SECTION == 1) << number;
    EXPECT_EQ(on2, plan.Bays[b].SECTION == 2) << number;
    onBoth += on1 && on2;
    onNone += !on1 && !on2;
  }
  EXPECT_EQ(onBoth, 0);
  EXPECT_EQ(onNone, 0);
}

TEST_F(PlanPageTest, TitleNamesTheOnePortLoadedOrDischarged) {
  struct Case {
    const char* load;
    const char* discharge;
    int printMode;
    const char* expected;
  } cases[] = {
      {"", "", 0, "ACME LINES - m/v FEEDER - HAMBURG / 012N Departure"},
      {"RTM", "", 0, "ACME LINES - m/v FEEDER - HAMBURG - Loading ROTTERDAM"},
      {"", "FXT", 0, "ACME LINES - m/v FEEDER - HAMBURG - Discharging FELIXSTOWE"},
      {"RTM", "FXT", 0, "ACME LINES - m/v FEEDER - HAMBURG - Loading ROTTERDAM - Discharging FELIXSTOWE"},
      // The MOVINS run's loading plan names only the loads, its
      // discharging plan only the discharges.
      {"RTM", "FXT", 1, "ACME LINES - m/v FEEDER - HAMBURG - Loading ROTTERDAM"},
      {"RTM", "FXT", 2, "ACME LINES - m/v FEEDER - HAMBURG - Discharging FELIXSTOWE"},
      // A port missing from the ports table is named by its code.
      {"XYZ", "", 0, "ACME LINES - m/v FEEDER - HAMBURG - Loading XYZ"},
  };
  for (const Case& c : cases) {
    PlanPageRequest request;
    request.singleLoadPort = c.load;
    request.singleDischargePort = c.discharge;
    request.printMode = c.printMode;
    EXPECT_EQ(PlanPageTitle(plan, request), c.expected) << c.load << "/" << c.discharge << "/" << c.printMode;
  }
  // The page writes the rebuilt title.
  Load({{"010082", To("RTM")}});
  RecordingCanvas canvas(2200, 1600);
  PlanPageRequest oneLoad;
  oneLoad.singleLoadPort = "RTM";
  const PlanPageResult r = Draw(canvas, oneLoad);
  EXPECT_TRUE(Has(canvas.TextsOnPage(1), "ACME LINES - m/v FEEDER - HAMBURG - Loading ROTTERDAM"));
  EXPECT_EQ(r.title, "ACME LINES - m/v FEEDER - HAMBURG - Loading ROTTERDAM");
}

TEST_F(PlanPageTest, TotalsCountSelectedAndRestowedUnitsByDischargePort) {
  StructDat restowed = To("FXT", "40");
  restowed.RESTOW = 2;
  Load({{"010082", To("RTM")},
        {"010182", To("RTM")},
        {"010282", To("RTM", "20", 1)},
        {"090102", To("FXT")},
        {"010004", restowed},
        {"030084", To("FXT")}});
  plan.Cur()[Cell("030084")].SELECTED = 0;  // filtered out: not counted
  plan.Cur()[Cell("010004")].SELECTED = 0;  // restowed: counted all the same
  RecordingCanvas canvas(2200, 1600);
  const PlanPageResult r = Draw(canvas, {});
  EXPECT_EQ(r.unitsCounted, 5);
  EXPECT_EQ(plan.Cur()[Cell("010004")].SELECTED, 1);
  const PlanTotalsTable table = BuildPlanTotalsTable(plan);
  // In the order the cells meet the ports.
  ASSERT_EQ(table.ports, (std::vector<std::string>{"FXT", "RTM"}));
  EXPECT_FALSE(table.breakBulk);
  //                        FXT RTM total
  const std::vector<std::vector<int>> expected{{1, 2, 3}, {0, 1, 1}, {1, 0, 1}, {0, 0, 0}, {0, 0, 0}};
  EXPECT_EQ(table.counts, expected);
  const auto texts = canvas.TextsOnPage(1);
  for (const char* text : {"20'full", "   mty ", "40'full", " total", "RTM", "FXT", "     2", "     3"})
    EXPECT_TRUE(Has(texts, text)) << text;
  EXPECT_FALSE(Has(texts, "Br/Bulk"));
  EXPECT_FALSE(Has(texts, "     0")) << "a zero count is left blank";
}

TEST_F(PlanPageTest, BreakBulkRowOnlyWithBreakBulkAndNoTableWithoutUnits) {
  struct Case {
    bool breakBulk;
    int selected;
    bool table;
    bool row;
  } cases[] = {{false, 1, true, false}, {true, 1, true, true}, {true, 0, false, false}};
  for (const Case& c : cases) {
    for (int i = 0; i < plan.CellCount; ++i) plan.Cur()[i] = StructDat{};
    Load({{"010082", To("RTM")}});
    if (c.breakBulk) Load({{"090102", To("RTM", "20", 0, "BB")}});
    SelectAll(c.selected);
    RecordingCanvas canvas(2200, 1600);
    const PlanPageResult r = Draw(canvas, {});
    const auto texts = canvas.TextsOnPage(1);
    EXPECT_EQ(r.totalsTable, c.table) << c.breakBulk << c.selected;
    EXPECT_EQ(Has(texts, "20'full"), c.table) << c.breakBulk << c.selected;
    EXPECT_EQ(Has(texts, "Br/Bulk"), c.row) << c.breakBulk << c.selected;
  }
}

TEST_F(PlanPageTest, BayPlanPageShowsOneBayAndRestoresTheModes) {
  Load({{"010082", To("RTM")}, {"030082", To("FXT")}});
  plan.ColourMode = 1;
  plan.LetterMode = 3;
  plan.OneBayNumber = 0;
  plan.SectionFilter = 2;
  plan.PrintFields.fill(1);
  RecordingCanvas canvas(2200, 1600);
  PlanPageRequest request = BayPage(1);
  request.colourMode = 0;
  const PlanPageResult r = Draw(canvas, request);
  EXPECT_TRUE(r.drawn);
  EXPECT_FALSE(r.totalsTable);
  EXPECT_TRUE(Has(Labels(canvas), "01(02)"));
  EXPECT_FALSE(Has(Labels(canvas), "03"));
  EXPECT_FALSE(Has(canvas.TextsOnPage(1), "Reefer   ")) << "no legend on a bay plan";
  // The title in bold, underlined.
  const auto title = std::find_if(canvas.ops.begin(), canvas.ops.end(),
                                  [&](const CanvasOp& op) { return op.text == r.title; });
  ASSERT_NE(title, canvas.ops.end());
  EXPECT_TRUE(title->font.bold && title->font.underline);
  // Page title, bay number and the top tier one below the other, the bay
  // whole on the page.
  const auto number = std::find_if(canvas.ops.begin(), canvas.ops.end(), [](const CanvasOp& op) {
    return op.text == "01(02)" && op.font.name == "Verdana";
  });
  ASSERT_NE(number, canvas.ops.end());
  EXPECT_GE(number->y1, title->y1 + title->font.pixelHeight);
  const StructBay& bay = plan.Bays[0];
  for (int cell = bay.FIRSTCELL; cell <= bay.LASTCELL; ++cell) {
    EXPECT_GE(plan.Cells[cell].Y, number->y1 + number->font.pixelHeight) << plan.Cells[cell].CELL;
    EXPECT_LE(plan.Cells[cell].Y + plan.CellPitchY, canvas.Height()) << plan.Cells[cell].CELL;
  }
  EXPECT_EQ(plan.ColourMode, 1);
  EXPECT_EQ(plan.LetterMode, 3);
  EXPECT_EQ(plan.OneBayNumber, 0);
  EXPECT_EQ(plan.SectionFilter, 2);
  // A bay the vessel does not have draws nothing.
  RecordingCanvas none(2200, 1600);
  EXPECT_FALSE(Draw(none, BayPage(99)).drawn);
  EXPECT_TRUE(none.ops.empty());
}

TEST_F(PlanPageTest, BitmapFollowsThePageAndTheSettings) {
  struct Case {
    const char* width;
    const char* divisor;
    bool high;
    int pageW, pageH;
    int w, h;
  } cases[] = {
      {"1600", "1", false, 1000, 700, 1600, 1120},
      {"1600", "1", true, 1000, 700, 1000, 700},
      {"1600", "2", true, 1000, 700, 500, 350},
      {"1600", "12", true, 1000, 700, 1000, 700},  // outside 2..9: no divisor
      {"", "1", false, 700, 1000, 1600, 2285},     // unset width: the default
  };
  for (const Case& c : cases) {
    plan.Settings[103] = c.width;
    plan.Settings[104] = c.divisor;
    const PlanBitmapSize size = PlanPageBitmap(plan, c.pageW, c.pageH, c.high);
    EXPECT_EQ(size.width, c.w) << c.width << " " << c.divisor << " " << c.high;
    EXPECT_EQ(size.height, c.h) << c.width << " " << c.divisor << " " << c.high;
  }
}

}  // namespace
}  // namespace plantest
