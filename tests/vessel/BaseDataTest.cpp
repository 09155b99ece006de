#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BadFiles.h"
#include "ScriptedHost.h"
#include "TempDir.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "vessel/BaseData.h"
#include "vessel/DbfTable.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// userpar.txt with the given settings, every other line empty.
std::string SettingsFile(std::initializer_list<std::pair<int, std::string>> values) {
  std::vector<std::string> settings(kSettingsSize);
  for (const auto& [index, value] : values) settings[static_cast<size_t>(index)] = value;
  std::string text;
  for (const auto& s : settings) text += s + "\r\n";
  return text;
}

// A parameter file: ISO, TYP, VET (VESSEL at 1, DIR at 33, CALL_SIGN at 3),
// STR and XLS sections.
std::string ParameterText() {
  std::string vet;
  for (int i = 0; i < 34; ++i) {
    std::string name = "F" + std::to_string(i);
    if (i == 1) name = "VESSEL";
    if (i == 3) name = "CALL_SIGN";
    if (i == 33) name = "DIR";
    vet += name + "\r\n";
  }
  return "/*\r\n--ISO  30\r\n*/\r\n"
         "GPG1DV  General purpose\r\n"
         "RTR1RF  Reefer\r\n"
         "UTU1OT  Open top\r\n"
         "PFP1PL  Platform\r\n"
         "/*\r\n--TYP  40\r\n*/\r\n"
         "DV Dry van        22G1 42G1 45G1 L5G1 0\r\n"
         "RF Reefer         22R1 42R1 45R1 L5R1 1\r\n"
         "/*\r\n--VET  10\r\n*/\r\n" +
         vet +
         "/*\r\n--STR  40\r\n*/\r\n"
         "00Message zero\r\n"
         "/*\r\n--TOT  20\r\n*/\r\n"
         "Containers\r\n"
         "/*\r\n--XLS  10\r\n*/\r\n"
         " 1 AAA\r\n";
}

class BaseDataTest : public ::testing::Test {
 protected:
  // An installation with settings and the parameter file, created.
  void Install(std::initializer_list<std::pair<int, std::string>> settings = {}) {
    dir.Write("userpar.txt", SettingsFile(settings));
    dir.Write("PARAM.txt", ParameterText());
    ASSERT_TRUE(base.CreateBaseData(dir.path()));
    ASSERT_TRUE(host.errors.empty());
  }
  Lines FileLines(const fs::path& file) {
    Lines lines;
    std::string error;
    EXPECT_TRUE(ReadTextLines(file, lines, error)) << error;
    return lines;
  }
  std::string Vessel(int k, int field) const { return plan->VesselList[k * kVesselListFields + field]; }

  TempDir dir;
  ScriptedHost host;
  std::unique_ptr<PlanData> plan = CreatePlanData();
  BaseData base{*plan, host};
};

// --- start-up --------------------------------------------------------------

TEST_F(BaseDataTest, CreateReadsSettingsAndTables) {
  dir.Write("userpar.txt",
            SettingsFile({{14, "cond"}, {50, "2"}, {51, "3"}, {113, "MYPAR"}, {8, "elsewhere"}}));
  dir.Write("param.TXT", ParameterText());  // found without regard to case
  dir.Write("XLS.TXT", "/*\r\n--XLS  10\r\n*/\r\n 2 BBB\r\n");
  dir.Write("tra.txt", "/*\r\n--TRA  20\r\n*/\r\nT 22G0  22G1\r\n");
  plan->PortsChanged = 1;
  ASSERT_TRUE(base.CreateBaseData(dir.path()));
  EXPECT_TRUE(host.errors.empty());

  EXPECT_EQ(plan->ProgramDir, dir.path().string());
  EXPECT_EQ(plan->Settings[8], dir.path().string());
  EXPECT_EQ(plan->DataDir, dir.path().string());
  EXPECT_EQ(plan->Settings[14], "COND");
  EXPECT_EQ(plan->Settings[113], "PARAM");  // MYPAR.txt does not exist
  EXPECT_EQ(plan->ColourMode, 2);
  EXPECT_EQ(plan->LetterMode, 3);
  EXPECT_EQ(plan->PortsChanged, 0);
  EXPECT_EQ(plan->IsoCount, 4);
  EXPECT_EQ(plan->TypeCount, 2);
  EXPECT_EQ(plan->ReeferTypeCount, 1);
  EXPECT_EQ(plan->VetCount, 34);
  ASSERT_EQ(plan->XlsCount, 2);  // XLS.TXT adds to the parameter file's table
  EXPECT_EQ(plan->Xls[1].TEXT, "BBB");
  EXPECT_EQ(plan->TraCount, 1);
  EXPECT_EQ(plan->SizeCount, 3);
  EXPECT_EQ(base.TotalsLabels, (Lines{Pad("Containers", 20, false)}));
}

