// The demo installation (data/demo) read by the program's own readers: a
// column slipped by one character in PARAM.txt or unn.txt shows up here as a
// wrong table entry rather than as a strange picture weeks later.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "vessel/BaseData.h"

namespace fs = std::filesystem;

namespace {

class DemoData : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", dir.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ASSERT_TRUE(base.CreateBaseData(dir.path()));
    ASSERT_TRUE(base.LoadBaseData());
    ASSERT_TRUE(host.errors.empty()) << host.errors.front();
  }

  int ClassIndex(const std::string& cls) const {
    for (int i = 0; i < plan.ImoCount; ++i)
      if (Pad(plan.Imos[i].CLASS, 3, false) == Pad(cls, 3, false)) return i;
    return -1;
  }

  TempDir dir;
  std::unique_ptr<PlanData> planPtr = CreatePlanData();
  PlanData& plan = *planPtr;
  ScriptedHost host;
  BaseData base{plan, host};
};

TEST_F(DemoData, SettingsFallBackToFoldersInsideTheInstallation) {
  const auto& s = plan.Settings;
  EXPECT_EQ(s[SettingsIx::SendingDir], (dir.path() / "SENDING").string());
  EXPECT_EQ(s[SettingsIx::ReceivingDir], (dir.path() / "RECEIVE").string());
  EXPECT_EQ(s[SettingsIx::VesselsRoot], plan.DataDir);
  EXPECT_EQ(s[SettingsIx::ConditionsSubdir], "COND");
  EXPECT_EQ(s[SettingsIx::ParameterFile], "PARAM");
  EXPECT_EQ(s[SettingsIx::ListFontName], "DejaVu Sans");
  for (int i = SettingsIx::FirstCustomOption; i <= SettingsIx::LastCustomOption; ++i)
    EXPECT_TRUE(s[i] == "0" || s[i] == "1") << "option " << i << ": " << s[i];
  // Weight classes, heaviest first, for 20' and for 40'.
  EXPECT_GT(ParseInt(s[0]), ParseInt(s[1]));
  EXPECT_GT(ParseInt(s[1]), ParseInt(s[2]));
  EXPECT_GT(ParseInt(s[3]), ParseInt(s[4]));
  EXPECT_GT(ParseInt(s[4]), ParseInt(s[5]));
}

TEST_F(DemoData, EveryTypeDecodesFromItsOwnDefaultIsoCodes) {
  ASSERT_GT(plan.TypeCount, 10);
  for (int t = 0; t < plan.TypeCount; ++t) {
    const StructTyp& type = plan.Types[t];
    if (type.TYP == "BB") continue;  // break bulk rides on a platform code
    EXPECT_EQ(base.IsoSizeType(type.ISO20), "20" + type.TYP) << type.ISO20;
    EXPECT_EQ(base.IsoSizeType(type.ISO40), "40" + type.TYP) << type.ISO40;
    EXPECT_EQ(base.IsoSizeType(type.ISO45), "45" + type.TYP) << type.ISO45;
    EXPECT_EQ(base.IsoSizeType(type.ISO48), "48" + type.TYP) << type.ISO48;
  }
  ASSERT_EQ(plan.ReeferTypeCount, 2);
  EXPECT_EQ(plan.ReeferTypes[0], "RF");
  EXPECT_EQ(plan.ReeferTypes[1], "HR");
  for (int i = 0; i < plan.IsoCount; ++i)
    EXPECT_GE(base.TypeIndex(plan.Isos[i].TYPE), 0) << plan.Isos[i].CODE;
}

