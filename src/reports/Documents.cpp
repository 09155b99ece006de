#include "reports/Documents.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"
#include "stability/Stability.h"
#include "stability/Tanks.h"

namespace {

constexpr int kDarkListSetting = 72;

std::string Left(const std::string& text, int width) { return Pad(text, width, false); }

}  // namespace

const char* DocumentCaption(DocumentKind kind) {
  switch (kind) {
    case DocumentKind::Condition: return "Condition Document";
    case DocumentKind::Tanks: return "Tanks Report";
    case DocumentKind::Notes: return "Notes";
    case DocumentKind::Manifest: return "Manifest Comparision";
    case DocumentKind::Types: return "Container Types";
  }
  return "";
}

bool DocumentIsDark(const PlanData& plan, DocumentKind kind) {
  return plan.Settings[kDarkListSetting] == "1" && kind != DocumentKind::Manifest && kind != DocumentKind::Types;
}

std::vector<std::string> DocumentLines(const PlanData& plan, const Stability& stability, DocumentKind kind,
                                       int manifestFrom) {
  if (kind == DocumentKind::Types) return ContainerTypesLines(plan);
  if (kind == DocumentKind::Manifest) return ManifestComparisonLines(plan, manifestFrom);
  std::vector<std::string> lines{TitleLine(plan, plan.CurPlane), " "};
  if (kind == DocumentKind::Condition) stability.StabilityReport(lines);
  if (kind == DocumentKind::Tanks) stability.tanks().TanksReport(lines);
  if (kind == DocumentKind::Notes) {
    const std::vector<std::string> notes = NotesLines(plan);
    lines.insert(lines.end(), notes.begin(), notes.end());
  }
  return lines;
}

std::vector<std::string> NotesLines(const PlanData& plan) {
  std::vector<std::string> lines;
  const DataSet& units = plan.Cur();
  const int cells = std::clamp(plan.CellCount, 0, kMaxCells);
  for (int i = 0; i < cells; ++i) {
    const StructDat& u = units[static_cast<size_t>(i)];
    if (u.STATUS <= 0 || u.SELECTED <= 0 || (u.FL2 != 1 && u.FL2 != 4 && u.FL2 != 5)) continue;
    const std::pair<const char*, const std::string*> notes[] = {
        {"  HAN: ", &u.NOTE_HAN}, {"  CLR: ", &u.NOTE_CLR}, {"  AAA: ", &u.NOTE_AAA}, {"  ZZZ: ", &u.NOTE_ZZZ}};
    if (std::none_of(std::begin(notes), std::end(notes), [](const auto& n) { return !Trim(*n.second).empty(); }))
      continue;
    std::string line = DisplayPosition(plan, u, "") + "-" + u.CONTAINER + "  " + u.SIZ + u.TYP + " " + u.POL +
                       "/" + u.POD + "  ";
    if (IsHazardous(u)) {
      line += "  IMO/UN: ";
      for (int k = 0; k < kImoSlots; ++k) {
        const std::string& imo = u.IMO[static_cast<size_t>(k)];
        if (Trim(imo).empty()) continue;
        const std::string& un = u.UN[static_cast<size_t>(k)];
        line += "/" + imo + (Trim(un).empty() ? std::string("XXXX ") : " " + un);
      }
    }
    if (IsReeferType(plan, u)) line += " Temps: " + std::to_string(u.TEMP) + "/" + std::to_string(u.TEMP_2);
    lines.push_back(line);
    for (const auto& [label, note] : notes)
      if (!Trim(*note).empty()) lines.push_back(label + *note);
    lines.emplace_back(" ");
  }
  return lines;
}

std::vector<std::string> ContainerTypesLines(const PlanData& plan) {
  std::vector<std::string> lines;
  const int types = std::clamp(plan.TypeCount, 0, kMaxTypes);
  for (int k = 0; k < types; ++k) {
    const StructTyp& t = plan.Types[static_cast<size_t>(k)];
    if (!t.ISO20.empty() && t.ISO20[0] == '*') continue;
    lines.push_back(t.TYP + " " + t.DESCR + " " + Columns(t.ISO20, 3, 4));
  }
  return lines;
}

