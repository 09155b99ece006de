#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "CellFixture.h"
#include "ScriptedHost.h"
#include "TempDir.h"
#include "core/TextHelpers.h"
#include "vessel/DbfTable.h"
#include "vessel/VesExchange.h"

namespace fs = std::filesystem;

namespace {

// A table's rows as texts by column name.
struct TableRows {
  std::vector<std::string> names;
  std::vector<std::vector<std::string>> rows;
  std::string At(size_t row, const std::string& name) const {
    for (size_t f = 0; f < names.size(); ++f)
      if (names[f] == name) return rows.at(row).at(f);
    ADD_FAILURE() << "no column " << name;
    return "";
  }
};

TableRows ReadAll(const fs::path& file) {
  TableRows all;
  std::string error;
  auto table = DbfTable::Open(file, error);
  EXPECT_TRUE(table) << error;
  if (!table) return all;
  for (int f = 0; f < table->FieldCount(); ++f) all.names.push_back(table->FieldName(f));
  for (int r = 0; r < table->RecordCount(); ++r) {
    all.rows.emplace_back();
    for (int f = 0; f < table->FieldCount(); ++f) all.rows.back().push_back(table->Read(r, f));
  }
  return all;
}

// A 40' unit with every field the exchange carries, and some it does not.
StructDat FortyFooter() {
  StructDat u;
  u.CONTAINER = "ABCU1234567";
  u.POL = "NLRTM";
  u.POD = "SGSIN";
  u.PRS = "DEHAM";
  u.FRM = "GBFXT";
  u.WEIGHT = 24.5;
  u.MTY = 0;
  u.TYP = "HC";
  u.SIZ = "45";
  u.ISO = "45G1";
  u.OPERATOR = "MSK";
  u.TEMP = -18;
  u.TEMP_2 = -20;
  u.OWP = 10;
  u.OWS = 12;
  u.OH = 30;
  u.OL = 40;
  u.IMO[0] = "3";
  u.UN[0] = "1203";
  u.IMO[1] = "8";       // only the first class travels
  u.BOOKING = "BK778";  // not an exchange column
  u.FL2 = 1;
  u.STATUS = 1;
  return u;
}

StructDat TwentyFooter() {
  StructDat u;
  u.CONTAINER = "TCLU7654321";
  u.POL = "NLRTM";
  u.POD = "USNYC";
  u.WEIGHT = 10.25;
  u.MTY = 1;
  u.TYP = "GP";
  u.SIZ = "22";
  u.ISO = "22G1";
  u.STATUS = 1;
  return u;
}

// What the unit in hand holds after a row of that unit was read: the empty
// record with the exchanged fields.
StructDat AsExchanged(const StructDat& u) {
  StructDat e;
  e.CONTAINER = u.CONTAINER;
  e.POL = u.POL;
  e.POD = u.POD;
  e.PRS = u.PRS;
  e.FRM = u.FRM;
  e.WEIGHT = u.WEIGHT;
  e.MTY = u.MTY;
  e.TYP = u.TYP;
  e.SIZ = u.SIZ;
  e.ISO = u.ISO;
  e.OPERATOR = u.OPERATOR;
  e.TEMP = u.TEMP;
  e.TEMP_2 = u.TEMP_2;
  e.OWP = u.OWP;
  e.OWS = u.OWS;
  e.OH = u.OH;
  e.OL = u.OL;
  e.IMO[0] = u.IMO[0];
  e.UN[0] = u.UN[0];
  e.FL2 = u.FL2;
  e.FL3 = u.FL3;
  return e;
}

class VesExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildTestVessel(plan);
    plan.Settings[SettingsIx::ExchangeDir] = dir.path().string();
    plan.VesHdr[VesHdrIx::Code] = "DMS";
    plan.VesHdr[VesHdrIx::Vessel] = "DEMO STAR";
  }
  int Cell(const char* name) const { return CellNamed(plan, name); }
  StructDat& Unit(const char* name) { return plan.Cur()[Cell(name)]; }
  std::vector<std::string> FilesIn(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir;
  ScriptedHost host;
  std::unique_ptr<PlanData> owner = CreatePlanData();
  PlanData& plan = *owner;
};

