#pragma once

// PortDialog, "Ports table update": country, code, name and letter of one
// port, in upper case. "Update Table" adds the port, or updates it when the
// code is known, and closes; "Cancel" closes with nothing added.

#include <QDialog>

struct PlanData;
class QLabel;
class QLineEdit;
class QPushButton;

class PortDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PortDialog(PlanData& plan, QWidget* parent = nullptr);

  // Fills the edits; title is the line above them (empty hides it).
  void Fill(const QString& title, const QString& country, const QString& code, const QString& name,
            const QString& letter);
  // 1 when "Update Table" added a port, 0 otherwise.
  int Added = 0;

  QLabel* LTitle = nullptr;
  QLineEdit* ECountry = nullptr;
  QLineEdit* ECode = nullptr;
  QLineEdit* EName = nullptr;
  QLineEdit* ELetter = nullptr;
  QPushButton* BUpdate = nullptr;
  QPushButton* BCancel = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void UpdateTable();
  PlanData& plan_;
};
