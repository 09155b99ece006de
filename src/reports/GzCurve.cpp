#include "reports/GzCurve.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/NumberFormat.h"
#include "core/TextHelpers.h"
#include "stability/Stability.h"

namespace {

constexpr double kOneRadianInDegrees = 57.3;
constexpr int kFontSize = 7;

// Fixed decimals, with an exact 0 shown as a number rather than left blank.
std::string Fixed(double x, int decimals) {
  std::string text = FormatFixed(x, decimals);
  if (!text.empty()) return text;
  text = "0";
  if (decimals > 0) text += DecimalSeparator() + std::string(static_cast<size_t>(decimals), '0');
  return text;
}

// An angle with its fraction only when it has one (flooding angles such as
// 67.5 degrees).
std::string AngleText(double angle) {
  return Fixed(angle, std::abs(angle - std::round(angle)) < 0.05 ? 0 : 1) + "\xB0";
}

bool HasTabulatedAngle(const StabilityResults& r, double angle) {
  return std::find(r.GzAngles.begin(), r.GzAngles.end(), angle) != r.GzAngles.end();
}

bool Plottable(const StabilityResults& r) {
  return r.State == HydrostaticState::Current && r.HasGzCurve && !r.GzAngles.empty() &&
         r.GzAngles.size() == r.Gz.size();
}

// 1, 2 or 5 times a power of ten, about a fifth of the range.
double NiceStep(double range) {
  const double raw = range / 5.0;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double f = raw / magnitude;
  return (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10) * magnitude;
}

int StepDecimals(double step) { return step >= 1 ? 0 : step >= 0.1 ? 1 : 2; }

// The GM' line ends at one radian, or where it leaves the plot area.
GzPoint GmLineEnd(const GzCurveScale& s, double gm) {
  GzPoint end{kOneRadianInDegrees, gm};
  if (gm > s.TopGz && gm > 0) end = {kOneRadianInDegrees * s.TopGz / gm, s.TopGz};
  if (gm < s.BottomGz && gm < 0) end = {kOneRadianInDegrees * s.BottomGz / gm, s.BottomGz};
  return end;
}

void CentredText(Canvas& canvas, int width, int y, const std::string& text) {
  canvas.Text(std::max(0, (width - canvas.TextWidth(text)) / 2), y, text);
}

}  // namespace

int GzCurveScale::X(double angle) const {
  if (MaxAngle <= 0) return Left;
  return Left + static_cast<int>(std::lround(angle / MaxAngle * (Right - Left)));
}

int GzCurveScale::Y(double gz) const {
  const double range = TopGz - BottomGz;
  if (range <= 0) return Bottom;
  return Bottom - static_cast<int>(std::lround((gz - BottomGz) / range * (Bottom - Top)));
}

std::vector<GzPoint> GzCurvePoints(const StabilityResults& r) {
  std::vector<GzPoint> points;
  if (r.GzAngles.empty() || r.GzAngles.size() != r.Gz.size()) return points;
  // The upright ship has no lever: the curve starts at the origin.
  std::vector<double> x = r.GzAngles;
  std::vector<double> y = r.Gz;
  if (x.front() > 0) {
    x.insert(x.begin(), 0.0);
    y.insert(y.begin(), 0.0);
  }
  std::vector<double> angles = x;
  for (int degree = static_cast<int>(std::floor(x.front())) + 1; degree < x.back(); ++degree) angles.push_back(degree);
  std::sort(angles.begin(), angles.end());
  angles.erase(std::unique(angles.begin(), angles.end()), angles.end());

  for (double a : angles) {
    const auto at = std::find(x.begin(), x.end(), a);
    if (at != x.end()) {
      points.push_back({a, y[static_cast<size_t>(at - x.begin())]});
      continue;
    }
    points.push_back({a, InterpolateGz(x, y, a)});
  }
  return points;
}

