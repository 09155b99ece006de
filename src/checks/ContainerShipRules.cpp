#include "checks/ContainerShipRules.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "core/PlanData.h"
#include "core/TextHelpers.h"

namespace {

// One need: a number followed by S, B or M.
bool ParseNeed(std::string_view text, SpacingNeed& need) {
  if (text.size() < 2) return false;
  const char unit = text.back();
  const std::string_view digits = text.substr(0, text.size() - 1);
  int value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size() || value < 0 || value > 999) return false;
  switch (unit) {
    case 'S':
      need.spaces = std::max(need.spaces, value);
      return true;
    case 'B':
      need.bulkheads = std::max(need.bulkheads, value);
      return true;
    case 'M':
      need.metres = std::max(need.metres, static_cast<double>(value));
      return true;
    default:
      return false;
  }
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

// Distances in words: "2 spaces", "overlapping".
std::string SpacesText(int spaces) {
  if (spaces < 0) return "overlapping";
  return std::to_string(spaces) + (spaces == 1 ? " space" : " spaces");
}

std::string MetresText(double metres) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f m", std::max(metres, 0.0));
  return text;
}

std::string ForeAftText(const Apart& apart) {
  return "fore and aft " + SpacesText(apart.spaces) + ", " + std::to_string(apart.bulkheads) +
         (apart.bulkheads == 1 ? " bulkhead, " : " bulkheads, ") + MetresText(apart.metres);
}

std::string Needs(const Spacing& spacing) { return " (needs " + spacing.text + ")"; }

const char* PairWords(bool openA, bool openB) {
  if (openA && openB) return "open/open";
  if (openA || openB) return "closed/open";
  return "closed/closed";
}

bool VerticalPermitted(const ContainerShipRule& rule, const PairPlace& place, std::string& words) {
  const bool deckBetween = place.deckA != place.deckB;
  switch (rule.vertical) {
    case 'Y':
      words = "always";
      return true;
    case 'O': {
      // Only the open unit on top of the closed one, unless a deck parts them.
      const bool openOnTop = place.openA != place.openB && (place.openA == place.aAboveB);
      words = "open on top of closed, or a deck between";
      return deckBetween || openOnTop;
    }
    case 'D':
      words = "a deck between";
      return deckBetween;
    default:
      words = "never";
      return false;
  }
}

}  // namespace

bool ParseSpacing(std::string_view text, Spacing& out) {
  out = Spacing{};
  const std::string trimmed = Trim(std::string(text));
  out.text = trimmed;
  if (trimmed == "-") {
    out.anyOf.push_back(SpacingNeed{});
    return true;
  }
  if (trimmed == "X") return true;
  for (std::string_view alternative : SplitAt(trimmed, '/')) {
    SpacingNeed need;
    for (std::string_view part : SplitAt(alternative, '+')) {
      if (!ParseNeed(part, need)) {
        out.anyOf.clear();
        return false;
      }
    }
    out.anyOf.push_back(need);
  }
  return true;
}

bool SpacingMet(const Spacing& spacing, const Apart& apart) {
  for (const SpacingNeed& need : spacing.anyOf) {
    if (need.spaces > 0 && apart.spaces < need.spaces) continue;
    if (need.bulkheads > 0 && apart.bulkheads < need.bulkheads) continue;
    if (need.metres > 0 && apart.metres < need.metres) continue;
    return true;
  }
  return false;
}

ContainerShipRules::ContainerShipRules(const PlanData& plan) {
  const int count = std::clamp(plan.CsgCount, 0, kMaxCsg);
  for (int k = 0; k < count; ++k) Add(plan.Csg[static_cast<size_t>(k)], true);
  for (const StructCsg& line : DefaultContainerShipLines()) Add(line, false);
}

void ContainerShipRules::Add(const StructCsg& line, bool fromFile) {
  const std::string pair = Trim(line.PAIR);
  const std::string vertical = Trim(line.VERT);
  const std::string what = "CSG " + std::to_string(line.CODE) + " " + pair;
  if (pair != "CC" && pair != "CO" && pair != "OO") {
    if (fromFile) problems_.push_back(what + ": the pairing is CC, CO or OO");
    return;
  }
  // The file's line comes first and wins; a built-in line fills a gap only.
  for (const ContainerShipRule& rule : rules_)
    if (rule.code == line.CODE && rule.pair == pair) return;
  ContainerShipRule rule;
  rule.code = line.CODE;
  rule.pair = pair;
  rule.vertical = vertical.size() == 1 && std::string_view("YODN").find(vertical[0]) != std::string_view::npos
                      ? vertical[0]
                      : 'N';
  if (rule.vertical == 'N' && vertical != "N" && fromFile)
    problems_.push_back(what + ": vertical \"" + vertical + "\" read as N (never)");
  const std::pair<const std::string*, Spacing*> fields[] = {{&line.FAD, &rule.foreAftDeck},
                                                            {&line.FAH, &rule.foreAftHold},
                                                            {&line.ATD, &rule.athwartDeck},
                                                            {&line.ATH, &rule.athwartHold},
                                                            {&line.MIX, &rule.deckToHold}};
  for (const auto& [text, spacing] : fields) {
    // What cannot be read is never enough: a typing error tightens the
    // check instead of silently clearing a pair.
    if (!ParseSpacing(*text, *spacing) && fromFile)
      problems_.push_back(what + ": \"" + *text + "\" is not a distance, read as X (never enough)");
  }
  rules_.push_back(std::move(rule));
}

