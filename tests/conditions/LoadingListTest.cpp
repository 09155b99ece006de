// Loading lists: both file kinds read line by line, add and replace mode,
// refused files that change nothing, the export's layout and its round
// trip, the Update-mode merge into placeholders, and the editor's Load
// press taking the chosen group's units from the quay.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ConditionFixture.h"
#include "conditions/LoadingList.h"
#include "conditions/LoadingListFile.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "planning/EditScript.h"
#include "planning/EditorCommands.h"
#include "planning/Quay.h"
#include "planning/UnitRules.h"
#include "vessel/BaseData.h"
#include "vessel/Ports.h"

namespace {

namespace fs = std::filesystem;

// A fixed-column line laid out as loadlist.txt (the demo parameter file's
// LIS table reads that layout): ports as UN/LOCODEs, weight in kg.
std::string FixedLine(const std::string& number, const std::string& pol, const std::string& pod,
                      const std::string& sizeType, const std::string& weight,
                      const std::string& position = "", const std::string& iso = "") {
  std::string line(110, ' ');
  auto put = [&line](int column, const std::string& text) {
    line.replace(static_cast<size_t>(column - 1), text.size(), text);
  };
  put(1, "ZU003W");
  put(7, pol);
  put(12, pod);
  put(22, number);
  put(33, sizeType);
  put(53, Pad(weight, 5, true));
  put(86, iso);
  put(105, position);
  return line;
}

class LoadingListTest : public ConditionTest {
 protected:
  LoadingListTest() {
    EXPECT_TRUE(base.ReadParameterFile(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo" / "PARAM.txt"));
    for (const auto& [code, country] : std::vector<std::pair<std::string, std::string>>{
             {"GOA", "IT"}, {"RTM", "NL"}, {"HAM", "DE"}, {"GOT", "SE"}, {"AAR", "DK"}, {"GDY", "PL"}})
      AddOrUpdatePort(plan, code, "", country, "", true);
  }

  LoadingListImport Import(const std::string& name, const std::vector<std::string>& lines, bool add) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    path = dir.Write(name, bytes);
    return ImportLoadingList(ctx, base, list, path, add, true);
  }

  std::vector<StructDat> QuayUnits() const {
    std::vector<StructDat> units;
    for (int i = 0; i < plan.QuayCount; ++i)
      if (plan.Dat[kQuayPlane][i].STATUS > 0) units.push_back(plan.Dat[kQuayPlane][i]);
    return units;
  }
  std::vector<std::string> QuayNumbers() const {
    std::vector<std::string> numbers;
    for (const StructDat& unit : QuayUnits()) numbers.push_back(unit.CONTAINER);
    return numbers;
  }
  std::map<std::string, std::string> Board() const {
    std::map<std::string, std::string> board;
    for (int i = 0; i < plan.CellCount; ++i)
      if (plan.Cur()[i].STATUS > 0) board[plan.Cells[i].CELL] = plan.Cur()[i].CONTAINER;
    return board;
  }
  static std::string Reasons(const std::vector<SkippedLine>& lines) {
    std::string text;
    for (const SkippedLine& line : lines) text += line.Text() + "\n";
    return text;
  }

  BaseData base{plan, host};
  LoadingList list{ctx};
  fs::path path;
};

TEST_F(LoadingListTest, FixedColumnLinesAreReadOrListedWithWhy) {
  const LoadingListImport r =
      Import("LOADLIST.TXT",
             {FixedLine("ZUMU5200004", "SEGOT", "DKAAR", "40DV", "24500", "", "42G1"),  // kilograms
              FixedLine("ZUMU5200010", "SEGOT", "PLGDY", "20DV", "13.2", "", "22G1"),   // tonnes
              "   3  SEGOTPLGDY     ZUMU5200023",                                       // short
              FixedLine("ZUMU5200030", "SEGOT", "DKAAR", "20DV", ""),                   // no weight
              FixedLine("NSXU5200046", "SEGOT", "XXZZZ", "20DV", "8300", "", "22G1"),   // unknown port
              FixedLine("ZUMU5200004", "SEGOT", "DKAAR", "40DV", "9900", "", "42G1"),   // twice
              "", FixedLine("ZUMU5200051", "SEGOT", "DKAAR", "45G1", "17200", "020082", "45G1")},
             true);
  ASSERT_TRUE(r.accepted);
  EXPECT_FALSE(r.csv);
  EXPECT_EQ(r.lines, 8);
  EXPECT_EQ(r.read, 5);
  EXPECT_EQ(r.blankLines, 1);
  EXPECT_EQ(r.read + r.blankLines + static_cast<int>(r.unreadable.size()), r.lines);
  EXPECT_EQ(Reasons(r.unreadable), "line 3: shorter than 41 characters\nline 4: no weight\n");
  EXPECT_EQ(Reasons(r.skipped), "line 6: container ZUMU 5200004 is listed twice (first on line 1)\n");
  EXPECT_EQ(Reasons(r.notes), "line 5: port ZZZ is not in the ports table\n");
  EXPECT_EQ(r.toQuay, 4);

  const std::vector<StructDat> quay = QuayUnits();
  ASSERT_EQ(quay.size(), 4u);
  EXPECT_EQ(quay[0].CONTAINER, "ZUMU 5200004");
  EXPECT_EQ(quay[0].POL + quay[0].POD + quay[0].SIZ + quay[0].TYP, "GOTAAR40DV");
  EXPECT_DOUBLE_EQ(quay[0].WEIGHT, 24.5);
  EXPECT_DOUBLE_EQ(quay[1].WEIGHT, 13.2);
  EXPECT_EQ(quay[2].POD, "ZZZ");
  EXPECT_EQ(quay[3].SIZ + quay[3].TYP, "40HC");
  EXPECT_EQ(quay[3].POSITION, "010082");  // the 40' bay named by its fore 20' bay

  // The person is told which file and which line first went wrong.
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find(path.string()), std::string::npos) << host.errors[0];
  EXPECT_NE(host.errors[0].find("2 lines could not be read; the first: line 3: shorter"), std::string::npos)
      << host.errors[0];
}

TEST_F(LoadingListTest, CsvLinesAreReadFromTheirHeaderOnOrListedWithWhy) {
  const LoadingListImport r =
      Import("booking.csv",
             {"Loading list GOT 012N;;;;", "Container;Pol;Pod;Size;Type;Weight;Booking;ISO;Qty",
              "ZUMU5200004;SEGOT;DKAAR;40;DV;24500;B1;42G1;",  // kilograms, ports as locodes
              "\"ZUMU 5200010\";GOT;GDY;20;DV;13,2;B2;22G1;",  // tonnes
              "ZUMU5200023;;AAR;20;DV;8900;B3;22G1;",          // POL of the line before
              "NSXU5200030;GOT;ZZZ;20;DV;8300;B4;22G1;",       // unknown port
              "ZUMU5200046;GOT;AAR;20;DV;;B5;22G1;",           // no weight
              "ZUMU5200004;GOT;AAR;40;DV;9900;B6;42G1;",       // twice
              "ZUMU52;GOT",                                    // short
              ";GOT;AAR;20;GP;14000;B7;;3"},                   // a booking of three
             true);
  ASSERT_TRUE(r.accepted);
  EXPECT_TRUE(r.csv);
  EXPECT_EQ(r.headerLine, 2);
  EXPECT_EQ(r.read, 6);
  EXPECT_EQ(r.units, 8);
  EXPECT_EQ(r.read + 1 + static_cast<int>(r.unreadable.size()), r.lines);
  EXPECT_EQ(Reasons(r.unreadable), "line 1: before the header line\nline 7: no weight\nline 9: no weight\n");
  EXPECT_EQ(Reasons(r.skipped), "line 8: container ZUMU 5200004 is listed twice (first on line 3)\n");
  EXPECT_EQ(Reasons(r.notes), "line 6: port ZZZ is not in the ports table\n");
  EXPECT_TRUE(host.valueLabels.empty());  // every line had a port of loading to go by

  const std::vector<StructDat> quay = QuayUnits();
  ASSERT_EQ(quay.size(), 7u);
  EXPECT_EQ(quay[0].POL + quay[0].POD, "GOTAAR");
  EXPECT_DOUBLE_EQ(quay[0].WEIGHT, 24.5);
  EXPECT_EQ(quay[1].CONTAINER, "ZUMU 5200010");
  EXPECT_DOUBLE_EQ(quay[1].WEIGHT, 13.2);
  EXPECT_EQ(quay[2].POL, "GOT");
  // The booking's copies: the type translated, no numbers.
  for (size_t i = 4; i < 7; ++i) {
    EXPECT_EQ(quay[i].CONTAINER, "");
    EXPECT_EQ(quay[i].TYP + quay[i].BOOKING, "DVB7");
  }
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("the first: line 7: no weight"), std::string::npos) << host.errors[0];
}

