#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "EdiFixture.h"
#include "SharedFiles.h"
#include "TempDir.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "edifact/EdiExport.h"
#include "planning/Quay.h"
#include "vessel/Ports.h"

namespace {

using editest::EdiTest;

std::vector<std::string> Segments(const std::string& text) {
  std::vector<std::string> out;
  EdiSegmentReader reader(text);
  EdiSegment segment;
  // Rebuilt with the standard separators and without release characters:
  // what a reader sees.
  while (reader.Next(segment)) {
    std::string s = segment.Tag();
    for (int e = 1; e < segment.ElementCount; ++e) {
      s += "+";
      int last = kEdiComponents - 1;
      while (last > 0 && segment.At(e, last).empty()) --last;
      for (int c = 0; c <= last; ++c) s += (c > 0 ? ":" : "") + segment.At(e, c);
    }
    out.push_back(s);
  }
  return out;
}

bool Has(const std::vector<std::string>& segments, const std::string& segment) {
  return std::find(segments.begin(), segments.end(), segment) != segments.end();
}

int IndexOf(const std::vector<std::string>& segments, const std::string& segment) {
  const auto it = std::find(segments.begin(), segments.end(), segment);
  return it == segments.end() ? -1 : static_cast<int>(it - segments.begin());
}

std::tm Time(int year, int month, int day, int hour, int minute) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  return t;
}

class EdiExportTest : public EdiTest {
 protected:
  void SetUp() override {
    EdiTest::SetUp();
    plan.VesHdr[VesHdrIx::Code] = "TST";
    plan.VesHdr[VesHdrIx::Vessel] = "TEST VESSEL";
    plan.VesHdr[VesHdrIx::CallSign] = "CALL9";
    plan.VesHdr[VesHdrIx::ImoNumber] = "9123456";
    plan.VesHdr[VesHdrIx::Port] = "HAM";
    plan.VesHdr[VesHdrIx::Voy] = "101";
    plan.VesHdr[VesHdrIx::Adp] = "D";
    options.Sender = "ME";
    options.Recipient = "NLRTM";
    options.Carrier = "CAR";
    options.PlaceOfDeparture = "DEHAM";
    options.NextPort = "NLRTM";
    options.LoadingVoy = "101";
    options.Now = Time(2024, 3, 15, 9, 30);
    options.Arrival = Time(2024, 3, 14, 8, 0);
    options.Departure = Time(2024, 3, 15, 23, 0);
    options.EstimatedArrival = Time(2024, 3, 17, 0, 0);
  }

  std::vector<std::string> Export() { return Segments(WriteInterchange(plan, options).Text); }

  EdiExportOptions options;
};

TEST_F(EdiExportTest, UnitSegments) {
  StructDat forty = plantest::Unit("MSCU 1000001", "40", 24.5);
  Load("010282", forty);
  StructDat reefer = plantest::Unit("MSCU 1000002", "20", 20);
  reefer.TYP = "RF";
  reefer.ISO = "22R1";
  reefer.TEMP = -18;
  reefer.TEMP_2 = -15;
  Load("010002", reefer);
  StructDat cold = reefer;
  cold.CONTAINER = "MSCU 1000003";
  cold.TEMP_2 = -18;
  Load("010004", cold);
  StructDat emptyReefer = reefer;
  emptyReefer.CONTAINER = "MSCU 1000004";
  emptyReefer.MTY = 1;
  Load("010006", emptyReefer);
  StructDat capped = plantest::Unit("MSCU 1000005", "40", 10);
  Load("030182", capped);  // a 40' unit standing on the aft 20' bay

  const std::vector<std::string> s = Export();
  EXPECT_TRUE(Has(s, "LOC+147+0020282::5"));
  EXPECT_TRUE(Has(s, "MEA+WT++KGM:24500"));
  EXPECT_TRUE(Has(s, "NAD+CA+XXX:172:20")) << "a unit without operator";
  EXPECT_TRUE(Has(s, "TMP+2+-18:CEL"));
  EXPECT_TRUE(Has(s, "RNG+4+CEL:-18:-15"));
  EXPECT_EQ(std::count(s.begin(), s.end(), "TMP+2+-18:CEL"), 2) << "the set point of both full reefers";
  EXPECT_EQ(std::count_if(s.begin(), s.end(), [](const std::string& x) { return x.starts_with("RNG"); }), 1);
  EXPECT_TRUE(Has(s, "LOC+147+0020182::5")) << "the 40' bay never beyond the one declared";
  EXPECT_TRUE(Has(s, "LOC+9+DEHAM:139:6"));
  EXPECT_TRUE(Has(s, "LOC+11+NLRTM:139:6"));
  EXPECT_TRUE(Has(s, "EQD+CN+MSCU1000001+42G1+++5"));
  EXPECT_TRUE(Has(s, "EQD+CN+MSCU1000004+22R1+++4"));

  // The counter of UNT covers UNH to UNT.
  const int unh = IndexOf(s, "UNH+DDEHAM101+BAPLIE:D:95B:UN:SMDG20");
  ASSERT_GE(unh, 0);
  ASSERT_TRUE(s[s.size() - 2].starts_with("UNT+"));
  EXPECT_EQ(s[s.size() - 2], "UNT+" + std::to_string(static_cast<int>(s.size()) - 1 - unh) + "+DDEHAM101");
  EXPECT_EQ(s.back(), "UNZ+1+DDEHAM101");
}

