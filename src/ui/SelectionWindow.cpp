#include "ui/SelectionWindow.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/EditorCommands.h"
#include "ui/UpperCaseEdit.h"

namespace {

// One list item is this tall; a list is as tall as its items plus its frame,
// so the window grows with the data set.
constexpr int kItemHeight = 14;
constexpr int kListFrame = 4;
constexpr int kMinWidth = 430;
constexpr int kMinHeight = 325;

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

// Header captions in the order of the lists (kSelPol ... kSelIso).
const char* const kHeaders[kSelListCount] = {"POL", "POD", "PRS", "FRM", "OPER", "SIZE", "TYPE", "ISO"};

// The change dialog: the old value, read only, and the new one, offered as
// the old one to be overtyped.
bool AskChangedValue(QWidget* parent, int kind, const std::string& oldValue, std::string& newValue) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromStdString(EditorCommands::ChangeCaption(kind)));
  auto* oldEdit = new QLineEdit(Latin1(oldValue), &dialog);
  oldEdit->setReadOnly(true);
  QLineEdit* newEdit = UpperEdit(&dialog, EditorCommands::ChangeValueLength(kind));
  newEdit->setText(Latin1(oldValue).left(EditorCommands::ChangeValueLength(kind)));
  newEdit->selectAll();
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton("Update", QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow("old", oldEdit);
  form->addRow("new", newEdit);
  form->addRow(buttons);
  newEdit->setFocus();
  if (dialog.exec() != QDialog::Accepted) return false;
  newValue = UpperText(newEdit);
  return true;
}

}  // namespace

SelectionWindow::SelectionWindow(Selection& selection, PlanData& plan, QWidget* parent)
    : QDialog(parent), selection_(selection), plan_(plan) {
  setWindowTitle("Selection");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setMinimumSize(kMinWidth, kMinHeight);

  listPanel_ = new QWidget;
  auto* grid = new QGridLayout(listPanel_);
  grid->setContentsMargins(0, 0, 0, 0);
  for (int list = 0; list < kSelListCount; ++list) {
    auto* header = new QPushButton(kHeaders[list], listPanel_);
    header->setAutoDefault(false);  // Enter stays with OK
    auto* box = new QListWidget(listPanel_);
    box->setSelectionMode(QAbstractItemView::MultiSelection);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setUniformItemSizes(true);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    box->setFixedHeight(kItemHeight + kListFrame);
    grid->addWidget(header, 0, list);
    grid->addWidget(box, 1, list, Qt::AlignTop);
    connect(header, &QPushButton::clicked, this, [this, list] { HeaderClick(list); });
    connect(box, &QListWidget::itemSelectionChanged, this, [this, list] { ListSelectionChanged(list); });
    connect(box, &QWidget::customContextMenuRequested, this, [this, list] { ChangeListClick(list); });
    headers_[static_cast<size_t>(list)] = header;
    lists_[static_cast<size_t>(list)] = box;
  }
  grid->setRowStretch(2, 1);
  ListBox1 = lists_[kSelPol];
  ListBox2 = lists_[kSelPod];
  ListBox3 = lists_[kSelPrs];
  ListBox6 = lists_[kSelFrm];
  ListBox5 = lists_[kSelOperator];
  LBsiz = lists_[kSelSize];
  LBtyp = lists_[kSelType];
  LBiso = lists_[kSelIso];
  SBpol = headers_[kSelPol];
  SBpod = headers_[kSelPod];
  SBprs = headers_[kSelPrs];
  SBfrm = headers_[kSelFrm];
  SBoper = headers_[kSelOperator];
  SBsiz = headers_[kSelSize];
  SBtyp = headers_[kSelType];
  SBiso = headers_[kSelIso];

  scroll_ = new QScrollArea(this);
  scroll_->setWidget(listPanel_);
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  // The window is as wide as its lists; only a data set taller than the
  // main window makes them scroll, downwards.
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  sidePanel_ = new QWidget(this);
  auto* side = new QVBoxLayout(sidePanel_);
  side->setContentsMargins(0, 0, 0, 0);
  const auto addCheck = [this, side](const char* caption) {
    auto* box = new QCheckBox(caption, sidePanel_);
    side->addWidget(box);
    connect(box, &QCheckBox::clicked, this, [this, box](bool on) { CheckClicked(box, on); });
    return box;
  };
  CBfull = addCheck("Full");
  CBempty = addCheck("Empty");
  CBawkward = addCheck("Only Awkwards");
  CBdangerous = addCheck("Only Dangerous");
  CBondeck = addCheck("on deck");
  CBbelowdeck = addCheck("below deck");
  CBrestows = addCheck("Restows");
  side->addWidget(new QLabel("Number", sidePanel_));
  EDnumber = UpperEdit(sidePanel_, 6);
  // Not trimmed: a single blank is a criterion of its own (an active filter
  // that leaves out nothing).
  connect(EDnumber, &QLineEdit::textChanged, this,
          [this](const QString& text) { selection_.SetNumber(text.toLatin1().toStdString()); });
  side->addWidget(EDnumber);
  side->addStretch();
  BReset = new QPushButton("Reset", sidePanel_);
  BReset->setAutoDefault(false);
  connect(BReset, &QPushButton::clicked, this, &SelectionWindow::BResetClick);
  side->addWidget(BReset);
  BOk = new QPushButton(sidePanel_);
  BOk->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  BOk->setToolTip("OK");
  BOk->setDefault(true);
  connect(BOk, &QPushButton::clicked, this, &SelectionWindow::BOkClick);
  side->addWidget(BOk);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(scroll_, 1);
  layout->addWidget(sidePanel_);
}

QListWidget* SelectionWindow::List(int list) const {
  return list >= 0 && list < kSelListCount ? lists_[static_cast<size_t>(list)] : nullptr;
}