TEST_F(LoadingListTest, ACsvListWithoutAnyPortOfLoadingAsksForItOnce) {
  host.values = {"ham"};
  const LoadingListImport r = Import("list.csv",
                                     {"Container,Pod,Size,Type,Weight,Booking",
                                      "ZUMU5200004,RTM,20,DV,12000,B1,", "ZUMU5200010,RTM,20,DV,13000,B2,"},
                                     true);
  ASSERT_TRUE(r.accepted);
  EXPECT_EQ(host.valueLabels, std::vector<std::string>{"Port of Loading"});
  for (const StructDat& unit : QuayUnits()) EXPECT_EQ(unit.POL, "HAM");
}

TEST_F(LoadingListTest, AFileThatIsNoLoadingListChangesNothing) {
  struct Case {
    std::string name;
    std::vector<std::string> lines;
    std::string said;
  };
  const std::vector<Case> cases = {
      {"empty.txt", {"", "  "}, "the file is empty"},
      {"baplie.edi",
       {"UNB+UNOA:2+SENDER+RECIPIENT+261130:2100+1'UNH+1+BAPLIE:D:95B:UN:SMDG22'"},
       "the first: line 1: weight"},
      // Five known names are not a header.
      {"five.csv",
       {"Container;Pol;Pod;Size;Weight;Remark", "ZUMU5200004;GOA;RTM;20;12000;x"},
       "no header line"},
  };
  Place("010082", Unit("GOAU 0000001", "GOA", "RTM"));
  plan.VesHdr[VesHdrIx::Port] = "GOA";
  ASSERT_TRUE(PutToQuay(plan, Unit("QUAU 0000003", "HAM", "RTM")));
  for (const Case& c : cases) {
    host.errors.clear();
    const LoadingListImport r = Import(c.name, c.lines, false);
    EXPECT_FALSE(r.accepted) << c.name;
    ASSERT_EQ(host.errors.size(), 1u) << c.name;
    EXPECT_NE(host.errors[0].find(path.string() + ": not a loading list: "), std::string::npos)
        << host.errors[0];
    EXPECT_NE(host.errors[0].find(c.said), std::string::npos) << host.errors[0];
    // Replace mode would have taken the port's units off: not for a refused file.
    EXPECT_EQ(Board(), (std::map<std::string, std::string>{{"010082", "GOAU 0000001"}})) << c.name;
    EXPECT_EQ(QuayNumbers(), std::vector<std::string>{"QUAU 0000003"}) << c.name;
  }
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(LoadingListTest, AddPutsOnTheQuayReplacePutsUnitsWhereTheirPositionsSay) {
  struct Case {
    bool add;
    Host::Answer clearQuay;
    std::map<std::string, std::string> board;
    std::vector<std::string> quay;
  };
  const std::vector<Case> cases = {
      {true,
       Host::Answer::No,
       {{"010082", "GOAU 0000001"}, {"010182", "ROBU 0000002"}},
       {"QUAU 0000003", "LSTU 0000011", "LSTU 0000022", "LSTU 0000033"}},
      {false,
       Host::Answer::No,
       {{"010082", "LSTU 0000011"}, {"010182", "ROBU 0000002"}, {"030282", "LSTU 0000022"}},
       {"QUAU 0000003", "LSTU 0000033"}},
      {false,
       Host::Answer::Yes,
       {{"010082", "LSTU 0000011"}, {"010182", "ROBU 0000002"}, {"030282", "LSTU 0000022"}},
       {"LSTU 0000033"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.add ? "add" : "replace") +
                 (c.clearQuay == Host::Answer::Yes ? ", quay emptied" : ""));
    ClearAllUnits(ctx);
    ClearQuay(plan);
    plan.VesHdr[VesHdrIx::Port] = "GOA";
    Place("010082", Unit("GOAU 0000001", "GOA", "RTM"));  // loaded here: the list stands for it
    Place("010182", Unit("ROBU 0000002", "HAM", "RTM"));  // from an earlier port: stays
    ASSERT_TRUE(PutToQuay(plan, Unit("QUAU 0000003", "HAM", "RTM")));
    host.answers = {c.clearQuay};
    const LoadingListImport r =
        Import("LOADLIST.TXT",
               {FixedLine("LSTU0000011", "ITGOA", "NLRTM", "20DV", "12000", "010082"),
                FixedLine("LSTU0000022", "ITGOA", "NLRTM", "20DV", "13000", "030282"),
                FixedLine("LSTU0000033", "ITGOA", "NLRTM", "20DV", "14000"),
                FixedLine("ROBU0000002", "DEHAM", "NLRTM", "20DV", "15000", "050082")},
               c.add);
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(Board(), c.board);
    EXPECT_EQ(QuayNumbers(), c.quay);
    EXPECT_EQ(r.placed, c.add ? 0 : 2);
    EXPECT_EQ(Reasons(r.skipped), "line 4: container ROBU 0000002 is on board already, in 010182\n");
    EXPECT_TRUE(host.answers.empty()) << "the quay question was not asked";
  }
}

TEST_F(LoadingListTest, AFullQuayStopsTheListAndSaysHowManyWereLeftOut) {
  const StructDat filler = Unit("", "HAM", "RTM");
  for (int i = 0; i < kMaxCells - 1; ++i) ASSERT_TRUE(PutToQuay(plan, filler));
  host.answers = {Host::Answer::No};
  const LoadingListImport r = Import("LOADLIST.TXT",
                                     {FixedLine("LSTU0000011", "ITGOA", "NLRTM", "20DV", "12000"),
                                      FixedLine("LSTU0000022", "ITGOA", "NLRTM", "20DV", "13000"),
                                      FixedLine("LSTU0000033", "ITGOA", "NLRTM", "20DV", "14000")},
                                     true);
  EXPECT_EQ(r.toQuay, 1);
  EXPECT_EQ(r.leftOut, 2);
  EXPECT_EQ(plan.QuayLive, kMaxCells);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("2 units of the list were left out"), std::string::npos) << host.errors[0];
}

