// Any por.txt must load without failing, within the load limit, and what is
// written from it must read back to the same lines.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/PlanData.h"
#include "vessel/Ports.h"

namespace {

// Split as the text-file reader does: LF ends a line, a CR before it is dropped.
std::vector<std::string> Lines(const char* data, size_t size) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < size) {
    size_t end = start;
    while (end < size && data[end] != '\n') ++end;
    size_t stop = end;
    if (stop > start && data[stop - 1] == '\r') --stop;
    lines.emplace_back(data + start, stop - start);
    start = end + 1;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<PlanData> first = CreatePlanData();
  static std::unique_ptr<PlanData> second = CreatePlanData();
  const int count = ParsePortLines(*first, Lines(reinterpret_cast<const char*>(data), size));
  if (count < 0 || count > kPortsLoadLimit || count != first->PortCount) std::abort();

  const std::vector<std::string> written = PortFileLines(*first);
  if (static_cast<int>(written.size()) != count) std::abort();
  if (ParsePortLines(*second, written) != count) std::abort();
  if (PortFileLines(*second) != written) std::abort();

  // Lookups on whatever was loaded stay in range.
  for (int i = 0; i < count; i += 1 + count / 8) {
    const int found = FindPort(*first, first->Ports[i].CODE);
    if (found < 0 || found > i) std::abort();
    (void)AddVoyPort(*first, first->Ports[i].CODE);
  }
  if (first->VoyPortCount > kMaxVoyPorts) std::abort();
  first->VoyPortCount = 0;
  return 0;
}
