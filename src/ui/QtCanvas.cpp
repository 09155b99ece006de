#include "ui/QtCanvas.h"

#include <QFontMetrics>
#include <QPolygon>
#include <QPrinter>

QColor ToQColor(Colour colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

namespace {

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QPolygon ToPolygon(const std::vector<CanvasPoint>& points) {
  QPolygon polygon;
  for (const CanvasPoint& p : points) polygon << QPoint(p.x, p.y);
  return polygon;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, int width, int height, QPrinter* printer)
    : p_(painter), width_(width), height_(height), printer_(printer) {
  SetFont(CanvasFont{});
}

void QtCanvas::SetFont(const CanvasFont& font) {
  font_ = font;
  qfont_ = font.name.empty() ? QFont() : QFont(QString::fromLatin1(font.name.c_str()));
  if (font.pixelHeight > 0) qfont_.setPixelSize(font.pixelHeight);
  else qfont_.setPointSize(std::max(1, font.size));
  qfont_.setBold(font.bold);
  qfont_.setItalic(font.italic);
  qfont_.setUnderline(font.underline);
  p_.setFont(qfont_);
}

void QtCanvas::SetPen(Colour colour, int width) {
  pen_ = ToQColor(colour);
  penWidth_ = std::max(1, width);
}

void QtCanvas::SetBrush(Colour colour) { brush_ = ToQColor(colour); }

void QtCanvas::FillRect(int x1, int y1, int x2, int y2) { p_.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), brush_); }

void QtCanvas::FrameRect(int x1, int y1, int x2, int y2) {
  p_.setPen(QPen(pen_, penWidth_));
  p_.setBrush(Qt::NoBrush);
  p_.drawRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).adjusted(0, 0, -1, -1));
}

void QtCanvas::Line(int x1, int y1, int x2, int y2) {
  p_.setPen(QPen(pen_, penWidth_));
  p_.drawLine(x1, y1, x2, y2);
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  p_.setPen(QPen(pen_, penWidth_));
  p_.setBrush(brush_);
  p_.drawEllipse(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)));
}

void QtCanvas::Polyline(const std::vector<CanvasPoint>& points) {
  p_.setPen(QPen(pen_, penWidth_));
  p_.drawPolyline(ToPolygon(points));
}

void QtCanvas::Polygon(const std::vector<CanvasPoint>& points) {
  p_.setPen(QPen(pen_, penWidth_));
  p_.setBrush(brush_);
  p_.drawPolygon(ToPolygon(points));
}

void QtCanvas::Text(int x, int y, std::string_view text) {
  p_.setPen(ToQColor(font_.colour));
  const QFontMetrics metrics(qfont_, p_.device());
  p_.drawText(x, y + metrics.ascent(), Latin1(text));
}

void QtCanvas::TextInRect(int x1, int y1, int x2, int y2, int x, int y, std::string_view text) {
  p_.save();
  p_.setClipRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), Qt::IntersectClip);
  Text(x, y, text);
  p_.restore();
}

int QtCanvas::TextWidth(std::string_view text) const {
  return QFontMetrics(qfont_, p_.device()).horizontalAdvance(Latin1(text));
}

int QtCanvas::TextHeight(std::string_view) const { return QFontMetrics(qfont_, p_.device()).height(); }

void QtCanvas::NewPage() {
  if (printer_) printer_->newPage();
}
