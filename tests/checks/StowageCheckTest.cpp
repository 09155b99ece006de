#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "../planning/PlanFixture.h"
#include "checks/ContainerShipRules.h"
#include "checks/StowageCheck.h"
#include "vessel/ParameterFile.h"

namespace plantest {
namespace {

using Lines = std::vector<std::string>;

// Classes in IMO-table order; the matrix row is the class of the unit whose
// position sorts lower. 3 against 8 and 8 against 3 differ on purpose, and
// RF against RF carries a code to show that two reefers are never compared.
const char* const kClasses[] = {"1.1", "2.1", "3", "5.1", "8", "RF"};
const int kSeg[6][6] = {
    //        1.1 2.1 3  5.1 8  RF
    /* 1.1 */ {9, 4, 4, 4, 1, 3},
    /* 2.1 */ {4, 0, 0, 3, 0, 2},
    /* 3   */ {4, 0, 0, 2, 1, 2},
    /* 5.1 */ {4, 3, 2, 0, 2, 1},
    /* 8   */ {1, 0, 2, 2, 0, 0},
    /* RF  */ {3, 2, 2, 1, 0, 2},
};

struct VerdictCase {
  const char* what;
  const char* a;
  const char* classA;
  const char* sizA;
  const char* typA;
  const char* b;
  const char* classB;
  const char* typB;
  const char* bridge;
  const char* expected;
};

class StowageCheckTest : public PlanTest {
 protected:
  void SetUp() override {
    PlanTest::SetUp();
    plan.ImoCount = 6;
    for (int k = 0; k < 6; ++k) {
      plan.Imos[k].CLASS = kClasses[k];
      for (int c = 0; c < 6; ++c) plan.SegTable[k][c] = kSeg[k][c];
    }
    plan.VesHdr[VesHdrIx::BridgeBay] = "99";
    ReeferOption(true);
    // Holds from forward: 01 and 03 one hold, then 05, 07, 09, and 11 with 13.
    const int holds[] = {1, 1, 2, 3, 4, 5, 5};
    for (int b = 0; b < plan.BayCount; ++b) plan.Bays[b].HOLD = holds[b];
  }

  void ReeferOption(bool on) { plan.Settings[SettingsIx::CheckReeferSegregation] = on ? "1" : "0"; }

  // A unit written straight into the cell: enough for the verdict, which
  // reads the record and the cell name only.
  void Put(const std::string& name, const std::string& imo, const std::string& siz = "20",
           const std::string& typ = "DV") {
    StructDat& u = At(name);
    u = Unit("", siz);
    u.TYP = typ;
    u.IMO[0] = imo;
    u.STATUS = 1;
    u.POSITION = name;
  }

  static StructDat Dg(const std::string& imo, const std::string& container = "",
                      const std::string& siz = "20") {
    StructDat u = Unit(container, siz);
    u.IMO[0] = imo;
    return u;
  }
  static StructDat Reefer(const std::string& container = "") {
    StructDat u = Unit(container);
    u.TYP = "RF";
    return u;
  }

  // The demo parameter file's tables in place of the fixture's.
  void ReadDemoParameterFile() {
    std::vector<std::string> totals;
    ParameterFileReader reader(plan, totals);
    reader.ClearTables();
    std::string error;
    ASSERT_TRUE(reader.ReadFile(std::filesystem::path(ZUM4_SOURCE_DIR) / "data" / "demo" / "PARAM.txt", error))
        << error;
  }

  // Each case on an empty plan: unit a with its ISO code left to its type,
  // unit b a 20' unit, open when its type is OT.
  void ExpectVerdicts(std::span<const VerdictCase> cases) {
    for (const VerdictCase& c : cases) {
      for (int i = 0; i < plan.CellCount; ++i) plan.Cur()[i] = StructDat{};
      plan.VesHdr[VesHdrIx::BridgeBay] = c.bridge;
      Put(c.a, c.classA, c.sizA, c.typA);
      Put(c.b, c.classB, "20", c.typB);
      At(c.a).ISO.clear();
      At(c.b).ISO = c.typB == std::string("OT") ? "22U1" : "22G1";
      EXPECT_EQ(SegregationVerdict(plan, Cell(c.a), Cell(c.b)), c.expected) << c.what;
    }
  }