TEST_F(BaseDataTest, CreateKeepsCdzAndANamedParameterFile) {
  dir.Write("userpar.txt", SettingsFile({{14, " CDZ "}, {113, "OWN"}}));
  dir.Write("OWN.txt", "/*\r\n--XLS  10\r\n*/\r\n 1 OWN\r\n");
  dir.Write("PARAM.txt", ParameterText());
  ASSERT_TRUE(base.CreateBaseData(dir.path()));
  EXPECT_EQ(plan->Settings[14], " CDZ ");
  EXPECT_EQ(plan->Settings[113], "OWN");
  ASSERT_EQ(plan->XlsCount, 1);
  EXPECT_EQ(plan->Xls[0].TEXT, "OWN");
}

TEST_F(BaseDataTest, MissingParameterFileIsReportedAndFails) {
  dir.Write("userpar.txt", SettingsFile({{113, "NONE"}}));
  EXPECT_FALSE(base.CreateBaseData(dir.path()));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("PARAM.txt"), std::string::npos);
  EXPECT_EQ(plan->Settings[113], "PARAM");
}

TEST_F(BaseDataTest, NewInstallationStartsWithEmptySettings) {
  dir.Write("PARAM.txt", ParameterText());
  ASSERT_TRUE(base.CreateBaseData(dir.path()));
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(plan->Settings[14], "COND");
  EXPECT_EQ(plan->Settings[0], "");
}

TEST_F(BaseDataTest, UnreadableSettingsFailWithoutLosingThem) {
  fs::create_directory(dir.path() / "userpar.txt");  // exists, cannot be read as a file
  dir.Write("PARAM.txt", ParameterText());
  EXPECT_FALSE(base.CreateBaseData(dir.path()));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("userpar.txt"), std::string::npos);
}

// A settings line damaged by a control character keeps its default and is
// named; the other settings stand.
TEST_F(BaseDataTest, DamagedSettingsLineIsLeftEmptyAndNamed) {
  std::string text = SettingsFile({{3, "kept"}, {60, "12\x01" "34"}});
  dir.Write("userpar.txt", text);
  dir.Write("PARAM.txt", ParameterText());
  ASSERT_TRUE(base.CreateBaseData(dir.path()));
  EXPECT_EQ(plan->Settings[3], "kept");
  EXPECT_EQ(plan->Settings[60], "");
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_NE(host.warnings[0].find("userpar.txt: 1 line not read: line 61: holds a control character"), std::string::npos)
      << host.warnings[0];
}

// --- settings ----------------------------------------------------------------

TEST_F(BaseDataTest, SaveSettingsWritesExactly200Lines) {
  Install({{0, "first"}, {125, "last kept"}, {126, "lost"}, {150, "lost too"}});
  plan->ColourMode = 0;
  plan->LetterMode = 4;
  plan->Settings[20] = "line\r\nbreak";
  ASSERT_TRUE(base.CloseBaseData());
  const Lines lines = FileLines(dir.path() / "userpar.txt");
  ASSERT_EQ(lines.size(), 200u);
  EXPECT_EQ(lines[0], "first");
  EXPECT_EQ(lines[8], dir.path().string());
  EXPECT_EQ(lines[20], "line  break");  // one value stays on one line
  EXPECT_EQ(lines[50], "0");
  EXPECT_EQ(lines[51], "4");
  EXPECT_EQ(lines[125], "last kept");
  EXPECT_EQ(lines[126], "libero 126");
  for (int i = 127; i < 200; ++i) EXPECT_EQ(lines[static_cast<size_t>(i)], "0") << i;

  // The settings file is rewritten where it was found, whatever its case.
  fs::rename(dir.path() / "userpar.txt", dir.path() / "USERPAR.TXT");
  ASSERT_TRUE(base.SaveSettings());
  EXPECT_FALSE(fs::exists(dir.path() / "userpar.txt"));
}

