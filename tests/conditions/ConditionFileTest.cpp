// Condition files, temp.TXT, the quay file and the CSV exports, written and
// read back through the placement engine.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "BadFiles.h"
#include "ConditionFixture.h"
#include "conditions/UnitColumns.h"
#include "core/TextHelpers.h"
#include "planning/Quay.h"
#include "planning/UnitRules.h"

namespace {

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

int CountLinesContaining(const std::string& bytes, const std::string& text) {
  int n = 0;
  for (const std::string& line : Lines(bytes))
    if (line.find(text) != std::string::npos) ++n;
  return n;
}

// A line of 64 columns for a hand-written file.
std::string UnitLine(const std::string& position, const std::string& container, const std::string& pol,
                     const std::string& pod, const std::string& size, const std::string& weight,
                     const std::string& status = "1", char sep = '|') {
  UnitColumnTexts c;
  c[0] = position;
  c[1] = container;
  c[2] = pol;
  c[3] = pod;
  c[6] = weight;
  c[7] = "GP";
  c[8] = size;
  c[30] = status;
  std::string line = sep == '|' ? "C|" : "";
  for (const std::string& text : c) line += text + sep;
  return line;
}

// The fields in which two records differ, to read a failure by.
std::string Differences(const StructDat& a, const StructDat& b) {
  std::ostringstream out;
  auto owner = CreatePlanData();
  const UnitColumnTexts ca = UnitToColumns(*owner, a);
  const UnitColumnTexts cb = UnitToColumns(*owner, b);
  for (int c = 0; c < kUnitColumnCount; ++c)
    if (ca[c] != cb[c]) out << " column " << c << ": '" << ca[c] << "' vs '" << cb[c] << "'";
  if (a.POLIX != b.POLIX || a.PODIX != b.PODIX) out << " port indexes";
  if (a.SELECTED != b.SELECTED) out << " SELECTED " << a.SELECTED << " vs " << b.SELECTED;
  if (a.CHANGED != b.CHANGED) out << " CHANGED";
  if (a.BAYTXT != b.BAYTXT) out << " BAYTXT '" << a.BAYTXT << "' vs '" << b.BAYTXT << "'";
  if (a.OL_2 != b.OL_2 || a.COL62 != b.COL62 || a.EQA[5] != b.EQA[5]) out << " unstored fields";
  return out.str();
}

class ConditionFileTest : public ConditionTest {
 protected:
  // A mixed load: 20' and 40' units, a reefer, hazardous cargo, notes with
  // texts that clash with the file format, equipment, over-size.
  void LoadMixedCondition() {
    plan.ReeferTypes[0] = "RE";
    plan.ReeferTypeCount = 1;
    StructDat a = Unit("ZUMU1000001", "GOA", "HAM", "20", 14.25);
    a.IMO[0] = "3";
    a.UN[0] = "1203";
    a.IMO[1] = "6.1";
    a.NOTE_HAN = "keep away, from heat";
    a.NOTE_ZZZ = "A|B";
    a.COL61 = "12";
    a.WEIGHT_KIND = "VGM";
    Place("010082", a);
    StructDat b = Unit("ZUMU2000002", "GOA", "NYC", "40", 22.5);
    b.TYP = "RE";
    b.TEMP = -18;
    b.TEMP_2 = -16;
    b.EQA[0] = "EQAU1234567";
    Place("010182", b);  // covers 030182
    StructDat c = Unit("ZUMU3000003", "SIN", "HAM", "20", 8);
    c.OH = 30;
    c.MTY = 1;
    c.BOOKING = "BK 77";
    c.RESTOW_FROM = "050202";
    Place("050102", c);
    Place("030282", Unit("ZUMU4000004", "SIN", "NYC", "20", 0.5));
  }

