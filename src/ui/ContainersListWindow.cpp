#include "ui/ContainersListWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "conditions/ListColumns.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "planning/PlanContext.h"
#include "planning/Selection.h"
#include "reports/ContainersList.h"
#include "reports/ListChange.h"
#include "ui/ChangeValueDialog.h"

namespace {

// Where the window was left: top, left, height, width.
constexpr int kTopSetting = 59;
constexpr int kLeftSetting = 60;
constexpr int kHeightSetting = 61;
constexpr int kWidthSetting = 62;
constexpr int kSmallestSide = 50;
constexpr int kDefaultSide = 400;

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

QToolButton* Button(QWidget* parent, const QString& text) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  return button;
}

}  // namespace

QRect ContainersListGeometry(const PlanData& plan) {
  auto value = [&plan](int k) { return ParseInt(plan.Settings[static_cast<size_t>(k)]); };
  int height = value(kHeightSetting);
  int width = value(kWidthSetting);
  if (height < kSmallestSide) height = kDefaultSide;
  if (width < kSmallestSide) width = kDefaultSide;
  return {value(kLeftSetting), value(kTopSetting), width, height};
}

void StoreContainersListGeometry(PlanData& plan, const QRect& frame) {
  plan.Settings[kTopSetting] = std::to_string(frame.top());
  plan.Settings[kLeftSetting] = std::to_string(frame.left());
  plan.Settings[kHeightSetting] = std::to_string(frame.height());
  plan.Settings[kWidthSetting] = std::to_string(frame.width());
}

ContainersListWindow::ContainersListWindow(PlanData& plan, PlanContext& ctx, Selection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), plan_(plan), ctx_(ctx), selection_(selection) {
  setObjectName("ContainersListWindow");
  setWindowTitle("Containers List");
  SBpri = Button(this, "To printer");
  SBsave = Button(this, "To File");
  SBword = Button(this, "Word");
  SBsel = Button(this, "Sel");
  SBsel->setToolTip("Selection");
  SBrs = Button(this, "rst");
  SBrs->setToolTip("Reset the selection");
  SBtot = Button(this, "Totals");
  SBall = Button(this, "Select All");
  RG1 = new QComboBox(this);
  RG1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  CBvoy = new QCheckBox("Voy", this);
  CBvoy->setToolTip("The units loaded over the voyage");
  CBss = new QCheckBox("sequence", this);
  connect(SBpri, &QToolButton::clicked, this, &ContainersListWindow::SBpriClick);
  connect(SBsave, &QToolButton::clicked, this, &ContainersListWindow::SBsaveClick);
  connect(SBword, &QToolButton::clicked, this, &ContainersListWindow::SBwordClick);
  connect(SBsel, &QToolButton::clicked, this, &ContainersListWindow::SBselClick);
  connect(SBrs, &QToolButton::clicked, this, &ContainersListWindow::SBrsClick);
  connect(SBall, &QToolButton::clicked, this, &ContainersListWindow::SBallClick);
  connect(SBtot, &QToolButton::clicked, this, [this] {
    if (ShowTotals) ShowTotals();
  });
  connect(RG1, &QComboBox::currentIndexChanged, this, [this] { BuildList(); });
  connect(CBvoy, &QCheckBox::clicked, this, &ContainersListWindow::CBvoyClick);
  connect(CBss, &QCheckBox::clicked, this, [this] { BuildList(); });

  auto* bar = new QHBoxLayout;
  bar->setSpacing(4);
  for (QWidget* w : std::initializer_list<QWidget*>{SBpri, SBsave, SBword, SBsel, SBrs, SBtot, SBall, RG1, CBvoy,
                                                    CBss})
    bar->addWidget(w);
  bar->addStretch();

  // Rows and their header line up only in a fixed-pitch font; the header
  // scrolls sideways with the rows.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  LB1 = new QListWidget(this);
  LB1->setFont(fixed);
  LB1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LB1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  LB1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(LB1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QListWidgetItem* item = LB1->itemAt(at);
    if (item) ChangeData(LB1->row(item), at.x());
  });
  PAhead = new QLabel(this);
  PAhead->setFont(fixed);
  PAhead->setTextFormat(Qt::PlainText);
  // The rows' text starts this far in from the list's frame.
  const int margin = LB1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, LB1) + 1;
  PAhead->setContentsMargins(LB1->frameWidth() + margin, 2, 0, 2);
  auto* headScroll = new QScrollArea(this);
  headScroll->setWidget(PAhead);
  headScroll->setWidgetResizable(false);
  headScroll->setFrameShape(QFrame::NoFrame);
  headScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  headScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  headScroll->setFixedHeight(QFontMetrics(fixed).height() + 6);
  connect(LB1->horizontalScrollBar(), &QScrollBar::valueChanged, headScroll->horizontalScrollBar(),
          &QScrollBar::setValue);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addLayout(bar);
  layout->addWidget(headScroll);
  layout->addWidget(LB1, 1);
}

