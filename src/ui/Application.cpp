#include "ui/Application.h"

#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <exception>

#include "core/NumberFormat.h"

namespace {

void MessageBoxDisplay(const QString& text) {
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

Zum4Application::ErrorDisplay& CurrentDisplay() {
  static Zum4Application::ErrorDisplay display = MessageBoxDisplay;
  return display;
}

void WarningBoxDisplay(const QString& text) {
  QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(), text);
}

// Empty until set: warnings then go where errors go when that display was
// replaced (a test watching errors sees the warnings too), else to a box.
Zum4Application::ErrorDisplay& CurrentWarningDisplay() {
  static Zum4Application::ErrorDisplay display;
  return display;
}

bool& ErrorDisplayReplaced() {
  static bool replaced = false;
  return replaced;
}

// A 32 x 32 cursor: a hold outline with an arrow into it (Load), out of it
// (Disch) or around (Restow). Hot spot at the arrow's tip.
QCursor DrawCursor(int slot) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPen outline(Qt::white, 4);
  QPen ink(Qt::black, 2);
  QPainterPath path;
  path.addRect(6, 16, 20, 12);  // the hold
  QPainterPath arrow;
  QPoint hotSpot(16, 16);
  if (slot == kCursorLoad) {
    arrow.moveTo(16, 2);
    arrow.lineTo(16, 22);
    arrow.moveTo(10, 16);
    arrow.lineTo(16, 22);
    arrow.lineTo(22, 16);
    hotSpot = {16, 22};
  } else if (slot == kCursorDisch) {
    arrow.moveTo(16, 22);
    arrow.lineTo(16, 2);
    arrow.moveTo(10, 8);
    arrow.lineTo(16, 2);
    arrow.lineTo(22, 8);
    hotSpot = {16, 2};
  } else {
    arrow.moveTo(8, 12);
    arrow.arcTo(8, 2, 16, 18, 180, -270);
    arrow.moveTo(16, 20);
    arrow.lineTo(20, 16);
    arrow.moveTo(16, 20);
    arrow.lineTo(20, 24);
    hotSpot = {8, 12};
  }
  for (const QPen& pen : {outline, ink}) {
    p.setPen(pen);
    p.drawPath(path);
    p.drawPath(arrow);
  }
  p.end();
  return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

}  // namespace

Zum4Application::Zum4Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Zum4Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowError(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowError(QString());
  }
  return false;
}

void Zum4Application::SetErrorDisplay(ErrorDisplay display) {
  ErrorDisplayReplaced() = static_cast<bool>(display);
  CurrentDisplay() = display ? std::move(display) : MessageBoxDisplay;
}

void ShowError(const QString& text) { CurrentDisplay()(text); }

void Zum4Application::SetWarningDisplay(ErrorDisplay display) { CurrentWarningDisplay() = std::move(display); }

void ShowWarning(const QString& text) {
  if (CurrentWarningDisplay()) CurrentWarningDisplay()(text);
  else if (ErrorDisplayReplaced()) CurrentDisplay()(text);
  else WarningBoxDisplay(text);
}

void ApplySystemNumberFormat() {
  const QLocale locale = QLocale::system();
  NumberFormat format;
  const QString decimal = locale.decimalPoint();
  const QString group = locale.groupSeparator();
  // Numbers are read with "." or "," only, so any other separator a locale
  // may have is written as "." to keep files readable.
  format.decimal = decimal == QStringLiteral(",") ? ',' : '.';
  format.thousands = group.size() == 1 && group.at(0).toLatin1() != 0 ? group.at(0).toLatin1() : ' ';
  if (format.thousands == format.decimal) format.thousands = format.decimal == ',' ? '.' : ',';
  SetNumberFormat(AdjustNumberFormat(format));
}

std::map<int, QCursor> LoadEditorCursors() {
  return {{kCursorRestow, DrawCursor(kCursorRestow)},
          {kCursorLoad, DrawCursor(kCursorLoad)},
          {kCursorDisch, DrawCursor(kCursorDisch)}};
}
