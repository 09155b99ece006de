// Cell boxes drawn on a recording canvas: colours, letters and marks of the
// units, as the planner reads them off the bay plan.

#include "planning/CellDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "PlanFixture.h"
#include "RecordingCanvas.h"
#include "core/NumberFormat.h"
#include "core/TextHelpers.h"
#include "planning/BayLayout.h"

namespace {

constexpr Colour kHamColour = RgbColour(0x20, 0x90, 0x30);  // loading port
constexpr Colour kRtmColour = RgbColour(0xD0, 0x40, 0x10);  // discharge port
constexpr Colour kClass3Colour = RgbColour(0xF0, 0x10, 0x10);

struct Rect {
  int x1, y1, x2, y2;
  bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << "(" << r.x1 << "," << r.y1 << ")-(" << r.x2 << "," << r.y2 << ")";
}

class CellDrawingTest : public plantest::PlanTest {
 protected:
  BayLayout layout;
  BayView view;
  int w = 0, h = 0;

  void SetUp() override {
    PlanTest::SetUp();
    plan.Imos[0] = StructImo{"3", "FLAMMABLE LIQUIDS", static_cast<int>(kClass3Colour)};
    plan.ImoCount = 1;
    Relayout(kTargetScreen);
  }

  void Relayout(int target) {
    ComputeBayLayout(plan, layout, target);
    ComputeCellBoxes(plan, layout, 1400, 900, target);
    w = plan.CellPitchX;
    h = plan.CellPitchY;
  }

  // Loads the units and gives the voyage's ports their letters and colours.
  void LoadUnits(std::initializer_list<std::pair<const char*, StructDat>> units) {
    Load(units);
    for (int p = 0; p < plan.VoyPortCount; ++p) {
      StructPor& port = plan.VoyPorts[p];
      if (port.CODE == "HAM") port = StructPor{"HAM", "HAMBURG", "DE", "HB", static_cast<int>(kHamColour), 0};
      if (port.CODE == "RTM") port = StructPor{"RTM", "ROTTERDAM", "NL", "RT", static_cast<int>(kRtmColour), 0};
    }
  }

  std::vector<CanvasOp> Draw(const std::string& name, int target = kTargetScreen, int highlight = kDrawNormal) {
    RecordingCanvas canvas(1400, 900);
    SetCellFont(canvas, plan, layout, target);
    DrawCell(canvas, plan, layout, view, Cell(name), highlight, target);
    return canvas.ops;
  }

