#include "ui/CustomizingDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "core/PlanData.h"

namespace {

const char* const kCaptions[kCustomOptionCount] = {
    "Automatic Condition Saving",
    "All Bays: Loading List: opened ",
    "All Bays: Check reefers/hazardous segregation",
    "All Bays: bay 40'  in vertical view",
    "All Bays: Cells Squared",
    "All Bays: Black on background",
    "All Bays: Protection on other ports",
    "All Bays: Quay opened",
    "All Bays: Immediate check of segregation ",
    "Save modified condition",
    "Letter plan: coloured",
    "Letter plan: high resolution",
    "Letter plan: report  on 2 pages",
    "Loading List: Autoselect",
    "Loading List: Sort by Weight",
    "Loading List: loading mode",
    "MOVINS: Clear weights: flagged",
    "MOVINS: Create reports : flagged",
    "BAPLIE: create file in Sending",
    "BAPLIE: Void slots = yes",
    "BAPLIE: carriage return = yes",
    "BAPLIE: 7 digits on container number",
    "Loading List as Text File",
    "High cube lost teus calculation",
};

std::string& Option(PlanData& plan, int tag) {
  return plan.Settings[static_cast<size_t>(SettingsIx::FirstCustomOption + tag)];
}

}  // namespace

CustomizingDialog::CustomizingDialog(PlanData& plan, QWidget* parent) : QDialog(parent), plan_(plan) {
  setModal(true);
  setWindowTitle("Customizing");
  auto* layout = new QVBoxLayout(this);
  for (int tag = 0; tag < kCustomOptionCount; ++tag) {
    auto* box = new QCheckBox(kCaptions[tag], this);
    boxes_.push_back(box);
    layout->addWidget(box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void CustomizingDialog::showEvent(QShowEvent* event) {
  stored_ = false;
  for (int tag = 0; tag < kCustomOptionCount; ++tag)
    boxes_[static_cast<size_t>(tag)]->setChecked(Option(plan_, tag) > "0");
  QDialog::showEvent(event);
}

void CustomizingDialog::Store() {
  if (stored_) return;
  stored_ = true;
  for (int tag = 0; tag < kCustomOptionCount; ++tag) {
    std::string& value = Option(plan_, tag);
    const bool checked = boxes_[static_cast<size_t>(tag)]->isChecked();
    if (value > "0" && !checked)
      value = "0";
    else if (value < "1" && checked)
      value = "1";
  }
  if (onStored) onStored();
}

void CustomizingDialog::done(int result) {
  Store();
  QDialog::done(result);
}

void CustomizingDialog::closeEvent(QCloseEvent* event) {
  Store();
  QDialog::closeEvent(event);
}
