// hullgen barge|feeder OUTDIR: computes the hydrostatic table HYD.txt, the
// cross-curve table RLE.txt, the tank tables TNK.txt and TNP.txt and the
// strength table STR.txt of one of the demo ships into OUTDIR.

#include <filesystem>
#include <iostream>
#include <string>

#include "DemoShips.h"

int main(int argc, char** argv) {
  ShipDefinition ship;
  if (argc != 3 || !ShipByName(argv[1], ship)) {
    std::cerr << "usage: hullgen barge|feeder OUTDIR\n";
    return 2;
  }
  std::string summary, error;
  if (!WriteShipTables(ship, argv[2], summary, error)) {
    std::cerr << error << "\n";
    return 1;
  }
  std::cout << summary << "\n";
  return 0;
}
