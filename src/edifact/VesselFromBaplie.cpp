#include "edifact/VesselFromBaplie.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <system_error>
#include <tuple>

#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "edifact/EdiSegments.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"
#include "vessel/NewVessel.h"
#include "vessel/PtcFile.h"
#include "vessel/VesselData.h"

namespace fs = std::filesystem;

namespace {

// Keeps the reason of a failed read for the result instead of a window.
class ErrorKeeper : public QuietHost {
 public:
  void ReportError(const std::string& text) override { error = text; }
  std::string error;
};

struct Slot {
  int bay, row, tier;
  bool operator<(const Slot& o) const { return std::tie(bay, row, tier) < std::tie(o.bay, o.row, o.tier); }
};

// The folder of a vessel named so: its letters and digits, upper case.
std::string FolderName(const std::string& name) {
  std::string folder;
  for (char c : name)
    if (std::isalnum(static_cast<unsigned char>(c)))
      folder += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return folder.substr(0, 8);
}

}  // namespace

VesselFromBaplieResult BuildVesselFromBaplie(PlanData& plan, BaseData& base, VesselData& ves,
                                             const fs::path& file, const std::string& name) {
  VesselFromBaplieResult result;
  const std::string folder = FolderName(name);
  if (folder.empty()) {
    result.error = "the vessel's name \"" + name + "\" has no letter or digit for its folder";
    return result;
  }
  const fs::path dir = fs::path(plan.Settings[SettingsIx::VesselsRoot]) / folder;
  std::error_code ec;
  if (fs::exists(dir, ec)) {
    result.error = dir.string() + ": a vessel folder of that name exists already";
    return result;
  }
  ErrorKeeper keeper;
  std::string bytes;
  if (!ReadEdiFile(file, bytes, keeper)) {
    result.error = keeper.error;
    return result;
  }

  // The 20' slots the positions name; an even bay is a 40' slot over the
  // 20' bays on either side of it, on deck or in the hold.
  const int length = plan.BayLen + plan.RowLen + plan.TierLen;
  std::set<Slot> slots;
  std::set<std::pair<int, bool>> fortyBays;  // 40' bay, on deck
  EdiSegmentReader reader(bytes);
  EdiSegment segment;
  while (reader.Next(segment)) {
    if (!segment.Is("LOC", "147")) continue;
    std::string position = StripBlanks(segment.At(2));
    if (position.empty() ||
        !std::all_of(position.begin(), position.end(), [](char c) { return c >= '0' && c <= '9'; }))
      continue;
    position = Pad(position, length, true, "0");
    position = position.substr(position.size() - static_cast<size_t>(length));
    const int bay = BayOf(plan, position), row = RowOf(plan, position), tier = TierOf(plan, position);
    if (bay < 1 || row < 0 || tier < 1) continue;
    ++result.positions;
    if (bay % 2 == 1) {
      slots.insert({bay, row, tier});
    } else {
      slots.insert({bay - 1, row, tier});
      slots.insert({bay + 1, row, tier});
      fortyBays.insert({bay, IsDeckTier(tier)});
    }
  }
  if (slots.empty()) {
    result.error = file.string() + ": no stowage position in the message";
    return result;
  }
  if (static_cast<int>(slots.size()) > std::min(kMaxCells, plan.UnitInHandIndex)) {
    result.error =
        file.string() + ": " + std::to_string(slots.size()) + " cells are more than a vessel can hold";
    return result;
  }

  // The generator lays down the particulars, the bays and the files; the
  // cells are then exactly the message's slots.
  NewVesselRequest request;
  request.name = name;
  request.folder = folder;
  request.lastBay = std::min(slots.rbegin()->bay, 2 * kMaxBays - 1);
  request.maxRow = 0;
  request.lastTierUnderDeck = 2;
  request.lastTierOnDeck = 82;
  GenerateVessel(plan, base, ves, request);
  if (!fs::exists(dir / "ptc.txt", ec)) {
    result.error = dir.string() + ": the vessel folder could not be written";
    return result;
  }

  int count = 0;
  for (const Slot& s : slots) {
    if (s.bay > request.lastBay) continue;
    StructCel cell;
    cell.CELL = MakePosition(plan, s.bay, s.row, s.tier);
    plan.Cells[static_cast<size_t>(count)] = cell;
    plan.Dat[kCurPlane][static_cast<size_t>(count)] = StructDat{};
    ++count;
  }
  plan.CellCount = count;
  for (const auto& [forty, deck] : fortyBays) {
    for (int b = 0; b < plan.BayCount; ++b) {
      const int number = ParseInt(plan.Bays[static_cast<size_t>(b)].BAY);
      if (number == forty - 1 || number == forty + 1)
        (deck ? plan.Bays[static_cast<size_t>(b)].D40 : plan.Bays[static_cast<size_t>(b)].H40) =
            std::to_string(forty);
    }
  }
  LinkCellsToBays(plan);
  ves.CompactVessel();
  ComputeDefaultCentres(plan, 9);
  plan.CelChanged = plan.BayChanged = 1;
  std::string error;
  if (!ves.SaveBays() || !ves.SaveCells() || !WritePtc(plan, dir / "ptc.txt", error)) {
    result.error = error.empty() ? dir.string() + ": bay.txt or cel.txt not written" : error;
    return result;
  }
  result.ok = true;
  result.cells = plan.CellCount;
  result.bays = plan.BayCount;
  return result;
}