TEST_F(EdiExportTest, HeaderAndVersions) {
  StructDat u = plantest::Unit("MSCU 1000001", "20", 24.5);
  u.WEIGHT_KIND = "VGM";
  Load("010002", u);
  struct Case {
    std::string version;
    bool imo;
    std::vector<std::string> present;
    std::vector<std::string> absent;
  } cases[] = {
      {"20",
       false,
       {"UNB+UNOA:2+ME+NLRTM+240315:0930+DDEHAM101+++++CAR", "BGM++DDEHAM101+9", "DTM+137:2403150930:201",
        "TDT+20++++CAR:172:20+++CALL9:103:ZZZ:TEST VESSEL", "LOC+5+DEHAM:139:6", "LOC+61+NLRTM:139:6",
        "DTM+178:2403140800:201", "DTM+136:2403152300:201", "DTM+132:240317:101", "RFF+VON:101",
        "MEA+WT++KGM:24500", "EQD+CN+MSCU1000001+22G1+++5"},
       {"MEA+VGM++KGM:24500"}},
      {"22",
       true,
       {"UNH+DDEHAM101+BAPLIE:D:95B:UN:SMDG22", "TDT+20++++CAR:172:20+++9123456:146:11:TEST VESSEL",
        "MEA+VGM++KGM:24500"},
       {"MEA+WT++KGM:24500"}},
      {"15",
       false,
       {"UNB+UNOA:1+ME+NLRTM+240315:0930+DDEHAM101+++++CAR", "UNH+DDEHAM101+BAPLIE:1:911:UN:SMDG15",
        "TDT+20+++CALL9:103::TEST VESSEL++CAR:172:20", "LOC+5+DEHAM", "LOC+6+DEHAM", "LOC+12+NLRTM",
        "EQD+CN+MSCU 1000001+22G1+++5"},
       {"LOC+9+DEHAM:139:6", "LOC+11+NLRTM:139:6", "LOC+5+DEHAM:139:6"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    options.Version = c.version;
    options.VesselIdImoNumber = c.imo;
    const std::vector<std::string> s = Export();
    for (const std::string& segment : c.present) EXPECT_TRUE(Has(s, segment)) << segment;
    for (const std::string& segment : c.absent) EXPECT_FALSE(Has(s, segment)) << segment;
  }
}

TEST_F(EdiExportTest, SegmentEndsAndServiceCharacters) {
  StructDat u = plantest::Unit("MSCU 1000001");
  u.OPERATOR = "A+B";
  u.NOTE_AAA = "KEEP: DRY, 'COOL'; ??";
  u.BOOKING = "X";
  Load("010002", u);
  options.Sender = "ME?:+'";
  for (const std::string& ending : {std::string("\r\n"), std::string("\r"), std::string()}) {
    options.SegmentEnd = ending;
    const std::string text = WriteInterchange(plan, options).Text;
    EXPECT_NE(text.find("'" + ending + "UNH+"), std::string::npos);
    EXPECT_NE(text.find("NAD+CA+A?+B:172:20'"), std::string::npos);
    EXPECT_NE(text.find("UNB+UNOA:2+ME???:?+?'+"), std::string::npos);
    const std::vector<std::string> s = Segments(text);
    EXPECT_TRUE(Has(s, "FTX+AAA+++KEEP DRY COOL ??")) << "free texts lose their separators";
    EXPECT_TRUE(Has(s, "UNB+UNOA:2+ME?:+'+NLRTM+240315:0930+DDEHAM101+++++CAR"))
        << "values read back as written";
  }
}

TEST_F(EdiExportTest, ChoiceOfUnits) {
  StructDat a = plantest::Unit("MSCU 1000001");
  Load("010002", a);
  StructDat b = plantest::Unit("MSCU 1000002");
  Load("010004", b);
  StructDat member = plantest::Unit("ET:010002");
  member.FL3 = 1;
  Load("010006", member);
  plan.Cur()[static_cast<size_t>(Cell("010004"))].SELECTED = 0;

  EdiExportResult r = WriteInterchange(plan, options);
  EXPECT_EQ(r.Units, 1) << "unselected units and bundle members stay out";
  options.VoidSlots = true;
  r = WriteInterchange(plan, options);
  EXPECT_EQ(r.Units, 2);
  const std::vector<std::string> s = Segments(r.Text);
  const int ref = IndexOf(s, "RFF+ET:0010002");
  ASSERT_GE(ref, 0);
  EXPECT_TRUE(s[static_cast<size_t>(ref) + 1].starts_with("LOC+147") ||
              s[static_cast<size_t>(ref) + 1].starts_with("UNT"))
      << "nothing more is written for a bundle member";
}

TEST_F(EdiExportTest, ComposedIsoCodes) {
  StructDat u = plantest::Unit("MSCU 1000001");
  u.ISO = "0000";
  u.HEIGHT = 9.6;
  Load("010002", u);
  EXPECT_TRUE(Has(Export(), "EQD+CN+MSCU1000001+25DV+++5")) << "no tables: the length digit and the type";
  plan.Sizes[0] = "202";
  plan.SizeCount = 1;
  plan.Types[0] = StructTyp{"DV", "DRY VAN", "22G1", "42G1", "", ""};
  plan.TypeCount = 1;
  EXPECT_TRUE(Has(Export(), "EQD+CN+MSCU1000001+25G1+++5"));
}

TEST_F(EdiExportTest, Movins) {
  StructDat restow = plantest::Unit("MSCU 1000001", "40");
  restow.POL = "ANR";
  restow.RESTOW = 1;
  restow.RESTOW_FROM = "010084";
  Load("010282", restow);
  StructDat load = plantest::Unit("MSCU 1000002");
  load.NOTE_AAA = "NOT IN A MOVINS";
  Load("010002", load);
  StructDat through = plantest::Unit("MSCU 1000003");
  through.POL = "ANR";
  Load("010004", through);
  plan.Cur()[static_cast<size_t>(Cell("010002"))].SELECTED = 0;  // a MOVINS ignores the selection
  options.Kind = EdiMessageKind::Movins;
  options.Version = "22";
  options.PortRotation = {"RTM", "RTM", "FXT", "LEH"};
  AddVoyPort(plan, "FXT");
  AddVoyPort(plan, "LEH");
  std::vector<std::string> s = Export();
  EXPECT_TRUE(Has(s, "UNH+DDEHAM101+MOVINS:D:95B:UN:SMDG20"));
  EXPECT_TRUE(Has(s, "UNB+UNOA:1+ME+NLRTM+240315:0930+DDEHAM101+++++CAR"));
  EXPECT_FALSE(Has(s, "LOC+92+NLRTM:139:6")) << "the second port equals the next port";
  EXPECT_TRUE(Has(s, "LOC+92+GBFXT:139:6"));
  EXPECT_TRUE(Has(s, "LOC+92+FRLEH:139:6"));
  EXPECT_TRUE(Has(s, "DTM+132:2403140800:201"));
  const int res = IndexOf(s, "HAN+RES");
  const int loa = IndexOf(s, "HAN+LOA");
  ASSERT_GE(res, 0);
  ASSERT_GT(loa, res);
  EXPECT_EQ(s[static_cast<size_t>(res) + 1], "LOC+147+0020084::5") << "written from where it stood";
  EXPECT_TRUE(Has(s, "RFF+DSI:0020282"));
  EXPECT_EQ(s[static_cast<size_t>(loa) + 1], "LOC+147+0010002::5");
  EXPECT_FALSE(Has(s, "FTX+AAA+++NOT IN A MOVINS"));
  EXPECT_EQ(IndexOf(s, "EQD+CN+MSCU1000003+22G1+++5"), -1) << "neither loaded here nor a restow";

  // Without restows the loads still follow HAN+LOA.
  plan.Cur()[static_cast<size_t>(Cell("010282"))].RESTOW = 0;
  s = Export();
  EXPECT_EQ(IndexOf(s, "HAN+RES"), -1);
  ASSERT_GE(IndexOf(s, "HAN+LOA"), 0);
  EXPECT_EQ(s[static_cast<size_t>(IndexOf(s, "HAN+LOA")) + 1], "LOC+147+0010002::5");
}

TEST_F(EdiExportTest, DefaultsAndStoredChoices) {
  plan.VesselDir = "/vessels/tst";
  plan.Settings[SettingsIx::EdiSenderId] = "SENDER";
  plan.Settings[SettingsIx::EdiCarrierCode] = "CARR";
  plan.Settings[SettingsIx::EdiVesselIdImo] = "1";
  plan.Settings[SettingsIx::EdiSegmentEnd] = "2";
  plan.Settings[SettingsIx::EdiVoidSlots] = "1";
  plan.Settings[SettingsIx::SendingDir] = "/send";
  Load("010002", plantest::Unit("MSCU 1000001"));  // registers HAM and RTM as voyage ports
  const std::tm now = Time(2024, 1, 2, 3, 4);

  EdiExportOptions o = EdiExportDefaults(plan, EdiMessageKind::Baplie, {"RTM", "FXT"}, now);
  EXPECT_EQ(o.LoadingVoy, "101");
  EXPECT_EQ(o.DischargingVoy, "");
  EXPECT_EQ(o.PlaceOfDeparture, "DEHAM");
  EXPECT_EQ(o.NextPort, "NLRTM");
  EXPECT_EQ(o.Recipient, "NLRTM");
  EXPECT_EQ(o.Sender, "SENDER");
  EXPECT_EQ(o.Carrier, "CARR");
  EXPECT_TRUE(o.VesselIdImoNumber);
  EXPECT_EQ(o.SegmentEnd, "\r");
  EXPECT_TRUE(o.VoidSlots);
  EXPECT_EQ(o.Version, "20");
  EXPECT_EQ(o.FileName, "TST_101_HAM.EDI");
  EXPECT_EQ(o.Folder, std::filesystem::path("/vessels/tst/edi"));
  EXPECT_EQ(o.Arrival.tm_mday, 2);

  plan.VesHdr[VesHdrIx::EdiDir] = "/edi";
  EXPECT_EQ(EdiExportDefaults(plan, EdiMessageKind::Baplie, {}, now).Folder, std::filesystem::path("/edi"));
  plan.Settings[SettingsIx::EdiFileInSending] = "1";
  EXPECT_EQ(EdiExportDefaults(plan, EdiMessageKind::Baplie, {}, now).Folder, std::filesystem::path("/send"));

  plan.VesHdr[VesHdrIx::Adp] = "A";
  o = EdiExportDefaults(plan, EdiMessageKind::Movins, {"RTM"}, now);
  EXPECT_EQ(o.DischargingVoy, "101");
  EXPECT_EQ(o.LoadingVoy, "");
  EXPECT_EQ(o.PlaceOfDeparture, "");
  EXPECT_EQ(o.NextPort, "DEHAM");
  EXPECT_EQ(o.Recipient, "DEHAM");
  EXPECT_EQ(o.FileName, "TST_101_HAM_MOVINS.EDI");
  EXPECT_EQ(o.Folder, std::filesystem::path("/send"));

  o.SegmentEnd = "\r\n";
  o.VesselIdImoNumber = false;
  StoreExportChoices(plan, o);
  EXPECT_EQ(plan.Settings[SettingsIx::EdiSegmentEnd], "1");
  EXPECT_EQ(plan.Settings[SettingsIx::EdiVesselIdImo], "0");
  plan.Settings[SettingsIx::EdiSegmentEnd] = "0";
  StoreExportChoices(plan, o);
  EXPECT_EQ(plan.Settings[SettingsIx::EdiSegmentEnd], "0") << "switched off stays off";
}

TEST_F(EdiExportTest, WritingTheFile) {
  TempDir dir;
  Load("010002", plantest::Unit("MSCU 1000001"));
  plan.Cur()[static_cast<size_t>(Cell("010002"))].SELECTED = 0;
  options.Folder = dir.path() / "edi";
  options.FileName = "TST.EDI";
  ASSERT_TRUE(ExportEdi(plan, options, host, false));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "edi" / "TST.EDI"));
  EXPECT_EQ(plan.Messages[51], "created BAPLIE: " + (dir.path() / "edi" / "TST.EDI").string());
  EXPECT_EQ(host.messages, std::vector<int>{51});
  EXPECT_EQ(plan.Cur()[static_cast<size_t>(Cell("010002"))].SELECTED, 1) << "the selection is reset";

  host.messages.clear();
  ASSERT_TRUE(ExportEdi(plan, options, host, true));
  EXPECT_TRUE(host.messages.empty()) << "the silent export shows nothing";

  plan.Messages[52] = "MOVINS created in ";
  plan.Settings[SettingsIx::SendingDir] = "/send";
  options.Kind = EdiMessageKind::Movins;
  ASSERT_TRUE(ExportEdi(plan, options, host, false));
  EXPECT_EQ(plan.Messages[51], "MOVINS created in /send");
  EXPECT_TRUE(host.messages.empty()) << "the caller shows it when no report follows";

  dir.Write("blocked", "a file where the folder should be");
  options.Folder = dir.path() / "blocked";
  EXPECT_FALSE(ExportEdi(plan, options, host, false));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("TST.EDI"), std::string::npos);
}

