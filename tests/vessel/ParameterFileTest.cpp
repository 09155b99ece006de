#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "vessel/ParameterFile.h"

namespace {

using Lines = std::vector<std::string>;

// A data line with texts placed at 1-based columns, blanks between them, so
// the tests read like the column layouts of the sections.
std::string At(std::initializer_list<std::pair<int, std::string>> fields) {
  std::string line;
  for (const auto& [column, text] : fields) {
    if (line.size() < static_cast<size_t>(column - 1)) line.resize(static_cast<size_t>(column - 1), ' ');
    line.replace(static_cast<size_t>(column - 1), text.size(), text);
  }
  return line;
}

// "/*", the header of the section with its width, "*/".
Lines Section(const std::string& name, int width) {
  std::string header = "--" + name + "  " + std::to_string(width);
  return {"/*", header, "*/"};
}

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class ParameterFileTest : public ::testing::Test {
 protected:
  void Read(const Lines& lines) {
    reader.ClearTables();
    reader.ReadLines(lines);
  }
  std::unique_ptr<PlanData> plan = CreatePlanData();
  std::vector<std::string> totals;
  ParameterFileReader reader{*plan, totals};
};

// --- grammar ---------------------------------------------------------------

struct GrammarCase {
  const char* name;
  Lines lines;
  std::vector<std::string> messages;  // the STR table afterwards
};

TEST_F(ParameterFileTest, GrammarCases) {
  const std::vector<GrammarCase> cases = {
      {"section with header and data", {"/*", "--STR  20", "some comment", "*/", "01First"}, {"First"}},
      // The reader starts in comment state: data before any "*/" is comment.
      {"no */ before the first data", {"--STR  20", "01First", "02Second"}, {}},
      // Outside a comment block "--" is data of the current section.
      {"-- outside a comment block", {"/*", "--STR  20", "*/", "--TYP  40", "02After"}, {"TYP  40", "After"}},
      // "/*" clears the section: the data after the next "*/" belongs to none.
      {"/* clears the section", {"/*", "--STR  20", "*/", "01One", "/*", "*/", "02Orphan"}, {"One"}},
      {"header before its /* is lost", {"--STR  20", "/*", "*/", "01Orphan"}, {}},
      // A second header in the same comment block wins.
      {"last header wins", {"/*", "--TYP  40", "--STR  20", "*/", "01Msg"}, {"Msg"}},
      // Lines of 0 or 1 characters are skipped, even inside a section.
      {"short lines skipped", {"/*", "--STR  20", "*/", "", "x", "01Kept"}, {"Kept"}},
      {"*/ outside a comment is no data", {"/*", "--STR  20", "*/", "*/", "01Msg"}, {"Msg"}},
      {"unknown section read past", {"/*", "--ROL  30", "*/", "01Rolled", "/*", "--STR  20", "*/", "01Msg"},
       {"Msg"}},
      {"no section at all", {"*/", "01Nothing"}, {}},
  };
  for (const GrammarCase& c : cases) {
    SCOPED_TRACE(c.name);
    Read(c.lines);
    std::vector<std::string> got;
    for (int i = 0; i < plan->MessageCount; ++i) got.push_back(plan->Messages[i].substr(0, plan->Messages[i].find_last_not_of(' ') + 1));
    EXPECT_EQ(got, c.messages);
  }
}

TEST_F(ParameterFileTest, ShortLinesArePaddedToTheSectionWidth) {
  // Width 40: "GP" alone reads with blank CODE, TYPE and DESCR.
  Read(Join({Section("ISO", 40), {"GP"}}));
  ASSERT_EQ(plan->IsoCount, 1);
  EXPECT_EQ(plan->Isos[0].GROUP, "GP");
  EXPECT_EQ(plan->Isos[0].CODE, "  ");
  EXPECT_EQ(plan->Isos[0].DESCR, std::string(20, ' '));

  // Messages keep the padding: column 3 to the end of the padded line.
  Read(Join({Section("STR", 12), {"01Hi"}}));
  ASSERT_EQ(plan->MessageCount, 1);
  EXPECT_EQ(plan->Messages[0], "Hi        ");

  // A header without a width sets none: lines stay as they are and a column
  // beyond a line's end is simply empty.
  Read({"/*", "--TYP", "*/", At({{1, "RE"}, {4, "Reefer"}, {39, "1"}}), "HC"});
  ASSERT_EQ(plan->TypeCount, 2);
  EXPECT_EQ(plan->ReeferTypeCount, 1);
  EXPECT_EQ(plan->Types[1].ISO20, "");
}

TEST_F(ParameterFileTest, SizesDefaultWhenAFileHasNone) {
  Read({"/*", "--SIZ", "*/", "2"});  // a one-character line is no data
  ASSERT_EQ(plan->SizeCount, 3);
  EXPECT_EQ(plan->Sizes[0], "202");
  EXPECT_EQ(plan->Sizes[1], "404");
  EXPECT_EQ(plan->Sizes[2], "459");

  Read(Join({Section("SIZ", 10), {"20X", "45L"}}));
  ASSERT_EQ(plan->SizeCount, 2);
  EXPECT_EQ(plan->Sizes[1], "45L");
}

// --- the sections and their columns ---------------------------------------

TEST_F(ParameterFileTest, ReadsEverySectionByItsColumns) {
  Lines lines = Join({
      Section("ISO", 30),
      {At({{1, "RT"}, {3, "R1"}, {5, "RF"}, {9, "Reefer 1"}})},
      Section("TYP", 40),
      {At({{1, "RF"}, {4, "Reefer"}, {19, "22R1"}, {24, "42R1"}, {29, "45R1"}, {34, "L5R1"}, {39, "1"}}),
       At({{1, "DV"}, {4, "Dry van"}, {19, "22G1"}, {39, "0"}}),
       At({{1, "R"}, {4, "One letter"}, {39, "1"}})},
      Section("IMO", 105),
      {At({{1, "1.1"}, {4, "Explosives"}, {91, "255"}}), At({{1, "3"}, {4, "Flammable liquids"}, {91, "65535"}})},
      Section("SEG", 30),
      {At({{1, "1.1"}, {5, "14"}}), At({{1, "3"}, {5, "41"}})},
      Section("VES", 30),
      {At({{1, "Call sign"}, {22, "T"}, {23, "10"}, {25, "  3"}})},
      Section("VET", 10),
      {"CODE      ", "  VESSEL  "},
      Section("CSV", 20),
      {At({{1, " 7"}, {4, "N"}, {6, "  Weight  "}})},
      Section("LIS", 40),
      {At({{1, "12"}, {22, "  15"}, {29, "   4"}, {37, "C"}})},
      Section("STR", 60),
      {"00Message zero", "01Message one"},
      Section("TOT", 30),
      {"Totals label number one and more"},
      Section("DIM", 10),
      {At({{1, "6058.0"}, {7, " 0"}}), At({{1, "2438"}, {7, "19"}})},
      Section("LIM", 10),
      {At({{1, "0"}, {3, "0,15"}}), At({{1, "5"}, {3, "25"}})},
      Section("TRE", 30),
      {At({{1, " 3"}, {3, "7"}, {4, "Layout three"}})},
      Section("REP", 90),
      {At({{1, "12"}, {4, "34"}, {7, "5"}, {9, "6"}, {10, "7"}, {11, "Report twelve"}, {25, "11"}, {28, "22"},
           {79, "99"}})},
      Section("XLS", 10),
      {At({{1, " 4"}, {4, " AB "}})},
      Section("TRA", 20),
      {At({{1, "T"}, {3, " 22G0"}, {9, "22G1 "}})},
  });
  Read(lines);

  ASSERT_EQ(plan->IsoCount, 1);
  EXPECT_EQ(plan->Isos[0].GROUP, "RT");
  EXPECT_EQ(plan->Isos[0].CODE, "R1");
  EXPECT_EQ(plan->Isos[0].TYPE, "RF");
  EXPECT_EQ(plan->Isos[0].DESCR, Pad("Reefer 1", 20, false));

  ASSERT_EQ(plan->TypeCount, 3);
  EXPECT_EQ(plan->Types[0].TYP, "RF");
  EXPECT_EQ(plan->Types[0].DESCR, Pad("Reefer", 15, false));
  EXPECT_EQ(plan->Types[0].ISO20, "22R1");
  EXPECT_EQ(plan->Types[0].ISO40, "42R1");
  EXPECT_EQ(plan->Types[0].ISO45, "45R1");
  EXPECT_EQ(plan->Types[0].ISO48, "L5R1");
  EXPECT_EQ(plan->Types[2].TYP, "R ");  // as the columns give it
  ASSERT_EQ(plan->ReeferTypeCount, 2);
  EXPECT_EQ(plan->ReeferTypes[0], "RF");
  EXPECT_EQ(plan->ReeferTypes[1], "R");  // trimmed

  ASSERT_EQ(plan->ImoCount, 2);
  EXPECT_EQ(plan->Imos[0].CLASS, "1.1");
  EXPECT_EQ(plan->Imos[1].CLASS, "3  ");
  EXPECT_EQ(plan->Imos[1].TEXT.substr(0, 17), "Flammable liquids");
  EXPECT_EQ(plan->Imos[1].TEXT.size(), 86u);
  EXPECT_EQ(plan->Imos[0].VALUE, 255);
  EXPECT_EQ(plan->Imos[1].VALUE, 65535);

  EXPECT_EQ(reader.SegRows(), 2);
  EXPECT_EQ(plan->SegTable[0][0], 1);
  EXPECT_EQ(plan->SegTable[0][1], 4);
  EXPECT_EQ(plan->SegTable[1][0], 4);
  EXPECT_EQ(plan->SegTable[1][1], 1);
  EXPECT_EQ(plan->SegTable[1][2], 0);  // only ImoCount columns are read

  ASSERT_EQ(plan->VesParamCount, 1);
  EXPECT_EQ(plan->VesParams[0].CAPTION, Pad("Call sign", 21, false));
  EXPECT_EQ(plan->VesParams[0].KIND, "T");
  EXPECT_EQ(plan->VesParams[0].FORMAT, "10");
  EXPECT_EQ(plan->VesParams[0].INDEX, 3);

  ASSERT_EQ(plan->VetCount, 2);
  EXPECT_EQ(plan->Vet[0], "CODE");
  EXPECT_EQ(plan->Vet[1], "VESSEL");

  ASSERT_EQ(plan->CsvCount, 1);
  EXPECT_EQ(plan->CsvCols[0].COL, 7);
  EXPECT_EQ(plan->CsvCols[0].KIND, "N");
  EXPECT_EQ(plan->CsvCols[0].TEXT, "Weight");

  ASSERT_EQ(plan->LisCount, 1);
  EXPECT_EQ(plan->LisCols[0].COL, 12);
  EXPECT_EQ(plan->LisCols[0].POS, 15);
  EXPECT_EQ(plan->LisCols[0].LEN, 4);
  EXPECT_EQ(plan->LisCols[0].KIND, "C");

  ASSERT_EQ(plan->MessageCount, 2);
  EXPECT_EQ(plan->Messages[1].substr(0, 11), "Message one");

  ASSERT_EQ(totals.size(), 1u);
  EXPECT_EQ(totals[0], "Totals label number ");

  EXPECT_DOUBLE_EQ(plan->Dim[0], 6058.0);
  EXPECT_DOUBLE_EQ(plan->Dim[19], 2438.0);
  EXPECT_DOUBLE_EQ(plan->Lim[0], 0.15);
  EXPECT_DOUBLE_EQ(plan->Lim[5], 25.0);

  EXPECT_EQ(plan->TreCount, 4);
  EXPECT_EQ(plan->TreNames[3], Pad("Layout three", 22, false));
  EXPECT_EQ(plan->TreVal[3], 7);

  EXPECT_EQ(plan->RepCount, 13);
  EXPECT_EQ(plan->RepNames[12], Pad("Report twelve", 14, false));
  const auto& def = plan->RepDef[12];
  EXPECT_EQ(def[0], 34);
  EXPECT_EQ(def[1], 5);
  EXPECT_EQ(def[2], 6);
  EXPECT_EQ(def[24], 7);
  EXPECT_EQ(def[3], 11);
  EXPECT_EQ(def[4], 22);
  EXPECT_EQ(def[21], 99);  // column 25 + 18 * 3 = 79

  ASSERT_EQ(plan->XlsCount, 1);
  EXPECT_EQ(plan->Xls[0].COL, 4);
  EXPECT_EQ(plan->Xls[0].TEXT, "AB");

  ASSERT_EQ(plan->TraCount, 1);
  EXPECT_EQ(plan->Tra[0].KIND, "T");
  EXPECT_EQ(plan->Tra[0].FROM, "22G0");
  EXPECT_EQ(plan->Tra[0].TO, "22G1");
}

TEST_F(ParameterFileTest, IndexesOutsideTheirTablesAreDropped) {
  plan->Dim.fill(-7);
  plan->Lim.fill(-7);
  Read(Join({
      Section("DIM", 10),
      {At({{1, "1"}, {7, "20"}}), At({{1, "1"}, {7, "-1"}}), At({{1, "1"}, {7, "99"}})},
      Section("LIM", 10),
      {At({{1, "6"}, {3, "1"}}), At({{1, "-"}, {3, "1"}})},  // "-" alone reads as 0
      Section("TRE", 30),
      {At({{1, "16"}, {4, "x"}}), At({{1, "99"}, {4, "x"}}), At({{1, "-5"}, {4, "x"}})},
      Section("REP", 90),
      {At({{1, "80"}, {11, "x"}}), At({{1, "-1"}, {11, "x"}})},
  }));
  for (double d : plan->Dim) EXPECT_EQ(d, -7);
  EXPECT_DOUBLE_EQ(plan->Lim[0], 1.0);
  for (int i = 1; i < kLimSize; ++i) EXPECT_EQ(plan->Lim[i], -7);
  EXPECT_EQ(plan->TreCount, 0);
  EXPECT_EQ(plan->RepCount, 0);
}

TEST_F(ParameterFileTest, SegColumnsStopAtTheMatrixWidth) {
  Lines imo = Section("IMO", 10);
  for (int i = 0; i < kMaxImos; ++i) imo.push_back("C" + std::to_string(i));
  std::string row = "XXXX" + std::string(40, '3');
  Lines seg = Section("SEG", 60);
  for (int i = 0; i < kSegSize + 5; ++i) seg.push_back(row);
  plan->SegTable = {};
  Read(Join({imo, seg}));
  EXPECT_EQ(plan->ImoCount, kMaxImos);  // 30 classes, 25 matrix columns
  EXPECT_EQ(reader.SegRows(), kSegSize);
  for (const auto& r : plan->SegTable)
    for (int v : r) EXPECT_EQ(v, 3);
}

// Each table stops at its capacity: the first lines are kept, later ones
// dropped. Line i carries its number at the columns of one field.
TEST_F(ParameterFileTest, TablesStopAtTheirCapacities) {
  struct CapCase {
    const char* section;
    int capacity;
    int column;  // where the line number is written
    int digits;
    std::function<int(const PlanData&)> count;
    std::function<std::string(const PlanData&, int)> field;  // that field of entry i
  };
  const std::vector<CapCase> cases = {
      {"ISO", kMaxIsos, 9, 8, [](const PlanData& p) { return p.IsoCount; },
       [](const PlanData& p, int i) { return p.Isos[i].DESCR.substr(0, 8); }},
      {"TYP", kMaxTypes, 4, 8, [](const PlanData& p) { return p.TypeCount; },
       [](const PlanData& p, int i) { return p.Types[i].DESCR.substr(0, 8); }},
      {"IMO", kMaxImos, 4, 8, [](const PlanData& p) { return p.ImoCount; },
       [](const PlanData& p, int i) { return p.Imos[i].TEXT.substr(0, 8); }},
      {"SIZ", kMaxSizes, 1, 3, [](const PlanData& p) { return p.SizeCount; },
       [](const PlanData& p, int i) { return p.Sizes[i]; }},
      {"VES", kMaxVesParams, 1, 8, [](const PlanData& p) { return p.VesParamCount; },
       [](const PlanData& p, int i) { return p.VesParams[i].CAPTION.substr(0, 8); }},
      {"VET", kMaxVet, 1, 8, [](const PlanData& p) { return p.VetCount; },
       [](const PlanData& p, int i) { return p.Vet[i]; }},
      {"CSV", kMaxCsvCols, 6, 8, [](const PlanData& p) { return p.CsvCount; },
       [](const PlanData& p, int i) { return p.CsvCols[i].TEXT; }},
      {"LIS", kMaxLisCols, 22, 4, [](const PlanData& p) { return p.LisCount; },
       [](const PlanData& p, int i) { return Pad(std::to_string(p.LisCols[i].POS), 4, true, "0"); }},
      {"STR", kMessagesSize, 3, 8, [](const PlanData& p) { return p.MessageCount; },
       [](const PlanData& p, int i) { return p.Messages[i].substr(0, 8); }},
      {"XLS", kMaxXls, 4, 4, [](const PlanData& p) { return p.XlsCount; },
       [](const PlanData& p, int i) { return p.Xls[i].TEXT; }},
      {"TRA", kTraLoadLimit, 3, 5, [](const PlanData& p) { return p.TraCount; },
       [](const PlanData& p, int i) { return p.Tra[i].FROM; }},
  };
  for (const CapCase& c : cases) {
    SCOPED_TRACE(c.section);
    auto number = [&](int i) { return Pad(std::to_string(i), c.digits, true, "0"); };
    Lines lines = Section(c.section, 60);
    for (int i = 0; i < c.capacity + 5; ++i) lines.push_back(At({{c.column, number(i)}}));
    Read(lines);
    ASSERT_EQ(c.count(*plan), c.capacity);
    EXPECT_EQ(c.field(*plan, 0), number(0));
    EXPECT_EQ(c.field(*plan, c.capacity - 1), number(c.capacity - 1));
  }
}

TEST_F(ParameterFileTest, ReeferTypesStopAtTen) {
  Lines lines = Section("TYP", 40);
  for (int i = 0; i < 15; ++i) lines.push_back(At({{1, "R" + std::to_string(i % 10)}, {39, "1"}}));
  Read(lines);
  EXPECT_EQ(plan->TypeCount, 15);
  EXPECT_EQ(plan->ReeferTypeCount, kMaxReeferTypes);
}

TEST_F(ParameterFileTest, FurtherFilesAddToTheTablesUntilCleared) {
  Read(Join({Section("XLS", 10), {" 1 AAA"}, Section("TOT", 20), {"First"}}));
  reader.ReadLines(Join({Section("XLS", 10), {" 2 BBB"}}));
  ASSERT_EQ(plan->XlsCount, 2);
  EXPECT_EQ(plan->Xls[1].TEXT, "BBB");
  EXPECT_EQ(totals.size(), 1u);

  // A file that ends inside a comment does not carry its state into the next.
  reader.ReadLines({"/*", "--XLS  10"});
  reader.ReadLines({" 3 CCC"});
  EXPECT_EQ(plan->XlsCount, 2);

  reader.ClearTables();
  EXPECT_EQ(plan->XlsCount, 0);
  EXPECT_TRUE(totals.empty());
  EXPECT_EQ(reader.SegRows(), 0);
}

TEST_F(ParameterFileTest, ReadFileReportsTheFileAndKeepsTheTables) {
  TempDir dir;
  Read(Join({Section("XLS", 10), {" 1 AAA"}}));
  std::string error;
  EXPECT_FALSE(reader.ReadFile(dir.path() / "missing.txt", error));
  EXPECT_NE(error.find("missing.txt"), std::string::npos);
  EXPECT_EQ(plan->XlsCount, 1);

  const auto file = dir.Write("PARAM.txt", "/*\r\n--XLS  10\r\n*/\r\n 2 BBB\r\n");
  ASSERT_TRUE(reader.ReadFile(file, error)) << error;
  EXPECT_EQ(plan->XlsCount, 2);
}

TEST_F(ParameterFileTest, GarbageNeverOverrunsATable) {
  std::mt19937 random(12345);
  const char* headers[] = {"--ISO", "--TYP", "--IMO", "--SIZ", "--SEG", "--VES", "--VET", "--CSV", "--LIS",
                           "--STR", "--TOT", "--DIM", "--LIM", "--TRE", "--REP", "--XLS", "--TRA", "--ROL"};
  Lines lines;
  for (int i = 0; i < 20000; ++i) {
    const int pick = static_cast<int>(random() % 10);
    if (pick == 0) lines.push_back("/*");
    else if (pick == 1) lines.push_back(std::string(headers[random() % 18]) + "  " + std::to_string(random() % 1000));
    else if (pick == 2) lines.push_back("*/");
    else {
      std::string line(random() % 120, ' ');
      for (char& ch : line) ch = static_cast<char>(random() % 256);
      lines.push_back(line);
    }
  }
  Read(lines);
  EXPECT_LE(plan->IsoCount, kMaxIsos);
  EXPECT_LE(plan->TypeCount, kMaxTypes);
  EXPECT_LE(plan->ImoCount, kMaxImos);
  EXPECT_LE(plan->TraCount, kTraLoadLimit);
  EXPECT_LE(plan->MessageCount, kMessagesSize);
  EXPECT_LE(reader.SegRows(), kSegSize);
  EXPECT_LE(plan->TreCount, kMaxTre);
  EXPECT_LE(plan->RepCount, kMaxRepNames);

  Read({});
  EXPECT_EQ(plan->IsoCount, 0);
  EXPECT_EQ(plan->SizeCount, 3);
}

}  // namespace
