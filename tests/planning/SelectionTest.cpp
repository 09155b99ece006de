#include "planning/Selection.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "PlanFixture.h"

namespace plantest {
namespace {

using Names = std::set<std::string>;

// Seven units, each standing out by one attribute:
//   A  HAM -> RTM  full 20' DV in the hold
//   B  ANR -> FXT  40' reefer on deck (covers 030182), operator CMA
//   C  HAM -> LEH  empty, PRS ANR
//   D  RTM -> HAM  dangerous, on deck, no operator, FRM LEH
//   E  HAM -> RTM  over-height flat
//   F  HAM -> FXT  restow
//   G  LEH -> RTM  break bulk
StructDat MakeUnit(const std::string& number, const std::string& pol, const std::string& pod, void (*change)(StructDat&)) {
  StructDat u = Unit(number);
  u.POL = pol;
  u.POD = pod;
  u.OPERATOR = "MSK";
  change(u);
  return u;
}

class SelectionTest : public PlanTest {
 protected:
  Selection sel{ctx};

  void LoadMixed() {
    Load({
        {"010102", MakeUnit("AAAU0000001", "HAM", "RTM", [](StructDat&) {})},
        {"010182", MakeUnit("BBBU0000022", "ANR", "FXT",
                            [](StructDat& u) {
                              u.SIZ = "40";
                              u.ISO = "45R1";
                              u.TYP = "RF";
                              u.TEMP = -18;
                              u.OPERATOR = "CMA";
                            })},
        {"010104", MakeUnit("CCCU0000003", "HAM", "LEH",
                            [](StructDat& u) {
                              u.MTY = 1;
                              u.PRS = "ANR";
                            })},
        {"050182", MakeUnit("DDDU0002204", "RTM", "HAM",
                            [](StructDat& u) {
                              u.IMO[0] = "3";
                              u.FRM = "LEH";
                              u.OPERATOR = "";
                            })},
        {"070102", MakeUnit("EEEU0000005", "HAM", "RTM",
                            [](StructDat& u) {
                              u.TYP = "FR";
                              u.ISO = "22P1";
                              u.OH = 30;
                            })},
        {"090102", MakeUnit("FFFU0000006", "HAM", "FXT", [](StructDat& u) { u.RESTOW = 1; })},
        {"090104", MakeUnit("GGGU0000007", "LEH", "RTM",
                            [](StructDat& u) {
                              u.TYP = "BB";
                              u.ISO = "22P1";
                            })},
    });
  }

  // The units (own cells only) whose records are marked selected.
  Names Selected() const {
    Names names;
    for (int i = 0; i < plan.CellCount; ++i) {
      const StructDat& r = plan.Cur()[static_cast<size_t>(i)];
      if (r.STATUS == 1 && r.SELECTED == 1) names.insert(r.CONTAINER.substr(0, 1));
    }
    return names;
  }

  void Show() { sel.PrepareShow(plan.CurPlane); }
};

void Highlight(Selection& sel, int list, const std::string& text) {
  const auto& items = sel.Items(list);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].text == text) {
      sel.SetHighlighted(list, static_cast<int>(i), true);
      return;
    }
  }
  ADD_FAILURE() << "no item \"" << text << "\" in list " << list;
}

std::vector<std::string> HighlightedItems(const Selection& sel, int list) {
  std::vector<std::string> texts;
  for (const SelectionItem& item : sel.Items(list))
    if (item.highlighted) texts.push_back(item.text);
  return texts;
}

