// demogen BASEDIR OUTDIR: writes the demo vessels into OUTDIR as the demo
// installation holds them: for the feeder and the barge their folder with
// ptc.txt, bay.txt, cel.txt and every table hullgen computes; the feeder's
// voyage conditions; the loading list of its next port; and vex.txt.
// BASEDIR is an installation whose parameter file gives the container
// dimensions, the vessel header names and the loading-list layout.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "Cargo.h"
#include "DemoShips.h"
#include "Layout.h"
#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "vessel/BaseData.h"
#include "vessel/PtcFile.h"
#include "vessel/VesselData.h"

namespace fs = std::filesystem;

namespace {

// Prints what the program would have shown, so that a failure explains itself.
class ConsoleReport : public QuietHost {
 public:
  void ReportError(const std::string& text) override { std::cerr << "error: " << text << "\n"; }
};

bool WriteVessel(PlanData& plan, VesselData& ves, const ShipDefinition& ship, const fs::path& dir,
                 std::string& error) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    error = dir.string() + ": " + ec.message();
    return false;
  }
  plan.VesselDir = dir.string();
  if (!WritePtc(plan, dir / "ptc.txt", error)) return false;
  plan.BayChanged = plan.CelChanged = 1;
  if (!ves.SaveBays() || !ves.SaveCells()) {
    error = dir.string() + ": bay.txt or cel.txt not written";
    return false;
  }
  std::string summary;
  if (!WriteShipTables(ship, dir, summary, error)) return false;
  std::cout << plan.VesHdr[VesHdrIx::Vessel] << ": " << plan.CellCount << " cells, " << plan.BayCount
            << " bays; " << summary << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: demogen BASEDIR OUTDIR\n";
    return 2;
  }
  const fs::path baseDir = argv[1];
  const fs::path outDir = argv[2];
  std::unique_ptr<PlanData> owner = CreatePlanData();
  PlanData& plan = *owner;
  ConsoleReport host;
  BaseData base(plan, host);
  if (!base.CreateBaseData(baseDir) || !base.LoadBaseData()) {
    std::cerr << baseDir.string() << ": not an installation with base data\n";
    return 1;
  }
  plan.Settings[SettingsIx::VesselsRoot] = outDir.string();
  plan.Settings[SettingsIx::ArchiveRoot] = (outDir / "ARCHIVE").string();

  const struct {
    const char* form;
    int (*build)(PlanData&, const ShipDefinition&);
  } vessels[] = {{"barge", BuildBargeLayout}, {"feeder", BuildFeederLayout}};

  VesselSession session(plan, host, base.TotalsLabels);
  VesselData& ves = session.ves;
  std::vector<std::string> vex;
  std::string error;
  std::error_code ec;
  for (const auto& v : vessels) {
    ShipDefinition ship;
    ShipByName(v.form, ship);
    v.build(plan, ship);
    const fs::path dir = outDir / plan.VesHdr[VesHdrIx::Dir];
    if (!WriteVessel(plan, ves, ship, dir, error)) {
      std::cerr << error << "\n";
      return 1;
    }
    vex.push_back(plan.VesHdr[VesHdrIx::Vessel] + ";" + plan.VesHdr[VesHdrIx::Dir] + ";1;");
    if (std::string(v.form) != "feeder") continue;

    // The voyage runs on the vessel as the program opens it.
    const int k = 0;
    plan.VesselList[k * kVesselListFields] = plan.VesHdr[VesHdrIx::Vessel];
    plan.VesselList[k * kVesselListFields + 1] = plan.VesHdr[VesHdrIx::Dir];
    plan.VesselCount = 1;
    if (!session.Open(k) || !session.TableErrors().empty()) {
      std::cerr << dir.string() << ": the vessel written does not open\n";
      return 1;
    }
    VoyageReport report;
    if (!WriteFeederVoyage(session.ctx, session.conditions, report, error)) {
      std::cerr << error << "\n";
      return 1;
    }
    for (const std::string& line : report.lines) std::cout << line << "\n";
    // The last condition written is the one the program opens with the vessel.
    if (!WritePtc(plan, dir / "ptc.txt", error)) {
      std::cerr << error << "\n";
      return 1;
    }
    fs::create_directories(outDir / "RECEIVE", ec);
    if (!WriteFeederLoadingList(plan, outDir / "RECEIVE" / "LOADLIST_GOT012N.TXT", error)) {
      std::cerr << error << "\n";
      return 1;
    }
  }
  std::sort(vex.begin(), vex.end());
  if (!WriteTextLines(outDir / "vex.txt", vex, error)) {
    std::cerr << error << "\n";
    return 1;
  }
  return 0;
}
