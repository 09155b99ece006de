#include "vessel/VesExchange.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/Host.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "vessel/CellAddress.h"
#include "vessel/DbfTable.h"
#include "vessel/FileNames.h"

namespace fs = std::filesystem;

namespace {

using Row = std::vector<std::string>;

const char* const kCelTable = "cel.dbf";
const char* const kBayTable = "bay.dbf";
const char* const kVesTable = "ves.dbf";
const char* const kPorTable = "por.dbf";
const char* const kTypTable = "typ.dbf";
const char* const kCellFolder = "VES";

// Widths leave room for every value the plan holds: centres and weights to
// the millimetre and kilogram, port codes of the five-letter form and more.
const std::vector<DbfField> kCelFields = {
    {"CELL", 'C', 10, 0},     {"YES_NO", 'N', 1, 0},  {"LCG", 'N', 12, 3},   {"VCG", 'N', 12, 3},
    {"TCG", 'N', 12, 3},      {"LCG_40", 'N', 12, 3}, {"FL_RF", 'N', 4, 0},  {"WEIGHT", 'N', 12, 3},
    {"MTY", 'N', 4, 0},       {"POL", 'C', 10, 0},    {"POD", 'C', 10, 0},   {"PRS", 'C', 10, 0},
    {"FRM", 'C', 10, 0},      {"TYP", 'C', 4, 0},     {"SIZ", 'C', 4, 0},    {"ISO", 'C', 4, 0},
    {"OPERATOR", 'C', 10, 0}, {"TEMP", 'N', 8, 0},    {"TEMP_2", 'N', 8, 0}, {"OWP", 'N', 8, 0},
    {"OWS", 'N', 8, 0},       {"OH", 'N', 8, 0},      {"OL", 'N', 8, 0},     {"IMO", 'C', 10, 0},
    {"UN", 'C', 10, 0},       {"FL2", 'N', 4, 0},     {"FL3", 'N', 4, 0},    {"CONTAINER", 'C', 15, 0},
};
const std::vector<DbfField> kBayFields = {
    {"BAY", 'C', 4, 0}, {"D00", 'N', 4, 0}, {"H00", 'N', 4, 0}, {"D40", 'C', 4, 0}, {"H40", 'C', 4, 0},
};
const std::vector<DbfField> kVesFields = {
    {"CODE", 'C', 10, 0}, {"VESSEL", 'C', 40, 0}, {"CALL_SIGN", 'C', 12, 0}, {"DIR", 'C', 40, 0},
    {"PORT", 'C', 10, 0}, {"VOY", 'C', 20, 0},    {"ADP", 'C', 1, 0},
};
const std::vector<DbfField> kPorFields = {
    {"CODE", 'C', 10, 0}, {"PORT", 'C', 40, 0}, {"COUNTRY", 'C', 40, 0}, {"LETTER", 'C', 4, 0}};
const std::vector<DbfField> kTypFields = {
    {"TYP", 'C', 4, 0},   {"DESCR", 'C', 40, 0}, {"ISO20", 'C', 4, 0},
    {"ISO40", 'C', 4, 0}, {"ISO45", 'C', 4, 0},  {"ISO48", 'C', 4, 0},
};

bool Is20Foot(const StructDat& unit) { return !unit.SIZ.empty() && unit.SIZ[0] == '2'; }

// The exchange folder named in the settings, "" when it is not a folder.
fs::path ExchangeFolder(const PlanData& plan) {
  const std::string name = Trim(plan.Settings[SettingsIx::ExchangeDir]);
  if (name.empty()) return {};
  std::error_code ec;
  if (!fs::is_directory(name, ec)) return {};
  return fs::path(name);
}

// The path of the table named name in dir, an existing file of any case first.
fs::path TablePath(const fs::path& dir, const std::string& name) {
  fs::path found = FindFileNoCase(dir, name);
  return found.empty() ? dir / name : found;
}

// Writes the rows to a new table beside the old one and renames it over it,
// so a failure never leaves a half-written table where a whole one stood.
bool WriteTable(const fs::path& dir, const std::string& name, const std::vector<DbfField>& fields,
                const std::vector<Row>& rows, Host& host) {
  const fs::path target = TablePath(dir, name);
  const fs::path temp = dir / ("~" + name);
  std::string error;
  bool written = true;
  {
    std::unique_ptr<DbfTable> table = DbfTable::Create(temp, fields, error);
    if (!table) {
      host.ReportError(target.string() + ": " + error);
      return false;
    }
    for (size_t r = 0; r < rows.size() && written; ++r) {
      for (size_t f = 0; f < fields.size() && written; ++f) {
        std::string value = f < rows[r].size() ? rows[r][f] : std::string();
        // Texts longer than their column are cut here: the library would cut
        // them too, but report the cut as a failed write.
        if (fields[f].type == 'C' && value.size() > static_cast<size_t>(fields[f].width))
          value.resize(static_cast<size_t>(fields[f].width));
        written = table->Write(static_cast<int>(r), static_cast<int>(f), value);
      }
    }
  }
  std::error_code ec;
  if (!written) {
    fs::remove(temp, ec);
    host.ReportError(target.string() + ": a value does not fit its column, the table was not written");
    return false;
  }
  // The table on disk before it takes the old one's name, and the name on
  // disk after, so that a power loss leaves one whole table or the other.
  if (!SyncToDisk(temp)) {
    fs::remove(temp, ec);
    host.ReportError(target.string() + ": the table could not be flushed to disk, it was not replaced");
    return false;
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    host.ReportError(target.string() + ": cannot replace the table (" + ec.message() + ")");
    return false;
  }
  if (!SyncToDisk(dir)) {
    host.ReportError(target.string() + ": written, but its folder could not be flushed to disk");
    return false;
  }
  return true;
}

Row CellRow(const PlanData& plan, int cell, const StructDat& unit, bool withUnit, bool own) {
  const StructCel& c = plan.Cells[cell];
  Row row = {c.CELL,
             own ? "1" : "0",
             RealOrEmpty(c.LCG),
             RealOrEmpty(c.VCG),
             RealOrEmpty(c.TCG),
             RealOrEmpty(c.LCG_40),
             IntOrEmpty(c.FL_RF)};
  if (!withUnit) return row;
  const std::string more[] = {RealOrEmpty(unit.WEIGHT),
                              IntOrEmpty(unit.MTY),
                              unit.POL,
                              unit.POD,
                              unit.PRS,
                              unit.FRM,
                              unit.TYP,
                              unit.SIZ,
                              unit.ISO,
                              unit.OPERATOR,
                              IntOrEmpty(unit.TEMP),
                              IntOrEmpty(unit.TEMP_2),
                              IntOrEmpty(unit.OWP),
                              IntOrEmpty(unit.OWS),
                              IntOrEmpty(unit.OH),
                              IntOrEmpty(unit.OL),
                              unit.IMO[0],
                              unit.UN[0],
                              IntOrEmpty(unit.FL2),
                              IntOrEmpty(unit.FL3),
                              unit.CONTAINER};
  row.insert(row.end(), std::begin(more), std::end(more));
  return row;
}

// The CEL rows. On the way every 40' unit's record is copied whole into the
// second cell it covers (marked 9 while the rows are built, -1 after), so
// that both rows carry the same unit. The copies are made before any row is
// built: the second cell can come first in the cell order (a unit stowed
// from the aft bay, a section pairing rows), and no mark may outlive the
// export.
std::vector<Row> CellRows(PlanData& plan) {
  DataSet& cur = plan.Cur();
  const int cellCount = std::clamp(plan.CellCount, 0, kMaxCells);
  for (int i = 0; i < cellCount; ++i) {
    const StructDat& unit = cur[i];
    if (unit.STATUS != 1 || Is20Foot(unit)) continue;
    const int partner = FortyPartnerCell(plan, i);
    // A partner holding a unit of its own is a broken plan; that unit stays.
    if (partner < 0 || partner == i || cur[partner].STATUS == 1) continue;
    cur[partner] = unit;
    cur[partner].POSITION = plan.Cells[partner].CELL;
    cur[partner].STATUS = 9;
  }
  std::vector<Row> rows;
  rows.reserve(static_cast<size_t>(cellCount));
  for (int i = 0; i < cellCount; ++i) {
    StructDat& unit = cur[i];
    if (unit.STATUS == 1) {
      rows.push_back(CellRow(plan, i, unit, true, true));
    } else if (unit.STATUS == 9) {
      rows.push_back(CellRow(plan, i, unit, true, false));
      unit.STATUS = -1;
    } else {
      rows.push_back(CellRow(plan, i, unit, false, false));
    }
  }
  return rows;
}

std::unique_ptr<DbfTable> OpenTable(const fs::path& dir, const std::string& name, Host& host) {
  const fs::path file = FindFileNoCase(dir, name);
  if (file.empty()) {
    host.ReportError((dir / name).string() + ": the table does not exist");
    return nullptr;
  }
  std::string error;
  std::unique_ptr<DbfTable> table = DbfTable::Open(file, error);
  if (!table) host.ReportError(error);
  return table;
}

// A YES_NO value as another program may have written it: a number, or a
// logical T/Y.
bool IsYes(const std::string& text) {
  if (text.empty()) return false;
  const char first = text[0];
  if (first == 'T' || first == 't' || first == 'Y' || first == 'y') return true;
  return ParseReal(text) != 0;
}

}  // namespace

