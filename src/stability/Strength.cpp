#include "stability/Strength.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/InputCheck.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "stability/Stability.h"
#include "vessel/FileNames.h"

namespace {

std::int64_t Micro(double x) { return std::llround(x * 1e6); }

// Loads beyond any ship (broken tables, a range of no length) are left out,
// in and out alike: the exact sums would overflow.
bool Storable(double x) { return std::isfinite(x) && std::abs(x) <= 1e9; }

constexpr double kStandardSeaDensity = 1.025;
constexpr int kMaxStrengthFields = 100;
constexpr int kMaxEquilibriumSteps = 20;
// Metres of lever left at equilibrium: on a ship of 100 m a lever of 2 mm
// is a trim of about a millimetre.
constexpr double kLeverTolerance = 0.002;
// The buoyancy enters the passes a hair stronger than it is; the correction
// after the first pass then closes the shear to a small fraction of its
// own size.
constexpr double kBuoyancyFactor = 1.0001;
constexpr double kBreadthStep = 0.0001;  // m, for the waterline breadth

// Every ";" and "," separates; the text after the last separator is a field.
std::vector<std::string> SplitStrengthLine(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char ch : line) {
    if (ch == ';' || ch == ',') {
      if (static_cast<int>(fields.size()) == kMaxStrengthFields) break;
      fields.emplace_back();
    } else {
      fields.back() += ch;
    }
  }
  return fields;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Newton's divided differences through the points first..last of (x, y).
double NewtonThrough(const std::vector<double>& x, const std::vector<double>& y, size_t first, size_t last,
                     double at) {
  const size_t count = last - first + 1;
  std::vector<double> coef(y.begin() + static_cast<std::ptrdiff_t>(first),
                           y.begin() + static_cast<std::ptrdiff_t>(last + 1));
  for (size_t level = 1; level < count; ++level) {
    for (size_t i = count - 1; i >= level; --i) {
      const double dx = x[first + i] - x[first + i - level];
      coef[i] = dx != 0 ? (coef[i] - coef[i - 1]) / dx : 0.0;
    }
  }
  double value = coef[count - 1];
  for (size_t i = count - 1; i-- > 0;) value = value * (at - x[first + i]) + coef[i];
  return value;
}

// Centre of a trapezoid with heights y0 and y1 over width d, from its aft end.
double TrapezoidCentre(double y0, double y1, double d) {
  return y0 + y1 != 0 ? (y0 + 2 * y1) * d / (3 * (y0 + y1)) : 0.0;
}

// 2/3 of the integral over 0..h of y(s)^3, y the parabola through y0, y1, y2
// at s = 0, h, 2h: the transverse inertia of a waterplane strip with half
// breadths y. Four Gauss points integrate the sixth-degree integrand exactly.
double StripInertia(double y0, double y1, double y2, double h) {
  static constexpr double kNodes[4] = {-0.8611363115940526, -0.3399810435848563, 0.3399810435848563,
                                       0.8611363115940526};
  static constexpr double kWeights[4] = {0.3478548451374538, 0.6521451548625461, 0.6521451548625461,
                                         0.3478548451374538};
  if (h <= 0) return 0;
  double sum = 0;
  for (int i = 0; i < 4; ++i) {
    const double t = (kNodes[i] + 1) / 2;  // s / h: the points stand at t = 0, 1, 2
    const double y = y0 * (t - 1) * (t - 2) / 2 - y1 * t * (t - 2) + y2 * t * (t - 1) / 2;
    sum += kWeights[i] * y * y * y;
  }
  return 2.0 / 3.0 * sum * h / 2;
}

// Over the allowed value's size: a limit written with its sign (-1000 for a
// negative shear of 1000 t) must not turn an overload into a negative
// percentage that no "100 % or more" test catches; the result keeps the
// sign of the value, so a torsion percentage still tells its direction.
double Percent(double value, double allowed) { return allowed != 0 ? value * 100.0 / std::abs(allowed) : 0.0; }

}  // namespace

Strength::Strength(PlanData& plan, Stability& stability) : plan_(plan), stability_(stability) {}

void Strength::Clear() {
  Drafts.clear();
  Volumes.clear();
  Stations.clear();
  Frames.clear();
  LowestFrame = 1000;
  Limits.clear();
  Sections.clear();
  stationAreas_.clear();
  Result = Results{};
  ObservedDraftMode = false;
  loaded_ = false;
}

