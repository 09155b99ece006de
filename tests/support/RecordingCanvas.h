#pragma once

// A canvas that remembers what was drawn, page by page, with simple fixed
// metrics: a character is as wide as a tenth of the font size in points
// times 6 pixels, a line of text 1.2 times the size (a font set in pixels:
// 0.6 of its height a character, its height a line). Tests assert texts,
// lines and colours without comparing pixels.

#include <string>
#include <vector>

#include "core/Canvas.h"

struct CanvasOp {
  enum Kind { Text, Line, FillRect, FrameRect, Ellipse, Polyline, Polygon, NewPage } kind = Text;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::string text;
  CanvasFont font;
  Colour pen = kColourBlack;
  Colour brush = kColourWhite;
  int page = 0;
  std::vector<CanvasPoint> points;
  bool clipped = false;  // a text shown only inside clip
  CanvasPoint clipFrom, clipTo;
};

class RecordingCanvas : public PageCanvas {
 public:
  RecordingCanvas(int width, int height) : width_(width), height_(height) {}

  std::vector<CanvasOp> ops;
  int pages = 1;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetFont(const CanvasFont& font) override { font_ = font; }
  CanvasFont Font() const override { return font_; }
  void SetPen(Colour colour, int) override { pen_ = colour; }
  void SetBrush(Colour colour) override { brush_ = colour; }
  void FillRect(int x1, int y1, int x2, int y2) override { Add(CanvasOp::FillRect, x1, y1, x2, y2); }
  void FrameRect(int x1, int y1, int x2, int y2) override { Add(CanvasOp::FrameRect, x1, y1, x2, y2); }
  void Line(int x1, int y1, int x2, int y2) override { Add(CanvasOp::Line, x1, y1, x2, y2); }
  void Ellipse(int x1, int y1, int x2, int y2) override { Add(CanvasOp::Ellipse, x1, y1, x2, y2); }
  void Polyline(const std::vector<CanvasPoint>& points) override { Add(CanvasOp::Polyline, 0, 0, 0, 0).points = points; }
  void Polygon(const std::vector<CanvasPoint>& points) override { Add(CanvasOp::Polygon, 0, 0, 0, 0).points = points; }
  void Text(int x, int y, std::string_view text) override { Add(CanvasOp::Text, x, y, x, y).text = text; }
  void TextInRect(int x1, int y1, int x2, int y2, int x, int y, std::string_view text) override {
    CanvasOp& op = Add(CanvasOp::Text, x, y, x, y);
    op.text = text;
    op.clipped = true;
    op.clipFrom = {x1, y1};
    op.clipTo = {x2, y2};
  }
  // A font given in pixels is as high as that and its characters 0.6 of it.
  int TextWidth(std::string_view text) const override {
    const int unit = font_.pixelHeight > 0 ? font_.pixelHeight : font_.size;
    return static_cast<int>(text.size()) * unit * 6 / 10;
  }
  int TextHeight(std::string_view) const override {
    return font_.pixelHeight > 0 ? font_.pixelHeight : font_.size * 12 / 10;
  }
  void NewPage() override {
    Add(CanvasOp::NewPage, 0, 0, 0, 0);
    ++pages;
  }

  // The texts drawn on a page (1-based), in drawing order.
  std::vector<std::string> TextsOnPage(int page) const {
    std::vector<std::string> texts;
    for (const CanvasOp& op : ops)
      if (op.kind == CanvasOp::Text && op.page == page) texts.push_back(op.text);
    return texts;
  }

 private:
  CanvasOp& Add(CanvasOp::Kind kind, int x1, int y1, int x2, int y2) {
    CanvasOp op;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.font = font_;
    op.pen = pen_;
    op.brush = brush_;
    op.page = pages;
    ops.push_back(op);
    return ops.back();
  }

  int width_, height_;
  CanvasFont font_;
  Colour pen_ = kColourBlack;
  Colour brush_ = kColourWhite;
};
