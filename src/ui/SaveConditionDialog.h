#pragma once

// SaveConditionDialog, "Save Condition": the port, voyage and type that name the
// working condition's file. "Save" is enabled once a type is chosen; a field
// the condition list refuses is named in the message line and the dialog
// stays open; Escape closes without saving.

#include <QDialog>

#include "conditions/ConditionList.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class SaveConditionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SaveConditionDialog(ConditionList& list, QWidget* parent = nullptr);

  // The dialog's "Save" button.
  void BSaveClick();
  // What the last "Save" came to; closed is false when nothing was saved.
  SaveConditionOutcome Outcome;

  QComboBox* CBport = nullptr;
  QLineEdit* EDvoy = nullptr;
  QButtonGroup* RGtype = nullptr;
  QPushButton* BSave = nullptr;
  QLabel* LMessage = nullptr;

 private:
  SaveConditionFields Fields() const;
  ConditionList& list_;
};
