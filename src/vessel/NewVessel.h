#pragma once

// A new vessel generated from its main dimensions, and the default centres of
// gravity of its cells computed from the container sizes of the DIM table.

#include <string>

struct PlanData;
class BaseData;
class VesselData;

struct NewVesselRequest {
  int lastBay = 47;  // highest 20' bay number
  int lastTierOnDeck = 96;
  int lastTierUnderDeck = 16;
  int maxRow = 14;
  bool tier80 = false;  // the first deck tier is 80 instead of 82
  std::string name;
  std::string folder;
  bool add = false;  // add cells to the open vessel instead of a new one
  std::string callSign;
  std::string imoNumber;
  std::string bayAftBridge;
};

// Generates the bays and cells (all cells deleted until the planner enables
// them in the configuration editor), the particulars and the files. Returns
// the number of cells; when that reached the cell limit nothing was written.
int GenerateVessel(PlanData& plan, BaseData& base, VesselData& ves, const NewVesselRequest& request);

// Default centres: what 1 longitudinal, 2 vertical, 3 transverse, 9 all.
void ComputeDefaultCentres(PlanData& plan, int what);

// Transverse centre of a cell's stack, metres, starboard positive.
double TransverseCentre(const PlanData& plan, int cell);
