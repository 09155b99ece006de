// zum4-cli stability: the stability report of a vessel as opened, or of one
// of its conditions, as text or as one JSON object.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Installation.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "reports/LongView.h"
#include "stability/Strength.h"
#include "stability/Tanks.h"

namespace {

// JSON numbers in the shortest exact form, whatever the decimal separator
// of the process; not-a-number is null.
std::string Number(double x) {
  if (!std::isfinite(x)) return "null";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
  return std::string(buffer, result.ptr);
}

class JsonObject {
 public:
  void Add(const char* key, const std::string& value) {
    text_ += (text_.empty() ? "{" : ",") + std::string("\"") + key + "\":" + value;
  }
  void Add(const char* key, double value) { Add(key, Number(value)); }
  std::string Close() const { return (text_.empty() ? "{" : text_) + "}"; }

 private:
  std::string text_;
};

std::string Json(const PlanData& plan, const Stability& st) {
  const StabilityResults& r = st.Results;
  const Strength::Results& s = st.strength().Result;
  const bool hydrostatics = r.State != HydrostaticState::NoTable;
  const bool strength = s.State != StrengthState::NotLoaded;
  // Without a hydrostatic table there are sums but no floating position.
  auto afloat = [hydrostatics](double x) { return hydrostatics ? Number(x) : std::string("null"); };
  JsonObject o;
  o.Add("displacement", r.W);
  o.Add("lcg", r.LCG);
  o.Add("vcg", r.VCG);
  o.Add("tcg", r.TCG);
  o.Add("kg_corrected", r.KGCorrected);
  o.Add("draft_aft", afloat(r.AftDraft));
  o.Add("draft_fore", afloat(r.ForeDraft));
  o.Add("draft_mean", afloat(r.MeanDraft));
  o.Add("draft_aft_marks", afloat(r.AftMarksDraft));
  o.Add("draft_fore_marks", afloat(r.ForeMarksDraft));
  o.Add("trim", afloat(r.Trim));
  o.Add("km", afloat(r.KM));
  o.Add("gm", afloat(r.GM));
  o.Add("gm_corrected", afloat(r.GMCorrected));
  o.Add("heel", afloat(r.Heel));
  std::string gz = "[";
  if (r.HasGzCurve) {
    for (size_t k = 0; k < r.Gz.size() && k < r.GzAngles.size(); ++k)
      gz += (k ? "," : "") + std::string("[") + Number(r.GzAngles[k]) + "," + Number(r.Gz[k]) + "]";
  }
  o.Add("gz", gz + "]");
  auto curve = [&r](double x) { return r.HasGzCurve ? Number(x) : std::string("null"); };
  o.Add("area_0_30", curve(r.Area30));
  o.Add("area_0_40", curve(r.Area40));
  o.Add("area_30_40", curve(r.Area30To40));
  o.Add("gz_30", curve(r.Gz30));
  o.Add("gz_max", curve(r.GzMax));
  o.Add("gz_max_angle", curve(r.GzMaxAngle));
  o.Add("flooding_angle", curve(r.FloodingAngle));
  // The areas 0-40 and 30-40 end at this angle: 40, or the flooding angle
  // when it is less.
  o.Add("area_upper_angle", curve(r.AreaUpperAngle));
  std::string criteria = "[";
  bool allMet = r.HasGzCurve;
  for (const CriterionVerdict& v : JudgeCriteria(r, plan.Lim)) {
    JsonObject c;
    c.Add("name", "\"" + std::string(v.Key) + "\"");
    c.Add("value", v.Value);
    c.Add("limit", v.Limit);
    c.Add("met", std::string(v.Met ? "true" : "false"));
    criteria += (criteria.size() > 1 ? "," : "") + c.Close();
    allMet = allMet && v.Met;
  }
  o.Add("criteria", criteria + "]");
  o.Add("criteria_met", r.HasGzCurve ? std::string(allMet ? "true" : "false") : std::string("null"));
  auto percent = [strength](double x) { return strength ? Number(x) : std::string("null"); };
  o.Add("shear_max_pct", percent(s.MaxShearPercent));
  o.Add("bending_max_pct", percent(s.MaxBendingPercent));
  o.Add("torsion_max_pct", percent(s.MaxTorsionPercent));
  const bool outside = r.State == HydrostaticState::OutsideTable || s.State == StrengthState::OutsideTable;
  o.Add("outside_tables", std::string(outside ? "true" : "false"));
  // Metres of sea hidden ahead of the bow; null without a floating
  // position, without deck cargo forward of the bridge, or when the deck
  // cargo hides the sea altogether.
  const BlindZone zone = FindBlindZone(plan, r);
  o.Add("blind_distance", hydrostatics && zone.found ? Number(zone.distance) : std::string("null"));
  o.Add("blind_distance_exceeded",
        std::string(!hydrostatics ? "null" : zone.ExceedsLimit() ? "true" : "false"));
  return o.Close();
}

}  // namespace

int CmdStability(Installation& inst, const std::string& vessel, const std::string& file, bool json) {
  OpenedCondition opened(inst);
  if (!opened.Open(inst, vessel, file)) return 1;
  Stability& st = opened.stability;
  st.ComputeStability();
  if (json) {
    std::printf("%s\n", Json(*inst.plan, st).c_str());
    return inst.host.errorCount == 0 ? 0 : 1;
  }
  std::vector<std::string> lines;
  st.StabilityReport(lines);
  lines.emplace_back();
  st.tanks().TanksReport(lines);
  const Strength::Results& s = st.strength().Result;
  lines.emplace_back();
  if (s.State == StrengthState::NotLoaded) {
    lines.emplace_back("Strength: no strength table");
  } else {
    auto percent = [](double x) {
      const std::string text = FormatFixed(x, 1);
      return (text.empty() ? std::string("0") : text) + " %";
    };
    lines.push_back(
        "Strength maxima: shear " + percent(s.MaxShearPercent) + ", bending " + percent(s.MaxBendingPercent) +
        ", torsion " + percent(s.MaxTorsionPercent) +
        (s.State == StrengthState::OutsideTable ? " (outside the tables: last figures found)" : ""));
  }
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return inst.host.errorCount == 0 ? 0 : 1;
}
