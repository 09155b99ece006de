#include "vessel/NewVessel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"
#include "vessel/PtcFile.h"
#include "vessel/VesselData.h"

namespace {

std::string Digits(int number, int len) { return Pad(std::to_string(number), len, true, "0"); }

// Moves cells from..CellCount-1 one place up, with their records of the
// cell-indexed data sets, to make room for a new cell at from.
void OpenGap(PlanData& plan, int from) {
  for (int i = plan.CellCount; i > from; --i) {
    plan.Cells[static_cast<size_t>(i)] = plan.Cells[static_cast<size_t>(i - 1)];
    for (int p : {kCurPlane, kRefPlane})
      plan.Dat[p][static_cast<size_t>(i)] = plan.Dat[p][static_cast<size_t>(i - 1)];
  }
  for (int p : {kCurPlane, kRefPlane}) plan.Dat[p][static_cast<size_t>(from)] = StructDat{};
  ++plan.CellCount;
}

StructBay NewBay(const PlanData& plan, int number) {
  StructBay bay;
  bay.BAY = Digits(number, plan.BayLen);
  bay.D00 = 1;
  bay.H00 = 1;
  bay.D40 = "0";
  bay.H40 = "0";
  bay.D42 = 1;
  bay.H42 = 1;
  bay.HC_MAX = 9;
  return bay;
}

// The existing cells' largest row, bay and tiers raise the dimensions asked
// for, so that adding never drops a cell.
void WidenToExisting(const PlanData& plan, NewVesselRequest& request) {
  for (int i = 0; i < plan.CellCount; ++i) {
    const int bay = BayOf(plan, i), row = RowOf(plan, i), tier = TierOf(plan, i);
    request.maxRow = std::max(request.maxRow, row);
    request.lastBay = std::max(request.lastBay, bay);
    if (IsDeckTier(tier))
      request.lastTierOnDeck = std::max(request.lastTierOnDeck, tier);
    else
      request.lastTierUnderDeck = std::max(request.lastTierUnderDeck, tier);
    if (tier == 80) request.tier80 = true;
  }
}

}  // namespace

int GenerateVessel(PlanData& plan, BaseData& base, VesselData& ves, const NewVesselRequest& asked) {
  NewVesselRequest request = asked;
  if (!request.add) {
    plan.BayCount = 0;
    plan.CellCount = 0;
  } else {
    WidenToExisting(plan, request);
  }

  int bayIndex = 0;
  int cellIndex = 0;
  const int limit = std::min(plan.UnitInHandIndex, kMaxCells);
  for (int b = 1; b <= request.lastBay && bayIndex < kMaxBays; b += 2) {
    if (bayIndex >= plan.BayCount) plan.Bays[static_cast<size_t>(bayIndex)] = NewBay(plan, b);
    const std::string bayDigits = plan.Bays[static_cast<size_t>(bayIndex)].BAY;
    for (int r = 0; r <= request.maxRow; ++r) {
      for (int t = 2; t <= request.lastTierOnDeck; t += 2) {
        if (t < 80 && t > request.lastTierUnderDeck) t = request.tier80 ? 80 : 82;
        if (t > request.lastTierOnDeck) break;
        // Big ships narrow below deck: the outermost two rows are deck only.
        if (!request.add && request.lastBay >= 48 && t < 80 && r >= request.maxRow - 1) continue;
        if (cellIndex >= limit) break;
        const std::string name = bayDigits + Digits(r, plan.RowLen) + Digits(t, plan.TierLen);
        if (request.add) {
          // Existing cells outside the generated grid stay where they are.
          while (cellIndex < plan.CellCount && plan.Cells[static_cast<size_t>(cellIndex)].CELL < name &&
                 cellIndex < limit)
            ++cellIndex;
          if (cellIndex >= limit) break;
          if (cellIndex < plan.CellCount && name < plan.Cells[static_cast<size_t>(cellIndex)].CELL) {
            if (plan.CellCount >= limit) break;
            OpenGap(plan, cellIndex);
          }
        }
        StructCel& cell = plan.Cells[static_cast<size_t>(cellIndex)];
        cell.BAYIX = bayIndex;
        if (!request.add || cellIndex >= plan.CellCount || cell.CELL != name) {
          cell = StructCel{};
          cell.CELL = name;
          cell.BAYIX = bayIndex;
          cell.RESTR = -9;
        }
        ++cellIndex;
      }
    }
    ++bayIndex;
  }
  if (request.add) cellIndex = std::max(cellIndex, plan.CellCount);
  plan.CellCount = cellIndex;
  plan.BayCount = std::max(bayIndex, request.add ? plan.BayCount : 0);
  LinkCellsToBays(plan);
  if (cellIndex >= limit) return cellIndex;

  auto& h = plan.VesHdr;
  if (!request.add) {
    std::fill(h.begin(), h.end(), std::string());
    const double pitch = plan.Dim[0] + plan.Dim[7];
    h[VesHdrIx::Dir] = request.folder;
    h[VesHdrIx::BaysPerLine] = "6";
    h[VesHdrIx::BaysLength] = RealOrEmpty(plan.BayCount * pitch * 0.0005);
    h[VesHdrIx::DrawingLength] = RealOrEmpty((plan.BayCount + 2) * pitch * 0.0005);
    h[VesHdrIx::LongViewLength] = "0";
    h[VesHdrIx::LongViewHeight] = "30";
    h[VesHdrIx::Vessel] = request.name;
    h[VesHdrIx::Code] = request.name.substr(0, 3);
    h[VesHdrIx::BridgeBay] = request.bayAftBridge;
    plan.VesselDir =
        (std::filesystem::path(plan.Settings[SettingsIx::VesselsRoot]) / request.folder).string();
    std::error_code ec;
    std::filesystem::create_directories(plan.VesselDir, ec);
    std::string error;
    if (ec || !WritePtc(plan, std::filesystem::path(plan.VesselDir) / "ptc.txt", error)) return cellIndex;
  }
  h[VesHdrIx::ImoNumber] = request.imoNumber;
  h[VesHdrIx::CallSign] = request.callSign;
  plan.BayChanged = 1;
  plan.CelChanged = 1;
  ves.SaveBays();
  ves.SaveCells();
  if (request.add) {
    plan.CelChanged = 0;
    plan.BayChanged = 0;
  } else {
    base.RebuildVesselList();
  }
  return cellIndex;
}