  ConditionWriteResult Write(const std::string& name, bool asCsv = false, int plane = kCurPlane) {
    return file.WriteCondition(name, asCsv, plane);
  }
};

TEST_F(ConditionFileTest, ReadWriteReadGivesTheSameUnitsAndTheSameBytes) {
  LoadMixedCondition();
  const WeightItem loaded = stability.Displacement();
  const std::vector<StructDat> placed = CellRecords();
  ASSERT_TRUE(Write("DGOA003W.TXT").written);
  const std::string first = ReadBytes(CondPath("DGOA003W.TXT"));

  ASSERT_TRUE(file.ReadCondition(CondPath("DGOA003W.TXT"), kCurPlane, false));
  EXPECT_TRUE(file.SkippedLines().empty());
  const std::vector<StructDat> read = CellRecords();
  EXPECT_EQ(stability.Displacement(), loaded);
  ASSERT_TRUE(Write("DGOA003W.TXT").written);
  EXPECT_EQ(ReadBytes(CondPath("DGOA003W.TXT")), first);
  ASSERT_TRUE(file.ReadCondition(CondPath("DGOA003W.TXT"), kCurPlane, false));
  EXPECT_EQ(CellRecords(), read);

  // Against what was placed: the same units, but for the change marks of
  // the editor and the texts that could not stand in the file as they were.
  for (int i = 0; i < plan.CellCount; ++i) {
    StructDat expected = placed[i];
    StructDat actual = read[i];
    expected.CHANGED = actual.CHANGED = 0;
    // The reader fills in the bay digits of the unit's own cell (the one
    // 40' unit here stands in bay 01).
    if (expected.STATUS != 0) expected.BAYTXT = expected.STATUS > 0 ? expected.POSITION.substr(0, 2) : "01";
    if (expected.CONTAINER == "ZUMU1000001") {
      EXPECT_EQ(actual.NOTE_HAN, "keep away. from heat");
      EXPECT_EQ(actual.NOTE_ZZZ, "A/B");
      expected.NOTE_HAN = actual.NOTE_HAN;
      expected.NOTE_ZZZ = actual.NOTE_ZZZ;
    }
    EXPECT_EQ(actual, expected) << plan.Cells[i].CELL << Differences(actual, expected);
  }
  EXPECT_EQ(plan.ConditionModified, 0);
}

TEST_F(ConditionFileTest, AFortyFootUnitHasOneLineAndBothCellsComeBack) {
  LoadMixedCondition();
  ASSERT_TRUE(Write("DGOA003W.TXT").written);
  const std::string bytes = ReadBytes(CondPath("DGOA003W.TXT"));
  EXPECT_EQ(CountLinesContaining(bytes, "ZUMU2000002"), 1);
  EXPECT_EQ(CountLinesContaining(bytes, "|030182|"), 0);
  ASSERT_TRUE(file.ReadCondition(CondPath("DGOA003W.TXT"), kCurPlane, false));
  EXPECT_EQ(plan.Cur()[Cell("010182")].STATUS, 1);
  EXPECT_EQ(plan.Cur()[Cell("030182")].STATUS, -1);
  EXPECT_EQ(plan.Cur()[Cell("030182")].CONTAINER, "ZUMU2000002");
}

TEST_F(ConditionFileTest, LayoutOfTheLines) {
  LoadMixedCondition();
  ASSERT_TRUE(Write("DGOA003W.TXT").written);
  const std::vector<std::string> lines = Lines(ReadBytes(CondPath("DGOA003W.TXT")));
  ASSERT_EQ(lines.size(), 5u);  // header and four units
  const WeightItem d = stability.Displacement();
  EXPECT_EQ(lines[0], "A|ZUM VOYAGER|DGOA003W.TXT|" + FormatFixed(d.Tonnes(), 3) + "|" + FormatFixed(d.Lcg(), 3) +
                          "|" + FormatFixed(d.Vcg(), 3) + "|10|");
  const std::string& c = lines[1];
  EXPECT_EQ(c.substr(0, 37), "C|010082|ZUMU1000001|GOA|HAM|||14.25|");
  EXPECT_EQ(std::count(c.begin(), c.end(), '|'), 65);
  // FL2 5 and FL3 0, columns 25..28 and COL29 empty, STATUS 1, BUNDLES 0.
  EXPECT_NE(c.find("|5|0||||||1|0|"), std::string::npos);
  EXPECT_EQ(c.substr(c.size() - 5), "|VGM|");
}

TEST_F(ConditionFileTest, LineEndsOfEveryKindReadAlike) {
  const std::vector<std::string> lines = {"A|ZUM VOYAGER|DHAM007E.TXT|0|0|0|13|",
                                          UnitLine("010082", "ZUMU1000001", "HAM", "GOA", "20", "11.5"),
                                          UnitLine("010182", "ZUMU2000002", "HAM", "SIN", "40", "20,25")};
  std::vector<std::vector<StructDat>> results;
  for (const char* end : {"\r\n", "\n", "\r"}) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + end;
    WriteBytes(CondPath("DHAM007E.TXT"), bytes);
    ASSERT_TRUE(file.ReadCondition(CondPath("DHAM007E.TXT"), kCurPlane, false));
    EXPECT_TRUE(file.SkippedLines().empty());
    EXPECT_EQ(plan.Cur()[Cell("010182")].WEIGHT, 20.25);
    EXPECT_EQ(plan.LoadLineZone, 3);
    results.push_back(CellRecords());
  }
  EXPECT_EQ(results[0], results[1]);
  EXPECT_EQ(results[0], results[2]);
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "HAM");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Voy], "007E");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "D");
  EXPECT_EQ(plan.PlaneTitle[kCurPlane], "HAM / 007E Departure");
  EXPECT_EQ(plan.PlaneTitle[kVoyPlane], "007E");
}

TEST_F(ConditionFileTest, ACommaInATextReadsAsAPoint) {
  std::string line = UnitLine("010082", "ZUMU1000001", "HAM", "GOA", "20", "11,5");
  line.replace(line.find("|GP|"), 4, "|G,P|");
  WriteBytes(CondPath("AHAM007E.TXT"), "A|V|AHAM007E.TXT|0|0|0|10|\r\n" + line + "\r\nN|ZUMU1000001|one, two|\r\n");
  ASSERT_TRUE(file.ReadCondition(CondPath("AHAM007E.TXT"), kCurPlane, false));
  const StructDat& unit = plan.Cur()[Cell("010082")];
  EXPECT_EQ(unit.WEIGHT, 11.5);
  EXPECT_EQ(unit.TYP, "G.P");
  EXPECT_EQ(unit.NOTE_HAN, "one. two");
}

