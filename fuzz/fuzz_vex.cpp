// The readers of vex.txt (installed vessels) and unn.txt (UN numbers) on any
// bytes, and the lookups on what they left: counts stay within capacity and
// every vessel kept names a folder that exists.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "vessel/BaseData.h"

namespace {

// A vessels root with a few vessel folders, made once per run.
std::filesystem::path VesselsRoot() {
  std::error_code ec;
  const auto root = std::filesystem::temp_directory_path(ec) / "zum4-fuzz-vex";
  for (const char* name : {"A", "ALPHA", "Beta", "v1"}) std::filesystem::create_directories(root / name, ec);
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<PlanData> plan = CreatePlanData();
  static QuietHost host;
  static BaseData base(*plan, host);
  static const std::filesystem::path root = VesselsRoot();
  plan->Settings[SettingsIx::VesselsRoot] = root.string();

  const std::vector<std::string> lines =
      SplitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
  const int vessels = base.ReadVesselLines(lines);
  if (vessels < 0 || vessels > kMaxVessels || vessels != plan->VesselCount) std::abort();
  for (int k = 0; k < vessels; ++k) {
    std::error_code ec;
    const std::string& dir = plan->VesselList[k * kVesselListFields + 1];
    if (dir.empty() || !std::filesystem::is_directory(root / dir, ec)) std::abort();
  }

  const int uns = base.ReadUnnLines(lines);
  if (uns < 0 || uns > kMaxUnn || uns != plan->UnnCount) std::abort();
  for (size_t i = 0; i < lines.size() && i < 50; ++i) {
    (void)base.UnInfo(lines[i]);
    (void)base.IsoSizeType(lines[i]);
    (void)base.TranslateCode(lines[i], "T");
  }
  return 0;
}