  Rect Interior(const std::string& name) const {
    const StructCel& c = plan.Cells[plantest::CellNamed(plan, name)];
    return {c.X + 1, c.Y + 1, c.X + w, c.Y + h};
  }
  Rect InsetBlock(const std::string& name) const {
    const StructCel& c = plan.Cells[plantest::CellNamed(plan, name)];
    return {c.X + w / 4 + 1, c.Y + h / 4 + 1, c.X + w - w / 4 - 1, c.Y + h - h / 4 - 1};
  }
};

std::vector<Rect> Fills(const std::vector<CanvasOp>& ops, Colour colour) {
  std::vector<Rect> rects;
  for (const CanvasOp& op : ops)
    if (op.kind == CanvasOp::FillRect && op.brush == colour) rects.push_back({op.x1, op.y1, op.x2, op.y2});
  return rects;
}

bool Has(const std::vector<Rect>& rects, const Rect& r) { return std::find(rects.begin(), rects.end(), r) != rects.end(); }

std::vector<const CanvasOp*> Texts(const std::vector<CanvasOp>& ops) {
  std::vector<const CanvasOp*> texts;
  for (const CanvasOp& op : ops)
    if (op.kind == CanvasOp::Text) texts.push_back(&op);
  return texts;
}

std::vector<std::string> TextStrings(const std::vector<CanvasOp>& ops) {
  std::vector<std::string> texts;
  for (const CanvasOp* op : Texts(ops)) texts.push_back(op->text);
  return texts;
}

int Count(const std::vector<CanvasOp>& ops, CanvasOp::Kind kind) {
  return static_cast<int>(std::count_if(ops.begin(), ops.end(), [&](const CanvasOp& op) { return op.kind == kind; }));
}

TEST_F(CellDrawingTest, AFortyFootUnitFillsItsOwnCellAndAnInsetBlockOfTheOther) {
  LoadUnits({{"010082", plantest::Unit("F1", "40")}});
  ASSERT_EQ(At("010082").STATUS, 1);
  ASSERT_EQ(At("030082").STATUS, -1);
  const auto own = Draw("010082");
  EXPECT_TRUE(Has(Fills(own, kRtmColour), Interior("010082")));
  const auto second = Draw("030082");
  EXPECT_TRUE(Has(Fills(second, kColourSilver), Interior("030082"))) << "the second cell is cleared first";
  EXPECT_EQ(Fills(second, kRtmColour), std::vector<Rect>{InsetBlock("030082")});
  EXPECT_TRUE(TextStrings(second).empty());
}

TEST_F(CellDrawingTest, TheSecondCellCarriesAPlusInMonochromeAndOnPrintsOfUnselectedUnits) {
  LoadUnits({{"010082", plantest::Unit("F1", "40")}});
  struct Case {
    const char* what;
    int colourMode;
    int target;
    bool selected;
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {"colour screen", 0, kTargetScreen, true, {}},
      {"monochrome screen", 4, kTargetScreen, true, {"+"}},
      {"monochrome print", 4, kTargetPrinter, true, {"+"}},
      {"colour print, unselected", 0, kTargetPrinter, false, {"+"}},
      {"monochrome print, unselected", 4, kTargetPrinter, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plan.ColourMode = c.colourMode;
    At("010082").SELECTED = At("030082").SELECTED = c.selected ? 1 : 0;
    Relayout(c.target);
    EXPECT_EQ(TextStrings(Draw("030082", c.target)), c.texts);
  }
}

TEST_F(CellDrawingTest, EmptyUnitsShowAnInnerSquareOrLowerCaseItalicLetters) {
  StructDat empty = plantest::Unit("E1", "20", 2.2);
  empty.MTY = 1;
  LoadUnits({{"010182", empty}});
  const StructCel& c = plan.Cells[Cell("010182")];
  const Rect inner{c.X + w / 5 + 2, c.Y + h / 5 + 2, c.X + w - w / 5 - 1, c.Y + h - h / 5 - 1};

  plan.LetterMode = 0;
  auto ops = Draw("010182");
  EXPECT_TRUE(Has(Fills(ops, kColourGrey), inner));
  EXPECT_TRUE(Texts(ops).empty());

  plan.LetterMode = 1;
  ops = Draw("010182");
  EXPECT_FALSE(Has(Fills(ops, kColourGrey), inner));
  ASSERT_EQ(Texts(ops).size(), 1u);
  EXPECT_EQ(Texts(ops)[0]->text, "r") << "the discharge port's letter, cut to one on the screen";
  EXPECT_TRUE(Texts(ops)[0]->font.italic);

  Relayout(kTargetPrinter);
  ops = Draw("010182", kTargetPrinter);
  ASSERT_EQ(Texts(ops).size(), 1u);
  EXPECT_EQ(Texts(ops)[0]->text, "rt");
}

TEST_F(CellDrawingTest, AnUnselectedUnitIsGreyOnTheScreenAndOnlyFramedOnAMonochromePrint) {
  LoadUnits({{"010182", plantest::Unit("U1")}});
  At("010182").SELECTED = 0;
  auto ops = Draw("010182");
  EXPECT_TRUE(Has(Fills(ops, kColourGrey), Interior("010182")));
  EXPECT_TRUE(Fills(ops, kRtmColour).empty());

  plan.ColourMode = 4;
  Relayout(kTargetPrinter);
  ops = Draw("010182", kTargetPrinter);
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].kind, CanvasOp::FrameRect);
  EXPECT_EQ(ops[0].pen, kColourBlack);
}

