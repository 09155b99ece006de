#pragma once

// NoteDialog: a unit's four note lines (handling, loading, goods, others),
// saved, removed altogether, or left as they were.

#include <QDialog>
#include <array>
#include <string>

class QLineEdit;
class QPushButton;

class NoteDialog : public QDialog {
  Q_OBJECT

 public:
  NoteDialog(const std::string& container, const std::array<std::string, 4>& notes,
             QWidget* parent = nullptr);

  QLineEdit* EDhan = nullptr;
  QLineEdit* EDclr = nullptr;
  QLineEdit* EDaaa = nullptr;
  QLineEdit* EDzzz = nullptr;
  QPushButton* SBsav = nullptr;
  QPushButton* SBrem = nullptr;
  QPushButton* SBexi = nullptr;

  // The notes as the dialog closed: the fields after "Save", empty after
  // "Remove", unchanged otherwise.
  std::array<std::string, 4> Notes;
  bool Changed = false;

 private:
  void SBsavClick();
  void SBremClick();
};