TEST_F(LoadingListTest, ExportLaysOutEveryFieldAndNeverCutsAValue) {
  StructDat hazard = Unit("ZUMU 1234560", "GOA", "RTM");
  hazard.PRS = "HAM";
  hazard.WEIGHT = 12.3456;
  hazard.BOOKING = "BKG1";
  hazard.IMO[0] = "3";
  hazard.UN[0] = "1090";
  hazard.ISO = "22G1";
  hazard.OPERATOR = "MSC";
  StructDat heavyReefer = Unit("ZUMU 7654321", "GOA", "RTM", "40", 123.4);
  heavyReefer.TYP = "RF";
  heavyReefer.ISO = "42R1";
  heavyReefer.TEMP = -18;
  heavyReefer.TEMP_2 = -5;
  heavyReefer.OWP = 10;
  Place("010082", hazard);
  Place("010182", heavyReefer);
  AddVoyPort(plan, "HAM");
  const fs::path out = dir.path() / "send" / "loadlist.txt";
  ASSERT_TRUE(ExportLoadingList(plan, host, out));
  const std::string blanks7(7, ' ');
  const std::string expected =
      // vessel+voyage, POL, POD, PRS, number, size+type, booking, empty, class
      "ZU003W"
      "ITGOA"
      "NLRTM"
      "DEHAM"
      "ZUMU1234560"
      "20GP"
      " "
      "BKG1      "
      " "
      "3  "
      " "
      // kilograms, temperatures, over-width port/starboard, height, length aft/fore
      "12345"
      "  "
      "   "
      "   "
      "0000"
      "0000"
      "0000"
      "0000"
      "0000"
      // ISO, UN, operator, position
      "22G1"
      "1090"
      "MSC " +
      blanks7 +
      "010082"
      " \r\n"
      // 123.4 t takes six characters and shifts the rest; the 40' bay 02.
      "ZU003W"
      "ITGOA"
      "NLRTM"
      "     "
      "ZUMU7654321"
      "40RF"
      " "
      "          "
      " "
      "   "
      " "
      "123400"
      "  "
      "-18"
      " -5"
      "0010"
      "0000"
      "0000"
      "0000"
      "0000"
      "42R1"
      "    "
      "    " +
      blanks7 +
      "020182"
      " \r\n";
  EXPECT_EQ(ReadBytes(out), expected);
}

