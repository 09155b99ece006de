#include "ui/EdiImportDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/PlanContext.h"

namespace {

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Latin1(const QString& text) { return text.toLatin1().toStdString(); }

// The folder entered last in the import file dialog; kept for the rest of
// the run so that the next import starts where the planner left off.
QString& LastImportFolder() {
  static QString folder;
  return folder;
}

// The window repaints its counters at most this often while a long message
// is read, so that painting does not slow the import down.
constexpr qint64 kCounterPaintMs = 100;

QLineEdit* ReadOnlyBox(QWidget* parent, int width) {
  auto* box = new QLineEdit(parent);
  box->setReadOnly(true);
  box->setFixedWidth(width);
  return box;
}

}  // namespace

EdiImportDialog::EdiImportDialog(PlanContext& ctx, BaseData& base, QWidget* parent)
    : QDialog(parent), Import(ctx, base), ctx_(ctx) {
  setModal(true);
  setWindowTitle("Import Baplie");

  // Header panel: one row widget per line, so that a row hides as a whole.
  PAheader = new QWidget(this);
  auto* header = new QVBoxLayout(PAheader);
  header->setContentsMargins(0, 0, 0, 0);
  auto addRow = [&](const char* caption, std::initializer_list<QWidget*> boxes) {
    auto* row = new QWidget(PAheader);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption, row);
    label->setMinimumWidth(170);
    line->addWidget(label);
    for (QWidget* box : boxes) {
      box->setParent(row);
      line->addWidget(box);
    }
    line->addStretch();
    header->addWidget(row);
    return label;
  };
  EDvessel = ReadOnlyBox(PAheader, 200);
  EDvesselCode = ReadOnlyBox(PAheader, 90);
  EDdischVoy = ReadOnlyBox(PAheader, 70);
  EDloadVoy = ReadOnlyBox(PAheader, 70);
  EDdeparture = ReadOnlyBox(PAheader, 70);
  EDarrivalDate = ReadOnlyBox(PAheader, 130);
  EDdepartureDate = ReadOnlyBox(PAheader, 130);
  EDnextPort = ReadOnlyBox(PAheader, 70);
  EDnextArrival = ReadOnlyBox(PAheader, 130);
  EDsender = ReadOnlyBox(PAheader, 200);
  EDrecipient = ReadOnlyBox(PAheader, 200);
  EDcarrier = ReadOnlyBox(PAheader, 90);
  addRow("Vessel", {EDvessel, EDvesselCode});
  LdischVoy = addRow("Discharging voy number", {EDdischVoy});
  addRow("Loading voy number", {EDloadVoy});
  Ldeparture = addRow("Place of departure", {EDdeparture});
  addRow("Date/time of arrival", {EDarrivalDate});
  addRow("Date/time of departure", {EDdepartureDate});
  addRow("Next port  of call", {EDnextPort});
  addRow("Arrival at next port ", {EDnextArrival});
  addRow("Sender", {EDsender});
  addRow("Recipient", {EDrecipient});
  addRow("Carrier code", {EDcarrier});

  auto radioGroup = [&](const char* caption, std::initializer_list<const char*> items,
                        QButtonGroup*& buttons) {
    auto* group = new QGroupBox(caption, PAheader);
    auto* line = new QHBoxLayout(group);
    buttons = new QButtonGroup(group);
    int id = 0;
    for (const char* item : items) {
      auto* radio = new QRadioButton(item, group);
      buttons->addButton(radio, id++);
      line->addWidget(radio);
    }
    header->addWidget(group);
    return group;
  };
  RGversion = radioGroup("Version", {"1.5", "2.0", "2.2"}, versionButtons);
  RGfunction = radioGroup("Function code", {"Original", "Add", "Change", "Replace", "Delete", "Final"},
                          functionButtons);
  // The header is what the file says; nothing in it is edited here.
  PAheader->setEnabled(false);

  PAoptions = new QWidget(this);
  auto* options = new QHBoxLayout(PAoptions);
  options->setContentsMargins(0, 0, 0, 0);
  CBdumpo = new QCheckBox("Dump/Load", PAoptions);
  CBdum = new QCheckBox("Dump all", PAoptions);
  CBwei = new QCheckBox("Clear weigths", PAoptions);
  EDpod = new QLineEdit(PAoptions);
  EDpod->setFixedWidth(70);
  options->addWidget(CBdumpo);
  options->addWidget(CBdum);
  options->addWidget(CBwei);
  options->addWidget(EDpod);
  options->addStretch();
  // The two dump modes exclude each other; both may be off.
  connect(CBdumpo, &QCheckBox::toggled, this, [this](bool on) {
    if (on) CBdum->setChecked(false);
  });
  connect(CBdum, &QCheckBox::toggled, this, [this](bool on) {
    if (on) CBdumpo->setChecked(false);
  });
  connect(EDpod, &QLineEdit::textEdited, this, [this](const QString& text) {
    const int cursor = EDpod->cursorPosition();
    EDpod->setText(text.toUpper());
    EDpod->setCursorPosition(cursor);
  });

  auto* counters = new QHBoxLayout;
  LLoaded = new QLabel("0", this);
  LToQuay = new QLabel("0", this);
  LLoaded->setObjectName("loadedCount");
  LToQuay->setObjectName("toQuayCount");
  LLoadedCaption = new QLabel("loaded", this);
  counters->addWidget(LLoaded);
  counters->addWidget(LLoadedCaption);
  counters->addSpacing(20);
  counters->addWidget(LToQuay);
  counters->addWidget(new QLabel("to quay", this));
  counters->addStretch();

  BOk = new QPushButton("OK", this);
  BOk->setDefault(true);
  BCancel = new QPushButton("Cancel", this);
  connect(BOk, &QPushButton::clicked, this, &EdiImportDialog::BOkClick);
  connect(BCancel, &QPushButton::clicked, this, &EdiImportDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addWidget(BCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PAheader);
  layout->addWidget(PAoptions);
  layout->addLayout(counters);
  layout->addLayout(buttons);

  Import.UnitDone = [this] { UnitDone(); };
}