TEST_F(BaseDataTest, SaveSettingsWithoutProgramDirIsRefused) {
  EXPECT_FALSE(base.SaveSettings());
  EXPECT_EQ(host.errors.size(), 1u);
}

TEST_F(BaseDataTest, SettingsPatchAppliesCompletePairsAndIsDeleted) {
  Install({{5, "old five"}, {9, "old nine"}});
  dir.Write("use.txt", "5\r\nnew five\r\n250\r\nout of range\r\n\r\nno index\r\n7\r\n\r\n9");
  ASSERT_TRUE(base.LoadBaseData());
  EXPECT_EQ(plan->Settings[5], "new five");
  EXPECT_EQ(plan->Settings[7], "");
  EXPECT_EQ(plan->Settings[9], "old nine");  // a last index line without its value
  EXPECT_EQ(plan->Settings[0], "");          // an empty index line patches nothing
  EXPECT_FALSE(fs::exists(dir.path() / "use.txt"));
}

// --- directories, ports, UN numbers -----------------------------------------

TEST_F(BaseDataTest, LoadCreatesWorkingDirectories) {
  Install({{15, (dir.path() / "missing-send").string()}, {23, "/no/such/root"}});
  ASSERT_TRUE(base.LoadBaseData());
  EXPECT_EQ(plan->Settings[15], (dir.path() / "SENDING").string());
  EXPECT_EQ(plan->Settings[16], (dir.path() / "RECEIVE").string());
  EXPECT_EQ(plan->Settings[23], dir.path().string());
  EXPECT_TRUE(fs::is_directory(dir.path() / "SENDING"));
  EXPECT_TRUE(fs::is_directory(dir.path() / "RECEIVE"));
  EXPECT_FALSE(fs::exists(dir.path() / "missing-send"));
  EXPECT_EQ(plan->Settings[44], (dir.path() / "ARCHIVE").string());  // an unset archive root
  EXPECT_TRUE(fs::is_directory(dir.path() / "ARCHIVE"));

  plan->Settings[44] = (dir.path() / "ARCH" / "IVE").string();
  ASSERT_TRUE(base.LoadBaseData());
  EXPECT_TRUE(fs::is_directory(dir.path() / "ARCH" / "IVE"));

  dir.Write("blocker", "a file");
  plan->Settings[44] = (dir.path() / "blocker").string();
  EXPECT_FALSE(base.LoadBaseData());
  ASSERT_FALSE(host.errors.empty());
  EXPECT_NE(host.errors.back().find("blocker"), std::string::npos);
}

TEST_F(BaseDataTest, LoadReadsPortsAndWritesThemAtClose) {
  Install();
  dir.Write("por.txt", "GENOA;ITGOA;GE;ITALY;255;\r\nANTWERP;BEANR;AN;BELGIUM;0;\r\n");
  ASSERT_TRUE(base.LoadBaseData());
  EXPECT_EQ(plan->PortCount, 2);

  plan->Ports[0].PORT = "ANTWERPEN";
  plan->PortsChanged = 1;
  ASSERT_TRUE(base.CloseBaseData());
  EXPECT_EQ(plan->PortsChanged, 0);
  const Lines lines = FileLines(dir.path() / "por.txt");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("ANTWERPEN;", 0), 0u);
}

