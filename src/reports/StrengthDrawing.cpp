#include "reports/StrengthDrawing.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/TextHelpers.h"
#include "stability/Strength.h"

namespace {

constexpr int kFontSize = 8;

using Section = Strength::Section;

// A scale value from the limit lines, else the largest allowed or computed
// magnitude, so that a vessel with incomplete limits still gets a picture.
double ScaleOr(double scale, const std::vector<Section>& sections, double (*magnitude)(const Section&)) {
  if (scale > 0) return scale;
  for (const Section& s : sections) scale = std::max(scale, magnitude(s));
  return scale > 0 ? scale : 1.0;
}

double ShearMagnitude(const Section& s) {
  return std::max({std::abs(s.AllowedShearPositive), std::abs(s.AllowedShearNegative), std::abs(s.Shear)});
}
double BendingMagnitude(const Section& s) {
  return std::max({std::abs(s.AllowedBendingPositive), std::abs(s.AllowedBendingNegative), std::abs(s.Bending)});
}
double TorsionMagnitude(const Section& s) { return std::max(std::abs(s.AllowedTorsion), std::abs(s.Torsion)); }

// A whole percentage, its fraction dropped; empty for 0.
std::string PercentText(double percent) {
  const long whole = static_cast<long>(std::trunc(percent));
  return whole == 0 ? std::string() : std::to_string(whole);
}

struct Curve {
  Colour colour;
  double (*value)(const Section&);
  double (*allowedAbove)(const Section&);  // upper limit, drawn above the base line
  double (*allowedBelow)(const Section&);  // lower limit, drawn below it
  double StrengthScale::*scale;
};

const Curve kCurves[] = {
    {kBendingColour, [](const Section& s) { return s.Bending; },
     [](const Section& s) { return std::abs(s.AllowedBendingPositive); },
     [](const Section& s) { return -std::abs(s.AllowedBendingNegative); }, &StrengthScale::BendingScale},
    {kShearColour, [](const Section& s) { return s.Shear; },
     [](const Section& s) { return std::abs(s.AllowedShearPositive); },
     [](const Section& s) { return -std::abs(s.AllowedShearNegative); }, &StrengthScale::ShearScale},
    {kTorsionColour, [](const Section& s) { return s.Torsion; },
     [](const Section& s) { return std::abs(s.AllowedTorsion); },
     [](const Section& s) { return -std::abs(s.AllowedTorsion); }, &StrengthScale::TorsionScale},
};

// The allowed line of one side between two sections with limits, red when
// the curve passes it anywhere between them.
void DrawAllowedSegment(Canvas& canvas, const StrengthScale& scale, const std::vector<Section>& sections, size_t a,
                        size_t b, const Curve& curve, bool above) {
  auto allowed = above ? curve.allowedAbove : curve.allowedBelow;
  const Section& from = sections[a];
  const Section& to = sections[b];
  const double limitFrom = allowed(from);
  const double limitTo = allowed(to);
  bool beyond = false;
  for (size_t k = a; k <= b && !beyond; ++k) {
    const double span = to.X - from.X;
    const double t = span > 0 ? (sections[k].X - from.X) / span : 0.0;
    const double limit = limitFrom + (limitTo - limitFrom) * t;
    const double v = curve.value(sections[k]);
    beyond = above ? v > limit : v < limit;
  }
  canvas.SetPen(beyond ? kBeyondLimitColour : curve.colour, beyond ? 2 : 1);
  const double s = scale.*(curve.scale);
  canvas.Line(scale.X(from.X), scale.Y(limitFrom, s), scale.X(to.X), scale.Y(limitTo, s));
}

void CentredText(Canvas& canvas, int x, int y, const std::string& text) {
  canvas.Text(x - canvas.TextWidth(text) / 2, y, text);
}

}  // namespace

