// import-edi, export-baplie and export-movins: the EDIFACT dialogs without
// their windows, with every choice given as an option.

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Installation.h"
#include "conditions/ConditionList.h"
#include "core/SaveSet.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "edifact/EdiExport.h"
#include "edifact/EdiImport.h"
#include "edifact/VesselFromBaplie.h"
#include "vessel/CellAddress.h"

namespace fs = std::filesystem;

namespace {

const char* FunctionName(EdiFunction f) {
  switch (f) {
    case EdiFunction::Original:
      return "Original";
    case EdiFunction::Add:
      return "Add";
    case EdiFunction::Change:
      return "Change";
    case EdiFunction::Replace:
      return "Replace";
    case EdiFunction::Delete:
      return "Delete";
    case EdiFunction::Final:
      return "Final";
  }
  return "";
}

void PrintHeader(const EdiHeader& h) {
  const std::pair<const char*, const std::string*> fields[] = {{"Vessel", &h.VesselName},
                                                               {"Vessel code", &h.VesselCode},
                                                               {"Discharging voyage", &h.DischargingVoy},
                                                               {"Loading voyage", &h.LoadingVoy},
                                                               {"Place of departure", &h.Departure},
                                                               {"Arrival", &h.ArrivalDate},
                                                               {"Departure", &h.DepartureDate},
                                                               {"Next port", &h.NextPort},
                                                               {"Next port arrival", &h.NextPortArrival},
                                                               {"Sender", &h.Sender},
                                                               {"Recipient", &h.Recipient},
                                                               {"Carrier", &h.Carrier}};
  std::printf("Message: %s %s\n", h.MessageType.c_str(), h.Version.c_str());
  std::printf("Function: %s\n", FunctionName(h.Function));
  for (const auto& [caption, value] : fields) std::printf("%s: %s\n", caption, value->c_str());
}

// Why a unit read from the message stands on the quay instead of in a cell.
std::string QuayReason(const PlanData& plan, const StructDat& unit, EdiMessageKind kind) {
  if (kind == EdiMessageKind::Coprar) return "container list: every unit goes to the quay";
  if (Trim(unit.POSITION).empty()) return "no position";
  const int cell = FindCellByPosition(plan, unit.POSITION);
  if (cell < 0) return "position is not a cell of the vessel";
  if (plan.Cur()[static_cast<size_t>(cell)].STATUS != 0) return "cell taken";
  return "refused by the stack rules";
}

// The port rotation after the open condition, from the vessel's condition
// list, as the export dialog takes it from the main window.
std::vector<std::string> PortRotation(OpenedCondition& opened) {
  ConditionList list(opened.ctx, opened.conditions);
  list.FillConditionList();
  return list.PortRotation;
}

// Lines "CODE;PORT": the unknown port CODE of the message (its five-letter
// code, or the port alone) is taken as PORT. Blank lines and lines
// beginning with # are skipped.
bool ReadPortMap(const std::string& file, ConsoleHost& host) {
  std::vector<std::string> lines;
  std::string error;
  if (!ReadTextLines(file, lines, error)) {
    std::fprintf(stderr, "error: %s\n", error.c_str());
    return false;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line = Trim(lines[i]);
    if (line.empty() || line[0] == '#') continue;
    const size_t semi = line.find(';');
    if (semi == std::string::npos) {
      std::fprintf(stderr, "error: %s line %zu: expected CODE;PORT\n", file.c_str(), i + 1);
      return false;
    }
    host.portMap[Trim(line.substr(0, semi))] = Trim(line.substr(semi + 1));
  }
  return true;
}

}  // namespace

