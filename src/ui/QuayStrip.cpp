#include "ui/QuayStrip.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/PlanContext.h"
#include "ui/BayPlanEditor.h"
#include "ui/LoadingListWindow.h"
#include "vessel/CellAddress.h"

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

// The moves queue holds units: a group click would take a list unit into
// the hand they occupy.
constexpr int kQueueNotEmptyMessage = 85;

// A label's hint: its category's name.
constexpr std::array<const char*, 5> kHints = {"Empty", "Reefers", "Awkwards", "Hazardous", "Break Bulk"};
const char* GroupHint(int category) {
  if (category == 16) return kHints[4];
  const int kind = category % 8;
  return kind >= 4 ? kHints[static_cast<size_t>(kind - 4)] : "";
}

// The frame around the chosen label.
const char* kChosenStyle = "QLabel { border: 2px solid #000080; background: white; }";
const char* kGroupStyle = "QLabel { border: 1px solid #a0a0a0; background: white; }";

}  // namespace

QuayStrip::QuayStrip(BayPlanEditor& editor, PlanContext& ctx, LoadingList& list, QWidget* parent)
    : QWidget(parent), editor_(editor), ctx_(ctx), list_(list) {
  setObjectName("PAqua");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(4);
  SpeedButton6 = new QToolButton(this);
  SpeedButton6->setText("X");
  SpeedButton6->setToolTip("Close Quay");
  connect(SpeedButton6, &QToolButton::clicked, &editor_, &BayPlanEditor::SBquayClick);
  SBqlist = new QToolButton(this);
  SBqlist->setText("Loading List");
  connect(SBqlist, &QToolButton::clicked, &editor_, &BayPlanEditor::SBqlistClick);
  CBportsQ = new QComboBox(this);
  CBportsQ->setToolTip("Route on the quay");
  CBportsQ->setMinimumContentsLength(7);
  connect(CBportsQ, &QComboBox::activated, this, &QuayStrip::CBportsQSelect);
  auto* totals = new QVBoxLayout;
  totals->setSpacing(0);
  Q20 = new QLabel(this);
  Q40 = new QLabel(this);
  for (QLabel* q : {Q20, Q40}) {
    q->setMinimumWidth(fontMetrics().horizontalAdvance("9999 x 40'") + 4);
    totals->addWidget(q);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton6, SBqlist, CBportsQ}) row->addWidget(w);
  row->addLayout(totals);

  // The groups: 20' above 40', by weight class, then empty, reefer,
  // awkward and hazardous; break bulk on its own.
  auto* groups = new QGridLayout;
  groups->setSpacing(2);
  groups->addWidget(new QLabel("20'", this), 0, 0);
  groups->addWidget(new QLabel("40'", this), 1, 0);
  for (int c = 0; c < kQuayGroups; ++c) {
    auto* label = new QLabel(this);
    label->setObjectName(QString("L%1").arg(c));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(fontMetrics().horizontalAdvance("9999") + 8);
    label->setToolTip(*GroupHint(c) ? QString(GroupHint(c)) : Latin1(QuayGroupName(c)));
    label->setStyleSheet(kGroupStyle);
    label->installEventFilter(this);
    L[static_cast<size_t>(c)] = label;
    if (c == 16)
      groups->addWidget(label, 0, 9, 2, 1);
    else
      groups->addWidget(label, c / 8, 1 + c % 8);
  }
  row->addLayout(groups);
  SBhicu = new QToolButton(this);
  SBhicu->setToolTip("High cubes: all, HC only, none");
  SBhicu->setMinimumWidth(fontMetrics().horizontalAdvance("noHC") + 12);
  connect(SBhicu, &QToolButton::clicked, this, &QuayStrip::SBhicuClick);
  row->addWidget(SBhicu);

  // Weight-class limits in tonnes, light to heavy as the classes count.
  auto* classes = new QGridLayout;
  classes->setSpacing(2);
  auto field = [this](const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(2);
    edit->setValidator(new QIntValidator(0, 99, edit));
    edit->setFixedWidth(fontMetrics().horizontalAdvance("000") + 10);
    connect(edit, &QLineEdit::textChanged, this, &QuayStrip::ED40lChange);
    return edit;
  };
  ED20h = field("ED20h");
  ED20m = field("ED20m");
  ED20l = field("ED20l");
  ED40h = field("ED40h");
  ED40m = field("ED40m");
  ED40l = field("ED40l");
  auto* tons = new QLabel("Weight classes (t)", this);
  tons->setToolTip("Upper limits of the weight classes, 20' above 40'");
  classes->addWidget(tons, 0, 0, 2, 1);
  const std::array<QLineEdit*, 6> order = {ED20l, ED20m, ED20h, ED40l, ED40m, ED40h};
  for (int i = 0; i < 6; ++i) classes->addWidget(order[static_cast<size_t>(i)], i / 3, 1 + i % 3);
  row->addLayout(classes);
  SBtoq = new QToolButton(this);
  SBtoq->setText("to Quay");
  SBtoq->setToolTip("Put the template on the quay, as many as the count says");
  connect(SBtoq, &QToolButton::clicked, this, &QuayStrip::SBtoqClick);
  row->addWidget(SBtoq);
  row->addStretch();

  PMquay = new QMenu(this);
  Reload1 = PMquay->addAction("Reload");
  connect(Reload1, &QAction::triggered, this, [this] {
    list_.Reload(editor_.Commands);
    AfterQuayCommand(true);
  });
  DeleteOne1 = PMquay->addAction("Remove One");
  connect(DeleteOne1, &QAction::triggered, this, [this] {
    list_.RemoveOne();
    AfterQuayCommand(false);
  });
  DeleteGroup1 = PMquay->addAction("Remove group");
  connect(DeleteGroup1, &QAction::triggered, this, [this] {
    if (list_.TakeFromLoadingList() < 0) return;
    ctx_.host.SetBusy(true);
    list_.RemoveGroup();
    ctx_.host.SetBusy(false);
    AfterQuayCommand(false);
  });
  DeletePort = PMquay->addAction("Remove row");
  connect(DeletePort, &QAction::triggered, this, [this] {
    list_.RemoveRoute();
    RefreshRoutes();
    if (editor_.PanelMode != 0) editor_.ShowRecordInPanel(editor_.PanelRecord, false, 0);
    AfterQuayCommand(false);
  });
  ClearQuay1 = PMquay->addAction("Empty quay");
  connect(ClearQuay1, &QAction::triggered, this, &QuayStrip::ClearQuay1Click);
  connect(PMquay, &QMenu::aboutToShow, this, &QuayStrip::PMquayPopup);
}

