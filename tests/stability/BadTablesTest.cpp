// The vessel's tables (HYD, RLE, TNK, TNP, STR) told from broken ones: a
// broken table is reported by file and line and gives "no table", never
// figures from a table read in part.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BadFiles.h"
#include "BoxBargeStrength.h"
#include "TempDir.h"
#include "core/PlanData.h"
#include "stability/Stability.h"
#include "stability/Strength.h"
#include "stability/Tanks.h"

namespace fs = std::filesystem;

namespace {

const std::string kHyd =
    "2;4730.6;23.391;;-0.0104;-0.013;-0.0449;;70.707;70.506;163.87;0.14538;-0.14329;;;\r\n"
    "2.1;4981;22.355;;-0.0097;-0.0052;-0.0149;;70.696;70.482;164.89;0.15207;-0.15;;;\r\n"
    "2.2;5231.8;21.422;;-0.0104;-0.0038;0.0026;;70.685;70.453;165.97;0.15863;-0.15659;;;\r\n";
const std::string kRle =
    "T;DISP;KN10;KN20;KN30;FL_;\r\n"
    "2;4730.6;3.931;6.345;7.559;67.5;\r\n"
    "2.5;5987.9;3.307;5.828;7.23;61;\r\n";
const std::string kTnk =
    "FPT;Fore Peak;521.86;;4;4.545;;132.574;;517.4;;;-19;453;19;510;;;;183;207;;0;0;;;;;;;\r\n"
    "APT;Aft Peak;369.66;;4;9.561;4;-0.358;;3345.2;;;-33;10;33;37;;;;-7;4;;0;0;;;;;;;\r\n";
const std::string kTnp = "FPT;0.4;15.416;131.769;0.204;;81.4;\r\nFPT;0.8;32.399;131.798;0.413;;102.4;\r\n";
const std::string kCondition = "A|V|DHAM001W.TXT|0|0|0|10|\r\nC|010082|MSCU1234566|HAM|RTM|\r\n";

class BadTables : public ::testing::Test {
 protected:
  void SetUp() override {
    stab.SetItemNames({"Lightship", "Constant", "Containers", "Spare", "Ballast", "Fuel", "Diesel", "Lube",
                       "Fresh water", "Misc", "Correction", "Deadweight", "Displacement"});
    WriteGoodTables();
  }
  void WriteGoodTables() {
    for (const auto& [name, text] : Good()) {
      fs::remove_all(dir.path() / name);
      dir.Write(name, text);
    }
  }
  static std::vector<std::pair<std::string, std::string>> Good() {
    return {{"HYD.txt", kHyd}, {"RLE.txt", kRle}, {"TNK.txt", kTnk}, {"TNP.txt", kTnp}, {"STR.txt", box::StrText()}};
  }
  // Loads every table as a vessel opening does; the errors of all of them.
  std::string LoadAll() {
    std::string errors, error;
    if (!stab.LoadTables(dir.path(), error)) errors += error;
    if (!stab.tanks().Load(dir.path(), error)) errors += error;
    error.clear();
    if (!stab.strength().LoadStrengthData(dir.path(), error)) errors += error;
    return errors;
  }

  TempDir dir;
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stab{*plan};
};

TEST_F(BadTables, GoodTablesLoad) {
  EXPECT_EQ(LoadAll(), "");
  EXPECT_EQ(stab.Hyd.size(), 3u);
  EXPECT_EQ(stab.CrossCurves.Rows.size(), 2u);
  EXPECT_EQ(stab.tanks().Count(), 2);
  EXPECT_EQ(stab.tanks().Soundings.size(), 2u);
  EXPECT_TRUE(stab.strength().Loaded());
}

// Each kind of bad file in place of each table. Empty is no table, as no
// file is. HYD and RLE are used whole or not at all; the tank tables keep
// the lines they could read and list the others. The strength data have no
// mark at their line ends, so a cut one is read as it stands.
TEST_F(BadTables, EachBadTableIsReportedAndGivesNoTable) {
  for (const auto& [name, good] : Good()) {
    for (BadFile kind : AllBadFiles()) {
      SCOPED_TRACE(name + ", " + BadFileName(kind));
      WriteGoodTables();
      const fs::path file = dir.path() / name;
      PlaceBadFile(kind, file, good, kCondition);
      std::string errors;
      {
        ReadAsNobody nobody(kind);
        errors = LoadAll();
      }
      const bool cutStrength = kind == BadFile::CutOff && name == "STR.txt";
      if (kind == BadFile::Empty || cutStrength) {
        EXPECT_EQ(errors, "");
      } else {
        const std::string wrongKind = name == "STR.txt"   ? "no frame list"
                                      : name == "RLE.txt" ? "no column KNaa"
                                                          : "line 1: not a";
        ExpectRefused({errors}, file, RefusalSays(kind, "", wrongKind));
      }
      const bool partOfTanks = kind == BadFile::CutOff;
      EXPECT_EQ(stab.Hyd.size(), name == "HYD.txt" ? 0u : 3u);
      EXPECT_EQ(stab.CrossCurves.Rows.size(), name == "RLE.txt" ? 0u : 2u);
      EXPECT_EQ(stab.tanks().Count(), name != "TNK.txt" ? 2 : partOfTanks ? 1 : 0);
      EXPECT_EQ(stab.tanks().Soundings.size(), name != "TNP.txt" ? 2u : partOfTanks ? 1u : 0u);
      EXPECT_EQ(stab.strength().Loaded(), name != "STR.txt" || cutStrength);
      stab.ComputeStability();
      EXPECT_EQ(stab.Results.State == HydrostaticState::NoTable, name == "HYD.txt");
    }
  }
}

// Rows out of the order the lookups search them in make the table broken.
TEST_F(BadTables, RowsOutOfOrderAreReportedByLine) {
  struct Case {
    const char* name;
    std::string text;
    const char* says;
  } cases[] = {
      {"HYD.txt", "2;4730;1;\r\n2.2;5231;1;\r\n2.1;5400;1;\r\n", "line 3: draft 2.100 does not rise above"},
      {"HYD.txt", "2;4730;1;\r\n2.1;4700;1;\r\n2.2;5231;1;\r\n", "line 2: displacement 4700.000 does not rise"},
      {"RLE.txt", "T;DISP;KN20;KN10;\r\n2;4730;1;1;\r\n", "line 1: the angle of column KN10 does not rise above 20"},
      {"RLE.txt", "T;DISP;KN10;\r\n2;4730;1;\r\n2.5;4000;1;\r\n", "line 3: displacement 4000.000"},
      {"HYD.txt", "2;4730;1;\r\n2,1;x4981;1;\r\n", "line 2: not a row of numbers (field 2 is \"x4981\")"},
      {"TNP.txt", "FPT;0.4;15;\r\nFPT;0.8;12;\r\nFPT;1.2;40;\r\n", "line 2: content 12 does not rise above"},
      {"TNK.txt", "FPT;Fore Peak;lots;\r\nAPT;Aft Peak;369.66;;4;\r\n", "line 1: not a tank: field 3 is \"lots\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteGoodTables();
    dir.Write(c.name, c.text);
    const std::string errors = LoadAll();
    EXPECT_EQ(errors.find((dir.path() / c.name).string() + ": 1 line not read: "), 0u) << errors;
    EXPECT_NE(errors.find(c.says), std::string::npos) << errors;
  }
  EXPECT_EQ(stab.tanks().Count(), 1);  // the tank table keeps the good line
}

}  // namespace
