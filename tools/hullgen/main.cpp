// hullgen barge|feeder OUTDIR: computes the hydrostatic table HYD.txt and the
// cross-curve table RLE.txt of one of the demo hull forms into OUTDIR.

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "Hull.h"
#include "Hydrostatics.h"
#include "TableWriter.h"

namespace {

struct Ship {
  Hull hull;
  double firstDraft = 0;
  double lastDraft = 0;
  double hydStep = 0.1;
  double rleStep = 0.5;
  HullPoint floodingPoint;  // the opening whose immersion is the flooding angle
};

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
  } else if (form == "feeder") {
    const FeederForm f;
    ship.hull = Feeder(f);
    ship.firstDraft = 2.0;
    ship.lastDraft = 10.5;
    // The top of the hatch coaming at its side, amidships.
    ship.floodingPoint = {f.L / 2, f.B / 2 - 1.8, f.D + 1.6};
  } else {
    return Usage();
  }

  std::vector<HydrostaticRow> hyd;
  for (double t : Drafts(ship.firstDraft, ship.lastDraft, ship.hydStep)) hyd.push_back(HydrostaticRowAt(ship.hull, t));
  std::vector<CrossCurveRow> rle;
  for (double t : Drafts(ship.firstDraft, ship.lastDraft, ship.rleStep)) {
    rle.push_back(CrossCurveRowAt(ship.hull, t, ship.floodingPoint));
  }

  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) {
    std::cerr << outDir.string() << ": " << ec.message() << "\n";
    return 1;
  }
  std::string error;
  if (!WriteHyd(outDir / "HYD.txt", hyd, error) || !WriteRle(outDir / "RLE.txt", rle, error)) {
    std::cerr << error << "\n";
    return 1;
  }
  std::cout << "HYD.txt: " << hyd.size() << " rows, RLE.txt: " << rle.size() << " rows\n";
  return 0;
}