bool HasExchangeFolder(const PlanData& plan) { return !ExchangeFolder(plan).empty(); }

bool ExportVes(PlanData& plan, Host& host) {
  const fs::path dir = ExchangeFolder(plan);
  if (dir.empty()) {
    host.ReportError(Trim(plan.Settings[SettingsIx::ExchangeDir]) + ": the exchange folder does not exist");
    return false;
  }
  fs::path cellDir = FindFileNoCase(dir, kCellFolder);
  if (cellDir.empty()) {
    cellDir = dir / kCellFolder;
    std::error_code ec;
    fs::create_directory(cellDir, ec);
    if (ec) {
      host.ReportError(cellDir.string() + ": cannot create the folder (" + ec.message() + ")");
      return false;
    }
  }
  BusyCursor busy(host);

  const std::vector<Row> cellRows = CellRows(plan);

  std::vector<Row> bayRows;
  for (int b = 0; b < std::clamp(plan.BayCount, 0, kMaxBays); ++b) {
    const StructBay& bay = plan.Bays[b];
    bayRows.push_back({bay.BAY, IntOrEmpty(bay.D00), IntOrEmpty(bay.H00), bay.D40, bay.H40});
  }

  const auto& hdr = plan.VesHdr;
  const std::vector<Row> vesRows = {{hdr[VesHdrIx::Code], hdr[VesHdrIx::Vessel], hdr[VesHdrIx::CallSign],
                                     hdr[VesHdrIx::Dir], hdr[VesHdrIx::Port], hdr[VesHdrIx::Voy],
                                     hdr[VesHdrIx::Adp]}};

  std::vector<Row> porRows;
  for (int p = 0; p < std::clamp(plan.PortCount, 0, kMaxPorts); ++p) {
    const StructPor& port = plan.Ports[p];
    porRows.push_back({port.CODE, port.PORT, port.COUNTRY, port.LETTER});
  }

  std::vector<Row> typRows;
  for (int t = 0; t < std::clamp(plan.TypeCount, 0, kMaxTypes); ++t) {
    const StructTyp& typ = plan.Types[t];
    typRows.push_back({typ.TYP, typ.DESCR, typ.ISO20, typ.ISO40, typ.ISO45, typ.ISO48});
  }

  return WriteTable(cellDir, kCelTable, kCelFields, cellRows, host) &&
         WriteTable(cellDir, kBayTable, kBayFields, bayRows, host) &&
         WriteTable(dir, kVesTable, kVesFields, vesRows, host) &&
         WriteTable(dir, kPorTable, kPorFields, porRows, host) &&
         WriteTable(dir, kTypTable, kTypFields, typRows, host);
}

