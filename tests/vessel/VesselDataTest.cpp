#include "vessel/VesselData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "BadFiles.h"
#include "DbfBytes.h"
#include "ScriptedHost.h"
#include "TempDir.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "vessel/DbfTable.h"
#include "vessel/PtcFile.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void ExpectSameCell(const StructCel& a, const StructCel& b, int i) {
  SCOPED_TRACE("cell " + std::to_string(i));
  EXPECT_EQ(a.CELL, b.CELL);
  EXPECT_EQ(a.FL_RF, b.FL_RF);
  EXPECT_EQ(a.LCG, b.LCG);
  EXPECT_EQ(a.VCG, b.VCG);
  EXPECT_EQ(a.TCG, b.TCG);
  EXPECT_EQ(a.LCG_40, b.LCG_40);
  EXPECT_EQ(a.RESTR, b.RESTR);
}

void ExpectSameBay(const StructBay& a, const StructBay& b, int i) {
  SCOPED_TRACE("bay " + std::to_string(i));
  EXPECT_EQ(a.BAY, b.BAY);
  EXPECT_EQ(a.D00, b.D00);
  EXPECT_EQ(a.H00, b.H00);
  EXPECT_EQ(a.D40, b.D40);
  EXPECT_EQ(a.H40, b.H40);
  EXPECT_EQ(a.ROWSHIFT1, b.ROWSHIFT1);
  EXPECT_EQ(a.ROWSHIFT2, b.ROWSHIFT2);
  EXPECT_EQ(a.ROWSHIFT3, b.ROWSHIFT3);
  EXPECT_EQ(a.ROWSHIFT4, b.ROWSHIFT4);
  EXPECT_EQ(a.ROWSHIFT5, b.ROWSHIFT5);
  EXPECT_EQ(a.D42, b.D42);
  EXPECT_EQ(a.H42, b.H42);
  EXPECT_EQ(a.HC_MAX, b.HC_MAX);
  EXPECT_EQ(a.TWDK, b.TWDK);
  EXPECT_EQ(a.XB15, b.XB15);
  EXPECT_EQ(a.XB16, b.XB16);
  EXPECT_EQ(a.HOLDSHIFT, b.HOLDSHIFT);
  EXPECT_EQ(a.ATHWART, b.ATHWART);
  EXPECT_EQ(a.STACKW, b.STACKW);
  EXPECT_EQ(a.YOFFSET, b.YOFFSET);
  EXPECT_EQ(a.ROWWEIGHT, b.ROWWEIGHT);
}

StructBay SampleBay(int n) {
  StructBay bay;
  bay.BAY = (n < 10 ? "0" : "") + std::to_string(n);
  bay.D00 = 1;
  bay.H00 = 2;
  bay.D40 = "0" + std::to_string(n + 1);
  bay.H40 = "X";
  bay.ROWSHIFT1 = 3;
  bay.ROWSHIFT2 = -4;
  bay.ROWSHIFT3 = 5;
  bay.ROWSHIFT4 = 6;
  bay.ROWSHIFT5 = 7;
  bay.D42 = 8;
  bay.H42 = 9;
  bay.HC_MAX = 10;
  bay.TWDK = 2;
  bay.XB15 = 11;
  bay.XB16 = 12;
  bay.HOLDSHIFT = "1";
  bay.ATHWART = 13;
  for (int row = 0; row < kStackRows; ++row)
    for (int kind = 0; kind < kStackKinds; ++kind)
      bay.STACKW[row][kind] = row == 4 ? 0 : 60.5 + row * 0.25 + kind * 10 + n / 3.0;
  bay.YOFFSET = -14;
  bay.ROWWEIGHT = 250;
  return bay;
}

class VesselDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* names[] = {"CODE", "VESSEL", "FLAG", "CALL_SIGN", "LOA"};
    for (const char* n : names) plan->Vet[plan->VetCount++] = n;
    plan->Settings[SettingsIx::VesselsRoot] = (dir.path() / "vessels").string();
    plan->VesselList[0] = "DEMO STAR";
    plan->VesselList[1] = "DEMO";
    plan->VesselList[5] = "OTHER";
    plan->VesselList[6] = "OTHER";
    plan->VesselCount = 2;
    plan->CurVessel = 0;
  }
  void TearDown() override { SetNumberFormat({'.', ','}); }

  fs::path VesselDir() const { return dir.path() / "vessels" / "DEMO"; }
  fs::path WriteVesselFile(const std::string& name, const std::string& content) const {
    return dir.Write("vessels/DEMO/" + name, content);
  }
  void WriteMinimalVessel() const {
    WriteVesselFile("ptc.txt", "CODE;DMS\r\nVESSEL;DEMO STAR\r\n");
    WriteVesselFile("bay.txt", "01;\r\n03;\r\n");
    WriteVesselFile("cel.txt", "010082;0;10,5;20;0;;0;\r\n010084;1;10.5;22;0;;0;\r\n030082;0;4;20;0;;0;\r\n");
  }

  TempDir dir;
  ScriptedHost host;
  std::unique_ptr<PlanData> plan = CreatePlanData();
  VesselData ves{*plan, host};
};

