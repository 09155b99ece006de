#include <gtest/gtest.h>

#include <string>

#include "BadFiles.h"
#include "EdiFixture.h"
#include "EdiTrailer.h"
#include "SharedFiles.h"
#include "TempDir.h"
#include "core/TextHelpers.h"
#include "planning/Quay.h"
#include "vessel/Ports.h"

namespace {

using editest::EdiTest;
using editest::kHeader;
using editest::kTrailer;
using editest::UnitSegments;

TEST(EdiText, DateTexts) {
  struct Case {
    const char* value;
    const char* format;
    const char* expected;
  } cases[] = {
      {"2403150930", "201", "2024/03/15 09:30"},
      {"202403150930", "203", "2024/03/15 09:30"},
      {"240317", "101", "2024/03/17"},
      {"20240317", "102", "2024/03/17"},
      {"0930", "401", "09:30"},
      {"1711200824", "", "2017/11/20"},
      {"", "201", "20// :"},
      {"99", "203", "99// :"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EdiDateText(c.value, c.format), c.expected) << c.value << " " << c.format;
}

TEST(EdiText, ContainerNumbers) {
  struct Case {
    const char* text;
    bool sevenDigits;
    const char* expected;
  } cases[] = {
      {"MSCU1234567", false, "MSCU 1234567"},
      {"MSCU 1234567", false, "MSCU 1234567"},
      {" MSCU  1234 567 ", false, "MSCU 1234567"},
      {"MSCU01234567", false, "MSCU 01234567"},
      {"MSCU01234567", true, "MSCU 1234567"},
      {"MSCU11234567", true, "MSCU 11234567"},
      {"MSCU1234567", true, "MSCU 1234567"},
      {"1234567", false, "1234567"},
      {"", false, ""},
      {"BREAKBULK", false, "BREAKBULK"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NormaliseContainerNumber(c.text, c.sevenDigits), c.expected) << c.text;
}

TEST_F(EdiTest, HeaderPassFillsTheHeader) {
  EdiImport import(ctx, base);
  import.OpenBytes(kHeader + UnitSegments("0010682", "MSCU1234567", "22G1", "10000") + kTrailer);
  const EdiHeader& h = import.Header;
  EXPECT_EQ(h.Caption, "Import BAPLIE");
  EXPECT_EQ(h.Kind, EdiMessageKind::Baplie);
  EXPECT_EQ(h.Version, "2.0");
  EXPECT_EQ(h.Function, EdiFunction::Original);
  EXPECT_EQ(h.Sender, "SENDER");
  EXPECT_EQ(h.Recipient, "RECEIVER");
  EXPECT_EQ(h.Carrier, "CAR");
  EXPECT_EQ(h.VesselName, "TEST VESSEL");
  EXPECT_EQ(h.VesselCode, "CALL9");
  EXPECT_EQ(h.DischargingVoy, "101W");
  EXPECT_EQ(h.LoadingVoy, "102E");
  EXPECT_EQ(h.Departure, "DEHAM");
  EXPECT_EQ(import.Options.ThisPort, "DEHAM");
  EXPECT_EQ(h.NextPort, "NLRTM");
  EXPECT_EQ(h.ArrivalDate, "2024/03/14 08:00");
  EXPECT_EQ(h.DepartureDate, "2024/03/15 23:00");
  EXPECT_EQ(h.NextPortArrival, "2024/03/17");
  EXPECT_TRUE(import.Options.DumpLoad);
  EXPECT_FALSE(import.Options.DumpAll);
  EXPECT_EQ(UnitsOnBoard(), 0) << "the header pass leaves the plan alone";
}

TEST_F(EdiTest, HeaderVariants) {
  struct Case {
    std::string segments;
    EdiMessageKind kind;
    std::string version;
    EdiFunction function;
    std::string vesselName, vesselCode, carrier, departure;
  } cases[] = {
      {"UNH+1+BAPLIE:1:911:UN:SMDG15'BGM++1+5'TDT+20+V1++CALL:103::OLD SHIP:DE++OPS:172:20'LOC+5+HAM'",
       EdiMessageKind::Baplie, "1.5", EdiFunction::Replace, "OLD SHIP", "CALL", "OPS", "XXHAM"},
      {"UNH+1+BAPLIE:D:95B:UN:SMDG22'BGM++1+22'TDT+20+V1+++C22:172:20+++9123456:146:11:NEW SHIP'",
       EdiMessageKind::Baplie, "2.2", EdiFunction::Final, "NEW SHIP", "9123456", "C22", ""},
      {"UNH+1+MOVINS:D:95B:UN:SMDG20'BGM++1+2'RFF+VM:VM1'", EdiMessageKind::Movins, "2.0", EdiFunction::Add,
       "", "VM1", "", ""},
      {"UNH+1+COPRAR:D:00B:UN:SMDG20'BGM+45+X+9'LOC+9+ESALG+A1:72:ZZZ'", EdiMessageKind::Coprar, "2.0",
       EdiFunction::Original, "", "", "", "ESALG"},
  };
  for (const Case& c : cases) {
    EdiImport import(ctx, base);
    import.OpenBytes(c.segments);
    EXPECT_EQ(import.Header.Kind, c.kind) << c.segments;
    EXPECT_EQ(import.Header.Version, c.version) << c.segments;
    EXPECT_EQ(import.Header.Function, c.function) << c.segments;
    EXPECT_EQ(import.Header.VesselName, c.vesselName) << c.segments;
    EXPECT_EQ(import.Header.VesselCode, c.vesselCode) << c.segments;
    EXPECT_EQ(import.Header.Carrier, c.carrier) << c.segments;
    EXPECT_EQ(import.Header.Departure, c.departure) << c.segments;
  }
}

TEST_F(EdiTest, PositionsFindTheirCells) {
  Import(kHeader + UnitSegments("0010182", "MSCU1000001", "22G1", "10000") +  // 3-digit bay
         UnitSegments("020284", "MSCU1000002", "42G1", "20000") +             // 40' bay
         UnitSegments("00010084", "MSCU1000003", "22G1", "10000") +           // 8 digits
         UnitSegments("10002", "MSCU1000004", "22G1", "10000") +              // too short: zero-padded
         UnitSegments("0010682", "MSCU1000005", "22G1", "10000") +            // no such cell
         UnitSegments(":139", "MSCU1000006", "22G1", "10000") +               // empty position
         UnitSegments("0010102", "MSCU1000007", "45G1", "10000") +            // a 40' unit at a 20' position
         kTrailer);
  EXPECT_EQ(At("010182").CONTAINER, "MSCU 1000001");
  EXPECT_EQ(At("010182").SIZ, "20");
  EXPECT_EQ(At("010182").TYP, "DV");
  StructDat& forty = At("010284");
  EXPECT_EQ(forty.CONTAINER, "MSCU 1000002");
  EXPECT_EQ(forty.SIZ, "40");
  EXPECT_EQ(At("030284").STATUS, -1) << "the 40' unit covers the aft cell";
  EXPECT_EQ(At("010084").CONTAINER, "MSCU 1000003");
  EXPECT_EQ(At("010002").CONTAINER, "MSCU 1000004");
  EXPECT_EQ(At("010102").SIZ, "40") << "the ISO code decides the size";
  EXPECT_EQ(At("010102").TYP, "HC");
  EXPECT_DOUBLE_EQ(At("010102").HEIGHT, 9.6);

  const std::vector<StructDat> quay = Quay();
  ASSERT_EQ(quay.size(), 2u);
  EXPECT_EQ(quay[0].CONTAINER, "MSCU 1000005");
  EXPECT_EQ(quay[0].POSITION, "010682") << "the position read is kept";
  EXPECT_EQ(quay[1].CONTAINER, "MSCU 1000006");
  EXPECT_EQ(quay[1].POSITION, "");
  EXPECT_EQ(importer->Loaded, 5);
  EXPECT_EQ(importer->Refused, 2);
  EXPECT_EQ(plan.Messages[51], "2 units refused and put to quay");
  EXPECT_EQ(host.messages, std::vector<int>{51});
}

TEST_F(EdiTest, FileCutOffAfterItsLastUnitKeepsIt) {
  Import(kHeader + UnitSegments("0010002", "MSCU1000001", "22G1", "10000") +
         UnitSegments("0010004", "MSCU1000002", "22G1", "10000"));
  EXPECT_EQ(At("010002").CONTAINER, "MSCU 1000001");
  EXPECT_EQ(At("010004").CONTAINER, "MSCU 1000002");
}

TEST_F(EdiTest, BayTranslationAppliesToPositions) {
  plan.BayTrans[0] = "077";
  plan.BayTrans[1] = "001";
  plan.BayTransCount = 1;
  Import(kHeader + UnitSegments("0770102", "MSCU1000001", "22G1", "10000") + kTrailer);
  EXPECT_EQ(At("010102").CONTAINER, "MSCU 1000001");
}

TEST_F(EdiTest, WeightsTemperaturesDimensionsAndDangerousGoods) {
  struct Case {
    const char* name;
    std::string iso;
    std::string extra;  // segments after the two LOCs
    std::string weightSegment;
    void (*check)(const StructDat&);
  } cases[] = {
      {"kilograms", "22G1", "", "MEA+WT++KGM:24000'",
       [](const StructDat& u) { EXPECT_DOUBLE_EQ(u.WEIGHT, 24); }},
      {"tonnes already", "22G1", "", "MEA+WT++KGM:24'",
       [](const StructDat& u) { EXPECT_DOUBLE_EQ(u.WEIGHT, 24); }},
      {"one kilogram", "22G1", "", "MEA+WT++KGM:1'",
       [](const StructDat& u) { EXPECT_DOUBLE_EQ(u.WEIGHT, 0.001); }},
      {"decimals", "22G1", "", "MEA+WT++KGM:23780.0'",
       [](const StructDat& u) { EXPECT_NEAR(u.WEIGHT, 23.78, 1e-9); }},
      {"tonnes unit", "22G1", "", "MEA+WT++TNE:0.5'",
       [](const StructDat& u) { EXPECT_DOUBLE_EQ(u.WEIGHT, 0.5); }},
      {"VGM alone", "22G1", "", "MEA+VGM++KGM:21000'",
       [](const StructDat& u) {
         EXPECT_DOUBLE_EQ(u.WEIGHT, 21);
         EXPECT_EQ(u.WEIGHT_KIND, "VGM");
       }},
      {"VGM beside WT", "22G1", "", "MEA+WT++KGM:20000'MEA+VGM++KGM:21000'",
       [](const StructDat& u) { EXPECT_DOUBLE_EQ(u.WEIGHT, 21); }},
      {"empty VGM after WT", "22G1", "", "MEA+WT++KGM:20000'MEA+VGM++KGM'MEA+VGM++KGM:'",
       [](const StructDat& u) {
         EXPECT_DOUBLE_EQ(u.WEIGHT, 20);
         EXPECT_EQ(u.WEIGHT_KIND, "");
       }},
      {"COPRAR style gross mass", "22G1", "", "MEA+AAE+G+KGM:22664'",
       [](const StructDat& u) { EXPECT_DOUBLE_EQ(u.WEIGHT, 22.664); }},
      {"range in Fahrenheit", "22R1", "RNG+4+FAH:32:50'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.TEMP, 0);
         EXPECT_EQ(u.TEMP_2, 10);
       }},
      {"set point in Fahrenheit", "22R1", "TMP+2+0:FAH'", "",
       [](const StructDat& u) { EXPECT_EQ(u.TEMP, -17); }},
      {"set point and range", "22R1", "TMP+2+-18:CEL'RNG+4+CEL:-20:-16'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.TEMP, -20);
         EXPECT_EQ(u.TEMP_2, -16);
       }},
      {"empty range keeps the set point", "22R1", "TMP+2+-18:CEL'RNG+4+CEL:0:0'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.TEMP, -18);
         EXPECT_EQ(u.TEMP_2, -18);
       }},
      {"tenths", "22R1", "TMP+2+-180:CEL'", "", [](const StructDat& u) { EXPECT_EQ(u.TEMP, -18); }},
      {"decimal set point", "22R1", "TMP+2+-18.5:CEL'", "",
       [](const StructDat& u) { EXPECT_EQ(u.TEMP, -18); }},
      {"reefer without temperature", "22R1", "", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.TYP, "RF");
         EXPECT_EQ(u.TEMP, 999);
         EXPECT_EQ(u.TEMP_2, 999);
       }},
      {"dry unit without temperature", "22G1", "", "", [](const StructDat& u) { EXPECT_EQ(u.TEMP, 0); }},
      {"over-dimensions", "22G1", "DIM+5+CM:30'DIM+6+CM:20'DIM+7+CMT::15'DIM+8+CM::25'DIM+9+CM:::40'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.OL, 50);
         EXPECT_EQ(u.OWS, 15);
         EXPECT_EQ(u.OWP, 25);
         EXPECT_EQ(u.OH, 40);
       }},
      {"width split by DIM+9", "22G1", "DIM+9+CM::41:12'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.OWS, 20);
         EXPECT_EQ(u.OWP, 21);
         EXPECT_EQ(u.OH, 12);
       }},
      {"dimensions capped", "22G1", "DIM+9+CM:20000:0:5000'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.OH, 999);
         EXPECT_EQ(u.OL, 9999);
       }},
      {"classes", "22G1", "DGS+IMD+3.2+1993'DGS+IMD+3+9999'DGS+IMD+1.4G+0012'DGS+IMD+3:III+1993'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.IMO[0], "3");
         EXPECT_EQ(u.UN[0], "1993");
         EXPECT_EQ(u.IMO[1], "1.4G");
         EXPECT_EQ(u.UN[1], "0012");
         EXPECT_EQ(u.IMO[2], "");
       }},
      {"unknown UN number completed later", "22G1", "DGS+IMD+8+9999'DGS+IMD+8+1789'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.UN[0], "1789");
         EXPECT_EQ(u.IMO[1], "");
       }},
      {"flash point", "22G1", "DGS+IMD+3+1203+23:CEL'DGS+IMD+6.1+2810+99:CEL'", "",
       [](const StructDat& u) { EXPECT_EQ(u.TEMP, 23); }},
      {"flash point in Fahrenheit", "22G1", "DGS+IMD+3+1203+50:FAH'", "",
       [](const StructDat& u) { EXPECT_EQ(u.TEMP, 10); }},
      {"eleven pairs", "22G1",
       "DGS+IMD+2.1+1001'DGS+IMD+2.2+1002'DGS+IMD+2.3+1003'DGS+IMD+4.1+1004'DGS+IMD+4.2+1005'"
       "DGS+IMD+4.3+1006'DGS+IMD+5.1+1007'DGS+IMD+5.2+1008'DGS+IMD+6.1+1009'DGS+IMD+8+1010'DGS+IMD+9+1011'",
       "",
       [](const StructDat& u) {
         EXPECT_EQ(u.IMO[8], "6.1");
         EXPECT_EQ(u.IMO[9], "9") << "the last pair overwrites the tenth";
         EXPECT_EQ(u.UN[9], "1011");
       }},
      {"notes", "22G1",
       "FTX+AAA+++KEEP DRY'FTX+HAN+++TOP?+STOW'FTX+ZZZ+++HL'FTX+XYZ+++FIRST'FTX+ZZZ+++SECOND'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.NOTE_AAA, "KEEP DRY");
         EXPECT_EQ(u.NOTE_HAN, "TOP+STOW");
         EXPECT_EQ(u.NOTE_ZZZ, "FIRST SECOND ");
       }},
      {"booking, operator, onward and origin ports", "22G1",
       "RFF+BN:BK123'LOC+83+FRLEH:139:6'LOC+76+BEANR:139:6'", "",
       [](const StructDat& u) {
         EXPECT_EQ(u.BOOKING, "BK123");
         EXPECT_EQ(u.PRS, "LEH");
         EXPECT_EQ(u.FRM, "ANR");
         EXPECT_EQ(u.OPERATOR, "OPR");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = kHeader + "LOC+147+0010002::5'" + c.weightSegment +
                              "LOC+9+DEHAM:139:6'LOC+11+NLRTM:139:6'" + c.extra +
                              "RFF+BM:1'EQD+CN+MSCU1234567+" + c.iso + "+++5'NAD+CA+OPR:172:20'" + kTrailer;
    // "Dump all" empties the plan first, so every case starts afresh.
    Import(bytes, [](EdiImportOptions& o) { SetDumpAll(o, true); });
    ASSERT_EQ(importer->Loaded, 1);
    c.check(At("010002"));
  }
}