TEST_F(LoadingListTest, ExportedUnitsImportAgainAsTheSameUnitsInTheSameCells) {
  StructDat reefer = Unit("ZUMU 7654321", "GOA", "RTM", "40", 23.4);
  reefer.TYP = "RF";
  reefer.ISO = "42R1";
  reefer.TEMP = reefer.TEMP_2 = -18;
  StructDat hazard = Unit("ZUMU 1234560", "GOA", "HAM", "20", 12.5);
  hazard.TYP = "DV";
  hazard.IMO[0] = "3";
  hazard.UN[0] = "1090";
  hazard.ISO = "22G1";
  hazard.OPERATOR = "MSC";
  hazard.BOOKING = "BKG1";
  StructDat empty = Unit("NSXU 0000019", "GOA", "RTM", "20", 2.2);
  empty.MTY = 1;
  empty.ISO = "22G1";
  empty.TYP = "DV";
  Place("010182", reefer);
  Place("050082", hazard);
  Place("030102", empty);
  const std::vector<StructDat> before = CellRecords();
  const fs::path out = dir.path() / "send" / "loadlist.txt";
  ASSERT_TRUE(ExportLoadingList(plan, host, out));

  // Replace mode takes the port's units off and puts the list's back.
  std::vector<std::string> lines;
  std::string error;
  ASSERT_TRUE(ReadTextLines(out, lines, error));
  const LoadingListImport r = Import("LOADLIST.TXT", lines, false);
  ASSERT_TRUE(r.accepted);
  EXPECT_EQ(r.placed, 3);
  EXPECT_EQ(plan.QuayLive, 0);
  const std::vector<StructDat> after = CellRecords();
  for (int i = 0; i < plan.CellCount; ++i) {
    SCOPED_TRACE(plan.Cells[i].CELL);
    const StructDat& a = before[i];
    const StructDat& b = after[i];
    EXPECT_EQ(a.STATUS, b.STATUS);
    EXPECT_EQ(
        a.CONTAINER + a.POL + a.POD + a.SIZ + a.TYP + a.ISO + a.IMO[0] + a.UN[0] + a.OPERATOR + a.BOOKING,
        b.CONTAINER + b.POL + b.POD + b.SIZ + b.TYP + b.ISO + b.IMO[0] + b.UN[0] + b.OPERATOR + b.BOOKING);
    EXPECT_DOUBLE_EQ(a.WEIGHT, b.WEIGHT);
    EXPECT_EQ(a.MTY, b.MTY);
    EXPECT_EQ(a.TEMP, b.TEMP);
    EXPECT_EQ(a.TEMP_2, b.TEMP_2);
  }
}