TEST_F(VesExchangeTest, ExportWritesTheFiveTablesAndImportReadsTheUnitsBack) {
  StructCel& cell = plan.Cells[Cell("010182")];
  cell.LCG = 12.5;
  cell.VCG = 20.25;
  cell.TCG = -2.5;
  cell.LCG_40 = 15.75;
  cell.FL_RF = 1;
  const StructDat forty = FortyFooter();
  Unit("010182") = forty;
  Unit("010182").POSITION = "010182";
  Unit("030182").STATUS = -1;  // a stale second cell: the export makes it a copy
  const StructDat twenty = TwentyFooter();
  Unit("050182") = twenty;
  plan.VesHdr[VesHdrIx::CallSign] = "9HA1234";
  plan.VesHdr[VesHdrIx::Dir] = "DEMOSTAR";
  plan.VesHdr[VesHdrIx::Port] = "NLRTM";
  plan.VesHdr[VesHdrIx::Voy] = "024E";
  plan.VesHdr[VesHdrIx::Adp] = "D";
  plan.Ports[0] = {"NLRTM", "ROTTERDAM", "NL", "R", 0, 0};
  plan.Ports[1] = {"SGSIN", "SINGAPORE", "SG", "S", 0, 0};
  plan.PortCount = 2;
  plan.Types[0] = {"GP", "GENERAL PURPOSE", "22G1", "42G1", "L5G1", ""};
  plan.Types[1] = {"RE", "REEFER", "22R1", "42R1", "", ""};
  plan.TypeCount = 2;

  ASSERT_TRUE(ExportVes(plan, host));
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(host.busyDepth, 0);

  // Both cells of the 40' unit hold it; the second is marked covered again.
  StructDat copy = Unit("010182");
  copy.POSITION = "030182";
  copy.STATUS = -1;
  EXPECT_EQ(Unit("030182"), copy);

  const TableRows cel = ReadAll(dir.path() / "VES" / "cel.dbf");
  ASSERT_EQ(cel.rows.size(), static_cast<size_t>(plan.CellCount));
  const size_t own = static_cast<size_t>(Cell("010182"));
  const size_t second = static_cast<size_t>(Cell("030182"));
  const size_t free = static_cast<size_t>(Cell("010082"));
  EXPECT_EQ(cel.At(own, "CELL"), "010182");
  EXPECT_EQ(ParseInt(cel.At(own, "YES_NO")), 1);
  EXPECT_EQ(ParseReal(cel.At(own, "LCG")), 12.5);
  EXPECT_EQ(ParseReal(cel.At(own, "VCG")), 20.25);
  EXPECT_EQ(ParseReal(cel.At(own, "TCG")), -2.5);
  EXPECT_EQ(ParseReal(cel.At(own, "LCG_40")), 15.75);
  EXPECT_EQ(ParseInt(cel.At(own, "FL_RF")), 1);
  EXPECT_EQ(cel.At(own, "IMO"), "3");
  EXPECT_EQ(cel.At(own, "UN"), "1203");
  EXPECT_EQ(ParseInt(cel.At(own, "TEMP")), -18);
  EXPECT_EQ(cel.At(second, "CELL"), "030182");
  EXPECT_EQ(ParseInt(cel.At(second, "YES_NO")), 0);
  EXPECT_EQ(cel.At(second, "CONTAINER"), "ABCU1234567");
  EXPECT_EQ(ParseReal(cel.At(second, "WEIGHT")), 24.5);
  EXPECT_EQ(ParseInt(cel.At(free, "YES_NO")), 0);
  EXPECT_EQ(cel.At(free, "CONTAINER"), "");
  EXPECT_EQ(ParseReal(cel.At(free, "WEIGHT")), 0);

  const TableRows bay = ReadAll(dir.path() / "VES" / "bay.dbf");
  ASSERT_EQ(bay.rows.size(), 4u);
  EXPECT_EQ(bay.At(0, "BAY"), "01");
  EXPECT_EQ(ParseInt(bay.At(0, "D00")), 1);
  EXPECT_EQ(ParseInt(bay.At(0, "H00")), 4);
  EXPECT_EQ(bay.At(0, "D40"), "02");
  EXPECT_EQ(bay.At(2, "D40"), "06");
  EXPECT_EQ(bay.At(3, "H40"), "10");

  const TableRows ves = ReadAll(dir.path() / "ves.dbf");
  ASSERT_EQ(ves.rows.size(), 1u);
  EXPECT_EQ(ves.rows[0], (std::vector<std::string>{"DMS", "DEMO STAR", "9HA1234", "DEMOSTAR", "NLRTM", "024E", "D"}));
  EXPECT_EQ(ves.names, (std::vector<std::string>{"CODE", "VESSEL", "CALL_SIGN", "DIR", "PORT", "VOY", "ADP"}));

  const TableRows por = ReadAll(dir.path() / "por.dbf");
  ASSERT_EQ(por.rows.size(), 2u);
  EXPECT_EQ(por.rows[1], (std::vector<std::string>{"SGSIN", "SINGAPORE", "SG", "S"}));
  const TableRows typ = ReadAll(dir.path() / "typ.dbf");
  ASSERT_EQ(typ.rows.size(), 2u);
  EXPECT_EQ(typ.rows[0], (std::vector<std::string>{"GP", "GENERAL PURPOSE", "22G1", "42G1", "L5G1", ""}));

  const VesImport read = ImportVes(plan, host);
  ASSERT_EQ(read.result, VesImportResult::Read);
  EXPECT_EQ(read.vessel, "DEMO STAR");
  EXPECT_EQ(read.skipped, 0);
  ASSERT_EQ(read.units.size(), 2u);  // the 40' unit once, at its own cell
  EXPECT_EQ(read.units[0].cell, Cell("010182"));
  EXPECT_EQ(read.units[0].unit, AsExchanged(forty));
  EXPECT_EQ(read.units[1].cell, Cell("050182"));
  EXPECT_EQ(read.units[1].unit, AsExchanged(twenty));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(host.busyDepth, 0);
  // Reading changes no unit of the plan.
  EXPECT_EQ(Unit("050182"), twenty);
}