double Strength::Length() const {
  const double length = ParseReal(plan_.VesHdr[VesHdrIx::BaysLength]);
  if (length > 0) return length;
  // Without a length in the header the forward end of the Bonjean table
  // stands for the forward perpendicular.
  return Stations.empty() ? 0.0 : Stations.back().X;
}

bool Strength::LoadStrengthData(const std::filesystem::path& vesselDir, std::string& error) {
  Clear();
  SkippedLines.clear();
  const std::filesystem::path file = FindFileNoCase(vesselDir, "STR.txt");
  LoadedFile = file;
  if (file.empty()) return false;
  std::string bytes;
  if (!ReadTextBytes(file, bytes, error)) return false;
  // An empty file is no strength data, as no file is.
  if (IsBlankContent(bytes)) return false;
  std::string reason;
  if (ParseStrengthLines(SplitTextLines(bytes), reason)) return true;
  error = file.string() + ": " + reason;
  return false;
}

bool Strength::ParseStrengthLines(const std::vector<std::string>& lines, std::string& reason) {
  Clear();
  SkippedLines.clear();
  std::string part;
  bool partFirstLine = false;
  int stationNo = 0;
  bool previousWasArea = false;
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    const int lineNo = static_cast<int>(n) + 1;
    if (line.rfind("//", 0) == 0) {
      part = Upper(Trim(Columns(line, 3, 5)));
      partFirstLine = true;
      continue;
    }
    if (Trim(line).empty()) continue;
    const std::vector<std::string> fields = SplitStrengthLine(line);
    auto number = [&](size_t i) { return i < fields.size() ? ParseReal(fields[i]) : 0.0; };
    // The first field from `from` on that holds text which is no number.
    auto notNumber = [&](size_t from) -> std::string {
      for (size_t i = from; i < fields.size(); ++i) {
        const std::string text = Trim(fields[i]);
        if (!text.empty() && !IsNumberText(text)) return "\"" + text + "\" is not a number";
      }
      return {};
    };
    auto skip = [&](std::string why) { SkippedLines.push_back({lineNo, part + ": " + std::move(why)}); };
    if (part == "BON" && !partFirstLine) {
      if (std::string bad = notNumber(1); !bad.empty()) {
        reason = "line " + std::to_string(lineNo) + ": " + bad + ": the Bonjean table is not used";
        Clear();
        return false;
      }
    }
    if (part == "BON") {
      if (partFirstLine) {
        partFirstLine = false;
        // "A" and the draft in centimetres names each draft column.
        for (size_t i = 2; i < fields.size() && static_cast<int>(Drafts.size()) < kMaxBonjeanColumns; ++i) {
          const std::string name = Trim(fields[i]);
          if (name.empty() || name[0] != 'A') break;
          Drafts.push_back(ParseInt(Columns(name, 2, 5)) * 0.01);
        }
        continue;
      }
      // The moment lines repeat the stations of the area lines in order.
      const bool area = Trim(fields[0]) == "A";
      if (!area && previousWasArea) stationNo = 0;
      previousWasArea = area;
      const int k = stationNo++;
      if (k >= kMaxBonjeanStations) continue;
      if (static_cast<int>(Stations.size()) <= k) Stations.resize(static_cast<size_t>(k) + 1);
      Station& station = Stations[static_cast<size_t>(k)];
      station.X = number(1);
      std::vector<double> values(Drafts.size(), 0.0);
      for (size_t j = 0; j < values.size(); ++j) values[j] = number(j + 2);
      if (area) {
        station.Area = std::move(values);
        AddSectionLoad(station.X, 0, 0, 0, 0, true);
      } else {
        station.Moment = std::move(values);
      }
    } else if (part == "FRM") {
      if (std::string bad = notNumber(0); !bad.empty()) {
        skip(bad);
        continue;
      }
      if (fields.size() < 2) {
        skip("a frame number without its position");
        continue;
      }
      if (static_cast<int>(Frames.size()) == kMaxStrengthFrames) {
        skip("the frame list is full");
        continue;
      }
      const FrameMark frame{ParseInt(fields[0]), number(1)};
      Frames.push_back(frame);
      LowestFrame = std::min(LowestFrame, frame.Number);
      const int s = AddSectionLoad(frame.X, 0, 0, 0, 0, false);
      if (s >= 0) Sections[static_cast<size_t>(s)].Frame = frame.Number;
    } else if (part == "STR") {
      if (std::string bad = notNumber(0); !bad.empty()) {
        skip(bad);
        continue;
      }
      if (static_cast<int>(Limits.size()) == kMaxStrengthLimits) {
        skip("the table of limits is full");
        continue;
      }
      LimitLine limit;
      for (size_t i = 0; i < limit.Values.size(); ++i) limit.Values[i] = number(i);
      Limits.push_back(limit);
    } else if (part == "LSH") {
      // A piece of the lightship between two frames, either order; a piece
      // at frames the list does not hold is left out.
      const long long a = static_cast<long long>(ParseInt(fields.size() > 2 ? fields[2] : "")) - LowestFrame;
      const long long b = static_cast<long long>(ParseInt(fields.size() > 3 ? fields[3] : "")) - LowestFrame;
      const long long count = static_cast<long long>(Frames.size());
      if (std::string bad = notNumber(1); !bad.empty()) {
        skip(bad);
        continue;
      }
      if (a < 0 || b < 0 || a >= count || b >= count) {
        skip("a frame the frame list does not hold: the piece is left out");
        continue;
      }
      DistributeWeight(Frames[static_cast<size_t>(std::min(a, b))].X, Frames[static_cast<size_t>(std::max(a, b))].X,
                       number(1), number(4), false);
    }
  }

  for (Station& station : Stations) {
    station.Area.resize(Drafts.size(), 0.0);
    station.Moment.resize(Drafts.size(), 0.0);
  }
  if (Drafts.size() < 2 || Stations.size() < 2 || Frames.empty()) {
    reason = Frames.empty() ? "no frame list" : "no Bonjean table of two drafts and two stations";
    Clear();
    return false;
  }

  // The volume under each draft column, by the same strip rules as the
  // buoyancy of an evaluation.
  const size_t n = Stations.size();
  Volumes.assign(Drafts.size(), 0.0);
  for (size_t j = 0; j < Drafts.size(); ++j) {
    double volume = 0;
    for (size_t i = 1; i < n; ++i) {
      const double d = Stations[i].X - Stations[i - 1].X;
      const double a0 = Stations[i - 1].Area[j];
      const double a1 = Stations[i].Area[j];
      if (i > 5 && i + 1 < n && std::abs(d - (Stations[i + 1].X - Stations[i].X)) < 0.02) {
        volume += d * (5 * a0 + 8 * a1 - Stations[i + 1].Area[j]) / 12;
      } else {
        volume += (a0 + a1) * d / 2;
      }
    }
    // Nothing more is added: the area of the last station is m², not m³, and
    // the strips already cover the ship to that station (a box of 100 m by
    // 20 m at 5 m holds 10,000 m³, and adding the 100 m² would overstate it).
    Volumes[j] = volume;
  }
  loaded_ = true;
  Result.State = StrengthState::OutsideTable;  // nothing computed yet

  // Weights already on board when the data arrive are spread now; the
  // fixed items spread themselves when they are set later.
  DistributeItem(kFixedWeightItem, +1);
  DistributeItem(stability_.CorrectionItem(), +1);
  return true;
}

