#pragma once

// The Bonjean table and frame list of STR.txt as the strength reader takes
// them. See Bonjean.cpp for the text form.

#include <filesystem>
#include <string>
#include <vector>

#include "Hull.h"

// The reader's capacities: more is refused.
inline constexpr size_t kMaxBonjeanDrafts = 98;
inline constexpr size_t kMaxBonjeanStations = 100;
inline constexpr size_t kMaxFrames = 300;

struct BonjeanTable {
  std::vector<double> Drafts;    // m, ascending; written in whole centimetres
  std::vector<double> Stations;  // x
  std::vector<std::vector<double>> Area;    // [station][draft], m2
  std::vector<std::vector<double>> Moment;  // [station][draft], m3 about the base line
};

// The hull's sections at its own stations, at drafts from 0 to the depth in
// the given step (rounded to whole centimetres).
BonjeanTable ComputeBonjean(const Hull& hull, double draftStep);

// Frame n stands at x = n × spacing; the list runs over the hull's stations
// (the same numbering the tank table's frame fields use).
struct Frame {
  int Number = 0;
  double X = 0;
};
std::vector<Frame> FrameList(const Hull& hull, double spacing);

// Permissible still-water values at one frame, for mean drafts above
// FromDraft. The scales are what the strength drawing must hold.
struct LimitLine {
  double FromDraft = 0;
  int Frame = 0;
  double X = 0;
  double ShearScale = 0;
  double BendingScale = 0;
  double ShearPositive = 0, ShearNegative = 0;      // t
  double BendingPositive = 0, BendingNegative = 0;  // t·m
  double Torsion = 0;                               // t·m
};

// A piece of the lightship spread between two frames with its own centre.
struct LightshipPiece {
  std::string Name;  // no ";" or ","
  double Weight = 0;
  int FirstFrame = 0, LastFrame = 0;
  double LCG = 0;
};

inline constexpr size_t kMaxLimitLines = 40;

// What STR.txt holds beside the hull's own sections: the ship's limits and
// the lightship distribution.
struct StrengthExtras {
  std::vector<LimitLine> Limits;
  std::vector<LightshipPiece> Lightship;
};

std::vector<std::string> StrLines(const BonjeanTable& bonjean, const std::vector<Frame>& frames,
                                  const StrengthExtras& extras = {});

// Write STR.txt with CR LF line ends, atomically. Refused (false, error
// "<file>: <reason>") beyond the reader's capacities, with a draft of more
// than 4 digits in centimetres, or with a limit line or lightship piece at a
// frame that is not in the frame list.
bool WriteStr(const std::filesystem::path& file, const BonjeanTable& bonjean, const std::vector<Frame>& frames,
              std::string& error, const StrengthExtras& extras = {});