TEST_F(DemoData, SegregationFollowsTheImdgTableAndTreatsReefersAsIgnitionSources) {
  ASSERT_EQ(plan.ImoCount, 21);
  EXPECT_EQ(Trim(plan.Imos[20].CLASS), "RF");
  struct Case {
    const char* a;
    const char* b;
    int code;
  };
  const Case cases[] = {
      {"1.1", "3", 4},   {"1.5", "4.1", 4}, {"1.6", "4.1", 3}, {"1.4", "6.1", 0},  // X
      {"1.1", "1.4", 9},                                                           // *
      {"2.1", "5.1", 2}, {"2.2", "2.3", 0}, {"3", "5.1", 2},   {"3", "6.2", 3},   {"4.2", "6.1", 1},
      {"4.2", "3", 2},   {"5.1", "6.1", 1}, {"6.2", "1.4", 4}, {"8", "1.1", 4},   {"8", "1.3", 2},
      {"9", "1.1", 0},   {"7", "6.2", 3},   {"RF", "3", 2},    {"RF", "2.1", 2},  {"RF", "1.1", 3},
      {"RF", "5.1", 1},  {"RF", "8", 0},    {"RF", "RF", 0},
  };
  for (const Case& c : cases) {
    const int a = ClassIndex(c.a), b = ClassIndex(c.b);
    ASSERT_GE(a, 0) << c.a;
    ASSERT_GE(b, 0) << c.b;
    EXPECT_EQ(plan.SegTable[a][b], c.code) << c.a << " against " << c.b;
  }
  std::set<int> colours;
  for (int a = 0; a < plan.ImoCount; ++a) {
    EXPECT_TRUE(colours.insert(plan.Imos[a].VALUE).second) << "colour of " << plan.Imos[a].CLASS;
    for (int b = 0; b < plan.ImoCount; ++b)
      EXPECT_EQ(plan.SegTable[a][b], plan.SegTable[b][a]) << plan.Imos[a].CLASS << "/" << plan.Imos[b].CLASS;
  }
}

TEST_F(DemoData, LoadingListLayoutReadsTheLoadlistExport) {
  // A loadlist.txt line as the export writes it (vessel/voyage, three
  // locodes, number, size+type, booking, empty flag, class, weight in kg,
  // temperatures, over-dimensions, ISO, UN, operator, position).
  const std::string line = std::string("ZU003W") + "ITGOANLRTMDEHAM" + "ABCU1234560" + "40HC" + " " +
                           "BKG1234567" + "Y" + "3  " + " " + "24500" + "  " + "-18" + " -5" + "0010" +
                           "0011" + "0012" + "0000" + "0013" + "45G1" + "1090" + "MSC " + "       " +
                           "020482";
  const std::vector<std::pair<int, std::string>> expected = {
      {2, "GOA"},   {3, "RTM"},         {4, "HAM"},   {1, "ABCU1234560"}, {8, "40"},
      {7, "HC"},    {19, "BKG1234567"}, {20, "Y"},    {10, "3"},          {6, "24500"},
      {13, "-18"},  {14, "-5"},         {16, "0010"}, {17, "0011"},       {15, "0012"},
      {18, "0013"}, {9, "45G1"},        {11, "1090"}, {21, "MSC"},        {0, "020482"}};
  ASSERT_EQ(plan.LisCount, static_cast<int>(expected.size()));
  for (int i = 0; i < plan.LisCount; ++i) {
    const StructLis& col = plan.LisCols[i];
    const auto hit =
        std::find_if(expected.begin(), expected.end(), [&](const auto& e) { return e.first == col.COL; });
    ASSERT_NE(hit, expected.end()) << "column " << col.COL;
    EXPECT_EQ(Trim(line.substr(static_cast<size_t>(col.POS - 1), static_cast<size_t>(col.LEN))), hit->second)
        << "column " << col.COL;
    EXPECT_EQ(col.KIND == "B", col.COL == 20) << "column " << col.COL;
  }
}