StructDat OnBoard(const std::string& number, const std::string& pol, const std::string& pod) {
  StructDat u = plantest::Unit(number);
  u.POL = pol;
  u.POD = pod;
  return u;
}

int CountNumber(const PlanData& plan, const std::string& number) {
  int n = 0;
  for (int i = 0; i < plan.CellCount; ++i)
    if (plan.Cur()[static_cast<size_t>(i)].STATUS == 1 &&
        plan.Cur()[static_cast<size_t>(i)].CONTAINER == number)
      ++n;
  return n;
}

TEST_F(EdiTest, DumpLoadReplacesThisPortAndFindsRestows) {
  Load("010082", OnBoard("MSCU 2000001", "ANR", "HAM"));  // discharged here
  Load("010182", OnBoard("MSCU 2000002", "ANR", "RTM"));  // stays where it is
  Load("010282", OnBoard("MSCU 2000003", "ANR", "RTM"));  // restowed to 010084
  Load("010002", OnBoard("MSCU 2000004", "HAM", "RTM"));  // loaded here, read again
  plan.RemoveToQuay = 1;
  Import(kHeader + UnitSegments("0010182", "MSCU2000002", "22G1", "10000", "BEANR") +
         UnitSegments("0010084", "MSCU2000003", "22G1", "10000", "BEANR") +
         UnitSegments("0010002", "MSCU2000004", "22G1", "12000") + kTrailer);
  EXPECT_EQ(At("010082").STATUS, 0);
  EXPECT_EQ(CountNumber(plan, "MSCU 2000002"), 1);
  EXPECT_EQ(At("010182").CONTAINER, "MSCU 2000002");
  EXPECT_EQ(At("010282").STATUS, 0);
  EXPECT_EQ(At("010084").CONTAINER, "MSCU 2000003");
  EXPECT_EQ(At("010084").RESTOW, 1);
  EXPECT_DOUBLE_EQ(At("010002").WEIGHT, 12);
  EXPECT_EQ(importer->Moved, 1);
  EXPECT_EQ(importer->Restows, 1);
  EXPECT_EQ(importer->Refused, 0);
  EXPECT_TRUE(Quay().empty()) << "removals made by the import never go to the quay";
  EXPECT_EQ(plan.RemoveToQuay, 1) << "and the option is restored";
  EXPECT_EQ(plan.Messages[51], "1 restows ");
  EXPECT_EQ(plan.ConditionModified, 1);
}

