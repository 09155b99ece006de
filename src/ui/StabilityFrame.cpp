#include "ui/StabilityFrame.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <cmath>
#include <string>
#include <utility>

#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "reports/GzCurve.h"
#include "stability/Strength.h"
#include "ui/QtCanvas.h"

namespace {

// How a value stands: as it is, beyond its limit, or left over from an
// earlier displacement.
enum class Standing { Normal, Beyond, Stale };

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Fixed decimals, with an exact 0 shown as a number rather than left blank.
QString Fixed(double x, int decimals) {
  const std::string text = FormatFixed(x, decimals);
  if (!text.empty()) return Latin1(text);
  QString zero("0");
  if (decimals > 0) zero += QChar::fromLatin1(DecimalSeparator()) + QString(decimals, QChar('0'));
  return zero;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

void ShowValue(QLabel* label, const QString& text, Standing standing) {
  label->setText(text);
  switch (standing) {
    case Standing::Normal:
      SetTextColour(label, QApplication::palette().color(QPalette::WindowText));
      break;
    case Standing::Beyond:
      SetTextColour(label, Qt::red);
      break;
    case Standing::Stale:
      SetTextColour(label, Qt::gray);
      break;
  }
}

QLabel* ValueLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(52);
  return label;
}

// Red when the value is not above its limit, unless it is stale anyway.
Standing AboveLimit(double value, double limit, bool stale) {
  if (stale) return Standing::Stale;
  return value <= limit ? Standing::Beyond : Standing::Normal;
}

// The GZ curve's paint box.
class GzPaintBox : public QWidget {
 public:
  explicit GzPaintBox(QWidget* parent) : QWidget(parent) {
    setMinimumSize(280, 170);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }
  const StabilityResults* results = nullptr;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QtCanvas canvas(painter, width(), height());
    static const StabilityResults kNothing{};
    DrawGzCurve(canvas, results ? *results : kNothing, width(), height());
  }
};

// Restores the pointer when the work ends, however it ends.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// Plausible drafts of a ship, in metres.
constexpr double kLargestDraft = 50.0;

}  // namespace

StabilityFrame::StabilityFrame(PlanData& plan, QWidget* parent) : QWidget(parent), plan_(plan) {
  layout_ = new QHBoxLayout(this);
  layout_->setContentsMargins(4, 4, 4, 4);
  Panel1 = BuildWeightPanel();
  layout_->addWidget(Panel1);

  auto* middle = new QWidget(this);
  auto* middleLayout = new QVBoxLayout(middle);
  middleLayout->setContentsMargins(0, 0, 0, 0);
  LBstate = new QLabel(middle);
  LBstate->setWordWrap(true);
  LBstate->setMaximumWidth(300);
  middleLayout->addWidget(LBstate);
  LBsaved = new QLabel(middle);
  LBsaved->setWordWrap(true);
  LBsaved->setMaximumWidth(300);
  SetTextColour(LBsaved, QColor(0xC0, 0x60, 0x00));
  middleLayout->addWidget(LBsaved);
  PanelStab = BuildStabilityPanel();
  middleLayout->addWidget(PanelStab);
  middleLayout->addStretch(1);
  layout_->addWidget(middle);

  PanelCrit = BuildCriteriaPanel();
  layout_->addWidget(PanelCrit, 1);
  Refresh();
}

QWidget* StabilityFrame::BuildWeightPanel() {
  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(1);
  const char* headings[] = {"", "tons", "LCG", "VCG", "TCG"};
  for (int c = 0; c < 5; ++c) {
    auto* heading = new QLabel(headings[c], panel);
    heading->setAlignment(c == 0 ? Qt::AlignLeft : Qt::AlignRight);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    grid->addWidget(heading, 0, c);
  }
  for (int i = 0; i < kMaxWeightItems; ++i) {
    WeightRow& row = WeightRows[static_cast<size_t>(i)];
    row.Name = new QLabel(panel);
    row.Tons = ValueLabel(panel);
    row.LCG = ValueLabel(panel);
    row.VCG = ValueLabel(panel);
    row.TCG = ValueLabel(panel);
    QLabel* cells[] = {row.Name, row.Tons, row.LCG, row.VCG, row.TCG};
    for (int c = 0; c < 5; ++c) grid->addWidget(cells[c], i + 1, c);
    // Wide enough for the largest values in bold (the two sums).
    QFont bold = row.Tons->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    row.Tons->setMinimumWidth(metrics.horizontalAdvance("-999999.99") + 4);
    for (QLabel* centre : {row.LCG, row.VCG, row.TCG})
      centre->setMinimumWidth(metrics.horizontalAdvance("-999.99") + 4);
  }
  grid->setRowStretch(kMaxWeightItems + 1, 1);
  return panel;
}

