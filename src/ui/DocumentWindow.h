#pragma once

// DocumentWindow: one modal list of text lines, the document of one kind
// (condition document, tanks report, notes, manifest comparison, container
// types), to be printed, saved to a file or handed to the word processor.

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "reports/Documents.h"

struct PlanData;
class OutsidePrograms;
class PrintService;
class QListWidget;
class QToolButton;
class QWidget;
class Stability;

class DocumentWindow : public QDialog {
  Q_OBJECT

 public:
  DocumentWindow(PlanData& plan, const Stability& stability, DocumentKind kind, QWidget* parent = nullptr);

  // The comparison's manifest starts at this quay record.
  int ManifestFrom = 0;
  // Where the window may grow to (the main window's client area); empty:
  // the screen's.
  QSize Limit;

  // Services of the main window; a missing one leaves its button without effect.
  PrintService* Printing = nullptr;
  OutsidePrograms* Outside = nullptr;
  std::function<void()> OpenSelection;   // "Sel": the selection window, modal
  std::function<void()> ResetSelection;  // "rst"
  // The file "To File" saves to; unset, the save dialog asks.
  std::function<QString()> ChooseSaveFile;
  // Problems (a file that cannot be written) are shown through this.
  std::function<void(const std::string&)> ReportError;

  QListWidget* LB = nullptr;
  QWidget* Panel = nullptr;
  QToolButton* SpeedButton1 = nullptr;  // "Word"
  QToolButton* SBprint = nullptr;
  QToolButton* SBsaveTo = nullptr;
  QToolButton* SBsel = nullptr;
  QToolButton* SBrs = nullptr;

  const std::vector<std::string>& Lines() const { return lines_; }
  // The document built again from the plan, shown and the window sized to it.
  void Rebuild();

  void WordClick();
  bool PrintClick();
  bool SaveToClick();
  void SelClick();
  void RstClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FitToLines();

  PlanData& plan_;
  const Stability& stability_;
  DocumentKind kind_;
  std::vector<std::string> lines_;
};