TEST_F(EdiTest, DumpLoadKeepsAFortyNamedByItsAftCell) {
  Load("010282", [] {
    StructDat u = OnBoard("MSCU 2000006", "ANR", "RTM");
    u.SIZ = "40";
    u.ISO = "42G1";
    return u;
  }());
  Import(kHeader + UnitSegments("0030282", "MSCU2000006", "42G1", "10000", "BEANR") + kTrailer);
  EXPECT_EQ(CountNumber(plan, "MSCU 2000006"), 1);
  EXPECT_TRUE(Quay().empty());
}

TEST_F(EdiTest, DumpLoadIntoAnEmptyPlanLosesNoUnit) {
  // Units loaded at earlier ports that are not on board yet are taken too.
  Import(kHeader + UnitSegments("0010182", "MSCU2000002", "22G1", "10000", "BEANR") +
         UnitSegments("0010682", "MSCU2000003", "22G1", "10000", "BEANR") + kTrailer);
  EXPECT_EQ(At("010182").CONTAINER, "MSCU 2000002");
  ASSERT_EQ(Quay().size(), 1u);
  EXPECT_EQ(Quay()[0].CONTAINER, "MSCU 2000003");
  EXPECT_EQ(importer->Restows, 0);
}

TEST_F(EdiTest, WithoutDumpLoadEveryUnitIsTaken) {
  Load("010182", OnBoard("MSCU 2000002", "ANR", "RTM"));
  Import(kHeader + UnitSegments("0010182", "MSCU2000002", "22G1", "10000", "BEANR") +
             UnitSegments("0010282", "MSCU2000009", "22G1", "10000", "BEANR") + kTrailer,
         [](EdiImportOptions& o) { SetDumpLoad(o, false); });
  EXPECT_EQ(At("010282").CONTAINER, "MSCU 2000009");
  ASSERT_EQ(Quay().size(), 1u) << "the occupied cell refuses the second copy";
  EXPECT_EQ(Quay()[0].POSITION, "010182");
}

