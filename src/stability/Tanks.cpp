#include "stability/Tanks.h"

#include <algorithm>
#include <cmath>

#include "core/InputCheck.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "stability/Stability.h"
#include "stability/Strength.h"
#include "vessel/FileNames.h"

namespace {

bool Blank(const std::string& line) { return Trim(line).empty(); }

// The separator of a table file is the first "," or ";" of its first line
// that holds anything: a file that starts with an empty line must not have
// every tank of a ","-separated table refused.
char SeparatorOf(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (Blank(line)) continue;
    const size_t p = line.find_first_of(",;");
    return p != std::string::npos ? line[p] : ';';
  }
  return ';';
}

// Fields end with the separator: text after a line's last separator is not
// a field, and fields beyond the record's size are dropped.
template <size_t N>
std::array<std::string, N> SplitRecord(const std::string& line, char separator) {
  std::array<std::string, N> record;
  size_t field = 0;
  std::string collected;
  for (char ch : line) {
    if (ch != separator) {
      collected += ch;
      continue;
    }
    if (field < N) record[field] = collected;
    ++field;
    collected.clear();
  }
  return record;
}

// Reads a table file of the vessel folder; a missing or empty file is no
// table and no error, a binary one is refused. A last line the file ends
// inside is left blank and listed in cut.
bool ReadVesselTable(const std::filesystem::path& vesselDir, const char* name, std::filesystem::path& file,
                     std::vector<std::string>& lines, std::vector<SkippedLine>& cut, std::string& error) {
  lines.clear();
  file = FindFileNoCase(vesselDir, name);
  if (file.empty()) return true;
  std::string bytes;
  if (!ReadTextBytes(file, bytes, error)) return false;
  lines = SplitTextLines(bytes);
  // A last line cut off would give a tank or a row with half its fields.
  if (EndsInsideALine(bytes, SeparatorOf(lines))) {
    lines.back().clear();
    cut.push_back({static_cast<int>(lines.size()), std::string(kCutOffLine)});
  }
  return true;
}

bool HasNumberOrNothing(const std::string& field) { return Trim(field).empty() || IsNumberText(field); }

std::string TankLineProblem(const TankRecord& tank) {
  const std::string key = Trim(tank[TankField::Key]);
  if (key.empty() || HasControlCharacter(tank[TankField::Key])) return "not a tank: no tank name in the first field";
  for (int field : {TankField::Capacity, TankField::Group, TankField::VcgFull, TankField::VcgEmpty, TankField::Lcg,
                    TankField::Tcg, TankField::FreeSurface})
    if (!HasNumberOrNothing(tank[static_cast<size_t>(field)]))
      return "not a tank: field " + std::to_string(field + 1) + " is \"" + tank[static_cast<size_t>(field)] +
             "\", not a number";
  return {};
}

std::string SoundingLineProblem(const SoundingRecord& row) {
  if (Trim(row[0]).empty() || HasControlCharacter(row[0])) return "not a sounding row: no tank name in the first field";
  if (!IsNumberText(row[2])) return "not a sounding row: no content in the third field";
  for (size_t f = 1; f < row.size(); ++f)
    if (!HasNumberOrNothing(row[f]))
      return "not a sounding row: field " + std::to_string(f + 1) + " is \"" + row[f] + "\", not a number";
  return {};
}

// Adds to error the lines a table could not read, and that it is no table
// at all when not one line could be read.
void NoteSkipped(const std::filesystem::path& file, int read, std::vector<SkippedLine>& skipped,
                 const std::string& kind, std::string& error) {
  if (skipped.empty()) return;
  std::sort(skipped.begin(), skipped.end(), [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });
  std::string text = SkippedLinesMessage(file, skipped);
  if (read == 0) text += ": not one line is a " + kind;
  error += (error.empty() ? "" : "; ") + text;
}

constexpr double kFreeSurfaceBelowPercent = 5;
constexpr double kFreeSurfaceAbovePercent = 95;

}  // namespace

Tanks::Tanks(PlanData& plan, Stability& stability) : plan_(plan), stability_(stability) {}

bool Tanks::Load(const std::filesystem::path& vesselDir, std::string& error) {
  Records.clear();
  Soundings.clear();
  error.clear();
  LoadTanks(vesselDir, error);
  LoadTankTables(vesselDir, error);
  ResetTanks();
  return error.empty();
}