std::array<QLineEdit*, 6> QuayStrip::WeightFields() const { return {ED20h, ED20m, ED20l, ED40h, ED40m, ED40l}; }

void QuayStrip::LoadWeightClasses() {
  loadingWeights_ = true;
  const auto fields = WeightFields();
  for (int i = 0; i < 6; ++i)
    fields[static_cast<size_t>(i)]->setText(Latin1(ctx_.plan.Settings[static_cast<size_t>(i)]));
  loadingWeights_ = false;
}

void QuayStrip::ED40lChange() {
  if (loadingWeights_) return;
  const auto fields = WeightFields();
  for (int i = 0; i < 6; ++i)
    ctx_.plan.Settings[static_cast<size_t>(i)] =
        std::to_string(ParseInt(fields[static_cast<size_t>(i)]->text().toLatin1().toStdString()));
}

void QuayStrip::RefreshRoutes() {
  list_.RefreshQuayRoutes();
  ShowGroups();
}

void QuayStrip::ShowGroups() {
  CBportsQ->clear();
  for (const LoadingList::RouteChoice& route : list_.Routes) CBportsQ->addItem(Latin1(route.text));
  CBportsQ->setCurrentIndex(list_.ChosenRoute);
  const bool chosen = list_.QuayRoute >= 0;
  for (int c = 0; c < kQuayGroups; ++c) {
    QLabel* label = L[static_cast<size_t>(c)];
    label->setText(chosen ? QString::number(list_.GroupCount(c)) : QString());
    label->setStyleSheet(c == list_.QuayGroup ? kChosenStyle : kGroupStyle);
  }
  const int n20 = list_.Count20();
  const int n40 = list_.Count40();
  Q20->setText(n20 > 0 ? QString("%1 x 20'").arg(n20) : QString());
  Q40->setText(n40 > 0 ? QString("%1 x 40'").arg(n40) : QString());
  static const char* captions[] = {"", "HC", "noHC"};
  SBhicu->setText(captions[std::clamp(list_.HighCube, 0, 2)]);
}