VesImport ImportVes(PlanData& plan, Host& host) {
  VesImport result;
  const fs::path dir = ExchangeFolder(plan);
  if (dir.empty()) {
    result.result = VesImportResult::UseLoadList;
    return result;
  }

  const std::unique_ptr<DbfTable> ves = OpenTable(dir, kVesTable, host);
  if (!ves) return result;
  result.vessel = Trim(ves->Read(0, ves->FieldIndex("VESSEL")));
  if (result.vessel != Trim(plan.VesHdr[VesHdrIx::Vessel])) {
    plan.Messages[51] = "Vessel ready to be imported: " + result.vessel;
    host.ShowMessageNo(51);
    result.result = VesImportResult::OtherVessel;
    return result;
  }

  const fs::path cellDir = FindFileNoCase(dir, kCellFolder);
  const std::unique_ptr<DbfTable> cel =
      OpenTable(cellDir.empty() ? dir / kCellFolder : cellDir, kCelTable, host);
  if (!cel) return result;

  BusyCursor busy(host);
  const auto column = [&cel](const char* name) { return cel->FieldIndex(name); };
  const int cCell = column("CELL"), cYes = column("YES_NO"), cWeight = column("WEIGHT"), cMty = column("MTY"),
            cPol = column("POL"), cPod = column("POD"), cPrs = column("PRS"), cFrm = column("FRM"),
            cTyp = column("TYP"), cSiz = column("SIZ"), cIso = column("ISO"), cOperator = column("OPERATOR"),
            cTemp = column("TEMP"), cTemp2 = column("TEMP_2"), cOwp = column("OWP"), cOws = column("OWS"),
            cOh = column("OH"), cOl = column("OL"), cImo = column("IMO"), cUn = column("UN"),
            cFl2 = column("FL2"), cFl3 = column("FL3"), cContainer = column("CONTAINER");

  const int records = cel->RecordCount();
  for (int r = 0; r < records; ++r) {
    if (!IsYes(cel->Read(r, cYes))) continue;
    const int cell = FindCellByPosition(plan, cel->Read(r, cCell));
    if (cell < 0) {
      ++result.skipped;
      continue;
    }
    VesImportUnit row;
    row.cell = cell;
    StructDat& u = row.unit;
    u.WEIGHT = ParseReal(cel->Read(r, cWeight));
    u.MTY = ParseInt(cel->Read(r, cMty));
    u.POL = cel->Read(r, cPol);
    u.POD = cel->Read(r, cPod);
    u.PRS = cel->Read(r, cPrs);
    u.FRM = cel->Read(r, cFrm);
    u.TYP = cel->Read(r, cTyp);
    u.SIZ = cel->Read(r, cSiz);
    u.ISO = cel->Read(r, cIso);
    u.OPERATOR = cel->Read(r, cOperator);
    u.TEMP = ParseInt(cel->Read(r, cTemp));
    u.TEMP_2 = ParseInt(cel->Read(r, cTemp2));
    u.OWP = ParseInt(cel->Read(r, cOwp));
    u.OWS = ParseInt(cel->Read(r, cOws));
    u.OH = ParseInt(cel->Read(r, cOh));
    u.OL = ParseInt(cel->Read(r, cOl));
    u.IMO[0] = cel->Read(r, cImo);
    u.UN[0] = cel->Read(r, cUn);
    u.FL2 = ParseInt(cel->Read(r, cFl2));
    u.FL3 = ParseInt(cel->Read(r, cFl3));
    u.CONTAINER = cel->Read(r, cContainer);
    result.units.push_back(std::move(row));
  }
  result.result = VesImportResult::Read;
  return result;
}