struct DepartureCase {
  const char* type;
  const char* pol;
  const char* pod;
  bool removed;
};

TEST_F(ConditionFileTest, SavingRemovesTheUnitsNotOnBoardInThatCondition) {
  const DepartureCase cases[] = {
      {"D", "SIN", "GOA", true},  {"P", "SIN", "GOA", true},  {"B", "SIN", "GOA", true},
      {"A", "SIN", "GOA", false}, {"A", "GOA", "HAM", true},  {"D", "GOA", "HAM", false},
      {"D", "GOA", "GOA", false}, {"A", "GOA", "GOA", false}, {"D", "SIN", "HAM", false},
  };
  for (const DepartureCase& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + c.pol + "-" + c.pod);
    for (int i = 0; i < plan.CellCount; ++i) plan.Cur()[i].SELECTED = 1;
    ClearAllUnits(ctx);
    SetCondition("GOA", "003W", c.type);
    StructDat unit = Unit("ZUMU5000005", c.pol, c.pod, "40", 20);
    unit.SELECTED = 0;  // not in the current selection: removed all the same
    Place("010082", unit);
    Place("050082", Unit("ZUMU6000006", "SIN", "NYC", "20", 10));
    const WeightItem other = [&] {
      Stability alone(plan);
      alone.AddUnit(Cell("050082"), true, +1);
      return alone.Items[kContainersItem];
    }();
    const std::string name = std::string(c.type) + "GOA003W.TXT";
    ASSERT_TRUE(Write(name).written);
    const std::string bytes = ReadBytes(CondPath(name));
    EXPECT_EQ(CountLinesContaining(bytes, "ZUMU5000005"), c.removed ? 0 : 1);
    EXPECT_EQ(plan.Cur()[Cell("010082")].STATUS, c.removed ? 0 : 1);
    EXPECT_EQ(plan.Cur()[Cell("030082")].STATUS, c.removed ? 0 : -1);
    EXPECT_EQ(plan.QuayCount, 0);  // a save sends nothing to the quay
    if (c.removed) {
      EXPECT_EQ(stability.Items[kContainersItem], other);
      // The header counts only what the file holds.
      EXPECT_NE(Lines(bytes)[0].find("|10.000|"), std::string::npos) << Lines(bytes)[0];
    }
  }
}

TEST_F(ConditionFileTest, CommaLocaleWritesPointsAndReadsTheSameUnderEither) {
  Place("010082", Unit("ZUMU1000001", "GOA", "HAM", "20", 12.345));
  Place("010182", Unit("ZUMU2000002", "GOA", "HAM", "40", 0.1 + 0.2));
  plan.Cur()[plan.UnitInHandIndex] = StructDat{};
  const std::vector<StructDat> placed = CellRecords();
  SetNumberFormat(NumberFormat{',', '.'});
  plan.RemoveToQuay = 1;
  ASSERT_TRUE(Write("DGOA003W.TXT").written);
  EXPECT_EQ(DecimalSeparator(), ',');
  const std::string bytes = ReadBytes(CondPath("DGOA003W.TXT"));
  EXPECT_EQ(bytes.find(','), std::string::npos);
  EXPECT_NE(bytes.find("|12.345|"), std::string::npos);
  EXPECT_NE(Lines(bytes)[0].find('.'), std::string::npos);

  for (NumberFormat format : {NumberFormat{',', '.'}, NumberFormat{'.', ','}}) {
    SetNumberFormat(format);
    ASSERT_TRUE(file.ReadCondition(CondPath("DGOA003W.TXT"), kCurPlane, false));
    for (int i = 0; i < plan.CellCount; ++i) EXPECT_EQ(plan.Cur()[i].WEIGHT, placed[i].WEIGHT);
    EXPECT_EQ(plan.RemoveToQuay, 1);
    EXPECT_EQ(plan.QuayCount, 0);  // the units read over went nowhere
  }
}

TEST_F(ConditionFileTest, HeaderTotalsAreZeroTextsWhenNothingWeighs) {
  ASSERT_TRUE(Write("DGOA003W.TXT").written);
  EXPECT_EQ(Lines(ReadBytes(CondPath("DGOA003W.TXT")))[0], "A|ZUM VOYAGER|DGOA003W.TXT|0|0|0|10|");
  plan.LoadLineZone = 4;
  Place("050082", Unit("ZUMU6000006", "SIN", "NYC", "20", 10));
  ASSERT_TRUE(Write("DGOA003W.TXT").written);
  // Cell 050082 stands at LCG 34 and VCG 2 in the fixture.
  EXPECT_EQ(Lines(ReadBytes(CondPath("DGOA003W.TXT")))[0], "A|ZUM VOYAGER|DGOA003W.TXT|10.000|34.000|2.000|14|");
  plan.LoadLineZone = 0;
  ASSERT_TRUE(file.ReadCondition(CondPath("DGOA003W.TXT"), kCurPlane, false));
  EXPECT_EQ(plan.LoadLineZone, 4);
  EXPECT_EQ(plan.SeaDensity, 1.000);
  EXPECT_EQ(file.HeaderTotals.displacement, 10.0);
  EXPECT_EQ(file.HeaderTotals.lcg, 34.0);
}