int Tanks::LoadTanks(const std::filesystem::path& vesselDir, std::string& error) {
  Records.clear();
  std::vector<std::string> lines;
  std::vector<SkippedLine> skipped;
  std::filesystem::path file;
  std::string reason;
  if (!ReadVesselTable(vesselDir, "tnk.txt", file, lines, skipped, reason)) {
    error += (error.empty() ? "" : "; ") + reason + ": no tank table";
    return 0;
  }
  const int count = ParseTankLines(lines, &skipped);
  NoteSkipped(file, count, skipped, "tank", error);
  return count;
}

int Tanks::ParseTankLines(const std::vector<std::string>& lines, std::vector<SkippedLine>* skipped) {
  Records.clear();
  const char separator = SeparatorOf(lines);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (Count() == kMaxTankRecords) break;
    // A blank line is no tank. Tanks are found by their key everywhere (the
    // condition's "T" lines, the sounding rows), never by their line, so
    // passing over it loses nothing; an empty record in its place would be
    // a tank without a key.
    if (Blank(line)) continue;
    TankRecord tank = SplitRecord<kTankRecordFields>(line, separator);
    const std::string problem = TankLineProblem(tank);
    if (!problem.empty()) {
      if (skipped) skipped->push_back({static_cast<int>(i) + 1, problem});
      continue;
    }
    tank[TankField::Content].clear();  // contents come from conditions only
    tank[TankField::FirstSounding] = "0";
    tank[TankField::LastSounding] = "0";
    Records.push_back(std::move(tank));
  }
  return Count();
}

int Tanks::LoadTankTables(const std::filesystem::path& vesselDir, std::string& error) {
  Soundings.clear();
  std::vector<std::string> lines;
  std::vector<SkippedLine> skipped;
  std::filesystem::path file;
  std::string reason;
  if (!ReadVesselTable(vesselDir, "tnp.txt", file, lines, skipped, reason)) {
    error += (error.empty() ? "" : "; ") + reason + ": no sounding tables";
    ParseSoundingLines({});
    return 0;
  }
  const int rows = ParseSoundingLines(lines, &skipped);
  NoteSkipped(file, rows, skipped, "sounding row", error);
  return rows;
}

int Tanks::ParseSoundingLines(const std::vector<std::string>& lines, std::vector<SkippedLine>* skipped) {
  Soundings.clear();
  for (TankRecord& tank : Records) {
    tank[TankField::FirstSounding] = "0";
    tank[TankField::LastSounding] = "0";
  }
  const char separator = SeparatorOf(lines);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (static_cast<int>(Soundings.size()) == kMaxSoundingRecords) break;
    // A blank line inside a tank's rows must not split its run: a run after
    // it would replace the rows before it.
    if (Blank(line)) continue;
    SoundingRecord row = SplitRecord<kSoundingRecordFields>(line, separator);
    std::string problem = SoundingLineProblem(row);
    // The contents of a tank's rows are searched in order.
    if (problem.empty() && !Soundings.empty() && Soundings.back()[0] == row[0] &&
        ParseReal(row[2]) <= ParseReal(Soundings.back()[2]))
      problem = "content " + Trim(row[2]) + " does not rise above the row before (" + Trim(Soundings.back()[2]) +
                "): the rows of a tank must ascend";
    if (!problem.empty()) {
      if (skipped) skipped->push_back({static_cast<int>(i) + 1, problem});
      continue;
    }
    Soundings.push_back(std::move(row));
  }
  // Each run of rows with one key belongs to the first tank of that key; a
  // later run of the same key replaces the earlier one.
  const int rows = static_cast<int>(Soundings.size());
  int runTank = -1;
  for (int r = 0; r < rows; ++r) {
    const std::string& key = Soundings[static_cast<size_t>(r)][0];
    if (r > 0 && key == Soundings[static_cast<size_t>(r - 1)][0]) continue;
    if (runTank >= 0) Records[static_cast<size_t>(runTank)][TankField::LastSounding] = std::to_string(r - 1);
    runTank = FindTank(key);
    if (runTank >= 0) Records[static_cast<size_t>(runTank)][TankField::FirstSounding] = std::to_string(r);
  }
  if (runTank >= 0) Records[static_cast<size_t>(runTank)][TankField::LastSounding] = std::to_string(rows - 1);
  return rows;
}

