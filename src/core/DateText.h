#pragma once

// Dates and times in files and printed footers, always on the local clock.

#include <ctime>
#include <string>
#include <string_view>

inline constexpr std::string_view kDatePattern = "yyyy/mm/dd";
inline constexpr std::string_view kFileTimePattern = "hh.nn";     // schedule entries
inline constexpr std::string_view kPrintTimePattern = "hh:nn";    // printed footers

// Writes a time by pattern: yyyy year, mm month, dd day, hh hour, nn minute,
// ss second; every other character is copied.
std::string FormatDateTime(const std::tm& time, std::string_view pattern);

// The local clock now.
std::tm LocalNow();
