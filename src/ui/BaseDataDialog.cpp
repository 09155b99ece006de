#include "ui/BaseDataDialog.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/PlanData.h"
#include "core/TextHelpers.h"

namespace {

enum class Choice { None, Folder, Excel, Word };

struct Field {
  const char* label;
  int setting;
  Choice choice;
};

const Field kFields[] = {
    {"Company ", 22, Choice::None},  {"Company Code", 7, Choice::None}, {"Sender Id", 6, Choice::None},
    {"Planner", 12, Choice::None},   {"Phone", 33, Choice::None},       {"Vessels ", 23, Choice::Folder},
    {"Archive", 44, Choice::Folder}, {"Sending ", 15, Choice::Folder},  {"Receiving", 16, Choice::Folder},
    {"Excel", 31, Choice::Excel},    {"Word", 32, Choice::Word},
};

}  // namespace

BaseDataDialog::BaseDataDialog(PlanData& plan, QWidget* parent) : QDialog(parent), plan_(plan) {
  setModal(true);
  setWindowTitle("Base Data");
  auto* form = new QFormLayout;
  for (const Field& f : kFields) {
    auto* edit = new QLineEdit(this);
    edit->setMinimumWidth(320);
    edits_.emplace_back(f.setting, edit);
    if (f.choice == Choice::None) {
      form->addRow(f.label, edit);
      continue;
    }
    auto* button = new QToolButton(this);
    button->setText("...");
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(button);
    form->addRow(f.label, row);
    if (f.choice == Choice::Folder) {
      button->setToolTip("choose the folder");
      connect(button, &QToolButton::clicked, this, [this, edit] { ChooseFolder(edit); });
    } else {
      const bool excel = f.choice == Choice::Excel;
      button->setToolTip(excel ? "search Excel.exe" : "search  Word Processor");
      const QString title = excel ? "EXCEL command selection" : "WORD command selection";
      connect(button, &QToolButton::clicked, this, [this, edit, title] { ChooseCommand(edit, title); });
    }
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

QLineEdit* BaseDataDialog::EditFor(int setting) const {
  for (const auto& [index, edit] : edits_)
    if (index == setting) return edit;
  return nullptr;
}

void BaseDataDialog::showEvent(QShowEvent* event) {
  stored_ = false;
  for (const auto& [index, edit] : edits_)
    edit->setText(QString::fromLatin1(plan_.Settings[static_cast<size_t>(index)].c_str()));
  QDialog::showEvent(event);
}

void BaseDataDialog::ChooseFolder(QLineEdit* edit) {
  const QString current = edit->text().trimmed();
  const QString start = current.size() > 2 && QFileInfo(current).isDir() ? current : QDir::homePath();
  const QString folder = QFileDialog::getExistingDirectory(this, QString(), start);
  if (!folder.isEmpty()) edit->setText(QDir::toNativeSeparators(folder));
}

void BaseDataDialog::ChooseCommand(QLineEdit* edit, const QString& title) {
  const QString program = edit->text().trimmed().section(' ', 0, 0);
  const QString start = program.isEmpty() ? QString() : QFileInfo(program).absolutePath();
  const QString file = QFileDialog::getOpenFileName(this, title, start, "Programs (*)");
  if (!file.isEmpty()) edit->setText(file);
}

void BaseDataDialog::Store() {
  if (stored_) return;
  stored_ = true;
  for (const auto& [index, edit] : edits_)
    plan_.Settings[static_cast<size_t>(index)] = edit->text().toLatin1().toStdString();
  if (onStored) onStored();
}

void BaseDataDialog::done(int result) {
  Store();
  QDialog::done(result);
}

void BaseDataDialog::closeEvent(QCloseEvent* event) {
  Store();
  QDialog::closeEvent(event);
}
