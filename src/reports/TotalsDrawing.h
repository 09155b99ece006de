#pragma once

// How a line of the totals is drawn: total lines are cut into five bands
// (key, full, empty, break bulk, totals), each on its own colour, the
// deepest groups lighter than the levels above them; a black rule marks the
// left edge of every band but the first and the column header is underlined.

#include <array>

#include "core/Canvas.h"

struct PlanData;
struct TotalsReport;

// The band colours of the deepest level's lines and of the levels above.
inline constexpr std::array<Colour, 5> kTotalsDeepBands = {
    RgbColour(0xFF, 0xFF, 0xFF), RgbColour(0xFF, 0xFF, 0xBB), RgbColour(0xD7, 0xFF, 0xE1),
    RgbColour(0xD9, 0xE1, 0xFF), RgbColour(0xFF, 0xDD, 0xDD)};
inline constexpr std::array<Colour, 5> kTotalsUpperBands = {
    RgbColour(0xE9, 0xE9, 0xE9), RgbColour(0xFF, 0xFF, 0x6F), RgbColour(0xA4, 0xFF, 0xBB),
    RgbColour(0xC6, 0xD1, 0xFF), RgbColour(0xFF, 0xC6, 0xC6)};

// Where each band ends, in pixels of canvas's font, measured on the
// heading line: the key, then the full, empty, break-bulk (as wide as
// nothing without break bulk) and totals headings, each plus half a letter.
std::array<int, 5> TotalsBandEnds(const Canvas& canvas, const PlanData& plan, const TotalsReport& report);

// Draws line (an index into report.lines) across width pixels from the
// top-left corner (x, y), height pixels high, in canvas's font.
void DrawTotalsLine(Canvas& canvas, const TotalsReport& report, const std::array<int, 5>& ends, int line, int x,
                    int y, int width, int height);
