// The parameter-file reader on any bytes: no table may pass its capacity,
// nothing may be read or written outside an array.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/PlanData.h"
#include "core/TextFile.h"
#include "vessel/ParameterFile.h"

namespace {

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The plan object is large: one for the whole run, cleared per input.
  static std::unique_ptr<PlanData> plan = CreatePlanData();
  static std::vector<std::string> totals;
  static ParameterFileReader reader(*plan, totals);

  reader.ClearTables();
  const std::vector<std::string> lines = SplitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
  reader.ReadLines(lines);
  reader.ReadLines(lines);  // a second file adds to the first

  const PlanData& p = *plan;
  if (p.IsoCount > kMaxIsos || p.TypeCount > kMaxTypes || p.ReeferTypeCount > kMaxReeferTypes ||
      p.ImoCount > kMaxImos || p.SizeCount > kMaxSizes || p.SizeCount < 1 || p.VesParamCount > kMaxVesParams ||
      p.VetCount > kMaxVet || p.CsvCount > kMaxCsvCols || p.LisCount > kMaxLisCols ||
      p.MessageCount > kMessagesSize || p.XlsCount > kMaxXls || p.TraCount > kTraLoadLimit ||
      p.TreCount > kMaxTre || p.RepCount > kMaxRepNames || reader.SegRows() > kSegSize)
    std::abort();
  return 0;
}
