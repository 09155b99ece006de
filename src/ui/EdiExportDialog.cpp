#include "ui/EdiExportDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "core/DateText.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "edifact/EdiMail.h"
#include "planning/Selection.h"
#include "ui/QtCanvas.h"

namespace {

// The background of a MOVINS export, so that it is not taken for a BAPLIE.
constexpr Colour kMovinsColour = 12639424;

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Latin1(const QLineEdit* edit) { return edit->text().toLatin1().toStdString(); }

// Sets a field that the person may type at most maxLength characters into.
// A longer value from the plan is shown and written whole: cutting it here
// would put a wrong voyage or port into the file without anyone noticing.
void SetLimited(QLineEdit* edit, const std::string& value, int maxLength) {
  const QString text = Latin1(value);
  edit->setMaxLength(std::max<int>(maxLength, static_cast<int>(text.size())));
  edit->setText(text);
}

QDateTime ToDateTime(const std::tm& t) {
  return QDateTime(QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday), QTime(t.tm_hour, t.tm_min, t.tm_sec));
}

std::tm ToTm(const QDateTime& dateTime) {
  std::tm t{};
  const QDate d = dateTime.date();
  const QTime time = dateTime.time();
  t.tm_year = d.year() - 1900;
  t.tm_mon = d.month() - 1;
  t.tm_mday = d.day();
  t.tm_hour = time.hour();
  t.tm_min = time.minute();
  t.tm_sec = time.second();
  t.tm_wday = d.dayOfWeek() % 7;
  t.tm_yday = d.dayOfYear() - 1;
  t.tm_isdst = -1;
  return t;
}

QGroupBox* RadioGroup(QWidget* parent, const char* caption, std::initializer_list<const char*> items,
                      QButtonGroup*& buttons, bool vertical = false) {
  auto* group = new QGroupBox(caption, parent);
  QBoxLayout* line = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(group)) : new QHBoxLayout(group);
  buttons = new QButtonGroup(group);
  int id = 0;
  for (const char* item : items) {
    auto* radio = new QRadioButton(item, group);
    buttons->addButton(radio, id++);
    line->addWidget(radio);
  }
  return group;
}

}  // namespace