TEST_F(LoadingListTest, UpdateMergeTableOfPlaceholderAndListUnit) {
  struct Case {
    const char* what;
    void (*change)(StructDat& placeholder, StructDat& unit);
    bool exact, loose;  // merges with "Exact merge" checked, and without
  };
  const std::vector<Case> cases = {
      {"alike", [](StructDat&, StructDat&) {}, true, true},
      {"other POD", [](StructDat&, StructDat& u) { u.POD = "GOA"; }, false, false},
      {"other size", [](StructDat&, StructDat& u) { u.SIZ = "40"; }, false, false},
      {"numbered placeholder", [](StructDat& p, StructDat&) { p.CONTAINER = "PLCU 0000001"; }, false, false},
      {"full reefer into a full dry box", [](StructDat&, StructDat& u) { u.TYP = "RF"; }, false, true},
      {"empty into full", [](StructDat&, StructDat& u) { u.MTY = 1; }, false, true},
      {"hazardous into plain", [](StructDat&, StructDat& u) { u.IMO[0] = "3"; }, false, true},
      {"over-height into plain", [](StructDat&, StructDat& u) { u.OH = 20; }, false, true},
      {"break bulk into a box", [](StructDat&, StructDat& u) { u.TYP = "BB"; }, false, false},
      {"empty reefer into an empty box",
       [](StructDat& p, StructDat& u) {
         p.MTY = u.MTY = 1;
         u.TYP = "RF";
       },
       true, true},
  };
  for (const Case& c : cases) {
    StructDat placeholder = Unit("", "HAM", "RTM");
    StructDat unit = Unit("LSTU 0000011", "HAM", "RTM");
    c.change(placeholder, unit);
    EXPECT_EQ(MergesInto(plan, placeholder, unit, true), c.exact) << c.what;
    EXPECT_EQ(MergesInto(plan, placeholder, unit, false), c.loose) << c.what;
  }
}