TEST_F(VesExchangeTest, SecondCellBeforeTheOwnCellLeavesNoMark) {
  // Stowed from the aft bay: its second cell (bay 01) comes first in the cells.
  Unit("030182") = FortyFooter();
  // A broken plan: the second cell of this 40' unit holds a 20' unit of its own.
  Unit("010102") = FortyFooter();
  Unit("010102").CONTAINER = "BROK0000001";
  Unit("030102") = TwentyFooter();

  ASSERT_TRUE(ExportVes(plan, host));
  for (int i = 0; i < plan.CellCount; ++i) EXPECT_NE(plan.Cur()[i].STATUS, 9) << plan.Cells[i].CELL;
  EXPECT_EQ(Unit("010182").STATUS, -1);
  EXPECT_EQ(Unit("010182").POSITION, "010182");
  EXPECT_EQ(Unit("010182").CONTAINER, "ABCU1234567");
  EXPECT_EQ(Unit("030102"), TwentyFooter());

  const TableRows cel = ReadAll(dir.path() / "VES" / "cel.dbf");
  const size_t second = static_cast<size_t>(Cell("010182"));
  EXPECT_EQ(ParseInt(cel.At(second, "YES_NO")), 0);
  EXPECT_EQ(cel.At(second, "CONTAINER"), "ABCU1234567");
  const size_t kept = static_cast<size_t>(Cell("030102"));
  EXPECT_EQ(ParseInt(cel.At(kept, "YES_NO")), 1);
  EXPECT_EQ(cel.At(kept, "CONTAINER"), "TCLU7654321");
}

