#pragma once

// STR.txt of a rectangular box barge, written by hand so that every value is
// known in closed form: the immersed area of a station at draft t is B·t
// and its vertical moment B·t²/2; frame n stands at x = 5n.

#include <string>
#include <vector>

namespace box {

inline constexpr double kL = 100;
inline constexpr double kB = 20;
inline constexpr double kStation = 5;   // station and frame spacing, m
inline constexpr double kDraftStep = 2;  // m between Bonjean columns
inline constexpr int kColumns = 9;       // drafts 0 to 16 m
inline constexpr double kDensity = 1.025;

inline double Displacement(double t) { return kL * kB * t * kDensity; }
inline double DraftOf(double w) { return w / (kDensity * kL * kB); }

// The box floating freely at weight w with its centre of gravity at lcg and
// kg: the mean draft holds the volume, and the trim puts the centre of
// buoyancy of the trimmed box, LCB = L(Ta + 2Tf) / 3(Ta + Tf) and
// KB = (Ta² + TaTf + Tf²) / 3(Ta + Tf), on the vertical through G, that is
// LCB = lcg - (kg - KB)·trim / L. Found by halving the trim interval.
struct Drafts {
  double aft = 0, fore = 0;
};
inline Drafts FreeFloating(double w, double lcg, double kg) {
  const double mean = DraftOf(w);
  auto lever = [&](double trim) {
    const double ta = mean + trim / 2, tf = mean - trim / 2;
    const double lcb = kL * (ta + 2 * tf) / (3 * (ta + tf));
    const double kb = (ta * ta + ta * tf + tf * tf) / (3 * (ta + tf));
    return lcb - lcg + (kg - kb) * trim / kL;
  };
  double low = -2 * mean, high = 2 * mean;  // the lever falls as the trim grows
  for (int i = 0; i < 100; ++i) {
    const double middle = (low + high) / 2;
    (lever(middle) > 0 ? low : high) = middle;
  }
  const double trim = (low + high) / 2;
  return {mean + trim / 2, mean - trim / 2};
}

inline std::string Number(double x) {
  // Whole numbers and halves are all the table needs; keep "." decimals.
  std::string text = std::to_string(x);
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text.empty() ? "0" : text;
}

// limits: lines of the STR part, each "draft;frame;x;..." as the file has it.
inline std::string StrText(const std::vector<std::string>& limits = {},
                           const std::vector<std::string>& lightship = {}) {
  std::string text = "//BON\r\nT;X";
  for (int j = 0; j < kColumns; ++j) {
    const int cm = static_cast<int>(j * kDraftStep * 100);
    std::string digits = std::to_string(cm);
    digits.insert(0, 4 - digits.size(), '0');
    text += ";A" + digits;
  }
  text += "\r\n";
  for (const char* mark : {"A", "B"}) {
    for (int k = 0; k * kStation <= kL; ++k) {
      text += std::string(mark) + ";" + Number(k * kStation);
      for (int j = 0; j < kColumns; ++j) {
        const double t = j * kDraftStep;
        text += ";" + Number(mark[0] == 'A' ? kB * t : kB * t * t / 2);
      }
      text += "\r\n";
    }
  }
  text += "//FRM\r\n";
  for (int n = 0; n * kStation <= kL; ++n) text += std::to_string(n) + ";" + Number(n * kStation) + "\r\n";
  if (!limits.empty()) {
    text += "//STR\r\n";
    for (const std::string& line : limits) text += line + "\r\n";
  }
  if (!lightship.empty()) {
    text += "//LSH\r\n";
    for (const std::string& line : lightship) text += line + "\r\n";
  }
  return text;
}

}  // namespace box