TEST_F(EdiTest, QuayQuestion) {
  for (Host::Answer answer : {Host::Answer::Yes, Host::Answer::No}) {
    ClearQuay(plan);
    ASSERT_TRUE(PutToQuay(plan, OnBoard("MSCU 9000001", "HAM", "RTM")));
    host.answers.push_back(answer);
    Import(kHeader + kTrailer);
    ASSERT_FALSE(host.questions.empty());
    EXPECT_EQ(host.questions.back().question, "The Quay is not empty - clear the Quay?");
    EXPECT_EQ(Quay().size(), answer == Host::Answer::Yes ? 0u : 1u);
  }
}

TEST_F(EdiTest, EmptyFlatRacksShareOnePosition) {
  std::string racks;
  for (int i = 1; i <= 8; ++i)
    racks +=
        UnitSegments("0010002", "FRCU300000" + std::to_string(i), "22P1", "3000", "DEHAM", "NLRTM", "", "4");
  Import(kHeader + racks + kTrailer);
  const StructDat& bundle = At("010002");
  EXPECT_EQ(bundle.CONTAINER, "FRCU 3000001");
  for (int k = 0; k < kEqaSlots; ++k)
    EXPECT_EQ(bundle.EQA[static_cast<size_t>(k)], "FRCU 300000" + std::to_string(k + 2));
  EXPECT_NEAR(bundle.WEIGHT, 21, 1e-9);
  const std::vector<StructDat> quay = Quay();
  ASSERT_EQ(quay.size(), 1u) << "a rack beyond the attachable ones is not lost";
  EXPECT_EQ(quay[0].CONTAINER, "FRCU 3000008");
  EXPECT_NEAR(quay[0].WEIGHT, 3, 1e-9);

  // A full unit or another route is not merged.
  host.answers.push_back(Host::Answer::Yes);  // clear the quay
  Import(kHeader + UnitSegments("0010004", "FRCU4000001", "22P1", "3000", "DEHAM", "NLRTM", "", "4") +
             UnitSegments("0010004", "FRCU4000002", "22P1", "3000", "DEHAM", "BEANR", "", "4") + kTrailer,
         [](EdiImportOptions& o) { SetDumpAll(o, true); });
  EXPECT_EQ(At("010004").EQA[0], "");
  EXPECT_EQ(importer->Refused, 1);
}