double TransverseCentre(const PlanData& plan, int cell) {
  const int r = RowOf(plan, cell);
  const int tier = TierOf(plan, cell);
  if (r <= 0 || tier < 0) return 0;
  const int b = plan.Cells[static_cast<size_t>(cell)].BAYIX;
  if (b < 0 || b >= std::min(plan.BayCount, kMaxBays)) return 0;
  const StructBay& bay = plan.Bays[static_cast<size_t>(b)];
  const bool deck = IsDeckTier(tier);
  const int k = r % 2 == 0 ? r / 2 : (r + 1) / 2;
  double x = k * (plan.Dim[1] + (deck ? plan.Dim[5] : plan.Dim[6]));
  const bool centreRow = deck ? bay.D00 != 0 : bay.H00 < tier;
  if (!centreRow) x -= plan.Dim[1] * 0.5;
  return (r % 2 == 0 ? -x : x) / 1000.0;
}

void ComputeDefaultCentres(PlanData& plan, int what) {
  const double pitch = (plan.Dim[0] + plan.Dim[7]) * 0.5;
  auto& length = plan.VesHdr[VesHdrIx::DrawingLength];
  if (ParseReal(length) * 1000 < (plan.BayCount + 3) * pitch)
    length = RealOrEmpty((plan.BayCount + 3) * pitch / 1000);
  double x = (ParseReal(length) - 27) * 1000;
  int maxHoldTier = 0;
  int previousBay = -1;
  for (int i = 0; i < plan.CellCount && i < kMaxCells; ++i) {
    StructCel& cell = plan.Cells[static_cast<size_t>(i)];
    const int b = cell.BAYIX;
    if (b < 0 || b >= std::min(plan.BayCount, kMaxBays)) continue;
    const StructBay& bay = plan.Bays[static_cast<size_t>(b)];
    const int tier = TierOf(plan, i);
    const bool deck = IsDeckTier(tier);
    if (!deck && b > 9) maxHoldTier = std::max(maxHoldTier, tier);
    if (b != previousBay) {
      x -= pitch;
      if (Trim(bay.BAY) == Trim(plan.VesHdr[VesHdrIx::BridgeBay])) x -= 3 * pitch;
      previousBay = b;
    }
    if (what == 1 || what == 9) {
      const int number = BayOf(plan, i);
      const int partner = ParseInt(deck ? bay.D40 : bay.H40);
      double lcg = x;
      if (partner > 0 && partner == number + 1) {
        lcg = x - plan.Dim[7] * 0.5;
        cell.LCG_40 = (lcg - plan.Dim[0] * 0.25) / 1000;
      } else if (partner > 0 && number == partner + 1) {
        cell.LCG_40 = (lcg + plan.Dim[0] * 0.25) / 1000;
      }
      cell.LCG = lcg / 1000;
    }
    if (what == 3 || what == 9) cell.TCG = TransverseCentre(plan, i);
  }
  const double deckBase = (maxHoldTier / 2) * plan.Dim[2] + plan.Dim[8] + plan.Dim[9];
  if (what == 2 || what == 9) {
    for (int i = 0; i < plan.CellCount && i < kMaxCells; ++i) {
      const int t = TierOf(plan, i);
      if (t < 0) continue;
      plan.Cells[static_cast<size_t>(i)].VCG =
          IsDeckTier(t) ? ((plan.Dim[2] + plan.Dim[4]) * (t - 80) * 0.5 + deckBase - plan.Dim[2] * 0.5) / 1000
                        : (t * plan.Dim[2] * 0.5 + plan.Dim[9] - plan.Dim[2] * 0.5) / 1000;
    }
  }
  plan.CelChanged = 1;
}