int Strength::InsertSection(double x) {
  auto it = std::lower_bound(Sections.begin(), Sections.end(), x,
                             [](const Section& s, double value) { return s.X < value; });
  if (it != Sections.end() && it->X == x) return static_cast<int>(it - Sections.begin());
  if (static_cast<int>(Sections.size()) >= kMaxStrengthSections) {
    // A full table puts the load on the nearest section; adding and taking
    // away still meet the same section.
    if (Sections.empty()) return -1;
    if (it == Sections.end()) return static_cast<int>(Sections.size()) - 1;
    if (it != Sections.begin() && x - (it - 1)->X <= it->X - x) --it;
    return static_cast<int>(it - Sections.begin());
  }
  Section section;
  section.X = x;
  if (it != Sections.begin() && it != Sections.end()) {
    // A section inside a loaded strip takes the strip's intensity at its
    // position, so that the weight already spread over the strip stays.
    const Section& aft = *(it - 1);
    const Section& fore = *it;
    const double f = (x - aft.X) / (fore.X - aft.X);
    const double q = static_cast<double>(aft.ForeLoad) + static_cast<double>(fore.AftLoad - aft.ForeLoad) * f;
    section.AftLoad = section.ForeLoad = std::llround(q);
  }
  it = Sections.insert(it, section);
  return static_cast<int>(it - Sections.begin());
}

