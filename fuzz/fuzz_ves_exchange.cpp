// A cel.dbf of the VES exchange of any content must read without fault, and
// every unit read must name a cell of the vessel. The cell-address functions
// get the same bytes as position texts and the cells found as arguments.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "core/Host.h"
#include "core/PlanData.h"
#include "vessel/CellAddress.h"
#include "vessel/DbfTable.h"
#include "vessel/VesExchange.h"

namespace fs = std::filesystem;

namespace {

// Bays 01/03 pair as 40' bay 02, bay 05 names a 40' bay whose other half is
// missing, bay 09 pairs rows on deck; one cell has a BAYIX out of range.
std::unique_ptr<PlanData> MakeVessel(const fs::path& exchange) {
  auto plan = CreatePlanData();
  const char* names[] = {"010082", "010182", "010282", "010102", "030082", "030182", "030102",
                         "050182", "090082", "090182", "090282", "090102"};
  for (const char* name : names) {
    const std::string bay = std::string(name).substr(0, 2);
    if (plan->BayCount == 0 || plan->Bays[plan->BayCount - 1].BAY != bay) {
      plan->Bays[plan->BayCount].BAY = bay;
      plan->Bays[plan->BayCount].FIRSTCELL = plan->CellCount;
      ++plan->BayCount;
    }
    plan->Cells[plan->CellCount].CELL = name;
    plan->Cells[plan->CellCount].BAYIX = plan->BayCount - 1;
    plan->Bays[plan->BayCount - 1].LASTCELL = plan->CellCount;
    ++plan->CellCount;
  }
  plan->Bays[0].D40 = plan->Bays[0].H40 = plan->Bays[1].D40 = plan->Bays[1].H40 = "02";
  plan->Bays[0].D00 = 1;
  plan->Bays[2].D40 = "06";
  plan->Bays[3].ATHWART = 1;
  plan->Bays[3].H40 = "10";
  plan->Cells[plan->CellCount - 1].BAYIX = 99;
  plan->VesHdr[VesHdrIx::Vessel] = "FUZZ";
  plan->Settings[SettingsIx::ExchangeDir] = exchange.string();
  return plan;
}

void Probe(const PlanData& plan, int cell) {
  (void)FortyPartnerCell(plan, cell);
  (void)PartnerBay(plan, cell);
  (void)NeighbourCell(plan, cell, true);
  (void)NeighbourCell(plan, cell, false);
  (void)CellAbove(plan, cell);
  (void)HasCentreRow(plan, cell);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fs::path exchange = fs::temp_directory_path() / ("zum4-fuzz-ves-" + std::to_string(getpid()));
  static std::unique_ptr<PlanData> plan = [] {
    fs::create_directories(exchange / "VES");
    std::string error;
    auto ves = DbfTable::Create(exchange / "ves.dbf", {{"VESSEL", 'C', 10, 0}}, error);
    if (!ves || !ves->Write(0, 0, "FUZZ")) std::abort();
    return MakeVessel(exchange);
  }();
  static QuietHost host;

  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(exchange / "VES" / "cel.dbf", std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  const VesImport read = ImportVes(*plan, host);
  for (const VesImportUnit& unit : read.units) {
    if (unit.cell < 0 || unit.cell >= plan->CellCount) std::abort();
    Probe(*plan, unit.cell);
  }

  const std::string_view position = bytes.substr(0, 12);
  const int cell = FindCellByPosition(*plan, position);
  if (cell < -1 || cell >= plan->CellCount) std::abort();
  (void)BayOf(*plan, position);
  (void)RowOf(*plan, position);
  (void)TierOf(*plan, position);
  Probe(*plan, cell);
  Probe(*plan, size > 0 ? static_cast<int>(data[0]) - 100 : 0);
  return 0;
}
