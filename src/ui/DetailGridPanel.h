#pragma once

// DetailGridPanel: the small grid panel the editor shows over the plan for
// a unit's additional dangerous goods (class and UN number, five rows) or
// its bundle (five attached equipment numbers). "Save" hands the rows on,
// "Remove" empties them, the close button leaves the unit as it was.

#include <QFrame>
#include <functional>
#include <string>
#include <vector>

class QTableWidget;
class QToolButton;

class DetailGridPanel : public QFrame {
  Q_OBJECT

 public:
  DetailGridPanel(const QStringList& columns, const std::vector<int>& maxLengths, QWidget* parent = nullptr);

  // Rows of cells, as many as the grid has rows.
  void SetRows(const std::vector<std::vector<std::string>>& rows);
  std::vector<std::vector<std::string>> Rows() const;

  std::function<void(const std::vector<std::vector<std::string>>& rows)> Saved;  // Save and Remove
  std::function<void()> Closed;

  QTableWidget* Grid = nullptr;
  QToolButton* SBsave = nullptr;
  QToolButton* SBremove = nullptr;
  QToolButton* SBclose = nullptr;

 private:
  std::vector<int> maxLengths_;
};
