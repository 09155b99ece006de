#pragma once

// A vessel made from a bay plan message, for a ship that is not installed
// yet: its cells are the positions the message names, a 40' position
// (even bay) declares the 40' bay of its two 20' bays, and the centres of
// gravity are the default ones. The vessel is written and installed, so
// that the same message then imports with every unit on board.

#include <filesystem>
#include <string>

struct PlanData;
class BaseData;
class VesselData;

struct VesselFromBaplieResult {
  bool ok = false;
  std::string error;  // why nothing was written
  int cells = 0;
  int bays = 0;
  int positions = 0;  // positions read from the message
};

VesselFromBaplieResult BuildVesselFromBaplie(PlanData& plan, BaseData& base, VesselData& ves,
                                             const std::filesystem::path& file, const std::string& name);
