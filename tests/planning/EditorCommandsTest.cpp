// The editor's commands on the small test vessel: what each leaves in the
// cells, the load totals and the containers' weight, and undo and redo of
// any sequence of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "PlanFixture.h"
#include "planning/EditorCommands.h"
#include "planning/LoadTotals.h"
#include "planning/Quay.h"

namespace {

using plantest::Unit;

// A unit in a cell without a container number, as a fill plans it.
const char* const kNoNumber = "(no number)";

class EditorTest : public plantest::PlanTest {
 public:
  // The table of cases below acts on the fixture from outside.
  using PlanTest::At;
  using PlanTest::Cell;
  using PlanTest::Hand;
  using PlanTest::Load;
  using PlanTest::plan;
  EditorCommands editor{ctx};

  void SetUp() override {
    PlanTest::SetUp();
    plan.VesHdr[VesHdrIx::Port] = "HAM";
    plan.EditorOperation = kOpLoad;
    StructDat toAntwerp = Unit("BBBU 0000002", "20", 12);
    toAntwerp.POD = "ANR";
    Load({{"010082", Unit("AAAU 0000001", "20", 11)},
          {"010182", toAntwerp},
          {"010002", Unit("CCCU 0000003", "40", 23)},
          {"050182", Unit("DDDU 0000004", "20", 7)}});
    At("050182").OPERATOR = "MSC";
    editor.State.PanelRecord = Unit("NEWU 0000005", "20", 14.5);
  }

  // One press of the left button, as a gesture of its own.
 public:
  bool Press(const std::string& name, int op = kOpLoad) {
    plan.EditorOperation = op;
    editor.State.ClearPressGuards();
    return editor.CellClick(Cell(name), false);
  }

  // The container of every occupied own cell.
  std::map<std::string, std::string> Units() const {
    std::map<std::string, std::string> units;
    for (int i = 0; i < plan.CellCount; ++i)
      if (plan.Cur()[i].STATUS > 0)
        units[plan.Cells[i].CELL] = plan.Cur()[i].CONTAINER.empty() ? kNoNumber : plan.Cur()[i].CONTAINER;
    return units;
  }
  double Tonnes() const { return stab.Items[kContainersItem].Tonnes(); }
  // Units counted in the load totals, rebuilt from the cells.
  int CountedUnits() {
    ResetTotals(plan);
    for (int i = 0; i < plan.CellCount; ++i) AddToTotals(plan, i, +1, plan.CurPlane);
    int n = 0;
    for (int c = 0; c < kTotalsCategories; ++c)
      n += plan.LoadTotals.COUNT[kTotalsPorts - 1][kTotalsPorts - 1][c];
    return n;
  }
};

struct EditCase {
  const char* name;
  std::function<void(EditorTest&)> act;
  std::map<std::string, std::string> changes;  // cell -> container, "" emptied
  double tonnes;                               // on board after
};

// Tonnes on board before any command: 11 + 12 + 23 + 7.
constexpr double kStart = 53;

class EditCases : public EditorTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditCases, LeaveTheUnitsTotalsAndWeight) {
  const EditCase& c = GetParam();
  std::map<std::string, std::string> expected = Units();
  for (const auto& [cell, container] : c.changes) {
    if (container.empty())
      expected.erase(cell);
    else
      expected[cell] = container;
  }
  c.act(*this);
  EXPECT_EQ(Units(), expected);
  EXPECT_NEAR(Tonnes(), c.tonnes, 1e-9);
  // Lost-slot markers stand in cells but are no units of the totals.
  const auto markers = std::count_if(expected.begin(), expected.end(),
                                     [](const auto& entry) { return entry.second.rfind("ET:", 0) == 0; });
  EXPECT_EQ(CountedUnits(), static_cast<int>(expected.size() - static_cast<size_t>(markers)));
}

