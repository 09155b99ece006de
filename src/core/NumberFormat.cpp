#include "core/NumberFormat.h"

namespace {
NumberFormat gFormat;  // one thread only: the GUI thread or the CLI's
}

NumberFormat AdjustNumberFormat(NumberFormat format) {
  if (format.decimal == ',') format.thousands = '.';
  return format;
}

const NumberFormat& CurrentNumberFormat() { return gFormat; }

void SetNumberFormat(NumberFormat format) { gFormat = format; }
