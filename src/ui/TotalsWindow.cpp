#include "ui/TotalsWindow.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "conditions/ListColumns.h"
#include "conditions/UnitColumns.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/Selection.h"
#include "reports/TotalsDrawing.h"
#include "ui/QtCanvas.h"

namespace {

// The REP entry that marks a column as offered for grouping, and the one
// that holds its place in the grouping order.
constexpr int kOfferedEntry = 24;
constexpr int kOrderEntry = 25;

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

QToolButton* Button(QWidget* parent, const QString& text, const QString& hint = {}) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(hint);
  return button;
}

CanvasFont CanvasFontOf(const QFont& font) {
  CanvasFont f;
  f.name = font.family().toLatin1().toStdString();
  f.size = font.pointSize();
  return f;
}

// Paints a line of LB1 on its bands.
class TotalsLineDelegate : public QStyledItemDelegate {
 public:
  TotalsLineDelegate(PlanData& plan, const TotalsReport& report, QObject* parent)
      : QStyledItemDelegate(parent), plan_(plan), report_(report) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    QtCanvas canvas(*painter, option.rect.right() + 1, option.rect.bottom() + 1);
    canvas.SetFont(CanvasFontOf(option.font));
    DrawTotalsLine(canvas, report_, TotalsBandEnds(canvas, plan_, report_), index.row(), option.rect.x(),
                   option.rect.y(), option.rect.width(), option.rect.height());
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QFontMetrics metrics(option.font);
    const QString text = index.data(Qt::DisplayRole).toString();
    return {metrics.horizontalAdvance(text) + 2, metrics.height() + 2};
  }

 private:
  PlanData& plan_;
  const TotalsReport& report_;
};

}  // namespace

TotalsWindow::TotalsWindow(PlanData& plan, Selection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), plan_(plan), selection_(selection) {
  setObjectName("TotalsWindow");
  setWindowTitle("Totals");
  LBfm = new QListWidget(this);
  LBfm->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LBfm->setToolTip("Double click: group by this column");
  LBto = new QListWidget(this);
  LBto->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (QListWidget* list : {LBfm, LBto}) list->setFixedWidth(120);
  LBto->setFixedHeight(LBto->fontMetrics().height() * 4 + 2 * LBto->frameWidth() + 8);
  SB1 = Button(this, ">", "Add the highlighted columns");
  SB2 = Button(this, "<", "Remove the highlighted columns");
  SBclear = Button(this, "clear");
  SBsum = Button(this, "sum", "Compute the totals");
  SBsel = Button(this, "Sel", "Selection");
  SBrs = Button(this, "rst", "Reset the selection");
  SBpri = Button(this, "To printer");
  SBword = Button(this, "Word");
  CBvoy = new QCheckBox("Voy", this);
  CBvoy->setToolTip("The units loaded over the voyage");
  CBnot = new QCheckBox("One tots level", this);
  connect(LBfm, &QListWidget::itemDoubleClicked, this, [this] { SB1Click(); });
  connect(SB1, &QToolButton::clicked, this, &TotalsWindow::SB1Click);
  connect(SB2, &QToolButton::clicked, this, &TotalsWindow::SB2Click);
  connect(SBclear, &QToolButton::clicked, this, &TotalsWindow::SBclearClick);
  connect(SBsum, &QToolButton::clicked, this, &TotalsWindow::SBsumClick);
  connect(SBsel, &QToolButton::clicked, this, &TotalsWindow::SBselClick);
  connect(SBrs, &QToolButton::clicked, this, &TotalsWindow::SBrsClick);
  connect(SBpri, &QToolButton::clicked, this, &TotalsWindow::SBpriClick);
  connect(SBword, &QToolButton::clicked, this, &TotalsWindow::SBwordClick);
  connect(CBvoy, &QCheckBox::clicked, this, &TotalsWindow::CBvoyClick);
  connect(CBnot, &QCheckBox::clicked, this, &TotalsWindow::SBsumClick);

  LB1 = new QListWidget(this);
  LB1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  LB1->setSelectionMode(QAbstractItemView::NoSelection);
  LB1->setUniformItemSizes(true);
  LB1->setItemDelegate(new TotalsLineDelegate(plan_, Report, LB1));

  auto* left = new QVBoxLayout;
  left->setSpacing(3);
  left->addWidget(LBfm, 1);
  auto* moves = new QHBoxLayout;
  moves->addWidget(SB1);
  moves->addWidget(SB2);
  moves->addWidget(SBclear);
  left->addLayout(moves);
  left->addWidget(LBto);
  auto* grid = new QGridLayout;
  grid->setSpacing(3);
  grid->addWidget(SBsum, 0, 0);
  grid->addWidget(SBsel, 0, 1);
  grid->addWidget(SBrs, 0, 2);
  grid->addWidget(SBpri, 1, 0, 1, 2);
  grid->addWidget(SBword, 1, 2);
  for (QToolButton* b : {SBsum, SBsel, SBrs, SBpri, SBword}) b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  left->addLayout(grid);
  left->addWidget(CBvoy);
  left->addWidget(CBnot);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addLayout(left);
  layout->addWidget(LB1, 1);
  resize(720, 420);
}

int TotalsWindow::ShownPlane() const { return CBvoy->isChecked() ? plan_.VoyPlane : plan_.CurPlane; }

