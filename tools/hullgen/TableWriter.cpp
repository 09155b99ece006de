// Text form of the tables written here:
// - Every field is followed by ";" (the last one too); numbers have a "."
//   decimal separator whatever the process's number format; each is rounded
//   to a fixed count of decimals per column (to the nearest, also below 0)
//   and written as the shortest text of that value, so "6" rather than
//   "6.000"; a value of 0 is an empty field (the readers take it as 0).
// - HYD.txt has no header line: one line per draft, ascending, 15 fields
//   (draft, displacement, KM, KM additions at trims of 0..3 m by the stern,
//   unused, LCB, LCF, MTC, aft and fore draft change per metre of
//   (LCB - LCG), unused, unused).
// - RLE.txt starts with one header line naming every column:
//   "T;DISP;KN05;KN10;...;KN70;FL_;" (the reader looks at the names from the
//   third on: "KNaa" is KN at aa degrees, "FL_" the flooding angle), then
//   one line per draft with the same fields. A flooding angle of 0 (empty)
//   means the opening does not immerse before 89 degrees.

#include "TableWriter.h"

#include <cmath>

#include "core/NumberFormat.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"

namespace {

std::string Field(double value, int decimals) {
  if (decimals <= 0) return ";";
  const double scale = std::pow(10.0, decimals);
  return RealOrEmpty(std::round(value * scale) / scale) + ";";
}

std::string KnName(int angle) { return std::string("KN") + (angle < 10 ? "0" : "") + std::to_string(angle); }

}  // namespace

std::vector<std::string> HydLines(const std::vector<HydrostaticRow>& rows) {
  const PointDecimalScope point;
  std::vector<std::string> lines;
  for (const HydrostaticRow& row : rows) {
    const auto columns = row.Columns();
    std::string line;
    for (size_t c = 0; c < columns.size(); ++c) line += Field(columns[c], kHydDecimals[c]);
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> RleLines(const std::vector<CrossCurveRow>& rows) {
  const PointDecimalScope point;
  std::string header = "T;DISP;";
  for (int angle : kCrossCurveAngles) header += KnName(angle) + ";";
  header += "FL_;";
  std::vector<std::string> lines{header};
  for (const CrossCurveRow& row : rows) {
    std::string line = Field(row.Draft, kRleDraftDecimals) + Field(row.Displacement, kRleDisplacementDecimals);
    for (double kn : row.KN) line += Field(kn, kRleKnDecimals);
    line += Field(row.FloodingAngle, kRleAngleDecimals);
    lines.push_back(line);
  }
  return lines;
}

bool WriteHyd(const std::filesystem::path& file, const std::vector<HydrostaticRow>& rows, std::string& error) {
  if (rows.size() > kMaxTableRows) {
    error = file.string() + ": more than 99 rows";
    return false;
  }
  return WriteTextLines(file, HydLines(rows), error);
}

bool WriteRle(const std::filesystem::path& file, const std::vector<CrossCurveRow>& rows, std::string& error) {
  if (rows.size() > kMaxTableRows) {
    error = file.string() + ": more than 99 rows";
    return false;
  }
  return WriteTextLines(file, RleLines(rows), error);
}
