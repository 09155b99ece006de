// Text form of STR.txt as written here:
// - A line "//BON" opens the Bonjean table. Its first line names the draft
//   columns from the third field on: "A" and the draft in centimetres in
//   four digits ("A0250" is 2.5 m). Then one area line per station ("A", x,
//   the areas per draft column), then one moment line per station in the
//   same order ("B", x, the vertical moments).
// - A line "//FRM" opens the frame list: frame number, x.
// - Fields are separated by ";" with none after the last (the reader takes
//   the text after a line's last separator as one more field); numbers with
//   "." whatever the process's number format, 0 written as "0".
// - A line "//STR" opens the limit lines: draft from which the line
//   applies, frame number, x, shear scale, 0, bending scale, 0, allowed
//   positive and negative shear, positive and negative bending, torsion.
// - A line "//LSH" opens the lightship pieces (after the frames, whose
//   numbers they use): name, weight, first frame, last frame, LCG.

#include "Bonjean.h"

#include <cmath>

#include "Tanks.h"
#include "core/NumberFormat.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"

namespace {

std::string Number(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const std::string text = RealOrEmpty(std::round(value * scale) / scale);
  return text.empty() ? "0" : text;
}

int Centimetres(double draft) { return static_cast<int>(std::lround(draft * 100)); }

std::string DraftColumn(double draft) {
  std::string digits = std::to_string(Centimetres(draft));
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return "A" + digits;
}

}  // namespace

BonjeanTable ComputeBonjean(const Hull& hull, double draftStep) {
  BonjeanTable table;
  if (draftStep <= 0) return table;
  for (int j = 0; j * draftStep <= hull.D + 1e-9; ++j) table.Drafts.push_back(Centimetres(j * draftStep) / 100.0);
  table.Stations = hull.Stations;
  for (double x : table.Stations) {
    std::vector<double> areas, moments;
    for (double t : table.Drafts) {
      const SectionArea s = SectionAreaAt(hull, x, t);
      areas.push_back(s.Area);
      moments.push_back(s.Moment);
    }
    table.Area.push_back(areas);
    table.Moment.push_back(moments);
  }
  return table;
}

std::vector<Frame> FrameList(const Hull& hull, double spacing) {
  std::vector<Frame> frames;
  if (spacing <= 0 || hull.Stations.empty()) return frames;
  const int first = static_cast<int>(std::lround(hull.Stations.front() / spacing));
  const int last = static_cast<int>(std::lround(hull.Stations.back() / spacing));
  for (int n = first; n <= last; ++n) frames.push_back({n, n * spacing});
  return frames;
}

std::vector<std::string> StrLines(const BonjeanTable& bonjean, const std::vector<Frame>& frames,
                                  const StrengthExtras& extras) {
  const PointDecimalScope point;
  std::vector<std::string> lines{"//BON"};
  std::string header = "T;X";
  for (double t : bonjean.Drafts) header += ";" + DraftColumn(t);
  lines.push_back(header);
  for (const auto& [mark, values] : {std::pair{"A", &bonjean.Area}, std::pair{"B", &bonjean.Moment}}) {
    for (size_t k = 0; k < bonjean.Stations.size(); ++k) {
      std::string line = std::string(mark) + ";" + Number(bonjean.Stations[k], 3);
      for (double v : (*values)[k]) line += ";" + Number(v, 3);
      lines.push_back(line);
    }
  }
  lines.push_back("//FRM");
  for (const Frame& f : frames) lines.push_back(std::to_string(f.Number) + ";" + Number(f.X, 3));
  if (!extras.Limits.empty()) lines.push_back("//STR");
  for (const LimitLine& l : extras.Limits) {
    lines.push_back(Number(l.FromDraft, 2) + ";" + std::to_string(l.Frame) + ";" + Number(l.X, 3) + ";" +
                    Number(l.ShearScale, 0) + ";0;" + Number(l.BendingScale, 0) + ";0;" + Number(l.ShearPositive, 0) +
                    ";" + Number(l.ShearNegative, 0) + ";" + Number(l.BendingPositive, 0) + ";" +
                    Number(l.BendingNegative, 0) + ";" + Number(l.Torsion, 0));
  }
  if (!extras.Lightship.empty()) lines.push_back("//LSH");
  for (const LightshipPiece& p : extras.Lightship) {
    lines.push_back(p.Name + ";" + Number(p.Weight, 1) + ";" + std::to_string(p.FirstFrame) + ";" +
                    std::to_string(p.LastFrame) + ";" + Number(p.LCG, 3));
  }
  return lines;
}

bool WriteStr(const std::filesystem::path& file, const BonjeanTable& bonjean, const std::vector<Frame>& frames,
              std::string& error, const StrengthExtras& extras) {
  std::string reason;
  auto hasFrame = [&frames](int number) {
    return !frames.empty() && number >= frames.front().Number && number <= frames.back().Number;
  };
  for (const LimitLine& l : extras.Limits) {
    if (!hasFrame(l.Frame)) reason = "limit line at frame " + std::to_string(l.Frame) + ", not in the frame list";
  }
  for (const LightshipPiece& p : extras.Lightship) {
    if (!hasFrame(p.FirstFrame) || !hasFrame(p.LastFrame)) reason = "lightship piece " + p.Name + " outside the frames";
    if (p.Name.find_first_of(";,") != std::string::npos) reason = "lightship piece name " + p.Name + " holds a separator";
  }
  if (extras.Limits.size() > kMaxLimitLines) reason = "more than 40 limit lines";
  if (bonjean.Drafts.size() > kMaxBonjeanDrafts) reason = "more than 98 draft columns";
  if (bonjean.Stations.size() > kMaxBonjeanStations) reason = "more than 100 stations";
  if (frames.size() > kMaxFrames) reason = "more than 300 frames";
  for (double t : bonjean.Drafts) {
    if (t < 0 || Centimetres(t) > 9999) reason = "a draft outside 0 to 99.99 m";
  }
  if (!reason.empty()) {
    error = file.string() + ": " + reason;
    return false;
  }
  return WriteTextLines(file, StrLines(bonjean, frames, extras), error);
}