QWidget* StabilityFrame::BuildStabilityPanel() {
  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(2);

  struct Entry {
    const char* caption;
    QLabel** value;
  };
  const Entry entries[] = {
      {"Mean draft", &LBdraft}, {"Trimming", &LBtrim}, {"GM", &LBgm},        {"f.s.", &LBfs},
      {"GM'", &LBgmc},          {"Heeling", &LBheel},  {"km", &LBkm},        {"lcf", &LBlcf},
      {"lcb", &LBlcb},          {"mtc", &LBmtc},       {"Shear%", &LBshear}, {"Bending %", &LBbending},
      {"Torsion%", &LBtorsion},
  };
  int k = 0;
  for (const Entry& e : entries) {
    auto* caption = new QLabel(QString::fromUtf8(e.caption), panel);
    *e.value = ValueLabel(panel);
    grid->addWidget(caption, k / 2, (k % 2) * 2);
    grid->addWidget(*e.value, k / 2, (k % 2) * 2 + 1);
    if (e.value == &LBshear) strengthCaptions_[0] = caption;
    if (e.value == &LBbending) strengthCaptions_[1] = caption;
    if (e.value == &LBtorsion) strengthCaptions_[2] = caption;
    ++k;
  }
  int row = (k + 1) / 2;

  BLoadLine = new QPushButton(panel);
  BLoadLine->setToolTip("Load Line");
  BLoadLine->installEventFilter(this);
  connect(BLoadLine, &QPushButton::clicked, this, &StabilityFrame::BLoadLineClick);
  LBloadLine = ValueLabel(panel);
  grid->addWidget(BLoadLine, row, 0, 1, 2);
  grid->addWidget(LBloadLine, row, 2, 1, 2);
  ++row;

  EAft = new QLineEdit(panel);
  EFore = new QLineEdit(panel);
  for (QLineEdit* box : {EAft, EFore}) {
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(70);
    // A box marked as holding no draft is plain again once edited.
    connect(box, &QLineEdit::textEdited, box, [box] { box->setPalette(QPalette()); });
    connect(box, &QLineEdit::returnPressed, this, &StabilityFrame::BCalcClick);
  }
  grid->addWidget(new QLabel("Aft", panel), row, 0);
  grid->addWidget(EAft, row, 1);
  grid->addWidget(new QLabel("Fore", panel), row, 2);
  grid->addWidget(EFore, row, 3);
  ++row;

  BCalc = new QPushButton("Calculation", panel);
  BCalc->setToolTip("Calculation");
  connect(BCalc, &QPushButton::clicked, this, &StabilityFrame::BCalcClick);
  BRst = new QPushButton("rst", panel);
  BRst->setToolTip("Clear Correction");
  connect(BRst, &QPushButton::clicked, this, &StabilityFrame::BRstClick);
  grid->addWidget(BCalc, row, 0, 1, 2);
  grid->addWidget(BRst, row, 2, 1, 2);
  return panel;
}

