#pragma once

// The drawing surface every picture of the program is written against:
// bay cells and plans, the GZ curve, stresses, printed lists. A QPainter
// adapter draws on a widget, a printer or an image; tests record what was
// drawn. Coordinates are device pixels, x to the right and y down; a
// rectangle runs from (x1, y1) up to but not including (x2, y2).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Colours as the parameter file and the settings write them: 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour RgbColour(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Colour kColourBlack = 0x000000;
inline constexpr Colour kColourWhite = 0xFFFFFF;

struct CanvasFont {
  std::string name;  // empty: the device's default family
  int size = 10;     // points
  int pixelHeight = 0;  // > 0: the height in device pixels, instead of size
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Colour colour = kColourBlack;
  bool operator==(const CanvasFont&) const = default;
};

struct CanvasPoint {
  int x = 0;
  int y = 0;
  bool operator==(const CanvasPoint&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // The drawable area in pixels, and its resolution (pixels per inch),
  // which turns font points into pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetFont(const CanvasFont& font) = 0;
  virtual CanvasFont Font() const = 0;
  // Outline colour and width of lines, frames, ellipses and polylines.
  virtual void SetPen(Colour colour, int width = 1) = 0;
  // Fill colour of FillRect, Ellipse and Polygon.
  virtual void SetBrush(Colour colour) = 0;

  virtual void FillRect(int x1, int y1, int x2, int y2) = 0;   // brush, no outline
  virtual void FrameRect(int x1, int y1, int x2, int y2) = 0;  // pen, no fill
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;    // filled with the brush, outlined with the pen
  virtual void Polyline(const std::vector<CanvasPoint>& points) = 0;
  virtual void Polygon(const std::vector<CanvasPoint>& points) = 0;  // filled and outlined
  // Text (Latin-1 bytes) with its top-left corner at (x, y), in the font's
  // colour, on a transparent background.
  virtual void Text(int x, int y, std::string_view text) = 0;
  // The same, showing only the part inside the rectangle (x1, y1)-(x2, y2).
  virtual void TextInRect(int x1, int y1, int x2, int y2, int x, int y, std::string_view text) = 0;
  virtual int TextWidth(std::string_view text) const = 0;
  virtual int TextHeight(std::string_view text) const = 0;
};

// A canvas of pages: a printer or a PDF file.
class PageCanvas : public Canvas {
 public:
  // Ends the current page and starts the next one.
  virtual void NewPage() = 0;
};