// The definition files written under one decimal separator and opened under
// the other give the same tables.
TEST_F(VesselDataTest, FilesWrittenUnderOneSeparatorReadBackUnderTheOther) {
  for (const char writeSeparator : {',', '.'}) {
    SCOPED_TRACE(std::string("written with ") + writeSeparator);
    TempDir folder;
    auto source = CreatePlanData();
    ScriptedHost sourceHost;
    VesselData writer(*source, sourceHost);
    source->VesselDir = folder.path().string();
    source->Vet = plan->Vet;
    source->VetCount = plan->VetCount;
    source->VesHdr[0] = "DMS";
    source->VesHdr[1] = "DEMO STAR";
    source->VesHdr[4] = "199.95";
    const double centres[] = {0, 12.125, -3.5, 1e-7, 123456.789, -0.1};
    source->CellCount = 6;
    for (int i = 0; i < source->CellCount; ++i) {
      StructCel& c = source->Cells[i];
      c.CELL = (i < 3 ? "01" : "03") + std::string("0") + std::to_string(i) + "82";
      c.FL_RF = i % 2;
      c.LCG = centres[i];
      c.VCG = centres[(i + 1) % 6];
      c.TCG = centres[(i + 2) % 6];
      c.LCG_40 = centres[(i + 3) % 6];
      c.RESTR = i == 5 ? -9 : 2 * (i % 3);
    }
    source->BayCount = 2;
    source->Bays[0] = SampleBay(1);
    source->Bays[1] = SampleBay(3);
    source->CelChanged = source->BayChanged = 1;

    SetNumberFormat({writeSeparator, writeSeparator == ',' ? '.' : ','});
    std::string error;
    ASSERT_TRUE(WritePtc(*source, folder.path() / "ptc.txt", error)) << error;
    ASSERT_TRUE(writer.SaveCells());
    ASSERT_TRUE(writer.SaveBays());
    EXPECT_EQ(source->CelChanged, 0);
    EXPECT_EQ(source->BayChanged, 0);
    const std::string celText = ReadBytes(folder.path() / "cel.txt");
    EXPECT_NE(celText.find(std::string("12") + writeSeparator + "125"), std::string::npos) << celText;
    EXPECT_NE(celText.find("\r\n"), std::string::npos);

    SetNumberFormat({writeSeparator == ',' ? '.' : ',', writeSeparator == ',' ? ',' : '.'});
    plan->Settings[SettingsIx::VesselsRoot] = folder.path().parent_path().string();
    plan->VesselList[1] = folder.path().filename().string();
    ASSERT_TRUE(ves.OpenVessel());
    EXPECT_TRUE(host.errors.empty());
    ASSERT_EQ(plan->CellCount, source->CellCount);
    ASSERT_EQ(plan->BayCount, source->BayCount);
    for (int i = 0; i < plan->CellCount; ++i) ExpectSameCell(plan->Cells[i], source->Cells[i], i);
    for (int b = 0; b < plan->BayCount; ++b) ExpectSameBay(plan->Bays[b], source->Bays[b], b);
    for (int i = 0; i < plan->VetCount; ++i) EXPECT_EQ(plan->VesHdr[i], source->VesHdr[i]) << plan->Vet[i];
  }
}

TEST_F(VesselDataTest, CelLineFormat) {
  StructCel cell;
  cell.CELL = "010282";
  cell.FL_RF = 1;
  cell.LCG = 12.5;
  cell.VCG = 0;
  cell.TCG = -2.25;
  cell.LCG_40 = 999;
  cell.RESTR = 2;
  SetNumberFormat({',', '.'});
  EXPECT_EQ(CelLine(cell), "010282;1;12,5;0;-2,25;999;2;");
  const std::string bayLine = BayLine(SampleBay(1));
  EXPECT_EQ(std::count(bayLine.begin(), bayLine.end(), ';'), kBayFieldCount);
  EXPECT_EQ(bayLine.substr(0, 25), "01;1;2;02;X;3;-4;5;6;7;8;");
  EXPECT_EQ(bayLine.substr(bayLine.size() - 9), ";-14;250;");
}

// Lines as other programs and older versions leave them.
TEST_F(VesselDataTest, OddBayLines) {
  std::string full = BayLine(SampleBay(1));
  const std::string without95 = full.substr(0, full.size() - 4);  // "250;" dropped
  const std::vector<std::string> lines = {
      without95,
      full + "77;88;99;",  // fields beyond the 96th are ignored
      "05;x1y;abc;D;H",    // short, non-numeric, no closing ";"
      "   ",               // blank: no bay
      std::string("07;\0\xff\x01;", 7),
      "09",
  };
  plan->Bays[2] = SampleBay(5);  // what a previous vessel left there
  ASSERT_EQ(ParseBayLines(*plan, lines), 5);
  EXPECT_EQ(plan->Bays[0].ROWWEIGHT, 0);
  EXPECT_EQ(plan->Bays[0].YOFFSET, -14);
  EXPECT_EQ(plan->Bays[0].STACKW, SampleBay(1).STACKW);
  EXPECT_EQ(plan->Bays[1].ROWWEIGHT, 250);
  EXPECT_EQ(plan->Bays[1].YOFFSET, -14);
  EXPECT_EQ(plan->Bays[2].BAY, "05");
  EXPECT_EQ(plan->Bays[2].D00, 1);  // lenient: the digit of "x1y"
  EXPECT_EQ(plan->Bays[2].H00, 0);
  EXPECT_EQ(plan->Bays[2].D40, "D");
  EXPECT_EQ(plan->Bays[2].H40, "H");
  EXPECT_EQ(plan->Bays[2].STACKW[18][3], 0);
  EXPECT_EQ(plan->Bays[2].ROWWEIGHT, 0);
  EXPECT_EQ(plan->Bays[3].BAY, "07");
  EXPECT_EQ(plan->Bays[3].D00, 0);
  EXPECT_EQ(plan->Bays[4].BAY, "09");
  EXPECT_EQ(plan->Bays[4].ROWWEIGHT, 0);
}

