#include "ui/PlanPrintWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "core/DateText.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/BayLayout.h"
#include "planning/Selection.h"
#include "reports/PlanPage.h"
#include "ui/PrintService.h"
#include "ui/QtCanvas.h"

namespace {

// The folder the save dialog opens in (the sending folder); a picture saved
// elsewhere does not move it, since the EDIFACT exchange writes there.
constexpr int kPictureDirSetting = SettingsIx::SendingDir;
constexpr int kDisColourSetting = 77;
constexpr int kHighResolutionSetting = 78;
constexpr int kMonochrome = 4;

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

const char* const kColourItems[] = {"dis", "loa", "d/l", "wgt", "b/w"};
const char* const kLetterItems[] = {"no", "dis", "loa", "tons", "imo", "size", "wcl"};
const char* const kFieldItems[] = {"Size/Type", "Iso", "tons", "Pol", "Pod", "Prs", "Container", "Oper", "Imo/Un", "Temps"};

QGroupBox* RadioRow(const QString& title, const char* const* items, int count, QButtonGroup*& group,
                    QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(6, 2, 6, 2);
  group = new QButtonGroup(box);
  for (int k = 0; k < count; ++k) {
    auto* button = new QRadioButton(QString::fromLatin1(items[k]), box);
    group->addButton(button, k);
    row->addWidget(button);
  }
  return box;
}

// The page of the printer in device pixels, in the orientation it has.
QSize PagePixels(QPrinter& printer) {
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  return page.size().isEmpty() ? QSize(1123, 794) : page.size();
}

class Busy {
 public:
  Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Busy() { QApplication::restoreOverrideCursor(); }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;
};

}  // namespace