// The totals a file was saved with reach the stability, which names them
// only when the sums read back do not come to the same.
TEST_F(ConditionFileTest, SavedTotalsAreNamedOnlyWhenTheSumsDiffer) {
  Place("050082", Unit("ZUMU6000006", "SIN", "NYC", "20", 10));
  ASSERT_TRUE(Write("DGOA003W.TXT").written);
  ASSERT_TRUE(file.ReadCondition(CondPath("DGOA003W.TXT"), kCurPlane, false));
  EXPECT_EQ(stability.Saved.W, 10.0);
  EXPECT_EQ(stability.SavedTotalsNote(), "");

  // The same file as another version of the vessel's data saved it.
  std::string bytes = ReadBytes(CondPath("DGOA003W.TXT"));
  const std::string header = "|10.000|34.000|2.000|";
  ASSERT_NE(bytes.find(header), std::string::npos);
  bytes.replace(bytes.find(header), header.size(), "|12.000|34.000|2.000|");
  WriteBytes(CondPath("DGOA003W.TXT"), bytes);
  ASSERT_TRUE(file.ReadCondition(CondPath("DGOA003W.TXT"), kCurPlane, false));
  EXPECT_EQ(stability.SavedTotalsNote(), "Saved with 12.0 t, LCG 34.00 m, VCG 2.00 m");
}

TEST_F(ConditionFileTest, TempFileKeepsTheOpenConditionsName) {
  Place("050082", Unit("ZUMU6000006", "SIN", "NYC", "20", 10));
  ASSERT_TRUE(Write("temp.TXT").written);
  EXPECT_TRUE(std::filesystem::exists(CondPath("temp.TXT")));
  SetCondition("HAM", "004E", "A");
  ASSERT_TRUE(file.ReadCondition(CondPath("temp.TXT"), kCurPlane, false));
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "HAM");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Voy], "004E");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "A");
  EXPECT_EQ(plan.Cur()[Cell("050082")].CONTAINER, "ZUMU6000006");
}

TEST_F(ConditionFileTest, SkippedLinesAreReportedWithTheirReason) {
  const std::string bytes = "A|V|DHAM007E.TXT|0|0|0|10|\r\n" +
                            UnitLine("010082", "ZUMU1000001", "HAM", "GOA", "20", "10") + "\r\n" +
                            UnitLine("990282", "ZUMU2000002", "HAM", "GOA", "20", "10") + "\r\n" +
                            UnitLine("030182", "ZUMU3000003", "HAM", "GOA", "20", "10", "-1") + "\r\n" +
                            UnitLine("050082", "ZUMU4000004", "HAM", "GOA", "40", "10") + "\r\n" +
                            UnitLine("010082", "ZUMU5000005", "HAM", "GOA", "20", "10") + "\r\n" +
                            "N|ZUMU9999999|note|\r\n" +
                            UnitLine("010282", "ZUMU6000006", "HAM", "GOA", "20", "10") + "\r\n";
  WriteBytes(CondPath("DHAM007E.TXT"), bytes);
  ASSERT_TRUE(file.ReadCondition(CondPath("DHAM007E.TXT"), kCurPlane, false));
  std::vector<std::string> texts;
  for (const SkippedLine& s : file.SkippedLines()) texts.push_back(s.Text());
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "line 3: position 990282 is not a cell of the vessel",
                       "line 4: status -1 is not a unit's own cell",
                       "line 5: refused by the stack rules (code 9)",
                       "line 6: position 010082 or its 40' partner cell is already taken",
                       "line 7: notes for unit ZUMU9999999, which is not on board",
                   }));
  // The rest of the file was read.
  EXPECT_EQ(plan.Cur()[Cell("010082")].CONTAINER, "ZUMU1000001");
  EXPECT_EQ(plan.Cur()[Cell("010282")].CONTAINER, "ZUMU6000006");
  EXPECT_EQ(plan.Cur()[plan.UnitInHandIndex], StructDat{});
  EXPECT_EQ(plan.BatchFlags[kBatchReadCondition], 0);
}