QWidget* StabilityFrame::BuildCriteriaPanel() {
  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::StyledPanel);
  auto* box = new QHBoxLayout(panel);
  box->setContentsMargins(6, 4, 6, 4);
  auto* grid = new QGridLayout();
  grid->setVerticalSpacing(2);
  struct Entry {
    const char* caption;
    QLabel** value;
  };
  const Entry entries[] = {
      {"GZ 30°               (0.20)", &LBgz30}, {"area 30°      (0.055)", &LBarea30},
      {"area 40°      (0.090)", &LBarea40},     {"angle GZmax (30°)", &LBangleMax},
      {"area 30°40° (0.030)", &LBarea3040},     {"flooding angle", &LBflooding},
  };
  int row = 0;
  for (const Entry& e : entries) {
    auto* caption = new QLabel(QString::fromUtf8(e.caption), panel);
    *e.value = ValueLabel(panel);
    grid->addWidget(caption, row, 0);
    grid->addWidget(*e.value, row, 1);
    if (e.value == &LBflooding) floodingCaption_ = caption;
    if (e.value == &LBarea40) area40Caption_ = caption;
    if (e.value == &LBarea3040) area3040Caption_ = caption;
    ++row;
  }
  grid->setRowStretch(row, 1);
  box->addLayout(grid);
  PBgz = new GzPaintBox(panel);
  box->addWidget(PBgz, 1);
  return panel;
}

void StabilityFrame::SetStability(Stability* stability) {
  stability_ = stability;
  if (stability_) stability_->ComputeLoadLines();
  Refresh();
}

void StabilityFrame::RestorePanel1() {
  if (Panel1->parentWidget() != this || layout_->indexOf(Panel1) < 0) {
    Panel1->setParent(this);
    layout_->insertWidget(0, Panel1);
  }
  Panel1->show();
  RefreshWeights();
}

void StabilityFrame::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) RefreshOnShow();
}

void StabilityFrame::RefreshOnShow() {
  if (stability_) {
    if (stability_->LoadLines[1] == 0) stability_->ComputeLoadLines();
    // The density follows the zone: a zone set by a condition file comes
    // with its water.
    stability_->SelectLoadLine(0);
  }
  Refresh();
}

void StabilityFrame::Refresh() {
  if (stability_ && stability_->LoadLines[1] == 0 && stability_->Hyd.size() > 2)
    stability_->ComputeLoadLines();
  RefreshWeights();
  // Until the plan is changed, the file's own totals are the reference.
  const std::string saved = stability_ && !plan_.ConditionModified ? stability_->SavedTotalsNote() : std::string();
  LBsaved->setText(Latin1(saved));
  LBsaved->setVisible(!saved.empty());
  RefreshStability();
  RefreshCriteria();
  static_cast<GzPaintBox*>(PBgz)->results = stability_ ? &stability_->Results : nullptr;
  PBgz->update();
}

void StabilityFrame::RefreshWeights() {
  const int count = stability_ ? std::clamp(stability_->ItemCount(), 0, kMaxWeightItems) : 0;
  for (int i = 0; i < kMaxWeightItems; ++i) {
    const WeightRow& row = WeightRows[static_cast<size_t>(i)];
    const bool shown = i < count;
    for (QLabel* label : {row.Name, row.Tons, row.LCG, row.VCG, row.TCG}) label->setVisible(shown);
    if (!shown) continue;
    const WeightItem& item = stability_->Items[static_cast<size_t>(i)];
    row.Name->setText(Latin1(TrimRight(stability_->ItemName(i))));
    row.Tons->setText(Fixed(item.Tonnes(), 2));
    // Centres of an item that weighs nothing are 0.
    const bool empty = item.W == 0;
    row.LCG->setText(empty ? "0" : Fixed(item.Lcg(), 2));
    row.VCG->setText(empty ? "0" : Fixed(item.Vcg(), 2));
    row.TCG->setText(empty ? "0" : Fixed(item.Tcg(), 2));
    // The two sums stand out.
    const bool sum = i >= count - 2 && count >= 6;
    for (QLabel* label : {row.Name, row.Tons, row.LCG, row.VCG, row.TCG}) {
      QFont font = label->font();
      font.setBold(sum);
      label->setFont(font);
    }
  }
}