int Strength::AddSectionLoad(double x, double aftIntensity, double foreIntensity, double pointLoad,
                             double buoyancy, bool station) {
  if (!std::isfinite(x)) return -1;
  const int index = InsertSection(x);
  if (index < 0) return -1;
  if (!Storable(aftIntensity) || !Storable(foreIntensity) || !Storable(pointLoad) || !Storable(buoyancy)) {
    return index;
  }
  Section& s = Sections[static_cast<size_t>(index)];
  s.AftLoad += Micro(aftIntensity);
  s.ForeLoad += Micro(foreIntensity);
  s.PointLoad += Micro(pointLoad);
  s.Buoyancy += buoyancy;
  if (station) s.IsStation = true;
  return index;
}

void Strength::DistributeWeight(double x1, double x2, double w, double g, bool buoyancy) {
  if (!std::isfinite(x1) || !std::isfinite(x2) || !std::isfinite(w) || !std::isfinite(g) || w == 0) return;
  if (x1 > x2) std::swap(x1, x2);
  if (!buoyancy) {
    // The range reaches the centre; a centre at one end is a point load.
    x2 = std::max(x2, g);
    x1 = std::min(x1, g);
    if (g == x1 || g == x2) {
      AddSectionLoad(g, 0, 0, w, 0, false);
      return;
    }
  }
  const double length = x2 - x1;
  if (length <= 0) return;
  // A linear load of total w whose centre is g; an end turns negative when
  // g lies outside the middle third.
  const double a = g - x1;
  const double q1 = 2 * w * (2 * length - 3 * a) / (length * length);
  const double q2 = 2 * w * (3 * a - length) / (length * length);
  if (buoyancy) {
    AddSectionLoad(x1, 0, 0, 0, q1, false);
    AddSectionLoad(x2, 0, 0, 0, q2, false);
  } else {
    AddSectionLoad(x1, 0, q1, 0, 0, false);
    AddSectionLoad(x2, q2, 0, 0, 0, false);
  }
  for (Section& s : Sections) {
    if (s.X <= x1 || s.X >= x2) continue;
    const double q = q1 + (q2 - q1) * (s.X - x1) / length;
    if (!Storable(q)) continue;
    if (buoyancy) {
      s.Buoyancy += q;
    } else {
      s.AftLoad += Micro(q);
      s.ForeLoad += Micro(q);
    }
  }
}

int Strength::NearestFrame(double x) const {
  if (Frames.empty()) return -1;
  const auto it = std::upper_bound(Frames.begin(), Frames.end(), x,
                                   [](double value, const FrameMark& f) { return value < f.X; });
  const size_t k = static_cast<size_t>(it - Frames.begin());
  if (k == 0) return 0;
  if (k == Frames.size()) return static_cast<int>(k) - 1;
  return x - Frames[k - 1].X <= Frames[k].X - x ? static_cast<int>(k) - 1 : static_cast<int>(k);
}

void Strength::DistributeOverLength(double w, double lcg) {
  const int f1 = NearestFrame(0);
  const int f2 = NearestFrame(Length());
  if (f1 < 0 || f2 < 0) return;
  DistributeWeight(Frames[static_cast<size_t>(f1)].X, Frames[static_cast<size_t>(f2)].X, w, lcg, false);
}

void Strength::DistributeItem(int item, int sign) {
  if (!loaded_ || item < 0 || item >= kMaxWeightItems) return;
  const WeightItem& it = stability_.Items[static_cast<size_t>(item)];
  if (it.W == 0) return;
  DistributeOverLength(sign * it.Tonnes(), it.Lcg());
}

void Strength::DistributeUnit(int cell, bool is20, int sign) {
  if (!loaded_ || cell < 0 || cell >= plan_.CellCount) return;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  if (unit.STATUS < 1) return;
  const StructCel& c = plan_.Cells[static_cast<size_t>(cell)];
  // Dim[0] is the length of a 40' unit in millimetres.
  const double centre = is20 ? c.LCG : c.LCG_40;
  const double halfLength = plan_.Dim[0] * (is20 ? 0.00025 : 0.0005);
  const int f1 = NearestFrame(centre - halfLength);
  const int f2 = NearestFrame(centre + halfLength);
  if (f1 < 0 || f2 < 0) return;
  const double x1 = Frames[static_cast<size_t>(f1)].X;
  const double x2 = Frames[static_cast<size_t>(f2)].X;
  const double w = sign * unit.WEIGHT;
  DistributeWeight(x1, x2, w, (x1 + x2) / 2, false);
  SpreadTorsion(std::min(f1, f2), std::max(f1, f2), w * c.TCG);
}

