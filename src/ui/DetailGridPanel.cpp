#include "ui/DetailGridPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/UpperCaseEdit.h"

namespace {

constexpr int kRows = 5;

// Each column's cells are typed in capitals, no longer than its codes.
class UpperCaseDelegate : public QStyledItemDelegate {
 public:
  UpperCaseDelegate(std::vector<int> maxLengths, QObject* parent)
      : QStyledItemDelegate(parent), maxLengths_(std::move(maxLengths)) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    const size_t column = static_cast<size_t>(index.column());
    return UpperEdit(parent, column < maxLengths_.size() ? maxLengths_[column] : 0);
  }

 private:
  std::vector<int> maxLengths_;
};

}  // namespace

DetailGridPanel::DetailGridPanel(const QStringList& columns, const std::vector<int>& maxLengths,
                                 QWidget* parent)
    : QFrame(parent), maxLengths_(maxLengths) {
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  Grid = new QTableWidget(kRows, static_cast<int>(columns.size()), this);
  Grid->setHorizontalHeaderLabels(columns);
  Grid->verticalHeader()->setVisible(false);
  Grid->setItemDelegate(new UpperCaseDelegate(maxLengths, Grid));
  for (int c = 0; c < Grid->columnCount(); ++c)
    Grid->setColumnWidth(c, Grid->fontMetrics().horizontalAdvance(
                                QString(std::max(maxLengths[static_cast<size_t>(c)], 4) + 2, 'W')));
  Grid->setFixedSize(Grid->horizontalHeader()->length() + 4,
                     Grid->horizontalHeader()->height() + Grid->verticalHeader()->length() + 4);
  auto button = [this](const char* text) {
    auto* b = new QToolButton(this);
    b->setText(text);
    return b;
  };
  SBsave = button("Save");
  SBremove = button("Remove");
  SBclose = button("x");
  SBclose->setToolTip("Close");
  connect(SBsave, &QToolButton::clicked, this, [this] {
    if (Saved) Saved(Rows());
  });
  connect(SBremove, &QToolButton::clicked, this, [this] {
    SetRows({});
    if (Saved) Saved({});
  });
  connect(SBclose, &QToolButton::clicked, this, [this] {
    hide();
    if (Closed) Closed();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(SBsave);
  buttons->addWidget(SBremove);
  buttons->addStretch();
  buttons->addWidget(SBclose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(Grid);
  layout->addLayout(buttons);
  adjustSize();
}

void DetailGridPanel::SetRows(const std::vector<std::vector<std::string>>& rows) {
  for (int r = 0; r < Grid->rowCount(); ++r)
    for (int c = 0; c < Grid->columnCount(); ++c) {
      const bool given = static_cast<size_t>(r) < rows.size() &&
                         static_cast<size_t>(c) < rows[static_cast<size_t>(r)].size();
      const std::string text = given ? rows[static_cast<size_t>(r)][static_cast<size_t>(c)] : std::string();
      Grid->setItem(r, c, new QTableWidgetItem(QString::fromLatin1(text.c_str())));
    }
}

std::vector<std::vector<std::string>> DetailGridPanel::Rows() const {
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < Grid->rowCount(); ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < Grid->columnCount(); ++c) {
      const QTableWidgetItem* item = Grid->item(r, c);
      row.push_back(item ? item->text().trimmed().toUpper().toLatin1().toStdString() : std::string());
    }
    rows.push_back(row);
  }
  return rows;
}
