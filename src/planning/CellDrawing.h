#pragma once

// Drawing one cell box of a bay picture with its colours, letters and marks,
// and the labels around the bay pictures. Everything is drawn on a Canvas at
// the boxes that ComputeCellBoxes placed, for the screen or the printer.
//
// DrawCell draws all a cell needs by itself, including the over-size marks
// of the neighbours that protrude into its box, so that a window can redraw
// single cells (the hovered one, a changed one and its 40' partner) instead
// of the whole picture.

#include "core/Canvas.h"
#include "planning/BayLayout.h"

struct PlanData;
struct StructDat;

// What the bay picture shows beyond the plan's own modes (ColourMode,
// LetterMode, OneBayNumber, SectionFilter, ConfigMode): options that belong
// to the windows.
struct BayView {
  bool onlyDangerous = false;  // the selection's "Only Dangerous": only hazardous units keep a colour
};

// highlight of DrawCell.
inline constexpr int kDrawNormal = -1;      // the full drawing
inline constexpr int kDrawFrameBlack = -2;  // only the black frame
inline constexpr int kDrawFrameWhite = -3;  // only the white frame
// Any cell index: the full drawing, with a white frame when it is the cell.

// Colours of the pictures, 0x00BBGGRR.
inline constexpr Colour kColourSilver = RgbColour(0xC0, 0xC0, 0xC0);
inline constexpr Colour kColourGrey = RgbColour(0x80, 0x80, 0x80);
inline constexpr Colour kColourLightGrey = RgbColour(0xDD, 0xDD, 0xDD);
inline constexpr Colour kColourDarkGrey = RgbColour(0xA8, 0xA8, 0xA8);
inline constexpr Colour kColourRed = RgbColour(0xFF, 0, 0);

// The colour of a unit of weight tonnes in the weight colour mode: light
// blue for light units down to dark blue for heavy ones.
Colour WeightColour(double weight);

// Draws cell (nothing for -1 or a cell not shown). Over-size marks record
// the neighbours they block (BLK_OH, BLK_OWP, BLK_OWS), as placing the unit
// does; nothing else of the plan changes.
void DrawCell(Canvas& canvas, PlanData& plan, const BayLayout& layout, const BayView& view, int cell,
              int highlight, int target);

// The text block of one unit in the one-bay view, its box at (x, y) filled
// with cellColour.
void DrawCellDetails(Canvas& canvas, const PlanData& plan, const StructDat& record, int x, int y, int target,
                     Colour polColour, Colour cellColour);

// Text on a unit's colour: white on dark colours, black on light ones
// (a yellow port would otherwise swallow white letters).
Colour TextOn(Colour fill);

// Tier digits beside the bay (one-bay view and paper) and row digits under
// the column of cell.
void DrawRowTierLabels(Canvas& canvas, const PlanData& plan, const BayLayout& layout, int cell, int target);

// The bay numbers above the shown bay pictures.
void DrawBayTitles(Canvas& canvas, const PlanData& plan, const BayLayout& layout, int target);

// The cell letters' font: as large as the box allows for its sample text.
void SetCellFont(Canvas& canvas, const PlanData& plan, const BayLayout& layout, int target);

// The labels' font, foreground on background (black on white).
void SetLabelFont(Canvas& canvas, const PlanData& plan, const BayLayout& layout, Colour background,
                  Colour foreground);

// The marks of a cell box drawn alone, at the box corner (x, y), as DrawCell
// draws them: for a legend, and for marks that must be drawn again over
// neighbouring boxes they reach into.
enum class CellMark { Reefer, HighCube, Hazard, Flat, BreakBulk, Restow, OverLength, Bundle };
void DrawCellMark(Canvas& canvas, PlanData& plan, const BayLayout& layout, CellMark mark, int x, int y,
                  int target);

// Red lines under the stack of cell when over, else lines in the background
// colour (rubbing out an earlier mark).
void DrawStackOverweight(Canvas& canvas, const PlanData& plan, const BayLayout& layout, int cell, bool over,
                         Colour background);