TEST_F(ConditionFileTest, NotesLinesFillBothCellsOfAFortyFootUnit) {
  const std::string bytes = "A|V|DHAM007E.TXT|0|0|0|10|\n" +
                            UnitLine("010182", "ZUMU2000002", "HAM", "GOA", "40", "10") +
                            "\nN|ZUMU2000002|han|clr|aaa|zzz|EQAU1111111|||||6.1|||||1234||\n";
  WriteBytes(CondPath("DHAM007E.TXT"), bytes);
  ASSERT_TRUE(file.ReadCondition(CondPath("DHAM007E.TXT"), kCurPlane, false));
  for (const char* name : {"010182", "030182"}) {
    const StructDat& unit = plan.Cur()[Cell(name)];
    EXPECT_EQ(unit.NOTE_HAN, "han") << name;
    EXPECT_EQ(unit.NOTE_ZZZ, "zzz") << name;
    EXPECT_EQ(unit.EQA[0], "EQAU1111111") << name;
    EXPECT_EQ(unit.IMO[1], "6.1") << name;
    EXPECT_EQ(unit.UN[1], "1234") << name;
    EXPECT_EQ(unit.FL2, 3) << name;  // recomputed: notes with equipment (4), then a second IMO class
  }
}

TEST_F(ConditionFileTest, TankLinesPassThroughARoundTrip) {
  const std::string bytes = "A|V|DHAM007E.TXT|0|0|0|10|\r\n" +
                            UnitLine("010082", "ZUMU1000001", "HAM", "GOA", "20", "10") +
                            "\r\nT|DB1P|123,5|\r\nT|FO2S|88|kept|\r\n";
  WriteBytes(CondPath("DHAM007E.TXT"), bytes);
  ASSERT_TRUE(file.ReadCondition(CondPath("DHAM007E.TXT"), kCurPlane, false));
  ASSERT_TRUE(Write("DHAM007E.TXT").written);
  const std::vector<std::string> lines = Lines(ReadBytes(CondPath("DHAM007E.TXT")));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2], "T|DB1P|123.5|");
  EXPECT_EQ(lines[3], "T|FO2S|88|kept|");
  // Another condition read brings its own tanks, not these.
  WriteBytes(CondPath("DSIN008E.TXT"), "A|V|DSIN008E.TXT|0|0|0|10|\r\n");
  ASSERT_TRUE(file.ReadCondition(CondPath("DSIN008E.TXT"), kCurPlane, false));
  EXPECT_TRUE(file.TankLines.empty());
}

TEST_F(ConditionFileTest, HeaderOnlyLeavesTheLoadedUnitsAlone) {
  Place("050082", Unit("ZUMU6000006", "SIN", "NYC", "20", 10));
  const WeightItem before = stability.Displacement();
  WriteBytes(CondPath("AHAM007E.TXT"), "A|V|AHAM007E.TXT|5|6|7|12|\r\n" +
                                           UnitLine("010082", "ZUMU1000001", "HAM", "GOA", "20", "10") + "\r\n");
  ASSERT_TRUE(file.ReadCondition(CondPath("AHAM007E.TXT"), kCurPlane, true));
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "HAM");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Voy], "007E");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "A");
  EXPECT_EQ(plan.Cur()[Cell("050082")].CONTAINER, "ZUMU6000006");
  EXPECT_EQ(plan.Cur()[Cell("010082")].STATUS, 0);
  EXPECT_EQ(stability.Displacement(), before);
  EXPECT_EQ(plan.LoadLineZone, 0);
  EXPECT_EQ(plan.BatchFlags[kBatchReadCondition], 0);
}

TEST_F(ConditionFileTest, MissingFileClearsOnlyTheWorkingConditionsName) {
  EXPECT_FALSE(file.ReadCondition(CondPath("DXXX001W.TXT"), kRefPlane, false));
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "GOA");
  EXPECT_FALSE(file.ReadCondition(CondPath("DXXX001W.TXT"), kCurPlane, false));
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Voy], "");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "");
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(ConditionFileTest, ReferenceDataSetGetsEachUnitAtItsCell) {
  Place("050082", Unit("ZUMU6000006", "SIN", "NYC", "20", 10));
  const StructDat hand = Unit("ZUMU7777777", "SIN", "NYC");
  plan.Cur()[plan.UnitInHandIndex] = hand;
  const std::vector<StructDat> working = CellRecords();
  plan.ConditionModified = 1;
  UnitColumnTexts member;
  member[0] = "010202";
  member[1] = "BDL010102";
  member[2] = "HAM";
  member[24] = "1";
  member[30] = "1";
  std::string memberLine = "C|";
  for (const std::string& t : member) memberLine += t + "|";
  WriteBytes(CondPath("AHAM007E.TXT"), "A|V|AHAM007E.TXT|0|0|0|10|\r\n" +
                                           UnitLine("020182", "ZUMU2000002", "HAM", "GOA", "40", "20") + "\r\n" +
                                           UnitLine("010102", "ZUMU1000001", "HAM", "GOA", "20", "10") + "\r\n" +
                                           memberLine + "\r\n");
  ctx.LoadingReference = true;
  ASSERT_TRUE(file.ReadCondition(CondPath("AHAM007E.TXT"), kRefPlane, false));
  ctx.LoadingReference = false;
  const StructDat& deck40 = plan.Dat[kRefPlane][Cell("010182")];
  EXPECT_EQ(deck40.CONTAINER, "ZUMU2000002");  // a 40' position names its fore 20' cell
  EXPECT_EQ(deck40.ONDECK, 1);
  EXPECT_EQ(plan.Dat[kRefPlane][Cell("010102")].ONDECK, 0);
  EXPECT_EQ(plan.Dat[kRefPlane][Cell("010102")].CONTAINER, "ZUMU1000001");
  EXPECT_EQ(plan.Dat[kRefPlane][Cell("010202")].STATUS, 0);  // bundle members stay out
  // The working condition, its unit in hand, name and state are untouched.
  EXPECT_EQ(CellRecords(), working);
  EXPECT_EQ(plan.Cur()[plan.UnitInHandIndex], hand);
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "GOA");
  EXPECT_EQ(plan.ConditionModified, 1);
}