TEST_F(VesExchangeTest, ExportReplacesOldTablesOfAnyCase) {
  fs::create_directory(dir.path() / "ves");
  std::string error;
  {
    auto old = DbfTable::Create(dir.path() / "ves" / "CEL.DBF", {{"CELL", 'C', 10, 0}}, error);
    ASSERT_TRUE(old) << error;
    for (int r = 0; r < 30; ++r) ASSERT_TRUE(old->Write(r, 0, "999999"));
  }
  // The library gives every table it creates the extension ".dbf".
  fs::rename(dir.path() / "ves" / "CEL.dbf", dir.path() / "ves" / "CEL.DBF");
  dir.Write("VES.DBF", "old garbage");

  ASSERT_TRUE(ExportVes(plan, host)) << (host.errors.empty() ? "" : host.errors[0]);
  EXPECT_EQ(FilesIn(dir.path()), (std::vector<std::string>{"VES.DBF", "por.dbf", "typ.dbf", "ves"}));
  EXPECT_EQ(FilesIn(dir.path() / "ves"), (std::vector<std::string>{"CEL.DBF", "bay.dbf"}));
  EXPECT_EQ(ReadAll(dir.path() / "ves" / "CEL.DBF").rows.size(), static_cast<size_t>(plan.CellCount));
  EXPECT_EQ(ReadAll(dir.path() / "VES.DBF").rows.at(0).at(1), "DEMO STAR");
}

TEST_F(VesExchangeTest, TablesOfAnotherVesselImportNothing) {
  plan.VesHdr[VesHdrIx::Vessel] = "OTHER SHIP";
  Unit("050182") = TwentyFooter();
  ASSERT_TRUE(ExportVes(plan, host));

  plan.VesHdr[VesHdrIx::Vessel] = "DEMO STAR";
  const VesImport read = ImportVes(plan, host);
  EXPECT_EQ(read.result, VesImportResult::OtherVessel);
  EXPECT_EQ(read.vessel, "OTHER SHIP");
  EXPECT_TRUE(read.units.empty());
  EXPECT_EQ(plan.Messages[51], "Vessel ready to be imported: OTHER SHIP");
  EXPECT_EQ(host.messages, std::vector<int>{51});

  // Blanks around the name do not make another vessel.
  plan.VesHdr[VesHdrIx::Vessel] = "  OTHER SHIP ";
  EXPECT_EQ(ImportVes(plan, host).result, VesImportResult::Read);
  EXPECT_EQ(host.messages, std::vector<int>{51});
}