TEST_F(EdiTest, AttachedEquipmentAndBundleMembers) {
  Import(kHeader + UnitSegments("0010002", "FRCU5000001", "22P1", "3000", "DEHAM", "NLRTM", "", "4") +
         "LOC+147+0010004::5'LOC+9+DEHAM'LOC+11+NLRTM'RFF+ET:0010002'" +
         "LOC+147+0010006::5'LOC+9+DEHAM'LOC+11+NLRTM'RFF+BM:1'EQD+CN+FRCU5000002+22P1+++4'"
         "EQA+CN+FRCU 5000003'EQA+CN+FRCU5000002'EQA+CN+FRCU5000004'" +
         kTrailer);
  EXPECT_EQ(At("010004").CONTAINER, "ET:010002");
  EXPECT_EQ(At("010004").FL3, 1);
  EXPECT_EQ(At("010006").EQA[0], "FRCU 5000003");
  EXPECT_EQ(At("010006").EQA[1], "FRCU 5000004") << "its own number is not attached to itself";
}

TEST_F(EdiTest, UnknownPortsAreAskedOnceAndRemembered) {
  plan.Tra[0] = StructTra{"P", "HMB", "HAM"};
  plan.Tra[1] = StructTra{"O", "OPR", "OPX"};
  plan.TraCount = 2;
  host.portAnswers.push_back("RTM");
  Import(kHeader + UnitSegments("0010002", "MSCU1000001", "22G1", "10000", "DEHMB", "XXABC") +
         UnitSegments("0010004", "MSCU1000002", "22G1", "10000", "DEHAM", "XXABC", "LOC+83+USNYC'") +
         UnitSegments("0010006", "MSCU1000003", "22G1", "10000", "DEHAM", "QRSX", "LOC+83+XXQQQ'") +
         kTrailer);
  ASSERT_EQ(host.portQuestions.size(), 2u);
  EXPECT_EQ(host.portQuestions[0].country, "XX");
  EXPECT_EQ(host.portQuestions[0].code, "ABC");
  EXPECT_EQ(host.portQuestions[0].letter, "AB");
  EXPECT_EQ(host.portQuestions[1].code, "QRS");
  EXPECT_EQ(host.portQuestions[1].description, "QRSX") << "a four-character code describes itself";
  EXPECT_EQ(At("010002").POL, "HAM") << "translated through the code table";
  EXPECT_EQ(At("010002").POD, "RTM");
  EXPECT_EQ(At("010002").OPERATOR, "OPX");
  EXPECT_EQ(At("010004").POD, "RTM") << "the first answer is remembered";
  EXPECT_EQ(At("010004").PRS, "NYC");
  EXPECT_GE(FindPort(plan, "NYC"), 0) << "an onward port with a country is added to the table";
  EXPECT_EQ(At("010006").POD, "QRS") << "the code shown was kept";
  EXPECT_EQ(At("010006").PRS, "QQQ");
  EXPECT_LT(FindPort(plan, "QQQ"), 0);
}

