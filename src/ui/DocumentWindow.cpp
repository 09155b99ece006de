#include "ui/DocumentWindow.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "core/PlanData.h"
#include "core/TextFile.h"
#include "ui/OutsidePrograms.h"
#include "ui/PrintService.h"

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

QFont ListFont() {
  QFont font("Lucida Console", 10);
  if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  return font;
}

QToolButton* Button(QWidget* parent, QHBoxLayout* row, const QString& text, const QString& hint) {
  auto* b = new QToolButton(parent);
  b->setText(text);
  b->setToolTip(hint);
  b->setAutoRaise(true);
  row->addWidget(b);
  return b;
}

}  // namespace

DocumentWindow::DocumentWindow(PlanData& plan, const Stability& stability, DocumentKind kind, QWidget* parent)
    : QDialog(parent), plan_(plan), stability_(stability), kind_(kind) {
  setObjectName("DocumentWindow");
  setWindowTitle(DocumentCaption(kind));
  setModal(true);
  Panel = new QWidget(this);
  auto* row = new QHBoxLayout(Panel);
  row->setContentsMargins(2, 2, 2, 2);
  SpeedButton1 = Button(Panel, row, "Word", "Word");
  SBprint = Button(Panel, row, "Print", "To printer");
  SBsaveTo = Button(Panel, row, "File", "To File");
  SBsel = Button(Panel, row, "Sel", "Sel");
  SBrs = Button(Panel, row, "rst", "Reset selection");
  row->addStretch();
  const bool notes = kind == DocumentKind::Notes;
  SBsel->setVisible(notes);
  SBrs->setVisible(notes);
  connect(SpeedButton1, &QToolButton::clicked, this, &DocumentWindow::WordClick);
  connect(SBprint, &QToolButton::clicked, this, &DocumentWindow::PrintClick);
  connect(SBsaveTo, &QToolButton::clicked, this, &DocumentWindow::SaveToClick);
  connect(SBsel, &QToolButton::clicked, this, &DocumentWindow::SelClick);
  connect(SBrs, &QToolButton::clicked, this, &DocumentWindow::RstClick);

  LB = new QListWidget(this);
  LB->setFont(ListFont());
  LB->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel);
  layout->addWidget(LB, 1);
}

void DocumentWindow::showEvent(QShowEvent* event) {
  Rebuild();
  QDialog::showEvent(event);
}

void DocumentWindow::Rebuild() {
  const bool dark = DocumentIsDark(plan_, kind_);
  QPalette palette = LB->palette();
  palette.setColor(QPalette::Base, dark ? Qt::black : Qt::white);
  palette.setColor(QPalette::Text, dark ? Qt::white : Qt::black);
  LB->setPalette(palette);
  lines_ = DocumentLines(plan_, stability_, kind_, ManifestFrom);
  LB->clear();
  for (const std::string& line : lines_) LB->addItem(Latin1(line));
  FitToLines();
}

void DocumentWindow::FitToLines() {
  const QFontMetrics metrics(LB->font());
  int widest = 0;
  for (const std::string& line : lines_) widest = std::max(widest, metrics.horizontalAdvance(Latin1(line + "    ")));
  const int item = std::max(metrics.height(), LB->sizeHintForRow(0));
  QSize limit = Limit;
  if (limit.isEmpty()) {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    limit = s ? s->availableGeometry().size() : QSize(1200, 800);
  }
  const int frame = 2 * LB->frameWidth();
  const int w = std::min(limit.width(), std::max(widest + frame + LB->verticalScrollBar()->sizeHint().width(),
                                                 Panel->sizeHint().width()));
  const int h = std::min(limit.height(),
                         (static_cast<int>(lines_.size()) + 1) * item + Panel->sizeHint().height() + frame);
  resize(w, h);
}

void DocumentWindow::WordClick() {
  if (!Outside) return;
  std::string error;
  if (!Outside->OpenInWordProcessor(lines_, error) && ReportError) ReportError(error);
}

bool DocumentWindow::PrintClick() {
  return Printing && Printing->PrintLines(lines_, false, 0, "", "", plan_.CurPlane);
}

bool DocumentWindow::SaveToClick() {
  QString file;
  if (ChooseSaveFile) {
    file = ChooseSaveFile();
  } else {
    QFileDialog dialog(this, QString(), Latin1(plan_.Settings[SettingsIx::SendingDir]), "Text (*.txt);;All files (*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("txt");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) file = dialog.selectedFiles().first();
  }
  if (file.isEmpty()) return false;
  std::string error;
  if (WriteTextLines(std::filesystem::path(file.toLocal8Bit().toStdString()), lines_, error)) return true;
  if (ReportError) ReportError(error);
  return false;
}

void DocumentWindow::SelClick() {
  if (OpenSelection) OpenSelection();
  Rebuild();
}

void DocumentWindow::RstClick() {
  if (ResetSelection) ResetSelection();
  plan_.RedrawAll = 1;
  plan_.PolCount = -1;
  plan_.PodCount = -1;
  Rebuild();
}