void QuayStrip::AfterQuayCommand(bool planChanged) {
  ShowGroups();
  if (editor_.FormQuay->isVisible()) editor_.FormQuay->Refresh();
  if (planChanged) editor_.RefreshPlan();
}

void QuayStrip::CBportsQSelect(int choice) {
  list_.ChooseRoute(choice);
  AfterQuayCommand(true);
}

void QuayStrip::L0Click(int category) {
  if (editor_.Commands.State.HeldUnits() > 0) {
    ctx_.host.ShowMessageNo(kQueueNotEmptyMessage);
    return;
  }
  if (ctx_.plan.EditorOperation != kOpLoad) {
    ctx_.plan.EditorOperation = kOpLoad;
    editor_.OperationLook();
  }
  editor_.ClearAttributeMarks();
  list_.ChooseGroup(category);
  AfterQuayCommand(true);
  // The group's first unit waits in the panel, where its position says it
  // came from.
  const int record = list_.TakeFromLoadingList();
  const StructDat& hand = ctx_.plan.Cur()[static_cast<size_t>(ctx_.plan.UnitInHandIndex)];
  editor_.ShowRecordInPanel(hand, record < 0, 3);
  if (record < 0) return;
  const PlanData& plan = ctx_.plan;
  const std::pair<QLabel*, QString> digits[] = {
      {editor_.LBbay, Latin1(Columns(hand.POSITION, plan.BayPos, plan.BayPos + plan.BayLen - 1))},
      {editor_.LBrow, Latin1(Columns(hand.POSITION, plan.RowPos, plan.RowPos + plan.RowLen - 1))},
      {editor_.LBtie, Latin1(Columns(hand.POSITION, plan.TierPos, plan.TierPos + plan.TierLen - 1))}};
  for (const auto& [label, text] : digits) {
    label->setText(text);
    label->setStyleSheet("color: white; background: #800080; font-weight: bold;");
  }
}

void QuayStrip::SBhicuClick() {
  for (LoadingList::Line& line : list_.Lines) line.selected = false;
  list_.CycleHighCube();
  list_.ApplyQuayGroup();
  StructDat& hand = ctx_.plan.Cur()[static_cast<size_t>(ctx_.plan.UnitInHandIndex)];
  hand = StructDat{};
  AfterQuayCommand(true);
}

void QuayStrip::SBtoqClick() {
  if (editor_.PanelMode != 0) editor_.ShowRecordInPanel(editor_.PanelRecord, false, 0);
  editor_.ReadPanel();
  const int count = ParseInt(editor_.EDtoq->text().toLatin1().toStdString());
  if (count > LoadingList::kMostToQuay) {
    editor_.EDtoq->setText(QString::number(LoadingList::kMostToQuay));
    return;
  }
  if (list_.PutToQuay(editor_.PanelRecord, count) == 0) return;
  // One box has one number: the panel's goes with the first copy.
  editor_.PanelRecord.CONTAINER.clear();
  editor_.ShowRecordInPanel(editor_.PanelRecord, false, 0);
  editor_.EDtoq->clear();
  AfterQuayCommand(false);
}

void QuayStrip::PMquayPopup() {
  const QString route = CBportsQ->currentText().trimmed();
  DeletePort->setText(route.isEmpty() ? QString("Remove row") : "Remove " + route);
}

void QuayStrip::ClearQuay1Click() {
  if (ctx_.host.Ask("", "Clear all from quay", "Confirm ?", false) != Host::Answer::Yes) return;
  list_.EmptyQuay();
  AfterQuayCommand(false);
}

bool QuayStrip::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int c = 0; c < kQuayGroups; ++c) {
      if (watched != L[static_cast<size_t>(c)]) continue;
      const auto* press = static_cast<QMouseEvent*>(event);
      if (press->button() == Qt::RightButton) {
        if (c != list_.QuayGroup) L0Click(c);
        // The menu removes what the list selects: only in Load mode.
        if (list_.LoadMode) PMquay->popup(press->globalPosition().toPoint());
      } else {
        L0Click(c);
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