const std::string kMovinsHeader =
    "UNB+UNOA:1+S+R+240315:0930+M1+++++CAR'UNH+M1+MOVINS:D:95B:UN:SMDG20'BGM++M1+9'"
    "TDT+20+101W+++CAR:172:20+++CALL9:103:ZZZ:TEST VESSEL'LOC+5+DEHAM:139:6'LOC+61+NLRTM:139:6'"
    "DTM+132:2403160800:201'RFF+VON:102E'";

TEST_F(EdiTest, MovinsDischargesRestowsAndLoads) {
  Load("010082", OnBoard("MSCU 3000001", "ANR", "HAM"));
  Load("010182", OnBoard("MSCU 3000002", "ANR", "FXT"));
  Load("010282", OnBoard("MSCU 3000003", "ANR", "FXT"));  // not in the message: stays
  const std::string movins =
      kMovinsHeader + "HAN+DIS'" + UnitSegments("0010082", "MSCU3000001", "22G1", "10000", "BEANR", "DEHAM") +
      "HAN+RES'LOC+147+0010182::5'MEA+WT++KGM:10000'LOC+9+BEANR'LOC+11+GBFXT'"
      "RFF+DSI:0010084'EQD+CN+MSCU3000002+22G1+++5'NAD+CA+OPR:172:20'"
      "HAN+LOA'" +
      UnitSegments("0010002", "MSCU3000004", "22G1", "15000") +
      "LOC+147+0010004::5'MEA+WT++KGM:20000'LOC+9+DEHAM'LOC+11+NLRTM'EQD+CN++22G1+++5'"
      "LOC+147+0010282::5'MEA+WT++KGM:18000'LOC+9+DEHAM'LOC+11+NLRTM'EQD+CN++22G1+++5'" +
      kTrailer;
  Import(movins, [](EdiImportOptions& o) { o.ClearWeights = true; });
  EXPECT_EQ(importer->Header.Kind, EdiMessageKind::Movins);
  EXPECT_EQ(importer->Header.ArrivalDate, "2024/03/16 08:00");
  EXPECT_EQ(At("010082").STATUS, 0);
  EXPECT_EQ(At("010182").STATUS, 0);
  EXPECT_EQ(At("010084").CONTAINER, "MSCU 3000002");
  EXPECT_EQ(At("010084").RESTOW, 1);
  EXPECT_EQ(At("010084").ISO, "") << "a MOVINS carries no ISO codes into the plan";
  EXPECT_EQ(At("010282").CONTAINER, "MSCU 3000003");
  EXPECT_EQ(At("010002").CONTAINER, "MSCU 3000004");
  EXPECT_DOUBLE_EQ(At("010002").WEIGHT, 15);
  EXPECT_EQ(At("010004").STATUS, 1);
  EXPECT_DOUBLE_EQ(At("010004").WEIGHT, 0) << "a slot without number weighs nothing with Clear weights";
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "P");
  EXPECT_EQ(importer->Loaded, 3);
  // The last slot finds its cell taken: it waits on the quay with the
  // weight it was read with, not the one Clear weights gave it.
  const std::vector<StructDat> quay = Quay();
  ASSERT_EQ(quay.size(), 1u);
  EXPECT_EQ(quay[0].POSITION, "010282");
  EXPECT_DOUBLE_EQ(quay[0].WEIGHT, 18);
  EXPECT_EQ(At("010282").CONTAINER, "MSCU 3000003");
}

