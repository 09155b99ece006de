#pragma once

// The Canvas on a QPainter: a widget, an image, a printer or a PDF file.
// Texts are Latin-1 bytes; font sizes are points of the painter's device.

#include <QFont>
#include <QPainter>

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
  QFont qfont_;
  QColor pen_ = Qt::black;
  int penWidth_ = 1;
  QColor brush_ = Qt::white;
};