TEST_F(VesselDataTest, SurplusLinesAreNotStored) {
  std::vector<std::string> bayLines;
  for (int b = 0; b < kMaxBays + 5; ++b) bayLines.push_back(std::to_string(2 * b + 1) + ";1;");
  EXPECT_EQ(ParseBayLines(*plan, bayLines), kMaxBays);
  EXPECT_EQ(plan->Bays[kMaxBays - 1].BAY, std::to_string(2 * kMaxBays - 1));

  std::vector<std::string> cellLines(kUnitInHand + 3, "010082;0;1;2;3;4;0;");
  plan->Cur()[kUnitInHand].CONTAINER = "INHAND";
  EXPECT_EQ(ParseCelLines(*plan, cellLines), kUnitInHand);
  EXPECT_EQ(plan->Cells[kUnitInHand].CELL, "");
  EXPECT_EQ(plan->Cur()[kUnitInHand].CONTAINER, "INHAND");

  std::vector<std::string> pairs;
  for (int k = 0; k < 60; ++k)
    pairs.push_back(Pad(std::to_string(k), 3, true, "0") + " " + std::to_string(100 + k));
  EXPECT_EQ(ParseTraBayLines(*plan, pairs), 50);
  EXPECT_EQ(plan->BayTrans[98], "049");
  EXPECT_EQ(plan->BayTrans[99], "149");
}

TEST_F(VesselDataTest, CellsReadKeepLayoutFieldsAndAreLinkedToTheirBays) {
  plan->BayCount = ParseBayLines(*plan, {"01;", "3;", "05;"});  // "3" names bay 03
  for (int i = 0; i < 5; ++i) {
    plan->Cells[i].COLUMN = 10 + i;
    plan->Cells[i].LINE = 20 + i;
    plan->Cells[i].X = plan->Cells[i].Y = 99;
    plan->Cells[i].BLK_OH = plan->Cells[i].BLK_OWP = plan->Cells[i].BLK_OWS = 7;
    plan->Cells[i].BAYIX = 33;
  }
  plan->CellCount =
      ParseCelLines(*plan, {"030082;1;2,5;3;4;5;6;extra;", "030084;", "010082", "770082;", "010084;"});
  LinkCellsToBays(*plan);
  ASSERT_EQ(plan->CellCount, 5);
  const StructCel& c = plan->Cells[0];
  EXPECT_EQ(c.CELL, "030082");
  EXPECT_EQ(c.FL_RF, 1);
  EXPECT_EQ(c.LCG, 2.5);
  EXPECT_EQ(c.RESTR, 6);
  EXPECT_EQ(c.COLUMN, 10);
  EXPECT_EQ(c.LINE, 20);
  EXPECT_EQ(c.X, 0);
  EXPECT_EQ(c.Y, 0);
  EXPECT_EQ(c.BLK_OH, -1);
  EXPECT_EQ(c.BLK_OWP, -1);
  EXPECT_EQ(c.BLK_OWS, -1);
  const int expectedBay[] = {1, 1, 0, 0, 0};  // 77 is no bay of the vessel: 0
  for (int i = 0; i < 5; ++i) EXPECT_EQ(plan->Cells[i].BAYIX, expectedBay[i]) << i;
  EXPECT_EQ(plan->Bays[1].FIRSTCELL, 0);
  EXPECT_EQ(plan->Bays[1].LASTCELL, 1);
  EXPECT_EQ(plan->Bays[0].FIRSTCELL, 2);  // cells 2 and 4, the unknown bay between
  EXPECT_EQ(plan->Bays[0].LASTCELL, 4);
  EXPECT_EQ(plan->Bays[2].FIRSTCELL, 0);  // no cells: an empty range
  EXPECT_EQ(plan->Bays[2].LASTCELL, -1);
}

