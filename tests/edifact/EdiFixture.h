#pragma once

// The small test vessel of the placement tests with an EDIFACT import and
// a host that answers the ports-table question from a script, plus helpers
// that write messages segment by segment.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "../planning/PlanFixture.h"
#include "ScriptedHost.h"
#include "core/PlanData.h"
#include "edifact/EdiImport.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"
#include "vessel/BaseData.h"

namespace editest {

// Answers the "Ports table update" dialog: the scripted code, or the code
// shown when nothing is scripted.
class PortHost : public ScriptedHost {
 public:
  struct PortQuestion {
    std::string country, code, description, letter;
  };
  std::deque<std::string> portAnswers;
  std::vector<PortQuestion> portQuestions;

  std::string AskNewPort(const std::string& country, const std::string& code, const std::string& description,
                         const std::string& letter) override {
    portQuestions.push_back({country, code, description, letter});
    if (portAnswers.empty()) return code;
    std::string answer = portAnswers.front();
    portAnswers.pop_front();
    return answer;
  }
};

inline const std::string kHeader =
    "UNB+UNOA:2+SENDER+RECEIVER+240315:0930+REF1+++++CARRIER'"
    "UNH+REF1+BAPLIE:D:95B:UN:SMDG20'"
    "BGM++REF1+9'"
    "DTM+137:2403150930:201'"
    "TDT+20+101W+++CAR:172:20+++CALL9:103:ZZZ:TEST VESSEL'"
    "LOC+5+DEHAM:139:6'"
    "LOC+61+NLRTM:139:6'"
    "DTM+178:2403140800:201'"
    "DTM+136:2403152300:201'"
    "DTM+132:240317:101'"
    "RFF+VON:102E'";

inline const std::string kTrailer = "UNT+000099+REF1'UNZ+1+REF1'";

// One BAPLIE unit: position, number, ISO code, kilograms, POL, POD and any
// further segments (each with its terminator).
inline std::string UnitSegments(const std::string& position, const std::string& number,
                                const std::string& iso, const std::string& kilograms,
                                const std::string& pol = "DEHAM", const std::string& pod = "NLRTM",
                                const std::string& extra = "", const std::string& fullEmpty = "5") {
  return "LOC+147+" + position + "::5'MEA+WT++KGM:" + kilograms + "'LOC+9+" + pol + ":139:6'LOC+11+" + pod +
         ":139:6'" + extra + "RFF+BM:1'EQD+CN+" + number + "+" + iso + "+++" + fullEmpty +
         "'NAD+CA+OPR:172:20'";
}

class EdiTest : public ::testing::Test {
 protected:
  std::unique_ptr<PlanData> owner = CreatePlanData();
  PlanData& plan = *owner;
  Stability stab{plan};
  PortHost host;
  PlanContext ctx{plan, stab, host};
  BaseData base{plan, host};

  void SetUp() override { plantest::BuildPlanVessel(plan); }

  int Cell(const std::string& name) const {
    const int i = plantest::CellNamed(plan, name);
    EXPECT_GE(i, 0) << "no cell " << name << " in the test vessel";
    return i;
  }
  StructDat& At(const std::string& name) { return plan.Cur()[static_cast<size_t>(Cell(name))]; }

  // Puts a unit on board without checks, as a condition file would.
  void Load(const std::string& name, const StructDat& unit) {
    plan.Cur()[static_cast<size_t>(plan.UnitInHandIndex)] = unit;
    ASSERT_TRUE(PlaceUnit(ctx, Cell(name), kPlaceFromFile)) << name;
    plan.Cur()[static_cast<size_t>(plan.UnitInHandIndex)] = StructDat{};
  }

  // Units on the quay, live ones only.
  std::vector<StructDat> Quay() const {
    std::vector<StructDat> units;
    for (int i = 0; i < plan.QuayCount; ++i)
      if (plan.Dat[plan.QuayPlane][static_cast<size_t>(i)].STATUS > 0)
        units.push_back(plan.Dat[plan.QuayPlane][static_cast<size_t>(i)]);
    return units;
  }

  // Cells holding a unit of their own.
  int UnitsOnBoard() const {
    int n = 0;
    for (int i = 0; i < plan.CellCount; ++i)
      if (plan.Cur()[static_cast<size_t>(i)].STATUS == 1) ++n;
    return n;
  }

  // Opens the bytes and runs the import with the options the test sets.
  EdiImport& Import(const std::string& bytes, void (*adjust)(EdiImportOptions&) = nullptr) {
    importer = std::make_unique<EdiImport>(ctx, base);
    importer->OpenBytes(bytes);
    if (adjust != nullptr) adjust(importer->Options);
    importer->Run();
    return *importer;
  }

  std::unique_ptr<EdiImport> importer;
};

}  // namespace editest