TEST_F(SelectionTest, ListsHoldEveryDistinctValueSorted) {
  LoadMixed();
  Show();
  EXPECT_FALSE(sel.ListsStale());
  EXPECT_EQ(host.busyCalls, (std::vector<bool>{true, false})) << "busy pointer around the rebuild";

  struct ListCase {
    int list;
    std::vector<std::string> values;
  };
  const ListCase cases[] = {
      {kSelPol, {"ANR", "HAM", "LEH", "RTM"}},
      {kSelPod, {"FXT", "HAM", "LEH", "RTM"}},
      {kSelPrs, {"", "ANR"}},  // units without a PRS are a value of their own
      {kSelFrm, {"", "LEH"}},
      {kSelOperator, {"", "CMA", "MSK"}},
      {kSelSize, {"20", "40"}},
      {kSelType, {"BB", "DV", "FR", "RF"}},
      {kSelIso, {"22G1", "22P1", "45R1"}},
  };
  for (const ListCase& c : cases) {
    EXPECT_EQ(sel.Values(c.list), c.values) << "list " << c.list;
    EXPECT_TRUE(HighlightedItems(sel, c.list).empty());
  }
}

TEST_F(SelectionTest, ListsKeepDifferentlyCasedValuesApartInListOrder) {
  Load({{"010102", MakeUnit("A1", "rtm", "HAM", [](StructDat&) {})},
        {"010104", MakeUnit("A2", "RTM", "HAM", [](StructDat&) {})},
        {"010106", MakeUnit("A3", "ham", "HAM", [](StructDat&) {})},
        {"010202", MakeUnit("A4", "ANR", "HAM", [](StructDat&) {})}});
  Show();
  EXPECT_EQ(sel.Values(kSelPol), (std::vector<std::string>{"ANR", "ham", "RTM", "rtm"}));
}

TEST_F(SelectionTest, EmptyDataSetGivesEmptyListsAndAnInactiveFilter) {
  Show();
  for (int list = 0; list < kSelListCount; ++list) EXPECT_TRUE(sel.Items(list).empty());
  sel.ApplySelection();
  EXPECT_FALSE(sel.FilterActive);
}

struct CriterionCase {
  const char* what;
  void (*set)(Selection&);
  Names selected;
};

class SelectionCriteria : public SelectionTest, public ::testing::WithParamInterface<CriterionCase> {};