GzCurveScale GzCurveLayout(const Canvas& canvas, const StabilityResults& r, int width, int height) {
  GzCurveScale s;
  if (!Plottable(r)) return s;
  const std::vector<GzPoint> curve = GzCurvePoints(r);

  // Room for one radian (the GM' line) and the whole table, in tens.
  const double lastAngle = r.GzAngles.back();
  s.MaxAngle = std::ceil(std::max(lastAngle, kOneRadianInDegrees) / 10.0) * 10.0;

  double hi = 0, lo = 0;
  for (const GzPoint& p : curve) {
    hi = std::max(hi, p.gz);
    lo = std::min(lo, p.gz);
  }
  hi = std::max(hi, r.GzMax);
  // A GM' far above the levers would squash the curve: the line may leave
  // the area (it is cut at the edge) once the scale holds half as much again.
  const double gm = r.GMCorrected;
  if (gm > hi) hi = hi > 0 ? std::min(gm, 1.5 * hi) : gm;
  if (gm < lo) lo = lo < 0 ? std::max(gm, 1.5 * lo) : gm;
  if (hi - lo < 0.1) hi = lo + 0.1;
  s.GzStep = NiceStep(hi - lo);
  s.TopGz = std::ceil(hi / s.GzStep - 1e-9) * s.GzStep;
  s.BottomGz = std::floor(lo / s.GzStep + 1e-9) * s.GzStep;

  // Margins for the lever labels at the left, the angle labels below and the
  // axis title above.
  const int decimals = StepDecimals(s.GzStep);
  int labelWidth = 0;
  for (double g = s.BottomGz; g <= s.TopGz + s.GzStep / 2; g += s.GzStep)
    labelWidth = std::max(labelWidth, canvas.TextWidth(Fixed(g, decimals)));
  const int textHeight = canvas.TextHeight("0");
  s.Left = labelWidth + 6;
  s.Top = textHeight + 4;
  s.Right = width - std::max(8, canvas.TextWidth("70\xB0") / 2 + 2);
  s.Bottom = height - textHeight - 4;
  s.Valid = s.Right - s.Left >= 40 && s.Bottom - s.Top >= 30;
  return s;
}

