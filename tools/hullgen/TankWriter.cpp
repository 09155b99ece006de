// Text form of the tank tables:
// - As in the hydrostatic tables: every field is followed by ";" (the last
//   one too: the reader drops text after a line's last separator), numbers
//   with "." whatever the process's number format, rounded to fixed decimals
//   per column and written as the shortest text; a 0 is an empty field.
// - TNK.txt: no header, one line per tank, 30 fields: key; name; capacity t;
//   (unused); group (weight item 4..9); VCG full; VCG empty; LCG; TCG;
//   free-surface moment t·m; content (empty: the reader never takes it);
//   (unused); the plan drawing's rectangle as top; left; bottom; right (y in
//   pixels from the drawing's middle, x from its left edge); 3 unused; first
//   and last strength frame; (unused); "0"; "0" (the sounding rows, which
//   the reader assigns itself); 6 empty display texts.
// - TNP.txt: no header, each tank's rows together in ascending content:
//   key; sounding m (for the reader's information only); content t; LCG;
//   VCG; TCG; free-surface moment. A centre that rounds to 0 reads as "no
//   value" and the tank table's centre stands, which for the TCG of a tank
//   on the centre line is the same 0.

#include "TankWriter.h"

#include <cmath>
#include <set>

#include "core/NumberFormat.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"

namespace {

std::string Field(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return RealOrEmpty(std::round(value * scale) / scale) + ";";
}

std::string Field(const std::string& text) { return text + ";"; }
std::string Field(int value) { return std::to_string(value) + ";"; }

bool UsableText(const std::string& text) {
  return !text.empty() && text.find_first_of(",;\r\n") == std::string::npos;
}

bool CheckTanks(const std::filesystem::path& file, const std::vector<TankTable>& tanks, std::string& error) {
  if (tanks.size() > kMaxTanks) {
    error = file.string() + ": more than " + std::to_string(kMaxTanks) + " tanks";
    return false;
  }
  std::set<std::string> keys;
  for (const TankTable& tank : tanks) {
    const std::string quoted = "\"" + tank.Shape.Key + "\"";
    if (!UsableText(tank.Shape.Key) || !UsableText(tank.Shape.Name)) {
      error = file.string() + ": tank key or name empty or with a separator: " + quoted;
      return false;
    }
    // The reader finds a tank by the first key that matches: a second tank
    // of the same key could never be filled.
    if (!keys.insert(tank.Shape.Key).second) {
      error = file.string() + ": tank key used twice: " + quoted;
      return false;
    }
    // Percent full and the VCG are divided by the capacity.
    if (!(tank.Capacity > 0)) {
      error = file.string() + ": tank without capacity: " + quoted;
      return false;
    }
  }
  return true;
}

}  // namespace

std::vector<std::string> TnkLines(const std::vector<TankTable>& tanks) {
  const PointDecimalScope point;
  std::vector<std::string> lines;
  for (const TankTable& t : tanks) {
    std::string line = Field(t.Shape.Key) + Field(t.Shape.Name) + Field(t.Capacity, 2) + Field(std::string());
    line += Field(static_cast<int>(t.Shape.Group));
    line += Field(t.VcgFull, 3) + Field(t.VcgEmpty, 3) + Field(t.LCG, 3) + Field(t.TCG, 3) + Field(t.FSM, 1);
    line += Field(std::string()) + Field(std::string());  // content, unused
    line += Field(t.PixelTop) + Field(t.PixelLeft) + Field(t.PixelBottom) + Field(t.PixelRight);
    for (int i = 16; i <= 18; ++i) line += Field(std::string());
    line += Field(t.FirstFrame) + Field(t.LastFrame) + Field(std::string());
    line += Field(0) + Field(0);
    for (int i = 24; i <= 29; ++i) line += Field(std::string());
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> TnpLines(const std::vector<TankTable>& tanks) {
  const PointDecimalScope point;
  std::vector<std::string> lines;
  for (const TankTable& t : tanks) {
    for (const SoundingRow& row : t.Soundings) {
      lines.push_back(Field(t.Shape.Key) + Field(row.Sounding, 3) + Field(row.Weight, 3) + Field(row.LCG, 3) +
                      Field(row.VCG, 3) + Field(row.TCG, 3) + Field(row.FSM, 1));
    }
  }
  return lines;
}

bool WriteTnk(const std::filesystem::path& file, const std::vector<TankTable>& tanks, std::string& error) {
  if (!CheckTanks(file, tanks, error)) return false;
  return WriteTextLines(file, TnkLines(tanks), error);
}

bool WriteTnp(const std::filesystem::path& file, const std::vector<TankTable>& tanks, std::string& error) {
  if (!CheckTanks(file, tanks, error)) return false;
  size_t rows = 0;
  for (const TankTable& t : tanks) rows += t.Soundings.size();
  if (rows > kMaxSoundingRows) {
    error = file.string() + ": more than " + std::to_string(kMaxSoundingRows) + " sounding rows";
    return false;
  }
  return WriteTextLines(file, TnpLines(tanks), error);
}
