// STR.txt, tnk.txt and tnp.txt of any content must read without fault and
// stay within the capacities; tank changes and the strength evaluation on
// whatever was read must run without fault and keep the section table
// sorted, and emptying the tanks again must leave the tank items at 0.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/PlanData.h"
#include "core/TextFile.h"
#include "stability/Stability.h"
#include "stability/Strength.h"
#include "stability/Tanks.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<PlanData> plan = [] {
    auto p = CreatePlanData();
    p->VesHdr[VesHdrIx::BaysLength] = "100";
    return p;
  }();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = SplitTextLines(bytes);

  Stability stab(*plan);
  stab.SetItemNames({"L", "C", "B", "S", "4", "5", "6", "7", "8", "9", "Corr", "DW", "Disp"});
  Strength& strength = stab.strength();
  std::string reason;
  const bool loaded = strength.ParseStrengthLines(lines, reason);
  Check(loaded == strength.Loaded());
  Check(static_cast<int>(strength.Sections.size()) <= kMaxStrengthSections);
  Check(static_cast<int>(strength.Frames.size()) <= kMaxStrengthFrames);
  Check(static_cast<int>(strength.Stations.size()) <= kMaxBonjeanStations);
  Check(static_cast<int>(strength.Drafts.size()) <= kMaxBonjeanColumns);
  Check(static_cast<int>(strength.Limits.size()) <= kMaxStrengthLimits);

  Tanks& tanks = stab.tanks();
  tanks.ParseTankLines(lines);
  tanks.ParseSoundingLines(lines);
  Check(tanks.Count() <= kMaxTankRecords);
  Check(static_cast<int>(tanks.Soundings.size()) <= kMaxSoundingRecords);
  for (int t = 0; t < tanks.Count(); ++t) tanks.SetTankContent(t, (t % 3 + 1) * 17.5);

  stab.UpdateWeightItem(kLightshipItem, 5000, 50, 6, 0, +1);
  stab.ComputeStability();
  for (size_t k = 1; k < strength.Sections.size(); ++k) Check(strength.Sections[k - 1].X < strength.Sections[k].X);

  for (int t = 0; t < tanks.Count(); ++t) tanks.SetTankContent(t, 0);
  for (int g = kFirstTankGroup; g <= kLastTankGroup; ++g) Check(stab.Items[static_cast<size_t>(g)].W == 0);
  return 0;
}