TEST_F(CellDrawingTest, OnlyDangerousLeavesColourToHazardousUnitsInTheirClassColour) {
  StructDat hazardous = plantest::Unit("D1");
  hazardous.IMO[0] = "3";
  hazardous.UN[0] = "1203";
  LoadUnits({{"010182", hazardous}, {"010282", plantest::Unit("N1")}});

  auto ops = Draw("010182");
  EXPECT_TRUE(Has(Fills(ops, kRtmColour), Interior("010182")));
  EXPECT_EQ(Count(ops, CanvasOp::Polygon), 1) << "the hazard triangle";

  view.onlyDangerous = true;
  ops = Draw("010182");
  EXPECT_TRUE(Has(Fills(ops, kClass3Colour), Interior("010182")));
  EXPECT_EQ(Count(ops, CanvasOp::Polygon), 0);
  ops = Draw("010282");
  EXPECT_TRUE(Has(Fills(ops, kColourGrey), Interior("010282")));
  EXPECT_TRUE(Fills(ops, kRtmColour).empty());
}

TEST_F(CellDrawingTest, ANonStandardLengthShowsItsSizeCodeOrASmallDigitInTheCorner) {
  LoadUnits({{"010182", plantest::Unit("L1", "45")}});
  struct Case {
    int letterMode;
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {0, {"45"}}, {1, {"R", "5"}}, {2, {"H", "5"}}, {3, {"10", "5"}}, {5, {"45"}}, {6, {"1", "5"}},
  };
  plan.Settings[SettingsIx::WeightClass40Heavy] = "25";
  plan.Settings[SettingsIx::WeightClass40Medium] = "18";
  plan.Settings[SettingsIx::WeightClass40Light] = "12";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.letterMode);
    plan.LetterMode = c.letterMode;
    const auto ops = Draw("010182");
    EXPECT_EQ(TextStrings(ops), c.texts);
    const auto texts = Texts(ops);
    if (texts.size() == 2) {
      const StructCel& box = plan.Cells[Cell("010182")];
      EXPECT_EQ(texts[1]->font.pixelHeight, texts[0]->font.pixelHeight / 2);
      EXPECT_EQ(texts[1]->x1, box.X + 1) << "the bottom-left corner";
      EXPECT_GT(texts[1]->y1, box.Y + h / 2);
    }
  }
}

TEST_F(CellDrawingTest, WeightClassLettersFollowTheThresholdsOfTheUnitsSize) {
  plan.Settings[SettingsIx::WeightClass20Heavy] = "20";
  plan.Settings[SettingsIx::WeightClass20Medium] = "14";
  plan.Settings[SettingsIx::WeightClass20Light] = "8";
  plan.LetterMode = 6;
  const std::vector<std::pair<double, std::string>> cases = {{8.0, "1"}, {8.5, "2"}, {14.0, "2"}, {19.9, "3"},
                                                             {20.1, "4"}};
  for (const auto& [weight, letter] : cases) {
    SCOPED_TRACE(weight);
    Remove("010182");
    LoadUnits({{"010182", plantest::Unit("W1", "20", weight)}});
    EXPECT_EQ(TextStrings(Draw("010182")), std::vector<std::string>{letter});
  }
  StructDat empty = plantest::Unit("W2", "20", 2.0);
  empty.MTY = 1;
  Remove("010182");
  LoadUnits({{"010182", empty}});
  EXPECT_EQ(TextStrings(Draw("010182")), std::vector<std::string>{"M"});
}

TEST_F(CellDrawingTest, ACellShowsTheOverWidthBarsOfTheUnitBesideIt) {
  StructDat wide = plantest::Unit("OW1");
  wide.OWP = 30;
  wide.OWS = 30;
  LoadUnits({{"010184", wide}});
  const int port = Cell("010084");  // row 00 lies to port of row 01
  ASSERT_EQ(plan.Cells[port].BLK_OWP, Cell("010184"));
  const StructCel& owner = plan.Cells[Cell("010184")];
  const int d = std::max(static_cast<int>(std::lround(30.0 * w / 243)), 2);
  for (const bool occupied : {false, true}) {
    SCOPED_TRACE(occupied ? "occupied neighbour" : "free neighbour");
    if (occupied) LoadUnits({{"010084", plantest::Unit("N2")}});
    const auto ops = Draw("010084");
    std::vector<int> columns;
    for (const CanvasOp& op : ops)
      if (op.kind == CanvasOp::Line && op.x1 == op.x2 && op.pen == kColourBlack) columns.push_back(op.x1);
    std::sort(columns.begin(), columns.end());
    std::vector<int> expected;
    for (int x = owner.X - d; x < owner.X; ++x) expected.push_back(x);
    EXPECT_EQ(columns, expected) << "vertical bars just left of the over-wide unit";
  }
}