int CmdImportEdi(Installation& inst, const ImportEdiArgs& args) {
  PlanData& plan = *inst.plan;
  if (!args.portMap.empty() && !ReadPortMap(args.portMap, inst.host)) return 1;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, args.vessel, args.condition)) return 1;

  EdiImport import(opened.ctx, inst.base);
  if (!import.Open(args.file)) return 1;  // the reason is reported with the file's name
  if (args.dump == "load") SetDumpLoad(import.Options, true);
  if (args.dump == "all") SetDumpAll(import.Options, true);
  if (args.dump == "none") {
    SetDumpLoad(import.Options, false);
    SetDumpAll(import.Options, false);
  }
  if (!args.port.empty()) import.Options.ThisPort = args.port;
  if (args.clearWeights) import.Options.ClearWeights = true;

  std::printf("File: %s\n", args.file.c_str());
  PrintHeader(import.Header);
  const int quayBefore = std::max(plan.QuayCount, 0);
  if (!import.Run()) return 1;
  std::printf("loaded: %d\nto quay: %d\nrestows: %d\n", import.Loaded, import.Refused, import.Restows);
  for (int i = quayBefore; i < plan.QuayCount; ++i) {
    const StructDat& unit = plan.Dat[static_cast<size_t>(plan.QuayPlane)][static_cast<size_t>(i)];
    if (unit.STATUS < 1) continue;
    std::printf("quay: %-8s %-12s %s\n", unit.POSITION.c_str(), unit.CONTAINER.c_str(),
                QuayReason(plan, unit, import.Header.Kind).c_str());
  }

  if (!args.save.empty() && !SaveConditionWithQuay(opened, inst, args.save)) return 1;
  return inst.host.errorCount == 0 ? 0 : 1;
}

int CmdExportEdi(Installation& inst, const ExportEdiArgs& args) {
  PlanData& plan = *inst.plan;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, args.vessel, args.condition)) return 1;

  std::tm now{};
  if (args.now.empty()) {
    const std::time_t t = std::time(nullptr);
    localtime_r(&t, &now);
  } else if (std::sscanf(args.now.c_str(), "%d-%d-%d %d:%d", &now.tm_year, &now.tm_mon, &now.tm_mday,
                         &now.tm_hour, &now.tm_min) != 5) {
    std::fprintf(stderr, "error: --now wants \"yyyy-mm-dd hh:mm\", not %s\n", args.now.c_str());
    return 2;
  } else {
    now.tm_year -= 1900;
    now.tm_mon -= 1;
  }

  EdiExportOptions options = EdiExportDefaults(plan, args.kind, PortRotation(opened), now);
  if (args.kind == EdiMessageKind::Baplie && !args.version.empty()) options.Version = args.version;
  if (args.vesselId == "imo") options.VesselIdImoNumber = true;
  if (args.vesselId == "call-sign") options.VesselIdImoNumber = false;
  const fs::path out = fs::absolute(args.out);
  options.Folder = out.parent_path();
  options.FileName = out.filename().string();
  // Every unit of the condition: the export dialog starts with the
  // selection reset.
  for (StructDat& record : plan.Dat[static_cast<size_t>(options.Plane)]) record.SELECTED = 1;

  const EdiExportResult result = WriteInterchange(plan, options);
  if (!ExportEdi(plan, options, inst.host, true)) return 1;
  std::printf("Written: %s\nunits: %d\nsegments: %d\n", out.string().c_str(), result.Units, result.Segments);
  return inst.host.errorCount == 0 ? 0 : 1;
}

int CmdVesselFromBaplie(Installation& inst, const std::string& file, const std::string& name) {
  VesselData ves(*inst.plan, inst.host);
  const VesselFromBaplieResult made = BuildVesselFromBaplie(*inst.plan, inst.base, ves, file, name);
  if (!made.ok) {
    std::fprintf(stderr, "error: %s\n", made.error.c_str());
    return 1;
  }
  if (!inst.base.WriteVesselList()) return 1;
  std::printf("Vessel: %s\nFolder: %s\npositions: %d\ncells: %d\nbays: %d\n", name.c_str(),
              inst.plan->VesselDir.c_str(), made.positions, made.cells, made.bays);
  return 0;
}