// What is written reads back as the same units.
// A unit of every kind the messages carry, by cell name.
std::vector<std::pair<std::string, StructDat>> MixedUnits() {
  std::vector<std::pair<std::string, StructDat>> units;
  StructDat dry = plantest::Unit("MSCU 1000001", "20", 24.5);
  dry.OPERATOR = "MSC";
  dry.PRS = "LEH";
  dry.FRM = "ANR";
  dry.NOTE_AAA = "KEEP DRY";
  dry.NOTE_ZZZ = "STOW AWAY";
  dry.WEIGHT_KIND = "VGM";
  dry.HEIGHT = 8.6;
  units.emplace_back("010002", dry);
  StructDat forty = plantest::Unit("MSCU 1000002", "40", 30.123);
  forty.ISO = "45G1";
  forty.TYP = "HC";
  forty.HEIGHT = 9.6;
  forty.OPERATOR = "CMA";
  units.emplace_back("010282", forty);
  StructDat reefer = plantest::Unit("MSCU 1000003", "20", 22);
  reefer.ISO = "22R1";
  reefer.TYP = "RF";
  reefer.HEIGHT = 8.6;
  reefer.TEMP = -20;
  reefer.TEMP_2 = -16;
  reefer.OPERATOR = "MSC";
  units.emplace_back("010004", reefer);
  StructDat hazardous = plantest::Unit("MSCU 1000004", "20", 12);
  hazardous.HEIGHT = 8.6;
  hazardous.IMO[0] = "3";
  hazardous.UN[0] = "1203";
  hazardous.IMO[1] = "8";
  hazardous.UN[1] = "1789";
  hazardous.TEMP = 23;
  hazardous.OPERATOR = "MSC";
  units.emplace_back("010006", hazardous);
  StructDat oog = plantest::Unit("MSCU 1000005", "20", 8);
  oog.ISO = "22P1";
  oog.TYP = "P1";
  oog.HEIGHT = 8.6;
  oog.OH = 40;
  oog.OWP = 20;
  oog.OWS = 15;
  oog.OL = 30;
  oog.MTY = 0;
  oog.OPERATOR = "MSC";
  units.emplace_back("010084", oog);
  StructDat rack = plantest::Unit("FRCU 3000001", "20", 6);
  rack.ISO = "22P1";
  rack.TYP = "P1";
  rack.HEIGHT = 8.6;
  rack.MTY = 1;
  rack.EQA[0] = "FRCU 3000002";
  rack.EQA[1] = "FRCU 3000003";
  rack.OPERATOR = "MSC";
  units.emplace_back("010182", rack);
  return units;
}

