#include "reports/Totals.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "conditions/ListColumns.h"
#include "conditions/UnitColumns.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"

namespace {

// The five categories of a totals line.
enum Category { kFull20, kFull40, kEmpty20, kEmpty40, kBreakBulk, kCategories };

struct Figures {
  std::array<int, kCategories> count{};
  std::array<double, kCategories> weight{};
  std::array<int, kCategories> teu{};
  int bundles = 0;
};

void Add(const PlanData& plan, const StructDat& unit, int record, Figures& f) {
  const bool twenty = Is20Foot(unit);
  Category c = unit.MTY < 1 ? (twenty ? kFull20 : kFull40) : (twenty ? kEmpty20 : kEmpty40);
  if (IsBreakBulk(unit)) c = kBreakBulk;
  // Attached equipment travels as units of its own.
  const int attached = unit.FL2 == 2 || unit.FL2 == 4 ? AttachedCount(plan, record) : 0;
  f.count[c] += 1 + attached;
  f.weight[c] += unit.WEIGHT;
  f.teu[c] += twenty ? 1 : 2;
  f.bundles += unit.BUNDLES;
}

// A figure right-aligned in its width; zero is blanks. Whole figures are
// cut, not rounded: a sum of weights given to the decimal is first freed of
// the error of its binary form, or 1976.0 t summed as 1975.99999 would show
// a tonne short.
std::string Figure(double value, int width, int decimals = 0) {
  if (decimals == 0) value = std::round(value * 1e6) / 1e6;
  const std::string text = FormatFixed(value, decimals);
  if (ParseReal(text) == 0) return std::string(static_cast<size_t>(width), ' ');
  return Pad(text, width, true);
}

std::string Average(double weight, int teu) {
  return teu == 0 ? std::string(5, ' ') : Figure(weight / teu, 5, 1);
}

std::string FiguresText(const Figures& f, bool breakBulk, bool compact) {
  const double fullWeight = f.weight[kFull20] + f.weight[kFull40];
  const int fullTeu = f.teu[kFull20] + f.teu[kFull40];
  int count = 0, teu = 0;
  double weight = 0;
  for (int c = 0; c < kCategories; ++c) {
    count += f.count[c];
    teu += f.teu[c];
    weight += f.weight[c];
  }
  std::string text = Figure(f.count[kFull20], 5) + Figure(f.count[kFull40], 5) + Figure(fullWeight, 6) +
                     Figure(fullTeu, 5) + Average(fullWeight, fullTeu) + Figure(f.count[kEmpty20], 5) +
                     Figure(f.count[kEmpty40], 5) + Figure(f.teu[kEmpty20] + f.teu[kEmpty40], 5);
  if (breakBulk)
    text += Figure(f.count[kBreakBulk], 4) + Figure(f.weight[kBreakBulk], 5) + Figure(f.teu[kBreakBulk], 5);
  text += Figure(count, 7) + Figure(weight, 6) + Figure(teu, 5) + Figure(f.bundles, 4);
  text += compact ? Figure(f.bundles, 5) : Average(weight, teu);
  return text;
}

bool PortListed(const PlanData& plan, const std::string& port) {
  const int last = std::min(plan.PolCount, kTotalsPorts - 1);
  for (int k = 0; k <= last; ++k)
    if (plan.PolList[static_cast<size_t>(k)] == port) return true;
  return false;
}

}  // namespace

TotalsReport BuildTotals(const PlanData& plan, const TotalsOptions& options) {
  TotalsReport report;
  std::vector<int> columns;
  for (int c : options.columns)
    if (c >= 0 && c < std::min(kUnitColumnCount, kMaxRepNames) && columns.size() < kMaxTotalsColumns)
      columns.push_back(c);
  if (columns.empty()) return report;
  const int n = static_cast<int>(columns.size());
  report.levels = n;

  // The key: each grouping column's value at its width and a blank.
  std::string keyHeader;
  std::vector<size_t> keyLength{0};
  for (int c : columns) {
    keyHeader += ListColumnHeading(plan, c) + " ";
    keyLength.push_back(keyHeader.size());
  }
  report.keyWidth = static_cast<int>(keyHeader.size());

  const bool voyage = options.plane == plan.VoyPlane;
  const int records = std::clamp(voyage ? plan.VoyUnitCount : plan.CellCount, 0, kUnitInHand);
  const DataSet& set = plan.Dat[static_cast<size_t>(options.plane)];
  std::vector<std::pair<std::string, int>> keys;
  UnitColumnTexts texts;
  for (int i = 0; i < records; ++i) {
    const StructDat& unit = set[static_cast<size_t>(i)];
    if (unit.STATUS <= 0 || unit.SELECTED <= 0 || unit.FL3 >= 1) continue;
    if (options.onlyListedPorts && (!PortListed(plan, unit.POL) || !PortListed(plan, unit.POD))) continue;
    if (IsBreakBulk(unit)) report.breakBulk = true;
    UnitToColumns(plan, unit, texts);
    std::string key;
    for (int c : columns) key += ListColumnText(plan, unit, texts, c) + " ";
    keys.emplace_back(std::move(key), i);
  }
  // Ordered by key as text; units of one key in record order.
  std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

  const auto message = [&plan](int k) { return plan.Messages[static_cast<size_t>(k)]; };
  const std::string total = options.compact ? message(15).substr(0, 17) : message(15);
  report.title = std::string(keyHeader.size(), ' ') + message(12) + message(13) +
                 (report.breakBulk ? message(14) : "") + total + " ";
  std::string shown = report.title;
  std::replace(shown.begin(), shown.end(), '-', ' ');
  report.lines.push_back({shown, -1});
  const std::string totalHeading = options.compact ? message(17).substr(0, 17) + "  " : message(17) + " ";
  report.lines.push_back({keyHeader + message(16) + message(84) + (report.breakBulk ? message(18) : " ") +
                              totalHeading + " ",
                          -1});

  std::vector<Figures> level(static_cast<size_t>(n + 1));
  auto emit = [&](const std::string& key, int k) {
    const std::string head = k == 0 ? std::string(keyHeader.size(), ' ')
                                     : Pad(key.substr(0, keyLength[static_cast<size_t>(k)]),
                                           report.keyWidth, false);
    report.lines.push_back({head + FiguresText(level[static_cast<size_t>(k)], report.breakBulk, options.compact), k});
    level[static_cast<size_t>(k)] = Figures{};
  };
  for (size_t u = 0; u < keys.size(); ++u) {
    if (u > 0) {
      const std::string& previous = keys[u - 1].first;
      int changed = 0;
      for (int k = 1; k <= n && changed == 0; ++k)
        if (keys[u].first.compare(0, keyLength[static_cast<size_t>(k)], previous, 0,
                                  keyLength[static_cast<size_t>(k)]) != 0)
          changed = k;
      for (int k = n; changed > 0 && k >= changed; --k) {
        if (!options.oneLevel || k == n) {
          emit(previous, k);
        } else {
          level[static_cast<size_t>(k)] = Figures{};
        }
      }
    }
    const StructDat& unit = set[static_cast<size_t>(keys[u].second)];
    for (Figures& f : level) Add(plan, unit, keys[u].second, f);
    ++report.units;
    report.tonnes += unit.WEIGHT;
  }
  if (!keys.empty()) {
    for (int k = n; k >= 0; --k)
      if (!options.oneLevel || k == n || k == 0) emit(keys.back().first, k);
  } else {
    emit(std::string(), 0);
  }
  return report;
}
