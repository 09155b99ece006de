#include "planning/EditorCaption.h"

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "stability/Stability.h"

std::string EditorCaption(const PlanData& plan, const StabilityResults* results) {
  std::string text =
      plan.VesHdr[VesHdrIx::Vessel] + " - " + plan.PlaneTitle[static_cast<size_t>(plan.CurPlane)];
  if (!results) return text;
  const StabilityResults& r = *results;
  if (r.State == HydrostaticState::Current) {
    text += std::string(30, ' ') + "fwd " + FormatFixed(r.ForeDraft, 2) + "   aft " +
            FormatFixed(r.AftDraft, 2) + "  mean " + FormatFixed(r.MeanDraft, 2) + "  trim " +
            FormatFixed(r.Trim, 2) + "   gm' " + FormatFixed(r.GMCorrected, 2) + "  tcg " +
            FormatFixed(r.TCG, 2) + "  Displacement " + FormatFixed(r.W, 0);
  } else if (r.W > 0) {
    // Beyond the tables the drafts would be guesses: only the weight and
    // its transverse centre are certain.
    text += std::string(30, ' ') + "tons " + FormatFixed(r.W, 0) + "     tcg " + FormatFixed(r.TCG, 2);
  }
  return text;
}