void DrawGzCurve(Canvas& canvas, const StabilityResults& r, int width, int height) {
  CanvasFont font;
  font.size = kFontSize;
  canvas.SetFont(font);
  canvas.SetBrush(kColourWhite);
  canvas.FillRect(0, 0, width, height);

  const int textHeight = canvas.TextHeight("0");
  auto reason = [&](const std::string& first, const std::string& second, Colour colour) {
    CanvasFont f = font;
    f.colour = colour;
    canvas.SetFont(f);
    const int y = height / 2 - textHeight;
    CentredText(canvas, width, y, first);
    if (!second.empty()) CentredText(canvas, width, y + textHeight + 2, second);
  };
  // Levers of another displacement would look like this condition's: when
  // the present one has none, say why instead.
  if (r.State == HydrostaticState::NoTable) {
    reason("No hydrostatic table", "", kColourBlack);
    return;
  }
  if (r.State == HydrostaticState::OutsideTable) {
    reason("Displacement beyond the hydrostatic table:", "no righting levers", kFloodingColour);
    return;
  }
  if (!Plottable(r)) {
    reason("No cross curves: no GZ curve", "", kColourBlack);
    return;
  }
  const GzCurveScale s = GzCurveLayout(canvas, r, width, height);
  if (!s.Valid) return;

  // Grid and labels.
  CanvasFont labels = font;
  canvas.SetFont(labels);
  canvas.SetPen(kGzGridColour);
  const int decimals = StepDecimals(s.GzStep);
  for (int i = 0;; ++i) {
    const double g = s.BottomGz + i * s.GzStep;
    if (g > s.TopGz + s.GzStep / 2) break;
    const int y = s.Y(g);
    canvas.Line(s.Left, y, s.Right, y);
    const std::string text = Fixed(std::abs(g) < s.GzStep / 2 ? 0.0 : g, decimals);
    canvas.Text(s.Left - 4 - canvas.TextWidth(text), y - textHeight / 2, text);
  }
  const int tenDegrees = s.X(10) - s.X(0);
  const int labelEvery = tenDegrees >= canvas.TextWidth("70\xB0") + 4 ? 10 : 20;
  for (int a = 0; a <= static_cast<int>(s.MaxAngle); a += 10) {
    const int x = s.X(a);
    canvas.Line(x, s.Top, x, s.Bottom);
    if (a % labelEvery != 0) continue;
    const std::string text = std::to_string(a) + "\xB0";
    canvas.Text(x - canvas.TextWidth(text) / 2, s.Bottom + 3, text);
  }
  canvas.Text(s.Left + 4, 1, "GZ (m)");

  // Axes.
  canvas.SetPen(kColourBlack);
  canvas.Line(s.X(0), s.Top, s.X(0), s.Bottom);
  canvas.Line(s.Left, s.Y(0), s.Right, s.Y(0));

  auto textIn = [&](int x, int y, const std::string& text, Colour colour) {
    CanvasFont f = font;
    f.colour = colour;
    canvas.SetFont(f);
    x = std::clamp(x, s.Left + 2, std::max(s.Left + 2, s.Right - canvas.TextWidth(text) - 2));
    y = std::clamp(y, 0, std::max(0, s.Bottom - textHeight));
    canvas.Text(x, y, text);
  };

  // GZ at 30 degrees, when the table has that angle.
  if (HasTabulatedAngle(r, 30)) {
    const int y = s.Y(r.Gz30);
    canvas.SetPen(kGz30Colour);
    canvas.Line(s.Left, y, s.X(30), y);
    canvas.Line(s.X(30), y, s.X(30), s.Y(0));
    textIn(s.Left + 3, r.Gz30 >= 0 ? y - textHeight - 1 : y + 2, "GZ30 " + Fixed(r.Gz30, 2), kGz30Colour);
  }

  // The largest lever and its angle.
  {
    const int y = s.Y(r.GzMax);
    canvas.SetPen(kGzMaxColour);
    canvas.Line(s.Left, y, s.X(r.GzMaxAngle), y);
    textIn(s.X(r.GzMaxAngle) + 4, y - textHeight - 1,
           "GZmax " + Fixed(r.GzMax, 2) + " at " + AngleText(r.GzMaxAngle), kGzMaxColour);
  }

  // GM': the tangent of the curve at the origin reaches GM' at one radian.
  {
    const GzPoint end = GmLineEnd(s, r.GMCorrected);
    canvas.SetPen(kGmLineColour);
    canvas.Line(s.X(0), s.Y(0), s.X(end.angle), s.Y(end.gz));
    textIn(s.X(end.angle) + 3, s.Y(end.gz) - textHeight / 2, "GM' " + Fixed(r.GMCorrected, 2), kGmLineColour);
  }

  // The flooding angle, when it falls within the tabulated angles.
  if (r.FloodingAngle > 0 && r.FloodingAngle <= r.GzAngles.back()) {
    const int x = s.X(r.FloodingAngle);
    canvas.SetPen(kFloodingColour);
    canvas.Line(x, s.Top, x, s.Bottom);
    const std::string text = "flooding " + AngleText(r.FloodingAngle);
    const int w = canvas.TextWidth(text);
    textIn(x + w + 4 <= s.Right ? x + 3 : x - w - 3, s.Top + 1, text, kFloodingColour);
  }

  // The curve last, over everything else, with the tabulated points marked.
  std::vector<CanvasPoint> line;
  for (const GzPoint& p : GzCurvePoints(r)) line.push_back({s.X(p.angle), s.Y(p.gz)});
  canvas.SetPen(kGzCurveColour, 2);
  canvas.Polyline(line);
  canvas.SetPen(kGzCurveColour);
  canvas.SetBrush(kGzCurveColour);
  for (size_t i = 0; i < r.GzAngles.size(); ++i) {
    const int x = s.X(r.GzAngles[i]);
    const int y = s.Y(r.Gz[i]);
    canvas.Ellipse(x - 2, y - 2, x + 3, y + 3);
  }
}