void StabilityFrame::RefreshStability() {
  const HydrostaticState state = stability_ ? stability_->Results.State : HydrostaticState::NoTable;
  if (state == HydrostaticState::NoTable) {
    PanelStab->hide();
    LBstate->setText(stability_ ? "No hydrostatic table: no drafts or stability" : "");
    SetTextColour(LBstate, QApplication::palette().color(QPalette::WindowText));
    LBstate->setVisible(stability_ != nullptr);
    return;
  }
  PanelStab->show();
  const bool stale = state == HydrostaticState::OutsideTable;
  if (stale) {
    LBstate->setText(
        "Displacement beyond the hydrostatic table: the drafts and stability shown are "
        "those of the last displacement inside it");
    SetTextColour(LBstate, Qt::red);
  }
  LBstate->setVisible(stale);

  const StabilityResults& r = stability_->Results;
  const auto normal = stale ? Standing::Stale : Standing::Normal;
  const int zone = std::clamp(plan_.LoadLineZone, 0, kLoadLineZones - 1);
  const double loadLine = stability_->LoadLines[static_cast<size_t>(zone)];
  ShowValue(LBdraft, Fixed(r.MeanDraft, 3),
            stale                                     ? Standing::Stale
            : loadLine > 0 && r.MeanDraft >= loadLine ? Standing::Beyond
                                                      : Standing::Normal);
  ShowValue(LBtrim, Fixed(r.Trim, 2),
            stale        ? Standing::Stale
            : r.Trim < 0 ? Standing::Beyond
                         : Standing::Normal);
  ShowValue(LBgm, Fixed(r.GM, 2), AboveLimit(r.GM, plan_.Lim[0], stale));
  ShowValue(LBfs, Fixed(r.FreeSurfaceCorrection, 2), normal);
  ShowValue(LBgmc, Fixed(r.GMCorrected, 2), AboveLimit(r.GMCorrected, plan_.Lim[0], stale));
  ShowValue(LBheel, Fixed(r.Heel, 2), normal);
  ShowValue(LBkm, Fixed(r.KM, 2), normal);
  ShowValue(LBlcf, Fixed(r.LCF, 2), normal);
  ShowValue(LBlcb, Fixed(r.LCB, 2), normal);
  ShowValue(LBmtc, Fixed(r.MTC, 2), normal);

  // Strength percentages only with strength data; a torsion beyond its
  // limit in either direction is as red as a positive one.
  const Strength& strength = stability_->strength();
  const bool withStrength = strength.Loaded();
  const Strength::Results& s = strength.Result;
  const bool strengthStale = stale || s.State != StrengthState::Current;
  QLabel* percentages[] = {LBshear, LBbending, LBtorsion};
  const double values[] = {s.MaxShearPercent, s.MaxBendingPercent, s.MaxTorsionPercent};
  for (int i = 0; i < 3; ++i) {
    percentages[i]->setVisible(withStrength);
    strengthCaptions_[static_cast<size_t>(i)]->setVisible(withStrength);
    if (!withStrength) continue;
    ShowValue(percentages[i], Fixed(values[i], 1) + "%",
              strengthStale                  ? Standing::Stale
              : std::abs(values[i]) >= 100.0 ? Standing::Beyond
                                             : Standing::Normal);
  }

  BLoadLine->setText(LoadLineName(zone));
  ShowValue(LBloadLine, Fixed(loadLine, 3), Standing::Normal);
  ShowMarksDrafts();
}

void StabilityFrame::ShowMarksDrafts() {
  if (!stability_) return;
  EAft->setPalette(QPalette());
  EFore->setPalette(QPalette());
  EAft->setText(Fixed(stability_->Results.AftMarksDraft, 2));
  EFore->setText(Fixed(stability_->Results.ForeMarksDraft, 2));
}

