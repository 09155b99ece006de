#pragma once

// The two demo ships as hullgen computes their tables: the hull form, the
// ranges of the tables, the tanks, and the ship's own strength data (limit
// lines and lightship pieces), which are not properties of the hull form.

#include <filesystem>
#include <string>
#include <vector>

#include "Bonjean.h"
#include "Hull.h"
#include "Hydrostatics.h"
#include "Tanks.h"

struct ShipDefinition {
  Hull hull;
  double firstDraft = 0;
  double lastDraft = 0;
  double hydStep = 0.1;
  double rleStep = 0.5;
  // The down-flooding openings (ventilators, air pipes without closing
  // devices): the first of them to reach the water gives the flooding angle.
  std::vector<HullPoint> openings;
  std::vector<TankShape> tanks;
  double frameSpacing = 0.7;
  StrengthExtras strength;
  double lightshipVcg = 0;  // the pieces give weight and LCG; the height is one figure
};

ShipDefinition BargeShip();
ShipDefinition FeederShip();
// "barge" or "feeder"; false for any other name.
bool ShipByName(const std::string& name, ShipDefinition& ship);

// The lightship pieces' total weight and centre.
struct LightshipTotals {
  double Weight = 0;
  double LCG = 0;
};
LightshipTotals SumLightship(const std::vector<LightshipPiece>& pieces);

// Computes every table of the ship and writes HYD.txt, RLE.txt, TNK.txt,
// TNP.txt and STR.txt into outDir (created when missing). summary tells the
// row counts; false with "<file>: <reason>" on failure.
bool WriteShipTables(const ShipDefinition& ship, const std::filesystem::path& outDir, std::string& summary,
                     std::string& error);