TEST_F(EdiExportTest, RoundTrip) {
  const std::vector<std::pair<std::string, StructDat>> units = MixedUnits();
  for (const auto& [cell, unit] : units) Load(cell, unit);

  for (const char* version : {"22", "15"}) {
    SCOPED_TRACE(version);
    options.Version = version;
    options.SegmentEnd = "\r\n";
    const std::string text = WriteInterchange(plan, options).Text;

    std::unique_ptr<PlanData> otherOwner = CreatePlanData();
    PlanData& other = *otherOwner;
    plantest::BuildPlanVessel(other);
    Stability otherStab{other};
    editest::PortHost otherHost;
    PlanContext otherCtx{other, otherStab, otherHost};
    BaseData otherBase{other, otherHost};
    EdiImport import(otherCtx, otherBase);
    import.OpenBytes(text);
    ASSERT_TRUE(import.Run());
    EXPECT_EQ(import.Loaded, static_cast<int>(units.size()));
    EXPECT_EQ(import.Refused, 0);
    EXPECT_TRUE(otherHost.portQuestions.empty());

    for (const auto& [cell, sent] : units) {
      SCOPED_TRACE(cell);
      const int i = plantest::CellNamed(other, cell);
      ASSERT_GE(i, 0);
      const StructDat& got = other.Cur()[static_cast<size_t>(i)];
      EXPECT_EQ(got.CONTAINER, sent.CONTAINER);
      EXPECT_EQ(got.POSITION, cell);
      EXPECT_EQ(got.POL, sent.POL);
      EXPECT_EQ(got.POD, sent.POD);
      EXPECT_EQ(got.PRS, sent.PRS);
      EXPECT_EQ(got.FRM, sent.FRM);
      EXPECT_NEAR(got.WEIGHT, sent.WEIGHT, 0.001);
      EXPECT_EQ(got.SIZ, sent.SIZ);
      EXPECT_EQ(got.TYP, sent.TYP);
      EXPECT_EQ(got.ISO, sent.ISO);
      EXPECT_DOUBLE_EQ(got.HEIGHT, sent.HEIGHT);
      EXPECT_EQ(got.MTY, sent.MTY);
      EXPECT_EQ(got.TEMP, sent.TEMP);
      EXPECT_EQ(got.TEMP_2, sent.TEMP_2 != 0 || sent.TYP != "RF" ? sent.TEMP_2 : sent.TEMP);
      EXPECT_EQ(got.OH, sent.OH);
      EXPECT_EQ(got.OWP, sent.OWP);
      EXPECT_EQ(got.OWS, sent.OWS);
      EXPECT_EQ(got.OL, sent.OL);
      EXPECT_EQ(got.IMO, sent.IMO);
      EXPECT_EQ(got.UN, sent.UN);
      EXPECT_EQ(got.OPERATOR, sent.OPERATOR);
      EXPECT_EQ(got.EQA, sent.EQA);
      EXPECT_EQ(Trim(got.NOTE_AAA), sent.NOTE_AAA);
      EXPECT_EQ(Trim(got.NOTE_ZZZ), sent.NOTE_ZZZ);
      EXPECT_EQ(got.WEIGHT_KIND, std::string(version) == "22" ? sent.WEIGHT_KIND : "");
    }
  }
}