QWidget* EdiImportDialog::RowOf(QWidget* box) const { return box->parentWidget(); }

bool EdiImportDialog::OpenFile(const std::string& path) {
  if (!Import.Open(std::filesystem::path(path))) return false;
  ShowHeader();
  return true;
}

void EdiImportDialog::OpenBytes(std::string bytes) {
  Import.OpenBytes(std::move(bytes));
  ShowHeader();
}

void EdiImportDialog::ShowHeader() {
  const EdiHeader& h = Import.Header;
  const bool movins = h.Kind == EdiMessageKind::Movins;
  const bool coprar = h.Kind == EdiMessageKind::Coprar;
  setWindowTitle(Latin1(h.Caption));
  EDvessel->setText(Latin1(h.VesselName));
  EDvesselCode->setText(Latin1(h.VesselCode));
  EDdischVoy->setText(Latin1(h.DischargingVoy));
  EDloadVoy->setText(Latin1(h.LoadingVoy));
  EDdeparture->setText(Latin1(h.Departure));
  EDarrivalDate->setText(Latin1(h.ArrivalDate));
  EDdepartureDate->setText(Latin1(h.DepartureDate));
  EDnextPort->setText(Latin1(h.NextPort));
  EDnextArrival->setText(Latin1(h.NextPortArrival));
  EDsender->setText(Latin1(h.Sender));
  EDrecipient->setText(Latin1(h.Recipient));
  EDcarrier->setText(Latin1(h.Carrier));
  const int version = h.Version == "1.5" ? 0 : h.Version == "2.2" ? 2 : 1;
  versionButtons->button(version)->setChecked(true);
  functionButtons->button(static_cast<int>(h.Function))->setChecked(true);

  CBdumpo->setChecked(Import.Options.DumpLoad);
  CBdum->setChecked(Import.Options.DumpAll);
  CBwei->setChecked(Import.Options.ClearWeights);
  EDpod->setText(Latin1(Import.Options.ThisPort));

  LdischVoy->setText(coprar ? "Voy number" : "Discharging voy number");
  Ldeparture->setText(coprar ? "Port of Loading" : "Place of departure");
  RowOf(EDdepartureDate)->setVisible(!movins);
  RowOf(EDnextArrival)->setVisible(!movins && !coprar);
  CBwei->setVisible(movins);
  PAoptions->setVisible(!coprar);
  RowOf(EDloadVoy)->setVisible(!coprar);
  RowOf(EDnextPort)->setVisible(!coprar);
  RowOf(EDrecipient)->setVisible(!coprar);
  RGversion->setVisible(!coprar);
  LLoaded->setVisible(!coprar);
  LLoadedCaption->setVisible(!coprar);
  Imported = false;
  ShowCounters();
}