TEST_F(DemoData, MessagesReportsAndListsHaveTheirFixedShapes) {
  ASSERT_EQ(plan.MessageCount, 86);
  EXPECT_EQ(plan.Messages[51], "");
  EXPECT_EQ(plan.Messages[52], "Files written to: ");
  for (int n : {11, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 53, 81, 82, 83, 85})
    EXPECT_FALSE(plan.Messages[n].empty()) << n;
  // Totals headers span exactly the figures under them.
  const std::pair<int, size_t> widths[] = {{12, 26}, {13, 15}, {14, 14}, {15, 27},
                                           {16, 26}, {84, 15}, {18, 15}, {17, 26}};
  for (const auto& [n, width] : widths) EXPECT_EQ(plan.Messages[n].size(), width) << n;
  // The stability report lines that carry a value have a label.
  for (int i : {0, 1, 2, 4, 6, 8, 9, 10, 12, 13, 14, 15, 17, 19, 21, 22, 23, 24, 25, 26})
    EXPECT_FALSE(plan.Messages[54 + i].empty()) << "report line " << i;

  ASSERT_EQ(base.TotalsLabels.size(), 13u);
  EXPECT_EQ(Trim(base.TotalsLabels.back()), "Displacement");
  EXPECT_DOUBLE_EQ(plan.Dim[0], 12192);
  EXPECT_DOUBLE_EQ(plan.Lim[0], 0.15);
  EXPECT_DOUBLE_EQ(plan.Lim[5], 25);

  // The RDR report asks the totals for these columns by name.
  EXPECT_EQ(Trim(plan.RepNames[2]), "POL");
  EXPECT_EQ(Trim(plan.RepNames[3]), "POD");
  EXPECT_EQ(Trim(plan.RepNames[21]), "OPERATOR");
  for (int r : {2, 3, 21}) EXPECT_EQ(plan.RepDef[r][24], 1) << r;
  for (int layout = 0; layout <= 18; ++layout) {
    std::vector<int> positions;
    for (int r = 0; r < plan.RepCount; ++r)
      if (plan.RepDef[r][3 + layout] > 0) positions.push_back(plan.RepDef[r][3 + layout]);
    std::sort(positions.begin(), positions.end());
    ASSERT_FALSE(positions.empty()) << "layout " << layout;
    for (size_t k = 0; k < positions.size(); ++k)
      EXPECT_EQ(positions[k], static_cast<int>(k) + 1) << "layout " << layout;
  }

  int shown = 0;
  for (int i = 0; i < plan.VesParamCount; ++i) {
    EXPECT_LT(plan.VesParams[i].INDEX, plan.VetCount);
    if (plan.VesParams[i].KIND != "-") ++shown;
  }
  EXPECT_EQ(shown % 2, 0);
  const std::pair<int, const char*> names[] = {{0, "CODE"},  {1, "VESSEL"}, {3, "CALL_SIGN"}, {33, "DIR"},
                                               {45, "PORT"}, {46, "VOY"},   {47, "ADP"}};
  for (const auto& [index, name] : names) EXPECT_EQ(plan.Vet[index], name);
}

TEST_F(DemoData, UnNumbersAreSortedAndPickTheirClassFromTheClassTable) {
  ASSERT_GE(plan.UnnCount, 300);
  for (int k = 0; k < plan.UnnCount; ++k) {
    const std::string* entry = &plan.Unn[static_cast<size_t>(k) * kUnnFields];
    ASSERT_EQ(entry[0].size(), 4u) << k;
    if (k > 0) {
      EXPECT_LT(plan.Unn[static_cast<size_t>(k - 1) * kUnnFields], entry[0]);
    }
    // The UN picker of the editor takes the class from field 2's first three
    // characters; running reefers are not a dangerous-goods class.
    const int cls = ClassIndex(entry[2].substr(0, 3));
    EXPECT_TRUE(cls >= 0 && cls < plan.ImoCount - 1) << entry[0] << " " << entry[2];
    EXPECT_TRUE(entry[3].empty() || entry[3] == "Y") << entry[0];
  }
  EXPECT_EQ(base.UnInfo("1017"), "MP-2.3 (5.1, 8)");
  EXPECT_EQ(base.UnInfo("1090"), "3");
}

}  // namespace