int StrengthScale::X(double x) const {
  const double span = Lbp + 2 * Overhang;
  if (span <= 0) return 0;
  return static_cast<int>(std::lround((x + Overhang) / span * Width));
}

int StrengthScale::Y(double value, double scale) const {
  if (scale <= 0 || !std::isfinite(value)) return BaseY;
  const long y = BaseY - std::lround(value / scale * CurveHeight);
  return static_cast<int>(std::clamp<long>(y, 0, Height));
}

StrengthScale StrengthLayout(const Canvas& canvas, const Strength& strength, double loa, double lbp, int width,
                             int height) {
  StrengthScale s;
  const std::vector<Section>& sections = strength.Sections;
  s.Width = width;
  s.Height = height;
  s.LineHeight = canvas.TextHeight("0");
  s.BaseY = height / 2 + s.LineHeight;
  s.CurveHeight = std::max(1, height / 2 - 3 * s.LineHeight);
  s.BarHeight = s.CurveHeight / 2;
  if (lbp > 0 && loa > lbp) {
    s.Lbp = lbp;
    s.Overhang = loa - lbp;
  } else {
    // No usable lengths: the sections' own extent, with a small margin.
    s.Lbp = lbp > 0 ? lbp : (sections.empty() ? 1.0 : std::max(1.0, sections.back().X));
    double over = 0;
    if (!sections.empty()) over = std::max({0.0, -sections.front().X, sections.back().X - s.Lbp});
    s.Overhang = std::max(over, s.Lbp * 0.03);
  }
  s.BendingScale = ScaleOr(strength.LargestBendingScale(), sections, BendingMagnitude);
  s.ShearScale = ScaleOr(strength.LargestShearScale(), sections, ShearMagnitude);
  s.TorsionScale = ScaleOr(strength.LargestAllowedTorsion(), sections, TorsionMagnitude);
  for (size_t k = 0; k < sections.size(); ++k) {
    s.LoadScale = std::max(s.LoadScale, std::abs(sections[k].Point()));
    if (k == 0) continue;
    const double d = sections[k].X - sections[k - 1].X;
    if (d <= 0) continue;
    s.LoadScale = std::max({s.LoadScale, std::abs(sections[k].StripWeight / d), std::abs(sections[k].StripBuoyancy / d)});
  }
  return s;
}