EdiExportDialog::EdiExportDialog(PlanData& plan, Host& host, EdiMessageKind kind,
                                 const std::vector<std::string>& portRotation, Selection* selection,
                                 QWidget* parent)
    : QDialog(parent), Programs(plan), plan_(plan), host_(host), selection_(selection) {
  setModal(true);
  const bool movins = kind == EdiMessageKind::Movins;
  setWindowTitle(movins ? "Export MOVINS" : "Export Baplie");
  Options.Kind = movins ? EdiMessageKind::Movins : EdiMessageKind::Baplie;
  Options.PortRotation = portRotation;

  EDdischVoy = new QLineEdit(this);
  EDloadVoy = new QLineEdit(this);
  EDdeparture = new QLineEdit(this);
  DTarrival = new QDateTimeEdit(this);
  DTdeparture = new QDateTimeEdit(this);
  DTeta = new QDateEdit(this);
  for (QDateTimeEdit* picker : {DTarrival, DTdeparture, static_cast<QDateTimeEdit*>(DTeta)})
    picker->setCalendarPopup(true);
  DTarrival->setDisplayFormat("yyyy/MM/dd HH:mm");
  DTdeparture->setDisplayFormat("yyyy/MM/dd HH:mm");
  DTeta->setDisplayFormat("yyyy/MM/dd");
  EDnextPort = new QLineEdit(this);
  EDrecipient = new QLineEdit(this);
  EDsender = new QLineEdit(this);
  EDcarrier = new QLineEdit(this);
  EDfileName = new QLineEdit(this);
  EDfolder = new QLineEdit(this);
  EDfileName->setMinimumWidth(260);

  auto* fields = new QFormLayout;
  fields->addRow("Discharging voy number", EDdischVoy);
  fields->addRow("Loading voy number", EDloadVoy);
  fields->addRow("Place of departure", EDdeparture);
  fields->addRow("Date/time of arrival", DTarrival);
  fields->addRow("Date/time of departure", DTdeparture);
  fields->addRow("Estimated date of arrival", DTeta);
  fields->addRow("Next port of call", EDnextPort);
  fields->addRow("Recipient Id", EDrecipient);
  fields->addRow("Sender Id", EDsender);
  fields->addRow("Carrier code", EDcarrier);

  RGvesselId = RadioGroup(this, "Vessel Id:", {"Call sign", "IMO number"}, vesselIdButtons, true);
  RGfunction = RadioGroup(this, "Function code", {"Original", "Add", "Change", "Replace", "Delete", "Final"},
                          functionButtons, true);
  RGversion = RadioGroup(this, "Version", {"15", "20", "22"}, versionButtons, true);
  RGtermination =
      RadioGroup(this, "Segment termination", {"LF/CR    ", "CR", "NIL"}, terminationButtons, true);
  RGvoid = RadioGroup(this, "Void Slots", {"yes", "no"}, voidButtons, true);
  auto* groups = new QHBoxLayout;
  for (QGroupBox* group : {RGvesselId, RGfunction, RGversion, RGtermination, RGvoid})
    groups->addWidget(group, 0, Qt::AlignTop);

  auto* file = new QFormLayout;
  file->addRow("File Name", EDfileName);
  file->addRow("In Folder", EDfolder);

  PAreports = new QGroupBox("Reports", this);
  auto* reports = new QVBoxLayout(PAreports);
  CBinstructions = new QCheckBox("Instructions", PAreports);
  CBcranes = new QCheckBox(PAreports);
  CBlpLoad = new QCheckBox("LP load", PAreports);
  CBlpDisch = new QCheckBox("LP discharge", PAreports);
  for (QCheckBox* box : {CBinstructions, CBcranes, CBlpLoad, CBlpDisch}) reports->addWidget(box);
  SetCraneCount(2);

  LUnits = new QLabel("0", this);
  LUnitsCaption = new QLabel(movins ? "to Movins" : "to baplie", this);
  CBsendMess = new QCheckBox("Send Mess", this);
  auto* progress = new QHBoxLayout;
  progress->addWidget(LUnits);
  progress->addWidget(LUnitsCaption);
  progress->addStretch();
  progress->addWidget(CBsendMess);

  BOk = new QPushButton("OK", this);
  BOk->setDefault(true);
  BCancel = new QPushButton("Cancel", this);
  BSel = new QPushButton("Sel", this);
  connect(BOk, &QPushButton::clicked, this, &EdiExportDialog::BOkClick);
  connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(BSel, &QPushButton::clicked, this, &EdiExportDialog::BSelClick);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BSel);
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addWidget(BCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(groups);
  layout->addLayout(file);
  layout->addWidget(PAreports);
  layout->addLayout(progress);
  layout->addLayout(buttons);

  // A MOVINS offers its reports instead of the selection filter: it always
  // holds every restow and load of the port.
  PAreports->setVisible(movins);
  BSel->setVisible(!movins);
  RGversion->setEnabled(!movins);
  if (movins) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(kMovinsColour));
    setPalette(palette);
    setAutoFillBackground(true);
  }

  ShowDefaults(LocalNow());
  ResetSelection();
}

void EdiExportDialog::ShowDefaults(const std::tm& now) {
  const EdiMessageKind kind = Options.Kind;
  const int plane = Options.Plane;
  Options = EdiExportDefaults(plan_, kind, Options.PortRotation, now);
  Options.Plane = plane;
  const EdiExportOptions& o = Options;
  const bool movins = o.Kind == EdiMessageKind::Movins;
  SetLimited(EDdischVoy, o.DischargingVoy, 5);
  SetLimited(EDloadVoy, o.LoadingVoy, 5);
  SetLimited(EDdeparture, o.PlaceOfDeparture, 5);
  // Only an arrival condition leaves the place of departure to the planner.
  EDdeparture->setReadOnly(plan_.VesHdr[VesHdrIx::Adp] != "A");
  SetLimited(EDnextPort, o.NextPort, 5);
  EDrecipient->setText(Latin1(o.Recipient));
  EDsender->setText(Latin1(o.Sender));
  EDcarrier->setText(Latin1(o.Carrier));
  DTarrival->setDateTime(ToDateTime(o.Arrival));
  DTdeparture->setDateTime(ToDateTime(o.Departure));
  DTeta->setDate(ToDateTime(o.EstimatedArrival).date());
  vesselIdButtons->button(o.VesselIdImoNumber ? 1 : 0)->setChecked(true);
  functionButtons->button(static_cast<int>(o.Function))->setChecked(true);
  versionButtons->button(o.Version == "15" ? 0 : o.Version == "22" ? 2 : 1)->setChecked(true);
  terminationButtons->button(o.SegmentEnd == "\r\n" ? 0 : o.SegmentEnd == "\r" ? 1 : 2)->setChecked(true);
  voidButtons->button(o.VoidSlots ? 0 : 1)->setChecked(true);
  EDfileName->setText(QFile::decodeName(o.FileName.c_str()));
  EDfolder->setText(QFile::decodeName(o.Folder.string().c_str()));
  const bool reports = movins && plan_.Settings[SettingsIx::MovinsCreateReports] > "0";
  for (QCheckBox* box : {CBinstructions, CBcranes, CBlpLoad, CBlpDisch}) box->setChecked(reports);
}

