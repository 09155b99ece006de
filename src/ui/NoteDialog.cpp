#include "ui/NoteDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NoteDialog::NoteDialog(const std::string& container, const std::array<std::string, 4>& notes, QWidget* parent)
    : QDialog(parent), Notes(notes) {
  setWindowTitle(QString::fromLatin1("NOTES - equipment: ") + QString::fromLatin1(container.c_str()));
  setModal(true);
  auto* form = new QFormLayout;
  auto field = [&](const char* label, const std::string& text) {
    auto* edit = new QLineEdit(QString::fromLatin1(text.c_str()), this);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(60, 'M')) / 2);
    form->addRow(label, edit);
    return edit;
  };
  EDhan = field("Handling", notes[0]);
  EDclr = field("Loading", notes[1]);
  EDaaa = field("Goods", notes[2]);
  EDzzz = field("Others", notes[3]);
  SBsav = new QPushButton("Save", this);
  SBrem = new QPushButton("Remove", this);
  SBexi = new QPushButton("Exit", this);
  connect(SBsav, &QPushButton::clicked, this, &NoteDialog::SBsavClick);
  connect(SBrem, &QPushButton::clicked, this, &NoteDialog::SBremClick);
  connect(SBexi, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {SBsav, SBrem, SBexi}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
}

void NoteDialog::SBsavClick() {
  int i = 0;
  for (QLineEdit* edit : {EDhan, EDclr, EDaaa, EDzzz})
    Notes[static_cast<size_t>(i++)] = edit->text().trimmed().toLatin1().toStdString();
  Changed = true;
  accept();
}

void NoteDialog::SBremClick() {
  Notes.fill(std::string());
  Changed = true;
  accept();
}