int Tanks::FindTank(const std::string& key) const {
  for (int t = 0; t < Count(); ++t) {
    if (Records[static_cast<size_t>(t)][TankField::Key] == key) return t;
  }
  return -1;
}

double Tanks::Content(int tank) const {
  return tank >= 0 && tank < Count() ? ParseReal(Records[static_cast<size_t>(tank)][TankField::Content]) : 0.0;
}

double Tanks::Capacity(int tank) const {
  return tank >= 0 && tank < Count() ? ParseReal(Records[static_cast<size_t>(tank)][TankField::Capacity]) : 0.0;
}

int Tanks::Group(int tank) const {
  return tank >= 0 && tank < Count() ? ParseInt(Records[static_cast<size_t>(tank)][TankField::Group]) : 0;
}

void Tanks::ResetTanks() {
  for (int t = 0; t < Count(); ++t) {
    TankRecord& tank = Records[static_cast<size_t>(t)];
    for (int f = TankField::ShownLcg; f <= TankField::ShownContent; ++f) tank[static_cast<size_t>(f)].clear();
    SetTankContent(t, 0);
  }
  stability_.ClearWeightItems(kFirstTankGroup, kLastTankGroup);
}

Tanks::TankState Tanks::StateAt(const TankRecord& tank, double q) const {
  TankState s;
  const double capacity = ParseReal(tank[TankField::Capacity]);
  const double vcgFull = ParseReal(tank[TankField::VcgFull]);
  const double vcgEmpty = ParseReal(tank[TankField::VcgEmpty]);
  if (capacity > 0) {
    s.VCG = vcgEmpty + (vcgFull - vcgEmpty) * q / capacity;
    s.Percent = q * 100.0 / capacity;
  } else {
    // A tank without a capacity cannot say how full it is: whatever it holds
    // counts as full, at the full tank's centre and without free surface.
    s.VCG = vcgFull;
    s.Percent = 100;
  }
  s.LCG = ParseReal(tank[TankField::Lcg]);
  s.TCG = ParseReal(tank[TankField::Tcg]);
  s.FSM = ParseReal(tank[TankField::FreeSurface]);

  // The sounding table, when the tank has at least two rows of it. A centre
  // of 0 in a row gives no value for that centre.
  const int first = ParseInt(tank[TankField::FirstSounding]);
  const int last = ParseInt(tank[TankField::LastSounding]);
  const int rows = static_cast<int>(Soundings.size());
  if (tank[TankField::FirstSounding] != tank[TankField::LastSounding] && first >= 0 && first < last &&
      last < rows) {
    auto value = [&](int r, int f) { return ParseReal(Soundings[static_cast<size_t>(r)][static_cast<size_t>(f)]); };
    for (int r = first; r <= last; ++r) {
      const double content = value(r, 2);
      if (content < q) continue;
      if (content != q && r != first) {
        // The row before holds less than q, so the span is positive.
        const double below = value(r - 1, 2);
        const double f = (q - below) / (content - below);
        auto between = [&](int field) { return value(r - 1, field) + (value(r, field) - value(r - 1, field)) * f; };
        if (value(r, 3) != 0) s.LCG = between(3);
        if (value(r, 4) != 0) s.VCG = between(4);
        if (value(r, 5) != 0) s.TCG = between(5);
        s.FSM = between(6);
      } else {
        if (value(r, 3) != 0) s.LCG = value(r, 3);
        if (value(r, 4) != 0) s.VCG = value(r, 4);
        if (value(r, 5) != 0) s.TCG = value(r, 5);
        s.FSM = value(r, 6);
      }
      break;
    }
  }
  // A nearly empty or nearly full tank has no free surface to speak of.
  if (s.Percent < kFreeSurfaceBelowPercent || s.Percent > kFreeSurfaceAbovePercent) s.FSM = 0;
  return s;
}