TEST_P(SelectionCriteria, SelectExactlyTheUnitsThatPass) {
  const CriterionCase& c = GetParam();
  LoadMixed();
  Show();
  c.set(sel);
  sel.ApplySelection();
  EXPECT_TRUE(sel.FilterActive);
  EXPECT_EQ(Selected(), c.selected);
  EXPECT_EQ(plan.RedrawAll, 1);
  EXPECT_EQ(plan.PolCount, -1);
  // The covered half of the 40' unit follows its own cell.
  EXPECT_EQ(At("030182").SELECTED, At("010182").SELECTED);
  for (int i = 0; i < plan.CellCount; ++i)
    EXPECT_EQ(plan.Cur()[static_cast<size_t>(i)].SELECTED, sel.UnitPassesSelection(i) ? 1 : 0) << i;
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, SelectionCriteria,
    ::testing::Values(
        CriterionCase{"pol", [](Selection& s) { Highlight(s, kSelPol, "HAM"); }, {"B", "D", "G"}},
        CriterionCase{"pod", [](Selection& s) { Highlight(s, kSelPod, "RTM"); }, {"B", "C", "D", "F"}},
        CriterionCase{"prsEmpty", [](Selection& s) { Highlight(s, kSelPrs, ""); }, {"C"}},
        CriterionCase{"frm", [](Selection& s) { Highlight(s, kSelFrm, "LEH"); }, {"A", "B", "C", "E", "F", "G"}},
        CriterionCase{"operatorEmpty", [](Selection& s) { Highlight(s, kSelOperator, ""); },
                      {"A", "B", "C", "E", "F", "G"}},
        CriterionCase{"size", [](Selection& s) { Highlight(s, kSelSize, "40"); }, {"A", "C", "D", "E", "F", "G"}},
        CriterionCase{"type", [](Selection& s) { Highlight(s, kSelType, "DV"); }, {"B", "E", "G"}},
        CriterionCase{"iso", [](Selection& s) { Highlight(s, kSelIso, "22P1"); }, {"A", "B", "C", "D", "F"}},
        CriterionCase{"twoLists",
                      [](Selection& s) {
                        Highlight(s, kSelPol, "HAM");
                        Highlight(s, kSelPod, "FXT");
                      },
                      {"D", "G"}},
        CriterionCase{"fullOff", [](Selection& s) { s.SetFull(false); }, {"C"}},
        CriterionCase{"emptyOff", [](Selection& s) { s.SetEmpty(false); }, {"A", "B", "D", "E", "F", "G"}},
        CriterionCase{"dangerous", [](Selection& s) { s.SetOnlyDangerous(true); }, {"D"}},
        CriterionCase{"awkward", [](Selection& s) { s.SetOnlyAwkwards(true); }, {"E"}},
        CriterionCase{"deckOff", [](Selection& s) { s.SetOnDeck(false); }, {"A", "C", "E", "F", "G"}},
        CriterionCase{"holdOff", [](Selection& s) { s.SetBelowDeck(false); }, {"B", "D"}},
        CriterionCase{"restows", [](Selection& s) { s.SetRestows(true); }, {"F"}},
        CriterionCase{"numberAnywhere", [](Selection& s) { s.SetNumber("22"); }, {"B", "D"}},
        CriterionCase{"numberTypedLower", [](Selection& s) { s.SetNumber("bbbu"); }, {"B"}},
        CriterionCase{"singleBlankNarrowsNothing", [](Selection& s) { s.SetNumber(" "); },
                      {"A", "B", "C", "D", "E", "F", "G"}},
        CriterionCase{"headerInvertsThenOneItem",
                      [](Selection& s) {
                        s.InvertList(kSelPol);
                        s.ToggleItem(kSelPol, 1);  // HAM back in
                      },
                      {"A", "C", "E", "F"}}),
    [](const ::testing::TestParamInfo<CriterionCase>& info) { return std::string(info.param.what); });

TEST_F(SelectionTest, EveryPolHighlightedSelectsNoUnitButFreeRecordsStaySelected) {
  LoadMixed();
  Show();
  plan.Cur()[static_cast<size_t>(Cell("010002"))].SELECTED = 0;  // a stale mark on a free record
  sel.InvertList(kSelPol);
  sel.ApplySelection();
  int free = 0;
  for (int i = 0; i < plan.CellCount; ++i) {
    const StructDat& r = plan.Cur()[static_cast<size_t>(i)];
    if (IsFreeRecord(r)) {
      ++free;
      EXPECT_EQ(r.SELECTED, 1) << plan.Cells[static_cast<size_t>(i)].CELL;
      EXPECT_TRUE(sel.UnitPassesSelection(i));
    } else {
      EXPECT_EQ(r.SELECTED, 0) << plan.Cells[static_cast<size_t>(i)].CELL;
    }
  }
  EXPECT_GT(free, 0);

  // A free record holds no unit, so no criterion leaves it out, not even
  // one its empty fields would fail.
  sel.SetFull(false);
  sel.SetRestows(true);
  sel.ApplySelection();
  EXPECT_EQ(At("010002").SELECTED, 1);
  EXPECT_EQ(At("010102").SELECTED, 0);
}

