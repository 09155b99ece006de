#include "reports/RdrReport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "../planning/PlanFixture.h"
#include "core/TextHelpers.h"
#include "planning/Selection.h"

namespace plantest {
namespace {

// A line of the report in short: "" and " " as they are, "HEAD" for a
// heading of the totals, "TOTAL" for a grand total, otherwise the indent,
// ":" and the words before the first figure ("4:FXT CMA").
std::string Shape(const std::string& line) {
  if (Trim(line).empty()) return line;
  if (line.find("TONS") != std::string::npos || line.find("FULL") != std::string::npos) return "HEAD";
  const size_t indent = line.find_first_not_of(' ');
  std::string words;
  size_t at = indent;
  while (at < line.size() && std::isalpha(static_cast<unsigned char>(line[at]))) {
    const size_t end = std::min(line.find(' ', at), line.size());
    words += (words.empty() ? "" : " ") + line.substr(at, end - at);
    at = line.find_first_not_of(' ', end);
    if (at == std::string::npos) break;
  }
  return words.empty() ? "TOTAL" : std::to_string(indent) + ":" + words;
}

class RdrReportTest : public PlanTest {
 protected:
  void SetUp() override {
    PlanTest::SetUp();
    const std::pair<int, const char*> columns[] = {{2, "POL"}, {3, "POD"}, {21, "OPERATOR"}};
    for (const auto& [c, name] : columns) {
      plan.RepNames[c] = name;
      plan.RepDef[c][0] = c == 21 ? 4 : 3;
      plan.RepDef[c][24] = 1;
    }
    plan.RepCount = 22;
    const std::pair<int, const char*> messages[] = {
        {12, "---------- FULL ----------"}, {13, "---- EMPTY ----"}, {14, "- BREAK BULK -"},
        {15, "---------- TOTAL ----------"}, {16, "  20'  40'  TONS  TEU  AVG"},
        {17, " UNITS  TONS  TEU BDL  AVG"},    {18, "   BB TONS  TEU"}, {84, "  20'  40'  TEU"}};
    for (const auto& [k, text] : messages) plan.Messages[k] = text;
    plan.VesHdr[34] = "NORTH SEA SERVICE";
    plan.VesHdr[VesHdrIx::Vessel] = "ZUM FEEDER";
    plan.VesHdr[VesHdrIx::Voy] = "012N";
    Load({{"010082", From("HAM", "RTM", "ZIM", "20", 10)},
          {"010182", From("HAM", "RTM", "CMA", "20", 14)},
          {"010002", From("HAM", "FXT", "ZIM", "40", 20)},
          {"010282", From("RTM", "FXT", "CMA", "20", 8)}});
    At("010182").SELECTED = 0;  // the report resets the selection: counted all the same
    // The voyage: loaded at HAM and RTM; a unit for FXT is no way-port unit.
    const StructDat voyage[] = {From("HAM", "RTM", "ZIM", "20", 10), From("HAM", "FXT", "CMA", "20", 5),
                                From("RTM", "HAM", "CMA", "40", 12)};
    plan.VoyUnitCount = 0;
    for (StructDat unit : voyage) {
      unit.STATUS = 1;
      plan.Dat[kVoyPlane][plan.VoyUnitCount++] = unit;
    }
    plan.PolList[0] = "HAM";
    plan.PolList[1] = "RTM";
    plan.PolCount = 1;
  }
  static StructDat From(const char* pol, const char* pod, const char* oper, const std::string& siz, double t) {
    StructDat u = Unit("", siz, t);
    u.POL = pol;
    u.POD = pod;
    u.OPERATOR = oper;
    return u;
  }
  std::vector<std::string> Shapes(const RdrReport& report, size_t from) {
    std::vector<std::string> shapes;
    for (size_t k = from; k < report.lines.size(); ++k) shapes.push_back(Shape(report.lines[k]));
    return shapes;
  }
  Selection selection{ctx};
};

TEST_F(RdrReportTest, ByPodWithHeadingWayPortsSpecialsAndAllocations) {
  RdrSources sources;
  sources.foreDraft = 6.39;
  sources.aftDraft = 12.5;
  sources.specials = {"SPECIALS TITLE", "REEFERS 2"};
  sources.allocations = {"ZIM    10", "TOTAL  10"};
  const RdrReport report = BuildRdrReport(plan, selection, RdrGrouping::ByPod, sources);
  ASSERT_TRUE(report.error.empty()) << report.error;
  const std::vector<std::string> heading{"NORTH SEA SERVICE - REGIONAL DEPARTURE REPORT",
                                         "",
                                         "VESSEL: ZUM FEEDER   VOY: 012N",
                                         "",
                                         "VESSEL MOVEMENTS:",
                                         " Arrival",
                                         " Departure",
                                         "",
                                         "DRAFT:",
                                         " FWD:   6.39 AFT:  12.50"};
  ASSERT_GT(report.lines.size(), heading.size());
  EXPECT_EQ(std::vector<std::string>(report.lines.begin(), report.lines.begin() + 10), heading);
  // One port's groups and total, " ", the next port's; no grand total in
  // the first table; the operators indented with it; the way ports in full.
  EXPECT_EQ(Shapes(report, 10),
            (std::vector<std::string>{"", "HEAD", "HEAD", "0:FXT CMA", "0:FXT ZIM", "0:FXT", " ", "0:RTM CMA",
                                      "0:RTM ZIM", "0:RTM", "", "4:CMA", "4:ZIM", "TOTAL", "", "0:WAYPORTS:",
                                      "HEAD", "HEAD", "0:HAM ZIM RTM", "0:RTM CMA HAM", "TOTAL", "0:REEFERS",
                                      "5:ZIM", "5:TOTAL", " ", "0:REGARDS", ""}));
  EXPECT_EQ(report.lines[report.lines.size() - 6], "REEFERS 2") << "the specials without their title";
  EXPECT_EQ(report.lines[report.lines.size() - 5], "     ZIM    10");
  // The way ports in the compact form: the total's heading cut short.
  const std::string& wayHeading = report.lines[27];
  EXPECT_EQ(wayHeading.substr(wayHeading.size() - 20), " UNITS  TONS  TEU   ");
  for (int k = 0; k < plan.CellCount; ++k) EXPECT_EQ(plan.Cur()[k].SELECTED, 1) << "selection reset after";
}

// With both ports in the first table only its deepest groups show, and a
// second table gives the totals of the second port alone.
TEST_F(RdrReportTest, TwoPortGroupingsAddTheSecondPortTable) {
  const struct {
    RdrGrouping grouping;
    std::vector<std::string> shapes;
  } cases[] = {
      {RdrGrouping::ByPolPod,
       {"", "HEAD", "HEAD", "0:HAM FXT ZIM", "0:HAM RTM CMA", "0:HAM RTM ZIM", "0:RTM FXT CMA", "", "4:FXT CMA",
        "4:FXT ZIM", "4:FXT", "4:RTM CMA", "4:RTM ZIM", "4:RTM", "", "8:CMA", "8:ZIM", "TOTAL"}},
      {RdrGrouping::ByPodPol,
       {"", "HEAD", "HEAD", "0:FXT HAM ZIM", "0:FXT RTM CMA", "0:RTM HAM CMA", "0:RTM HAM ZIM", "", "4:HAM CMA",
        "4:HAM ZIM", "4:HAM", "4:RTM CMA", "4:RTM", "", "8:CMA", "8:ZIM", "TOTAL"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.grouping));
    plan.VoyUnitCount = 0;  // no way ports
    const RdrReport report = BuildRdrReport(plan, selection, c.grouping, {});
    std::vector<std::string> expected = c.shapes;
    expected.insert(expected.end(), {"0:REGARDS", ""});
    EXPECT_EQ(Shapes(report, 10), expected);
  }
}

TEST_F(RdrReportTest, MissingTotalsColumnIsNamed) {
  plan.RepDef[21][24] = 0;  // OPERATOR no longer offered for grouping
  const RdrReport report = BuildRdrReport(plan, selection, RdrGrouping::ByPol, {});
  EXPECT_TRUE(report.lines.empty());
  EXPECT_NE(report.error.find("OPERATOR"), std::string::npos) << report.error;
}

}  // namespace
}  // namespace plantest
