// The parameter-file reader on any bytes: no table may pass its capacity,
// nothing may be read or written outside an array.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/PlanData.h"
#include "vessel/ParameterFile.h"

namespace {

std::vector<std::string> SplitLines(const uint8_t* data, size_t size) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < size; ++i) {
    const char ch = static_cast<char>(data[i]);
    if (ch == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += ch;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The plan object is large: one for the whole run, cleared per input.
  static std::unique_ptr<PlanData> plan = CreatePlanData();
  static std::vector<std::string> totals;
  static ParameterFileReader reader(*plan, totals);

  reader.ClearTables();
  const std::vector<std::string> lines = SplitLines(data, size);
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
