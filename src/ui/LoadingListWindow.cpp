#include "ui/LoadingListWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "conditions/LoadingList.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "ui/QtCanvas.h"

namespace {

// Where the window was left: top, left, height, width.
constexpr int kTopSetting = 63;
constexpr int kLeftSetting = 64;
constexpr int kHeightSetting = 65;
constexpr int kWidthSetting = 66;

// Line colours (0x00BBGGRR): a selected line white on navy, the line of a
// unit taken since the list was built on yellow.
constexpr Colour kSelectedBack = 0x800000;
constexpr Colour kTakenBack = 0x00FFFF;

QToolButton* Button(QWidget* parent, const QString& text) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  return button;
}

}  // namespace

LoadingListWindow::LoadingListWindow(LoadingList& list, PlanData& plan, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), list_(list), plan_(plan) {
  setObjectName("LoadingListWindow");
  setWindowTitle("Loading List");
  SBins = Button(this, "Load");
  SBins->setToolTip("Load: units go into free cells; Update: they replace placeholders");
  connect(SBins, &QToolButton::clicked, this, &LoadingListWindow::SBinsClick);
  SBselAll = Button(this, "Select  All");
  connect(SBselAll, &QToolButton::clicked, this, [this] {
    RebuildWhenDirty();
    list_.SelectAll();
    AfterChange();
  });
  CBwgh = new QCheckBox("sort by tons", this);
  connect(CBwgh, &QCheckBox::clicked, this, [this](bool on) {
    list_.SetSortByTons(on);
    AfterChange();
  });
  CBex = new QCheckBox("Exact merge", this);
  connect(CBex, &QCheckBox::clicked, this, [this](bool on) {
    list_.ExactMerge = on;
    list_.ApplyQuayGroup();
    AfterChange();
  });
  CBfilt = new QCheckBox("HC on board", this);
  CBfilt->setToolTip("The high-cube filter applies to the units on board too");
  connect(CBfilt, &QCheckBox::clicked, this, [this](bool on) {
    list_.FilterOnBoard = on;
    list_.ApplyQuayGroup();
    AfterChange();
  });
  SpeedButton1 = Button(this, "Import Loading List");
  connect(SpeedButton1, &QToolButton::clicked, this, [this] {
    if (Import) Import();
    Refresh();
  });
  DeleteSelected = Button(this, "Remove Selected");
  connect(DeleteSelected, &QToolButton::clicked, this, [this] {
    RebuildWhenDirty();
    list_.RemoveSelected();
    AfterChange();
  });
  RemoveALL = Button(this, "Remove ALL");
  connect(RemoveALL, &QToolButton::clicked, this, [this] {
    RebuildWhenDirty();
    list_.RemoveAll();
    AfterChange();
  });
  auto* bar = new QHBoxLayout;
  bar->setSpacing(4);
  for (QWidget* w : std::initializer_list<QWidget*>{SBins, SBselAll, CBwgh, CBex, CBfilt}) bar->addWidget(w);
  bar->addStretch();
  for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton1, DeleteSelected, RemoveALL}) bar->addWidget(w);

  // Lines and titles line up only in a fixed-pitch font.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  PAtit = new QLabel(this);
  PAtit->setFont(fixed);
  PAtit->setFrameShape(QFrame::Panel);
  PAtit->setToolTip("Deselect all");
  PAtit->installEventFilter(this);
  LB1 = new QListWidget(this);
  LB1->setFont(fixed);
  // The list's own selection is the core's: the items only show it.
  LB1->setSelectionMode(QAbstractItemView::NoSelection);
  connect(LB1, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
    LB1Click(LB1->row(item), (QGuiApplication::keyboardModifiers() & Qt::ControlModifier) != 0);
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addLayout(bar);
  layout->addWidget(PAtit);
  layout->addWidget(LB1, 1);
  resize(760, 400);
}

void LoadingListWindow::Refresh() {
  ShowMode();
  PAtit->setText(QString::fromLatin1(list_.Title.c_str()));
  LB1->clear();
  const QColor listColour = LB1->palette().color(QPalette::Base);
  const auto& quay = plan_.Dat[static_cast<size_t>(plan_.QuayPlane)];
  for (const LoadingList::Line& line : list_.Lines) {
    auto* item = new QListWidgetItem(QString::fromLatin1(line.text.c_str()), LB1);
    const bool taken = line.record >= 0 && line.record < plan_.QuayCount &&
                       quay[static_cast<size_t>(line.record)].STATUS < 0;
    if (line.selected) {
      item->setBackground(ToQColor(kSelectedBack));
      item->setForeground(Qt::white);
    } else {
      item->setBackground(taken ? ToQColor(kTakenBack) : listColour);
    }
  }
}

void LoadingListWindow::ShowMode() {
  SBins->setText(list_.LoadMode ? "Load" : "Update");
  CBex->setVisible(!list_.LoadMode);
  CBex->setChecked(list_.ExactMerge);
  CBfilt->setVisible(!list_.LoadMode && list_.HighCube != 0);
  CBfilt->setChecked(list_.FilterOnBoard);
  CBwgh->setChecked(list_.SortByTons);
}

void LoadingListWindow::RebuildWhenDirty() {
  if (!list_.Dirty) return;
  list_.FillLoadingList();
  list_.Dirty = false;
}

void LoadingListWindow::AfterChange() {
  Refresh();
  if (Changed) Changed();
}

void LoadingListWindow::SBinsClick() {
  list_.LoadMode = !list_.LoadMode;
  list_.ApplyQuayGroup();
  AfterChange();
}

void LoadingListWindow::LB1Click(int row, bool add) {
  if (row < 0 || row >= static_cast<int>(list_.Lines.size())) return;
  if (list_.Dirty) {
    // The lines moved under the pointer: the click only brings them up to date.
    RebuildWhenDirty();
    AfterChange();
    return;
  }
  LoadingList::Line& clicked = list_.Lines[static_cast<size_t>(row)];
  const bool select = !add || !clicked.selected;
  if (!add) list_.DeselectAll();
  clicked.selected = select;
  AfterChange();
}

bool LoadingListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PAtit && event->type() == QEvent::MouseButtonPress) {
    list_.DeselectAll();
    AfterChange();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void LoadingListWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  list_.Show();
  // Back where it was left, but never off the screen.
  const int h = ParseInt(plan_.Settings[kHeightSetting]);
  if (h > 10) {
    int top = ParseInt(plan_.Settings[kTopSetting]);
    int left = ParseInt(plan_.Settings[kLeftSetting]);
    const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1920, 1080);
    if (top < 0 || top > screen.height()) top = 0;
    if (left < 0 || left > screen.width()) left = 0;
    resize(std::max(ParseInt(plan_.Settings[kWidthSetting]), 200), h);
    move(left, top);
  }
  AfterChange();
}

void LoadingListWindow::closeEvent(QCloseEvent* event) {
  plan_.Settings[kTopSetting] = std::to_string(y());
  plan_.Settings[kLeftSetting] = std::to_string(x());
  plan_.Settings[kHeightSetting] = std::to_string(height());
  plan_.Settings[kWidthSetting] = std::to_string(width());
  list_.Close();
  if (Changed) Changed();
  QWidget::closeEvent(event);
}