void EdiImportDialog::ShowCounters() {
  LLoaded->setText(QString::number(Import.Loaded));
  LToQuay->setText(QString::number(Import.Refused));
}

void EdiImportDialog::UnitDone() {
  ShowCounters();
  emit countersChanged(Import.Loaded, Import.Refused);
  // Let the counters paint now and then; the person's clicks wait until the
  // import is over, so nothing can start a second run or close the window.
  if (!sincePaint_.isValid() || sincePaint_.elapsed() >= kCounterPaintMs) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePaint_.start();
  }
}

void EdiImportDialog::BOkClick() {
  if (running_) return;
  EdiImportOptions& options = Import.Options;
  options.DumpLoad = CBdumpo->isChecked();
  options.DumpAll = CBdum->isChecked() && !options.DumpLoad;
  options.ClearWeights = CBwei->isChecked();
  options.ThisPort = Latin1(EDpod->text().trimmed().toUpper());
  running_ = true;
  BOk->setEnabled(false);
  BCancel->setEnabled(false);
  sincePaint_.invalidate();
  Import.Loaded = 0;
  Import.Refused = 0;
  ShowCounters();
  Imported = Import.Run();
  ShowCounters();
  running_ = false;
  BOk->setEnabled(true);
  BCancel->setEnabled(true);
  accept();
}

void EdiImportDialog::reject() {
  if (running_) return;
  QDialog::reject();
}

void EdiImportDialog::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

bool EdiImportDialog::ImportFile(PlanContext& ctx, BaseData& base, const std::string& path, QWidget* parent) {
  EdiImportDialog form(ctx, base, parent);
  if (!form.OpenFile(path)) return false;
  if (ctx.plan.ConfigMode != 0)
    form.BOkClick();
  else
    form.exec();
  return form.Imported;
}

QString EdiImportDialog::ImportStartFolder(const PlanData& plan) {
  if (!LastImportFolder().isEmpty()) return LastImportFolder();
  std::filesystem::path folder = std::filesystem::path(plan.VesselDir) / "edi";
  const std::string& ediDir = plan.VesHdr[VesHdrIx::EdiDir];
  if (ediDir > " ") folder = ediDir;
  if (plan.Settings[SettingsIx::EdiFileInSending] > "0") folder = plan.Settings[SettingsIx::SendingDir];
  return QFile::decodeName(folder.string().c_str());
}

void EdiImportDialog::ForgetImportFolder() { LastImportFolder().clear(); }

std::string EdiImportDialog::AskImportFile(const PlanData& plan, QWidget* parent) {
  QFileDialog dialog(parent, QString(), ImportStartFolder(plan));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // "*" rather than "*.*": files without an extension are EDIFACT files too.
  dialog.setNameFilters({"All Files (*)", "EDI Files (*.edi)"});
  // A folder the planner moved to is where the next import starts, also
  // when this one was cancelled. The folder the dialog opened in may differ
  // from the one asked for (when that one does not exist); it is not a
  // choice and is not remembered.
  const QString opened = dialog.directory().absolutePath();
  const int result = dialog.exec();
  const QString left = dialog.directory().absolutePath();
  if (left != opened) LastImportFolder() = left;
  if (result != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return {};
  const std::string file = QFile::encodeName(files.first()).toStdString();
  // A name of blanks only names no file.
  if (!(std::filesystem::path(file).filename().string() > " ")) return {};
  return file;
}
