#pragma once

// The Canvas on a QPainter: a widget, an image, a printer or a PDF file.
// Texts are Latin-1 bytes; font sizes are points of the painter's device.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <unordered_map>
#include <map>
#include <memory>
#include <tuple>

#include "core/Canvas.h"

class QPrinter;

QColor ToQColor(Colour colour);

class QtCanvas : public PageCanvas {
 public:
  // Draws with painter on an area of width x height device pixels. With a
  // printer, NewPage starts its next page; without one it does nothing.
  QtCanvas(QPainter& painter, int width, int height, QPrinter* printer = nullptr);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetFont(const CanvasFont& font) override;
  CanvasFont Font() const override { return font_; }
  void SetPen(Colour colour, int width = 1) override;
  void SetBrush(Colour colour) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void FrameRect(int x1, int y1, int x2, int y2) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Polyline(const std::vector<CanvasPoint>& points) override;
  void Polygon(const std::vector<CanvasPoint>& points) override;
  void Text(int x, int y, std::string_view text) override;
  void TextInRect(int x1, int y1, int x2, int y2, int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) const override;
  int TextHeight(std::string_view text) const override;
  void NewPage() override;

 private:
  QPainter& p_;
  int width_, height_;
  QPrinter* printer_;
  CanvasFont font_;
  // A face of the font in use: the font, its metrics and the texts laid
  // out in it. Measuring and writing the same few letters thousands of
  // times is what a bay plan does; cell drawing also switches between a few
  // faces (plain, italic for empties) for every cell, so each face is made
  // once per canvas and then only picked.
  struct Face {
    QFont font;
    QFontMetrics metrics;
    // On a screen or an image, each text is rendered once per colour and
    // then copied: far cheaper than laying out and rasterising it again.
    std::map<std::pair<QString, Colour>, QImage> rendered;
    std::map<std::string, int, std::less<>> widths;
  };
  Face& FaceOf(const CanvasFont& font);
  std::map<std::tuple<std::string, int, int, bool, bool, bool>, std::unique_ptr<Face>> faces_;
  Face* face_ = nullptr;
  bool renderOnce_ = false;  // not on paper: a printer gets real text
  // On a plain image, solid rectangles are written straight into its pixels:
  // a bay plan is tens of thousands of small fills and frames.
  void Fill(int x, int y, int w, int h, const QColor& colour);
  uchar* pixels_ = nullptr;
  qsizetype stride_ = 0;
  QColor pen_ = Qt::black;
  int penWidth_ = 1;
  QColor brush_ = Qt::white;
};
