#pragma once

// MainWindow: the main window. Without a vessel it lists the installed
// vessels (LB1), from which one is opened; with a vessel open it shows the
// vessel's conditions (LBcond), the title panels and the stability frame,
// and the commands that work on the vessel.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

struct PlanData;
class ConditionList;
class Host;
class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QStackedWidget;
class QToolBar;
class BaseData;
class BayPlanEditor;
class CheckWindow;
class QuayLayoutWindow;
class SelectionWindow;
class OutsidePrograms;
class StabilityFrame;
class StressesWindow;
class TanksWindow;
class VesselSession;
class ContainersListWindow;
class TotalsWindow;
class LongViewWindow;
class PrintService;
class OutsidePrograms;
enum class DocumentKind;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(PlanData& plan, QWidget* parent = nullptr);
  ~MainWindow() override;

  QLabel* LDataDir = nullptr;
  QListWidget* LB1 = nullptr;
  QListWidget* LBcond = nullptr;
  QLabel* PAt = nullptr;
  QLabel* PAb = nullptr;
  QToolBar* TB = nullptr;
  StabilityFrame* Stability = nullptr;
  // The bay plan editor, created with the session and kept for the run.
  BayPlanEditor* AllBays = nullptr;
  // The selection filter's window and the stowage check's, kept likewise.
  SelectionWindow* Sel = nullptr;
  CheckWindow* Mess = nullptr;
  // The quay layout, for "Quay" of "Cargo" where clu.txt exists.
  QuayLayoutWindow* Quaylay = nullptr;
  QAction* QuayAction = nullptr;
  QMenu* PMcond = nullptr;
  QLabel* PAcus = nullptr;
  // The particulars of the open vessel: one label and edit per shown
  // header descriptor, built once.
  QWidget* PAp = nullptr;
  QAction* RestoreAction = nullptr;
  QAction* SaveAction = nullptr;
  QAction* BuVes = nullptr;
  QMenu* Interface = nullptr;
  QAction* ExportVesAction = nullptr;  // "Export ": only with the exchange folder
  // The containers list and the totals, kept for the run like the editor.
  ContainersListWindow* Lis = nullptr;
  TotalsWindow* Tot = nullptr;
  void TotalsClick();
  void ContainersListClick();
  void RestowsListClick();
  // Sets RESTOW of the working units from the reference condition, for the
  // restows list; unset, the marks the units carry are listed as they are.
  std::function<void()> ComputeRestows;
  // Result: the tanks with the stability frame's weights, and the stresses
  // along the ship; both made with the session and kept for the run.
  TanksWindow* Tanks = nullptr;
  StressesWindow* Stre = nullptr;
  QAction* TrimStabilityButton = nullptr;  // tool buttons, only with hydrostatic data
  QAction* StressesButton = nullptr;
  // "Trim and Stability" and "Tanks/Stability": the tanks window, or
  // message 39 without a hydrostatic table; "Stresses": the stresses
  // window, or message 11 without strength data.
  void TanksClick();
  void StressesClick();
  bool AllVesselsMode = false;
  bool ParticularsChanged = false;

  // After "Base Data" or "Customizing" changed the settings: the program
  // loads the base data again and writes the settings file.
  std::function<void()> onSettingsChanged;

  // Where the windows opened from here report and ask; set before show.
  Host* host = nullptr;

  // Exports for the spreadsheet and the word processor. "Save as CSV" (and
  // the tool button "Open with Excel"): the selection window for the
  // working condition, then cntrs.csv. "Save Voy as CSV": the same for the
  // units loaded over the voyage, to VG_<voyage>.csv. Cancelling the
  // selection writes nothing.
  void SaveAsCsvClick();
  void SaveVoyageAsCsvClick();
  // "RDR": the regional departure report (grouping 1 by POD, 2 by POL, 3
  // by POL and POD, 4 by POD and POL) in the word processor.
  void RdrReportClick(int grouping);
  // How the spreadsheet and word processor are started; tests replace it.
  std::unique_ptr<OutsidePrograms> Programs;

  // Connects the window to the loaded base data: the vessel list, and the
  // session in which vessels are opened. Called once after the base data
  // are loaded.
  void Attach(Host& host, BaseData& base);
  VesselSession* Session() { return session_.get(); }
  ConditionList* Conditions() { return conditions_.get(); }

  // The vessel list from the base data; returns the entry named in the
  // settings as the last vessel, -1 when it is not listed.
  int FillVesselList();
  // Opens entry index of the vessel list and its last condition. False when
  // the vessel cannot be opened (message 53).
  bool OpenVesselEntry(int index);
  // Reopens the vessel that was open when the program was last left.
  void OpenLastVessel();
  // Leaves the open vessel: false when the person cancels (the condition is
  // modified and not settled).
  bool CloseVessel();
  // "Exit Vessel": the next start does not reopen it.
  void SelectVesselExecute();
  void RefreshTitles();
  void OpenSelectedCondition();

  void BaseDataClick();
  void CustomizingClick();
  void PortsClick();
  void ImportEdiClick();
  void ExportBaplieClick();
  void ExportMovinsClick();
  // "AllBays": the bay plan editor, not modal.
  void AllBaysClick();
  // "Letter Plan" and "Bay Plan" of Reports: the plan printing window, modal.
  void PlanPrintClick(bool bayPlan);
  // "Export " and "Import Final": the plan handed to and taken back from
  // the program on the other side of the exchange folder.
  void ExportVesClick();
  void ImportFinalClick();
  // "LoadList to Quay": a loading list added to the quay; "Import Final"
  // without an exchange folder replaces the port's units with one (add
  // false). False when no file was chosen or it was refused.
  bool ImportLoadingListClick(bool add);
  // "Export Loading List": loadlist.txt in the sending folder.
  void ExportLoadingListClick();
  // The loading list file to import; unset, the file chooser asks.
  std::function<QString()> ChooseLoadingListFile;
  // "Allign to previous condition": the previous condition of the voyage
  // read again, and the moves of the working plan (as a MOVINS) made on it;
  // false when the planner said No or nothing was done.
  bool AlignToPreviousCondition();
  // "Save": the save dialog, then, for a new file, its call date.
  void SaveConditionClick();
  void RevertConditionClick();
  // "Change date" of the condition list's pop-up menu.
  void ChangeDateClick();
  // "Particulars": shows the panel, or stores its edits and hides it.
  void ParticularsClick();
  // "Color": the colour of the lists while the vessel list is shown, else
  // of the window.
  void ColourClick();
  // After any change of the plan: the stability frame, the titles and the
  // "Restore Condition" button follow it.
  void PlanChanged();
  // The particulars edits into VesHdr (the vessel's folder name excepted);
  // true when a value changed. The vessel list follows a new vessel name.
  bool StoreParticulars();
  void FillParticulars();

  // --- The long view and the documents (MainWindowDocuments.cpp).
  LongViewWindow* LongView = nullptr;
  QAction* LongViewButton = nullptr;  // tool buttons "Long View", "Condition Document"
  QAction* DocumentButton = nullptr;
  // The one print service of the windows: a job that several reports share
  // stays one document.
  std::shared_ptr<PrintService> Printing;
  // "Visibility": the long view, or message 40 without the eye's position
  // and height in the vessel header.
  void VisibilityClick();
  // A document window of that kind, modal; false when it cannot be shown
  // (the condition document without a hydrostatic table: message 39).
  bool DocumentClick(DocumentKind kind);
  // "Manifest Comparision": a loading list read as the manifest and
  // compared with the units on board; the quay is as before afterwards.
  bool ManifestComparisonClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowVesselState(bool open);
  void FillConditionItems();
  void AfterConditionChange();
  void BuildParticulars();
  void ApplyFontsAndColours();
  void ShowConditionMenu(const QPoint& at);
  void BuildDocumentCommands(QMenu* tables);
  PrintService& Printer();

  PlanData& plan_;
  BaseData* base_ = nullptr;
  std::unique_ptr<VesselSession> session_;
  std::unique_ptr<ConditionList> conditions_;
  QStackedWidget* pages_ = nullptr;
  QWidget* conditionPane_ = nullptr;
  std::vector<std::pair<int, QLineEdit*>> particulars_;  // VesHdr index and its edit
  QList<QAction*> noVesselActions_;
  QList<QAction*> vesselActions_;
  std::unique_ptr<OutsidePrograms> outside_;
  void AttachReportWindows();
};
