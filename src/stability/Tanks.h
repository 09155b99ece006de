#pragma once

// The vessel's tanks: the tank table (tnk.txt), the sounding tables
// (tnp.txt) and the content of every tank in the working condition. Each
// tank belongs to one group, and the group is the weight item of the
// stability frame (4 to 9) that carries its content.

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputCheck.h"

struct PlanData;
class Stability;

inline constexpr int kMaxTankRecords = 150;
inline constexpr int kMaxSoundingRecords = 500;
inline constexpr int kTankRecordFields = 30;
inline constexpr int kSoundingRecordFields = 7;
inline constexpr int kFirstTankGroup = 4;
inline constexpr int kLastTankGroup = 9;

// Numbers are kept as the texts of the file and read leniently.
using TankRecord = std::array<std::string, kTankRecordFields>;
using SoundingRecord = std::array<std::string, kSoundingRecordFields>;

// Fields of a tank record with a meaning in the code.
namespace TankField {
inline constexpr int Key = 0;        // matched exactly by "T" lines and sounding rows
inline constexpr int Name = 1;
inline constexpr int Capacity = 2;   // t, full tank
inline constexpr int Group = 4;     // weight item 4..9
inline constexpr int VcgFull = 5;
inline constexpr int VcgEmpty = 6;
inline constexpr int Lcg = 7;
inline constexpr int Tcg = 8;
inline constexpr int FreeSurface = 9;  // t·m
inline constexpr int Content = 10;     // t; empty is 0
inline constexpr int DrawTop = 12;     // plan drawing: 12, 14 vertical and 13, 15 horizontal edges
inline constexpr int DrawLeft = 13;
inline constexpr int DrawBottom = 14;
inline constexpr int DrawRight = 15;
inline constexpr int FirstFrame = 19;  // strength frames covered by the tank
inline constexpr int LastFrame = 20;
inline constexpr int FirstSounding = 22;  // rows of the tank in the sounding table
inline constexpr int LastSounding = 23;
inline constexpr int ShownLcg = 24;  // 24..29: texts of the last change
inline constexpr int ShownVcg = 25;
inline constexpr int ShownTcg = 26;
inline constexpr int ShownFreeSurface = 27;
inline constexpr int ShownPercent = 28;
inline constexpr int ShownContent = 29;
}  // namespace TankField

class Tanks {
 public:
  Tanks(PlanData& plan, Stability& stability);

  // Everything a vessel opening needs: empties both tables, reads tnk.txt
  // and tnp.txt of the folder (names in any case; a missing or empty file
  // leaves its table empty) and resets the contents. False with
  // "<file>: <reason>" (both files' joined by "; ") when a file exists but
  // cannot be read or is binary (its table stays empty), or when lines of it
  // could not be read (the others are kept).
  bool Load(const std::filesystem::path& vesselDir, std::string& error);

  // tnk.txt: returns the number of tanks (0 without the file); what went
  // wrong with the file is added to error.
  int LoadTanks(const std::filesystem::path& vesselDir, std::string& error);
  // tnp.txt: returns the number of sounding rows and assigns each tank its
  // run of rows.
  int LoadTankTables(const std::filesystem::path& vesselDir, std::string& error);
  // The same from the files' lines. A line that is no tank (no name, a text
  // where a number belongs) or no sounding row (also one whose content does
  // not rise above the row before of its tank) is passed over and, with
  // skipped given, listed there.
  int ParseTankLines(const std::vector<std::string>& lines, std::vector<SkippedLine>* skipped = nullptr);
  int ParseSoundingLines(const std::vector<std::string>& lines, std::vector<SkippedLine>* skipped = nullptr);

  // Every content to 0 through SetTankContent, the shown texts cleared and
  // the tank items 4 to 9 zeroed (vessel opened, condition about to be read).
  void ResetTanks();

  // The one way a content changes: the old content leaves the tank's weight
  // item (and the strength distribution), the new one enters it. Nothing
  // happens for an unknown tank or when the content does not change.
  void SetTankContent(int tank, double content);
  // The first tank whose key is exactly key; false (and nothing changed)
  // when no tank has it.
  bool SetTankByName(const std::string& key, double content);
  // "T" sep key sep content sep for a tank with content, else "".
  std::string TankLine(int tank, std::string_view separator) const;

  // "All full" and "All empty" of one group (weight item 4..9).
  void FillGroup(int group);
  void EmptyGroup(int group);

  // The tanks report: every group with its tanks and total.
  void TanksReport(std::vector<std::string>& lines) const;

  int Count() const { return static_cast<int>(Records.size()); }
  double Content(int tank) const;
  double Capacity(int tank) const;
  int Group(int tank) const;
  // The first tank with this key, -1 when none.
  int FindTank(const std::string& key) const;

  std::vector<TankRecord> Records;        // at most kMaxTankRecords
  std::vector<SoundingRecord> Soundings;  // at most kMaxSoundingRecords

  // Marks the condition modified (and so recomputes and repaints); the
  // owner wires it. Not called while a batch flag of the plan is set.
  std::function<void()> MarkModified;

 private:
  struct TankState {
    double LCG = 0, VCG = 0, TCG = 0, FSM = 0, Percent = 0;
  };
  TankState StateAt(const TankRecord& tank, double content) const;
  void NotifyModified();

  PlanData& plan_;
  Stability& stability_;
};