TEST_F(CellDrawingTest, FreeCellsShowTheirRestrictionAndReeferSocketOnTheScreenOnly) {
  struct Case {
    int restr;
    int reefer;
    Colour fill;
  };
  const std::vector<Case> cases = {{0, 0, kColourSilver}, {2, 0, kColourLightGrey}, {4, 1, kColourDarkGrey}};
  const int cell = Cell("090104");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.restr);
    plan.Cells[cell].RESTR = c.restr;
    plan.Cells[cell].FL_RF = c.reefer;
    const auto ops = Draw("090104");
    EXPECT_TRUE(Has(Fills(ops, c.fill), Interior("090104")));
    const StructCel& box = plan.Cells[cell];
    const Rect reeferMark{box.X + w - w / 4, box.Y + h - h / 4, box.X + w, box.Y + h};
    EXPECT_EQ(Has(Fills(ops, kColourWhite), reeferMark), c.reefer == 1);
  }
  Relayout(kTargetPrinter);
  EXPECT_EQ(Count(Draw("090104", kTargetPrinter), CanvasOp::FillRect), 0);
}

TEST_F(CellDrawingTest, HighlightsDrawOnlyAFrameOrTheWholeCellInAWhiteFrame) {
  LoadUnits({{"010182", plantest::Unit("H1")}});
  const StructCel& box = plan.Cells[Cell("010182")];
  const Rect frame{box.X, box.Y, box.X + w + 1, box.Y + h + 1};
  struct Case {
    int highlight;
    Colour firstPen;
    bool full;
  };
  const std::vector<Case> cases = {
      {kDrawFrameBlack, kColourBlack, false},
      {kDrawFrameWhite, kColourWhite, false},
      {Cell("010182"), kColourWhite, true},
      {kDrawNormal, kColourBlack, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.highlight);
    const auto ops = Draw("010182", kTargetScreen, c.highlight);
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops[0].kind, CanvasOp::FrameRect);
    EXPECT_EQ((Rect{ops[0].x1, ops[0].y1, ops[0].x2, ops[0].y2}), frame);
    EXPECT_EQ(ops[0].pen, c.firstPen);
    EXPECT_EQ(ops.size() > 1, c.full);
  }
}

TEST_F(CellDrawingTest, AUnitLoadedHereWithoutNumberShowsItsLoadingPortInTheLowerLeftQuarter) {
  StructDat booked = plantest::Unit("");
  LoadUnits({{"010182", booked}});
  plan.VesHdr[VesHdrIx::Port] = "HAM";
  const StructCel& box = plan.Cells[Cell("010182")];
  const Rect corner{box.X + 1, box.Y + h / 2, box.X + w / 2, box.Y + h};
  struct Case {
    int colourMode;
    const char* port;
    bool corner;
  };
  const std::vector<Case> cases = {{0, "HAM", true}, {3, "HAM", true}, {1, "HAM", false}, {0, "RTM", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.colourMode) + c.port);
    plan.ColourMode = c.colourMode;
    plan.VesHdr[VesHdrIx::Port] = c.port;
    EXPECT_EQ(Has(Fills(Draw("010182"), kHamColour), corner), c.corner);
  }
}

