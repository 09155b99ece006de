#pragma once

// Longitudinal strength: a table of sections along the ship that carries the
// weight distribution of the loaded condition, and, at each evaluation, the
// buoyancy found by floating the ship on its Bonjean curves. From the two
// follow shear force, bending moment and torsion along the length, their
// percentages of the allowed values, and a sectional equilibrium (drafts,
// trim, LCB, LCF, MCT, KM, GM) that replaces the table-based one.
//
// Positions x are metres from the aft perpendicular, forward positive.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/InputCheck.h"

#include "stability/Tanks.h"

struct PlanData;
class Stability;

inline constexpr int kMaxBonjeanColumns = 98;
inline constexpr int kMaxBonjeanStations = 100;
inline constexpr int kMaxStrengthFrames = 300;
inline constexpr int kMaxStrengthLimits = 40;
inline constexpr int kMaxStrengthSections = 500;

enum class StrengthState {
  NotLoaded,     // no strength data: nothing to show
  Current,       // every result belongs to the present condition
  OutsideTable,  // no equilibrium (no weight, or more than the Bonjean table
                 // can float): the results are those of the last one found
};

class Strength {
 public:
  // One station of the Bonjean table.
  struct Station {
    double X = 0;
    std::vector<double> Area;    // m2 per draft column
    std::vector<double> Moment;  // m3 per draft column, about the base
  };

  struct FrameMark {
    int Number = 0;
    double X = 0;
  };

  // The allowed values from one position on, for mean drafts above FromDraft.
  struct LimitLine {
    std::array<double, 12> Values{};  // in the file's order
    double FromDraft() const { return Values[0]; }
    double X() const { return Values[2]; }
  };

  // The loads a distribution adds and takes away are kept exactly, in
  // millionths (t/m, t, t·m): taking a weight away again restores the table
  // to the last digit.
  struct Section {
    double X = 0;
    std::int64_t AftLoad = 0;   // intensity just aft of the section
    std::int64_t ForeLoad = 0;  // intensity just forward of it
    std::int64_t PointLoad = 0;
    std::int64_t TorsionLoad = 0;  // torsion moment applied here
    double Buoyancy = 0;           // immersed sectional area, m2
    bool IsStation = false;
    int Frame = 0;
    // Limits (from the last limit line applied here).
    bool HasLimits = false;
    double LimitX = 0;
    double ShearScale = 0, LimitValue4 = 0, BendingScale = 0, LimitValue6 = 0;
    double AllowedShearPositive = 0, AllowedShearNegative = 0;
    double AllowedBendingPositive = 0, AllowedBendingNegative = 0;
    double AllowedTorsion = 0;
    // Results of the last evaluation.
    double StripWeight = 0, StripBuoyancy = 0;      // of the strip ending here, t
    double CumulativeWeight = 0, CumulativeBuoyancy = 0;
    double Shear = 0;                                // t
    double WeightIntegral = 0, BuoyancyIntegral = 0;
    double Bending = 0;                              // t·m
    double Torsion = 0;                              // t·m
    double ShearPercent = 0, BendingPercent = 0, TorsionPercent = 0;

    double AftIntensity() const { return static_cast<double>(AftLoad) / 1e6; }
    double ForeIntensity() const { return static_cast<double>(ForeLoad) / 1e6; }
    double Point() const { return static_cast<double>(PointLoad) / 1e6; }
    double TorsionMoment() const { return static_cast<double>(TorsionLoad) / 1e6; }
  };

  struct Results {
    StrengthState State = StrengthState::NotLoaded;
    bool Converged = false;  // the equilibrium met its tolerances
    double MaxShearPercent = 0, MaxBendingPercent = 0, MaxTorsionPercent = 0;
    double AftDraft = 0, ForeDraft = 0, MeanDraft = 0, Trim = 0;  // trim > 0 by the stern
    double Displacement = 0, LCB = 0, LCF = 0, WaterplaneArea = 0, MCT1m = 0;
    double KB = 0, BM = 0, KM = 0, GM = 0, WaterplaneCoefficient = 0;
  };

