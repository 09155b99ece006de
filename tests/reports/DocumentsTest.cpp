#include "reports/Documents.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "stability/Stability.h"

namespace {

using Lines = std::vector<std::string>;

class DocumentsTest : public testing::Test {
 protected:
  void SetUp() override {
    plan = CreatePlanData();
    for (const char* name : {"010082", "010084", "030082", "030084"}) {
      StructCel& c = plan->Cells[static_cast<size_t>(plan->CellCount++)];
      c.CELL = name;
    }
    plan->ReeferTypes[0] = "RF";
    plan->ReeferTypeCount = 1;
  }
  StructDat& OnBoard(int cell, const char* number, double weight) {
    StructDat& u = plan->Cur()[static_cast<size_t>(cell)];
    u = Unit(number, weight);
    u.POSITION = plan->Cells[static_cast<size_t>(cell)].CELL;
    u.BOOKING = "BKG" + std::to_string(cell);
    return u;
  }
  StructDat& Manifest(const char* number, double weight, const char* document) {
    StructDat& q = plan->Dat[kQuayPlane][static_cast<size_t>(plan->QuayCount++)];
    q = Unit(number, weight);
    q.BOOKING = document;
    return q;
  }
  static StructDat Unit(const char* number, double weight) {
    StructDat u;
    u.CONTAINER = number;
    u.SIZ = "20";
    u.TYP = "DV";
    u.POL = "HAM";
    u.POD = "RTM";
    u.WEIGHT = weight;
    u.OPERATOR = "MSC";
    u.STATUS = 1;
    return u;
  }
  std::string Title() const { return TitleLine(*plan, plan->CurPlane); }

  std::unique_ptr<PlanData> plan;
};

TEST_F(DocumentsTest, ContainerTypesLeaveOutStarredCodes) {
  plan->Types[0] = {"DV", "DRY VAN", "22G1", "", "", ""};
  plan->Types[1] = {"XX", "RETIRED", "*2G1", "", "", ""};
  plan->Types[2] = {"RF", "REEFER", "22R1", "", "", ""};
  plan->TypeCount = 3;
  EXPECT_EQ(ContainerTypesLines(*plan), (Lines{"DV DRY VAN G1", "RF REEFER R1"}));
}

TEST_F(DocumentsTest, NotesOfSelectedUnitsWithTheirClassesAndTemperatures) {
  StructDat& imo = OnBoard(0, "ABCU1234567", 10);
  imo.FL2 = 1;
  imo.IMO[0] = "3";
  imo.UN[0] = "1203";
  imo.IMO[1] = "8";
  imo.NOTE_HAN = "AWAY FROM HEAT";
  imo.NOTE_ZZZ = "CALL MASTER";
  StructDat& reefer = OnBoard(1, "REFU7654321", 12);
  reefer.TYP = "RF";
  reefer.FL2 = 5;
  reefer.TEMP = -18;
  reefer.TEMP_2 = -20;
  reefer.NOTE_CLR = "CUSTOMS";
  StructDat& unselected = OnBoard(2, "NOSU1111111", 12);
  unselected.FL2 = 1;
  unselected.SELECTED = 0;
  unselected.NOTE_HAN = "NOT SHOWN";
  StructDat& noFlag = OnBoard(3, "NOFU2222222", 12);
  noFlag.FL2 = 2;
  noFlag.NOTE_HAN = "NOT SHOWN EITHER";
  EXPECT_EQ(NotesLines(*plan), (Lines{"010082-ABCU1234567  20DV HAM/RTM    IMO/UN: /3 1203/8XXXX ",
                                      "  HAN: AWAY FROM HEAT", "  ZZZ: CALL MASTER", " ",
                                      "010084-REFU7654321  20RF HAM/RTM   Temps: -18/-20", "  CLR: CUSTOMS", " "}));
}

TEST_F(DocumentsTest, DocumentsBeginWithTheTitleOfTheCondition) {
  Stability stability(*plan);
  // No unit with notes: the title and a blank line only.
  EXPECT_EQ(DocumentLines(*plan, stability, DocumentKind::Notes), (Lines{Title(), " "}));
  Lines report{Title(), " "};
  stability.StabilityReport(report);
  EXPECT_EQ(DocumentLines(*plan, stability, DocumentKind::Condition), report);
  // The types list has no title.
  EXPECT_TRUE(DocumentLines(*plan, stability, DocumentKind::Types).empty());
}

// On board: A as in the manifest but for 1 t of weight, B with another POD
// and 1.1 t more in the manifest, C not in the manifest, D a bundle member.
// Manifest (after one unit kept on the quay before it): A with a blank
// document, B, and E which is not on board.
TEST_F(DocumentsTest, ManifestComparisonInThreeSections) {
  OnBoard(0, "AAAU1111111", 20);
  OnBoard(1, "BBBU2222222", 20);
  OnBoard(2, "CCCU3333333", 15.5).MTY = 1;
  OnBoard(3, "DDDU4444444", 3).FL3 = 1;
  Manifest("KEPT0000001", 9, "OLD");
  Manifest("AAAU1111111", 21, "");
  Manifest("BBBU 2222222", 21.1, "BL-77").POD = "ANR";  // as a list writes it
  Manifest("EEEU5555555", 8, "BL-99").IMO[0] = "3";
  const Lines lines = ManifestComparisonLines(*plan, 1);
  EXPECT_EQ(lines, (Lines{Title(), " ", " SERIAL #     CELL  DOCUMENT   TYPE POL POD WEIGHT MTY OPER IMO ",
                          "1) DISCREPANCES",
                          "BBBU2222222  010084            20DV HAM RTM  20.00     MSC      ",
                          "BBBU 2222222        BL-77      20DV HAM ANR  21.10     MSC       pod weight ",
                          " ",
                          "2)  NOT ON MANIFEST",
                          "CCCU3333333  030082            20DV HAM RTM  15.50 MTY MSC      ",
                          " ",
                          "3)  NOT ON VESSEL",
                          "EEEU5555555         BL-99      20DV HAM RTM   8.00     MSC  3   "}));
  // A report: the units keep their bookings, the quay its records.
  EXPECT_EQ(plan->Cur()[0].BOOKING, "BKG0");
  EXPECT_EQ(plan->Cur()[2].BOOKING, "BKG2");
  EXPECT_EQ(plan->QuayCount, 4);
  EXPECT_EQ(plan->Dat[kQuayPlane][1].POSITION, "");
}

TEST_F(DocumentsTest, ManifestInAgreementGivesOnlyTheHeadings) {
  OnBoard(0, "AAAU1111111", 20);
  Manifest("AAAU1111111", 20.5, "BL-1");
  EXPECT_EQ(ManifestComparisonLines(*plan, 0),
            (Lines{Title(), " ", " SERIAL #     CELL  DOCUMENT   TYPE POL POD WEIGHT MTY OPER IMO ", " "}));
}

TEST_F(DocumentsTest, DarkListOnlyForTheStabilityDocumentsAndNotes) {
  plan->Settings[72] = "1";
  EXPECT_TRUE(DocumentIsDark(*plan, DocumentKind::Condition));
  EXPECT_TRUE(DocumentIsDark(*plan, DocumentKind::Notes));
  EXPECT_FALSE(DocumentIsDark(*plan, DocumentKind::Manifest));
  EXPECT_FALSE(DocumentIsDark(*plan, DocumentKind::Types));
  plan->Settings[72] = "0";
  EXPECT_FALSE(DocumentIsDark(*plan, DocumentKind::Condition));
}

}  // namespace