TEST_F(CellDrawingTest, LettersStandOutOnLightAndDarkPortColours) {
  struct Case {
    Colour port;
    Colour letter;
  };
  const std::vector<Case> cases = {{RgbColour(0xFF, 0xE1, 0x19), kColourBlack},  // yellow
                                   {RgbColour(0, 0, 0x80), kColourWhite},        // navy
                                   {kRtmColour, kColourWhite}};
  LoadUnits({{"010182", plantest::Unit("ZUMU0000001")}});
  plan.LetterMode = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    for (int p = 0; p < plan.VoyPortCount; ++p)
      if (plan.VoyPorts[p].CODE == "RTM") plan.VoyPorts[p].WINCOLOR = static_cast<int>(c.port);
    const auto ops = Draw("010182");
    ASSERT_EQ(Texts(ops).size(), 1u);
    EXPECT_EQ(Texts(ops)[0]->font.colour, c.letter);
  }
}

TEST(WeightColourTest, LightUnitsAreLightBlueAndHeavyOnesDark) {
  struct Case {
    double weight;
    Colour colour;
  };
  const std::vector<Case> cases = {
      {0, RgbColour(0, 160, 255)}, {17.5, RgbColour(0, 80, 133)}, {35, RgbColour(0, 0, 10)}, {50, RgbColour(0, 0, 10)}};
  for (const Case& c : cases) EXPECT_EQ(WeightColour(c.weight), c.colour) << c.weight;
}

TEST_F(CellDrawingTest, TheStackOverweightMarkLiesUnderTheDeckOrTheHoldStack) {
  RecordingCanvas canvas(1400, 900);
  const BayExtent& e = layout.bays[plan.Cells[Cell("010184")].BAYIX];
  DrawStackOverweight(canvas, plan, layout, Cell("010184"), true, kColourSilver);
  DrawStackOverweight(canvas, plan, layout, Cell("010104"), false, kColourSilver);
  ASSERT_EQ(canvas.ops.size(), 4u);
  EXPECT_EQ(canvas.ops[0].y1, e.deckBottom + h + 1);
  EXPECT_EQ(canvas.ops[1].y1, e.deckBottom + h + 2);
  EXPECT_EQ(canvas.ops[0].pen, kColourRed);
  EXPECT_EQ(canvas.ops[2].y1, e.bottom + 1);
  EXPECT_EQ(canvas.ops[2].pen, kColourSilver);
}

TEST_F(CellDrawingTest, APairOfTwentyFootBaysGetsOneTitleOnTheScreenAndTwoOnPaper) {
  RecordingCanvas screen(1400, 900);
  SetLabelFont(screen, plan, layout, kColourSilver, kColourWhite);
  DrawBayTitles(screen, plan, layout, kTargetScreen);
  EXPECT_EQ(screen.TextsOnPage(1), (std::vector<std::string>{"03  (02)  01", "05", "07", "09", "13  (12)  11"}));

  Relayout(kTargetPrinter);
  RecordingCanvas paper(1400, 900);
  SetLabelFont(paper, plan, layout, kColourWhite, kColourWhite);
  EXPECT_EQ(paper.Font().colour, kColourBlack) << "white on white would not show";
  DrawBayTitles(paper, plan, layout, kTargetPrinter);
  EXPECT_EQ(paper.TextsOnPage(1), (std::vector<std::string>{"01(02)", "03", "05", "07", "09", "11(12)", "13"}));
}

TEST_F(CellDrawingTest, TheCellFontShrinksUntilItsSampleFitsTheBox) {
  for (const int letterMode : {0, 1}) {
    plan.LetterMode = letterMode;
    RecordingCanvas canvas(1400, 900);
    SetCellFont(canvas, plan, layout, kTargetScreen);
    const std::string sample = letterMode == 1 ? "A" : "AA";
    EXPECT_LE(canvas.TextWidth(sample), w - 2);
    EXPECT_LE(canvas.Font().pixelHeight, h - 2);
    CanvasFont larger = canvas.Font();
    ++larger.pixelHeight;
    canvas.SetFont(larger);
    EXPECT_TRUE(larger.pixelHeight > h - 2 || canvas.TextWidth(sample) > w - 2) << "not smaller than needed";
  }
}

}  // namespace

