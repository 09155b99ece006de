#pragma once

// BayPlanEditor: the bay plan editor's view. It shows every bay of the vessel
// (or one bay, or one half of the ship) with the units of the working
// condition, follows the pointer and the arrow keys cell by cell, and shows
// what stands under the pointer: position, stack weight against its limit,
// route totals of the unit, and the condition's drafts, trim and GM in the
// caption. A press on a cell is handed to CellClick, which the editing
// commands supply.
//
// The plan is painted into an image once; the pointer's cells are redrawn
// there alone, so hovering over a 9,800-cell ship costs two cells, not the
// whole picture.

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "conditions/LoadingList.h"
#include "core/PlanData.h"
#include "planning/BayLayout.h"
#include "planning/CellDrawing.h"
#include "planning/EditorCommands.h"

struct StabilityResults;
class PlanContext;
class Selection;
class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QLabel;
class QListWidget;
class QMenu;
class QScrollArea;
class QToolButton;
class BayPlanEditor;
class DetailGridPanel;
class LoadingListWindow;
class QuayStrip;

// PB, the paint box: the plan's picture, and the pointer over it.
class TPlanBox : public QWidget {
  Q_OBJECT

 public:
  TPlanBox(BayPlanEditor& form, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  BayPlanEditor& form_;
};

class BayPlanEditor : public QWidget {
  Q_OBJECT

 public:
  BayPlanEditor(PlanData& plan, PlanContext& ctx, Selection& selection, QWidget* parent = nullptr);

  // What presses, keys and menu items do to the plan; the window maps them
  // onto it and shows the result.
  EditorCommands Commands;
  // The quay's loading list: where Load presses take units from in quay
  // mode, shown by the quay strip and the "Loading List" window.
  LoadingList Quay;

  // Supplied by the windows around the editor; an empty hook hides its
  // button.
  std::function<bool(int cell, bool secondary)> CellClick;  // a press on a cell; true when the plan changed
  std::function<bool()> AlignToPrevious;  // "Allign": the previous condition with this plan's moves
  std::function<void()> OpenSelection;    // "Sel": the selection window, modal
  std::function<void()> SelectionChanged;  // after "Sel", "rs" or the port button: the lists follow
  std::function<void()> RunCheck;         // "Chk": the stowage check and its window
  std::function<bool(bool older, bool open)> Neighbour;  // the condition before (older) or after
  std::function<const StabilityResults*()> Stability;    // the caption's figures, null when none

  int HoverCell = -1;
  bool& ProtectOtherPorts = Commands.State.ProtectOtherPorts;
  BayLayout Layout;
  BayView View;
  QImage Picture;  // the plan as last painted, in PB's pixels

  // Everything the plan shows has changed (a condition was opened, a
  // command changed many cells): layout, totals and picture are redone.
  void RefreshPlan();
  // A few cells changed: only they are redrawn.
  void RefreshCells(const std::vector<int>& cells);
  // The condition's name or stability changed.
  void RefreshCaption();
  // Cells to show highlighted (from the check window): only their units
  // keep their colour until the selection is reset.
  void HighlightCells(const std::vector<int>& cells);

