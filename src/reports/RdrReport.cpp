#include "reports/RdrReport.h"

#include <algorithm>
#include <cctype>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/Selection.h"
#include "reports/Totals.h"

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Length of the first six characters of a line, blanks trimmed: 3 for a
// line of the first grouping level, 6 for one of the second.
size_t KeyLength(const std::string& line) { return Trim(Columns(line, 1, 6)).size(); }

}  // namespace

int TotalsColumnNamed(const PlanData& plan, const std::string& name) {
  const std::string wanted = Upper(Trim(name));
  for (int c = 0; c < std::min(plan.RepCount, kMaxRepNames); ++c)
    if (plan.RepDef[static_cast<size_t>(c)][24] == 1 && Upper(Trim(plan.RepNames[static_cast<size_t>(c)])) == wanted)
      return c;
  return -1;
}

RdrReport BuildRdrReport(PlanData& plan, Selection& selection, RdrGrouping grouping, const RdrSources& sources) {
  RdrReport report;
  const int pol = TotalsColumnNamed(plan, "POL");
  const int pod = TotalsColumnNamed(plan, "POD");
  const int oper = TotalsColumnNamed(plan, "OPERATOR");
  for (const auto& [column, name] : {std::pair{pol, "POL"}, std::pair{pod, "POD"}, std::pair{oper, "OPERATOR"}}) {
    if (column < 0) {
      report.error = std::string("The parameter file offers no totals column ") + name +
                     " (REP section): the RDR report cannot be made";
      return report;
    }
  }
  const bool twoPorts = grouping == RdrGrouping::ByPolPod || grouping == RdrGrouping::ByPodPol;
  std::vector<std::string>& out = report.lines;

  out.push_back(plan.VesHdr[34] + " - REGIONAL DEPARTURE REPORT");
  out.emplace_back();
  out.push_back("VESSEL: " + plan.VesHdr[VesHdrIx::Vessel] + "   VOY: " + plan.VesHdr[VesHdrIx::Voy]);
  out.emplace_back();
  out.push_back("VESSEL MOVEMENTS:");
  out.push_back(" Arrival");
  out.push_back(" Departure");
  out.emplace_back();
  out.push_back("DRAFT:");
  out.push_back(" FWD: " + Pad(FormatFixed(sources.foreDraft, 2), 6, true) + " AFT: " +
                Pad(FormatFixed(sources.aftDraft, 2), 6, true));

  selection.RequestedPlane = plan.CurPlane;
  selection.ResetSelection();
  TotalsOptions options;
  options.plane = plan.CurPlane;

  // First table: by the ports of the grouping and the operator.
  switch (grouping) {
    case RdrGrouping::ByPod: options.columns = {pod, oper}; break;
    case RdrGrouping::ByPol: options.columns = {pol, oper}; break;
    case RdrGrouping::ByPolPod: options.columns = {pol, pod, oper}; break;
    case RdrGrouping::ByPodPol: options.columns = {pod, pol, oper}; break;
  }
  options.oneLevel = twoPorts;
  TotalsReport totals = BuildTotals(plan, options);
  out.emplace_back();
  const size_t count = totals.lines.size();
  for (size_t n = 0; n + 1 < count; ++n) {
    out.push_back(totals.lines[n].text);
    // A blank line between one port's total and the next port's groups.
    if (n > 2 && KeyLength(totals.lines[n].text) == 3 && KeyLength(totals.lines[n + 1].text) == 6)
      out.emplace_back(" ");
  }

  // With two ports in the first table, the totals of the second port alone.
  if (twoPorts) {
    options.columns = {grouping == RdrGrouping::ByPolPod ? pod : pol, oper};
    options.oneLevel = false;
    totals = BuildTotals(plan, options);
    out.emplace_back();
    for (size_t n = 2; n + 1 < totals.lines.size(); ++n) out.push_back("    " + totals.lines[n].text);
  }

  // By operator.
  options.columns = {oper};
  options.oneLevel = false;
  totals = BuildTotals(plan, options);
  out.emplace_back();
  const std::string indent(twoPorts ? 8 : 4, ' ');
  for (size_t n = 2; n < totals.lines.size(); ++n) out.push_back(indent + totals.lines[n].text);

  // Way ports: units of the voyage carried between its own departure ports.
  selection.RequestedPlane = plan.VoyPlane;
  selection.ResetSelection();
  TotalsOptions voyage;
  voyage.plane = plan.VoyPlane;
  voyage.columns = {pol, oper, pod};
  voyage.oneLevel = true;
  voyage.compact = true;
  voyage.onlyListedPorts = true;
  totals = BuildTotals(plan, voyage);
  if (totals.lines.size() > 4) {
    out.emplace_back();
    out.push_back("WAYPORTS:");
    for (const TotalsLine& line : totals.lines) out.push_back(line.text);
  }
  selection.RequestedPlane = plan.CurPlane;
  selection.ResetSelection();
  selection.RefillSelectionLists();

  if (sources.specials.size() > 1) out.insert(out.end(), sources.specials.begin() + 1, sources.specials.end());
  if (!sources.allocations.empty()) {
    for (const std::string& line : sources.allocations) out.push_back("     " + line);
    out.emplace_back(" ");
  }
  out.push_back("REGARDS");
  out.emplace_back();
  return report;
}