namespace {

class CellDetailsTest : public CellDrawingTest {
 protected:
  std::vector<std::string> Details(const StructDat& record, int target) {
    RecordingCanvas canvas(1400, 900);
    DrawCellDetails(canvas, plan, record, 100, 100, target, kHamColour, kRtmColour);
    return canvas.TextsOnPage(1);
  }
};

TEST_F(CellDetailsTest, TheOneBayTextBlockListsTheUnitLineByLine) {
  PointDecimalScope point;
  StructDat reefer = plantest::Unit("RFU1234567", "20", 12.346);
  reefer.TYP = "RF";
  reefer.ISO = "22R1";
  reefer.OPERATOR = "ZUM";
  reefer.TEMP = -18;
  reefer.TEMP_2 = -20;
  reefer.PRS = "ANR";
  StructDat hazardous = plantest::Unit("DGU1234567");
  hazardous.IMO[0] = "3";
  hazardous.UN[0] = "1203";
  StructDat awkward = plantest::Unit("OOG1234567", "40", 0);
  awkward.TYP = "FR";
  awkward.OWP = 20;
  awkward.OL = 15;
  awkward.OWS = 5;
  StructDat empty = plantest::Unit("MTY1234567");
  empty.MTY = 1;
  empty.TYP = "RF";

  struct Case {
    const char* what;
    StructDat record;
    int target;
    std::vector<int> printed;  // print options set; all on the screen
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {"reefer", reefer, kTargetScreen, {}, {"20RF 12.35", "HAM ", "RTM-ANR", "RFU1234567", "ZUM", "-18\xB0-20\xB0"}},
      {"hazardous", hazardous, kTargetScreen, {}, {"20DV 10.00", "HAM ", "RTM", "3 / 1203", "DGU1234567"}},
      {"over-dimension", awkward, kTargetScreen, {}, {"40FR 0.00", "HAM ", "RTM", "20  15     5", "OOG1234567"}},
      {"empty reefer", empty, kTargetScreen, {}, {"20RF   MTY", "HAM ", "RTM", "MTY1234567"}},
      {"paper, ISO and tons", reefer, kTargetPrinter, {1, 2}, {"22R1 12.35"}},
      {"paper, ports and number", reefer, kTargetPrinter, {3, 4, 6}, {"HAM ", "RTM", "RFU1234567"}},
      {"paper, temperatures", reefer, kTargetPrinter, {9}, {"-18\xB0-20\xB0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plan.PrintFields.fill(0);
    for (int option : c.printed) plan.PrintFields[option] = 1;
    EXPECT_EQ(Details(c.record, c.target), c.texts);
  }
}

TEST_F(CellDrawingTest, TheOneBayViewLabelsTiersOnBothSidesAndRowsUnderTheStack) {
  plan.OneBayNumber = 1;
  Relayout(kTargetScreen);
  ASSERT_TRUE(layout.oneBay);
  RecordingCanvas canvas(1400, 900);
  SetLabelFont(canvas, plan, layout, kColourSilver, kColourWhite);
  const int cell = Cell("010184");
  DrawRowTierLabels(canvas, plan, layout, cell, kTargetScreen);
  const BayExtent& e = layout.bays[0];
  ASSERT_EQ(canvas.TextsOnPage(1), (std::vector<std::string>{"84", "84", "01"}));
  // The labels of the one-bay view are written smaller than the font set.
  const int labelHeight = canvas.ops[0].font.pixelHeight;
  EXPECT_EQ(labelHeight, static_cast<int>(std::lround(3 * h / 5 * 0.7)));
  EXPECT_EQ(canvas.ops[0].x1, e.left - 2 * labelHeight * 6 / 10 - 1);
  EXPECT_EQ(canvas.ops[1].x1, e.right + 4);
  EXPECT_EQ(canvas.ops[2].y1, e.deckBottom + h + 1);
  // Another bay is not in the picture.
  RecordingCanvas other(1400, 900);
  DrawRowTierLabels(other, plan, layout, Cell("030184"), kTargetScreen);
  EXPECT_TRUE(other.ops.empty());
}

}  // namespace