TEST_F(BaseDataTest, UnNumbersAndMarinePollutants) {
  Install();
  dir.Write("unn.txt", "1203;3;PETROL;Y;\r\n1090;3;ACETONE;N;\r\n\r\nUN1830 8 SULPHURIC ACID\r\n"
                       "1830;8;SULPHURIC ACID\r\n");
  ASSERT_TRUE(base.LoadBaseData());
  EXPECT_EQ(plan->UnnCount, 3);
  // The line that names no number is left out and named; the file stands.
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_NE(host.warnings[0].find("unn.txt: 1 line not read: line 4: \"UN1830 8 SULPHURIC ACID\" is no UN number"),
            std::string::npos)
      << host.warnings[0];
  EXPECT_EQ(base.UnInfo("1203"), "MP-3");
  EXPECT_EQ(base.UnInfo("1090"), "3");
  EXPECT_EQ(base.UnInfo("1830"), "8");  // a last field without its ";"
  EXPECT_EQ(base.UnInfo("9999"), "");
  EXPECT_EQ(base.UnInfo(""), "");

  fs::remove(dir.path() / "unn.txt");
  ASSERT_TRUE(base.LoadBaseData());
  EXPECT_EQ(plan->UnnCount, 0);
  EXPECT_EQ(base.UnInfo("1203"), "");
}

TEST_F(BaseDataTest, UnnTableStopsAt3000) {
  Lines lines;
  for (int i = 0; i < kMaxUnn + 10; ++i) lines.push_back(std::to_string(10000 + i) + ";1;");
  EXPECT_EQ(base.ReadUnnLines(lines), kMaxUnn);
  EXPECT_EQ(base.UnInfo(std::to_string(10000 + kMaxUnn - 1)), "1");
  EXPECT_EQ(base.UnInfo(std::to_string(10000 + kMaxUnn)), "");
}

// --- the vessel list ---------------------------------------------------------

TEST_F(BaseDataTest, VesselEntriesWithoutTheirFolderAreDropped) {
  Install();
  fs::create_directories(dir.path() / "ALPHA");
  fs::create_directories(dir.path() / "Beta");
  dir.Write("vex.txt",
            "ALPHA STAR;ALPHA;1;extra3;extra4;extra5;\r\n"
            "GONE;NOFOLDER;1;left;over;\r\n"
            "BETA;BETA;0\r\n"  // the folder differs in case only
            "EMPTY;;1;\r\n");
  ASSERT_TRUE(base.LoadBaseData());
  ASSERT_EQ(plan->VesselCount, 2);
  EXPECT_EQ(plan->VesselListChanged, 1);
  // The planner learns which vessels left the list, and why.
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_NE(host.warnings[0].find("vex.txt: 2 lines not read: line 2: no vessel folder \"NOFOLDER\""), std::string::npos)
      << host.warnings[0];
  EXPECT_NE(host.warnings[0].find("line 4: no vessel folder after the name"), std::string::npos) << host.warnings[0];
  EXPECT_EQ(Vessel(0, 0), "ALPHA STAR");
  EXPECT_EQ(Vessel(0, 3), "extra3");
  EXPECT_EQ(Vessel(0, 4), "extra4");
  EXPECT_EQ(Vessel(1, 0), "BETA");
  EXPECT_EQ(Vessel(1, 1), "Beta");
  EXPECT_EQ(Vessel(1, 2), "0");
  EXPECT_EQ(Vessel(1, 3), "");  // nothing left over from the dropped line

  ASSERT_TRUE(base.CloseBaseData());
  EXPECT_EQ(FileLines(dir.path() / "vex.txt"), (Lines{"ALPHA STAR;ALPHA;1;extra3;extra4;", "BETA;Beta;0;"}));
}

TEST_F(BaseDataTest, VesselListStopsAt400) {
  Install();
  fs::create_directories(dir.path() / "V1");
  Lines lines;
  for (int i = 0; i < kMaxVessels + 5; ++i) lines.push_back("SHIP " + std::to_string(i) + ";V1;1;");
  plan->Settings[23] = dir.path().string();
  EXPECT_EQ(base.ReadVesselLines(lines), kMaxVessels);
  EXPECT_EQ(Vessel(kMaxVessels - 1, 0), "SHIP 399");
}