void Tanks::SetTankContent(int tank, double content) {
  if (tank < 0 || tank >= Count() || !std::isfinite(content)) return;
  // A tank holds nothing less than nothing.
  content = std::max(content, 0.0);
  TankRecord& record = Records[static_cast<size_t>(tank)];
  const double old = ParseReal(record[TankField::Content]);
  if (content == old) return;
  const int group = ParseInt(record[TankField::Group]);
  // A tank outside the tank groups would write into the lightship or the
  // container item: its content cannot change.
  if (group < kFirstTankGroup || group > kLastTankGroup) return;

  Strength& strength = stability_.strength();
  TankState s;
  const struct {
    int Sign;
    double Q;
  } passes[2] = {{-1, old}, {+1, content}};
  for (const auto& pass : passes) {
    if (pass.Q > 0) {
      s = StateAt(record, pass.Q);
      stability_.UpdateWeightItem(group, pass.Q, s.LCG, s.VCG, s.TCG, pass.Sign, s.FSM);
      // The distribution reads the content field: the old content in the
      // first pass, the new one in the second.
      if (strength.Loaded()) strength.DistributeTank(record, pass.Sign);
    }
    record[TankField::Content] = RealOrEmpty(content);
    if (pass.Sign < 0 && content == 0) s = TankState{};
  }

  record[TankField::ShownLcg] = Pad(FormatFixed(s.LCG, 2), 7, true);
  record[TankField::ShownVcg] = Pad(FormatFixed(s.VCG, 2), 6, true);
  record[TankField::ShownTcg] = Pad(FormatFixed(s.TCG, 2), 7, true);
  record[TankField::ShownFreeSurface] = Pad(FormatFixed(s.FSM, 0), 6, true);
  record[TankField::ShownPercent] = Pad(FormatFixed(s.Percent + 0.5, 0), 4, true);
  record[TankField::ShownContent] = Pad(FormatFixed(content, 2), 8, true);
  NotifyModified();
}

bool Tanks::SetTankByName(const std::string& key, double content) {
  const int tank = FindTank(key);
  if (tank < 0) return false;
  SetTankContent(tank, content);
  return true;
}

std::string Tanks::TankLine(int tank, std::string_view separator) const {
  if (Content(tank) <= 0) return "";
  const TankRecord& record = Records[static_cast<size_t>(tank)];
  std::string line = "T";
  line += separator;
  line += record[TankField::Key];
  line += separator;
  line += record[TankField::Content];
  line += separator;
  return line;
}

void Tanks::FillGroup(int group) {
  // One recomputation for the whole group, not one per tank.
  plan_.BatchFlags[1] = 1;
  for (int t = 0; t < Count(); ++t) {
    if (Group(t) == group) SetTankContent(t, Capacity(t));
  }
  plan_.BatchFlags[1] = 0;
  NotifyModified();
}

void Tanks::EmptyGroup(int group) {
  if (group < kFirstTankGroup || group > kLastTankGroup) return;
  bool emptied = false;
  plan_.BatchFlags[1] = 1;
  for (int t = 0; t < Count(); ++t) {
    if (Group(t) == group && Content(t) > 0) {
      SetTankContent(t, 0);
      emptied = true;
    }
  }
  plan_.BatchFlags[1] = 0;
  // Whatever rounding left in the item goes with the tanks.
  stability_.ClearWeightItems(group, group);
  if (emptied) NotifyModified();
}

void Tanks::NotifyModified() {
  if (!plan_.InBatch() && MarkModified) MarkModified();
}

void Tanks::TanksReport(std::vector<std::string>& lines) const {
  const std::string rule(69, '-');
  lines.push_back(rule);
  for (int group = kFirstTankGroup; group <= kLastTankGroup; ++group) {
    const std::string& name = stability_.ItemName(group);
    lines.push_back(" " + Pad(name, 26, false) + plan_.Messages[83]);
    for (const TankRecord& tank : Records) {
      if (ParseInt(tank[TankField::Group]) != group) continue;
      std::string line = Pad(tank[TankField::Name].substr(0, 24), 24, false);
      line += Pad(FormatFixed(ParseReal(tank[TankField::Capacity]), 2), 7, true);
      for (int f = TankField::ShownLcg; f <= TankField::ShownContent; ++f) line += tank[static_cast<size_t>(f)];
      lines.push_back(line);
    }
    std::string total = " total " + Pad(name, 25, false);
    const WeightItem& item = stability_.Items[static_cast<size_t>(group)];
    if (item.W > 0) {
      total += Pad(FormatFixed(item.Lcg(), 2), 6, true) + Pad(FormatFixed(item.Vcg(), 2), 6, true) + " " +
               Pad(FormatFixed(item.Tcg(), 2), 6, true) + Pad(FormatFixed(item.Tonnes(), 2), 18, true);
    }
    lines.push_back(total);
    lines.push_back(rule);
  }
}