int ContainersListWindow::Layout() const { return std::max(RG1->currentIndex(), 0); }

int ContainersListWindow::ShownPlane() const { return CBvoy->isChecked() ? plan_.VoyPlane : plan_.CurPlane; }

void ContainersListWindow::ShowContainersList(int layout) {
  // The layouts come with the base data, which are read after the window is made.
  if (RG1->count() != std::max(plan_.TreCount, 1)) {
    const QSignalBlocker quiet(RG1);
    const int kept = RG1->currentIndex();
    RG1->clear();
    for (int k = 0; k < std::max(plan_.TreCount, 1); ++k)
      RG1->addItem(Latin1(Trim(plan_.TreNames[static_cast<size_t>(k)])));
    RG1->setCurrentIndex(std::clamp(kept, 0, RG1->count() - 1));
  }
  if (layout >= 0 && layout < RG1->count()) {
    const QSignalBlocker quiet(RG1);
    RG1->setCurrentIndex(layout);
  }
  if (!placed_) {
    // Where it was left, but never off the screen it opens on.
    QRect frame = ContainersListGeometry(plan_);
    if (const QScreen* s = screen()) {
      const QRect room = s->availableGeometry();
      frame.setSize(frame.size().boundedTo(room.size()));
      frame.moveLeft(std::clamp(frame.left(), room.left(), room.right() - frame.width() + 1));
      frame.moveTop(std::clamp(frame.top(), room.top(), room.bottom() - frame.height() + 1));
    }
    setGeometry(frame);
    placed_ = true;
  }
  if (isVisible()) BuildList();
  show();
  raise();
  activateWindow();
}

void ContainersListWindow::BuildList(const std::set<int>& keep) {
  ContainersListOptions options;
  options.plane = ShownPlane();
  options.layout = Layout();
  options.sequence = CBss->isChecked();
  const ContainersList list = BuildContainersList(plan_, options);
  header_ = list.header;
  PAhead->setText(Latin1(header_));
  PAhead->adjustSize();
  const int scrolled = LB1->verticalScrollBar()->value();
  LB1->clear();
  for (const ListRow& row : list.rows) {
    auto* item = new QListWidgetItem(Latin1(row.text), LB1);
    item->setData(Qt::UserRole, row.record);
    if (keep.count(row.record) > 0) item->setSelected(true);
  }
  LB1->verticalScrollBar()->setValue(scrolled);
}

std::vector<std::string> ContainersListWindow::ExportLines() const {
  ContainersListOptions options;
  options.plane = ShownPlane();
  options.layout = Layout();
  options.sequence = CBss->isChecked();
  return ContainersListLines(BuildContainersList(plan_, options));
}

std::vector<int> ContainersListWindow::ChosenRecords() const {
  std::vector<int> records;
  for (int row = 0; row < LB1->count(); ++row)
    if (LB1->item(row)->isSelected()) records.push_back(LB1->item(row)->data(Qt::UserRole).toInt());
  return records;
}

void ContainersListWindow::PlanModified() {
  if (busy_) return;
  CBvoy->setChecked(false);
  if (isVisible()) BuildList();
}