std::string ManifestUnitLine(const PlanData& plan, const StructDat& u, bool onBoard) {
  const std::string position = onBoard ? DisplayPosition(plan, u, "") : std::string();
  const std::string document = onBoard ? std::string() : (Trim(u.BOOKING).empty() ? std::string("  ") : u.BOOKING);
  return Left(u.CONTAINER, 12) + " " + Left(position, 6) + " " + Left(document, 10) + " " + u.SIZ + u.TYP + " " +
         u.POL + " " + u.POD + " " + Pad(FormatFixed(u.WEIGHT, 2), 6, true) + " " + (u.MTY == 1 ? "MTY" : "   ") +
         " " + Left(u.OPERATOR, 4) + " " + Left(u.IMO[0], 4);
}

std::vector<std::string> ManifestComparisonLines(const PlanData& plan, int manifestFrom) {
  std::vector<std::string> lines{TitleLine(plan, plan.CurPlane), " ",
                                 " SERIAL #     CELL  DOCUMENT   TYPE POL POD WEIGHT MTY OPER IMO "};
  const DataSet& units = plan.Cur();
  const DataSet& manifest = plan.Dat[static_cast<size_t>(plan.QuayPlane)];
  const int cells = std::clamp(plan.CellCount, 0, kMaxCells);
  const int records = std::clamp(plan.QuayCount, 0, kMaxCells);
  std::vector<bool> matched(static_cast<size_t>(cells), false);
  std::vector<bool> onBoard(static_cast<size_t>(records), false);
  // Numbers are matched without their blanks: a list writes the owner code
  // apart ("ABCU 1234567"), the plan may not. Too short a number matches
  // nothing.
  std::unordered_map<std::string, int> byNumber;
  for (int i = 0; i < cells; ++i) {
    const StructDat& u = units[static_cast<size_t>(i)];
    const std::string key = StripBlanks(u.CONTAINER);
    if (u.STATUS > 0 && key.size() >= 6) byNumber.emplace(key, i);
  }
  bool discrepancies = false;
  for (int q = std::max(manifestFrom, 0); q < records; ++q) {
    const StructDat& m = manifest[static_cast<size_t>(q)];
    if (m.STATUS <= 0) continue;  // taken off the quay: not part of the list
    const auto found = byNumber.find(StripBlanks(m.CONTAINER));
    if (found == byNumber.end()) continue;
    const int cell = found->second;
    const StructDat& u = units[static_cast<size_t>(cell)];
    matched[static_cast<size_t>(cell)] = true;
    onBoard[static_cast<size_t>(q)] = true;
    std::string differences;
    if (u.POL != m.POL) differences += "pol ";
    if (u.POD != m.POD) differences += "pod ";
    if (u.SIZ != m.SIZ) differences += "size ";
    if (Trim(u.OPERATOR) != Trim(m.OPERATOR)) differences += "oper ";
    if (u.MTY != m.MTY) differences += "MTY ";
    if (Trim(u.IMO[0]) != Trim(m.IMO[0])) differences += "imo ";
    if (std::abs(u.WEIGHT - m.WEIGHT) > 1) differences += "weight ";
    if (differences.empty()) continue;
    if (!discrepancies) lines.emplace_back("1) DISCREPANCES");
    discrepancies = true;
    lines.push_back(ManifestUnitLine(plan, u, true));
    lines.push_back(ManifestUnitLine(plan, m, false) + " " + differences);
    lines.emplace_back(" ");
  }
  bool heading = false;
  for (int i = 0; i < cells; ++i) {
    const StructDat& u = units[static_cast<size_t>(i)];
    if (matched[static_cast<size_t>(i)] || u.SELECTED <= 0 || u.STATUS <= 0 || u.FL3 >= 1) continue;
    if (!heading) lines.emplace_back("2)  NOT ON MANIFEST");
    heading = true;
    lines.push_back(ManifestUnitLine(plan, u, true));
  }
  lines.emplace_back(" ");
  heading = false;
  for (int q = std::max(manifestFrom, 0); q < records; ++q) {
    const StructDat& m = manifest[static_cast<size_t>(q)];
    if (m.STATUS <= 0 || onBoard[static_cast<size_t>(q)]) continue;
    if (!heading) lines.emplace_back("3)  NOT ON VESSEL");
    heading = true;
    lines.push_back(ManifestUnitLine(plan, m, false));
  }
  return lines;
}