  void PBMouseMove(QPoint at, Qt::MouseButtons buttons);
  void PBMouseDown(QPoint at, Qt::MouseButton button);
  void RunLayout();
  void PaintPicture();
  void OperationClick();
  // SBope's caption, colour and the plan's pointer for the operation.
  void OperationLook();
  void SetColourMode(int mode);
  void SetLetterMode(int mode);
  void OneBayClick();
  void SetSection(int section);
  // Moves the pointer to the first unit whose number contains text; false
  // (and the pointer on the search button) when there is none.
  bool SearchContainer(const QString& text);
  void Zoom(bool in);
  // The attribute panel: the unit under the pointer (read-only, on grey),
  // or the template of the units loaded next (red), which may be edited
  // while no cell is under the pointer.
  StructDat& PanelRecord = Commands.State.PanelRecord;
  // Shows record (an empty record with clear) in the colours of mode: 0 the
  // template, 1 a unit on board, 2 the unit in hand, 3 the next unit of the
  // loading list, 4 a unit being edited. The panel is left read-only.
  void ShowRecordInPanel(const StructDat& record, bool clear, int mode);
  // The fields into PanelRecord, when the panel takes input and shows the
  // template or the unit being edited.
  void ReadPanel();
  // Input is taken only in the template and edit modes.
  void SetPanelEditable(bool editable);
  bool PanelEditable = false;
  int PanelMode = 0;
  // Leaving the container number: its stored form, and the right check
  // digit in LBcd when the typed one is wrong.
  void EDcntExit();
  // Attributes marked for transfer to the units clicked next, in the order
  // POL, POD, PRS, FRM, SIZE, TYPE, TONS, MTY, OPER; a caption click
  // toggles its mark.
  std::array<bool, kAttributeMarks>& AttributeMarks = Commands.State.AttributeMarks;
  void ClearAttributeMarks();
  void ToggleAttributeMark(int index);
  // The numeric keypad under field; a key typed on it.
  void ShowKeypad(QLineEdit* field);
  void KeypadKey(const QString& key);
  // A double click on a code field: the codes that fit it, in LBports.
  void ShowPicker(QWidget* field);
  // A double click on a picker entry: its code into the field it was
  // opened for.
  void PickEntry(const QString& entry);
  // The editing commands as the window offers them. Each acts on the cell
  // under the pointer (the one the menu was opened on) and repaints what
  // changed.
  void PBMouseUp();
  void EditClick();
  void FillClick(int kind);
  void DumpClick(int kind);
  void ChangeClick(int kind);
  void NotesClick();
  void ImoAdditionalClick();
  void BundleClick();
  void UndoClick();
  void RedoClick();
  void ClearQueueClick();
  void AlignClick();
  void Pop1Popup();
  // After a command: the cells it changed, or the whole plan.
  void AfterCommand(bool changed, bool wholePlan);
  // The pointer as the editor last saw it, in PB's pixels.
  QPoint Pointer() const { return pointer_; }