PlanPrintWindow::PlanPrintWindow(PlanData& plan, Selection& selection, PrintService& printer, bool bayPlanMode,
                                 QWidget* parent)
    : QDialog(parent), BayPlanMode(bayPlanMode), plan_(plan), selection_(selection), printer_(printer) {
  // Every line of a printed cell but the ISO code, which stands in for
  // size and type when chosen.
  plan_.PrintFields.fill(1);
  plan_.PrintFields[1] = 0;
  StatusText = Trim(plan_.VesHdr[VesHdrIx::Vessel]);
  if (!Trim(plan_.PlaneTitle[kCurPlane]).empty()) StatusText += " - " + plan_.PlaneTitle[kCurPlane];

  TB = new QToolBar(this);
  TB->setToolButtonStyle(Qt::ToolButtonTextOnly);
  SBprint = TB->addAction(tr("Print"));
  SBprint->setToolTip(tr("Print"));
  SBpicture = TB->addAction(tr("Picture"));
  SBpicture->setToolTip(tr("Save as picture"));
  TB->addSeparator();
  SBsel = TB->addAction(tr("Sel"));
  SBsel->setToolTip(tr("Selection"));
  SBrst = TB->addAction(tr("rst"));
  SBrst->setToolTip(tr("Reset the selection"));
  SBfields = TB->addAction(tr("Fields"));
  SBfields->setToolTip(tr("Lines of a printed cell"));
  SBfields->setVisible(BayPlanMode);
  connect(SBprint, &QAction::triggered, this, &PlanPrintWindow::PrintPlan);
  connect(SBpicture, &QAction::triggered, this, [this] { SavePicture(); });
  connect(SBsel, &QAction::triggered, this, [this] {
    if (OpenSelection) OpenSelection();
    Rerender();
  });
  connect(SBrst, &QAction::triggered, this, [this] {
    selection_.RequestedPlane = plan_.CurPlane;
    selection_.ResetSelection();
    Rerender();
  });
  connect(SBfields, &QAction::triggered, this, [this] { PAflg->setVisible(!PAflg->isVisible()); });

  RGcolorBox = RadioRow(tr("Colour"), kColourItems, 5, RGcolor, this);
  RG2Box = RadioRow(tr("Letter"), kLetterItems, 7, RG2, this);
  const char* const resolutions[] = {"low", "hig"};
  RGres = RadioRow(tr("Resolution"), resolutions, 2, RGresButtons, this);
  SetColourChoice(plan_.Settings[kDisColourSetting] == "1" ? 0 : kMonochrome);
  SetLetterChoice(1);
  SetHighResolution(plan_.Settings[kHighResolutionSetting] == "1");
  // Both port colours in a cell leave no room for a letter.
  connect(RGcolor, &QButtonGroup::idClicked, this, [this](int id) {
    if (id == 2) SetLetterChoice(0);
  });
  for (QButtonGroup* group : {RGcolor, RG2, RGresButtons})
    connect(group, &QButtonGroup::idClicked, this, [this] { Rerender(); });

  LIbay = new QListWidget(this);
  LIbay->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LIbay->setStyleSheet("QListWidget { background: yellow; }");
  LIbay->setFixedWidth(70);
  for (int b = 0; b < std::clamp(plan_.BayCount, 0, kMaxBays); ++b)
    LIbay->addItem(Latin1(Trim(plan_.Bays[static_cast<size_t>(b)].BAY)));
  connect(LIbay, &QListWidget::itemClicked, this, [this] { SelectBay(); });
  LIbay->setVisible(BayPlanMode);

  PAflg = new QWidget(this);
  auto* flags = new QVBoxLayout(PAflg);
  for (int k = 0; k < kPrintFields; ++k) {
    Flags[static_cast<size_t>(k)] = new QCheckBox(QString::fromLatin1(kFieldItems[k]), PAflg);
    Flags[static_cast<size_t>(k)]->setChecked(plan_.PrintFields[static_cast<size_t>(k)] != 0);
    flags->addWidget(Flags[static_cast<size_t>(k)]);
    connect(Flags[static_cast<size_t>(k)], &QCheckBox::toggled, this, [this, k](bool on) {
      plan_.PrintFields[static_cast<size_t>(k)] = on ? 1 : 0;
      Rerender();
    });
  }
  flags->addStretch();
  PAflg->setVisible(false);

  Image = new QLabel;
  Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image->setBackgroundRole(QPalette::Dark);
  Scroll = new QScrollArea(this);
  Scroll->setWidget(Image);
  Scroll->setWidgetResizable(false);
  Scroll->viewport()->installEventFilter(this);

  auto* choices = new QHBoxLayout;
  choices->addWidget(RGcolorBox);
  choices->addWidget(RG2Box);
  choices->addWidget(RGres);
  choices->addStretch();
  auto* body = new QHBoxLayout;
  body->addWidget(LIbay);
  body->addWidget(PAflg);
  body->addWidget(Scroll, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(TB);
  layout->addLayout(choices);
  layout->addLayout(body, 1);

  ChoosePictureFile = [this] {
    QFileDialog dialog(this, tr("Save picture"), Latin1(plan_.Settings[kPictureDirSetting]));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({tr("PNG picture (*.png)"), tr("TIFF picture (*.tif)"), tr("Bit map (*.bmp)")});
    dialog.setDefaultSuffix("png");
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                  : QString();
  };
  Tell = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
  resize(1280, 860);
  UpdateCaption();
}

void PlanPrintWindow::UpdateCaption() {
  setWindowTitle((BayPlanMode ? tr("Bay Plan") : tr("Letter Plan")) + " - " + Latin1(StatusText));
}

int PlanPrintWindow::ColourChoice() const { return std::max(RGcolor->checkedId(), 0); }
int PlanPrintWindow::LetterChoice() const { return std::max(RG2->checkedId(), 0); }
bool PlanPrintWindow::HighResolution() const { return RGresButtons->checkedId() == 1; }

void PlanPrintWindow::SetColourChoice(int mode) {
  if (QAbstractButton* button = RGcolor->button(std::clamp(mode, 0, 4))) button->setChecked(true);
}
void PlanPrintWindow::SetLetterChoice(int mode) {
  if (QAbstractButton* button = RG2->button(std::clamp(mode, 0, 6))) button->setChecked(true);
}
void PlanPrintWindow::SetHighResolution(bool high) { RGresButtons->button(high ? 1 : 0)->setChecked(true); }

void PlanPrintWindow::ChooseBays(const std::vector<int>& bays) {
  LIbay->clearSelection();
  for (int row = 0; row < LIbay->count(); ++row) {
    const int number = ParseInt(LIbay->item(row)->text().toLatin1().toStdString());
    if (std::find(bays.begin(), bays.end(), number) != bays.end()) LIbay->item(row)->setSelected(true);
  }
}

void PlanPrintWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  UpdateCaption();
  Rerender();
}

