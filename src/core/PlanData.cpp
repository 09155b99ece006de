#include "core/PlanData.h"

#include <algorithm>

bool IsFreeRecord(const StructDat& record) {
  return record.STATUS == 0 && record.WEIGHT == 0 && record.FL3 == 0;
}

bool PlanData::InBatch() const {
  return std::any_of(BatchFlags.begin(), BatchFlags.end(), [](std::uint8_t f) { return f != 0; });
}

std::unique_ptr<PlanData> CreatePlanData() {
  // Every start value is a member initialiser; the object is too large for
  // the stack, so it only ever lives here, on the heap.
  return std::make_unique<PlanData>();
}
