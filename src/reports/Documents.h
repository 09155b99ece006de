#pragma once

// The text documents of the working condition that the document window
// lists, prints, saves and hands to the word processor: the condition
// document, the tanks report, the notes of the units, the comparison of
// the units on board with a cargo manifest, and the container types.

#include <string>
#include <vector>

struct PlanData;
struct StructDat;
class Stability;

enum class DocumentKind { Condition = 1, Tanks = 2, Notes = 3, Manifest = 4, Types = 5 };

// The window caption of each kind ("Manifest Comparision" as the menu has it).
const char* DocumentCaption(DocumentKind kind);
// White text on black for the stability documents and the notes when the
// settings ask for a dark list (Settings[72] "1"); black on white otherwise.
bool DocumentIsDark(const PlanData& plan, DocumentKind kind);

// The lines of a document: the title of the working condition and a blank
// line, then the document (the types list has neither; the comparison
// writes its own heading). manifestFrom: the first quay record that belongs
// to the manifest (for the comparison only).
std::vector<std::string> DocumentLines(const PlanData& plan, const Stability& stability, DocumentKind kind,
                                       int manifestFrom = 0);

// The notes of the selected units: a line naming the unit (with its IMO
// classes and UN numbers, its temperatures for a reefer), its notes, a
// blank line.
std::vector<std::string> NotesLines(const PlanData& plan);

// Every container type whose 20' ISO code is not marked with "*": code,
// description and the size-type letters of the ISO code.
std::vector<std::string> ContainerTypesLines(const PlanData& plan);

// The units on board compared with the manifest held in the quay from
// record manifestFrom on, in three sections: units found on both with
// differing data (on board, then manifest with the words that differ),
// units on board not on the manifest, manifest units not on board. Units
// are matched by their container numbers, blanks left out. Nothing
// in the plan changes: the manifest's document numbers are shown, not
// written into the units.
std::vector<std::string> ManifestComparisonLines(const PlanData& plan, int manifestFrom);
// One unit of the comparison; onBoard shows the position and no document,
// the manifest the document and no position.
std::string ManifestUnitLine(const PlanData& plan, const StructDat& unit, bool onBoard);