TEST_F(LoadingListTest, UpdateModeMergesListUnitsIntoThePlaceholdersThatFit) {
  Place("010082", Unit("", "HAM", "RTM", "20", 0.0));  // a booking
  Place("030082", Unit("", "HAM", "GOA", "20", 0.0));  // nothing on the list for it
  Place("050082", Unit("ONBU 0000001", "HAM", "RTM"));
  ASSERT_TRUE(PutToQuay(plan, Unit("LSTU 0000022", "HAM", "RTM", "40", 20)));
  ASSERT_TRUE(PutToQuay(plan, Unit("LSTU 0000011", "HAM", "RTM", "20", 14)));
  EditorCommands editor(ctx);
  list.Connect(editor);
  list.RefreshQuayRoutes();
  const std::vector<int> merged = list.MergeIntoPlaceholders(editor);
  EXPECT_EQ(merged, std::vector<int>{1});
  EXPECT_EQ(Board(), (std::map<std::string, std::string>{
                         {"010082", "LSTU 0000011"}, {"030082", ""}, {"050082", "ONBU 0000001"}}));
  EXPECT_DOUBLE_EQ(plan.Cur()[Cell("010082")].WEIGHT, 14);
  EXPECT_EQ(QuayNumbers(), std::vector<std::string>{"LSTU 0000022"});
  // Leaving Update mode leaves no unit greyed out.
  for (const char* cell : {"010082", "030082", "050082"})
    EXPECT_EQ(plan.Cur()[Cell(cell)].SELECTED, 1) << cell;
}

TEST_F(LoadingListTest, ALoadPressTakesTheChosenGroupsNextUnitAndUndoPutsItBack) {
  StructDat reefer = Unit("RFRU 0000001", "HAM", "RTM", "20", 20);
  reefer.TYP = "RF";
  for (const StructDat& unit : {Unit("DRYU 0000001", "HAM", "RTM"), reefer,
                                Unit("DRYU 0000002", "HAM", "RTM"), Unit("OTHU 0000001", "HAM", "GOA")})
    ASSERT_TRUE(PutToQuay(plan, unit));
  EditorCommands editor(ctx);
  list.Connect(editor);
  list.RefreshQuayRoutes();
  ASSERT_EQ(list.Routes.size(), 2u);
  EXPECT_EQ(list.Routes[0].text, "HAM RTM");
  plan.RemoveToQuay = 1;
  auto press = [&](const std::string& cell) {
    plan.EditorOperation = kOpLoad;
    editor.State.ClearPressGuards();
    return editor.CellClick(Cell(cell), false);
  };

  list.ChooseGroup(5);
  EXPECT_EQ(list.GroupCount(5), 1);
  EXPECT_EQ(list.Count20(), 3);
  ASSERT_TRUE(press("010082"));
  EXPECT_EQ(plan.Cur()[Cell("010082")].CONTAINER, "RFRU 0000001");
  EXPECT_EQ(list.GroupCount(5), 0);
  // The group is empty: the next press places nothing at all, also when
  // nothing would refuse an empty record.
  plan.CheckOnPlace = 0;
  EXPECT_FALSE(press("010182"));
  EXPECT_TRUE(IsFreeRecord(plan.Cur()[Cell("010182")]));

  list.ChooseGroup(0);
  ASSERT_TRUE(press("010182"));
  ASSERT_TRUE(press("010282"));
  EXPECT_EQ(plan.Cur()[Cell("010182")].CONTAINER + plan.Cur()[Cell("010282")].CONTAINER,
            "DRYU 0000001DRYU 0000002");
  EXPECT_EQ(QuayNumbers(), std::vector<std::string>{"OTHU 0000001"});

  // Undone, the unit is on the quay again and in its group; redone, on board.
  ASSERT_TRUE(editor.Undo());
  EXPECT_TRUE(IsFreeRecord(plan.Cur()[Cell("010282")]));
  EXPECT_EQ(QuayNumbers(), (std::vector<std::string>{"DRYU 0000002", "OTHU 0000001"}));
  list.ApplyQuayGroup();
  EXPECT_EQ(list.GroupCount(0), 1);
  ASSERT_TRUE(editor.Redo());
  EXPECT_EQ(plan.Cur()[Cell("010282")].CONTAINER, "DRYU 0000002");
  EXPECT_EQ(QuayNumbers(), std::vector<std::string>{"OTHU 0000001"});
}