void Strength::DistributeTank(const TankRecord& tank, int sign) {
  if (!loaded_) return;
  long long first = static_cast<long long>(ParseInt(tank[TankField::FirstFrame])) - LowestFrame;
  long long last = static_cast<long long>(ParseInt(tank[TankField::LastFrame])) - LowestFrame;
  if (first > last) std::swap(first, last);
  // A tank at frames the list does not hold stays out of the distribution,
  // when it is filled and when it is emptied alike.
  if (first < 0 || last >= static_cast<long long>(Frames.size())) return;
  const int f1 = static_cast<int>(first);
  const int f2 = static_cast<int>(last);
  const double w = sign * ParseReal(tank[TankField::Content]);
  DistributeWeight(Frames[static_cast<size_t>(f1)].X, Frames[static_cast<size_t>(f2)].X, w,
                   ParseReal(tank[TankField::Lcg]), false);
  SpreadTorsion(f1, f2, w * ParseReal(tank[TankField::Tcg]));
}

void Strength::SpreadTorsion(int firstFrame, int lastFrame, double moment) {
  if (firstFrame < 0 || firstFrame > lastFrame || lastFrame >= static_cast<int>(Frames.size())) return;
  const double part = moment / (lastFrame - firstFrame + 1);
  if (!Storable(part) || part == 0) return;
  const std::int64_t share = Micro(part);
  for (int f = firstFrame; f <= lastFrame; ++f) {
    const double x = Frames[static_cast<size_t>(f)].X;
    auto it = std::lower_bound(Sections.begin(), Sections.end(), x,
                               [](const Section& s, double value) { return s.X < value; });
    if (it != Sections.end() && it->X == x) it->TorsionLoad += share;
  }
}

double Strength::BonjeanValue(const std::vector<double>& column, double draft) const {
  const size_t columns = std::min(Drafts.size(), column.size());
  if (columns == 0 || draft <= 0) return 0;
  if (draft > Drafts[columns - 1]) return column[columns - 1];
  size_t l = 0;
  while (l < columns && Drafts[l] <= draft) {
    if (Drafts[l] == draft) return column[l];
    ++l;
  }
  if (columns == 1) return column[0];
  if (l <= 1) return NewtonThrough(Drafts, column, 0, 1, draft);
  return NewtonThrough(Drafts, column, l - 2, std::min(l + 1, columns - 1), draft);
}

