#pragma once

// ptc.txt: the vessel particulars, lines of name ";" value, where the name is
// one of the VET names and the value goes to VesHdr at that name's position.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputCheck.h"

struct PlanData;

// Reads the particulars into VesHdr. Names not in Vet and lines whose name
// is not ended by ";" or "|" are ignored. False with error when the file
// cannot be read or is no particulars file (then nothing changes).
bool ReadPtc(PlanData& plan, const std::filesystem::path& file, std::string& error);
void ParsePtc(PlanData& plan, std::string_view bytes);
// Why bytes are no particulars file: empty, binary, or no line that begins
// with a name of the particulars (a VET name, once the VET table is loaded)
// ended by ";" or "|". Empty when they are one.
std::string PtcRefusal(const PlanData& plan, std::string_view bytes);

// The lines of a particulars file that give no particular: no name ended
// by ";", a name that is not one of the particulars (once VET is loaded),
// a control character. Blank lines are no fault.
std::vector<SkippedLine> PtcSkippedLines(const PlanData& plan, std::string_view bytes);

// The lines WritePtc writes.
std::vector<std::string> PtcLines(const PlanData& plan);
// Writes Vet[i] ";" VesHdr[i] for every VET name; nothing is written (and
// true is returned) while the vessel has no name.
bool WritePtc(const PlanData& plan, const std::filesystem::path& file, std::string& error);