// A definition file that is none of its kind is refused with its name and
// the reason, and the vessel open before stays open as it was. A cel.txt or
// bay.txt cut off inside its last line opens without that line, which is
// listed; the particulars' lines end without a mark, so a cut one cannot be
// told and opens as it reads.
TEST_F(VesselDataTest, BadDefinitionFilesKeepTheOpenVesselOpen) {
  const fs::path other = dir.path() / "vessels" / "OTHER";
  dir.Write("vessels/OTHER/ptc.txt", "CODE;OTH\r\nVESSEL;OTHER\r\n");
  dir.Write("vessels/OTHER/bay.txt", "05;\r\n");
  dir.Write("vessels/OTHER/cel.txt", "050082;0;1;2;3;4;0;\r\n");
  const std::string condition = "A|V|DHAM001W.TXT|0|0|0|10|\r\nC|010082|MSCU1234566|HAM|RTM|\r\n";
  struct File {
    std::string name, good, wrongKind, wrongKindSays;
  };
  const File files[] = {
      {"ptc.txt", "CODE;DMS\r\nVESSEL;DEMO STAR\r\n", "010082;0;10.5;12;0;999;2;\r\n", "not vessel particulars"},
      {"bay.txt", "01;\r\n03;\r\n", condition, "not one line is a bay line"},
      {"cel.txt", "010082;0;10,5;20;0;;0;\r\n010084;1;10.5;22;0;;0;\r\n030082;0;4;20;0;;0;\r\n", condition,
       "not one line is a cell line"},
  };
  for (const File& f : files) {
    for (BadFile kind : AllBadFiles()) {
      SCOPED_TRACE(f.name + ", " + BadFileName(kind));
      plan->CurVessel = 1;
      ASSERT_TRUE(ves.OpenVessel());
      host.errors.clear();
      host.warnings.clear();
      WriteMinimalVessel();
      const fs::path bad = VesselDir() / f.name;
      PlaceBadFile(kind, bad, f.good, f.wrongKind);
      plan->CurVessel = 0;
      bool opened = false;
      {
        ReadAsNobody nobody(kind);
        opened = ves.OpenVessel();
      }
      if (kind == BadFile::CutOff) {
        EXPECT_TRUE(opened);
        EXPECT_TRUE(host.errors.empty());
        if (f.name == "ptc.txt") continue;
        ASSERT_EQ(host.warnings.size(), 1u);
        EXPECT_NE(host.warnings[0].find(bad.string() + ": 1 line not read: line "), std::string::npos)
            << host.warnings[0];
        EXPECT_NE(host.warnings[0].find("the file ends inside this line"), std::string::npos);
        continue;
      }
      EXPECT_FALSE(opened);
      ExpectRefused(host.errors, bad, RefusalSays(kind, "is empty", f.wrongKindSays));
      EXPECT_EQ(plan->VesselDir, other.string());
      EXPECT_EQ(plan->VesHdr[VesHdrIx::Vessel], "OTHER");
      EXPECT_EQ(plan->CellCount, 1);
      EXPECT_EQ(plan->Cells[0].CELL, "050082");
      EXPECT_EQ(plan->BayCount, 1);
    }
  }
}