void TotalsWindow::FillOffered() {
  LBfm->clear();
  for (int c = 0; c < std::min(kUnitColumnCount, kMaxRepNames); ++c) {
    if (plan_.RepDef[static_cast<size_t>(c)][kOfferedEntry] != 1) continue;
    auto* item = new QListWidgetItem(Latin1(Trim(plan_.RepNames[static_cast<size_t>(c)])), LBfm);
    item->setData(Qt::UserRole, c);
  }
}

std::vector<int> TotalsWindow::ChosenColumns() const {
  std::vector<int> columns;
  for (int row = 0; row < LBto->count(); ++row) columns.push_back(LBto->item(row)->data(Qt::UserRole).toInt());
  return columns;
}

void TotalsWindow::ShowTotals() {
  show();
  raise();
  activateWindow();
}

void TotalsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (LBfm->count() == 0) FillOffered();
  if (LBto->count() > 0) SBsumClick();
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void TotalsWindow::SB1Click() {
  const std::vector<int> chosen = ChosenColumns();
  std::vector<int> taken = chosen;
  for (int row = 0; row < LBfm->count(); ++row) {
    QListWidgetItem* item = LBfm->item(row);
    if (!item->isSelected()) continue;
    if (static_cast<int>(taken.size()) >= kMaxTotalsColumns) break;
    const int column = item->data(Qt::UserRole).toInt();
    if (std::find(taken.begin(), taken.end(), column) != taken.end()) continue;
    taken.push_back(column);
    auto* added = new QListWidgetItem(item->text(), LBto);
    added->setData(Qt::UserRole, column);
  }
}

void TotalsWindow::SB2Click() { qDeleteAll(LBto->selectedItems()); }

void TotalsWindow::SBclearClick() {
  FillOffered();
  LBto->clear();
  LB1->clear();
  Report = TotalsReport{};
}

void TotalsWindow::SBsumClick() {
  const std::vector<int> columns = ChosenColumns();
  // The grouping order is kept with the column definitions.
  for (int c = 0; c < kMaxRepNames; ++c) {
    const auto at = std::find(columns.begin(), columns.end(), c);
    plan_.RepDef[static_cast<size_t>(c)][kOrderEntry] =
        at == columns.end() ? 0 : static_cast<int>(at - columns.begin()) + 1;
  }
  if (CBvoy->isChecked() && BuildVoyage) {
    busy_ = true;
    BuildVoyage();
    busy_ = false;
  }
  BuildTotals();
}

void TotalsWindow::BuildTotals() {
  const std::vector<int> columns = ChosenColumns();
  if (columns.empty()) return;
  TotalsOptions options;
  options.plane = ShownPlane();
  options.columns = columns;
  options.oneLevel = CBnot->isChecked();
  options.compact = CompactTotals;
  Report = ::BuildTotals(plan_, options);
  LB1->clear();
  for (const TotalsLine& line : Report.lines) new QListWidgetItem(Latin1(line.text), LB1);
  FitToLines();
}

void TotalsWindow::FitToLines() {
  if (Report.lines.empty()) return;
  const QFontMetrics metrics(LB1->font());
  const int wanted = metrics.horizontalAdvance(Latin1(Report.lines.front().text)) + 2 * LB1->frameWidth() +
                     LB1->verticalScrollBar()->sizeHint().width() + 4;
  LB1->setMinimumWidth(wanted);
  if (width() < minimumSizeHint().width()) resize(minimumSizeHint().width(), height());
}

void TotalsWindow::SBselClick() {
  if (OpenSelection) OpenSelection(ShownPlane());
  BuildTotals();
  if (EditorChanged) EditorChanged();
}

void TotalsWindow::SBrsClick() {
  selection_.RequestedPlane = ShownPlane();
  selection_.ResetSelection();
  if (LBto->count() > 0) {
    plan_.RedrawAll = 1;
    plan_.PolCount = -1;
    plan_.PodCount = -1;
    BuildTotals();
  }
  if (EditorChanged) EditorChanged();
}

void TotalsWindow::CBvoyClick() {
  if (CBvoy->isChecked()) {
    if (BuildVoyage) {
      busy_ = true;
      BuildVoyage();
      busy_ = false;
    }
    selection_.RequestedPlane = plan_.VoyPlane;
    selection_.RefillSelectionLists();
  } else {
    selection_.RequestedPlane = plan_.CurPlane;
  }
  SBsumClick();
}

void TotalsWindow::SBpriClick() {
  if (Report.lines.size() < 3 || !Print) return;
  std::vector<std::string> lines;
  for (const TotalsLine& line : Report.lines) lines.push_back(line.text);
  // On paper the heading keeps its dashes, which show what each group of
  // figures spans.
  lines[0] = Report.title;
  size_t longest = 0;
  for (const std::string& line : lines) longest = std::max(longest, line.size());
  const std::vector<int> columns = ChosenColumns();
  const size_t firstKey = columns.empty() ? 0 : static_cast<size_t>(ListColumnWidth(plan_, columns.front()) + 1);
  std::string frame(std::max(longest, firstKey + 1), '-');
  if (firstKey > 0) frame[firstKey - 1] = '+';
  Print(lines, frame, ShownPlane());
}

void TotalsWindow::SBwordClick() {
  if (LBto->count() == 0) return;
  BuildTotals();
  std::vector<std::string> lines;
  for (const TotalsLine& line : Report.lines) lines.push_back(line.text);
  std::string error;
  if (Word && !Word(lines, error) && ReportError) ReportError(error);
}

void TotalsWindow::PlanModified() {
  if (busy_) return;
  CBvoy->setChecked(false);
  if (isVisible()) SBsumClick();
}