TEST_F(BaseDataTest, UnsavedVesselListChangesSurviveAReload) {
  Install();
  fs::create_directories(dir.path() / "ALPHA");
  dir.Write("vex.txt", "ALPHA STAR;ALPHA;1;\r\n");
  ASSERT_TRUE(base.LoadBaseData());
  plan->VesselList[2] = "0";  // hidden in the main window
  plan->VesselListChanged = 1;
  ASSERT_TRUE(base.LoadBaseData());
  EXPECT_EQ(Vessel(0, 2), "0");
  EXPECT_EQ(FileLines(dir.path() / "vex.txt"), (Lines{"ALPHA STAR;ALPHA;0;"}));
}

TEST_F(BaseDataTest, IniTriggerRebuildsTheListFromPtcFiles) {
  Install();
  fs::create_directories(dir.path() / "ZULU");
  dir.Write("vex.txt", "ZULU;ZULU;0;\r\nLOST;LOST;1;\r\n");
  dir.Write("ALPHA/ptc.txt", "VESSEL;ALPHA STAR\r\nDIR;ALPHA\r\n");
  dir.Write("BRAVO/PTC.TXT", "VESSEL;BRAVO\r\n");                     // no DIR: its own folder
  dir.Write("CHARLIE/ptc.txt", "VESSEL;CHARLIE\r\nDIR;NOWHERE\r\n");  // DIR names no folder
  dir.Write("DUP/ptc.txt", "VESSEL;ZULU\r\nDIR;DUP\r\n");             // name already listed
  dir.Write("XY/ptc.txt", "VESSEL;SHORT FOLDER\r\nDIR;XY\r\n");       // folder name too short
  dir.Write("NONAME/ptc.txt", "VESSEL;N\r\nDIR;NONAME\r\n");          // name too short
  fs::create_directories(dir.path() / "NOPTC");
  dir.Write("RECEIVE/ini.txt", "");
  plan->VesHdr[1] = "OPEN VESSEL";
  plan->VesHdr[33] = "OPEN";

  ASSERT_TRUE(base.LoadBaseData()) << (host.errors.empty() ? "" : host.errors[0]);
  EXPECT_EQ(FileLines(dir.path() / "vex.txt"),
            (Lines{"ALPHA STAR;ALPHA;1;", "BRAVO;BRAVO;1;", "CHARLIE;CHARLIE;1;", "ZULU;ZULU;0;"}));
  EXPECT_EQ(plan->VesselCount, 4);
  EXPECT_EQ(plan->VesselListChanged, 0);
  EXPECT_FALSE(fs::exists(dir.path() / "RECEIVE" / "ini.txt"));
  EXPECT_EQ(plan->VesHdr[1], "OPEN VESSEL");  // the open vessel's header is untouched
  EXPECT_EQ(plan->VesHdr[33], "OPEN");

  // Without the trigger the list is only read.
  fs::remove_all(dir.path() / "BRAVO");
  dir.Write("DELTA/ptc.txt", "VESSEL;DELTA\r\n");
  ASSERT_TRUE(base.LoadBaseData());
  EXPECT_EQ(plan->VesselCount, 3);
  EXPECT_EQ(plan->VesselListChanged, 1);
}

TEST_F(BaseDataTest, MissingVesselListIsRebuilt) {
  Install();
  dir.Write("ALPHA/ptc.txt", "VESSEL;ALPHA STAR\r\nDIR;ALPHA\r\n");
  ASSERT_TRUE(base.LoadBaseData());
  EXPECT_EQ(plan->VesselCount, 1);
  EXPECT_EQ(FileLines(dir.path() / "vex.txt"), (Lines{"ALPHA STAR;ALPHA;1;"}));
}

