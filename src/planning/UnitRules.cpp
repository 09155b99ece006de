#include "planning/UnitRules.h"

#include <algorithm>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "vessel/CellAddress.h"

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool ValidPlane(int plane) { return plane >= 0 && plane < kPlaneCount; }

// Records 0..n-1 of a data set that can hold units: the vessel's cells for
// the working, reference and voyage sets, the used records for the quay.
int RecordsInUse(const PlanData& plan, int plane) {
  const int n = plane == plan.QuayPlane ? plan.QuayCount : plan.CellCount;
  return std::clamp(n, 0, kMaxCells);
}

}  // namespace

bool Is20Foot(const StructDat& unit) { return StartsWith(unit.SIZ, "2"); }

bool IsHighCube(const StructDat& unit) { return StartsWith(unit.TYP, "H") || unit.HEIGHT > 9.4; }

bool IsHazardous(const StructDat& unit) {
  return !StripBlanks(unit.IMO[0]).empty() || !StripBlanks(unit.UN[0]).empty();
}

bool IsBreakBulk(const StructDat& unit) { return unit.TYP == "BB"; }

bool IsOverDimension(const StructDat& unit) {
  if (IsBreakBulk(unit)) return false;
  return unit.OH > 0 || unit.OWP > 0 || unit.OWS > 0 || unit.OL > 0 || unit.OL_2 > 0;
}

bool IsFlatType(const StructDat& unit) {
  return unit.TYP == "FR" || unit.TYP == "FL" || unit.TYP == "PM" || unit.TYP == "HP";
}

bool IsOpenUnit(const PlanData& plan, const StructDat& unit) {
  auto groupIsOpen = [](const std::string& iso) { return iso[2] == 'U' || iso[2] == 'P'; };
  if (unit.ISO.size() >= 4) return groupIsOpen(unit.ISO);
  const int count = std::clamp(plan.TypeCount, 0, kMaxTypes);
  for (int i = 0; i < count; ++i) {
    const StructTyp& typ = plan.Types[static_cast<size_t>(i)];
    std::string iso = Trim(typ.ISO20);
    if (!iso.empty() && iso[0] == '*') iso.erase(0, 1);  // a type hidden from the editor's list
    if (Trim(typ.TYP) == unit.TYP && iso.size() >= 4) return groupIsOpen(iso);
  }
  return IsFlatType(unit) || unit.TYP == "OT" || unit.TYP == "HO";
}

bool IsReeferType(const PlanData& plan, const StructDat& unit) {
  if (unit.TYP.empty()) return false;
  const int count = std::clamp(plan.ReeferTypeCount, 0, kMaxReeferTypes);
  for (int i = 0; i < count; ++i)
    if (plan.ReeferTypes[static_cast<size_t>(i)] == unit.TYP) return true;
  return false;
}

int CheckUnitData(const StructDat& unit) {
  if (StripBlanks(unit.POL).size() < 3) return 1;
  if (StripBlanks(unit.POD).size() < 3) return 2;
  const char size = unit.SIZ.empty() ? ' ' : unit.SIZ[0];
  if (size < '1' || size > '4') return 3;
  if (unit.WEIGHT < 0) return 5;
  return 0;
}

int HandlingClass(const StructDat& unit) {
  const bool notes =
      !unit.NOTE_HAN.empty() || !unit.NOTE_CLR.empty() || !unit.NOTE_AAA.empty() || !unit.NOTE_ZZZ.empty();
  int value = notes ? 1 : 0;
  if (unit.EQA[0].size() >= 6) value = value == 1 ? 4 : 2;
  if (!unit.IMO[1].empty()) value = value == 1 ? 5 : 3;
  return value;
}

int AttachedCount(const PlanData& plan, int cell) {
  if (cell < 0 || cell >= std::min(plan.CellCount, kMaxCells)) return 0;
  const StructDat& unit = plan.Cur()[static_cast<size_t>(cell)];
  int count = 0;
  while (count < kEqaSlots && unit.EQA[static_cast<size_t>(count)].size() >= 6) ++count;
  return count;
}

