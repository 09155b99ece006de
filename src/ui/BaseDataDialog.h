#pragma once

// BaseDataDialog, "Base Data": the company texts, the working folders and the
// commands of the word processor and the spreadsheet. Each edit belongs to
// one setting; closing the window in any way stores them all, and the
// settings file is written at once so that a later crash loses nothing.

#include <QDialog>
#include <functional>
#include <vector>

struct PlanData;
class QLineEdit;
class QToolButton;

class BaseDataDialog : public QDialog {
  Q_OBJECT

 public:
  explicit BaseDataDialog(PlanData& plan, QWidget* parent = nullptr);

  // Called after the edits were stored (the main window reloads the base
  // data and writes the settings file).
  std::function<void()> onStored;

  // The edit of a setting index, nullptr when there is none.
  QLineEdit* EditFor(int setting) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ChooseFolder(QLineEdit* edit);
  void ChooseCommand(QLineEdit* edit, const QString& title);
  void Store();

  PlanData& plan_;
  std::vector<std::pair<int, QLineEdit*>> edits_;
  bool stored_ = false;
};