// A MOVINS read into the condition it was planned from gives the planned one.
TEST_F(EdiExportTest, MovinsRoundTrip) {
  StructDat restow = plantest::Unit("MSCU 1000001", "40", 21);
  restow.POL = "ANR";
  restow.POD = "FXT";
  restow.RESTOW = 1;
  restow.RESTOW_FROM = "010084";
  Load("010282", restow);
  StructDat load = plantest::Unit("MSCU 1000002", "20", 14.5);
  Load("010002", load);
  options.Kind = EdiMessageKind::Movins;
  const std::string text = WriteInterchange(plan, options).Text;

  std::unique_ptr<PlanData> otherOwner = CreatePlanData();
  PlanData& other = *otherOwner;
  plantest::BuildPlanVessel(other);
  Stability otherStab{other};
  editest::PortHost otherHost;
  PlanContext otherCtx{other, otherStab, otherHost};
  BaseData otherBase{other, otherHost};
  StructDat before = restow;
  before.RESTOW = 0;
  before.RESTOW_FROM.clear();
  other.Cur()[static_cast<size_t>(other.UnitInHandIndex)] = before;
  ASSERT_TRUE(PlaceUnit(otherCtx, plantest::CellNamed(other, "010084"), kPlaceFromFile));
  other.Cur()[static_cast<size_t>(other.UnitInHandIndex)] = StructDat{};

  EdiImport import(otherCtx, otherBase);
  import.OpenBytes(text);
  ASSERT_TRUE(import.Run());
  EXPECT_EQ(import.Refused, 0);
  EXPECT_EQ(other.Cur()[static_cast<size_t>(plantest::CellNamed(other, "010084"))].STATUS, 0);
  for (const char* cell : {"010282", "010002"}) {
    SCOPED_TRACE(cell);
    const StructDat& sent = At(cell);
    const StructDat& got = other.Cur()[static_cast<size_t>(plantest::CellNamed(other, cell))];
    EXPECT_EQ(got.CONTAINER, sent.CONTAINER);
    EXPECT_EQ(got.POL, sent.POL);
    EXPECT_EQ(got.POD, sent.POD);
    EXPECT_EQ(got.SIZ, sent.SIZ);
    EXPECT_NEAR(got.WEIGHT, sent.WEIGHT, 0.001);
    EXPECT_EQ(got.RESTOW, sent.RESTOW);
  }
  EXPECT_EQ(other.Cur()[static_cast<size_t>(plantest::CellNamed(other, "030282"))].STATUS, -1);
}