  QScrollArea* ScrollBox1 = nullptr;
  TPlanBox* PB = nullptr;
  QToolButton* SBope = nullptr;
  QToolButton* SBport = nullptr;
  QToolButton* SBsel = nullptr;
  QToolButton* SBrs = nullptr;
  QToolButton* SBsearch = nullptr;
  QToolButton* SBchk = nullptr;
  QToolButton* SBp = nullptr;
  QToolButton* SBm = nullptr;
  std::array<QToolButton*, 4> SBc{};  // colour modes "D", "L", "DL", "W"
  std::array<QToolButton*, 7> SBl{};  // letter modes "no", "D", "L", "W", "Imo", "Si", "cW"
  QToolButton* SBoptions = nullptr;
  QToolButton* SBolder = nullptr;
  QToolButton* SBnewer = nullptr;
  QComboBox* CBsection = nullptr;
  QMenu* PopOpt = nullptr;
  QAction* Onlyport1 = nullptr;
  QAction* HighCubeslimit = nullptr;
  QMenu* Pop1 = nullptr;
  QAction* Edit = nullptr;
  QMenu* Dump1 = nullptr;
  QAction* Disch = nullptr;
  QAction* Loading = nullptr;
  QAction* LoadDisch = nullptr;
  QAction* DumpBay1 = nullptr;
  QAction* Operator = nullptr;
  QAction* DumpAll1 = nullptr;
  QMenu* Change1 = nullptr;
  QAction* Notes1 = nullptr;
  QAction* ImoAdditional1 = nullptr;
  QAction* Flatspkg1 = nullptr;
  QAction* FillTier = nullptr;
  QAction* FillRow = nullptr;
  QAction* FillBay = nullptr;
  QAction* Undo1 = nullptr;
  QAction* Redo1 = nullptr;
  QLabel* LabelMess = nullptr;
  QToolButton* SBmov = nullptr;
  QToolButton* SpeedButton2 = nullptr;  // "Allign"
  DetailGridPanel* PAimo = nullptr;
  DetailGridPanel* PAfls = nullptr;
  QAction* OneBay1 = nullptr;
  QAction* PortColor1 = nullptr;
  QListWidget* LIbay = nullptr;
  QLabel* LBbay = nullptr;
  QLabel* LBrow = nullptr;
  QLabel* LBtie = nullptr;
  QLabel* LBstk = nullptr;
  QLabel* LBostk = nullptr;
  QLabel* LBfrto = nullptr;
  QLabel* LBfm = nullptr;
  QLabel* LBto = nullptr;
  // Route totals: 20' full, 40' full, 20' empty, 40' empty, break bulk of
  // the route, of the loading port and of the discharge port.
  std::array<QLabel*, 5> LBroute{};
  std::array<QLabel*, 5> LBfrom{};
  std::array<QLabel*, 5> LBtowards{};
  QWidget* PAlbl = nullptr;  // the panel's captions; the marks are set here
  QWidget* PAed = nullptr;   // the panel's fields
  QLineEdit* EDcnt = nullptr;
  QLineEdit* EDpol = nullptr;
  QLineEdit* EDpod = nullptr;
  QLineEdit* EDprs = nullptr;
  QLineEdit* EDfrm = nullptr;
  QLineEdit* EDwei = nullptr;
  QComboBox* CBsiz = nullptr;
  QComboBox* CBtyp = nullptr;
  QLabel* LBiso = nullptr;
  QLineEdit* EDimo = nullptr;
  QLineEdit* EDunn = nullptr;
  QLineEdit* EDtmi = nullptr;
  QLineEdit* EDtma = nullptr;
  QLineEdit* EDohi = nullptr;
  QLineEdit* EDowp = nullptr;
  QLineEdit* EDows = nullptr;
  QLineEdit* EDolf = nullptr;
  QLineEdit* EDope = nullptr;
  QCheckBox* CBmty = nullptr;
  QLineEdit* EDtoq = nullptr;  // units to put on the quay, in quay mode
  // The marked captions, in the order of AttributeMarks.
  QLabel* LBpol = nullptr;
  QLabel* LBpod = nullptr;
  QLabel* LBprs = nullptr;
  QLabel* LBfrm = nullptr;
  QLabel* LBsiz = nullptr;
  QLabel* LBtyp = nullptr;
  QLabel* LBwei = nullptr;
  QLabel* LBmty = nullptr;
  QLabel* LBope = nullptr;
  QLabel* LBtemps = nullptr;  // "TMin", or "FlshP" for a hazardous unit's flash point
  QLabel* LBoh = nullptr;
  QLabel* LBowp = nullptr;
  QLabel* LBows = nullptr;
  QLabel* LBol = nullptr;
  QLabel* LBcd = nullptr;  // the right check digit of a wrong container number
  QListWidget* LBports = nullptr;
  QWidget* PAnum = nullptr;  // numeric keypad
  std::array<QToolButton*, 10> SBdigit{};
  QToolButton* SBdec = nullptr;
  QToolButton* SBmen = nullptr;
  QToolButton* SBclear = nullptr;
  QToolButton* SBok = nullptr;
  // Quay mode: the button that toggles it, the strip it shows, and the
  // loading list's window.
  QToolButton* SBquay = nullptr;
  QuayStrip* PAqua = nullptr;
  LoadingListWindow* FormQuay = nullptr;
  // "QUAY" / "Close Quay": discharged units go to the quay, Load takes
  // them from it.
  void SBquayClick();
  // "Loading List": the list's window shown or closed.
  void SBqlistClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TPlanBox;
  void DrawOneCell(int cell, int highlight);
  QRect CellRect(int cell) const;
  void ShowPosition(int cell);
  void ShowStackWeight(int cell);
  void ShowRouteTotals(int cell);
  void ClearRouteTotals();
  void ShowHint(int cell);
  void PortColourClick();
  void MovePointer(QPoint to);
  void BuildPanel();
  void BuildKeypad();
  void FillCodeLists();
  // A field's text changed: read the panel, and at its full length move on
  // to the next field.
  void EDChange(QWidget* field);
  void LabelsByType();
  std::array<QLabel*, 9> MarkLabels() const;
  void UpdateNavigation();
  Colour Background() const;

  PlanData& plan_;
  PlanContext& ctx_;
  Selection& selection_;
  QPoint pointer_{-1, -1};
  int menuCell_ = -1;         // the cell the plan menu was opened on
  std::vector<int> changed_;  // cells the running command changed
  int ActionCell() const;
  void ShowQueue();
  void RunCommand(const std::function<bool()>& command, bool wholePlan);
  bool zoomed_ = false;
  bool leftHeld_ = false;
  bool opened_ = false;
  QWidget* pickerField_ = nullptr;
  QLineEdit* keypadField_ = nullptr;
  QLabel* equipmentCaption_ = nullptr;  // LBcd stands over it
  QScrollArea* panelScroll_ = nullptr;
  int styledMode_ = -1;
  bool quayModeRead_ = false;  // quay mode taken from the settings once a run
  void ShowQuayMode();
};
