#pragma once

// The stability frame's computation: the weight summary of the loaded
// condition, kept up to date one unit, tank or fixed weight at a time.
// The hydrostatics, trim, GM and righting levers build on these sums.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct PlanData;
class Strength;
class Tanks;

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

// The hydrostatic table: one row of 15 numbers per draft, ascending. Columns
// used: 0 draft at the centre of flotation, 1 displacement in sea water
// (the search key), 2 KM, 3..6 KM addition at a trim by the stern of 0, 1, 2
// and 3 m, 8 LCB, 9 LCF, 10 MTC (t·m/cm), 11 and 12 change of the aft and
// fore draft per metre of (LCB - LCG).
inline constexpr int kHydColumns = 15;
inline constexpr int kMaxStabilityTableRows = 99;
inline constexpr int kMaxCrossCurveColumns = 30;
using HydRow = std::array<double, kHydColumns>;

// The cross-curve table: the header names every column ("KNaa" KN at aa
// degrees, "FL_" flooding angle); column 1 of each row is the displacement.
struct CrossCurveTable {
  std::vector<std::string> Names;
  std::vector<std::vector<double>> Rows;
};

// Fields end with ";"; numbers may have "." or "," decimals; an empty field
// is 0. At most 99 rows are kept. An empty file is an empty table. False
// with "<file>: <reason>", and the table left empty, when the file cannot be
// read or is broken: binary, a line that is not a row of numbers (besides
// the header of the cross curves), no row at all, rows whose drafts (HYD) or
// displacements (both) do not ascend, KN columns whose angles do not ascend.
// A table read in part would give figures that look right and are not.
bool ReadHydTable(const std::filesystem::path& file, std::vector<HydRow>& rows, std::string& error);
bool ReadCrossCurveTable(const std::filesystem::path& file, CrossCurveTable& table, std::string& error);

// (trunc(100·x) + 0.5) / 100: the draft cut to the centimetre, plus half a
// centimetre (not rounding to the nearest centimetre).
double DraftToHalfCentimetre(double x);

enum class HydrostaticState {
  NoTable,       // no hydrostatic table (2 rows or fewer): nothing computed
  Current,       // every result belongs to the present displacement
  OutsideTable,  // the displacement is beyond the table: the hydrostatic
                 // results are those of the last displacement inside it
};

inline constexpr int kLoadLineZones = 5;  // Summer, Winter, Winter NA, Tropical, Fresh Water
const char* LoadLineName(int zone);

struct StabilityResults {
  HydrostaticState State = HydrostaticState::NoTable;
  // From the sums.
  double W = 0;           // t
  double TableDisplacement = 0;  // Δ', the displacement in sea water of 1.025 t/m3
  double LCG = 0, VCG = 0, TCG = 0;
  double KGCorrected = 0;  // VCG plus free surface
  // The hydrostatic row at Δ' and what follows from it.
  HydRow Row{};
  double T = 0, LCB = 0, LCF = 0, MTC = 0;
  double Trim = 0;  // m, positive by the stern
  double ForeDraft = 7.0, AftDraft = 7.0, MeanDraft = 7.0;
  double AftMarksDraft = 0, ForeMarksDraft = 0;
  double KM = 0, GM = 0, GMCorrected = 0, FreeSurfaceCorrection = 0;
  double Heel = 0;           // degrees, positive to starboard
  double RollingPeriod = 0;  // s; 0 while GM is not positive
  // The righting-lever curve.
  bool HasGzCurve = false;
  std::vector<double> GzAngles;  // degrees, ascending
  std::vector<double> Gz;        // m
  // Areas under the GZ curve, m·rad: from 0 to 30°, and from 0 and from 30°
  // to the upper angle of the criteria, AreaUpperAngle: 40°, or the flooding
  // angle when one is known and less, since a ship taking in water through
  // an opening has no righting energy past it (0 from 30° when it floods
  // below 30°).
  double Area30 = 0, Area40 = 0, Area30To40 = 0;
  double AreaUpperAngle = 40;  // degrees
  double Gz30 = 0, GzMax = 0, GzMaxAngle = 0;
  double FloodingAngle = 0;
};

// The intact criteria judged on the results with the limits of the criteria
// table (minimum GM, area 0-30°, area 0-40° or to the flooding angle, area
// 30-40° or 30° to the flooding angle, GZ at 30°, angle of GZ maximum): a
// criterion is met when its value is above its limit. GM is the corrected
// one (free surface included). Empty without a GZ curve.
struct CriterionVerdict {
  const char* Key;  // gm, area_0_30, area_0_40, area_30_40, gz_30, gz_max_angle
  double Value = 0;
  double Limit = 0;
  bool Met = false;
};
std::vector<CriterionVerdict> JudgeCriteria(const StabilityResults& r, const std::array<double, 6>& limits);
// "40" or the flooding angle the areas stop at, with one decimal ("30.8").
std::string AreaUpperAngleText(const StabilityResults& r);

// The righting lever at any angle of a curve tabulated at ascending angles:
// Newton's polynomial through the six points around the angle (two before,
// three after, shifted inwards at the ends of the table). The areas, the
// maximum and the drawn curve all use it.
double InterpolateGz(const std::vector<double>& angles, const std::vector<double>& levers, double angle);