EdiExportOptions EdiExportDialog::CurrentOptions() const {
  EdiExportOptions o = Options;
  o.DischargingVoy = Latin1(EDdischVoy);
  o.LoadingVoy = Latin1(EDloadVoy);
  o.PlaceOfDeparture = Latin1(EDdeparture);
  o.NextPort = Latin1(EDnextPort);
  o.Recipient = Latin1(EDrecipient);
  o.Sender = Latin1(EDsender);
  o.Carrier = Latin1(EDcarrier);
  o.Arrival = ToTm(DTarrival->dateTime());
  o.Departure = ToTm(DTdeparture->dateTime());
  o.EstimatedArrival = ToTm(QDateTime(DTeta->date(), QTime(0, 0)));
  o.VesselIdImoNumber = vesselIdButtons->checkedId() == 1;
  o.Function = static_cast<EdiFunction>(std::max(0, functionButtons->checkedId()));
  static const char* const kVersions[] = {"15", "20", "22"};
  o.Version =
      o.Kind == EdiMessageKind::Movins ? "20" : kVersions[std::clamp(versionButtons->checkedId(), 0, 2)];
  static const char* const kEndings[] = {"\r\n", "\r", ""};
  o.SegmentEnd = kEndings[std::clamp(terminationButtons->checkedId(), 0, 2)];
  o.VoidSlots = voidButtons->checkedId() == 0;
  o.FileName = QFile::encodeName(EDfileName->text().trimmed()).toStdString();
  o.Folder = std::filesystem::path(QFile::encodeName(EDfolder->text().trimmed()).toStdString());
  return o;
}

void EdiExportDialog::SetCraneCount(int cranes) {
  CBcranes->setText(QString::number(cranes) + " Cranes split");
}

void EdiExportDialog::ResetSelection() {
  if (selection_ != nullptr) {
    selection_->RequestedPlane = Options.Plane;
    selection_->ResetSelection();
    return;
  }
  if (Options.Plane >= 0 && Options.Plane < kPlaneCount)
    for (StructDat& record : plan_.Dat[static_cast<size_t>(Options.Plane)]) record.SELECTED = 1;
}

void EdiExportDialog::BSelClick() {
  if (OpenSelection) OpenSelection(Options.Plane);
}

void EdiExportDialog::BOkClick() {
  const EdiExportOptions options = CurrentOptions();
  // Counted before writing: writing resets the selection marks.
  UnitsWritten = WriteInterchange(plan_, options).Units;
  LUnits->setText(QString::number(UnitsWritten));
  if (!ExportEdi(plan_, options, host_, false)) {
    UnitsWritten = 0;
    LUnits->setText("0");
    return;
  }
  Options = options;
  FileWritten = true;
  if (CBsendMess->isChecked()) MailExportedFile();
  accept();
}

bool EdiExportDialog::MailExportedFile() {
  const std::filesystem::path exported = Options.Folder / Options.FileName;
  const EdiMail mail = EdiMailFor(plan_, Options.Kind, exported);
  std::vector<std::string> files;
  for (const std::filesystem::path& file : mail.files) files.push_back(file.string());
  if (!Programs.SendMail(mail.subject, files, host_)) return false;
  std::error_code ec;
  std::filesystem::remove(exported, ec);
  return true;
}

void EdiExportDialog::done(int result) {
  if (!stored_) {
    stored_ = true;
    StoreExportChoices(plan_, CurrentOptions());
  }
  QDialog::done(result);
}

bool EdiExportDialog::ExportBaplie(PlanData& plan, Host& host, const std::vector<std::string>& portRotation,
                                   Selection* selection, QWidget* parent) {
  EdiExportDialog form(plan, host, EdiMessageKind::Baplie, portRotation, selection, parent);
  form.exec();
  return form.FileWritten;
}
