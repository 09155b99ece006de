// hullgen barge|feeder OUTDIR: computes the hydrostatic table HYD.txt, the
// cross-curve table RLE.txt and the tank tables TNK.txt and TNP.txt of one of
// the demo hull forms into OUTDIR, with the Bonjean table and frame list of
// STR.txt.

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "Bonjean.h"
#include "Hull.h"
#include "Hydrostatics.h"
#include "TableWriter.h"
#include "TankWriter.h"
#include "Tanks.h"

namespace {

struct Ship {
  Hull hull;
  double firstDraft = 0;
  double lastDraft = 0;
  double hydStep = 0.1;
  double rleStep = 0.5;
  HullPoint floodingPoint;  // the opening whose immersion is the flooding angle
  std::vector<TankShape> tanks;
  double frameSpacing = 0.7;
};

// Sounding rows per tank: enough for smooth interpolation while the largest
// arrangement stays within the reader's 500 rows.
constexpr int kSoundingRows = 20;
constexpr double kBonjeanDraftStep = 0.25;

std::vector<double> Drafts(double first, double last, double step) {
  std::vector<double> drafts;
  for (int i = 0; first + i * step <= last + 1e-9; ++i) drafts.push_back(first + i * step);
  return drafts;
}

int Usage() {
  std::cerr << "usage: hullgen barge|feeder OUTDIR\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  const std::string form = argv[1];
  const std::filesystem::path outDir = argv[2];

  Ship ship;
  if (form == "barge") {
    ship.hull = BoxBarge(100, 20, 10);
    ship.firstDraft = 0.5;
    ship.lastDraft = 9.0;
    // A vent 1 m inboard of the side, 1 m above the deck.
    ship.floodingPoint = {50, 9, 11};
    ship.tanks = BargeTanks(ship.hull);
    ship.frameSpacing = 2.5;
  } else if (form == "feeder") {
    const FeederForm f;
    ship.hull = Feeder(f);
    ship.firstDraft = 2.0;
    ship.lastDraft = 10.5;
    // The top of the hatch coaming at its side, amidships.
    ship.floodingPoint = {f.L / 2, f.B / 2 - 1.8, f.D + 1.6};
    ship.tanks = FeederTanks(f);
  } else {
    return Usage();
  }

  std::vector<HydrostaticRow> hyd;
  for (double t : Drafts(ship.firstDraft, ship.lastDraft, ship.hydStep)) hyd.push_back(HydrostaticRowAt(ship.hull, t));
  std::vector<CrossCurveRow> rle;
  for (double t : Drafts(ship.firstDraft, ship.lastDraft, ship.rleStep)) {
    rle.push_back(CrossCurveRowAt(ship.hull, t, ship.floodingPoint));
  }
  std::vector<TankTable> tanks;
  size_t soundingRows = 0;
  for (const TankShape& shape : ship.tanks) {
    tanks.push_back(ComputeTank(ship.hull, shape, kSoundingRows, ship.frameSpacing));
    soundingRows += tanks.back().Soundings.size();
  }

  const BonjeanTable bonjean = ComputeBonjean(ship.hull, kBonjeanDraftStep);
  const std::vector<Frame> frames = FrameList(ship.hull, ship.frameSpacing);

  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) {
    std::cerr << outDir.string() << ": " << ec.message() << "\n";
    return 1;
  }
  std::string error;
  if (!WriteHyd(outDir / "HYD.txt", hyd, error) || !WriteRle(outDir / "RLE.txt", rle, error) ||
      !WriteTnk(outDir / "TNK.txt", tanks, error) || !WriteTnp(outDir / "TNP.txt", tanks, error) ||
      !WriteStr(outDir / "STR.txt", bonjean, frames, error)) {
    std::cerr << error << "\n";
    return 1;
  }
  std::cout << "HYD.txt: " << hyd.size() << " rows, RLE.txt: " << rle.size() << " rows, TNK.txt: " << tanks.size()
            << " tanks, TNP.txt: " << soundingRows << " rows, STR.txt: " << bonjean.Stations.size() << " stations x "
            << bonjean.Drafts.size() << " drafts, " << frames.size() << " frames\n";
  return 0;
}