TEST_F(ConditionFileTest, VoyageDataSetAppendsTheUnitsLoadedAtEachPort) {
  WriteBytes(CondPath("DHAM007E.TXT"), "A|V|DHAM007E.TXT|0|0|0|10|\r\n" +
                                           UnitLine("010082", "ZUMU1000001", "HAM", "GOA", "20", "10") + "\r\n" +
                                           UnitLine("010182", "ZUMU2000002", "SIN", "GOA", "40", "20") + "\r\n");
  WriteBytes(CondPath("DGOA007E.TXT"), "A|V|DGOA007E.TXT|0|0|0|10|\r\n" +
                                           UnitLine("050082", "ZUMU3000003", "GOA", "NYC", "20", "10") + "\r\n" +
                                           UnitLine("010082", "ZUMU1000001", "HAM", "GOA", "20", "10") + "\r\n");
  ctx.BuildingVoyage = true;
  ASSERT_TRUE(file.ReadCondition(CondPath("DHAM007E.TXT"), kVoyPlane, false));
  ASSERT_TRUE(file.ReadCondition(CondPath("DGOA007E.TXT"), kVoyPlane, false));
  ctx.BuildingVoyage = false;
  ASSERT_EQ(plan.VoyUnitCount, 2);
  EXPECT_EQ(plan.Dat[kVoyPlane][0].CONTAINER, "ZUMU1000001");
  EXPECT_EQ(plan.Dat[kVoyPlane][1].CONTAINER, "ZUMU3000003");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "GOA");  // the working condition keeps its name
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Voy], "003W");

  // A full voyage data set takes no more and says so.
  plan.VoyUnitCount = kMaxCells - 1;
  ctx.BuildingVoyage = true;
  WriteBytes(CondPath("DSIN007E.TXT"), "A|V|DSIN007E.TXT|0|0|0|10|\r\n" +
                                           UnitLine("050082", "ZUMU3000003", "SIN", "NYC", "20", "10") + "\r\n" +
                                           UnitLine("010082", "ZUMU1000001", "SIN", "GOA", "20", "10") + "\r\n");
  ASSERT_TRUE(file.ReadCondition(CondPath("DSIN007E.TXT"), kVoyPlane, false));
  EXPECT_EQ(plan.VoyUnitCount, kMaxCells);
  ASSERT_EQ(file.SkippedLines().size(), 1u);
  EXPECT_EQ(file.SkippedLines()[0].line, 3);
}

class CsvTest : public ConditionFileTest {
 protected:
  void SetUpCsv() {
    const StructCsv cols[] = {{1, "", "Container"}, {0, "", "Position"}, {6, "", "Weight"},
                              {13, "", "TMin"},     {99, "", "Reefer"},  {20, "B", "Empty"}};
    plan.CsvCount = 0;
    for (const StructCsv& c : cols) plan.CsvCols[plan.CsvCount++] = c;
  }
};

TEST_F(CsvTest, VoyageCsvStartsEveryLineWithVesselAndVoyage) {
  SetUpCsv();
  plan.ReeferTypes[0] = "RE";
  plan.ReeferTypeCount = 1;
  StructDat reefer = Unit("ZUMU1000001", "GOA", "HAM", "40", 20.5);
  reefer.TYP = "RE";
  reefer.TEMP = -18;
  reefer.POSITION = "010182";
  reefer.STATUS = 1;
  reefer.FL2 = 2;
  reefer.EQA[0] = "EQAU1234567";
  reefer.EQA[1] = "SHORT";
  StructDat dry = Unit("ZUMU2000002", "GOA", "HAM", "20", 10);
  dry.TEMP = 5;
  dry.MTY = 1;
  dry.POSITION = "050082";
  dry.STATUS = 1;
  StructDat unselected = dry;
  unselected.CONTAINER = "ZUMU3000003";
  unselected.SELECTED = 0;
  plan.Dat[kVoyPlane][0] = reefer;
  plan.Dat[kVoyPlane][1] = dry;
  plan.Dat[kVoyPlane][2] = unselected;
  plan.VoyUnitCount = 3;
  ASSERT_TRUE(Write("VG_003W.csv", true, kVoyPlane).written);
  const std::vector<std::string> lines = Lines(ReadBytes(dir.path() / "send" / "VG_003W.csv"));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "VOY,Container,Position,Weight,TMin,Reefer,Empty,",
                       // The attached unit's line shares the carrier's weight.
                       "ZUM003W,ZUMU1000001,02 01 82,10.25,-18,Reefer,,",
                       "ZUM003W,EQAU1234567,02 01 82,10.25,-18,Reefer,,",
                       "ZUM003W,ZUMU2000002,05 00 82,10,,,Empty,",
                   }));
}

