// The attribute panel's rules: the type default, the fields a type clears,
// texts to record and back, the captions of break bulk, and the tidying of
// a typed container number.

#include "planning/AttributePanel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/PlanData.h"

namespace {

class AttributePanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plan = CreatePlanData();
    plan->ReeferTypes[0] = "RE";
    plan->ReeferTypes[1] = "RH";
    plan->ReeferTypeCount = 2;
  }
  std::unique_ptr<PlanData> plan;
};

TEST(PanelType, ShortCodesStandForADryVan) {
  struct Case {
    const char* typed;
    const char* type;
  };
  const Case cases[] = {{"", "DV"}, {"D", "DV"}, {" R ", "DV"}, {"RE", "RE"}, {" HC ", "HC"}};
  for (const Case& c : cases) EXPECT_EQ(PanelType(c.typed), c.type) << '"' << c.typed << '"';
}

// Every field starts filled; the case says which survive. Kept: over
// height, over width port, over width starboard, over length, minimum and
// maximum temperature.
TEST_F(AttributePanelTest, FieldsTheTypeGivesNoMeaningAreCleared) {
  struct Case {
    const char* type;
    bool empty;
    const char* imo;
    const char* tempMin;
    const char* kept;  // one letter per field: OH, OWP, OWS, OL, TMin, TMax
  };
  const Case cases[] = {
      {"DV", false, "", "5", "------"},   {"", false, "", "5", "------"},
      {"FR", false, "", "5", "XXXX--"},   {"PM", false, "", "5", "XXXX--"},
      {"BB", false, "", "5", "XXXX--"},   {"FR", true, "", "5", "------"},
      {"OT", false, "", "5", "X-----"},   {"HO", true, "", "5", "X-----"},
      {"RE", false, "", "5", "----XX"},   {"RH", true, "", "5", "------"},
      {"DV", false, "3", "23", "----X-"}, {"DV", false, "3", "0", "------"},
      {"RE", true, "3", "23", "----X-"},
  };
  for (const Case& c : cases) {
    PanelTexts texts;
    texts.type = c.type;
    texts.empty = c.empty;
    texts.imo = c.imo;
    texts.overHeight = texts.overWidthPort = texts.overWidthStarboard = texts.overLength = "12";
    texts.tempMin = c.tempMin;
    texts.tempMax = "8";
    ClearFieldsByType(*plan, texts);
    std::string kept;
    for (const std::string& f : {texts.overHeight, texts.overWidthPort, texts.overWidthStarboard,
                                 texts.overLength, texts.tempMin, texts.tempMax})
      kept += f.empty() ? '-' : 'X';
    EXPECT_EQ(kept, c.kept) << c.type << (c.empty ? " empty" : " full") << " imo " << c.imo;
  }
}

TEST_F(AttributePanelTest, ARecordComesBackFromItsTexts) {
  StructDat reefer;
  reefer.CONTAINER = "ABCD 1234567";
  reefer.POL = "HAM";
  reefer.POD = "RTM";
  reefer.PRS = "SIN";
  reefer.FRM = "BRV";
  reefer.WEIGHT = 24.35;
  reefer.SIZ = "40";
  reefer.TYP = "RE";
  reefer.ISO = "45R1";
  reefer.OPERATOR = "ZUMO";
  reefer.TEMP = 0;  // a setting of 0 degrees is kept, not taken for "none"
  reefer.TEMP_2 = -18;
  reefer.STATUS = 1;
  StructDat flat = reefer;
  flat.TYP = "FR";
  flat.MTY = 1;
  flat.WEIGHT = -1;  // weight unknown
  flat.OH = 30;
  flat.OWP = 12;
  flat.OWS = 14;
  flat.OL = 120;
  flat.TEMP = 0;
  flat.TEMP_2 = 0;
  StructDat hazardous = reefer;
  hazardous.TYP = "DV";
  hazardous.IMO[0] = "3";
  hazardous.UN[0] = "1993";
  hazardous.TEMP = 23;  // flash point
  hazardous.TEMP_2 = 0;
  for (const StructDat& original : {reefer, flat, hazardous}) {
    StructDat read;
    read.HEIGHT = 9.5;  // not in the panel: kept
    read.STATUS = 0;
    read.SELECTED = 0;
    ReadPanelTexts(PanelTextsOf(*plan, original), read);
    StructDat expected = original;
    expected.HEIGHT = 9.5;
    EXPECT_EQ(read, expected) << original.TYP;
  }
  EXPECT_TRUE(PanelTextsOf(*plan, hazardous).flashPoint);
  EXPECT_EQ(PanelTextsOf(*plan, reefer).tempMin, "0");
  EXPECT_FALSE(PanelTextsOf(*plan, reefer).flashPoint);
}

