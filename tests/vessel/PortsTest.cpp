#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>

#include "BadFiles.h"
#include "ScriptedHost.h"
#include "TempDir.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "vessel/DbfTable.h"
#include "vessel/Ports.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct PortFields {
  std::string PORT, CODE, LETTER, COUNTRY;
  int WINCOLOR;
  bool operator==(const PortFields&) const = default;
};

std::vector<PortFields> Table(const PlanData& plan) {
  std::vector<PortFields> out;
  for (int i = 0; i < plan.PortCount; ++i) {
    const StructPor& p = plan.Ports[i];
    out.push_back({p.PORT, p.CODE, p.LETTER, p.COUNTRY, p.WINCOLOR});
  }
  return out;
}

class PortsTest : public ::testing::Test {
 protected:
  int Read(const std::string& content) {
    dir.Write("por.txt", content);
    return ReadPorts(*plan, dir.path(), host);
  }
  TempDir dir;
  ScriptedHost host;
  std::unique_ptr<PlanData> plan = CreatePlanData();
};

TEST_F(PortsTest, CommaAndSemicolonFilesReadAlike) {
  // Unsorted on purpose: entries follow the sorted order of the lines.
  ASSERT_EQ(Read("GENOA;GOA;GE;IT;2631720;\r\nANTWERP;ANR;AN;BE;255;\r\n"), 2);
  const auto semicolons = Table(*plan);
  ASSERT_EQ(Read("GENOA,GOA,GE,IT,2631720,\nANTWERP,ANR,AN,BE,255,\n"), 2);
  EXPECT_EQ(Table(*plan), semicolons);
  EXPECT_EQ(semicolons[0], (PortFields{"ANTWERP", "ANR", "AN", "BE", 255}));
  EXPECT_EQ(semicolons[1], (PortFields{"GENOA", "GOA", "GE", "IT", 2631720}));
  EXPECT_EQ(plan->Ports[0].STATE, 0);
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(PortsTest, FieldIsStoredOnlyWhenItsSeparatorFollows) {
  // A reload must not leave the previous table's fields in a short line's entry.
  ASSERT_EQ(Read("AAA;AAC;AL;IT;123;\r\nBBB;BBC;BL;FR;456;\r\n"), 2);
  ASSERT_EQ(Read("AAA;AAC;A\r\nBBB;BBC;BL;FR;456;extra;fields;\r\n"), 2);
  EXPECT_EQ(Table(*plan)[0], (PortFields{"AAA", "AAC", "", "", 0}));
  EXPECT_EQ(Table(*plan)[1], (PortFields{"BBB", "BBC", "BL", "FR", 456}));
}

TEST_F(PortsTest, NameWithCommaDoesNotTurnTheFileIntoACommaFile) {
  // "ABU DHABI, KHALIFA" sorts first; its comma comes before the first ";".
  AddOrUpdatePort(*plan, "KHL", "ABU DHABI, KHALIFA", "AE", "KF", false);
  AddOrUpdatePort(*plan, "GOA", "GENOA", "IT", "GE", false);
  AddOrUpdatePort(*plan, "XXX", "SEMI;COLON", "IT", "", false);
  ASSERT_TRUE(WritePorts(*plan, dir.path(), host));
  auto other = CreatePlanData();
  ASSERT_EQ(ReadPorts(*other, dir.path(), host), 3);
  EXPECT_EQ(other->Ports[0].PORT, "ABU DHABI, KHALIFA");
  EXPECT_EQ(other->Ports[0].CODE, "KHL");
  EXPECT_EQ(PortName(*other, "XXX"), "SEMI,COLON");  // a ";" in a name would split the line
  EXPECT_EQ(other->Ports[2].COUNTRY, "IT");
}

TEST_F(PortsTest, MoreThanTheLoadLimitKeepsTheLastLineInTheLastEntry) {
  std::string content;
  const int lines = kPortsLoadLimit + 3;
  for (int i = 0; i < lines; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%05d", i);
    content += std::string(name) + ";C" + std::to_string(i) + ";;XX;" + std::to_string(i + 1) + ";\r\n";
  }
  ASSERT_EQ(Read(content), kPortsLoadLimit);
  EXPECT_EQ(plan->PortCount, kPortsLoadLimit);
  EXPECT_EQ(plan->Ports[kPortsLoadLimit - 2].PORT, "P01998");
  EXPECT_EQ(plan->Ports[kPortsLoadLimit - 1].PORT, "P02002");
  EXPECT_EQ(plan->Ports[kPortsLoadLimit - 1].WINCOLOR, lines);
}

// A file that is no ports table is refused with its name, and the table in
// memory stays; an empty file is an empty table, as the writer leaves it;
// lines without a separator, and a last line cut off, are listed.
TEST_F(PortsTest, BadFilesAreToldFromGoodOnes) {
  const std::string good = "ANTWERP;ANR;AN;BE;1;\r\nGENOA;GOA;GE;IT;2;\r\n";
  const fs::path file = dir.path() / "por.txt";
  for (BadFile kind : AllBadFiles()) {
    SCOPED_TRACE(BadFileName(kind));
    ASSERT_EQ(Read(good), 2);
    host.errors.clear();
    host.warnings.clear();
    PlaceBadFile(kind, file, good, "just text\nmore text\n");
    int count = 0;
    {
      ReadAsNobody nobody(kind);
      count = ReadPorts(*plan, dir.path(), host);
    }
    if (kind == BadFile::Empty || kind == BadFile::CutOff) {
      EXPECT_TRUE(host.errors.empty());
      EXPECT_EQ(count, kind == BadFile::Empty ? 0 : 1);
      EXPECT_EQ(host.warnings.size(), kind == BadFile::Empty ? 0u : 1u);
      if (kind == BadFile::CutOff) {
        EXPECT_NE(host.warnings[0].find(file.string() + ": 1 line not read: line 2: the file ends inside this line"),
                  std::string::npos);
      }
      continue;
    }
    EXPECT_EQ(count, 2);
    ExpectRefused(host.errors, file, RefusalSays(kind, "", "not a ports table"));
    EXPECT_EQ(plan->Ports[1].CODE, "GOA");
  }
}

TEST_F(PortsTest, LinesWithoutASeparatorAreListedAndTheRestRead) {
  EXPECT_EQ(Read(";;;;;;;;;;\r\nGENOA;GOA;GE;IT;1;\r\njust text\r\n\r\nNO FINAL LINE END;NFE;NF;XX;1;"), 3);
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_NE(host.warnings[0].find("1 line not read: line 3: no field separator"), std::string::npos)
      << host.warnings[0];
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(PortsTest, WriteRewritesNewNamesSortsAndUsesSemicolons) {
  AddOrUpdatePort(*plan, "GOA", " *NEW* from BAPLIE", "IT", "GE", true);
  AddOrUpdatePort(*plan, "ANR", "ANTWERP", "BE", "AN", true);
  plan->Ports[1].WINCOLOR = 0;
  ASSERT_EQ(plan->PortsChanged, 1);
  ASSERT_TRUE(WritePorts(*plan, dir.path(), host));
  EXPECT_EQ(plan->PortsChanged, 0);
  EXPECT_EQ(plan->Ports[0].PORT, " IT GOA");
  EXPECT_EQ(ReadBytes(dir.path() / "por.txt"), " IT GOA;GOA;GE;IT;2631720;\r\nANTWERP;ANR;AN;BE;0;\r\n");
}

TEST_F(PortsTest, FileIsFoundWithoutRegardToCaseAndRewrittenInPlace) {
  dir.Write("POR.TXT", "GENOA;GOA;GE;IT;1;\r\n");
  ASSERT_EQ(ReadPorts(*plan, dir.path(), host), 1);
  SetPortColour(*plan, "GOA", 2);
  ASSERT_TRUE(WritePorts(*plan, dir.path(), host));
  EXPECT_EQ(ReadBytes(dir.path() / "POR.TXT"), "GENOA;GOA;GE;IT;2;\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(PortsTest, WriteFailureIsReportedAndNothingIsLost) {
  const fs::path missing = dir.path() / "no such folder";
  AddOrUpdatePort(*plan, "GOA", "GENOA", "IT", "", false);
  EXPECT_FALSE(WritePorts(*plan, missing, host));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("por.txt"), std::string::npos);
  EXPECT_EQ(plan->PortsChanged, 1);
  // A reload would drop the unsaved port: it keeps the table instead.
  EXPECT_EQ(ReadPorts(*plan, missing, host), 1);
  EXPECT_EQ(FindPort(*plan, "GOA"), 0);
  EXPECT_EQ(plan->PortsChanged, 1);
  // Once the file can be written, the reload writes first and reads it back.
  EXPECT_EQ(ReadPorts(*plan, dir.path(), host), 1);
  EXPECT_EQ(plan->PortsChanged, 0);
  EXPECT_EQ(plan->Ports[0].STATE, 0);
  EXPECT_EQ(ReadBytes(dir.path() / "por.txt"), "GENOA;GOA;GO;IT;2631720;\r\n");
}

TEST_F(PortsTest, UnreadableFileKeepsTheTableAndIsReported) {
  ASSERT_EQ(Read("GENOA;GOA;GE;IT;1;\r\n"), 1);
  fs::remove(dir.path() / "por.txt");
  fs::create_directory(dir.path() / "por.txt");  // exists, but is no file
  EXPECT_EQ(ReadPorts(*plan, dir.path(), host), 1);
  EXPECT_EQ(plan->PortCount, 1);
  ASSERT_FALSE(host.errors.empty());
  EXPECT_NE(host.errors[0].find("por.txt"), std::string::npos);
}

TEST_F(PortsTest, NoFileAndNoTableGiveAnEmptyTable) {
  EXPECT_EQ(ReadPorts(*plan, dir.path(), host), 0);
  EXPECT_EQ(plan->PortCount, 0);
  EXPECT_EQ(FindPort(*plan, "GOA"), -1);
  EXPECT_EQ(PortName(*plan, "GOA"), "GOA");
  EXPECT_EQ(AddVoyPort(*plan, "GOA"), -1);
  EXPECT_TRUE(host.errors.empty());
  EXPECT_FALSE(fs::exists(dir.path() / "por.txt"));
}

TEST_F(PortsTest, MissingFileIsCreatedFromTheLegacyTable) {
  struct Case {
    const char* what;
    std::vector<DbfField> fields;
    std::vector<std::vector<std::string>> rows;
    std::string expected;
  } cases[] = {
      {"usual columns",
       {{"CODE", 'C', 3}, {"PORT", 'C', 30}, {"LETTER", 'C', 2}, {"COUNTRY", 'C', 2}, {"WINCOLOR", 'N', 10}},
       {{"GOA", "GENOA", "GE", "IT", "2631720"}, {"ANR", "ANTWERP", "AN", "BE", "255"}},
       "ANTWERP;ANR;AN;BE;255;\r\nGENOA;GOA;GE;IT;2631720;\r\n"},
      // Columns found by name keep their place in the line whatever the
      // table's order; a missing one leaves its field empty.
      {"other order, no letter",
       {{"CODE", 'C', 3}, {"PORT", 'C', 30}, {"WINCOLOR", 'N', 10}, {"REMARK", 'C', 10}, {"COUNTRY", 'C', 2}},
       {{"GOA", "GENOA", "99", "x", "IT"}},
       "GENOA;GOA;;IT;99;\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir data;
    std::string error;
    {
      auto table = DbfTable::Create(data.path() / "POR.DBF", c.fields, error);
      ASSERT_TRUE(table) << error;
      for (size_t r = 0; r < c.rows.size(); ++r)
        for (size_t f = 0; f < c.rows[r].size(); ++f)
          ASSERT_TRUE(table->Write(static_cast<int>(r), static_cast<int>(f), c.rows[r][f]));
    }
    auto fresh = CreatePlanData();
    EXPECT_EQ(ReadPorts(*fresh, data.path(), host), static_cast<int>(c.rows.size()));
    EXPECT_EQ(ReadBytes(data.path() / "por.txt"), c.expected);
    EXPECT_EQ(PortName(*fresh, "GOA"), "GENOA");
  }
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(PortsTest, BrokenLegacyTableIsReportedAndGivesAnEmptyTable) {
  dir.Write("por.dbf", "not a table");
  EXPECT_EQ(ReadPorts(*plan, dir.path(), host), 0);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("por.dbf"), std::string::npos);
}

TEST_F(PortsTest, DecimalSeparatorDoesNotChangeTheFile) {
  struct RestoreFormat {
    NumberFormat saved = CurrentNumberFormat();
    ~RestoreFormat() { SetNumberFormat(saved); }
  } restore;
  ASSERT_EQ(Read("GENOA;GOA;GE;IT;2631720;\r\nANTWERP;ANR;AN;BE;-5;\r\nZERO;ZER;ZE;XX;0;\r\n"), 3);
  SetNumberFormat({',', '.'});
  ASSERT_TRUE(WritePorts(*plan, dir.path(), host));
  const std::string commaBytes = ReadBytes(dir.path() / "por.txt");
  SetNumberFormat({'.', ','});
  auto other = CreatePlanData();
  ASSERT_EQ(ReadPorts(*other, dir.path(), host), 3);
  EXPECT_EQ(Table(*other), Table(*plan));
  ASSERT_TRUE(WritePorts(*other, dir.path(), host));
  EXPECT_EQ(ReadBytes(dir.path() / "por.txt"), commaBytes);
}

TEST_F(PortsTest, FindPortAndPortName) {
  ASSERT_EQ(Read("GENOA   ;GOA;GE;IT;1;\r\nGOA PORT;GO ;;IN;2;\r\n"), 2);
  EXPECT_EQ(FindPort(*plan, "GOA"), 0);
  EXPECT_EQ(FindPort(*plan, "GO "), 1);
  EXPECT_EQ(FindPort(*plan, "GO"), -1);   // codes compare exactly
  EXPECT_EQ(FindPort(*plan, "goa"), -1);
  EXPECT_EQ(PortName(*plan, "GOA"), "GENOA");
  EXPECT_EQ(PortName(*plan, "XYZ"), "XYZ");
}

TEST_F(PortsTest, AddOrUpdatePort) {
  EXPECT_EQ(AddOrUpdatePort(*plan, "GOA", "", "IT", "  ", true), 1);
  EXPECT_EQ(plan->PortCount, 1);
  const StructPor& p = plan->Ports[0];
  EXPECT_EQ(p.PORT, "ITGOA");          // no name: country + code
  EXPECT_EQ(p.LETTER, "GO");           // no letter: the code's first two characters
  EXPECT_EQ(p.WINCOLOR, kDefaultPortColour);
  EXPECT_EQ(p.STATE, 2);
  EXPECT_EQ(plan->PortsChanged, 1);

  plan->PortsChanged = 0;
  plan->Ports[0].WINCOLOR = 77;
  EXPECT_EQ(AddOrUpdatePort(*plan, "GOA", "GENOVA", "IT", "GV", true), 0);
  EXPECT_EQ(p.PORT, "ITGOA");  // only if new: untouched
  EXPECT_EQ(plan->PortsChanged, 0);
  EXPECT_EQ(AddOrUpdatePort(*plan, "GOA", "GENOVA", "IT", "GV", false), 0);
  EXPECT_EQ(p.PORT, "GENOVA");
  EXPECT_EQ(p.LETTER, "GV");
  EXPECT_EQ(p.WINCOLOR, 77);  // an update keeps the colour
  EXPECT_EQ(plan->PortsChanged, 1);

  // The update dialog with a changed code adds a port and keeps the old one.
  EXPECT_EQ(AddOrUpdatePort(*plan, "GOB", "GENOVA", "IT", "GV", false), 1);
  EXPECT_EQ(plan->PortCount, 2);
  EXPECT_EQ(PortName(*plan, "GOA"), "GENOVA");
  EXPECT_EQ(PortName(*plan, "GOB"), "GENOVA");
}

TEST_F(PortsTest, AddOrUpdatePortStartsAFreshEntryAndStopsWhenFull) {
  plan->Ports[0] = {"OLD", "OLD PORT", "ZZ", "ZZ", 5, 1};  // left over beyond the count
  ASSERT_EQ(AddOrUpdatePort(*plan, "NEW", "NEW PORT", "IT", "NE", true), 1);
  EXPECT_EQ(plan->Ports[0].WINCOLOR, kDefaultPortColour);

  plan->PortCount = kMaxPorts;
  EXPECT_EQ(AddOrUpdatePort(*plan, "ONE", "ONE MORE", "IT", "", true), 0);
  EXPECT_EQ(plan->PortCount, kMaxPorts);
}

TEST_F(PortsTest, AddVoyPort) {
  ASSERT_EQ(Read("GENOA;GOA;;IT;1;\r\nANTWERP;ANR;AN;BE;2;\r\nQUAY;QY;;XX;3;\r\n"), 3);
  struct Case {
    const char* code;
    int index;
  } cases[] = {
      {"", -1}, {"GO", -1}, {" GO ", -1},  // two characters or fewer
      {"XYZ", -1},                         // unknown
      {"GOA", 0}, {"ANR", 1}, {"GOA", 0},
      {"GOAXX", 0},                        // only the first three characters count
      {"QY X", -1},                        // "QY " is not the code "QY"
  };
  for (const Case& c : cases) EXPECT_EQ(AddVoyPort(*plan, c.code), c.index) << '"' << c.code << '"';
  EXPECT_EQ(plan->VoyPortCount, 2);
  EXPECT_EQ(plan->VoyPorts[0].LETTER, "GE");  // none in the table: the name's first two characters
  EXPECT_EQ(plan->VoyPorts[0].WINCOLOR, 1);
  EXPECT_EQ(plan->VoyPorts[1].LETTER, "AN");
}

TEST_F(PortsTest, AddVoyPortRefusesOnceVoyPortsIsFull) {
  const auto code = [](int i) { return std::string{char('A' + i / 676), char('A' + i / 26 % 26), char('A' + i % 26)}; };
  for (int i = 0; i <= kMaxVoyPorts; ++i) AddOrUpdatePort(*plan, code(i), "", "XX", "", true);
  for (int i = 0; i < kMaxVoyPorts; ++i) ASSERT_EQ(AddVoyPort(*plan, code(i)), i);
  EXPECT_EQ(AddVoyPort(*plan, code(kMaxVoyPorts)), -1);
  EXPECT_EQ(plan->VoyPortCount, kMaxVoyPorts);
  EXPECT_EQ(AddVoyPort(*plan, code(5)), 5);  // registered ones are still found
}

TEST_F(PortsTest, SetPortColour) {
  ASSERT_EQ(Read("GENOA;GOA;GE;IT;1;\r\nANTWERP;ANR;AN;BE;2;\r\n"), 2);
  ASSERT_EQ(AddVoyPort(*plan, "GOA"), 0);
  SetPortColour(*plan, "GOA", 1);  // same colour: nothing changes
  EXPECT_EQ(plan->PortsChanged, 0);
  EXPECT_EQ(plan->Ports[1].STATE, 0);

  SetPortColour(*plan, "GOA", 99);
  EXPECT_EQ(plan->VoyPorts[0].WINCOLOR, 99);
  EXPECT_EQ(plan->Ports[1].WINCOLOR, 99);
  EXPECT_EQ(plan->Ports[1].STATE, 1);
  EXPECT_EQ(plan->PortsChanged, 1);

  AddOrUpdatePort(*plan, "ANR", "ANTWERPEN", "BE", "AN", false);
  SetPortColour(*plan, "ANR", 5);
  EXPECT_EQ(plan->Ports[0].STATE, 2);  // an edited port stays edited
  EXPECT_EQ(plan->Ports[0].WINCOLOR, 5);

  SetPortColour(*plan, "XYZ", 5);  // unknown: harmless
  EXPECT_EQ(plan->PortCount, 2);
}

TEST(DemoPorts, LoadsWithUniqueCodesAndWritesBackUnchanged) {
  const fs::path source = fs::path(ZUM4_SOURCE_DIR) / "data" / "demo" / "por.txt";
  const std::string original = ReadBytes(source);
  ASSERT_FALSE(original.empty()) << source;
  TempDir dir;
  dir.Write("por.txt", original);
  ScriptedHost host;
  auto plan = CreatePlanData();
  const int count = ReadPorts(*plan, dir.path(), host);
  EXPECT_GE(count, 80);
  std::set<std::string> codes;
  for (int i = 0; i < count; ++i) {
    const StructPor& p = plan->Ports[i];
    SCOPED_TRACE(p.PORT);
    EXPECT_TRUE(codes.insert(p.CODE).second) << "duplicate code " << p.CODE;
    EXPECT_EQ(p.CODE.size(), 3u);
    EXPECT_EQ(p.COUNTRY.size(), 2u);
    EXPECT_TRUE(p.LETTER.size() == 1 || p.LETTER.size() == 2);
    EXPECT_GT(p.WINCOLOR, 0);
    EXPECT_LE(p.WINCOLOR, 0xFFFFFF);
  }
  ASSERT_TRUE(WritePorts(*plan, dir.path(), host));
  EXPECT_EQ(ReadBytes(dir.path() / "por.txt"), original);
  EXPECT_TRUE(host.errors.empty());
}

}  // namespace