TEST_F(SelectionTest, CheckBoxPairsKeepOneOfEachOn) {
  struct Click {
    void (Selection::*set)(bool);
    bool on;
  };
  struct PairCase {
    const char* what;
    std::vector<Click> clicks;
    SelectionChecks expected;
  };
  auto checks = [](auto change) {
    SelectionChecks c;
    change(c);
    return c;
  };
  const PairCase cases[] = {
      {"full off", {{&Selection::SetFull, false}}, checks([](SelectionChecks& c) { c.Full = false; })},
      {"empty off then full off",
       {{&Selection::SetEmpty, false}, {&Selection::SetFull, false}},
       checks([](SelectionChecks& c) { c.Full = false; })},
      {"full off then empty off",
       {{&Selection::SetFull, false}, {&Selection::SetEmpty, false}},
       checks([](SelectionChecks& c) { c.Empty = false; })},
      {"below deck off then on deck off",
       {{&Selection::SetBelowDeck, false}, {&Selection::SetOnDeck, false}},
       checks([](SelectionChecks& c) { c.OnDeck = false; })},
      {"on deck off then below deck off",
       {{&Selection::SetOnDeck, false}, {&Selection::SetBelowDeck, false}},
       checks([](SelectionChecks& c) { c.BelowDeck = false; })},
      {"dangerous then awkward",
       {{&Selection::SetOnlyDangerous, true}, {&Selection::SetOnlyAwkwards, true}},
       checks([](SelectionChecks& c) { c.OnlyAwkwards = true; })},
      {"awkward then dangerous",
       {{&Selection::SetOnlyAwkwards, true}, {&Selection::SetOnlyDangerous, true}},
       checks([](SelectionChecks& c) { c.OnlyDangerous = true; })},
      {"awkward unchecked leaves dangerous alone",
       {{&Selection::SetOnlyDangerous, true}, {&Selection::SetOnlyAwkwards, false}},
       checks([](SelectionChecks& c) { c.OnlyDangerous = true; })},
  };
  for (const PairCase& c : cases) {
    Selection s(ctx);
    for (const Click& click : c.clicks) (s.*click.set)(click.on);
    EXPECT_EQ(s.Checks, c.expected) << c.what;
  }
}

TEST_F(SelectionTest, NumberFieldIsUpperCaseAndSixCharactersAtMost) {
  sel.SetNumber("abc1234567");
  EXPECT_EQ(sel.Number, "ABC123");
  EXPECT_TRUE(sel.SelectionFilterActive());
  sel.SetNumber(" ");
  EXPECT_TRUE(sel.SelectionFilterActive()) << "a single blank still counts as a criterion";
  sel.SetNumber("");
  EXPECT_FALSE(sel.SelectionFilterActive());
}

TEST_F(SelectionTest, ResetSelectsEverythingAndClearsEveryCriterion) {
  LoadMixed();
  Show();
  Highlight(sel, kSelPol, "HAM");
  Highlight(sel, kSelIso, "45R1");
  sel.SetFull(false);
  sel.SetOnlyDangerous(true);
  sel.SetRestows(true);
  sel.SetOnDeck(false);
  sel.SetNumber("22");
  sel.ApplySelection();
  ASSERT_EQ(Selected(), Names{});

  sel.ResetSelection();
  EXPECT_EQ(Selected(), (Names{"A", "B", "C", "D", "E", "F", "G"}));
  for (int i = 0; i < plan.CellCount; ++i) EXPECT_EQ(plan.Cur()[static_cast<size_t>(i)].SELECTED, 1);
  EXPECT_EQ(sel.Checks, SelectionChecks{});
  EXPECT_EQ(sel.Number, "");
  EXPECT_FALSE(sel.FilterActive);
  EXPECT_FALSE(sel.SelectionFilterActive());
  EXPECT_EQ(sel.Values(kSelPol).size(), 4u) << "the lists keep their items";
  EXPECT_FALSE(sel.ListsStale());
}

TEST_F(SelectionTest, InactiveFilterSelectsEveryRecord) {
  LoadMixed();
  Show();
  for (int i = 0; i < plan.CellCount; ++i) plan.Cur()[static_cast<size_t>(i)].SELECTED = 0;
  sel.ApplySelection();
  EXPECT_FALSE(sel.FilterActive);
  for (int i = 0; i < plan.CellCount; ++i) EXPECT_EQ(plan.Cur()[static_cast<size_t>(i)].SELECTED, 1);
}