TEST_F(AttributePanelTest, TemperaturesShownOnlyForReefersAndFlashPoints) {
  struct Case {
    const char* type;
    const char* imo;
    int temp;
    const char* tempMin;
    bool flashPoint;
  };
  const Case cases[] = {{"DV", "", 5, "", false},
                        {"DV", "3", 0, "", false},
                        {"DV", "3", 1, "1", true},
                        {"RE", "3", 5, "5", false}};
  for (const Case& c : cases) {
    StructDat unit;
    unit.TYP = c.type;
    unit.IMO[0] = c.imo;
    unit.TEMP = c.temp;
    unit.TEMP_2 = 4;
    const PanelTexts texts = PanelTextsOf(*plan, unit);
    EXPECT_EQ(texts.tempMin, c.tempMin) << c.type << " " << c.imo << " " << c.temp;
    EXPECT_EQ(texts.flashPoint, c.flashPoint) << c.type << " " << c.imo << " " << c.temp;
    EXPECT_EQ(texts.tempMax.empty(), std::string(c.type) != "RE");
  }
}

TEST(LabelsForType, BreakBulkIsMeasured) {
  const TypeLabels bb = LabelsForType("BB");
  EXPECT_STREQ(bb.overHeight, "HEI ");
  EXPECT_STREQ(bb.overWidthPort, "WID ");
  EXPECT_STREQ(bb.overLength, "LEN");
  EXPECT_FALSE(bb.overWidthStarboard);
  for (const char* type : {"FR", "DV", "B", ""}) {
    const TypeLabels other = LabelsForType(type);
    EXPECT_STREQ(other.overHeight, "OH") << type;
    EXPECT_STREQ(other.overWidthPort, "OWP") << type;
    EXPECT_STREQ(other.overLength, " OL") << type;
    EXPECT_TRUE(other.overWidthStarboard) << type;
  }
}

TEST(NormaliseNumber, TypedNumbersTakeTheStoredForm) {
  struct Case {
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {
      {"abcd-12345", "ABCD 0012345"},      // short: zeros after the owner code
      {"ABCD 1234567", "ABCD 1234567"},    // already stored form
      {"ABCD1234567", "ABCD 1234567"},     // compact form
      {"abcu 123.456-7", "ABCU 1234567"},  // punctuation dropped
      {"ABCD12345678", "ABCD 12345678"},   // longer: no zeros
      {"", ""},
      {" - ", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseNumber(c.typed), c.stored) << '"' << c.typed << '"';
}

TEST(SkipsNumberCheck, BreakBulkAndLostSlotMarkers) {
  struct Case {
    const char* type;
    const char* number;
    bool skips;
  };
  const Case cases[] = {{"BB", "ABCD 1234567", true},
                        {"DV", "ET:010282", true},
                        {"DV", "ET+010282", true},
                        {"DV", "ETX 1234567", false},
                        {"DV", "ABCD 1234567", false}};
  for (const Case& c : cases)
    EXPECT_EQ(SkipsNumberCheck(c.type, c.number), c.skips) << c.type << " " << c.number;
}

}  // namespace