TEST_F(BaseDataTest, LegacyVesselTableGivesPtcFiles) {
  Install();
  std::vector<DbfField> fields;
  for (int i = 0; i < 34; ++i) fields.push_back({"X" + std::to_string(i), 'C', 20, 0});
  fields[1].name = "VESSEL";
  fields[3].name = "call_sign";
  fields[33].name = "DIR";
  std::string error;
  {
    auto table = DbfTable::Create(dir.path() / "ves.dbf", fields, error);
    ASSERT_TRUE(table) << error;
    const char* rows[][3] = {
        {"GAMMA STAR", "9HA1", "GAMMA"}, {"DELTA", "9HA2", "DELTA"}, {"EPS", "9HA3", "EPS"}};
    for (int r = 0; r < 3; ++r) {
      ASSERT_TRUE(table->Write(r, 1, rows[r][0]));
      ASSERT_TRUE(table->Write(r, 3, rows[r][1]));
      ASSERT_TRUE(table->Write(r, 33, rows[r][2]));
    }
  }
  fs::create_directories(dir.path() / "GAMMA");               // gets a ptc.txt
  dir.Write("EPS/ptc.txt", "VESSEL;EPSILON\r\nDIR;EPS\r\n");  // keeps its own
  // DELTA has no folder: nothing is written for it.

  ASSERT_TRUE(base.LoadBaseData()) << (host.errors.empty() ? "" : host.errors[0]);
  const Lines ptc = FileLines(dir.path() / "GAMMA" / "ptc.txt");
  ASSERT_EQ(ptc.size(), 34u);
  EXPECT_EQ(ptc[1], "VESSEL;GAMMA STAR");
  EXPECT_EQ(ptc[3], "CALL_SIGN;9HA1");
  EXPECT_EQ(ptc[33], "DIR;GAMMA");
  EXPECT_EQ(FileLines(dir.path() / "EPS" / "ptc.txt"), (Lines{"VESSEL;EPSILON", "DIR;EPS"}));
  EXPECT_FALSE(fs::exists(dir.path() / "DELTA"));
  EXPECT_EQ(FileLines(dir.path() / "vex.txt"), (Lines{"EPSILON;EPS;1;", "GAMMA STAR;GAMMA;1;"}));
}

// Each file of the installation that holds no text is refused with its
// name, and what it would have filled stays as it was.
TEST_F(BaseDataTest, BinaryFilesAreRefusedAndChangeNothing) {
  Install();
  dir.Write("unn.txt", "1203;3;II;GASOLINE;\r\n");
  dir.Write("por.txt", "GENOA;GOA;GE;IT;1;\r\n");
  ASSERT_TRUE(base.LoadBaseData()) << host.errors.front();
  const int vessels = plan->VesselCount;
  ASSERT_EQ(plan->UnnCount, 1);
  ASSERT_EQ(plan->PortCount, 1);
  const std::string garbage = RandomBytes(5000);
  const std::pair<const char*, std::string> files[] = {
      {"vex.txt", ""}, {"unn.txt", "1203;3;II;GASOLINE;\r\n"}, {"use.txt", ""}, {"por.txt", "GENOA;GOA;GE;IT;1;\r\n"}};
  for (const auto& [name, good] : files) {
    SCOPED_TRACE(name);
    const fs::path file = dir.Write(name, garbage);
    host.errors.clear();
    base.LoadBaseData();
    ExpectRefused(host.errors, file, RefusalSays(BadFile::Binary));
    EXPECT_EQ(plan->VesselCount, vessels);
    EXPECT_EQ(plan->UnnCount, 1);
    EXPECT_EQ(plan->PortCount, 1);
    EXPECT_TRUE(fs::exists(file));  // use.txt is not consumed
    if (good.empty()) fs::remove(file);
    else dir.Write(name, good);
  }
  dir.Write("XLS.TXT", garbage);
  EXPECT_FALSE(base.ReadParameterFile(dir.path() / "XLS.TXT"));
  EXPECT_EQ(plan->XlsCount, 1);

  // A folder where a file should be is reported, not thrown.
  dir.Write("unn.txt", "");
  fs::remove(dir.path() / "unn.txt");
  fs::create_directory(dir.path() / "unn.txt");
  fs::create_directory(dir.path() / "TRA.TXT");
  host.errors.clear();
  base.LoadBaseData();
  EXPECT_FALSE(base.ReadParameterFile(dir.path() / "TRA.TXT"));
  ASSERT_EQ(host.errors.size(), 2u);
  EXPECT_NE(host.errors[0].find("unn.txt: is a folder"), std::string::npos);
  EXPECT_NE(host.errors[1].find("TRA.TXT: is a folder"), std::string::npos);
}