  Lines Run(bool segregationOnly = false, int cell = -1) {
    Lines lines;
    last = RunStowageCheck(plan, host, segregationOnly, cell, lines);
    return lines;
  }
  bool last = false;
};

// ---- Segregation verdicts ---------------------------------------------------

// Bays 01 and 03 have a centre row (row 01 has index 1, row 02 index 1);
// bay 05 has none (row 01 index 0, 02 index 1, 03 index 1, 04 index 2).
const VerdictCase kVerdicts[] = {
    {"code 2, same stack", "010082", "3", "20", "DV", "010086", "5.1", "DV", "99", "2    3   5.1"},
    {"code 2, rows 00 and 01: distance 1", "010082", "3", "20", "DV", "010182", "5.1", "DV", "99",
     "2    3   5.1"},
    {"code 2, rows 01 and 02 beside a centre row: distance 2", "010182", "3", "20", "DV", "010282", "5.1",
     "DV", "99", " "},
    {"code 2, rows 01 and 02 without centre row: distance 1", "050182", "3", "20", "DV", "050282", "5.1",
     "DV", "99", "2    3   5.1"},
    {"code 2, rows 01 and 03 on one side: distance 1", "050182", "3", "20", "DV", "050382", "5.1", "DV", "99",
     "2    3   5.1"},
    {"code 2, next bay, same row", "010082", "3", "20", "DV", "030082", "5.1", "DV", "99", "2    3   5.1"},
    {"code 2, two bays on", "010082", "3", "20", "DV", "050182", "5.1", "DV", "99", " "},
    {"code 2, a 40' unit reaches one bay further", "010082", "3", "40", "DV", "050182", "5.1", "DV", "99",
     "2    3   5.1"},
    {"code 3, row distance 2", "010182", "2.1", "20", "DV", "010282", "5.1", "DV", "99", "3    2.1 5.1"},
    {"code 3, row distance 3", "050382", "2.1", "20", "DV", "050482", "5.1", "DV", "99", " "},
    {"code 3, two bays on", "010082", "2.1", "20", "DV", "050182", "5.1", "DV", "99", " "},
    {"code 4, four bays apart in the hold", "010102", "1.1", "20", "DV", "090102", "3", "DV", "99",
     "4    1.1 3  "},
    {"code 4, 30 m apart on deck", "010082", "1.1", "20", "DV", "130182", "3", "DV", "99", " "},
    {"code 4, 23.9 m apart on deck", "010082", "1.1", "20", "DV", "110182", "3", "DV", "99", "4    1.1 3  "},
    {"code 4, 40' unit four bays apart", "010082", "1.1", "40", "DV", "110182", "3", "DV", "99",
     "4    1.1 3  "},
    {"code 4 ignores rows", "050182", "1.1", "20", "DV", "050482", "2.1", "DV", "99", "4    1.1 2.1"},
    {"code 9 is marked *", "010082", "1.1", "20", "DV", "050482", "1.1", "DV", "99", "*    1.1 1.1"},
    {"code 9, five bays apart", "010082", "1.1", "20", "DV", "110282", "1.1", "DV", "99", " "},
    {"code 1 never, even in one stack", "010082", "3", "20", "DV", "010084", "8", "DV", "99", " "},
    {"the row is the lower position's class", "010082", "8", "20", "DV", "010084", "3", "DV", "99",
     "2    8   3  "},
    {"code 0 never", "010082", "8", "20", "DV", "010084", "8", "DV", "99", " "},
    {"deck against hold, same stack", "010006", "1.1", "20", "DV", "010082", "1.1", "DV", "99", " "},
    {"deck against hold, code 3", "010106", "2.1", "20", "DV", "010182", "5.1", "DV", "99", " "},
    {"bridge between the bays", "010082", "1.1", "20", "DV", "050482", "1.1", "DV", "05", " "},
    {"both aft of the bridge", "050182", "1.1", "20", "DV", "110182", "1.1", "DV", "05", "*    1.1 1.1"},
    {"both fore of the bridge", "010082", "1.1", "20", "DV", "030082", "1.1", "DV", "05", "*    1.1 1.1"},
    {"unknown class of a", "010082", "7.7", "20", "DV", "010084", "3", "DV", "99", "-"},
    {"unknown class of b", "010082", "3", "20", "DV", "010084", "7.7", "DV", "99", " "},
    {"running reefer against a code 2 class", "010082", "", "20", "RF", "010182", "3", "DV", "99",
     "R    RF  3  "},
    {"code 2 class against a running reefer", "010082", "3", "20", "DV", "010182", "", "RF", "99",
     "R    3   RF "},
    {"running reefer marks code 3 with R", "010082", "", "20", "RF", "010182", "1.1", "DV", "99",
     "R    RF  1.1"},
    {"two running reefers, though RF/RF is 2", "010082", "", "20", "RF", "010182", "", "RF", "99", " "},
    {"a dangerous reefer counts by its class", "010082", "3", "20", "RF", "010182", "5.1", "DV", "99",
     "2    3   5.1"},
};

TEST_F(StowageCheckTest, SegregationVerdicts) { ExpectVerdicts(kVerdicts); }

// A unit with several dangerous goods is kept apart by every one of them:
// the strictest requirement over all pairs of classes decides and names
// the two classes that give it.
TEST_F(StowageCheckTest, EveryClassOfBothUnitsTakesPart) {
  struct Case {
    const char* what;
    std::vector<std::string> classesA;
    const char* a;
    std::vector<std::string> classesB;
    const char* b;
    const char* expected;
  };
  const Case cases[] = {
      {"only the third class of a clashes", {"2.1", "3", "5.1"}, "010082", {"8"}, "010084", "2    5.1 8  "},
      {"the strictest pair decides", {"3", "1.1"}, "010082", {"5.1"}, "030082", "4    1.1 5.1"},
      {"a further class of b clashes", {"3"}, "010082", {"8", "5.1"}, "010182", "2    3   5.1"},
      {"no pair with a requirement at that distance", {"2.1", "8"}, "010082", {"3", "2.1"}, "050482", " "},
      {"an unknown further class of a", {"3", "7.7"}, "010082", {"5.1"}, "010084", "-"},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < plan.CellCount; ++i) plan.Cur()[i] = StructDat{};
    Put(c.a, c.classesA[0]);
    Put(c.b, c.classesB[0]);
    for (size_t k = 1; k < c.classesA.size(); ++k) At(c.a).IMO[k] = c.classesA[k];
    for (size_t k = 1; k < c.classesB.size(); ++k) At(c.b).IMO[k] = c.classesB[k];
    EXPECT_EQ(SegregationVerdict(plan, Cell(c.a), Cell(c.b)), c.expected) << c.what;
  }
  // The unknown class is the one the check names.
  EXPECT_EQ(Run(), Lines{"INVALID IMO CODE 7.7     010082"});
}

// The container-ship table, one requirement at a time: closed (DV) and open
// (OT) units, on deck and under deck, above one another and beside.
// Codes of the fixture: 3/8 and 8/1.1 away from (1); 3/5.1 and 5.1/8
// separated from (2); 2.1/5.1 separated by a complete compartment or hold
// (3); 1.1 against 2.1, 3 and 5.1 separated longitudinally (4).
TEST_F(StowageCheckTest, ContainerShipTable) {
  const VerdictCase cases[] = {
      {"away from: closed on closed in one stack", "010082", "3", "20", "DV", "010084", "8", "DV", "99", " "},
      {"away from: an open top on a closed unit", "010082", "3", "20", "DV", "010084", "8", "OT", "99", " "},
      {"away from: a closed unit on an open top", "010082", "3", "20", "OT", "010084", "8", "DV", "99",
       "1    3   8  "},
      {"away from: open beside closed, next row", "010082", "3", "20", "OT", "010182", "8", "DV", "99",
       "1    3   8  "},
      {"away from: open and closed with a row between", "010182", "3", "20", "OT", "010282", "8", "DV", "99",
       " "},
      {"away from: closed beside closed", "010082", "3", "20", "DV", "010182", "8", "DV", "99", " "},
      {"separated from: diagonal neighbours on deck", "010082", "3", "20", "DV", "030182", "5.1", "DV", "99",
       "2    3   5.1"},
      {"separated from: a bay between on deck", "010082", "3", "20", "DV", "050182", "5.1", "DV", "99", " "},
      {"separated from: a row between under deck", "010102", "3", "20", "DV", "010202", "5.1", "DV", "99", " "},
      {"separated from: open tops a row between under deck", "010102", "3", "20", "OT", "010202", "5.1", "OT",
       "99", "2    3   5.1"},
      {"separated from: an open top under the hatch cover", "010006", "3", "20", "OT", "010082", "5.1", "DV",
       "99", " "},
      {"compartment: one hold, rows apart", "010002", "2.1", "20", "DV", "010206", "5.1", "DV", "99",
       "3    2.1 5.1"},
      {"compartment: neighbouring bays across a bulkhead", "070102", "2.1", "20", "DV", "090102", "5.1", "DV",
       "99", " "},
      {"compartment: deck above hold, the hatch cover between", "010106", "2.1", "20", "DV", "010182", "5.1",
       "DV", "99", " "},
      {"compartment: two rows between on deck", "050382", "2.1", "20", "DV", "050482", "5.1", "DV", "99", " "},
      {"compartment: one row between on deck", "050182", "2.1", "20", "DV", "050482", "5.1", "DV", "99",
       "3    2.1 5.1"},
      {"longitudinally: above one another across the hatch cover", "010006", "1.1", "20", "DV", "010082", "3",
       "DV", "99", "4    1.1 3  "},
      {"longitudinally: deck and hold 18 m apart", "010082", "1.1", "20", "DV", "090102", "3", "DV", "99",
       "4    1.1 3  "},
      {"longitudinally: across the bridge, still 24 m", "010082", "1.1", "20", "DV", "050182", "3", "DV", "05",
       "4    1.1 3  "},
      {"explosives: deck above hold", "010006", "1.1", "20", "DV", "010082", "1.1", "DV", "99", " "},
  };
  ExpectVerdicts(cases);
}

// Whether a bulkhead stands between two hold units decides requirement 3;
// without hold data each 40' bay is a hold, and the check says so once.
TEST_F(StowageCheckTest, HoldsDecideUnderDeck) {
  Load({{"070102", Dg("2.1")}, {"090102", Dg("5.1")}, {"090104", Dg("2.1")}});
  EXPECT_EQ(Run(true), Lines{"SEGREGATION 3    5.1 2.1 090102 090104"}) << "07 and 09 are two holds";
  plan.Bays[4].HOLD = 3;  // 09 now in the hold of 07
  EXPECT_EQ(Run(true), (Lines{"SEGREGATION 3    2.1 5.1 070102 090102", "SEGREGATION 3    5.1 2.1 090102 090104"}));
  for (int b = 0; b < plan.BayCount; ++b) plan.Bays[b].HOLD = 0;
  EXPECT_EQ(Run(true), (Lines{kNoHoldDataLine, "SEGREGATION 3    5.1 2.1 090102 090104"}));
  // Running reefers are judged by bays and rows: no word about holds.
  Load({});
  for (int i = 0; i < plan.CellCount; ++i) plan.Cur()[i] = StructDat{};
  Load({{"010082", Reefer()}, {"010182", Dg("3")}});
  EXPECT_EQ(Run(true), Lines{"SEGREGATION R    RF  3   010082 010182"});
}

// --explain: the rule that decided, under its line.
TEST_F(StowageCheckTest, ExplainNamesTheRuleAndTheDistances) {
  Load({{"010002", Dg("2.1")}, {"010206", Dg("5.1")}});
  Lines lines;
  RunStowageCheck(plan, host, true, -1, lines, true);
  EXPECT_EQ(lines, (Lines{"SEGREGATION 3    2.1 5.1 010002 010206",
                          "    separated by a complete compartment or hold from, closed/closed, under deck: fore and "
                          "aft overlapping, 0 bulkheads, 0.0 m (needs 1B); athwartships 0 spaces (needs 1B)"}));
  EXPECT_EQ(CheckLineCells(plan, lines[1]), std::vector<int>{}) << "the explanation marks no cell";
}

// A company's CSG line replaces the built-in one; what cannot be read is
// never enough, and the check says which line it was.
TEST_F(StowageCheckTest, ParameterFileTableTightensTheBuiltInOne) {
  Load({{"010082", Dg("3")}, {"050182", Dg("5.1")}});
  EXPECT_EQ(Run(true), Lines{kNoErrorsLine}) << "one bay between is enough by the Code";
  plan.Csg[0] = StructCsg{2, "CC", "D", "2S", "1S/1B", "1S", "1S", "-"};
  plan.CsgCount = 1;
  EXPECT_EQ(Run(true), Lines{"SEGREGATION 2    3   5.1 010082 050182"});
  plan.Csg[0].FAD = "2Q";
  EXPECT_EQ(Run(true), (Lines{"NOTE: CSG 2 CC: \"2Q\" is not a distance, read as X (never enough)",
                              "SEGREGATION 2    3   5.1 010082 050182"}));
}

TEST(ContainerShipRules, SpacingGrammar) {
  struct Case {
    const char* text;
    bool readable;
    Apart apart;
    bool met;
  } cases[] = {
      {"-", true, {-1, 0, 0}, true},           {"X", true, {99, 9, 99}, false},
      {"1S", true, {1, 0, 0}, true},           {"1S", true, {0, 5, 50}, false},
      {"1S/1B", true, {0, 1, 0}, true},        {"1S/1B", true, {0, 0, 0}, false},
      {"1B+24M", true, {-1, 1, 24}, true},     {"1B+24M", true, {5, 1, 23.9}, false},
      {"1B+24M", true, {5, 0, 30}, false},     {"3S", true, {2, 0, 0}, false},
      {"1S/", false, {5, 5, 5}, false},        {"S", false, {5, 5, 5}, false},
      {"2Q", false, {5, 5, 5}, false},         {"1S+-2B", false, {5, 5, 5}, false},
  };
  for (const Case& c : cases) {
    Spacing spacing;
    EXPECT_EQ(ParseSpacing(c.text, spacing), c.readable) << c.text;
    EXPECT_EQ(SpacingMet(spacing, c.apart), c.met) << c.text << " at " << c.apart.spaces << " spaces, "
                                                   << c.apart.bulkheads << " bulkheads, " << c.apart.metres << " m";
  }
}

TEST_F(StowageCheckTest, ClassesBeyondTheMatrixFindNothing) {
  plan.ImoCount = kMaxImos;
  for (int k = 6; k < kMaxImos; ++k) plan.Imos[k].CLASS = "X" + std::to_string(k);
  Put("010082", "X27");
  Put("010084", "X28");
  EXPECT_EQ(SegregationVerdict(plan, Cell("010082"), Cell("010084")), " ");
}

// The demo parameter file's IMDG table, read as the program reads it.
TEST_F(StowageCheckTest, DemoParameterFile) {
  ReadDemoParameterFile();
  struct Case {
    const char* classA;
    const char* typA;
    const char* classB;
    const char* expected;
  } cases[] = {
      {"3", "DV", "5.1", "2    3   5.1"},    // separated from
      {"", "RF", "3", "R    RF  3  "},       // a live reefer beside flammable liquids
      {"1.4", "DV", "1.4", "*    1.4 1.4"},  // explosives: compatibility groups decide
      {"3", "DV", "8", " "},                 // no general segregation
      {"9", "DV", "1.1", " "},               // away from... nothing for class 9
  };
  for (const Case& c : cases) {
    Put("010082", c.classA, "20", c.typA);
    Put("010182", c.classB);
    EXPECT_EQ(SegregationVerdict(plan, Cell("010082"), Cell("010182")), c.expected)
        << c.classA << c.typA << " against " << c.classB;
  }
  // The file spells out the program's own container-ship table, line by line.
  const std::vector<StructCsg>& builtIn = DefaultContainerShipLines();
  ASSERT_EQ(plan.CsgCount, static_cast<int>(builtIn.size()));
  for (size_t k = 0; k < builtIn.size(); ++k)
    EXPECT_TRUE(plan.Csg[k] == builtIn[k]) << "CSG line " << k + 1 << ": " << plan.Csg[k].CODE << " "
                                           << plan.Csg[k].PAIR << " " << plan.Csg[k].FAH;
}

// A departure plan in small: units with several dangerous goods beside each
// other on deck and in one hold stack, judged by the demo's IMDG tables.
// Each clash hides behind a first class that clashes with nothing.
TEST_F(StowageCheckTest, DepartureLikePlanListsEveryClashAndNothingElse) {
  ReadDemoParameterFile();
  auto goods = [](std::vector<std::string> classes, const std::string& typ = "DV") {
    StructDat u = Unit("");
    u.TYP = typ;
    for (size_t k = 0; k < classes.size(); ++k) u.IMO[k] = classes[k];
    return u;
  };
  Load({
      {"110182", goods({"9", "5.1"})},         // an oxidizer among miscellaneous goods
      {"130282", goods({"8", "6.1"}, "RF")},   // a corrosive reefer, diagonally aft of it
      {"070102", goods({"3", "5.1"})},         // flammable liquid with an oxidizer
      {"070106", goods({"3"})},                // in the same hold stack
      {"070108", goods({"9"})},                // on top: nothing to keep apart
      {"090102", goods({"8"})},                // the next hold, a bulkhead between
      {"010082", goods({"2.2"})},              // away from: closed units may stand side by side
      {"010182", goods({"3"})},
  });
  EXPECT_EQ(Run(true), (Lines{"SEGREGATION 2    5.1 3   070102 070106", "SEGREGATION 2    5.1 8   110182 130282"}));
}

// ---- The run ------------------------------------------------------------------

TEST_F(StowageCheckTest, SegregationLineLayoutAndCells) {
  Load({{"010082", Dg("3")}, {"010182", Dg("5.1")}});
  const Lines lines = Run();
  ASSERT_EQ(lines, Lines{"SEGREGATION 2    3   5.1 010082 010182"});
  EXPECT_FALSE(last);
  EXPECT_EQ(CheckLineCells(plan, lines[0]), (std::vector<int>{Cell("010082"), Cell("010182")}));
}

TEST_F(StowageCheckTest, NothingFoundGivesTheSingleLine) {
  Load({{"010082", Dg("3", "CSQU 3054383")}, {"010084", Dg("8", "TCNU 7200794")}});
  EXPECT_EQ(Run(), Lines{kNoErrorsLine});
  EXPECT_TRUE(last);
  EXPECT_TRUE(CheckLineCells(plan, kNoErrorsLine).empty());
  EXPECT_EQ(host.busyCalls, (std::vector<bool>{true, false}));
}

TEST_F(StowageCheckTest, RunningReefersTakePartOnlyWithTheOption) {
  Load({{"010082", Reefer()}, {"010182", Dg("3")}, {"010282", Reefer()}});
  ReeferOption(false);
  EXPECT_EQ(Run(), Lines{kNoErrorsLine});
  ReeferOption(true);
  EXPECT_EQ(Run(), Lines{"SEGREGATION R    RF  3   010082 010182"})
      << "010282 is two rows from 010182; 010082 and 010282 are both reefers";
}

TEST_F(StowageCheckTest, EmptyReeferIsNotRunning) {
  StructDat empty = Reefer();
  empty.MTY = 1;
  Load({{"010082", empty}, {"010182", Dg("3")}});
  EXPECT_EQ(Run(), Lines{kNoErrorsLine});
}

// A reefer is found beside dangerous goods whichever of the two comes first
// in cell order, and across bays too.
TEST_F(StowageCheckTest, ReeferAfterTheDangerousUnitIsFound) {
  Load({{"010082", Dg("3")}, {"030082", Reefer()}});
  EXPECT_EQ(Run(), Lines{"SEGREGATION R    3   RF  010082 030082"});
  Remove("010082");
  Remove("030082");
  Load({{"010082", Reefer()}, {"030082", Dg("3")}});
  EXPECT_EQ(Run(), Lines{"SEGREGATION R    RF  3   010082 030082"});
}

TEST_F(StowageCheckTest, UnknownClassFirstListsItOnceAndEndsItsPairs) {
  Load({{"010082", Dg("7.7")}, {"010182", Dg("3")}, {"010084", Dg("5.1")}});
  EXPECT_EQ(Run(), (Lines{"INVALID IMO CODE 7.7     010082", "SEGREGATION 2    5.1 3   010084 010182"}));
}

TEST_F(StowageCheckTest, UnknownClassSecondIsPassedOver) {
  Load({{"010082", Dg("3")}, {"010182", Dg("7.7")}});
  EXPECT_EQ(Run(), Lines{kNoErrorsLine});
}

// A unit with only a UN number has a blank class: its line is shorter, the
// cell name leaves columns 26-31 and a double click highlights nothing.
TEST_F(StowageCheckTest, UnNumberOnlyShiftsTheCellName) {
  StructDat unOnly = Unit("");
  unOnly.UN[0] = "1203";
  Load({{"010082", unOnly}, {"010182", Dg("3")}});
  const Lines lines = Run();
  ASSERT_EQ(lines, Lines{"INVALID IMO CODE      010082"});
  EXPECT_TRUE(CheckLineCells(plan, lines[0]).empty());
}

TEST_F(StowageCheckTest, DuplicatesThreeUnitsGiveTwoLines) {
  Load({{"010182", Unit("CSQU 3054383")},
        {"010282", Unit("CSQU 3054383")},
        {"030082", Unit("CSQU 3054383")},
        {"030182", Unit("csqu 3054383")},
        {"030282", Unit("TCNU 7200794")}});
  const Lines lines = Run();
  EXPECT_EQ(lines, (Lines{"DUP        CSQU 3054383  010182 010282", "DUP        CSQU 3054383  010282 030082",
                          "DIGIT 2    csqu 3054383  030182"}))
      << "numbers compare case-sensitively; lower case letters have no value";
  EXPECT_EQ(CheckLineCells(plan, lines[1]), (std::vector<int>{Cell("010282"), Cell("030082")}));
}

TEST_F(StowageCheckTest, ShortNumbersAndBreakBulkAreNotCompared) {
  StructDat bulk = Unit("CSQU 3054389");
  bulk.TYP = "BB";
  Load({{"010082", Unit("ABCD123")},
        {"010182", Unit("ABCD123")},
        {"010282", Unit("CSQU 3054383")},
        {"010084", bulk},
        {"010184", Unit("CSQU305438")}});
  EXPECT_EQ(Run(), Lines{kNoErrorsLine});
}

TEST_F(StowageCheckTest, CheckDigitLines) {
  Load({{"010082", Unit("CSQU 3054384")},
        {"010182", Unit("TCNU 7200794")},
        {"010282", Unit("GYOU 4047990")},
        {"010084", Unit("GYOU 4047991")},
        {"010184", Unit("CSQU3054384")}});
  EXPECT_EQ(Run(), (Lines{"DIGIT 3    CSQU 3054384  010082", "DIGIT 3    CSQU3054384   010184",
                          "DIGIT 0    GYOU 4047991  010084"}))
      << "sorted by number; the first number is checked like the others";
}

TEST_F(StowageCheckTest, SegregationOnlyLeavesNumbersAlone) {
  Load({{"010082", Unit("CSQU 3054384")},
        {"010182", Unit("CSQU 3054384")},
        {"010084", Dg("3")},
        {"010184", Dg("5.1")}});
  EXPECT_EQ(Run(true), Lines{"SEGREGATION 2    3   5.1 010084 010184"});
}

// After a placement only the placed cell is examined, against every other
// cell: earlier ones in cell order too.
TEST_F(StowageCheckTest, OneCellAgainstAllOthers) {
  Load({{"010082", Dg("5.1")}, {"030082", Dg("3")}, {"050182", Dg("1.1")}, {"050282", Dg("1.1")}});
  EXPECT_EQ(Run(true, Cell("030082")),
            (Lines{"SEGREGATION 2    5.1 3   010082 030082", "SEGREGATION 4    3   1.1 030082 050182",
                   "SEGREGATION 4    3   1.1 030082 050282"}));
  EXPECT_FALSE(last);
  Load({{"090102", Dg("8")}});
  EXPECT_EQ(Run(true, Cell("090102")), Lines{kNoErrorsLine}) << "the pair 050182/050282 is not this cell's";
  EXPECT_TRUE(last);
  EXPECT_EQ(Run(true, plan.CellCount), Lines{kNoErrorsLine}) << "no such cell";
}

// ---- Marking ------------------------------------------------------------------

TEST_F(StowageCheckTest, FindingsMarkTheirCellsOnly) {
  Load({{"010082", Dg("3", "", "40")}, {"010182", Dg("5.1")}, {"010282", Unit("")}});
  ASSERT_EQ(At("030082").STATUS, -1);
  for (int i = 0; i < plan.CellCount; ++i) plan.Cur()[i].SELECTED = 1;
  const int repaints = host.planChanges;
  const Lines lines = Run();
  ASSERT_EQ(lines, Lines{"SEGREGATION 2    3   5.1 010082 010182"});
  EXPECT_GT(host.planChanges, repaints);
  for (int i = 0; i < plan.CellCount; ++i) {
    const std::string& name = plan.Cells[i].CELL;
    const bool named = name == "010082" || name == "010182" || name == "030082";
    EXPECT_EQ(plan.Cur()[i].SELECTED, named ? 1 : 0) << name;
  }
  // The double click takes the line's own cells, not the 40' partner.
  EXPECT_EQ(CheckLineCells(plan, lines[0]), (std::vector<int>{Cell("010082"), Cell("010182")}));
}

TEST_F(StowageCheckTest, NothingFoundLeavesTheMarksAlone) {
  Load({{"010082", Dg("3")}, {"010084", Dg("8")}});
  for (int i = 0; i < plan.CellCount; ++i) plan.Cur()[i].SELECTED = i % 3 == 0 ? 1 : 0;
  const int repaints = host.planChanges;
  Lines lines;
  EXPECT_TRUE(RunStowageCheck(plan, host, false, -1, lines));
  for (int i = 0; i < plan.CellCount; ++i) EXPECT_EQ(plan.Cur()[i].SELECTED, i % 3 == 0 ? 1 : 0) << i;
  EXPECT_EQ(host.planChanges, repaints);
}

TEST_F(StowageCheckTest, HighlightingALineKeepsOnlyItsCellsAndNoErrorsKeepsAll) {
  Load({{"010082", Unit("ZUMU0000001")}, {"050182", Unit("ZUMU0000002")}, {"090104", Unit("ZUMU0000003")}});
  EXPECT_TRUE(HighlightCheckLine(plan, "  *** NO ERRORS ***").empty());
  for (const char* cell : {"010082", "050182", "090104"})
    EXPECT_EQ(plan.Cur()[Cell(cell)].SELECTED, 1) << cell;
  EXPECT_EQ(HighlightCheckLine(plan, "DUP        CSQU 3054383  010082 050182"),
            (std::vector<int>{Cell("010082"), Cell("050182")}));
  EXPECT_EQ(plan.Cur()[Cell("010082")].SELECTED, 1);
  EXPECT_EQ(plan.Cur()[Cell("090104")].SELECTED, 0);
}

TEST_F(StowageCheckTest, MarkCheckedCellsReadsBothNameColumns) {
  Load({{"010082", Unit("", "40")}, {"050182", Unit("")}});
  MarkCheckedCells(
      plan, host,
      {"DUP        CSQU 3054383  010082 050182", "DIGIT 3    CSQU 3054384  090104", "  *** NO ERRORS ***"});
  std::vector<std::string> marked;
  for (int i = 0; i < plan.CellCount; ++i)
    if (plan.Cur()[i].SELECTED) marked.push_back(plan.Cells[i].CELL);
  EXPECT_EQ(marked, (std::vector<std::string>{"010082", "030082", "050182", "090104"}))
      << "a 40' unit marks its second cell; an empty cell is marked without partner";
}

}  // namespace
}  // namespace plantest