  // What SectionalHydrostatics finds at one pair of drafts.
  struct Figures {
    double Displacement = 0, LCB = 0, LCF = 0, WaterplaneArea = 0, MCT1m = 0;
    double KB = 0, BM = 0, KM = 0, GM = 0, WaterplaneCoefficient = 0;
  };

  Strength(PlanData& plan, Stability& stability);

  // STR.txt of the vessel folder (name in any case). False without the file
  // or with an empty one (error stays empty), or with "<file>: <reason>" when
  // it cannot be read, is binary or holds no usable Bonjean table or frame
  // list. Loading starts from an
  // empty section table and spreads the second fixed weight when it is set.
  bool LoadStrengthData(const std::filesystem::path& vesselDir, std::string& error);
  // The same from the file's lines; false with the reason when they hold no
  // usable tables.
  bool ParseStrengthLines(const std::vector<std::string>& lines, std::string& reason);
  // The lines of the frame list, the limits and the lightship pieces that
  // the last load passed over (a field that is no number, a frame the list
  // does not hold, a full table), and the file they came from. A Bonjean
  // line with a field that is no number refuses the whole table instead:
  // its stations are numbered by their order.
  std::vector<SkippedLine> SkippedLines;
  std::filesystem::path LoadedFile;
  bool Loaded() const { return loaded_; }
  // Forgets every table (another vessel opens, or this one has no data).
  void Clear();

  // Adds the values to the section at x, made when there is none; returns
  // its index. When the table is full the nearest section takes them.
  int AddSectionLoad(double x, double aftIntensity, double foreIntensity, double pointLoad, double buoyancy,
                     bool station);
  // A linear load of total w with its centre at g over x1..x2 (a point load
  // when g is at an end once the range has been widened to reach it); with
  // buoyancy, the same shape added to the buoyancy areas over x1..x2.
  void DistributeWeight(double x1, double x2, double w, double g, bool buoyancy);
  // The frame nearest to x (a tie goes aft); the first or last frame
  // outside the list; -1 without frames.
  int NearestFrame(double x) const;

  // Each with sign +1 when the weight enters and -1 when it leaves.
  void DistributeItem(int item, int sign);
  // A weight spread over the ship's length between the frames nearest to
  // the perpendiculars.
  void DistributeOverLength(double w, double lcg);
  void DistributeUnit(int cell, bool is20, int sign);
  void DistributeTank(const TankRecord& tank, int sign);
  void SpreadTorsion(int firstFrame, int lastFrame, double moment);

  // Equilibrium, buoyancy, shear, bending, torsion and percentages.
  void ComputeStrength();
  // The sectional equilibrium for weight w with its centres; false when
  // there is none (the previous results stay).
  bool FindEquilibrium(double w, double lcg, double vcg, double length, double density);
  // Buoyancy areas of the stations and the hydrostatics of the waterline
  // from draft ta at the aft perpendicular to tf at the forward one.
  Figures SectionalHydrostatics(double ta, double tf, double length, double vcg, double density);

  // Set by the draft survey while it floats the ship at observed drafts.
  bool ObservedDraftMode = false;
  double ObservedAft = 0, ObservedFore = 0;

  // The tables.
  std::vector<double> Drafts;   // m, one per Bonjean column
  std::vector<double> Volumes;  // m3 per column
  std::vector<Station> Stations;
  std::vector<FrameMark> Frames;
  int LowestFrame = 1000;
  std::vector<LimitLine> Limits;
  std::vector<Section> Sections;

  Results Result;

  // The length between perpendiculars the calculation uses: the vessel
  // header's, or the Bonjean table's forward end without one.
  double Length() const;

  // Largest values the drawing's scales must hold.
  double LargestShearScale() const;
  double LargestBendingScale() const;
  double LargestAllowedTorsion() const;

 private:
  double BonjeanValue(const std::vector<double>& column, double draft) const;
  void ApplyLimitLines();
  void InterpolateBuoyancy();
  // One walk along the sections; returns the residual weight less buoyancy
  // and sets its moment about the AP.
  double RunPass(bool second, double& residualMoment);
  int InsertSection(double x);

  PlanData& plan_;
  Stability& stability_;
  bool loaded_ = false;
  std::vector<double> stationAreas_;  // areas of the stations at the last drafts
};