int TotalsCategory(const StructDat& unit) {
  if (IsBreakBulk(unit)) return 4;
  return (unit.MTY > 0 ? 1 : 0) + (Is20Foot(unit) ? 0 : 2);
}

int RouteCategory(const PlanData& plan, const StructDat& unit) {
  if (IsBreakBulk(unit)) return 16;
  const bool is20 = Is20Foot(unit);
  int category = 4;
  if (unit.MTY < 1) {
    if (IsReeferType(plan, unit)) {
      category = 5;
    } else if (IsOverDimension(unit)) {
      category = 6;
    } else if (IsHazardous(unit)) {
      category = 7;
    } else {
      // Three thresholds per size, heaviest first.
      const int first = is20 ? SettingsIx::WeightClass20Heavy : SettingsIx::WeightClass40Heavy;
      const double heavy = ParseInt(plan.Settings[static_cast<size_t>(first)]);
      const double medium = ParseInt(plan.Settings[static_cast<size_t>(first + 1)]);
      const double light = ParseInt(plan.Settings[static_cast<size_t>(first + 2)]);
      if (unit.WEIGHT > heavy)
        category = 0;
      else if (unit.WEIGHT > medium)
        category = 1;
      else if (unit.WEIGHT > light)
        category = 2;
      else
        category = 3;
    }
  }
  return is20 ? category : category + 8;
}

int FindUnitByNumber(const PlanData& plan, std::string_view container, int plane) {
  if (!ValidPlane(plane)) return -1;
  if (plane == plan.CurPlane && container.size() < 6) return -1;
  const DataSet& set = plan.Dat[static_cast<size_t>(plane)];
  const int count = RecordsInUse(plan, plane);
  for (int i = 0; i < count; ++i) {
    const StructDat& unit = set[static_cast<size_t>(i)];
    if (unit.STATUS > 0 && unit.CONTAINER == container) return i;
  }
  return -1;
}

std::string DisplayPosition(const PlanData& plan, const StructDat& unit, std::string_view separator) {
  const std::string& position = unit.POSITION;
  std::string bayDigits = Columns(position, plan.BayPos, plan.BayPos + plan.BayLen - 1);
  const std::string rowDigits = Columns(position, plan.RowPos, plan.RowPos + plan.RowLen - 1);
  const std::string tierDigits = Columns(position, plan.TierPos, plan.TierPos + plan.TierLen - 1);

  const int bay = BayOf(plan, position);
  if (bay >= 0 && unit.STATUS != 0 && !Is20Foot(unit)) {
    int shown = bay;
    if (unit.STATUS < 0) {
      shown = bay - 1;
    } else {
      shown = bay + 1;
      // A unit standing in the aft 20' bay still shows its own 40' bay.
      const int cell = FindCellByPosition(plan, position);
      if (cell >= 0) {
        const int b = plan.Cells[static_cast<size_t>(cell)].BAYIX;
        if (b >= 0 && b < std::min(plan.BayCount, kMaxBays)) {
          const StructBay& bayRecord = plan.Bays[static_cast<size_t>(b)];
          const int forty = ParseInt(IsDeckTier(TierOf(plan, position)) ? bayRecord.D40 : bayRecord.H40);
          if (forty > 0) shown = std::min(shown, forty);
        }
      }
    }
    if (shown >= 0) bayDigits = Pad(IntOrEmpty(shown), plan.BayLen, true, "0");
  }
  std::string text = bayDigits;
  text += separator;
  text += rowDigits;
  text += separator;
  text += tierDigits;
  return text;
}

std::string PortLocode(const PlanData& plan, std::string_view code) {
  if (code.size() >= 5) return std::string(code.substr(0, 5));
  const int count = std::clamp(plan.VoyPortCount, 0, kMaxVoyPorts);
  for (int i = 0; i < count; ++i) {
    const StructPor& port = plan.VoyPorts[static_cast<size_t>(i)];
    if (port.CODE == code) return port.COUNTRY + port.CODE;
  }
  return "XX" + std::string(code);
}