// Lines that are none of the file's records are passed over and listed by
// their numbers; the rest of the vessel opens.
TEST_F(VesselDataTest, UnreadableLinesAreListedAndPassedOver) {
  WriteMinimalVessel();
  WriteVesselFile("ptc.txt", "CODE;DMS\r\nVESSEL;DEMO STAR\r\nVESEL;TYPO\r\n\r\nno separator\r\n");
  WriteVesselFile("cel.txt", "010082;0;1;2;3;4;0;\r\nbroken line\r\n\r\n010084;0;1;2;3;4;0;\r\n;;;\r\n");
  WriteVesselFile("tra_bay.txt", "001 002\r\n01\r\n");
  ASSERT_TRUE(ves.OpenVessel());
  EXPECT_EQ(plan->CellCount, 2);
  EXPECT_EQ(plan->Cells[1].CELL, "010084");
  EXPECT_EQ(plan->BayTransCount, 1);
  EXPECT_EQ(plan->VesHdr[VesHdrIx::Vessel], "DEMO STAR");
  ASSERT_EQ(host.warnings.size(), 3u);
  EXPECT_NE(host.warnings.front().find("ptc.txt: 2 lines not read: line 3: \"VESEL\" is not a name of the particulars "
                                       "(VET); line 5: no name ended by \";\""),
            std::string::npos)
      << host.warnings.front();
  host.warnings.erase(host.warnings.begin());
  EXPECT_NE(host.warnings[0].find("cel.txt: 2 lines not read: line 2: not a cell: the cell name \"broken line\" is "
                                  "not digits; line 5: "),
            std::string::npos)
      << host.warnings[0];
  EXPECT_NE(host.warnings[1].find("tra_bay.txt: 1 line not read: line 2: not a pair of bay codes"), std::string::npos)
      << host.warnings[1];
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(VesselDataTest, OpenVesselWithoutParticularsChangesNothing) {
  WriteVesselFile("cel.txt", "010082;0;1;2;3;4;0;\r\n");
  WriteVesselFile("bay.txt", "01;\r\n");
  plan->VesselDir = "/previous/vessel";
  plan->CellCount = 3;
  plan->Cells[0].CELL = "990082";
  plan->BayCount = 1;
  plan->VesHdr[VesHdrIx::VesselOpened] = "";
  plan->VoyPortCount = 4;
  plan->Cur()[0].WEIGHT = 12;

  EXPECT_FALSE(ves.OpenVessel());
  EXPECT_EQ(plan->VesselDir, "/previous/vessel");
  EXPECT_EQ(plan->CellCount, 3);
  EXPECT_EQ(plan->Cells[0].CELL, "990082");
  EXPECT_EQ(plan->BayCount, 1);
  EXPECT_EQ(plan->VoyPortCount, 4);
  EXPECT_EQ(plan->Cur()[0].WEIGHT, 12);
  EXPECT_EQ(plan->VesHdr[VesHdrIx::VesselOpened], "");
  EXPECT_FALSE(fs::exists(VesselDir() / "EDI"));
  EXPECT_FALSE(fs::exists(VesselDir() / "COND"));

  plan->CurVessel = 1;  // an entry whose folder does not exist at all
  EXPECT_FALSE(ves.OpenVessel());
  plan->CurVessel = 2;  // an empty entry
  EXPECT_FALSE(ves.OpenVessel());
  plan->CurVessel = -1;
  EXPECT_FALSE(ves.OpenVessel());
  EXPECT_EQ(plan->VesselDir, "/previous/vessel");
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(VesselDataTest, OpenVesselLoadsTheVesselAndEmptiesTheWorkingSets) {
  WriteVesselFile("PTC.TXT", "CODE;DMS\r\nVESSEL;DEMO STAR\r\n");  // found whatever the case
  WriteVesselFile("Bay.Txt", "01;\r\n03;\r\n");
  WriteVesselFile("CEL.TXT", "010082;0;10,5;20;0;;0;\r\n010084;1;10.5;22;0;;0;\r\n030082;0;4;20;0;;0;\r\n");
  WriteVesselFile("tra_bay.txt", "001 002\r\n003 005\r\n");
  WriteVesselFile("hyd.txt", "");
  fs::create_directories(VesselDir() / "edi");  // an existing folder in another case
  plan->Settings[SettingsIx::ConditionsSubdir] = "CDZ";
  plan->Settings[SettingsIx::ArchiveRoot] = " " + (dir.path() / "archive").string() + " ";
  plan->PolCount = plan->PodCount = 5;
  plan->VoyPortCount = 3;
  plan->ArchiveMode = 1;
  plan->LoadLineZone = 2;
  plan->SeaDensity = 1.0;
  plan->ConfigMode = 1;
  plan->CellCount = 7;  // of the vessel open before
  for (int set = 0; set < kPlaneCount; ++set) {
    for (int i : {0, 2, 3, kUnitInHand}) {
      StructDat& r = plan->Dat[set][i];
      r.CONTAINER = "ABCU1234567";
      r.WEIGHT = 20;
      r.STATUS = 1;
      r.FL3 = 1;
      r.BUNDLES = 2;
    }
  }

  std::vector<std::string> calls;
  auto step = [&](const char* name) { return [&calls, name] { calls.push_back(name); }; };
  ves.steps.ResetStabilityTables = [&] {
    calls.push_back("reset");
    EXPECT_EQ(plan->VesHdr[1], "DEMO STAR");  // after the particulars
    EXPECT_EQ(plan->CellCount, 7);            // before the cells
  };
  ves.steps.LoadHydrostatics = [&] {
    calls.push_back(ves.HasVesselTable("HYD") && !ves.HasVesselTable("RLE") ? "hyd" : "wrong tables");
  };
  ves.steps.LoadTanks = step("tanks");
  ves.steps.ComputeLayout = [&] {
    calls.push_back("layout");
    EXPECT_EQ(plan->CellCount, 3);
    EXPECT_EQ(plan->BayTransCount, 2);
  };
  ves.steps.SetStabilityDefaults = step("defaults");
  ves.steps.RecomputeStability = [&] {
    calls.push_back("stability");
    EXPECT_EQ(plan->SeaDensity, 1.025);
  };
  ves.steps.LoadQuay = [&] {
    calls.push_back("quay");
    EXPECT_EQ(plan->Cur()[0].WEIGHT, 0);  // emptied before the quay is read
  };
  ves.steps.ResetSelectionFilter = [&] {
    calls.push_back("selection");
    EXPECT_NE(plan->VesHdr[VesHdrIx::OpenMark], "*");
  };

  ASSERT_TRUE(ves.OpenVessel());
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(calls, (std::vector<std::string>{"reset", "hyd", "tanks", "layout", "defaults", "stability",
                                             "quay", "selection"}));
  EXPECT_EQ(fs::path(plan->VesselDir), VesselDir());
  EXPECT_EQ(plan->VesHdr[0], "DMS");
  EXPECT_EQ(plan->VesHdr[VesHdrIx::VesselOpened], "1");
  EXPECT_EQ(plan->VesHdr[VesHdrIx::OpenMark], "*");
  EXPECT_EQ(plan->BayCount, 2);
  EXPECT_EQ(plan->CellCount, 3);
  EXPECT_EQ(plan->Cells[0].LCG, 10.5);
  EXPECT_EQ(plan->Cells[1].LCG, 10.5);
  EXPECT_EQ(plan->Cells[2].BAYIX, 1);
  EXPECT_EQ(plan->BayTrans[3], "005");
  EXPECT_EQ(plan->PolCount, -1);
  EXPECT_EQ(plan->PodCount, -1);
  EXPECT_EQ(plan->VoyPortCount, 0);
  EXPECT_EQ(plan->ArchiveMode, 0);
  EXPECT_EQ(plan->LoadLineZone, 0);
  EXPECT_EQ(plan->ConfigMode, 0);
  EXPECT_EQ(plan->RedrawAll, 1);

  EXPECT_TRUE(fs::is_directory(VesselDir() / "CDZ"));
  EXPECT_TRUE(fs::is_directory(VesselDir() / "REPO"));
  EXPECT_FALSE(fs::exists(VesselDir() / "EDI"));  // "edi" is already there
  EXPECT_TRUE(fs::is_directory(dir.path() / "archive" / "DEMO"));

  for (int set = 0; set < kPlaneCount; ++set) {
    for (int i : {0, 2, 3, kUnitInHand}) {
      SCOPED_TRACE("set " + std::to_string(set) + " record " + std::to_string(i));
      const StructDat& r = plan->Dat[set][i];
      const bool emptied = set != kQuayPlane && i < 3;
      EXPECT_EQ(r.CONTAINER, "ABCU1234567");
      EXPECT_EQ(r.WEIGHT, emptied ? 0 : 20);
      EXPECT_EQ(r.STATUS, emptied ? 0 : 1);
      EXPECT_EQ(r.FL3, emptied ? 0 : 1);
      EXPECT_EQ(r.BUNDLES, emptied ? 0 : 2);
    }
  }

  EXPECT_TRUE(ves.HasVesselTable("HYD"));
  EXPECT_TRUE(ves.HasVesselTable("hyd"));
  EXPECT_FALSE(ves.HasVesselTable("TNK"));
}

TEST_F(VesselDataTest, ConditionsFolderIsCondUnlessSetToCdz) {
  WriteMinimalVessel();
  plan->Settings[SettingsIx::ConditionsSubdir] = "XYZ";
  ASSERT_TRUE(ves.OpenVessel());
  EXPECT_TRUE(fs::is_directory(VesselDir() / "COND"));
  EXPECT_TRUE(fs::is_directory(VesselDir() / "EDI"));
  EXPECT_FALSE(fs::exists(VesselDir() / "XYZ"));
  EXPECT_EQ(plan->BayTransCount, 0);
  EXPECT_EQ(ves.TranslateBayCode("0010282", false), "0010282");
}

TEST_F(VesselDataTest, MissingCellsAndBaysWithoutLegacyTablesAreReported) {
  WriteVesselFile("ptc.txt", "VESSEL;DEMO STAR\r\n");
  ASSERT_TRUE(ves.OpenVessel());
  EXPECT_EQ(plan->BayCount, 0);
  EXPECT_EQ(plan->CellCount, 0);
  ASSERT_EQ(host.errors.size(), 2u);
  EXPECT_NE(host.errors[0].find("bay.txt"), std::string::npos);
  EXPECT_NE(host.errors[1].find("cel.txt"), std::string::npos);
  EXPECT_FALSE(fs::exists(VesselDir() / "cel.txt"));

  host.errors.clear();
  WriteVesselFile("bay.dbf", "not a table");
  EXPECT_EQ(ves.LoadBays(), 0);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("bay.dbf"), std::string::npos);
}

TEST_F(VesselDataTest, SaveFailureIsReportedAndKeepsTheChangeFlag) {
  plan->VesselDir = (dir.path() / "gone").string();
  plan->CellCount = 1;
  plan->CelChanged = plan->BayChanged = 1;
  EXPECT_FALSE(ves.SaveCells());
  EXPECT_FALSE(ves.SaveBays());
  EXPECT_EQ(plan->CelChanged, 1);
  EXPECT_EQ(plan->BayChanged, 1);
  ASSERT_EQ(host.errors.size(), 2u);
  EXPECT_NE(host.errors[0].find("cel.txt"), std::string::npos);

  plan->VesselDir.clear();  // no vessel open: nothing written anywhere
  EXPECT_FALSE(ves.SaveCells());
  EXPECT_FALSE(ves.HasVesselTable("HYD"));
}

TEST_F(VesselDataTest, SaveWritesOverTheFileInItsOwnCase) {
  WriteMinimalVessel();
  fs::rename(VesselDir() / "cel.txt", VesselDir() / "CEL.TXT");
  ASSERT_TRUE(ves.OpenVessel());
  plan->Cells[0].FL_RF = 1;
  ASSERT_TRUE(ves.SaveCells());
  EXPECT_FALSE(fs::exists(VesselDir() / "cel.txt"));
  EXPECT_EQ(ReadBytes(VesselDir() / "CEL.TXT").substr(0, 9), "010082;1;");
}

// hld.txt: the hold under each bay, read at open and written with the bays;
// a line naming no bay or no hold is left out and reported, once per file.
TEST_F(VesselDataTest, HoldsAreReadWithTheVesselAndWrittenWithItsBays) {
  WriteMinimalVessel();
  ASSERT_TRUE(ves.OpenVessel());
  EXPECT_EQ(plan->Bays[0].HOLD, 0);
  ASSERT_TRUE(ves.SaveBays());
  EXPECT_FALSE(fs::exists(VesselDir() / "hld.txt")) << "a vessel without holds gets no file";

  WriteVesselFile("HLD.TXT", "01;1;\r\n05;2;\r\n03;two;\r\n\r\n03;0;\r\n03;2;\r\n");
  host.errors.clear();
  ASSERT_TRUE(ves.OpenVessel());
  EXPECT_EQ(plan->Bays[0].HOLD, 1);
  EXPECT_EQ(plan->Bays[1].HOLD, 2);
  const std::string file = (VesselDir() / "HLD.TXT").string();
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0], file + ": line 2: no bay 05 in the vessel\n" + file +
                                ": line 3: the hold of bay 03 is not a number above 0: \"two\"\n" + file +
                                ": line 5: the hold of bay 03 is not a number above 0: \"0\"");
  plan->Bays[1].HOLD = 3;
  ASSERT_TRUE(ves.SaveBays());
  EXPECT_EQ(ReadBytes(VesselDir() / "HLD.TXT"), "01;1;\r\n03;3;\r\n");
}