TEST_F(SelectionTest, ResetOfTheVoyageDataSetCoversMoreUnitsThanCells) {
  auto& voy = plan.Dat[static_cast<size_t>(plan.VoyPlane)];
  plan.VoyUnitCount = plan.CellCount + 50;
  for (int i = 0; i <= plan.VoyUnitCount; ++i) voy[static_cast<size_t>(i)].SELECTED = 0;
  sel.RequestedPlane = plan.VoyPlane;
  sel.ResetSelection();
  EXPECT_EQ(sel.ShownPlane, plan.VoyPlane);
  for (int i = 0; i < plan.VoyUnitCount; ++i) EXPECT_EQ(voy[static_cast<size_t>(i)].SELECTED, 1) << i;
  EXPECT_EQ(voy[static_cast<size_t>(plan.VoyUnitCount)].SELECTED, 0) << "beyond the voyage units";

  plan.VoyUnitCount = kMaxCells + 500;  // a broken count reads nothing outside the data set
  sel.ResetSelection();
  EXPECT_EQ(sel.RecordCount(plan.VoyPlane), kMaxCells);
  EXPECT_EQ(voy[kMaxCells - 1].SELECTED, 1);
}

TEST_F(SelectionTest, PlacementAndRemovalMakeTheListsStaleAndTheNextShowRebuildsThem) {
  LoadMixed();
  Show();
  Highlight(sel, kSelPol, "HAM");
  sel.ApplySelection();
  ASSERT_EQ(At("010102").SELECTED, 0);

  StructDat added = Unit("ZZZU0000009");
  added.POL = "ZEE";
  ASSERT_TRUE(Place("010202", added));
  EXPECT_TRUE(sel.ListsStale());
  EXPECT_TRUE(sel.UnitPassesSelection(Cell("010102"))) << "while stale every unit passes";

  Show();
  EXPECT_FALSE(sel.ListsStale());
  EXPECT_EQ(sel.Values(kSelPol), (std::vector<std::string>{"ANR", "HAM", "LEH", "RTM", "ZEE"}));
  EXPECT_TRUE(HighlightedItems(sel, kSelPol).empty()) << "a rebuild resets the filter";
  EXPECT_EQ(At("010102").SELECTED, 1);

  ASSERT_TRUE(Remove("050182"));  // the only unit with a FRM and from RTM
  EXPECT_TRUE(sel.ListsStale());
  Show();
  EXPECT_EQ(sel.Values(kSelFrm), (std::vector<std::string>{""}));
  EXPECT_EQ(sel.Values(kSelPol), (std::vector<std::string>{"ANR", "HAM", "LEH", "ZEE"}));
}

TEST_F(SelectionTest, ShowKeepsHighlightsUnlessStaleOrAnotherDataSet) {
  LoadMixed();
  Show();
  Highlight(sel, kSelPod, "FXT");
  sel.Accepted = true;
  Show();
  EXPECT_FALSE(sel.Accepted);
  EXPECT_EQ(HighlightedItems(sel, kSelPod), (std::vector<std::string>{"FXT"}));

  // The voyage data set holds one unit of its own.
  plan.VoyUnitCount = 1;
  StructDat voyUnit = Unit("VOYU0000001");
  voyUnit.POL = "BRV";
  voyUnit.STATUS = 1;
  plan.Dat[static_cast<size_t>(plan.VoyPlane)][0] = voyUnit;
  plan.VesHdr[VesHdrIx::Voy] = "123E";
  sel.PrepareShow(plan.VoyPlane);
  EXPECT_EQ(sel.ShownPlane, plan.VoyPlane);
  EXPECT_EQ(sel.Values(kSelPol), (std::vector<std::string>{"BRV"}));
  EXPECT_EQ(sel.Caption("HAM departure"), "Selection - voy 123E");

  Show();
  EXPECT_EQ(sel.Values(kSelPol).size(), 4u);
  EXPECT_EQ(sel.Caption("HAM departure"), "Selection - HAM departure");
}