TEST_F(LoadingListTest, TheLastUnitTakenEmptiesTheQuayAndUndoBringsItBack) {
  ASSERT_TRUE(PutToQuay(plan, Unit("LSTU 0000011", "HAM", "RTM")));
  EditorCommands editor(ctx);
  list.Connect(editor);
  list.RefreshQuayRoutes();
  plan.RemoveToQuay = 1;
  plan.EditorOperation = kOpLoad;
  ASSERT_TRUE(editor.CellClick(Cell("010082"), false));
  EXPECT_EQ(plan.QuayCount, 0);
  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(QuayNumbers(), std::vector<std::string>{"LSTU 0000011"});
  EXPECT_EQ(plan.QuayLive, 1);
}

TEST_F(LoadingListTest, TheListShowsTheChosenGroupInTextOrderOrHeaviestFirst) {
  for (const StructDat& unit :
       {Unit("BBBU 0000002", "HAM", "RTM", "20", 25), Unit("CCCU 0000003", "HAM", "RTM", "20", 10),
        Unit("AAAU 0000001", "HAM", "RTM", "20", 18), Unit("EMPU 0000001", "HAM", "RTM", "20", 2)})
    ASSERT_TRUE(PutToQuay(plan, unit));
  plan.Dat[kQuayPlane][3].MTY = 1;  // an empty: another group
  list.RefreshQuayRoutes();
  auto records = [this] {
    std::vector<int> order;
    for (const LoadingList::Line& line : list.Lines) order.push_back(line.record);
    return order;
  };
  list.ChooseGroup(0);
  EXPECT_EQ(records(), (std::vector<int>{2, 0, 1}));  // by container number, the first column
  EXPECT_EQ(list.Title.substr(0, 13), "CONTAINER    ");
  ASSERT_EQ(list.Lines[0].text.size(), list.Title.size());
  EXPECT_EQ(list.Lines[0].text.substr(0, 13), "AAAU 0000001 ");
  list.SetSortByTons(true);
  EXPECT_EQ(records(), (std::vector<int>{0, 2, 1}));
  list.ChooseGroup(4);
  EXPECT_EQ(records(), std::vector<int>{3});
}

TEST_F(LoadingListTest, RemovalCommandsTakeWhatTheyNameOffTheQuay) {
  struct Case {
    const char* command;
    std::function<int(LoadingList& list)> run;
    int removed;
    std::vector<std::string> left;
  };
  const std::vector<Case> cases = {
      {"Remove One", [](LoadingList& l) { return l.RemoveOne(); }, 1, {"DRYU 0000002", "OTHU 0000001"}},
      {"Remove group", [](LoadingList& l) { return l.RemoveGroup(); }, 2, {"OTHU 0000001"}},
      {"Remove row", [](LoadingList& l) { return l.RemoveRoute(); }, 2, {"OTHU 0000001"}},
      {"Remove Selected",
       [](LoadingList& l) {
         l.Lines[1].selected = true;
         return l.RemoveSelected();
       },
       1,
       {"DRYU 0000001", "OTHU 0000001"}},
      {"Remove ALL", [](LoadingList& l) { return l.RemoveAll(); }, 2, {"OTHU 0000001"}},
      {"Empty quay",
       [this](LoadingList& l) {
         const int live = plan.QuayLive;
         l.EmptyQuay();
         return live - std::max(plan.QuayLive, 0);
       },
       3,
       {}},
  };
  for (const Case& c : cases) {
    ClearQuay(plan);
    for (const StructDat& unit : {Unit("DRYU 0000001", "HAM", "RTM"), Unit("DRYU 0000002", "HAM", "RTM"),
                                  Unit("OTHU 0000001", "HAM", "GOA")})
      ASSERT_TRUE(PutToQuay(plan, unit));
    list.RefreshQuayRoutes();
    ASSERT_EQ(list.Lines.size(), 2u);
    EXPECT_EQ(c.run(list), c.removed) << c.command;
    EXPECT_EQ(QuayNumbers(), c.left) << c.command;
    EXPECT_EQ(plan.QuayLive, static_cast<int>(c.left.size())) << c.command;
  }
}