// The settings and the parameter file are read at start: one that is bad
// stops the start with its name and the reason, and userpar.txt is never
// overwritten by settings it did not give.
TEST_F(BaseDataTest, BadSettingsOrParameterFileStopTheStart) {
  const std::string settings = SettingsFile({});
  for (const char* name : {"userpar.txt", "PARAM.txt"}) {
    for (BadFile kind : AllBadFiles()) {
      SCOPED_TRACE(std::string(name) + ", " + BadFileName(kind));
      dir.Write("userpar.txt", settings);
      dir.Write("PARAM.txt", ParameterText());
      const std::string good = std::string(name) == "userpar.txt" ? settings : ParameterText();
      const fs::path file = dir.path() / name;
      PlaceBadFile(kind, file, good, "A|V|DHAM001W.TXT|0|0|0|10|\r\n");
      auto fresh = CreatePlanData();
      ScriptedHost startHost;
      BaseData start(*fresh, startHost);
      bool started = false;
      {
        ReadAsNobody nobody(kind);
        started = start.CreateBaseData(dir.path());
      }
      // Settings are any text a line; a parameter file cut off still has its
      // sections. Either starts.
      const bool anyText = std::string(name) == "userpar.txt" &&
                           (kind == BadFile::Empty || kind == BadFile::WrongKind || kind == BadFile::CutOff);
      if (anyText || (kind == BadFile::CutOff)) {
        EXPECT_TRUE(started) << (startHost.errors.empty() ? "" : startHost.errors[0]);
        continue;
      }
      EXPECT_FALSE(started);
      ExpectRefused(startHost.errors, file, RefusalSays(kind, "is empty", "not a parameter file"));
    }
  }
}

// --- lookups -------------------------------------------------------------------

// A parameter file with lines the tables cannot take is read without them,
// and each is named with its section and reason; the good lines around
// them stand.
TEST_F(BaseDataTest, ParameterLinesThatCannotBeTakenAreNamed) {
  struct Case {
    std::string section;  // header line
    std::string line;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"--DIM  10", "  12.5X1", "\"X1\" in columns 7-8 is not a number"},
      {"--DIM  10", "  12.599", "entry 99 is outside the table"},
      {"--LIM  10", "9 0.15", "entry 9 is outside the table"},
      {"--CSV  20", "xx CONTAINER", "\"xx\" in columns 1-2 is not a number"},
      {"--REP  90", "99 10 1 0 1CONTAINER", "entry 99 is outside the table"},
      {"--IMO 110", "1.1Explosives" + std::string(77, ' ') + "one", "\"one\" in columns 91-105 is not a number"},
  };
  Install();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    dir.Write("XLS.TXT", "/*\r\n" + c.section + "\r\n*/\r\n" + c.line + "\r\n");
    host.warnings.clear();
    ASSERT_TRUE(base.CreateBaseData(dir.path()));
    ASSERT_EQ(host.warnings.size(), 1u);
    EXPECT_NE(host.warnings[0].find("XLS.TXT: 1 line not read: line 4: " + c.section.substr(2, 3) + ": " + c.reason),
              std::string::npos)
        << host.warnings[0];
    EXPECT_EQ(plan->ImoCount, 0);
    EXPECT_EQ(TrimRight(plan->Messages[0]), "Message zero");  // the main file's tables stand
  }
}

