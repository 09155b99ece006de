#pragma once

// ptc.txt: the vessel particulars, lines of name ";" value, where the name is
// one of the VET names and the value goes to VesHdr at that name's position.

#include <filesystem>
#include <string>
#include <string_view>

struct PlanData;

// Reads the particulars into VesHdr. Names not in Vet and lines whose name
// is not ended by ";" or "|" are ignored. False with error when the file
// cannot be read.
bool ReadPtc(PlanData& plan, const std::filesystem::path& file, std::string& error);
void ParsePtc(PlanData& plan, std::string_view bytes);

// Writes Vet[i] ";" VesHdr[i] for every VET name; nothing is written (and
// true is returned) while the vessel has no name.
bool WritePtc(const PlanData& plan, const std::filesystem::path& file, std::string& error);