Strength::Figures Strength::SectionalHydrostatics(double ta, double tf, double length, double vcg, double density) {
  Figures f;
  for (Section& s : Sections) s.Buoyancy = 0;
  const size_t n = Stations.size();
  if (n < 2 || length <= 0) return f;

  std::vector<double> x(n), area(n), breadth(n), kb(n);
  for (size_t k = 0; k < n; ++k) {
    const Station& st = Stations[k];
    const double t = ta + st.X * (tf - ta) / length;
    x[k] = st.X;
    area[k] = BonjeanValue(st.Area, t);
    const double moment = BonjeanValue(st.Moment, t);
    breadth[k] = (BonjeanValue(st.Area, t + kBreadthStep) - area[k]) / kBreadthStep;
    kb[k] = area[k] != 0 ? moment / area[k] : 0.0;
    AddSectionLoad(st.X, 0, 0, 0, area[k], true);
  }
  stationAreas_ = area;

  double waterplane = 0, waterplaneMoment = 0, transverse = 0, longitudinal = 0;
  double displacement = 0, moment = 0, vertical = 0, widest = 0;
  for (size_t k = 1; k < n; ++k) {
    const double d = x[k] - x[k - 1];
    const bool rule = k + 1 < n && k > 5 && std::abs(d - (x[k + 1] - x[k])) < 0.02;
    const double h = rule ? (d + x[k + 1] - x[k]) / 2 : d;
    auto integral = [&](const std::vector<double>& y) {
      return rule ? h * (5 * y[k - 1] + 8 * y[k] - y[k + 1]) / 12 : (y[k - 1] + y[k]) * d / 2;
    };
    auto ruleMoment = [&](const std::vector<double>& y) {
      return h * h * (3 * y[k - 1] + 10 * y[k] - y[k + 1]) / 24;
    };

    const double a = integral(breadth);
    const double eb = TrapezoidCentre(breadth[k - 1], breadth[k], d);
    waterplane += a;
    waterplaneMoment += rule ? ruleMoment(breadth) + a * x[k - 1] : a * (x[k - 1] + eb);
    if (rule) {
      transverse += StripInertia(breadth[k - 1] / 2, breadth[k] / 2, breadth[k + 1] / 2, h);
    } else {
      const double b0 = breadth[k - 1], b1 = breadth[k];
      transverse += (b0 * b0 * b0 + b0 * b0 * b1 + b0 * b1 * b1 + b1 * b1 * b1) * d / 48;
    }
    // About the AP: the strip at its centre plus its own second moment about
    // that centre (a trapezoid's), without which a box of 2.5 m strips shows
    // a moment to change trim 0.06 % low.
    const double b0 = breadth[k - 1], b1 = breadth[k];
    const double own = b0 + b1 != 0 ? d * d * d * (b0 * b0 + 4 * b0 * b1 + b1 * b1) / (36 * (b0 + b1)) : 0.0;
    longitudinal += a * (x[k - 1] + eb) * (x[k - 1] + eb) + own;

    const double v = integral(area) * density;
    displacement += v;
    // The rule moment is a volume times a lever (m⁴); with the density it is
    // in t·m like v × x, else the LCB of a 100 m box of 5 m stations at even
    // keel moves about 4 cm aft of 50 m.
    moment += rule ? ruleMoment(area) * density + v * x[k - 1]
                   : v * (x[k - 1] + TrapezoidCentre(area[k - 1], area[k], d));
    vertical += v * (kb[k - 1] + kb[k]) / 2;
    widest = std::max(widest, breadth[k]);
  }

  f.Displacement = displacement;
  f.WaterplaneArea = waterplane;
  if (displacement > 0) {
    f.LCB = moment / displacement;
    f.KB = vertical / displacement;
    // Inertia over the volume: the displacement is in tonnes.
    f.BM = transverse * density / displacement;
  }
  if (waterplane > 0) f.LCF = waterplaneMoment / waterplane;
  const double aboutFlotation = longitudinal - waterplane * f.LCF * f.LCF;
  f.MCT1m = aboutFlotation * density / length;
  if (widest > 0) f.WaterplaneCoefficient = waterplane / (widest * length);
  f.KM = f.KB + f.BM;
  f.GM = f.KM - vcg;
  return f;
}

bool Strength::FindEquilibrium(double w, double lcg, double vcg, double length, double density) {
  if (Stations.size() < 2 || Drafts.size() < 2 || length <= 0 || density <= 0) return false;
  double aft = 0, fore = 0;
  if (ObservedDraftMode) {
    aft = ObservedAft;
    fore = ObservedFore;
  } else {
    if (!(w > 0)) return false;
    // The even-keel draft at which the table's volume holds the weight. The
    // table holds m³, so the weight is turned into a volume both to find the
    // column and to interpolate in it (with w itself a box of 10,000 m³ per
    // 5 m would start 2.5 % deep, and LCB, LCF and MCT1m be read there).
    const double volume = w / density;
    for (size_t j = 1; j < Volumes.size(); ++j) {
      if (Volumes[j] <= volume) continue;
      const double span = Volumes[j] - Volumes[j - 1];
      aft = span > 0 ? Drafts[j - 1] + (volume - Volumes[j - 1]) * (Drafts[j] - Drafts[j - 1]) / span : Drafts[j];
      break;
    }
    fore = aft;
  }
  if (!(aft > 0)) return false;

  Figures f = SectionalHydrostatics(aft, fore, length, vcg, density);
  const Figures start = f;
  bool converged = ObservedDraftMode;
  if (!ObservedDraftMode) {
    double mean = aft;
    double trim = 0;
    // The ship floats when the centre of buoyancy lies on the vertical
    // through the centre of gravity. Trimmed, that vertical leans in the
    // ship's frame: seen along the base line, G stands (KG - KB)·tan(trim
    // angle) forward of B for a trim by the stern. Comparing LCB with LCG
    // alone leaves this out, and a deep-loaded box with a high G then trims
    // several per cent too little.
    auto lever = [&] { return f.LCB - lcg + (vcg - f.KB) * (aft - fore) / length; };
    auto balanced = [&] { return std::abs(lever()) <= kLeverTolerance && std::abs(f.Displacement - w) < 1.0; };
    for (int step = 0; step < kMaxEquilibriumSteps; ++step) {
      if (balanced()) break;
      if (!(f.WaterplaneArea > 0) || !(f.MCT1m > 0)) break;
      mean -= (f.Displacement - w) / (f.WaterplaneArea * density);
      trim += lever() * w / f.MCT1m;
      aft = mean + trim * f.LCF / length;
      fore = mean - trim * (length - f.LCF) / length;
      f = SectionalHydrostatics(aft, fore, length, vcg, density);
    }
    converged = balanced();
    aft = mean + trim * f.LCF / length;
    fore = mean - trim * (length - f.LCF) / length;
  }

  Results& r = Result;
  r.Converged = converged;
  r.AftDraft = aft;
  r.ForeDraft = fore;
  r.MeanDraft = (aft + fore) / 2;
  r.Trim = aft - fore;
  r.Displacement = f.Displacement;
  r.WaterplaneArea = f.WaterplaneArea;
  r.KB = f.KB;
  r.BM = f.BM;
  r.KM = f.KM;
  r.GM = f.GM;
  r.WaterplaneCoefficient = f.WaterplaneCoefficient;
  // Longitudinal figures of the start waterline (even keel unless floated
  // at observed drafts).
  r.LCB = start.LCB;
  r.LCF = start.LCF;
  r.MCT1m = start.MCT1m;
  return true;
}