INSTANTIATE_TEST_SUITE_P(
    Editor, EditCases,
    ::testing::Values(
        EditCase{"LoadPlacesThePanelUnit",
                 [](EditorTest& t) { EXPECT_TRUE(t.Press("030082")); },
                 {{"030082", "NEWU 0000005"}},
                 kStart + 14.5},
        EditCase{"LoadOnAnOccupiedCellPicksNothingIntoIt",
                 [](EditorTest& t) {
                   EXPECT_TRUE(t.Press("010082"));  // picked up: held, not lost
                   EXPECT_EQ(t.editor.State.MoveQueueTop, 0);
                 },
                 {{"010082", ""}},
                 kStart - 11},
        EditCase{"DischargeEmptiesTheCell",
                 [](EditorTest& t) { EXPECT_TRUE(t.Press("010182", kOpDisch)); },
                 {{"010182", ""}},
                 kStart - 12},
        EditCase{"DischargeOfTheCoveredHalfDoesNothing",
                 [](EditorTest& t) { EXPECT_FALSE(t.Press("030002", kOpDisch)); },
                 {},
                 kStart},
        EditCase{"RestowMovesTheUnitAndNotesWhereFrom",
                 [](EditorTest& t) {
                   EXPECT_TRUE(t.Press("010082", kOpRestow));
                   EXPECT_TRUE(t.Press("030082", kOpRestow));
                   EXPECT_EQ(t.At("030082").RESTOW, 1);
                   EXPECT_EQ(t.At("030082").RESTOW_FROM, "010082");
                   EXPECT_EQ(t.editor.State.MoveQueueTop, -1);
                 },
                 {{"010082", ""}, {"030082", "AAAU 0000001"}},
                 kStart},
        EditCase{"PickedUnitsDropInTheOrderPicked",
                 [](EditorTest& t) {
                   t.Press("010082");
                   t.Press("010182");
                   EXPECT_EQ(t.editor.State.MoveQueueTop, 1);
                   t.Press("030084");
                   t.Press("030184");
                 },
                 {{"010082", ""}, {"010182", ""}, {"030084", "AAAU 0000001"}, {"030184", "BBBU 0000002"}},
                 kStart},
        EditCase{"OneGestureThatPickedDropsNothing",
                 [](EditorTest& t) {
                   t.Press("010082");
                   EXPECT_FALSE(t.editor.CellClick(t.Cell("030084"), false));  // same gesture
                 },
                 {{"010082", ""}},
                 kStart - 11},
        EditCase{"ClearingTheQueuePutsHeldUnitsBack",
                 [](EditorTest& t) {
                   t.Press("010082");
                   t.Press("010182");
                   EXPECT_EQ(t.editor.ClearMoveQueue(), 2);
                   EXPECT_EQ(t.plan.EditorOperation, kOpLoad);
                 },
                 {},
                 kStart},
        EditCase{"EditInPlaceChangesTheUnit",
                 [](EditorTest& t) {
                   const StructDat templ = t.editor.State.PanelRecord;
                   ASSERT_TRUE(t.editor.StartEdit(t.Cell("010082")));
                   t.editor.State.PanelRecord.WEIGHT = 20;
                   t.editor.State.PanelRecord.CONTAINER = "AAAU 0000009";
                   EXPECT_TRUE(t.Press("010082"));
                   EXPECT_FALSE(t.editor.State.EditMode);
                   EXPECT_EQ(t.editor.State.PanelRecord, templ);
                 },
                 {{"010082", "AAAU 0000009"}},
                 kStart + 9},
        EditCase{"TransferOfMarkedAttributes",
                 [](EditorTest& t) {
                   t.editor.State.PanelRecord.POD = "LEH";
                   t.editor.State.PanelRecord.WEIGHT = 30;
                   t.editor.ToggleMark(kMarkPod);
                   t.editor.ToggleMark(kMarkTons);
                   EXPECT_TRUE(t.Press("010082"));
                   EXPECT_EQ(t.At("010082").POD, "LEH");
                   EXPECT_EQ(t.At("010082").POL, "HAM");
                 },
                 {},
                 kStart + 19},
        EditCase{"RefusedSizeTransferLeavesTheUnitAsItWas",
                 [](EditorTest& t) {
                   t.Load({{"010286", Unit("EEEU 0000006", "20", 5)}});
                   t.editor.State.PanelRecord.SIZ = "40";
                   t.editor.ToggleMark(kMarkSize);
                   EXPECT_FALSE(t.Press("010286"));  // 010286 has no 40' partner
                   EXPECT_EQ(t.At("010286").SIZ, "20");
                   EXPECT_EQ(t.At("010286").ISO, "22G1");
                 },
                 {{"010286", "EEEU 0000006"}},
                 kStart + 5},
        EditCase{"FillTierTakesEveryFreeCellOfTheTierOnThatSide",
                 [](EditorTest& t) { EXPECT_EQ(t.editor.FillCells(t.Cell("030084"), false, kFillTier), 3); },
                 {{"030084", kNoNumber}, {"030184", kNoNumber}, {"030284", kNoNumber}},
                 kStart + 3 * 14.5},
        EditCase{"FillRowStopsWhereTheStackRulesRefuse",
                 [](EditorTest& t) {
                   t.plan.HighCubeLimits = 1;  // as the editor opens
                   t.editor.State.PanelRecord.TYP = "HC";
                   // The last cell of the stack takes no third high cube.
                   EXPECT_EQ(t.editor.FillCells(t.Cell("090104"), false, kFillRow), 3);
                 },
                 {{"090102", kNoNumber}, {"090104", kNoNumber}, {"090106", kNoNumber}},
                 kStart + 3 * 14.5},
        EditCase{"DumpLoadedAtAPort",
                 [](EditorTest& t) { EXPECT_EQ(t.editor.DumpUnits(-1, "HAM", kDumpLoaded), 4); },
                 {{"010082", ""}, {"010182", ""}, {"010002", ""}, {"050182", ""}},
                 0},
        EditCase{"DumpDischarging",
                 [](EditorTest& t) { EXPECT_EQ(t.editor.DumpUnits(-1, "ANR", kDumpDischarging), 1); },
                 {{"010182", ""}},
                 kStart - 12},
        EditCase{"DumpBayOnDeckLeavesTheHold",
                 [](EditorTest& t) { EXPECT_EQ(t.editor.DumpUnits(t.Cell("010084"), "", kDumpBay), 2); },
                 {{"010082", ""}, {"010182", ""}},
                 kStart - 23},
        EditCase{"DumpRoute",
                 [](EditorTest& t) {
                   EXPECT_EQ(t.editor.DumpValue(t.Cell("010082"), kDumpRoute), "HAMRTM");
                   EXPECT_EQ(t.editor.DumpUnits(-1, "HAMRTM", kDumpRoute), 3);
                 },
                 {{"010082", ""}, {"010002", ""}, {"050182", ""}},
                 12},
        EditCase{"DumpOperator",
                 [](EditorTest& t) { EXPECT_EQ(t.editor.DumpUnits(-1, "MSC", kDumpOperator), 1); },
                 {{"050182", ""}},
                 kStart - 7},
        EditCase{"DumpAll",
                 [](EditorTest& t) { EXPECT_EQ(t.editor.DumpUnits(-1, "", kDumpAll), 4); },
                 {{"010082", ""}, {"010182", ""}, {"010002", ""}, {"050182", ""}},
                 0},
        EditCase{"ChangeEveryPortOfDischarge",
                 [](EditorTest& t) {
                   EXPECT_EQ(t.editor.ChangeAttribute("RTM", "FXT", kChangePod), 3);
                   EXPECT_EQ(t.At("010002").POD, "FXT");
                   EXPECT_EQ(t.At("030002").POD, "FXT");  // the covered half follows
                   EXPECT_EQ(t.At("010182").POD, "ANR");
                 },
                 {},
                 kStart},
        EditCase{"ChangeTypeTakesTwoCharactersAtMost",
                 [](EditorTest& t) {
                   EXPECT_EQ(t.editor.ChangeAttribute("DV", "HCX", kChangeType), 0);
                   EXPECT_EQ(t.editor.ChangeAttribute("DV", "OT", kChangeType), 4);
                   EXPECT_EQ(t.At("010082").TYP, "OT");
                 },
                 {},
                 kStart},
        EditCase{"LostSlotMarkersNameTheUnitAndJoinItsBundle",
                 [](EditorTest& t) {
                   ASSERT_TRUE(t.editor.ToggleTeuLost(t.Cell("010082")));
                   EXPECT_TRUE(t.Press("010084"));
                   EXPECT_TRUE(t.Press("010184"));  // the same marker again
                   EXPECT_TRUE(t.editor.ToggleTeuLost(-1));
                   EXPECT_EQ(t.At("010084").FL3, 1);
                   EXPECT_EQ(t.At("010082").BUNDLES, 2);
                   EXPECT_EQ(t.editor.State.MoveQueueTop, -1);
                 },
                 {{"010084", "ET:010082"}, {"010184", "ET:010082"}},
                 kStart},
        EditCase{"BundleNumbersAreNormalised",
                 [](EditorTest& t) {
                   EXPECT_TRUE(t.editor.SetBundle(t.Cell("010082"), {"abcd-12345", "x", "EFGU 1234567"}));
                   EXPECT_EQ(t.At("010082").EQA[0], "ABCD 0012345");
                   EXPECT_EQ(t.At("010082").EQA[1], "EFGU 1234567");
                   EXPECT_EQ(t.At("010082").FL2, 2);
                 },
                 {},
                 kStart},
        EditCase{"NotesSetTheHandlingClass",
                 [](EditorTest& t) {
                   EXPECT_TRUE(t.editor.SetNotes(t.Cell("010082"), {"KEEP DRY", "", "", ""}));
                   EXPECT_EQ(t.At("010082").NOTE_HAN, "KEEP DRY");
                   EXPECT_EQ(t.At("010082").FL2, 1);
                   EXPECT_FALSE(t.editor.SetNotes(t.Cell("030084"), {"", "", "", ""}));
                 },
                 {},
                 kStart},
        EditCase{"AdditionalClassesArePackedFromTheSecond",
                 [](EditorTest& t) {
                   EXPECT_TRUE(t.editor.SetAdditionalImo(t.Cell("010082"),
                                                         {{"", "1111"}, {"3", "1263"}, {"8", "1830"}}));
                   EXPECT_EQ(t.At("010082").IMO[1], "3");
                   EXPECT_EQ(t.At("010082").UN[2], "1830");
                   EXPECT_EQ(t.At("010082").IMO[3], "");
                 },
                 {},
                 kStart},
        EditCase{"ProtectionRefusesOtherPortsAndRestowsOfThisOne",
                 [](EditorTest& t) {
                   t.editor.State.ProtectOtherPorts = true;
                   t.plan.VesHdr[VesHdrIx::Port] = "RTM";
                   EXPECT_FALSE(t.Press("010082", kOpDisch));
                   t.plan.VesHdr[VesHdrIx::Port] = "HAM";
                   EXPECT_FALSE(t.Press("010082", kOpRestow));
                   EXPECT_TRUE(t.Press("010082", kOpDisch));
                 },
                 {{"010082", ""}},
                 kStart - 11}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST_F(EditorTest, AnUnknownWeightIsRefusedWhileUnitsAreChecked) {
  editor.State.PanelRecord.WEIGHT = 0;
  EXPECT_FALSE(Press("030082"));
  EXPECT_TRUE(IsFreeRecord(At("030082")));
  EXPECT_TRUE(IsFreeRecord(Hand()));  // nothing left in hand to drop later
  plan.CheckOnPlace = 0;
  EXPECT_TRUE(Press("030082"));
  EXPECT_EQ(At("030082").WEIGHT, -1);
}

TEST_F(EditorTest, DumpAsksWithThePortNames) {
  EXPECT_EQ(editor.DumpQuestion(Cell("010182"), kDumpLoaded), "Dump loaded in HAMBURG");
  EXPECT_EQ(editor.DumpQuestion(Cell("010182"), kDumpRoute), "Dump HAMBURG/ANTWERP");
  EXPECT_EQ(editor.DumpQuestion(Cell("010084"), kDumpBay), "Dump BAY 01 on deck");
  EXPECT_EQ(editor.DumpQuestion(Cell("010004"), kDumpBay), "Dump BAY 01 under deck");
}

TEST_F(EditorTest, QuayModeSendsDischargedUnitsToTheQuayAndUndoTakesThemBack) {
  plan.RemoveToQuay = 1;
  EXPECT_TRUE(Press("010082", kOpDisch));
  EXPECT_EQ(plan.QuayLive, 1);
  EXPECT_TRUE(editor.Undo());
  EXPECT_EQ(plan.QuayLive, 0);
  EXPECT_EQ(At("010082").CONTAINER, "AAAU 0000001");
  EXPECT_TRUE(editor.Redo());
  EXPECT_EQ(plan.QuayLive, 1);
  EXPECT_EQ(plan.Dat[plan.QuayPlane][0].CONTAINER, "AAAU 0000001");
}

// Everything an edit can change, to compare states exactly.
struct Snapshot {
  std::vector<StructDat> cells;
  std::vector<StructDat> held;
  WeightItem containers;
  int quay = 0;
  std::vector<int> counts;
  std::vector<double> tonnes;
  bool operator==(const Snapshot&) const = default;
};

// A random sequence of commands, then undo of every step back to the start
// and redo of every step to the end: each state passed is met again exactly.
TEST_F(EditorTest, UndoAndRedoRestoreEverySum) {
  plan.RemoveToQuay = 0;
  auto snapshot = [&] {
    Snapshot s;
    s.cells.assign(plan.Cur().begin(), plan.Cur().begin() + plan.CellCount);
    s.held.assign(plan.Cur().begin() + plan.UnitInHandIndex, plan.Cur().begin() + plan.UnitInHandIndex + 5);
    s.containers = stab.Items[kContainersItem];
    s.quay = plan.QuayLive;
    CountedUnits();
    for (int pod = 0; pod < kTotalsPorts; ++pod)
      for (int pol = 0; pol < kTotalsPorts; ++pol)
        for (int c = 0; c < kTotalsCategories; ++c) {
          s.counts.push_back(plan.LoadTotals.COUNT[pod][pol][c]);
          s.tonnes.push_back(plan.LoadTotals.WEIGHT[pod][pol][c]);
        }
    return s;
  };
  std::mt19937 random(20261211);
  std::vector<Snapshot> states{snapshot()};
  const std::vector<std::string> names = {"010082", "010182", "010282", "010084", "030082", "030084",
                                          "010002", "010004", "050182", "050282", "090102", "090104"};
  auto any = [&] { return Cell(names[random() % names.size()]); };
  for (int i = 0; i < 60; ++i) {
    const size_t before = editor.History.Size();
    const int ops[] = {kOpLoad, kOpDisch, kOpRestow};
    editor.State.PanelRecord = Unit("RNDU 000" + std::to_string(1000 + i), random() % 3 ? "20" : "40",
                                    1.1 * static_cast<double>(random() % 30) + 0.37);
    switch (random() % 7) {
      case 0:
      case 1:
      case 2:
        plan.EditorOperation = ops[random() % 3];
        editor.State.ClearPressGuards();
        editor.CellClick(any(), false);
        break;
      case 3:
        editor.FillCells(any(), false, 1 + static_cast<int>(random() % 3));
        break;
      case 4:
        editor.DumpUnits(any(), "", kDumpBay);
        break;
      case 5:
        editor.ChangeAttribute("RTM", random() % 2 ? "FXT" : "LEH", kChangePod);
        break;
      default:
        editor.SetNotes(any(), {"N" + std::to_string(i), "", "", ""});
        break;
    }
    if (editor.History.Size() != before) states.push_back(snapshot());
    ASSERT_EQ(states.size(), editor.History.Size() + 1);
  }
  ASSERT_GT(editor.History.Size(), 20u);
  for (size_t k = states.size() - 1; k > 0; --k) {
    ASSERT_TRUE(editor.Undo());
    ASSERT_TRUE(snapshot() == states[k - 1]) << "after undoing step " << k << " of " << states.size() - 1;
  }
  EXPECT_FALSE(editor.Undo());
  for (size_t k = 1; k < states.size(); ++k) {
    ASSERT_TRUE(editor.Redo());
    ASSERT_TRUE(snapshot() == states[k]) << "after redoing step " << k;
  }
  EXPECT_FALSE(editor.Redo());
}

TEST_F(EditorTest, ANewCommandDropsWhatCouldBeRedone) {
  Press("030082");
  Press("030084");
  ASSERT_TRUE(editor.Undo());
  Press("030086");
  EXPECT_FALSE(editor.Redo());
  EXPECT_EQ(Units().count("030084"), 0u);
  EXPECT_EQ(Units().count("030086"), 1u);
}

TEST_F(EditorTest, AChangeFromElsewhereEndsTheHistory) {
  Press("030082");
  // An import replaces the unit the press placed.
  RemoveUnit(ctx, Cell("030082"));
  EXPECT_FALSE(editor.Undo());
  EXPECT_FALSE(editor.History.CanUndo());
  EXPECT_TRUE(IsFreeRecord(At("030082")));
}

}  // namespace