// Cells 2 and 3 of bay 01 and every cell of bay 03 deleted; bay 09 has no
// cells at all.
TEST_F(VesselDataTest, CompactVesselRemovesDeletedCellsAndEmptyBays) {
  plan->BayCount = ParseBayLines(*plan, {"01;1;", "03;3;", "05;5;", "07;7;", "09;9;"});
  const char* names[] = {"010082", "010084", "010086", "010088", "030082",
                         "030084", "050082", "050084", "070082"};
  const bool deleted[] = {false, false, true, true, true, true, false, false, false};
  plan->CellCount = 9;
  for (int i = 0; i < 9; ++i) {
    plan->Cells[i].CELL = names[i];
    plan->Cells[i].RESTR = deleted[i] ? -9 : 0;
    plan->Cells[i].LCG = i;
    plan->Cur()[i].CONTAINER = std::string("UNIT") + std::to_string(i);
    plan->Dat[kRefPlane][i].CONTAINER = "REF" + std::to_string(i);
  }
  LinkCellsToBays(*plan);

  ves.CompactVessel();
  ASSERT_EQ(plan->CellCount, 5);
  ASSERT_EQ(plan->BayCount, 3);
  const int keptFrom[] = {0, 1, 6, 7, 8};
  const int newBay[] = {0, 0, 1, 1, 2};
  for (int k = 0; k < 5; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(plan->Cells[k].CELL, names[keptFrom[k]]);
    EXPECT_EQ(plan->Cells[k].LCG, keptFrom[k]);
    EXPECT_EQ(plan->Cur()[k].CONTAINER, "UNIT" + std::to_string(keptFrom[k]));
    EXPECT_EQ(plan->Cells[k].BAYIX, newBay[k]);
  }
  EXPECT_EQ(plan->Bays[0].BAY, "01");
  EXPECT_EQ(plan->Bays[1].BAY, "05");
  EXPECT_EQ(plan->Bays[1].D00, 5);
  EXPECT_EQ(plan->Bays[2].BAY, "07");
  EXPECT_EQ(plan->Bays[1].FIRSTCELL, 2);
  EXPECT_EQ(plan->Bays[1].LASTCELL, 3);
  EXPECT_EQ(plan->Bays[3].BAY, "");
  EXPECT_EQ(plan->Dat[kRefPlane][2].CONTAINER, "REF2");  // only the working set moves
  for (int i = 5; i < 9; ++i) {
    EXPECT_EQ(plan->Cells[i].CELL, "") << i;
    EXPECT_EQ(plan->Cur()[i].CONTAINER, "") << i;
  }
  EXPECT_EQ(plan->CelChanged, 1);
  EXPECT_EQ(plan->BayChanged, 1);
}

