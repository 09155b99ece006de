#pragma once

// The application object: it reports whatever an event handler lets escape
// and goes on, applies the number-format rule, and holds the editor cursors.

#include <QApplication>
#include <QCursor>
#include <QString>
#include <functional>
#include <map>

// Numbered cursor slots of the editor operations.
inline constexpr int kCursorRestow = -30;
inline constexpr int kCursorLoad = -31;
inline constexpr int kCursorDisch = -32;

class Zum4Application : public QApplication {
  Q_OBJECT

 public:
  Zum4Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // The error display; tests replace it to see what would be shown.
  using ErrorDisplay = std::function<void(const QString&)>;
  static void SetErrorDisplay(ErrorDisplay display);
  // The warning display (work went on, with something left out).
  static void SetWarningDisplay(ErrorDisplay display);

  std::map<int, QCursor> Cursors;
};

// Shows an error through the current error display (a message box unless a
// test replaced it).
void ShowError(const QString& text);
// Shows a warning the same way, in a warning box.
void ShowWarning(const QString& text);

// Takes the decimal and thousands separators from the system locale and makes
// them distinct (",": thousands becomes ".").
void ApplySystemNumberFormat();

// The three editor cursors, drawn here: Load, Disch and Restow.
std::map<int, QCursor> LoadEditorCursors();
