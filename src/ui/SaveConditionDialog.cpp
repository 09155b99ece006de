#include "ui/SaveConditionDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/UpperCaseEdit.h"

namespace {

struct TypeChoice {
  const char* letter;
  const char* caption;
};
constexpr TypeChoice kTypes[] = {
    {"A", "Arrival"}, {"B", "Before Loading"}, {"P", "Prestowage"}, {"D", "Departure"}};

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

}  // namespace

SaveConditionDialog::SaveConditionDialog(ConditionList& list, QWidget* parent)
    : QDialog(parent), list_(list) {
  setWindowTitle("Save Condition");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(true);
  const SaveConditionFields start = list_.SaveDialogFields();

  CBport = new QComboBox(this);
  CBport->setEditable(true);
  CBport->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& port : list_.SaveDialogPorts()) CBport->addItem(Latin1(port));
  MakeUpperCase(CBport->lineEdit());
  CBport->setEditText(Latin1(start.port));
  EDvoy = UpperEdit(this, 6);
  EDvoy->setText(Latin1(start.voyage));

  auto* typeBox = new QGroupBox("Type", this);
  auto* typeLayout = new QVBoxLayout(typeBox);
  RGtype = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) {
    auto* radio = new QRadioButton(kTypes[i].caption, typeBox);
    RGtype->addButton(radio, i);
    typeLayout->addWidget(radio);
    if (start.type == kTypes[i].letter) radio->setChecked(true);
  }

  LMessage = new QLabel(this);
  LMessage->setStyleSheet("color: red;");
  BSave = new QPushButton("Save", this);
  BSave->setDefault(true);
  BSave->setEnabled(RGtype->checkedId() >= 0);
  auto* cancel = new QPushButton("Cancel", this);
  connect(RGtype, &QButtonGroup::idClicked, this, [this] { BSave->setEnabled(true); });
  connect(BSave, &QPushButton::clicked, this, &SaveConditionDialog::BSaveClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* fields = new QFormLayout;
  fields->addRow("Port", CBport);
  fields->addRow("Voyage", EDvoy);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BSave);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(typeBox);
  layout->addWidget(LMessage);
  layout->addLayout(buttons);
}

SaveConditionFields SaveConditionDialog::Fields() const {
  SaveConditionFields fields;
  fields.port = UpperText(CBport->lineEdit());
  fields.voyage = UpperText(EDvoy);
  const int type = RGtype->checkedId();
  if (type >= 0) fields.type = kTypes[type].letter;
  return fields;
}

void SaveConditionDialog::BSaveClick() {
  if (RGtype->checkedId() < 0) return;
  Outcome = list_.SaveCondition(Fields());
  if (Outcome.closed) {
    accept();
    return;
  }
  LMessage->setText(Latin1(Outcome.messageLine));
}
