#pragma once

// The stability frame's computation: the weight summary of the loaded
// condition, kept up to date one unit, tank or fixed weight at a time.
// The hydrostatics, trim, GM and righting levers build on these sums.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PlanData;

inline constexpr int kMaxWeightItems = 20;
inline constexpr int kLightshipItem = 0;
inline constexpr int kFixedWeightItem = 1;
inline constexpr int kContainersItem = 2;

// One row of the weight summary. The sums are kept exactly, in kilograms and
// kilogram-millimetres: adding a unit and taking it away again restores every
// sum to the last digit, however many units came and went in between, and the
// order of the changes does not matter.
struct WeightItem {
  std::int64_t W = 0;    // kg
  std::int64_t WL = 0;   // kg·mm, longitudinal
  std::int64_t WV = 0;   // kg·mm, vertical
  std::int64_t WT = 0;   // kg·mm, transverse
  std::int64_t FSM = 0;  // kg·mm, free-surface moment

  double Tonnes() const { return static_cast<double>(W) / 1000.0; }
  // Centres in metres; 0 while the item weighs nothing.
  double Lcg() const;
  double Vcg() const;
  double Tcg() const;
  double FreeSurface() const { return static_cast<double>(FSM) / 1e6; }  // t·m

  bool operator==(const WeightItem&) const = default;
};

class Stability {
 public:
  explicit Stability(PlanData& plan);

  // Item names (the TOT lines of the parameter file); their number n fixes
  // the roles of the last three items: correction n-3, deadweight n-2,
  // displacement n-1.
  void SetItemNames(const std::vector<std::string>& names);
  int ItemCount() const { return itemCount_; }
  const std::string& ItemName(int item) const;

  std::array<WeightItem, kMaxWeightItems> Items{};

  // Adds (sign +1) or takes away (sign -1) a weight acting at the given
  // centres. An item left with 0.4 t or less is cleared altogether.
  void UpdateWeightItem(int item, double w, double lcg, double vcg, double tcg, int sign, double fsm = 0);
  // The unit of a cell of the working data set: at the cell's LCG when is20,
  // else at its LCG_40; vertically at the cell's VCG plus the vessel's VCG
  // addition. A record with STATUS below 1 adds nothing.
  void AddUnit(int cell, bool is20, int sign);
  // The container item to zero (all units removed at once).
  void ResetContainers();
  // Zeroes items from..to (to is limited to the last item).
  void ClearWeightItems(int from, int to);
  // Lightship and the second fixed weight from the vessel header.
  void SetFixedItems(int sign);

  // Sum of items 0 to n-3: what the ship weighs with everything on board.
  WeightItem Displacement() const;

 private:
  PlanData& plan_;
  std::vector<std::string> names_;
  int itemCount_ = kMaxWeightItems;
};