// The preview fills its room: a new size of the room draws it again.
bool PlanPrintWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Scroll->viewport() && event->type() == QEvent::Resize) Rerender();
  return QDialog::eventFilter(watched, event);
}

void PlanPrintWindow::Rerender() {
  if (isVisible()) RenderPlan(kPreview);
}

void PlanPrintWindow::RenderPlan(int target) {
  if (BayPlanMode && ShownBay <= 0) return;
  Busy busy;
  PlanPageRequest request;
  request.bayPlan = BayPlanMode;
  request.bay = ShownBay;
  request.colourMode = ColourChoice();
  request.letterMode = LetterChoice();
  request.section = plan_.SectionFilter;
  request.printMode = plan_.PlanPrintMode;
  request.view.onlyDangerous = selection_.Checks.OnlyDangerous;
  request.dateLine = PlanDateLine(plan_, LocalNow());
  // The one port left in a port list of the filter names the plan; stale
  // lists filter nothing.
  if (!selection_.ListsStale() && selection_.ShownPlane == plan_.CurPlane) {
    selection_.SinglePortLeft(kSelPol, request.singleLoadPort);
    selection_.SinglePortLeft(kSelPod, request.singleDischargePort);
  }

  QPrinter& printer = printer_.Printer();
  if (target == kPrintPage) {
    const QSize page = PagePixels(printer);
    const PlanBitmapSize size = PlanPageBitmap(plan_, page.width(), page.height(), HighResolution());
    RGres->setTitle(tr("Resolution: %1 x %2").arg(size.width).arg(size.height));
    const bool continuing = plan_.PrintJobOpen != 0;
    printer_.PrintJob(true);
    QtCanvas* sheet = printer_.Page();
    QPainter* painter = printer_.Painter();
    if (sheet && painter) {
      if (continuing) sheet->NewPage();
      // Drawn in the page's own coordinates, stretched to the whole page:
      // lines and letters stay sharp on paper and searchable in a PDF.
      painter->save();
      painter->scale(static_cast<double>(page.width()) / size.width, static_cast<double>(page.height()) / size.height);
      QtCanvas canvas(*painter, size.width, size.height, &printer);
      DrawPlanPage(canvas, plan_, request);
      painter->restore();
      ++PagesPrinted;
    }
  } else {
    // Preview and picture show the whole plan on one landscape page.
    QSize page = PagePixels(printer);
    if (page.width() < page.height()) page.transpose();
    PlanBitmapSize size = PlanPageBitmap(plan_, page.width(), page.height(), HighResolution());
    if (target == kPreview) {
      // The whole page in view, in the page's proportions.
      const QSize room = Scroll->viewport()->size() - QSize(4, 4);
      int width = std::max(room.width(), 600);
      int height = width * page.height() / page.width();
      if (height > room.height() && room.height() * page.width() / page.height() >= 600) {
        height = room.height();
        width = height * page.width() / page.height();
      }
      size = {width, height};
    }
    RGres->setTitle(tr("Resolution: %1 x %2").arg(size.width).arg(size.height));
    QImage image(size.width, size.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      QtCanvas canvas(painter, size.width, size.height);
      DrawPlanPage(canvas, plan_, request);
    }
    if (request.colourMode == kMonochrome) image = image.convertToFormat(QImage::Format_Grayscale8);
    Bitmap = image;
    Image->setPixmap(QPixmap::fromImage(Bitmap));
    Image->resize(Bitmap.size());
  }
  if (RestoreScreenLayout) RestoreScreenLayout();
}