TEST_F(LoadingListTest, ReloadPutsDischargedUnitsBackWhereTheyCameFrom) {
  Place("010082", Unit("AAAU 0000001", "HAM", "RTM"));
  Place("030182", Unit("BBBU 0000002", "HAM", "RTM"));
  Place("050082", Unit("CCCU 0000003", "HAM", "GOA"));
  plan.RemoveToQuay = 1;
  for (const char* cell : {"010082", "030182", "050082"}) ASSERT_TRUE(RemoveUnit(ctx, Cell(cell)));
  EditorCommands editor(ctx);
  list.Connect(editor);
  list.RefreshQuayRoutes();  // the route HAM RTM, group 0
  EXPECT_EQ(list.Reload(editor), 2);
  EXPECT_EQ(Board(),
            (std::map<std::string, std::string>{{"010082", "AAAU 0000001"}, {"030182", "BBBU 0000002"}}));
  EXPECT_EQ(QuayNumbers(), std::vector<std::string>{"CCCU 0000003"});
}

TEST_F(LoadingListTest, ScriptLoadsFromTheQuayByNumberOrTheNextUnit) {
  ASSERT_TRUE(PutToQuay(plan, Unit("LSTU 0000011", "HAM", "RTM")));
  ASSERT_TRUE(PutToQuay(plan, Unit("LSTU 0000022", "HAM", "GOA")));
  EditScript run(ctx);
  list.Connect(run.Editor());
  list.RefreshQuayRoutes();
  struct Step {
    std::string line;
    bool ok;
    std::string said;  // what it did, or why it was refused
  };
  const std::vector<Step> steps = {
      {"load-from-quay 010082 lstu0000022", true, "loaded LSTU 0000022 from the quay into 010082"},
      {"load-from-quay 010182 NOPU1234567", false, "no unit NOPU 1234567 on the quay"},
      {"load-from-quay 010082", false, "cell 010082 is not free"},
      {"load-from-quay 030282", true, "loaded LSTU 0000011 from the quay into 030282"},
      {"load-from-quay 050082", false, "the quay holds no unit"},
      {"undo", true, "undone"},
  };
  for (const Step& s : steps) {
    std::string said, reason;
    EXPECT_EQ(run.Run(s.line, said, reason), s.ok) << s.line << ": " << reason;
    EXPECT_EQ(s.ok ? said : reason, s.said) << s.line;
  }
  EXPECT_EQ(Board(), (std::map<std::string, std::string>{{"010082", "LSTU 0000022"}}));
  EXPECT_EQ(QuayNumbers(), std::vector<std::string>{"LSTU 0000011"});
}

}  // namespace

TEST_F(LoadingListTest, ToQuayPutsCopiesOfTheTemplateOnlyTheFirstNumbered) {
  struct Case {
    const char* what;
    double weight;
    std::string pol;
    int count;
    std::vector<std::string> numbers;  // on the quay afterwards
  };
  const std::vector<Case> cases = {
      {"three copies", 12.5, "HAM", 3, {"TPLU 0000001", "", ""}},
      {"under two tonnes", 1.9, "HAM", 3, {}},
      {"short POL", 12.5, "HA", 3, {}},
      {"no count", 12.5, "HAM", 0, {}},
      {"above the most", 12.5, "HAM", LoadingList::kMostToQuay + 1, {}},
  };
  for (const Case& c : cases) {
    ClearQuay(plan);
    list.RefreshQuayRoutes();
    StructDat unit = Unit("TPLU 0000001", c.pol, "RTM", "", c.weight);
    unit.TYP.clear();
    EXPECT_EQ(list.PutToQuay(unit, c.count), static_cast<int>(c.numbers.size())) << c.what;
    EXPECT_EQ(QuayNumbers(), c.numbers) << c.what;
    if (c.numbers.empty()) continue;
    EXPECT_EQ(QuayUnits()[1].TYP, "DV") << c.what;
    EXPECT_EQ(QuayUnits()[1].SIZ, "20") << c.what;
    ASSERT_GE(list.ChosenRoute, 0) << c.what;
    EXPECT_EQ(list.Routes[static_cast<size_t>(list.ChosenRoute)].text, "HAM RTM") << c.what;
    EXPECT_EQ(list.GroupCount(list.QuayGroup), 3) << c.what;
  }
}