void StabilityFrame::RefreshCriteria() {
  const StabilityResults* r = stability_ ? &stability_->Results : nullptr;
  if (!r || r->State == HydrostaticState::NoTable || !r->HasGzCurve) {
    PanelCrit->hide();
    return;
  }
  PanelCrit->show();
  // Levers computed beyond the hydrostatic table are not this condition's.
  const bool stale = r->State != HydrostaticState::Current;
  const auto& lim = plan_.Lim;
  // The captions carry the usual limits; the ones in force are the criteria
  // table's.
  const std::pair<QLabel*, QString> limits[] = {
      {LBgz30, Fixed(lim[4], 2)},     {LBarea30, Fixed(lim[1], 3)},   {LBarea40, Fixed(lim[2], 3)},
      {LBangleMax, Fixed(lim[5], 0)}, {LBarea3040, Fixed(lim[3], 3)},
  };
  for (const auto& [label, limit] : limits) label->setToolTip("Limit " + limit);
  // Areas that end at the flooding angle say so in their captions.
  const bool toFlooding = r->AreaUpperAngle < 40;
  const QString upper = QString::fromStdString(AreaUpperAngleText(*r));
  area40Caption_->setText(toFlooding ? QString::fromUtf8("area %1°    (0.090)").arg(upper)
                                     : QString::fromUtf8("area 40°      (0.090)"));
  area3040Caption_->setText(toFlooding ? QString::fromUtf8("area 30°%1° (0.030)").arg(upper)
                                       : QString::fromUtf8("area 30°40° (0.030)"));
  area40Caption_->setToolTip(toFlooding ? "Up to the flooding angle" : "");
  area3040Caption_->setToolTip(toFlooding ? "From 30° up to the flooding angle" : "");
  ShowValue(LBgz30, Fixed(r->Gz30, 2), AboveLimit(r->Gz30, lim[4], stale));
  ShowValue(LBarea30, Fixed(r->Area30, 3), AboveLimit(r->Area30, lim[1], stale));
  ShowValue(LBarea40, Fixed(r->Area40, 3), AboveLimit(r->Area40, lim[2], stale));
  ShowValue(LBangleMax, Fixed(r->GzMaxAngle, 0), AboveLimit(r->GzMaxAngle, lim[5], stale));
  ShowValue(LBarea3040, Fixed(r->Area30To40, 3), AboveLimit(r->Area30To40, lim[3], stale));
  const bool flooding = r->FloodingAngle > 0;
  LBflooding->setVisible(flooding);
  floodingCaption_->setVisible(flooding);
  if (flooding) ShowValue(LBflooding, Fixed(r->FloodingAngle, 1), stale ? Standing::Stale : Standing::Normal);
}

bool StabilityFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == BLoadLine && BLoadLine->isEnabled()) {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton) {
        rightPressOnLoadLine_ = true;
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonRelease) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton) {
        // A press dragged off the button and released elsewhere is no click.
        const bool click = rightPressOnLoadLine_ && BLoadLine->rect().contains(mouse->position().toPoint());
        rightPressOnLoadLine_ = false;
        if (click) BLoadLineRightClick();
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void StabilityFrame::BLoadLineClick() { StepLoadLine(+1); }

void StabilityFrame::BLoadLineRightClick() { StepLoadLine(-1); }

void StabilityFrame::StepLoadLine(int step) {
  if (!stability_ || stability_->Results.State == HydrostaticState::NoTable) return;
  stability_->SelectLoadLine(step);
  Refresh();
  emit conditionChanged();
}

bool StabilityFrame::ReadDraftBox(QLineEdit* box, double& draft) {
  const std::string text = box->text().toLatin1().toStdString();
  const bool digits = text.find_first_of("0123456789") != std::string::npos;
  draft = ParseReal(text);
  // Lenient reading makes any text a number; an empty box or a draft no ship
  // has must not become a correction of thousands of tonnes.
  if (digits && draft > 0 && draft <= kLargestDraft) return true;
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, QColor(255, 200, 200));
  box->setPalette(palette);
  return false;
}

void StabilityFrame::BCalcClick() {
  if (!stability_) return;
  double aft = 0, fore = 0;
  const bool aftRead = ReadDraftBox(EAft, aft);
  const bool foreRead = ReadDraftBox(EFore, fore);
  if (!aftRead || !foreRead) return;
  bool corrected = false;
  {
    WaitCursor wait;
    corrected = stability_->CorrectFromDrafts(aft, fore);
  }
  if (!corrected) {
    // Within the tolerance of the computed drafts: the boxes show those again.
    ShowMarksDrafts();
    return;
  }
  Refresh();
  emit conditionChanged();
}

void StabilityFrame::BRstClick() {
  if (!stability_) return;
  const int item = stability_->CorrectionItem();
  const bool hadCorrection =
      item >= 0 && item < kMaxWeightItems && !(stability_->Items[static_cast<size_t>(item)] == WeightItem{});
  stability_->ClearCorrection();
  Refresh();
  if (hadCorrection) emit conditionChanged();
}
