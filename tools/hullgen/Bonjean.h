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

std::vector<std::string> StrLines(const BonjeanTable& bonjean, const std::vector<Frame>& frames);

// Write STR.txt with CR LF line ends, atomically. Refused (false, error
// "<file>: <reason>") beyond the reader's capacities or with a draft of
// more than 4 digits in centimetres.
bool WriteStr(const std::filesystem::path& file, const BonjeanTable& bonjean, const std::vector<Frame>& frames,
              std::string& error);
