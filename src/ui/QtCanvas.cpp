#include "ui/QtCanvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <cstdlib>
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
  renderOnce_ = !printer && painter.device() && painter.device()->devType() != QInternal::Printer &&
                painter.transform().isIdentity();
  if (painter.device() && painter.device()->devType() == QInternal::Image && painter.transform().isIdentity()) {
    const auto* image = static_cast<const QImage*>(painter.device());
    const QImage::Format format = image->format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
        format == QImage::Format_ARGB32_Premultiplied) {
      // The very pixels the painter writes to (no copy is made here).
      pixels_ = const_cast<uchar*>(image->constBits());
      stride_ = image->bytesPerLine();
      width_ = std::min(width_, image->width());
      height_ = std::min(height_, image->height());
    }
  }
  SetFont(CanvasFont{});
}

QtCanvas::Face& QtCanvas::FaceOf(const CanvasFont& font) {
  auto key = std::make_tuple(font.name, font.pixelHeight > 0 ? 0 : std::max(1, font.size), font.pixelHeight, font.bold,
                             font.italic, font.underline);
  std::unique_ptr<Face>& face = faces_[key];
  if (!face) {
    QFont q = font.name.empty() ? QFont() : QFont(QString::fromLatin1(font.name.c_str()));
    if (font.pixelHeight > 0) q.setPixelSize(font.pixelHeight);
    else q.setPointSize(std::max(1, font.size));
    q.setBold(font.bold);
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    face = std::make_unique<Face>(Face{q, QFontMetrics(q, p_.device()), {}, {}});
  }
  return *face;
}

void QtCanvas::SetFont(const CanvasFont& font) {
  // The colour is the pen's, set when writing.
  Face& face = FaceOf(font);
  font_ = font;
  if (&face == face_) return;
  face_ = &face;
  p_.setFont(face.font);
}

void QtCanvas::SetPen(Colour colour, int width) {
  pen_ = ToQColor(colour);
  penWidth_ = std::max(1, width);
}

void QtCanvas::SetBrush(Colour colour) { brush_ = ToQColor(colour); }

void QtCanvas::Fill(int x, int y, int w, int h, const QColor& colour) {
  if (!pixels_ || p_.hasClipping()) {
    p_.fillRect(x, y, w, h, colour);
    return;
  }
  const int left = std::max(x, 0), right = std::min(x + w, width_);
  const int top = std::max(y, 0), bottom = std::min(y + h, height_);
  if (left >= right || top >= bottom) return;
  const QRgb value = colour.rgb();
  for (int row = top; row < bottom; ++row)
    std::fill_n(reinterpret_cast<QRgb*>(pixels_ + row * stride_) + left, right - left, value);
}

void QtCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (x2 > x1 && y2 > y1) Fill(x1, y1, x2 - x1, y2 - y1, brush_);
}

// Thin solid frames and straight lines are filled rectangles: the painter's
// fastest path, and a bay plan draws tens of thousands of them.
void QtCanvas::FrameRect(int x1, int y1, int x2, int y2) {
  if (penWidth_ != 1) {
    p_.setPen(QPen(pen_, penWidth_));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).adjusted(0, 0, -1, -1));
    return;
  }
  if (x2 <= x1 || y2 <= y1) return;
  const int w = x2 - x1, h = y2 - y1;
  Fill(x1, y1, w, 1, pen_);
  Fill(x1, y2 - 1, w, 1, pen_);
  Fill(x1, y1, 1, h, pen_);
  Fill(x2 - 1, y1, 1, h, pen_);
}

void QtCanvas::Line(int x1, int y1, int x2, int y2) {
  if (penWidth_ == 1 && (x1 == x2 || y1 == y2)) {
    Fill(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1, pen_);
    return;
  }
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
  const QString string = Latin1(text);
  const int ascent = face_->metrics.ascent();
  if (!renderOnce_ || text.size() > 8) {
    p_.setPen(ToQColor(font_.colour));
    p_.drawText(x, y + ascent, string);
    return;
  }
  // A margin each side keeps slanted and overhanging glyphs whole.
  constexpr int kMargin = 3;
  QImage& sprite = face_->rendered[{string, font_.colour}];
  if (sprite.isNull()) {
    const int w = face_->metrics.horizontalAdvance(string) + 2 * kMargin;
    sprite = QImage(std::max(w, 1), std::max(face_->metrics.height(), 1), QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    painter.setFont(face_->font);
    painter.setPen(ToQColor(font_.colour));
    painter.drawText(kMargin, ascent, string);
  }
  p_.drawImage(x - kMargin, y, sprite);
}

void QtCanvas::TextInRect(int x1, int y1, int x2, int y2, int x, int y, std::string_view text) {
  // Clipping is dear; a text inside its rectangle needs none.
  if (x >= x1 && y >= y1 && x + TextWidth(text) <= x2 && y + face_->metrics.height() <= y2) {
    Text(x, y, text);
    return;
  }
  p_.save();
  p_.setClipRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), Qt::IntersectClip);
  Text(x, y, text);
  p_.restore();
}

int QtCanvas::TextWidth(std::string_view text) const {
  // Measuring shapes the text each time; a plan measures the same letters.
  if (text.size() > 8) return face_->metrics.horizontalAdvance(Latin1(text));
  auto at = face_->widths.find(text);
  if (at == face_->widths.end())
    at = face_->widths.emplace(std::string(text), face_->metrics.horizontalAdvance(Latin1(text))).first;
  return at->second;
}

int QtCanvas::TextHeight(std::string_view) const { return face_->metrics.height(); }

void QtCanvas::NewPage() {
  if (printer_) printer_->newPage();
}