TEST_F(CsvTest, CommaLocaleUsesSemicolonsAndKeepsItsDecimals) {
  SetUpCsv();
  Place("050082", Unit("ZUMU2000002", "GOA", "HAM", "20", 10.5));
  plan.Cur()[Cell("050082")].NOTE_HAN = "a;b";
  plan.CsvCols[5] = {32, "", "Note"};
  SetNumberFormat(NumberFormat{',', '.'});
  ASSERT_TRUE(Write("cntrs.csv", true, kCurPlane).written);
  const std::vector<std::string> lines = Lines(ReadBytes(dir.path() / "send" / "cntrs.csv"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Container;Position;Weight;TMin;Reefer;Note;");
  EXPECT_EQ(lines[1], "ZUMU2000002;05 00 82;10,5;;;a,b;");
  EXPECT_EQ(plan.ConditionModified, 1);  // an export is no save
}

TEST_F(ConditionFileTest, QuayFileRoundTripsUnderEitherLocale) {
  for (NumberFormat format : {NumberFormat{'.', ','}, NumberFormat{',', '.'}}) {
    SetNumberFormat(format);
    ClearQuay(plan);
    StructDat a = Unit("ZUMU1000001", "GOA", "HAM", "20", 12.75);
    a.NOTE_HAN = "x, y; z|w";
    a.POSITION = "010082";
    PutToQuay(plan, a);
    PutToQuay(plan, Unit("ZUMU2000002", "SIN", "HAM", "40", 30));
    PutToQuay(plan, Unit("ZUMU3000003", "SIN", "HAM", "40", 30));
    TakeFromQuay(plan, 2);  // taken: not written
    ASSERT_TRUE(Write("", false, kQuayPlane).written);
    const std::string bytes = ReadBytes(dir.path() / "QUA.TXT");
    EXPECT_EQ(Lines(bytes).size(), 2u);
    plan.Dat[kQuayPlane][0] = StructDat{};
    ASSERT_TRUE(file.ReadQuayFile());
    ASSERT_EQ(plan.QuayCount, 2);
    EXPECT_EQ(plan.QuayLive, 2);
    EXPECT_EQ(plan.Dat[kQuayPlane][0].WEIGHT, 12.75);
    EXPECT_EQ(plan.Dat[kQuayPlane][1].CONTAINER, "ZUMU2000002");
    const std::string note = plan.Dat[kQuayPlane][0].NOTE_HAN;
    EXPECT_EQ(note, format.decimal == ',' ? "x, y, z|w" : "x. y; z|w");
    EXPECT_EQ(plan.RouteCount, 2);
  }
}

TEST_F(ConditionFileTest, QuayFileWrittenFromItsOwnReadingIsTheSame) {
  // A position that held separators (a foreign file split at another
  // character) is written cleaned, with its bay digits taken from the text
  // written, so the next round gives the same bytes.
  StructDat odd = Unit("ZUMU1000001", "GOA", "HAM");
  odd.POSITION = "|01;0082,x ";
  PutToQuay(plan, odd);
  ASSERT_TRUE(Write("", false, kQuayPlane).written);
  const std::string first = ReadBytes(dir.path() / "QUA.TXT");
  EXPECT_EQ(first.substr(0, 12), "01 0082 x,ZU");
  ASSERT_TRUE(file.ReadQuayFile());
  ASSERT_TRUE(Write("", false, kQuayPlane).written);
  EXPECT_EQ(ReadBytes(dir.path() / "QUA.TXT"), first);
}

TEST_F(ConditionFileTest, AFailedWriteIsReportedAndKeepsTheConditionModified) {
  Place("050082", Unit("ZUMU6000006", "SIN", "NYC", "20", 10));
  ASSERT_EQ(plan.ConditionModified, 1);
  SetNumberFormat(NumberFormat{',', '.'});
  plan.Settings[SettingsIx::ConditionsSubdir] = "NO_SUCH_DIR";
  const ConditionWriteResult result = Write("DGOA003W.TXT");
  EXPECT_FALSE(result.written);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("DGOA003W.TXT"), std::string::npos);
  EXPECT_EQ(plan.ConditionModified, 1);
  EXPECT_EQ(plan.BatchFlags[kBatchWriteCondition], 0);
  EXPECT_EQ(DecimalSeparator(), ',');
}

TEST_F(ConditionFileTest, WriteTellsWhetherTheFileExisted) {
  EXPECT_FALSE(Write("DGOA003W.TXT").existedBefore);
  EXPECT_TRUE(Write("DGOA003W.TXT").existedBefore);
}

// A bad file is refused with its name and the reason, and the condition
// open before stays as it was; one cut off inside its last line is read
// without that line, which is listed.
TEST_F(ConditionFileTest, BadConditionFilesAreToldFromGoodOnes) {
  Place("010082", Unit("ZUMU1000001", "GOA", "HAM"));
  Place("030082", Unit("ZUMU2000002", "GOA", "HAM"));
  ASSERT_TRUE(Write("DGOA003W.TXT").written);
  const std::string good = ReadBytes(CondPath("DGOA003W.TXT"));
  const std::filesystem::path bad = CondPath("DSIN004W.TXT");
  for (BadFile kind : AllBadFiles()) {
    SCOPED_TRACE(BadFileName(kind));
    ASSERT_TRUE(file.ReadCondition(CondPath("DGOA003W.TXT"), kCurPlane, false));
    host.errors.clear();
    host.warnings.clear();
    const std::vector<StructDat> before = CellRecords();
    PlaceBadFile(kind, bad, good, "010082;0;10.5;12;0;999;2;\r\n");  // a cel.txt
    bool read = false;
    {
      ReadAsNobody nobody(kind);
      read = file.ReadCondition(bad, kCurPlane, false);
    }
    if (kind == BadFile::CutOff) {
      ASSERT_TRUE(read);
      ASSERT_EQ(host.warnings.size(), 1u);
      EXPECT_NE(host.warnings[0].find(bad.string() + ": 1 line not read: line 3: the file ends inside this line"),
                std::string::npos)
          << host.warnings[0];
      EXPECT_EQ(plan.Cur()[Cell("010082")].CONTAINER, "ZUMU1000001");
      EXPECT_EQ(plan.Cur()[Cell("030082")].STATUS, 0);
      continue;
    }
    EXPECT_FALSE(read);
    ExpectRefused(host.errors, bad, RefusalSays(kind, "is empty", "not a condition"));
    EXPECT_EQ(CellRecords(), before);
    EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "GOA");
    EXPECT_EQ(plan.PlaneTitle[kCurPlane], "GOA / 003W Departure");
  }
}