TEST_F(VesExchangeTest, WithoutExchangeFolderTheLoadListIsTheWayIn) {
  const std::string file = dir.Write("not-a-folder", "x").string();
  for (const std::string& setting : {std::string(), (dir.path() / "missing").string(), file}) {
    ScriptedHost fresh;
    plan.Settings[SettingsIx::ExchangeDir] = setting;
    EXPECT_EQ(ImportVes(plan, fresh).result, VesImportResult::UseLoadList) << setting;
    EXPECT_TRUE(fresh.errors.empty());
    EXPECT_TRUE(fresh.messages.empty());
    EXPECT_FALSE(ExportVes(plan, fresh)) << setting;
    EXPECT_EQ(fresh.errors.size(), 1u);
  }
  EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

TEST_F(VesExchangeTest, MissingOrGarbageTablesAreReported) {
  struct Case {
    const char* name;
    const char* ves;   // content of ves.dbf; nullptr: the exported table
    const char* cel;   // content of VES/cel.dbf; nullptr: the exported table; "": remove it
    const char* file;  // the file the error names
  } cases[] = {
      {"garbage ves", "\x03garbage that is no table", nullptr, "ves.dbf"},
      {"empty ves", "", nullptr, "ves.dbf"},
      {"garbage cel", nullptr, "\x03\x7a\x01\x01 short", "cel.dbf"},
      {"missing cel", nullptr, "", "cel.dbf"},
  };
  Unit("050182") = TwentyFooter();
  for (const Case& c : cases) {
    TempDir exchange;
    plan.Settings[SettingsIx::ExchangeDir] = exchange.path().string();
    ASSERT_TRUE(ExportVes(plan, host)) << c.name;
    if (c.ves) exchange.Write("ves.dbf", c.ves);
    if (c.cel && *c.cel) exchange.Write("VES/cel.dbf", c.cel);
    if (c.cel && !*c.cel) fs::remove(exchange.path() / "VES" / "cel.dbf");

    ScriptedHost fresh;
    const VesImport read = ImportVes(plan, fresh);
    EXPECT_EQ(read.result, VesImportResult::Failed) << c.name;
    EXPECT_TRUE(read.units.empty()) << c.name;
    ASSERT_EQ(fresh.errors.size(), 1u) << c.name;
    EXPECT_NE(fresh.errors[0].find(c.file), std::string::npos) << c.name << ": " << fresh.errors[0];
    EXPECT_TRUE(fresh.messages.empty()) << c.name;
    EXPECT_EQ(fresh.busyDepth, 0) << c.name;
  }
}

TEST_F(VesExchangeTest, HeaderClaimingMoreRowsThanTheFileHoldsReadsWhatIsThere) {
  Unit("050182") = TwentyFooter();
  ASSERT_TRUE(ExportVes(plan, host));
  const fs::path file = dir.path() / "VES" / "cel.dbf";
  {
    std::fstream patch(file, std::ios::in | std::ios::out | std::ios::binary);
    patch.seekp(4);
    const char claimed[4] = {0x00, 0x2d, 0x31, 0x01};  // 20 000 000 records, little-endian
    patch.write(claimed, 4);
  }
  std::string error;
  auto table = DbfTable::Open(file, error);
  ASSERT_TRUE(table) << error;
  ASSERT_EQ(table->RecordCount(), plan.CellCount);
  table.reset();

  const VesImport read = ImportVes(plan, host);
  ASSERT_EQ(read.result, VesImportResult::Read);
  ASSERT_EQ(read.units.size(), 1u);
  EXPECT_EQ(read.units[0].unit.CONTAINER, "TCLU7654321");
}

TEST_F(VesExchangeTest, TablesWrittenByAnotherProgram) {
  // Upper-case names, lower-case columns, logical flags, missing columns,
  // 40' bay positions and cells the vessel does not have.
  std::string error;
  {
    auto ves = DbfTable::Create(dir.path() / "VES.DBF", {{"vessel", 'C', 30, 0}}, error);
    ASSERT_TRUE(ves) << error;
    ASSERT_TRUE(ves->Write(0, 0, "DEMO STAR"));
  }
  fs::rename(dir.path() / "VES.dbf", dir.path() / "VES.DBF");  // the library writes ".dbf"
  fs::create_directory(dir.path() / "Ves");
  {
    auto cel = DbfTable::Create(dir.path() / "Ves" / "CEL.DBF",
                                {{"cell", 'C', 8, 0}, {"yes_no", 'C', 1, 0}, {"container", 'C', 12, 0},
                                 {"weight", 'N', 8, 2}, {"siz", 'C', 2, 0}, {"imo", 'C', 4, 0}},
                                error);
    ASSERT_TRUE(cel) << error;
    const char* rows[][6] = {
        {"010082", "T", "AAAU0000001", "12.5", "22", "2.1"},
        {"020182", "1", "BBBU0000002", "30", "42", ""},  // 40' bay 02: the cell of bay 01
        {"030082", "F", "CCCU0000003", "5", "22", ""},   // not to be imported
        {"990182", "Y", "DDDU0000004", "5", "22", ""},   // no such cell
        {"", "T", "EEEU0000005", "5", "22", ""},         // no position at all
        {"050282", "0", "", "", "", ""},
    };
    for (int r = 0; r < 6; ++r)
      for (int f = 0; f < 6; ++f) ASSERT_TRUE(cel->Write(r, f, rows[r][f]));
  }
  fs::rename(dir.path() / "Ves" / "CEL.dbf", dir.path() / "Ves" / "CEL.DBF");

  const VesImport read = ImportVes(plan, host);
  ASSERT_EQ(read.result, VesImportResult::Read);
  EXPECT_EQ(read.skipped, 2);
  ASSERT_EQ(read.units.size(), 2u);
  EXPECT_EQ(read.units[0].cell, Cell("010082"));
  EXPECT_EQ(read.units[0].unit.CONTAINER, "AAAU0000001");
  EXPECT_EQ(read.units[0].unit.WEIGHT, 12.5);
  EXPECT_EQ(read.units[0].unit.IMO[0], "2.1");
  EXPECT_EQ(read.units[0].unit.POL, "");  // a missing column reads as empty
  EXPECT_EQ(read.units[1].cell, Cell("010182"));
  EXPECT_EQ(read.units[1].unit.SIZ, "42");
  EXPECT_EQ(read.units[1].unit.STATUS, 0);
  EXPECT_EQ(read.units[1].unit.POLIX, -1);
}

}  // namespace