void Strength::ApplyLimitLines() {
  // Limits are those of the present draft only: a line that applied at a
  // deeper draft no longer does.
  for (Section& s : Sections) {
    s.HasLimits = false;
    s.LimitX = s.ShearScale = s.LimitValue4 = s.BendingScale = s.LimitValue6 = 0;
    s.AllowedShearPositive = s.AllowedShearNegative = 0;
    s.AllowedBendingPositive = s.AllowedBendingNegative = s.AllowedTorsion = 0;
  }
  for (const LimitLine& line : Limits) {
    if (!(line.FromDraft() < Result.MeanDraft)) continue;
    const int index = AddSectionLoad(line.X(), 0, 0, 0, 0, false);
    if (index < 0) continue;
    Section& s = Sections[static_cast<size_t>(index)];
    const auto& v = line.Values;
    s.HasLimits = true;
    s.Frame = static_cast<int>(v[1]);
    s.LimitX = v[2];
    s.ShearScale = v[3];
    s.LimitValue4 = v[4];
    s.BendingScale = v[5];
    s.LimitValue6 = v[6];
    s.AllowedShearPositive = v[7];
    s.AllowedShearNegative = v[8];
    s.AllowedBendingPositive = v[9];
    s.AllowedBendingNegative = v[10];
    s.AllowedTorsion = v[11];
  }
}

void Strength::InterpolateBuoyancy() {
  const size_t n = Stations.size();
  if (n < 2 || stationAreas_.size() != n) return;
  std::vector<double> x(n);
  for (size_t k = 0; k < n; ++k) x[k] = Stations[k].X;
  for (Section& s : Sections) {
    if (s.IsStation || s.X <= x.front() || s.X >= x.back()) continue;
    size_t m = 0;  // the last station passed
    while (m + 1 < n && x[m + 1] <= s.X) ++m;
    size_t first = 0, last = 1;
    if (m == 0) {
      first = 0;
      last = 1;
    } else if (m + 2 >= n) {
      first = n - 2;
      last = n - 1;
    } else {
      first = m - 1;
      last = m + 2;
    }
    s.Buoyancy = NewtonThrough(x, stationAreas_, first, last, s.X);
  }
}

