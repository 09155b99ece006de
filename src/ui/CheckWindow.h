#pragma once

// CheckWindow, "Check": the lines of the stowage check in a fixed-pitch list.
// One window for the whole run; every check clears and refills it. A double
// click on a line marks just the cells of that line and hands them to the
// bay plan editor.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

struct PlanData;
class Host;
class QListWidget;

class CheckWindow : public QDialog {
  Q_OBJECT

 public:
  CheckWindow(PlanData& plan, Host& host, QWidget* parent = nullptr);

  QListWidget* LB = nullptr;

  // The lines of the last check, as the list shows them.
  std::vector<std::string> Lines;

  // Runs the check on the working data set and fills the list; true when
  // nothing was found. cell -1 examines every cell. The full check over all
  // cells first runs PrepareFullCheck.
  bool RunCheck(bool segregationOnly, int cell);
  // The check as the windows start it: the bay plan editor's full check and
  // the hazardous plan's segregation check show the window modally; the
  // check of one cell after a placement shows it only when something was
  // found. True when nothing was found.
  bool ShowCheck(bool segregationOnly, int cell);

  // A double click on a line: only its cells stay SELECTED, HighlightCells
  // gets them, and the window closes. Nothing happens without a current
  // line or while the editor is not visible.
  void LBDblClick();

  // The bay plan editor's side, connected by whoever owns both windows.
  // Shows just these cells highlighted (and repaints).
  std::function<void(const std::vector<int>& cells)> HighlightCells;
  // Whether the editor is on the screen; unset counts as visible.
  std::function<bool()> EditorVisible;
  // Before the full check: the reference condition read and the moves of
  // the current port recomputed, as for the restows list.
  std::function<void()> PrepareFullCheck;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  PlanData& plan_;
  Host& host_;
};