// The whole text of one message, line by line. Run with ZUM4_UPDATE_GOLDEN=1
// to rewrite the reference after a change that is meant.
TEST_F(EdiExportTest, GoldenBaplie) {
  for (const auto& [cell, unit] : MixedUnits()) Load(cell, unit);
  options.Version = "22";
  options.SegmentEnd = "\r\n";
  options.VesselIdImoNumber = true;
  options.Nationality = "DE";
  const std::string text = WriteInterchange(plan, options).Text;
  const std::filesystem::path golden =
      std::filesystem::path(ZUM4_SOURCE_DIR) / "tests" / "data" / "edifact-baplie-v22" / "expected.edi";
  if (UpdatingGoldenFiles()) {
    std::string error;
    std::filesystem::create_directories(golden.parent_path());
    ASSERT_TRUE(WriteFileAtomically(golden, text, error)) << error;
    GTEST_SKIP() << "reference rewritten: " << golden;
  }
  std::vector<std::string> expected;
  std::string error;
  ASSERT_TRUE(ReadTextLines(golden, expected, error)) << error;
  const std::vector<std::string> got = SplitTextLines(text);
  for (size_t i = 0; i < std::max(got.size(), expected.size()); ++i)
    EXPECT_EQ(i < got.size() ? got[i] : "<none>", i < expected.size() ? expected[i] : "<none>")
        << "line " << i + 1;
}

}  // namespace
