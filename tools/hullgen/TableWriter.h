#pragma once

// The hydrostatic table HYD.txt and the cross-curve table RLE.txt as the
// vessel reader takes them. See TableWriter.cpp for the text form.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "Hydrostatics.h"

// Decimals written per HYD.txt column (0: the column is left empty).
inline constexpr std::array<int, 15> kHydDecimals{3, 1, 3, 4, 4, 4, 4, 0, 3, 3, 2, 5, 5, 0, 0};
// Decimals of the RLE.txt columns: draft, displacement, every KN, flooding angle.
inline constexpr int kRleDraftDecimals = 3;
inline constexpr int kRleDisplacementDecimals = 1;
inline constexpr int kRleKnDecimals = 3;
inline constexpr int kRleAngleDecimals = 1;

std::vector<std::string> HydLines(const std::vector<HydrostaticRow>& rows);
std::vector<std::string> RleLines(const std::vector<CrossCurveRow>& rows);

// Write the tables (at most 99 rows each: more is refused) with CR LF line
// ends, atomically. On failure false and error "<file>: <reason>".
bool WriteHyd(const std::filesystem::path& file, const std::vector<HydrostaticRow>& rows, std::string& error);
bool WriteRle(const std::filesystem::path& file, const std::vector<CrossCurveRow>& rows, std::string& error);

inline constexpr size_t kMaxTableRows = 99;