TEST_F(EdiTest, CoprarSendsEveryUnitToTheQuay) {
  Load("010082", OnBoard("MSCU 3000001", "ANR", "HAM"));
  const std::string coprar =
      "UNB+UNOA:2+S+R+140612:1504+C1'UNH+C1+COPRAR:D:00B:UN:SMDG20'BGM+45+X+9'"
      "TDT+20+004W+1++COS:172:87+++9152272:146::AL RAIN'LOC+9+DEHAM+A1:72:ZZZ:TERMINAL'NAD+CF+COS:172:20'"
      "EQD+CN+CBHU3647902+22G1++2+5'RFF+BN:4504315480'LOC+11+NLRTM'MEA+AAE+AET+KGM:0022000'"
      "EQD+CN+CBHU6159624+42G1++2+5'LOC+11+NLRTM'MEA+AAE+G+KGM:24000'NAD+CA+MSK'"
      "TDT+10+142E+1+13++++D5MG2:::FEEDER'LOC+5+BEANR'"
      "UNT+20+C1'UNZ+1+C1'";
  Import(coprar);
  const std::vector<StructDat> quay = Quay();
  ASSERT_EQ(quay.size(), 2u);
  EXPECT_EQ(quay[0].CONTAINER, "CBHU 3647902");
  EXPECT_EQ(quay[0].POL, "HAM");
  EXPECT_EQ(quay[0].OPERATOR, "COS");
  EXPECT_EQ(quay[0].BOOKING, "4504315480");
  EXPECT_DOUBLE_EQ(quay[0].WEIGHT, 22);
  EXPECT_EQ(quay[1].SIZ, "40");
  EXPECT_EQ(quay[1].OPERATOR, "MSK");
  EXPECT_EQ(quay[1].FRM, "ANR") << "the pre-carriage port becomes the origin";
  EXPECT_EQ(quay[1].NOTE_ZZZ, "");
  EXPECT_EQ(plan.Messages[51], "2 units to quay");
  EXPECT_EQ(At("010082").CONTAINER, "MSCU 3000001") << "a COPRAR leaves the plan alone";
}

TEST_F(EdiTest, FileThatCannotBeOpenedStartsNothing) {
  TempDir dir;
  Load("010082", OnBoard("MSCU 3000001", "ANR", "HAM"));
  EdiImport import(ctx, base);
  EXPECT_FALSE(import.Open(dir.path() / "nothing.edi"));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("nothing.edi"), std::string::npos);
  EXPECT_FALSE(import.Run());
  EXPECT_EQ(At("010082").CONTAINER, "MSCU 3000001");
  EXPECT_TRUE(host.messages.empty());

  const auto file =
      dir.Write("plan.edi", kHeader + UnitSegments("0010002", "MSCU1000001", "22G1", "10000") + kTrailer);
  ASSERT_TRUE(import.Open(file));
  EXPECT_TRUE(import.Run());
  EXPECT_EQ(At("010002").CONTAINER, "MSCU 1000001");
}