TEST_F(VesselDataTest, TranslateBayCode) {
  plan->BayTransCount = ParseTraBayLines(*plan, {"001 002", "003 005", "007 005", "  "});
  ASSERT_EQ(plan->BayTransCount, 3);
  struct Case {
    const char* position;
    bool toOwn;
    const char* expected;
  } cases[] = {
      {"0010282", false, "0020282"},
      {"0030282", false, "0050282"},
      {"0050282", false, "0050282"},  // outside code, asked the own way
      {"0050282", true, "0030282"},   // first pair wins
      {"0020282", true, "0010282"},
      {"00102", false, "00202"},  // shorter: what there is of 4..7
      {"001", false, "002"},
      {"00", false, "00"},
      {"", true, ""},
      {"00102829", false, "0020282"},  // beyond 7 characters is not carried
  };
  for (const Case& c : cases) EXPECT_EQ(ves.TranslateBayCode(c.position, c.toOwn), c.expected) << c.position;
  plan->BayTransCount = 0;
  EXPECT_EQ(ves.TranslateBayCode("0010282", false), "0010282");
}

class LegacyTablesTest : public VesselDataTest {
 protected:
  void SetUp() override {
    VesselDataTest::SetUp();
    fs::create_directories(VesselDir());
    WriteVesselFile("ptc.txt", "VESSEL;DEMO STAR\r\n");
    plan->VesselDir = VesselDir().string();
    plan->VesHdr[VesHdrIx::StackLimitDeck20] = "100";
    plan->VesHdr[VesHdrIx::StackLimitDeck40] = "110,5";
    plan->VesHdr[VesHdrIx::StackLimitHold20] = "200";
    plan->VesHdr[VesHdrIx::StackLimitHold40] = "210";
  }
};

TEST_F(LegacyTablesTest, BayTableBuildsBayTxt) {
  std::string error;
  {
    auto table = DbfTable::Create(VesselDir() / "BAY.DBF",
                                  {{"BAY", 'C', 3},
                                   {"R01D2", 'N', 8, 1},  // before the XX column: still wins for row 1
                                   {"RXXD2", 'N', 8, 1},
                                   {"R00H4", 'N', 8, 1},
                                   {"R18D4", 'N', 8, 1},
                                   {"R19D4", 'N', 8, 1},  // no row 19
                                   {"D00", 'N', 4},
                                   {"HOLDSHIFT", 'C', 2},
                                   {"TWDK", 'N', 4}},
                                  error);
    ASSERT_TRUE(table) << error;
    const std::vector<std::vector<std::string>> rows = {
        {"01", "45.5", "80", "150", "90", "95", "3", "1", "4"},
        {"03", "0", "0", "0", "-5", "", "", "", "12"},
    };
    for (int r = 0; r < 2; ++r)
      for (int f = 0; f < 9; ++f) ASSERT_TRUE(table->Write(r, f, rows[r][f]));
  }
  EXPECT_EQ(ves.LoadBays(), 2);
  EXPECT_TRUE(host.errors.empty());
  const StructBay& a = plan->Bays[0];
  EXPECT_EQ(a.BAY, "01");
  EXPECT_EQ(a.STACKW[1][0], 45.5);
  EXPECT_EQ(a.STACKW[0][0], 80);
  EXPECT_EQ(a.STACKW[18][0], 80);
  EXPECT_EQ(a.STACKW[0][3], 150);
  EXPECT_EQ(a.STACKW[1][3], 210);  // defaults from the particulars
  EXPECT_EQ(a.STACKW[18][1], 90);
  EXPECT_EQ(a.STACKW[17][1], 110.5);
  EXPECT_EQ(a.STACKW[5][2], 200);
  EXPECT_EQ(a.D00, 3);
  EXPECT_EQ(a.HOLDSHIFT, "1");
  EXPECT_EQ(a.TWDK, 4);
  const StructBay& b = plan->Bays[1];
  EXPECT_EQ(b.STACKW[0][0], 100);  // 0 and negative values are no limits
  EXPECT_EQ(b.STACKW[18][1], 110.5);
  EXPECT_EQ(b.TWDK, 0);  // above 10 is taken as 0

  // bay.txt now holds the same bays, and is what is read from now on.
  auto reread = CreatePlanData();
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(VesselDir() / "bay.txt", lines, error)) << error;
  ASSERT_EQ(ParseBayLines(*reread, lines), 2);
  for (int i = 0; i < 2; ++i) ExpectSameBay(reread->Bays[i], plan->Bays[i], i);
  fs::remove(VesselDir() / "BAY.DBF");
  EXPECT_EQ(ves.LoadBays(), 2);
}

