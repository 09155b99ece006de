// The canvas on a Qt image writes rectangles and straight lines into the
// pixels itself and copies texts it rendered once: the picture must be the
// one the painter draws from the same calls, clipped where asked.

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cstdlib>
#include <functional>

#include "ui/QtCanvas.h"

namespace {

constexpr int kSize = 120;

QImage Blank() {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// The image drawn through the canvas.
QImage OnCanvas(const std::function<void(Canvas&)>& draw) {
  QImage image = Blank();
  QPainter painter(&image);
  QtCanvas canvas(painter, kSize, kSize);
  draw(canvas);
  return image;
}

// The same drawing with the painter's own calls.
QImage ByPainter(const std::function<void(QPainter&)>& draw) {
  QImage image = Blank();
  QPainter painter(&image);
  draw(painter);
  return image;
}

// Pixels that differ: in any way, or with a tolerance by more than that
// many grey levels (antialiased edges).
int Differences(const QImage& a, const QImage& b, int tolerance = -1) {
  int n = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      n += tolerance < 0 ? p != q : std::abs(qGray(p) - qGray(q)) > tolerance;
    }
  return n;
}

const QColor kBrush(0x20, 0x80, 0xC0);
const QColor kPen(0xC0, 0x10, 0x10);

}  // namespace

class QtCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  // A rectangle runs up to but not including its far corner; a frame lies
  // on the rectangle's outermost pixels; lines include both ends.
  void drawsWhatThePainterDraws() {
    const auto canvas = OnCanvas([](Canvas& c) {
      c.SetBrush(RgbColour(0x20, 0x80, 0xC0));
      c.SetPen(RgbColour(0xC0, 0x10, 0x10));
      c.FillRect(10, 12, 50, 40);
      c.FrameRect(60, 12, 100, 40);
      c.Line(5, 50, 90, 50);
      c.Line(40, 110, 40, 55);
      c.Line(60, 60, 110, 100);
      c.FillRect(-20, 100, 5, 300);  // beyond the edges
      c.Line(-10, 115, 300, 115);
      c.SetPen(RgbColour(0xC0, 0x10, 0x10), 3);
      c.FrameRect(70, 60, 110, 95);
    });
    const auto painter = ByPainter([](QPainter& p) {
      p.fillRect(QRect(10, 12, 40, 28), kBrush);
      p.setPen(kPen);
      p.drawRect(QRect(60, 12, 39, 27));
      p.drawLine(5, 50, 90, 50);
      p.drawLine(40, 110, 40, 55);
      p.drawLine(60, 60, 110, 100);
      p.fillRect(QRect(-20, 100, 25, 200), kBrush);
      p.drawLine(-10, 115, 300, 115);
      p.setPen(QPen(kPen, 3));
      p.drawRect(QRect(70, 60, 39, 34));
    });
    QCOMPARE(Differences(canvas, painter), 0);
  }

  // Texts are whole where they fit and cut at the rectangle where they do not.
  void textsAreClippedOnlyWhereAsked() {
    const auto text = [](Canvas& c, bool clip) {
      CanvasFont font;
      font.pixelHeight = 30;
      font.colour = kColourBlack;
      c.SetFont(font);
      if (clip) c.TextInRect(10, 10, 30, 60, 10, 10, "WW");
      else c.Text(10, 10, "WW");
    };
    const QImage whole = OnCanvas([&](Canvas& c) { text(c, false); });
    const QImage clipped = OnCanvas([&](Canvas& c) { text(c, true); });
    int inked = 0, inkedBeyond = 0;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        inked += qGray(whole.pixel(x, y)) < 128;
        if (x >= 30) inkedBeyond += qGray(clipped.pixel(x, y)) < 128;
      }
    QVERIFY(inked > 50);
    QCOMPARE(inkedBeyond, 0);
    // Written from its rendered copy, the text is the painter's own.
    const QImage painted = ByPainter([](QPainter& p) {
      QFont font;
      font.setPixelSize(30);
      p.setFont(font);
      p.setPen(Qt::black);
      p.drawText(10, 10 + QFontMetrics(font).ascent(), "WW");
    });
    QVERIFY2(Differences(whole, painted, 40) < inked / 20, qPrintable(QString::number(Differences(whole, painted, 40))));
  }
};

QTEST_MAIN(QtCanvasTest)
#include "QtCanvasTest.moc"