void ContainersListWindow::CBvoyClick() {
  if (CBvoy->isChecked()) {
    if (BuildVoyage) BuildVoyage();
    // The filter now works on the voyage's units, all of them at first.
    selection_.RequestedPlane = plan_.VoyPlane;
    selection_.RefillSelectionLists();
  } else {
    selection_.RequestedPlane = plan_.CurPlane;
  }
  BuildList();
}

void ContainersListWindow::AfterSelectionChange() {
  BuildList();
  if (EditorChanged) EditorChanged();
}

void ContainersListWindow::SBselClick() {
  if (OpenSelection) OpenSelection(ShownPlane());
  AfterSelectionChange();
}

void ContainersListWindow::SBrsClick() {
  selection_.RequestedPlane = ShownPlane();
  selection_.ResetSelection();
  // The load totals are counted again with every unit.
  plan_.RedrawAll = 1;
  plan_.PolCount = -1;
  plan_.PodCount = -1;
  AfterSelectionChange();
}

void ContainersListWindow::SBallClick() { LB1->selectAll(); }

void ContainersListWindow::SBpriClick() {
  std::vector<std::string> lines = ExportLines();
  // The header stands on every page as the title of the columns.
  const std::string title = lines.front();
  lines.erase(lines.begin());
  if (Print) Print(lines, title, ShownPlane());
  BuildList();
}

void ContainersListWindow::SBsaveClick() {
  std::string path;
  if (ChooseFile) {
    path = ChooseFile();
  } else {
    QFileDialog dialog(this, "To File", QString::fromLocal8Bit(plan_.Settings[SettingsIx::SendingDir].c_str()),
                       "Text (*.txt);;All files (*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("txt");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      path = dialog.selectedFiles().first().toLocal8Bit().toStdString();
  }
  if (path.empty()) return;
  std::string error;
  if (!WriteTextLines(std::filesystem::path(path), ExportLines(), error)) ctx_.host.ReportError(error);
  BuildList();
}

void ContainersListWindow::SBwordClick() {
  std::string error;
  if (Word && !Word(ExportLines(), error)) ctx_.host.ReportError(error);
  BuildList();
}

void ContainersListWindow::ChangeData(int row, int x) {
  // Only the working condition's units can be changed in their cells.
  if (CBvoy->isChecked() || row < 0 || row >= LB1->count()) return;
  const std::vector<int> chosen = ChosenRecords();
  if (chosen.empty()) return;
  const QFontMetrics metrics(LB1->font());
  const int margin = LB1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, LB1) + 1;
  const int pitch = std::max(metrics.horizontalAdvance(QLatin1Char('M')), 1);
  const int at = (x + LB1->horizontalScrollBar()->value() - margin) / pitch;
  const bool sequence = CBss->isChecked();
  const int column = ListColumnAtChar(plan_, Layout(), sequence, at);
  if (column <= 0) return;

  // The value offered is the one the first chosen row shows.
  int start = sequence ? 5 : 0;
  for (int c : LayoutColumns(plan_, Layout())) {
    if (c == column) break;
    start += ListColumnWidth(plan_, c) + 1;
  }
  const int width = ListColumnWidth(plan_, column);
  QListWidgetItem* first = nullptr;
  for (int k = 0; k < LB1->count() && first == nullptr; ++k)
    if (LB1->item(k)->isSelected()) first = LB1->item(k);
  const std::string firstRow = first->text().toLatin1().toStdString();
  std::string value = static_cast<int>(firstRow.size()) > start ? Trim(firstRow.substr(start, width)) : "";
  const std::string heading = Trim(ListColumnHeading(plan_, column));
  const bool accepted = AskValue ? AskValue(heading, width, value) : ChangeValueDialog::Ask(heading, width, value, this);
  if (!accepted) return;

  busy_ = true;
  const ListChangeResult result = ChangeListColumn(ctx_, chosen, column, value);
  busy_ = false;
  std::set<int> keep(chosen.begin(), chosen.end());
  for (int record : result.changed) keep.erase(record);
  BuildList(keep);
  if (EditorChanged) EditorChanged();
}

void ContainersListWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  BuildList();
}

void ContainersListWindow::hideEvent(QHideEvent* event) {
  StoreContainersListGeometry(plan_, geometry());
  QWidget::hideEvent(event);
}