TEST_F(LegacyTablesTest, CelTableBuildsCelTxt) {
  std::vector<DbfField> fields;
  fields.push_back({"CELL", 'C', 7});
  for (int f = 1; f < 25; ++f) fields.push_back({"F" + std::to_string(f), 'C', 4});
  for (const char* name : {"FL_RF", "LCG", "VCG", "TCG", "LCG_40"}) fields.push_back({name, 'N', 10, 3});
  std::string error;
  {
    auto table = DbfTable::Create(VesselDir() / "cel.dbf", fields, error);
    ASSERT_TRUE(table) << error;
    const std::vector<std::vector<std::string>> rows = {
        {"010082", "1", "12.5", "20.25", "-2.5", "8"},
        {"010084", "0", "900", "22", "0", "8"},
        {"010086", "0", "12.5", "24", "0", "999"},
        {"010088", "0", "950", "26", "0", "950"},
    };
    for (int r = 0; r < 4; ++r) {
      ASSERT_TRUE(table->Write(r, 0, rows[r][0]));
      for (int k = 1; k < 6; ++k) ASSERT_TRUE(table->Write(r, 24 + k, rows[r][k]));
    }
  }
  plan->BayCount = ParseBayLines(*plan, {"01;"});
  EXPECT_EQ(ves.LoadCells(), 4);
  EXPECT_EQ(plan->CellCount, 4);
  EXPECT_TRUE(host.errors.empty());
  const StructCel& c = plan->Cells[0];
  EXPECT_EQ(c.CELL, "010082");
  EXPECT_EQ(c.FL_RF, 1);
  EXPECT_EQ(c.LCG, 12.5);
  EXPECT_EQ(c.VCG, 20.25);
  EXPECT_EQ(c.TCG, -2.5);
  EXPECT_EQ(c.LCG_40, 8);
  const int restr[] = {0, 4, 2, 4};  // no 20' wins when neither length fits
  for (int i = 0; i < 4; ++i) EXPECT_EQ(plan->Cells[i].RESTR, restr[i]) << i;
  EXPECT_EQ(plan->Bays[0].LASTCELL, 3);
  EXPECT_EQ(ReadBytes(VesselDir() / "cel.txt").substr(0, 38), "010082;1;12.5;20.25;-2.5;8;0;\r\n010084;");
}

// A legacy cell table written by another program (laid out here byte by
// byte): its numbers with decimals, an empty field and a deleted record as
// that program means them.
TEST_F(LegacyTablesTest, CelTableOfAnotherWriter) {
  std::vector<DbfColumn> columns{{"CELL", 'C', 6}};
  for (int f = 1; f < 25; ++f) columns.push_back({"F" + std::to_string(f), 'C', 1});
  columns.push_back({"FL_RF", 'N', 1});
  for (const char* name : {"LCG", "VCG", "TCG", "LCG_40"}) columns.push_back({name, 'N', 9, 3});
  auto record = [](const std::string& cell, const std::string& lcg, const std::string& vcg, bool deleted) {
    DbfRecord r{std::vector<std::string>(25), deleted};
    r.values[0] = cell;
    r.values.insert(r.values.end(), {"1", lcg, vcg, "-2.125", "15.000"});
    return r;
  };
  dir.Write("vessels/DEMO/Cel.dbf", DbfBytes(columns, {record("010082", "12.500", "20.250", false),
                                                      record("010084", "99.000", "1.000", true),
                                                      record("010086", "12.500", "", false)}));
  plan->BayCount = ParseBayLines(*plan, {"01;"});
  EXPECT_EQ(ves.LoadCells(), 2);
  EXPECT_TRUE(host.errors.empty()) << host.errors.front();
  EXPECT_EQ(plan->Cells[0].CELL, "010082");
  EXPECT_EQ(plan->Cells[0].LCG, 12.5);
  EXPECT_EQ(plan->Cells[0].VCG, 20.25);
  EXPECT_EQ(plan->Cells[0].TCG, -2.125);
  EXPECT_EQ(plan->Cells[0].LCG_40, 15);
  EXPECT_EQ(plan->Cells[1].CELL, "010086");  // the deleted record is no cell
  EXPECT_EQ(plan->Cells[1].VCG, 0);          // an empty field is 0
}

}  // namespace