double Strength::RunPass(bool second, double& residualMoment) {
  residualMoment = 0;
  if (Sections.empty()) return 0;
  const double density = plan_.SeaDensity > 0 ? plan_.SeaDensity : kStandardSeaDensity;
  const size_t last = Sections.size() - 1;
  const double lastX = Sections[last].X;
  double totalTorsion = 0;
  for (const Section& s : Sections) totalTorsion += s.TorsionMoment();
  auto closedTorsion = [&](double cumulative, double x) {
    return lastX != 0 ? cumulative - totalTorsion * (x / lastX) : cumulative - totalTorsion;
  };

  // A point load or torsion moment at the first section counts from there on.
  Section& first = Sections[0];
  double wc = first.Point(), bc = 0, momentW = first.Point() * first.X, momentB = 0;
  double iw = 0, ib = 0, tc = first.TorsionMoment();
  first.StripWeight = first.StripBuoyancy = 0;
  first.CumulativeWeight = wc;
  first.CumulativeBuoyancy = 0;
  first.Shear = wc;
  first.WeightIntegral = first.BuoyancyIntegral = first.Bending = 0;
  first.Torsion = closedTorsion(tc, first.X);
  first.ShearPercent = first.BendingPercent = first.TorsionPercent = 0;
  if (second) Result.MaxShearPercent = Result.MaxBendingPercent = Result.MaxTorsionPercent = 0;

  for (size_t k = 1; k <= last; ++k) {
    Section& s = Sections[k];
    const Section& aft = Sections[k - 1];
    const double d = s.X - aft.X;
    const double qAft = aft.ForeIntensity();
    const double qFore = s.AftIntensity();
    const double w = (qFore + qAft) * d / 2;
    const double u = (s.Buoyancy + aft.Buoyancy) * d / 2 * density * kBuoyancyFactor;
    const double cw = w != 0 ? TrapezoidCentre(qAft, qFore, d) : 0.0;
    const double cu = u != 0 ? TrapezoidCentre(aft.Buoyancy, s.Buoyancy, d) : 0.0;

    // The cumulative curves rise over the strip from their values at its aft
    // end; the point load of the section acts only forward of it.
    iw += (2 * wc + w) * d / 2;
    ib += (2 * bc + u) * d / 2;
    wc += w + s.Point();
    bc += u;
    momentW += s.Point() * s.X + (aft.X + cw) * w;
    momentB += (aft.X + cu) * u;

    s.StripWeight = w;
    s.StripBuoyancy = u;
    s.CumulativeWeight = wc;
    s.CumulativeBuoyancy = bc;
    s.Shear = wc - bc;
    s.WeightIntegral = iw;
    s.BuoyancyIntegral = ib;
    s.Bending = iw - ib;
    tc += s.TorsionMoment();
    s.Torsion = closedTorsion(tc, s.X);

    s.ShearPercent = s.BendingPercent = s.TorsionPercent = 0;
    if (second && s.HasLimits) {
      s.ShearPercent = s.Shear > 0 ? Percent(s.Shear, s.AllowedShearPositive) : Percent(-s.Shear, s.AllowedShearNegative);
      s.BendingPercent =
          s.Bending > 0 ? Percent(s.Bending, s.AllowedBendingPositive) : Percent(-s.Bending, s.AllowedBendingNegative);
      s.TorsionPercent = Percent(s.Torsion, s.AllowedTorsion);
      auto keep = [](double& maximum, double value) {
        if (std::abs(value) > std::abs(maximum)) maximum = value;
      };
      keep(Result.MaxShearPercent, s.ShearPercent);
      keep(Result.MaxBendingPercent, s.BendingPercent);
      keep(Result.MaxTorsionPercent, s.TorsionPercent);
    }
  }
  residualMoment = momentW - momentB;
  return wc - bc;
}

void Strength::ComputeStrength() {
  if (!loaded_) {
    Result.State = StrengthState::NotLoaded;
    return;
  }
  const WeightItem total = stability_.Displacement();
  const double density = plan_.SeaDensity > 0 ? plan_.SeaDensity : kStandardSeaDensity;
  if (!FindEquilibrium(total.Tonnes(), total.Lcg(), total.Vcg(), Length(), density)) {
    Result.State = StrengthState::OutsideTable;
    return;
  }
  ApplyLimitLines();
  InterpolateBuoyancy();
  double moment = 0;
  const double residual = RunPass(false, moment);
  // Balance what the sectional buoyancy misses in force and moment by a
  // linear buoyancy over the stations.
  if (residual != 0 && std::isfinite(residual) && std::isfinite(moment)) {
    DistributeWeight(Stations.front().X, Stations.back().X, residual / density, moment / residual, true);
  }
  RunPass(true, moment);
  Result.State = StrengthState::Current;
}

double Strength::LargestShearScale() const {
  double largest = 0;
  for (const LimitLine& l : Limits) largest = std::max(largest, l.Values[3]);
  return largest;
}

double Strength::LargestBendingScale() const {
  double largest = 0;
  for (const LimitLine& l : Limits) largest = std::max(largest, l.Values[5]);
  return largest;
}

double Strength::LargestAllowedTorsion() const {
  double largest = 0;
  for (const LimitLine& l : Limits) largest = std::max(largest, std::abs(l.Values[11]));
  return largest;
}