TEST_F(SelectionTest, ResetForAnotherDataSetMakesTheNextShowListIt) {
  LoadMixed();
  Show();
  plan.VoyUnitCount = 1;
  StructDat voyUnit = Unit("VOYU0000001");
  voyUnit.POL = "BRV";
  voyUnit.STATUS = 1;
  plan.Dat[static_cast<size_t>(plan.VoyPlane)][0] = voyUnit;

  sel.RequestedPlane = plan.VoyPlane;
  sel.ResetSelection();
  sel.PrepareShow(plan.VoyPlane);
  EXPECT_EQ(sel.Values(kSelPol), (std::vector<std::string>{"BRV"})) << "not the working data set's ports";
}

TEST_F(SelectionTest, SinglePortLeftNamesTheOnePortNotHighlighted) {
  LoadMixed();
  Show();
  std::string port;
  EXPECT_FALSE(sel.SinglePortLeft(kSelPol, port));
  sel.InvertList(kSelPol);
  EXPECT_FALSE(sel.SinglePortLeft(kSelPol, port)) << "every port left out";
  sel.ToggleItem(kSelPol, 2);
  ASSERT_TRUE(sel.SinglePortLeft(kSelPol, port));
  EXPECT_EQ(port, "LEH");
  sel.ToggleItem(kSelPol, 0);
  EXPECT_FALSE(sel.SinglePortLeft(kSelPol, port));
}

struct PresetCase {
  const char* what;
  SelectionPreset preset;
  Names selected;
};

class SelectionPresets : public SelectionTest, public ::testing::WithParamInterface<PresetCase> {};

