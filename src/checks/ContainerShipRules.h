#pragma once

// How far apart two dangerous units must stand on a container ship with
// hatch covers, by the requirement code of the SEG table (1 away from,
// 2 separated from, 3 separated by a complete compartment or hold from,
// 4 separated longitudinally by an intervening complete compartment or hold
// from, 9 explosives against explosives) and by whether each unit is closed
// or open (open tops, flats and platforms).
//
// The table is the CSG section of the parameter file, one line per code and
// pairing; a code and pairing the file does not give takes the built-in line
// (DefaultContainerShipLines, the IMDG Code's container-ship table), so that
// a company can tighten single lines without writing them all.
//
// CSG line (1-based columns):
//   1      CODE  requirement code
//   3-4    PAIR  CC closed against closed, CO closed against open, OO open
//                against open
//   6      VERT  one unit in the other's vertical line: Y permitted; O open
//                on top of closed permitted, otherwise as D; D only with a
//                deck (the hatch cover) between them; N never
//   8-19   FAD   fore and aft, both on deck
//   21-32  FAH   fore and aft, both under deck
//   34-45  ATD   athwartships, both on deck
//   47-58  ATH   athwartships, both under deck
//   60-71  MIX   one on deck and one under deck, not in one vertical line
// Distance grammar: "-" no restriction; "X" never enough; otherwise
// alternatives separated by "/", each a "+"-joined list of needs: nS n
// container spaces between the units, nB n transverse bulkheads between
// their holds, nM n metres between their ends. "1S/1B" is one container
// space or one bulkhead, "1B+24M" one bulkhead and at least 24 m.
// Athwartships only container spaces count: there is no bulkhead between
// two stacks of one hold, so a B need there is met only fore and aft.

#include <string>
#include <string_view>
#include <vector>

struct PlanData;
struct StructCsg;

struct SpacingNeed {
  int spaces = 0;
  int bulkheads = 0;
  double metres = 0;
};

// Met when any alternative is met; no alternative at all is never met.
struct Spacing {
  std::vector<SpacingNeed> anyOf;
  std::string text;  // as written, for the explanation
};

// False (and out never met) when text is not of the grammar.
bool ParseSpacing(std::string_view text, Spacing& out);

// How two units stand apart in one direction. spaces is -1 when they
// overlap in that direction.
struct Apart {
  int spaces = 0;
  int bulkheads = 0;
  double metres = 0;
};
bool SpacingMet(const Spacing& spacing, const Apart& apart);

struct ContainerShipRule {
  int code = 0;
  std::string pair;  // CC, CO, OO
  char vertical = 'N';
  Spacing foreAftDeck, foreAftHold, athwartDeck, athwartHold, deckToHold;
};

// Where two units stand, as the rules need it.
struct PairPlace {
  bool deckA = false;
  bool deckB = false;
  bool openA = false;
  bool openB = false;
  bool aAboveB = false;     // a's tier is higher than b's
  bool oneVerticalLine = false;  // same row and overlapping fore and aft
  Apart foreAft;            // container spaces, bulkheads and metres between
  int athwartSpaces = 0;    // rows between them; -1 in the same row
};

struct RuleOutcome {
  bool violated = false;
  std::string why;  // the case applied, the distances found and needed
};

class ContainerShipRules {
 public:
  // The parameter file's CSG lines over the built-in ones.
  explicit ContainerShipRules(const PlanData& plan);

  // The rule for code between units of the given openness; nullptr when the
  // code has none (0, and codes not in the table).
  const ContainerShipRule* Find(int code, bool openA, bool openB) const;

  // Lines of the CSG section that could not be read, described.
  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  void Add(const StructCsg& line, bool fromFile);
  std::vector<ContainerShipRule> rules_;
  std::vector<std::string> problems_;
};

RuleOutcome JudgeContainerShipRule(const ContainerShipRule& rule, const PairPlace& place);

// The built-in table, as the CSG lines that would give it.
const std::vector<StructCsg>& DefaultContainerShipLines();

// The words of a requirement code ("separated from", ...).
std::string RequirementWords(int code);
