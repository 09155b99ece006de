#pragma once

// The quay layout: the terminal's container blocks as a picture. clu.txt
// in the data folder describes them: its first line the quay's size, its
// second how many slots each block has across (columns) and deep (rows),
// each further line where a block starts; every value stands in columns
// 5..7 (x) and 9..11 (y) of its line, in tenths of a metre, so that a slot
// is as long as a 40' unit and as deep as a unit is wide.

#include <filesystem>
#include <string>
#include <vector>

#include "core/Canvas.h"

class Canvas;
struct PlanData;

struct QuayLayout {
  int width = 0;  // the quay, x across the picture
  int height = 0;
  int columns = 0;  // slots of each block
  int rows = 0;
  std::vector<CanvasPoint> blocks;  // where each block starts
};

std::filesystem::path QuayLayoutFile(const PlanData& plan);
// False when the lines do not describe a quay (fewer than two, or no width).
bool ReadQuayLayout(const std::vector<std::string>& lines, QuayLayout& layout);
// The picture's height at this width: the quay keeps its proportions.
int QuayPictureHeight(const QuayLayout& layout, int width);
// White ground, and each block's slots as grey rectangles a pixel apart;
// slotLength and slotWidth are the container dimensions (DIM 0 and 1, mm).
void DrawQuayLayout(Canvas& canvas, const QuayLayout& layout, double slotLength, double slotWidth);