TEST_P(SelectionPresets, NarrowAndApplyAtOnce) {
  const PresetCase& c = GetParam();
  LoadMixed();
  sel.PresetSelection(c.preset);
  EXPECT_FALSE(sel.ListsStale()) << "a preset rebuilds stale lists first";
  EXPECT_TRUE(sel.FilterActive);
  EXPECT_EQ(Selected(), c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    EachRequest, SelectionPresets,
    ::testing::Values(PresetCase{"restows", {.restows = true, .reset = true}, {"F"}},
                      PresetCase{"loadsAtHam", {.portList = kPortListPol, .port = "HAM", .reset = true},
                                 {"A", "C", "E", "F"}},
                      PresetCase{"dischargesAtRtm", {.portList = kPortListPod, .port = "RTM"}, {"A", "E", "G"}},
                      PresetCase{"operator", {.oper = "CMA"}, {"B"}},
                      PresetCase{"dangerous", {.dangerous = true}, {"D"}},
                      PresetCase{"awkwardWinsOverDangerous", {.dangerous = true, .awkward = true}, {"E"}},
                      PresetCase{"fullWinsOverEmpty", {.fullOnly = true, .emptyOnly = true},
                                 {"A", "B", "D", "E", "F", "G"}},
                      PresetCase{"emptyOnly", {.emptyOnly = true}, {"C"}},
                      PresetCase{"breakBulk", {.breakBulk = true}, {"G"}},
                      PresetCase{"reefer", {.reefer = true}, {"B"}}),
    [](const ::testing::TestParamInfo<PresetCase>& info) { return std::string(info.param.what); });

TEST_F(SelectionTest, ReeferPresetDropsReefersWithoutSetTemperature) {
  LoadMixed();
  StructDat warm = Unit("HHHU0000008");
  warm.TYP = "HR";
  warm.TEMP = 999;
  Load({{"010204", warm}});
  sel.PresetSelection({.reefer = true});
  EXPECT_EQ(Selected(), Names{"B"});
  EXPECT_EQ(HighlightedItems(sel, kSelType), (std::vector<std::string>{"BB", "DV", "FR"}))
      << "HR itself stays listed as wanted";
  EXPECT_EQ(At("010002").SELECTED, 1) << "free records stay selected";
}

TEST_F(SelectionTest, PresetKeepsEarlierCriteriaUnlessAskedToReset) {
  LoadMixed();
  Show();
  Highlight(sel, kSelPod, "FXT");
  sel.PresetSelection({.restows = true});
  EXPECT_EQ(Selected(), Names{}) << "the one restow goes to FXT, which stays left out";
  sel.PresetSelection({.restows = true, .reset = true});
  EXPECT_EQ(Selected(), Names{"F"});
}

TEST_F(SelectionTest, PresetForAnotherDataSetListsThatDataSetFirst) {
  LoadMixed();
  Show();
  plan.VoyUnitCount = 2;
  auto& voy = plan.Dat[static_cast<size_t>(plan.VoyPlane)];
  voy[0] = Unit("V1");
  voy[0].STATUS = 1;
  voy[0].POL = "BRV";
  voy[1] = Unit("V2");
  voy[1].STATUS = 1;
  voy[1].SELECTED = 0;
  sel.RequestedPlane = plan.VoyPlane;
  sel.PresetSelection({.portList = kPortListPol, .port = "HAM"});
  EXPECT_EQ(sel.ShownPlane, plan.VoyPlane);
  EXPECT_EQ(voy[0].SELECTED, 0);
  EXPECT_EQ(voy[1].SELECTED, 1);
  EXPECT_EQ(Selected().size(), 7u) << "the working data set is left alone";
}

TEST_F(SelectionTest, NamedPresetsOfOtherWindows) {
  LoadMixed();
  sel.PresetRestowsOnly(plan.CurPlane);
  EXPECT_EQ(Selected(), Names{"F"});

  sel.PresetPort(plan.CurPlane, kPortListPol, "LEH");
  EXPECT_EQ(Selected(), Names{"G"});
  EXPECT_FALSE(sel.Checks.Restows) << "each named preset starts from the default";

  plan.VesHdr[VesHdrIx::Port] = "RTM";
  plan.VesHdr[VesHdrIx::Adp] = "A";
  sel.PresetConditionPort(plan.CurPlane);
  EXPECT_EQ(Selected(), (Names{"A", "E", "G"})) << "arrival: the units discharged here";
  plan.VesHdr[VesHdrIx::Adp] = "D";
  sel.PresetConditionPort(plan.CurPlane);
  EXPECT_EQ(Selected(), Names{"D"}) << "departure: the units loaded here";
}

TEST_F(SelectionTest, SpecialSectionsInTurn) {
  LoadMixed();
  struct Step {
    SpecialSection section;
    Names withoutPort;
    Names fromHam;
  };
  const Step steps[] = {
      {SpecialSection::OverDimension, {"E"}, {"E"}},
      {SpecialSection::Dangerous, {"D"}, {}},
      {SpecialSection::FullReefers, {"B"}, {}},
      {SpecialSection::BreakBulk, {"G"}, {}},
  };
  for (const Step& step : steps) {
    sel.PresetSpecial(plan.CurPlane, step.section, "", kPortListPol);
    EXPECT_EQ(Selected(), step.withoutPort) << static_cast<int>(step.section);
  }
  sel.ResetSelection();
  for (const Step& step : steps) {
    sel.PresetSpecial(plan.CurPlane, step.section, "HAM", kPortListPol);
    EXPECT_EQ(Selected(), step.fromHam) << static_cast<int>(step.section);
  }
}

TEST_F(SelectionTest, BulkChangeOfTheFirstHighlightedItemOnly) {
  LoadMixed();
  Show();
  for (const char* port : {"RTM", "LEH", "ANR"}) Highlight(sel, kSelPol, port);
  sel.ApplySelection();  // the units about to change are filtered out now
  plan.RemoveToQuay = 1;

  std::string first;
  ASSERT_TRUE(sel.FirstHighlighted(kSelPol, first));
  EXPECT_EQ(first, "ANR");
  ASSERT_TRUE(sel.ChangeFirstHighlighted(kSelPol, "ZEE"));

  EXPECT_EQ(At("010182").POL, "ZEE");
  EXPECT_EQ(At("030182").POL, "ZEE");
  EXPECT_EQ(At("050182").POL, "RTM");
  EXPECT_EQ(At("090104").POL, "LEH");
  EXPECT_EQ(plan.RemoveToQuay, 1);
  EXPECT_EQ(plan.QuayCount, 0) << "nothing went to the quay";
  EXPECT_EQ(sel.Values(kSelPol), (std::vector<std::string>{"HAM", "LEH", "RTM", "ZEE"}));
  EXPECT_TRUE(HighlightedItems(sel, kSelPol).empty());
  EXPECT_EQ(Selected().size(), 7u);
}

TEST_F(SelectionTest, BulkChangeRefusals) {
  LoadMixed();
  Show();
  EXPECT_FALSE(sel.ChangeFirstHighlighted(kSelPod, "XXX")) << "nothing highlighted";
  Highlight(sel, kSelSize, "40");
  std::string value;
  EXPECT_FALSE(sel.FirstHighlighted(kSelSize, value));
  EXPECT_FALSE(sel.ChangeFirstHighlighted(kSelSize, "45")) << "sizes offer no change";
  Highlight(sel, kSelPod, "FXT");
  EXPECT_FALSE(sel.ChangeFirstHighlighted(kSelPod, "FXT")) << "same value";
  EXPECT_EQ(At("010182").SIZ, "40");
  EXPECT_EQ(At("010182").POD, "FXT");

  // The lists of the voyage data set offer no change: it would reach the
  // working data set's units instead.
  plan.VoyUnitCount = 1;
  plan.Dat[static_cast<size_t>(plan.VoyPlane)][0] = plan.Cur()[static_cast<size_t>(Cell("010102"))];
  sel.PrepareShow(plan.VoyPlane);
  Highlight(sel, kSelPod, "RTM");
  EXPECT_FALSE(sel.ChangeFirstHighlighted(kSelPod, "XXX"));
  EXPECT_EQ(At("010102").POD, "RTM");
}

TEST_F(SelectionTest, ChangeKindsOfTheLists) {
  const int kinds[kSelListCount] = {kChangePol, kChangePod,  kChangePrs, kChangeFrm,
                                    kChangeOperator, 0, kChangeType, kChangeIso};
  for (int list = 0; list < kSelListCount; ++list) EXPECT_EQ(SelectionListChangeKind(list), kinds[list]) << list;
  EXPECT_EQ(SelectionListChangeKind(-1), -1);
  EXPECT_EQ(SelectionListChangeKind(kSelListCount), -1);
}

TEST_F(SelectionTest, OutOfRangeIndexesAndPlanesAreHarmless) {
  LoadMixed();
  Show();
  EXPECT_TRUE(sel.Items(-1).empty());
  EXPECT_TRUE(sel.Items(kSelListCount).empty());
  sel.ToggleItem(kSelPol, 99);
  sel.ToggleItem(kSelListCount, 0);
  sel.InvertList(-2);
  EXPECT_FALSE(sel.IsHighlighted(kSelPol, -1));
  EXPECT_FALSE(sel.SelectionFilterActive());
  EXPECT_FALSE(sel.UnitPassesSelection(-1));
  EXPECT_FALSE(sel.UnitPassesSelection(kMaxCells));

  sel.PrepareShow(7);
  EXPECT_EQ(sel.RecordCount(7), 0);
  for (int list = 0; list < kSelListCount; ++list) EXPECT_TRUE(sel.Items(list).empty());
  sel.ApplySelection();
  EXPECT_FALSE(sel.UnitPassesSelection(0));
  EXPECT_EQ(Selected().size(), 7u);
}

}  // namespace
}  // namespace plantest