TEST_F(BaseDataTest, IsoLengthAndHeight) {
  const std::pair<const char*, int> lengths[] = {
      {"1", 10}, {"2", 20}, {"3", 30}, {"4", 40}, {"8", 35}, {"A", 23}, {"B", 24}, {"C", 24},
      {"D", 24}, {"E", 25}, {"F", 26}, {"G", 41}, {"H", 43}, {"K", 44}, {"L", 45}, {"9", 45},
      {"M", 48}, {"N", 49}, {"P", 53}, {"5", 0},  {"a", 0},  {"", 0}};
  for (const auto& [iso, feet] : lengths) EXPECT_EQ(BaseData::IsoLength(iso), feet) << iso;

  const std::pair<const char*, double> heights[] = {
      {"20", 8.0}, {"21", 8.0}, {"22", 8.6}, {"23", 8.6}, {"2C", 8.6}, {"24", 9.0}, {"2D", 9.0},
      {"2M", 9.0}, {"25", 9.6}, {"26", 9.6}, {"2E", 9.6}, {"2F", 9.6}, {"2N", 9.6}, {"2P", 9.6},
      {"27", 4.3}, {"28", 4.3}, {"29", 4.0}, {"2X", 8.6}, {"2", 8.6}};
  for (const auto& [iso, feet] : heights) EXPECT_DOUBLE_EQ(BaseData::IsoHeight(iso), feet) << iso;
}

TEST_F(BaseDataTest, HeightCodes) {
  struct Case {
    const char* typ;
    double height;
    char code;
  };
  const Case cases[] = {{"DV", 9.6, '5'}, {"HC", 8.6, '5'}, {"DV", 9.5, '5'}, {"DV", 8.0, '0'},
                        {"DV", 8.6, '2'}, {"DV", 0.0, '2'}, {"HC", 0.0, '5'}, {"DV", 9.0, '4'},
                        {"DV", 4.0, '9'}, {"DV", 2.5, '9'}, {"DV", 4.3, '8'}, {"DV", 7.0, '2'},
                        {"DV", 9.4, '2'}};
  for (const Case& c : cases) {
    StructDat unit;
    unit.TYP = c.typ;
    unit.HEIGHT = c.height;
    EXPECT_EQ(BaseData::HeightCode(unit), c.code) << c.typ << " " << c.height;
  }
}

TEST_F(BaseDataTest, IsoSizeTypes) {
  Install();
  const std::pair<const char*, const char*> cases[] = {
      {"22G1", "20DV"}, {"45R1", "40HR"}, {"42R1", "40RF"}, {"45U1", "40HO"}, {"42U1", "40OT"},
      {"45P1", "40HP"}, {"45G1", "40HC"}, {"L5G1", "45HC"}, {"22XY", "20XY"}, {"22", "20"},
      {"X2G1", ""},     {"Z2", "40MF"},   {"Z12", "20CH"},  {"Z", "40CH"},    {"", ""}};
  for (const auto& [iso, expected] : cases) EXPECT_EQ(base.IsoSizeType(iso), expected) << iso;
}

TEST_F(BaseDataTest, IsoSizeTypeRemembersTheLastCode) {
  Install();
  EXPECT_EQ(base.IsoSizeType("22G1"), "20DV");
  plan->Isos[0].TYPE = "GP";
  EXPECT_EQ(base.IsoSizeType("22G1"), "20DV");  // the same code again: the kept answer
  EXPECT_EQ(base.IsoSizeType("45R1"), "40HR");
  EXPECT_EQ(base.IsoSizeType("22G1"), "20GP");  // another code came between
}

TEST_F(BaseDataTest, TypeIndexAndTranslateCode) {
  Install();
  EXPECT_EQ(base.TypeIndex("DV"), 0);
  EXPECT_EQ(base.TypeIndex("RF"), 1);
  EXPECT_EQ(base.TypeIndex("HC"), -1);
  EXPECT_EQ(base.TypeIndex(""), -1);

  EXPECT_EQ(base.TranslateCode(" 22G0 ", "T"), " 22G0 ");  // no entries: unchanged
  ASSERT_TRUE(base.ReadParameterFile(
      dir.Write("TRA.TXT", "/*\r\n--TRA  20\r\n*/\r\nT 22G0  22G1\r\nP ITGOA ITGOX\r\n")));
  EXPECT_EQ(base.TranslateCode(" 22G0 ", "T"), "22G1");
  EXPECT_EQ(base.TranslateCode("22G0", "P"), "22G0");
  EXPECT_EQ(base.TranslateCode("ITGOA", "P"), "ITGOX");
  EXPECT_EQ(base.TranslateCode("45G1", "T"), "45G1");
}

}  // namespace