QPushButton* SelectionWindow::Header(int list) const {
  return list >= 0 && list < kSelListCount ? headers_[static_cast<size_t>(list)] : nullptr;
}

bool SelectionWindow::ShowSelection(int plane) {
  selection_.RequestedPlane = plane;
  exec();
  return selection_.Accepted;
}

std::string SelectionWindow::DefaultConditionTitle() const {
  std::string text = plan_.VesHdr[VesHdrIx::Vessel];
  const std::string& title = plan_.PlaneTitle[static_cast<size_t>(plan_.CurPlane)];
  if (!Trim(title).empty()) text += " - " + title;
  return text;
}

void SelectionWindow::showEvent(QShowEvent* event) {
  selection_.PrepareShow(selection_.RequestedPlane);
  setWindowTitle(Latin1(selection_.Caption(ConditionTitle ? ConditionTitle() : DefaultConditionTitle())));
  FillControls();
  QDialog::showEvent(event);
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  EDnumber->setFocus();
}

void SelectionWindow::done(int result) {
  // However the window is closed the filter takes effect; only OK also
  // sets Accepted, which the exports wait for.
  selection_.ApplySelection();
  QDialog::done(result);
}

void SelectionWindow::FillList(int list) {
  QListWidget* box = lists_[static_cast<size_t>(list)];
  const std::vector<SelectionItem>& items = selection_.Items(list);
  filling_ = true;
  box->clear();
  int widest = headers_[static_cast<size_t>(list)]->sizeHint().width();
  for (const SelectionItem& value : items) {
    auto* item = new QListWidgetItem(Latin1(value.text), box);
    const int width = box->fontMetrics().horizontalAdvance(item->text()) + 2 * kListFrame;
    item->setSizeHint(QSize(width, kItemHeight));
    item->setSelected(value.highlighted);
    widest = std::max(widest, width + kListFrame);
  }
  filling_ = false;
  box->setFixedHeight(std::max<int>(1, static_cast<int>(items.size())) * kItemHeight + kListFrame);
  // As narrow as its widest value: a list box would otherwise take its
  // default width and the eight of them make the window a screen wide.
  box->setFixedWidth(widest);
  headers_[static_cast<size_t>(list)]->setFixedWidth(widest);
}

void SelectionWindow::FillChecks() {
  const SelectionChecks& checks = selection_.Checks;
  CBfull->setChecked(checks.Full);
  CBempty->setChecked(checks.Empty);
  CBawkward->setChecked(checks.OnlyAwkwards);
  CBdangerous->setChecked(checks.OnlyDangerous);
  CBondeck->setChecked(checks.OnDeck);
  CBbelowdeck->setChecked(checks.BelowDeck);
  CBrestows->setChecked(checks.Restows);
}

void SelectionWindow::FillControls() {
  // Sizes are measured below; unpolished widgets give other ones than they
  // will have on the screen.
  ensurePolished();
  for (int list = 0; list < kSelListCount; ++list) FillList(list);
  FillChecks();
  const QString number = Latin1(selection_.Number);
  if (EDnumber->text() != number) EDnumber->setText(number);
  FitToContents();
}

void SelectionWindow::FitToContents() {
  listPanel_->adjustSize();
  const QSize lists = listPanel_->sizeHint();
  const QSize side = sidePanel_->sizeHint();
  const QMargins margins = layout()->contentsMargins();
  int width = lists.width() + layout()->spacing() + side.width() + margins.left() + margins.right();
  int height = std::max(lists.height(), side.height()) + margins.top() + margins.bottom();
  // Taller than the main window the window stops growing; the lists scroll.
  int limit = 0;
  if (parentWidget() != nullptr) {
    limit = parentWidget()->window()->height();
  } else if (const QScreen* s = screen()) {
    limit = s->availableGeometry().height();
  }
  if (limit > 0 && height > limit) {
    height = limit;
    width += scroll_->verticalScrollBar()->sizeHint().width();
  }
  resize(std::max(width, kMinWidth), std::max(height, kMinHeight));
}

void SelectionWindow::ListSelectionChanged(int list) {
  if (filling_) return;
  const QListWidget* box = lists_[static_cast<size_t>(list)];
  for (int row = 0; row < box->count(); ++row)
    selection_.SetHighlighted(list, row, box->item(row)->isSelected());
}

void SelectionWindow::CheckClicked(QCheckBox* box, bool on) {
  if (box == CBfull) selection_.SetFull(on);
  if (box == CBempty) selection_.SetEmpty(on);
  if (box == CBawkward) selection_.SetOnlyAwkwards(on);
  if (box == CBdangerous) selection_.SetOnlyDangerous(on);
  if (box == CBondeck) selection_.SetOnDeck(on);
  if (box == CBbelowdeck) selection_.SetBelowDeck(on);
  if (box == CBrestows) selection_.SetRestows(on);
  // A click may turn its partner on or off as well.
  FillChecks();
}

void SelectionWindow::HeaderClick(int list) {
  selection_.InvertList(list);
  FillList(list);
}

void SelectionWindow::ChangeListClick(int list) {
  std::string oldValue;
  if (!selection_.FirstHighlighted(list, oldValue)) return;
  const int kind = SelectionListChangeKind(list);
  std::string newValue = oldValue;
  const bool ok =
      AskNewValue ? AskNewValue(kind, oldValue, newValue) : AskChangedValue(this, kind, oldValue, newValue);
  if (!ok || newValue == oldValue) return;
  if (selection_.ChangeFirstHighlighted(list, newValue)) FillControls();
}

void SelectionWindow::BResetClick() {
  selection_.ResetSelection();
  FillControls();
}

void SelectionWindow::BOkClick() {
  selection_.Accepted = true;
  accept();
}