void PlanPrintWindow::PrintPlan() {
  plan_.SectionFilter = 0;
  QPrinter& printer = printer_.Printer();
  if (isVisible() && !plan_.PrintJobOpen) {
    printer.setPageOrientation(PlanPrintsPortrait(plan_, BayPlanMode) ? QPageLayout::Portrait
                                                                      : QPageLayout::Landscape);
    if (!printer_.choosePrinter(printer)) return;
  }
  if (BayPlanMode) {
    PrintSelectedBays();
  } else {
    const bool portrait = printer.pageLayout().orientation() == QPageLayout::Portrait;
    for (const int section : LetterPlanSections(portrait)) {
      plan_.SectionFilter = section;
      RenderPlan(kPrintPage);
    }
  }
  if (plan_.PlanPrintMode != 1 && plan_.PlanPrintMode != 2 && plan_.PrintJobOpen) printer_.PrintJob(false);
  plan_.SectionFilter = 0;
}

void PlanPrintWindow::PrintSelectedBays() {
  const QList<QListWidgetItem*> chosen = LIbay->selectedItems();
  std::vector<int> rows;
  for (QListWidgetItem* item : chosen) rows.push_back(LIbay->row(item));
  std::sort(rows.begin(), rows.end());
  for (const int row : rows) {
    QListWidgetItem* item = LIbay->item(row);
    ShownBay = ParseInt(item->text().toLatin1().toStdString());
    RenderPlan(kPrintPage);
    if (rows.size() > 1) item->setSelected(false);
  }
}

void PlanPrintWindow::SelectBay() {
  const QList<QListWidgetItem*> chosen = LIbay->selectedItems();
  if (chosen.size() > 1) return;
  QListWidgetItem* item = chosen.isEmpty() ? LIbay->currentItem() : chosen.first();
  if (!item) return;
  ShownBay = ParseInt(item->text().toLatin1().toStdString());
  RenderPlan(kPreview);
}

bool PlanPrintWindow::WritePicture(const QString& path, QString& error) const {
  QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == "tiff") suffix = "tif";
  if (suffix != "png" && suffix != "bmp" && suffix != "tif") {
    error = tr("%1: pictures are saved as .png, .bmp or .tif").arg(path);
    return false;
  }
  const QByteArray format = suffix == "tif" ? QByteArray("tiff") : suffix.toLatin1();
  if (!QImageWriter::supportedImageFormats().contains(format)) {
    error = tr("%1: this installation cannot write %2 pictures (the Qt image format plugins are missing); "
               "save it as .png or .bmp")
                .arg(path, suffix.toUpper());
    return false;
  }
  if (Bitmap.isNull()) {
    error = tr("%1: there is no picture to save").arg(path);
    return false;
  }
  // Written beside the target and renamed over it: whole or not at all.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !Bitmap.save(&file, format.constData()) || !file.commit()) {
    error = tr("%1: %2").arg(path, file.errorString().isEmpty() ? tr("cannot be written") : file.errorString());
    return false;
  }
  return true;
}

QString PlanPrintWindow::SavePicture() {
  RenderPlan(kPicture);
  if (Bitmap.isNull()) return {};
  const QString path = ChoosePictureFile ? ChoosePictureFile() : QString();
  if (path.isEmpty()) return {};
  QString error;
  if (!WritePicture(path, error)) {
    if (Tell) Tell(error);
    return {};
  }
  return path;
}

void PrintMovinsLetterPlans(PlanData& plan, Selection& selection, PrintService& printer, bool load,
                            bool discharge, const std::function<void()>& restoreScreenLayout) {
  PlanPrintWindow form(plan, selection, printer, false);
  form.RestoreScreenLayout = restoreScreenLayout;
  const std::string port = Trim(plan.VesHdr[VesHdrIx::Port]);
  const struct {
    bool wanted;
    int mode;
    int list;
  } plans[] = {{load, 1, kPortListPol}, {discharge, 2, kPortListPod}};
  for (const auto& p : plans) {
    if (!p.wanted) continue;
    plan.PlanPrintMode = p.mode;
    selection.PresetPort(plan.CurPlane, p.list, port);
    form.PrintPlan();
  }
  if (plan.PrintJobOpen) printer.PrintJob(false);
  plan.PlanPrintMode = 0;
  selection.RequestedPlane = plan.CurPlane;
  selection.ResetSelection();
}
