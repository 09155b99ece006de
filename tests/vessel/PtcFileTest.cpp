#include <gtest/gtest.h>

#include "TempDir.h"
#include "core/PlanData.h"
#include "vessel/PtcFile.h"

namespace {

class PtcFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* names[] = {"CODE", "VESSEL", "FLAG", "CALL_SIGN"};
    for (const char* n : names) plan->Vet[plan->VetCount++] = n;
  }
  std::unique_ptr<PlanData> plan = CreatePlanData();
};

TEST_F(PtcFileTest, ParsesNamesValuesAndOddLines) {
  ParsePtc(*plan,
           "CODE;DMS\r\n"
           "VESSEL|OLD NAME\r\n"
           "no separator here\r\n"
           "UNKNOWN;ignored\r\n"
           "FLAG;MT;CALL_SIGN;9HA1234\n"  // a second ";" starts a new name
           "VESSEL;DEMO STAR;\n"           // a closing ";" loses nothing
           "code;lower case is another name");
  EXPECT_EQ(plan->VesHdr[0], "DMS");
  EXPECT_EQ(plan->VesHdr[1], "DEMO STAR");
  EXPECT_EQ(plan->VesHdr[2], "MT");
  EXPECT_EQ(plan->VesHdr[3], "9HA1234");
}

TEST_F(PtcFileTest, WritesEveryVetNameAndReadsBack) {
  TempDir dir;
  std::string error;
  plan->VesHdr[0] = "DMS";
  plan->VesHdr[3] = "9HA1234";
  ASSERT_TRUE(WritePtc(*plan, dir.path() / "ptc.txt", error));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "ptc.txt"));  // no name, no file

  plan->VesHdr[1] = "DEMO STAR";
  ASSERT_TRUE(WritePtc(*plan, dir.path() / "ptc.txt", error)) << error;
  auto other = CreatePlanData();
  other->Vet = plan->Vet;
  other->VetCount = plan->VetCount;
  ASSERT_TRUE(ReadPtc(*other, dir.path() / "ptc.txt", error)) << error;
  EXPECT_EQ(other->VesHdr, plan->VesHdr);
  EXPECT_FALSE(ReadPtc(*other, dir.path() / "none" / "ptc.txt", error));
  EXPECT_NE(error.find("ptc.txt"), std::string::npos);
}

}  // namespace