// The quay file likewise; an empty one is an empty quay, as the writer
// leaves it when the quay holds nothing.
TEST_F(ConditionFileTest, BadQuayFilesAreToldFromGoodOnes) {
  PutToQuay(plan, Unit("ZUMU1000001", "GOA", "HAM"));
  PutToQuay(plan, Unit("ZUMU2000002", "GOA", "HAM"));
  ASSERT_TRUE(Write("", false, kQuayPlane).written);
  const std::filesystem::path path = dir.path() / "QUA.TXT";
  const std::string good = ReadBytes(path);
  for (BadFile kind : AllBadFiles()) {
    SCOPED_TRACE(BadFileName(kind));
    dir.Write("QUA.TXT", good);
    ASSERT_TRUE(file.ReadQuayFile());
    host.errors.clear();
    host.warnings.clear();
    PlaceBadFile(kind, path, good, "001 002\r\n");  // a tra_bay.txt
    bool read = false;
    {
      ReadAsNobody nobody(kind);
      read = file.ReadQuayFile();
    }
    if (kind == BadFile::Empty || kind == BadFile::CutOff) {
      ASSERT_TRUE(read);
      EXPECT_TRUE(host.errors.empty());
      EXPECT_EQ(plan.QuayLive, kind == BadFile::Empty ? 0 : 1);
      EXPECT_EQ(host.warnings.size(), kind == BadFile::Empty ? 0u : 1u);
      continue;
    }
    EXPECT_FALSE(read);
    ExpectRefused(host.errors, path, RefusalSays(kind, "", "no line holds a field separator"));
    EXPECT_EQ(plan.QuayLive, 2);
    EXPECT_EQ(plan.Dat[kQuayPlane][1].CONTAINER, "ZUMU2000002");
  }
}

// Lines of no record type are listed, a condition with them still reads.
TEST_F(ConditionFileTest, LinesOfNoRecordTypeAreListedAndTheRestIsRead) {
  WriteBytes(CondPath("DHAM007E.TXT"), "A|V|DHAM007E.TXT|0|0|0|10|\r\nX|odd|\r\nfree text\r\n" +
                                           UnitLine("010082", "ZUMU1000001", "HAM", "GOA", "20", "10") + "\r\n\x1a");
  ASSERT_TRUE(file.ReadCondition(CondPath("DHAM007E.TXT"), kCurPlane, false));
  std::vector<int> lines;
  for (const SkippedLine& s : file.SkippedLines()) lines.push_back(s.line);
  EXPECT_EQ(lines, (std::vector<int>{2, 3}));
  EXPECT_EQ(plan.Cur()[Cell("010082")].CONTAINER, "ZUMU1000001");
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_NE(host.warnings[0].find("2 lines not read: line 2: not a line of a condition"), std::string::npos);
}

}  // namespace
