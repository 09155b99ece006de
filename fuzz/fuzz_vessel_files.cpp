// Vessel definition files (ptc.txt, cel.txt, bay.txt, tra_bay.txt) of any
// content must read without fault, stay within the capacities, and whatever
// was read must survive being written and read again unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "vessel/PtcFile.h"
#include "vessel/VesselData.h"

namespace {

bool SameCell(const StructCel& a, const StructCel& b) {
  return a.CELL == b.CELL && a.FL_RF == b.FL_RF && a.LCG == b.LCG && a.VCG == b.VCG && a.TCG == b.TCG &&
         a.LCG_40 == b.LCG_40 && a.RESTR == b.RESTR;
}

bool SameBay(const StructBay& a, const StructBay& b) {
  return a.BAY == b.BAY && a.D00 == b.D00 && a.H00 == b.H00 && a.D40 == b.D40 && a.H40 == b.H40 &&
         a.ROWSHIFT1 == b.ROWSHIFT1 && a.ROWSHIFT2 == b.ROWSHIFT2 && a.ROWSHIFT3 == b.ROWSHIFT3 &&
         a.ROWSHIFT4 == b.ROWSHIFT4 && a.ROWSHIFT5 == b.ROWSHIFT5 && a.D42 == b.D42 && a.H42 == b.H42 &&
         a.HC_MAX == b.HC_MAX && a.TWDK == b.TWDK && a.XB15 == b.XB15 && a.XB16 == b.XB16 &&
         a.HOLDSHIFT == b.HOLDSHIFT && a.ATHWART == b.ATHWART && a.STACKW == b.STACKW &&
         a.YOFFSET == b.YOFFSET && a.ROWWEIGHT == b.ROWWEIGHT;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The plan is large; two are made once and reused.
  static std::unique_ptr<PlanData> plan = [] {
    auto p = CreatePlanData();
    const char* names[] = {"CODE", "VESSEL", "FLAG", "CALL_SIGN"};
    for (const char* n : names) p->Vet[p->VetCount++] = n;
    return p;
  }();
  static std::unique_ptr<PlanData> again = CreatePlanData();

  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  SetNumberFormat(AdjustNumberFormat({size % 2 ? ',' : '.', ' '}));
  const std::vector<std::string> lines = SplitTextLines(bytes);

  ParsePtc(*plan, bytes);

  plan->BayCount = ParseBayLines(*plan, lines);
  plan->CellCount = ParseCelLines(*plan, lines);
  plan->BayTransCount = ParseTraBayLines(*plan, lines);
  if (plan->BayCount > kMaxBays || plan->CellCount > kMaxVesselCells ||
      plan->BayTransCount > kMaxBayTransPairs)
    std::abort();
  LinkCellsToBays(*plan);
  for (int i = 0; i < plan->CellCount; ++i)
    if (plan->Cells[i].BAYIX < 0 || plan->Cells[i].BAYIX >= std::max(plan->BayCount, 1)) std::abort();

  std::vector<std::string> written;
  for (int b = 0; b < plan->BayCount; ++b) written.push_back(BayLine(plan->Bays[b]));
  if (ParseBayLines(*again, written) != plan->BayCount) std::abort();
  for (int b = 0; b < plan->BayCount; ++b)
    if (!SameBay(plan->Bays[b], again->Bays[b])) std::abort();

  written.clear();
  for (int i = 0; i < plan->CellCount; ++i) written.push_back(CelLine(plan->Cells[i]));
  if (ParseCelLines(*again, written) != plan->CellCount) std::abort();
  for (int i = 0; i < plan->CellCount; ++i)
    if (!SameCell(plan->Cells[i], again->Cells[i])) std::abort();
  return 0;
}