class Stability {
 public:
  explicit Stability(PlanData& plan);
  ~Stability();
  Stability(const Stability&) = delete;
  Stability& operator=(const Stability&) = delete;

  // The tank table and the sectional strength model of the open vessel.
  // Tank changes enter the tank items through this frame; with strength data
  // loaded every change of a weight is also spread along the ship.
  Tanks& tanks() { return *tanks_; }
  const Tanks& tanks() const { return *tanks_; }
  Strength& strength() { return *strength_; }
  const Strength& strength() const { return *strength_; }

  // Item names (the TOT lines of the parameter file); their number n fixes
  // the roles of the last three items: correction n-3, deadweight n-2,
  // displacement n-1.
  void SetItemNames(const std::vector<std::string>& names);
  int ItemCount() const { return itemCount_; }
  const std::string& ItemName(int item) const;
  // The draft-survey correction item (n-3).
  int CorrectionItem() const { return itemCount_ - 3; }

  std::array<WeightItem, kMaxWeightItems> Items{};

  // Adds (sign +1) or takes away (sign -1) a weight acting at the given
  // centres. An item left with 0.4 t or less is cleared altogether. A weight
  // or centre beyond any ship (over 10^7 t, 10^5 m) is refused.
  void UpdateWeightItem(int item, double w, double lcg, double vcg, double tcg, int sign, double fsm = 0);
  // The unit of a cell of the working data set: at the cell's LCG when is20,
  // else at its LCG_40; vertically at the cell's VCG plus the vessel's VCG
  // addition, and along the ship when strength data are loaded. A record
  // with STATUS below 1 adds nothing.
  void AddUnit(int cell, bool is20, int sign);
  // The container item to zero (all units removed at once).
  void ResetContainers();
  // Zeroes items from..to (to is limited to the last item); the second
  // fixed weight and the correction take their spread along the ship along.
  void ClearWeightItems(int from, int to);
  // Lightship and the second fixed weight from the vessel header; with
  // strength data loaded the second one is spread over the length (the
  // lightship has its own pieces in the strength data).
  void SetFixedItems(int sign);

  // Sum of items 0 to n-3: what the ship weighs with everything on board.
  WeightItem Displacement() const;

  // The vessel's tables, HYD.txt and RLE.txt of its folder (names in any
  // case). A missing file leaves its table empty; false, with the reasons
  // (joined by "; "), when a file exists but cannot be read or is broken:
  // its table stays empty ("no table"), the other one is still read.
  bool LoadTables(const std::filesystem::path& vesselDir, std::string& error);
  std::vector<HydRow> Hyd;
  CrossCurveTable CrossCurves;

  StabilityResults Results;

  // The totals the working condition's file was saved with (its header):
  // read back, the sums should come to the same. They do not when the
  // vessel's data changed since, or when a draft-survey correction was in
  // the sums (it is not saved).
  struct SavedTotals {
    double W = 0, LCG = 0, VCG = 0;  // t, m, m; W 0 when unknown
  };
  SavedTotals Saved;
  // "" while the sums agree with Saved within what the file's three
  // decimals and the order of adding can explain, or when nothing was saved;
  // else one line giving the saved figures.
  std::string SavedTotalsNote() const;
  // Rebuilds the deadweight and displacement items and computes every result
  // (the GZ curve too) from the sums and the tables. With strength data
  // loaded it also computes the strength, whose sectional equilibrium then
  // gives the drafts, trim and KM while it has one.
  void ComputeStability();
  // The GZ part only, from the present KG' and Δ'.
  void ComputeGzCurve();

  // Summer, Winter, Winter NA, Tropical and Fresh Water drafts, from the
  // summer draft and displacement of the vessel header.
  std::array<double, kLoadLineZones> LoadLines{};
  void ComputeLoadLines();
  // Moves the load-line zone by step (+1 or -1, cycling), sets the water
  // density of the zone and recomputes.
  void SelectLoadLine(int step);

  // Draft survey: observed drafts at the aft and fore marks. When both are
  // within 0.02 m of the computed ones nothing changes and false is
  // returned (the caller shows the computed drafts again). Otherwise the
  // correction item receives the weight, placed so that the ship floats at
  // the observed drafts; true.
  bool CorrectFromDrafts(double observedAft, double observedFore);
  // Takes the correction away and recomputes.
  void ClearCorrection();
  // A known correction (one kept with a condition) replaces the present
  // one, spread along the ship with strength data; no recomputation.
  void EnterCorrection(double w, double lcg, double vcg);

  // The stability report: headings, the weight items, drafts, GM, criteria
  // (and strength percentages with strength data).
  void StabilityReport(std::vector<std::string>& lines) const;

 private:
  void SetCorrection(double w, double lcg, double vcg);
  double TableDisplacementAtDraft(double draft) const;

  PlanData& plan_;
  std::unique_ptr<Tanks> tanks_;
  std::unique_ptr<Strength> strength_;
  std::vector<std::string> names_;
  int itemCount_ = kMaxWeightItems;
};
