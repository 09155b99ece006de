#pragma once

// The tank table TNK.txt and the sounding tables TNP.txt as the vessel's
// tank reader takes them. See TankWriter.cpp for the text form.

#include <filesystem>
#include <string>
#include <vector>

#include "Tanks.h"

// The reader's capacities: more is refused.
inline constexpr size_t kMaxTanks = 150;
inline constexpr size_t kMaxSoundingRows = 500;
inline constexpr size_t kTankFields = 30;
inline constexpr size_t kSoundingFields = 7;

std::vector<std::string> TnkLines(const std::vector<TankTable>& tanks);
std::vector<std::string> TnpLines(const std::vector<TankTable>& tanks);

// Write the tables with CR LF line ends, atomically. Refused (false, error
// "<file>: <reason>") when the reader's capacities are exceeded, or a key or
// name is empty or holds a field separator ("," or ";") or a line break.
bool WriteTnk(const std::filesystem::path& file, const std::vector<TankTable>& tanks, std::string& error);
bool WriteTnp(const std::filesystem::path& file, const std::vector<TankTable>& tanks, std::string& error);