void DrawStrength(Canvas& canvas, const Strength& strength, double loa, double lbp, int width, int height) {
  canvas.SetBrush(kColourWhite);
  canvas.FillRect(0, 0, width, height);
  CanvasFont font;
  font.size = kFontSize;
  canvas.SetFont(font);
  if (!strength.Loaded() || strength.Sections.empty()) {
    canvas.Text(4, 4, "No strength data");
    return;
  }
  const StrengthScale scale = StrengthLayout(canvas, strength, loa, lbp, width, height);
  const std::vector<Section>& sections = strength.Sections;
  const int lineHeight = scale.LineHeight;

  // Weight above and buoyancy below the base line, strip by strip.
  if (scale.LoadScale > 0) {
    auto bar = [&](double load) { return static_cast<int>(std::lround(load / scale.LoadScale * scale.BarHeight)); };
    for (size_t k = 1; k < sections.size(); ++k) {
      const double d = sections[k].X - sections[k - 1].X;
      if (d <= 0) continue;
      const int x1 = scale.X(sections[k - 1].X);
      const int x2 = std::max(x1 + 1, scale.X(sections[k].X));
      const int weight = bar(sections[k].StripWeight / d);
      const int buoyancy = bar(sections[k].StripBuoyancy / d);
      canvas.SetBrush(kStrengthWeightColour);
      if (weight > 0) canvas.FillRect(x1, scale.BaseY - weight, x2, scale.BaseY);
      canvas.SetBrush(kStrengthBuoyancyColour);
      if (buoyancy > 0) canvas.FillRect(x1, scale.BaseY, x2, scale.BaseY + buoyancy);
    }
    canvas.SetBrush(kStrengthWeightColour);
    for (const Section& s : sections) {
      const int h = bar(std::abs(s.Point()));
      if (h > 0) canvas.FillRect(scale.X(s.X) - 1, scale.BaseY - h, scale.X(s.X) + 2, scale.BaseY);
    }
  }

  // Silver lines where the limits stand and at the perpendiculars, with the
  // frame number (AP, FP) below.
  std::vector<size_t> limited;
  for (size_t k = 0; k < sections.size(); ++k)
    if (sections[k].HasLimits) limited.push_back(k);
  const int textBottom = height - lineHeight;
  canvas.SetPen(kSectionLineColour, 1);
  auto mark = [&](double x, const std::string& label) {
    const int px = scale.X(x);
    canvas.Line(px, 3 * lineHeight, px, textBottom);
    CentredText(canvas, px, textBottom, label);
  };
  mark(0, "AP");
  mark(scale.Lbp, "FP");
  for (size_t k : limited) {
    const Section& s = sections[k];
    if (s.X == 0 || s.X == scale.Lbp) continue;
    mark(s.X, s.Frame != 0 ? std::to_string(s.Frame) : std::string());
  }

  canvas.SetPen(kStrengthBaseColour, 1);
  canvas.Line(0, scale.BaseY, width, scale.BaseY);

  // The allowed values, then the curves over them.
  for (const Curve& curve : kCurves) {
    for (size_t i = 1; i < limited.size(); ++i) {
      DrawAllowedSegment(canvas, scale, sections, limited[i - 1], limited[i], curve, true);
      DrawAllowedSegment(canvas, scale, sections, limited[i - 1], limited[i], curve, false);
    }
  }
  for (const Curve& curve : kCurves) {
    std::vector<CanvasPoint> points;
    points.reserve(sections.size());
    const double s = scale.*(curve.scale);
    for (const Section& section : sections) points.push_back({scale.X(section.X), scale.Y(curve.value(section), s)});
    canvas.SetPen(curve.colour, 2);
    canvas.Polyline(points);
  }

  // Percentages at the top: bending, shear, torsion.
  for (size_t k : limited) {
    const Section& s = sections[k];
    const double percents[] = {s.BendingPercent, s.ShearPercent, s.TorsionPercent};
    for (int row = 0; row < 3; ++row) {
      const std::string text = PercentText(percents[row]);
      if (text.empty()) continue;
      const int w = canvas.TextWidth(text);
      const int x = scale.X(s.X) - w / 2;
      const int y = row * lineHeight;
      const bool beyond = std::abs(percents[row]) >= 100.0;
      font.colour = beyond ? kColourWhite : kColourBlack;
      canvas.SetFont(font);
      if (beyond) {
        canvas.SetBrush(kBeyondLimitColour);
        canvas.FillRect(x - 1, y, x + w + 1, y + lineHeight);
      }
      canvas.Text(x, y, text);
    }
  }

  // The names of the curves, and what a full scale means.
  const char* names[] = {"Bending", "Shear", "Torsion"};
  for (int row = 0; row < 3; ++row) {
    font.colour = kCurves[row].colour;
    canvas.SetFont(font);
    canvas.Text(2, row * lineHeight, names[row]);
  }
  font.colour = kColourBlack;
  canvas.SetFont(font);
  const std::string legend = "Full scale: bending " + FormatFixed(scale.BendingScale, 0) + " tm, shear " +
                             FormatFixed(scale.ShearScale, 0) + " t, torsion " + FormatFixed(scale.TorsionScale, 0) +
                             " tm";
  canvas.Text(std::max(2, width - canvas.TextWidth(legend) - 4), 3 * lineHeight, legend);
  if (strength.Result.State != StrengthState::Current) {
    font.colour = kBeyondLimitColour;
    canvas.SetFont(font);
    canvas.Text(2, 3 * lineHeight, "No equilibrium: the values of the last one found");
  }
}