TEST_F(EdiTest, SevenDigitOptionComesFromTheSettings) {
  plan.Settings[SettingsIx::EdiSevenDigits] = "1";
  Import(kHeader + UnitSegments("0010002", "MSCU01234567", "22G1", "10000") + kTrailer);
  EXPECT_EQ(At("010002").CONTAINER, "MSCU 1234567");
}

// Real files from elsewhere: every unit ends on board or on the quay.
TEST_F(EdiTest, CorpusFilesLoseNoUnit) {
  const std::filesystem::path folder = CorpusPath(ZUM4_SOURCE_DIR, "edifact");
  ZUM4_REQUIRE_CORPUS(folder);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::string bytes;
    ASSERT_TRUE(ReadEdiFile(entry.path(), bytes, host));
    ClearQuay(plan);
    EdiImport import(ctx, base);
    import.OpenBytes(bytes);
    SetDumpAll(import.Options, true);
    const bool coprar = import.Header.Kind == EdiMessageKind::Coprar;
    int units = 0;
    EdiSegmentReader reader(bytes);
    EdiSegment segment;
    while (reader.Next(segment))
      if (coprar ? segment.Tag() == "EQD" : segment.Is("LOC", "147")) ++units;
    host.errors.clear();
    ASSERT_TRUE(import.Run());
    EXPECT_GT(units, 0);
    EXPECT_EQ(import.Loaded + import.Refused, units);
    // Only a full quay is worth a word, and then one.
    EXPECT_EQ(host.errors.size(), plan.QuayCount < kMaxCells ? 0u : 1u);
    ++files;
  }
  EXPECT_GT(files, 0);
}

// A file that is no interchange is refused with its name and the reason
// before anything changes; one cut off is read with a warning.
TEST_F(EdiTest, BadFilesAreRefusedAndThePlanStays) {
  TempDir dir;
  Load("010082", OnBoard("MSCU 3000001", "ANR", "HAM"));
  const std::string good = WithTrailer(kHeader + UnitSegments("0010002", "MSCU1000001", "22G1", "10000"), "REF1");
  const std::filesystem::path file = dir.path() / "plan.edi";
  for (BadFile kind : AllBadFiles()) {
    SCOPED_TRACE(BadFileName(kind));
    host.errors.clear();
    host.warnings.clear();
    PlaceBadFile(kind, file, good, "CODE;ZFD\r\nVESSEL;ZUM FEEDER\r\n");  // a ptc.txt
    EdiImport import(ctx, base);
    bool opened = false;
    {
      ReadAsNobody nobody(kind);
      opened = import.Open(file);
    }
    if (kind == BadFile::CutOff) {
      EXPECT_TRUE(opened);
      EXPECT_TRUE(host.errors.empty());
      ASSERT_EQ(host.warnings.size(), 1u);
      EXPECT_NE(host.warnings[0].find(file.string() + ": message REF1 has no UNT"), std::string::npos)
          << host.warnings[0];
      continue;
    }
    EXPECT_FALSE(opened);
    const std::string none = "not an EDIFACT interchange";
    ExpectRefused(host.errors, file, RefusalSays(kind, none, none, none));
    EXPECT_FALSE(import.Run());
    EXPECT_EQ(At("010082").CONTAINER, "MSCU 3000001");
  }
}

TEST_F(EdiTest, SegmentCountsAndEquipmentWithoutPositionsAreExplained) {
  TempDir dir;
  const std::string unit = UnitSegments("0010002", "MSCU1000001", "22G1", "10000");
  struct Case {
    std::string bytes;
    bool opens;
    const char* says;  // the warning or the error; "" for none
  } cases[] = {
      {WithTrailer(kHeader + unit, "REF1"), true, ""},
      {kHeader + unit + "UNT+000018+REF1'UNZ+1+REF1'", true, ""},  // zero-padded
      {kHeader + unit + kTrailer, true, "message REF1: its UNT counts 000099 segments, it has 18"},
      {kHeader + unit + "UNT+REF1'UNZ+1+REF1'", true, "its UNT counts REF1 segments"},
      {kHeader + "EQD+CN+MSCU1000001+22G1+++5'" + kTrailer, false,
       "no unit can be read: its 1 EQD segments stand without a stowage position (LOC+147)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    host.errors.clear();
    host.warnings.clear();
    EdiImport import(ctx, base);
    EXPECT_EQ(import.Open(dir.Write("plan.edi", c.bytes)), c.opens);
    const std::vector<std::string>& said = c.opens ? host.warnings : host.errors;
    if (std::string(c.says).empty()) {
      EXPECT_TRUE(host.warnings.empty() && host.errors.empty());
      continue;
    }
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find(c.says), std::string::npos) << said[0];
  }
}

}  // namespace