const ContainerShipRule* ContainerShipRules::Find(int code, bool openA, bool openB) const {
  const char* pair = openA && openB ? "OO" : (openA || openB ? "CO" : "CC");
  for (const ContainerShipRule& rule : rules_)
    if (rule.code == code && rule.pair == pair) return &rule;
  return nullptr;
}

RuleOutcome JudgeContainerShipRule(const ContainerShipRule& rule, const PairPlace& place) {
  RuleOutcome outcome;
  const bool mixed = place.deckA != place.deckB;
  const std::string where = mixed ? "deck and hold" : (place.deckA ? "on deck" : "under deck");
  const std::string head =
      RequirementWords(rule.code) + ", " + PairWords(place.openA, place.openB) + ", " + where + ": ";
  if (place.oneVerticalLine) {
    std::string words;
    outcome.violated = !VerticalPermitted(rule, place, words);
    outcome.why = head + "in one vertical line, " + (mixed ? "the hatch cover between" : "no deck between") +
                  " (permitted: " + words + ")";
    return outcome;
  }
  if (mixed) {
    outcome.violated = !SpacingMet(rule.deckToHold, place.foreAft);
    outcome.why = head + ForeAftText(place.foreAft) + Needs(rule.deckToHold);
    return outcome;
  }
  const Spacing& foreAft = place.deckA ? rule.foreAftDeck : rule.foreAftHold;
  const Spacing& athwart = place.deckA ? rule.athwartDeck : rule.athwartHold;
  // Athwartships nothing but container spaces part two stacks of one hold.
  const Apart across{place.athwartSpaces, 0, 0};
  outcome.violated = !SpacingMet(foreAft, place.foreAft) && !SpacingMet(athwart, across);
  outcome.why = head + ForeAftText(place.foreAft) + Needs(foreAft) + "; athwartships " +
                SpacesText(place.athwartSpaces) + Needs(athwart);
  return outcome;
}

const std::vector<StructCsg>& DefaultContainerShipLines() {
  // The IMDG Code's segregation of containers on board container ships
  // with hatch covers. Explosives against explosives (9) keep the program's
  // earlier reach: the compatibility groups decide, so a pair fewer than
  // four spaces apart fore and aft is shown for the planner to judge.
  static const std::vector<StructCsg> lines = {
      {1, "CC", "Y", "-", "-", "-", "-", "-"},
      {1, "CO", "O", "1S", "1S/1B", "1S", "1S", "-"},
      {1, "OO", "D", "1S", "1S/1B", "1S", "1S", "-"},
      {2, "CC", "D", "1S", "1S/1B", "1S", "1S", "-"},
      {2, "CO", "D", "1S", "1S/1B", "1S", "2S", "-"},
      {2, "OO", "D", "1S", "1B", "2S", "1B", "-"},
      {3, "CC", "D", "1S", "1B", "2S", "1B", "-"},
      {3, "CO", "D", "1S", "1B", "2S", "1B", "-"},
      {3, "OO", "D", "2S", "2B", "3S", "2B", "-"},
      {4, "CC", "N", "24M", "1B+24M", "X", "X", "1B+24M"},
      {4, "CO", "N", "24M", "1B+24M", "X", "X", "1B+24M"},
      {4, "OO", "N", "24M", "2B", "X", "X", "2B"},
      {9, "CC", "D", "4S", "4S", "X", "X", "-"},
      {9, "CO", "D", "4S", "4S", "X", "X", "-"},
      {9, "OO", "D", "4S", "4S", "X", "X", "-"},
  };
  return lines;
}

std::string RequirementWords(int code) {
  switch (code) {
    case 1:
      return "away from";
    case 2:
      return "separated from";
    case 3:
      return "separated by a complete compartment or hold from";
    case 4:
      return "separated longitudinally by an intervening complete compartment or hold from";
    case 9:
      return "explosives against explosives";
    default:
      return "code " + std::to_string(code);
  }
}
