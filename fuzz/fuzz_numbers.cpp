// Any text read from a file must convert without failing, and every number
// written must read back to itself.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/NumberFormat.h"
#include "core/TextHelpers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  SetNumberFormat(AdjustNumberFormat({size % 2 ? ',' : '.', ' '}));
  const double x = ParseReal(text);
  (void)ParseInt(text);
  (void)NormaliseImoClass(text);
  (void)FormatFixed(x, static_cast<int>(size % 5));
  if (x != 0 && ParseReal(RealOrEmpty(x)) != x) std::abort();
  if (NormaliseImoClass(text).size() > 3) std::abort();
  return 0;
}
