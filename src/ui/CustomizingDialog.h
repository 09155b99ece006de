#pragma once

// CustomizingDialog, "Customizing": the on/off options, one check box per setting
// 67 + tag. A setting is rewritten only where its box disagrees with it, so
// values other than "0" and "1" survive a look at the window.

#include <QDialog>
#include <functional>
#include <vector>

struct PlanData;
class QCheckBox;

inline constexpr int kCustomOptionCount = 24;

class CustomizingDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CustomizingDialog(PlanData& plan, QWidget* parent = nullptr);

  std::function<void()> onStored;
  QCheckBox* Box(int tag) const { return boxes_[static_cast<size_t>(tag)]; }

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Store();
  PlanData& plan_;
  std::vector<QCheckBox*> boxes_;
  bool stored_ = false;
};
