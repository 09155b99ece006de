#pragma once

// EdiImportDialog, "Import Baplie": the header of one BAPLIE, MOVINS or COPRAR
// file, the import options and the running counters. OK runs the import and
// closes; Cancel closes with the plan untouched. The reading is EdiImport's;
// the window only shows its header, edits its options and shows its counters.

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <string>

#include "edifact/EdiImport.h"

struct PlanData;
class PlanContext;
class BaseData;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class EdiImportDialog : public QDialog {
  Q_OBJECT

 public:
  EdiImportDialog(PlanContext& ctx, BaseData& base, QWidget* parent = nullptr);

  // Reads the file and runs the header pass, then shows the header and the
  // options. False, with the file's name and the reason reported, when the
  // file cannot be read.
  bool OpenFile(const std::string& path);
  // The same for a message already in memory.
  void OpenBytes(std::string bytes);

  // The "Import Baplie" command once a file is chosen: opens it and shows the
  // window modally; in vessel configuration mode the OK step runs at once
  // without the window. True when the import ran.
  static bool ImportFile(PlanContext& ctx, BaseData& base, const std::string& path,
                         QWidget* parent = nullptr);
  // The command's file dialog; the chosen file, or empty when cancelled.
  static std::string AskImportFile(const PlanData& plan, QWidget* parent = nullptr);
  // The folder that file dialog starts in: the folder last entered in it
  // during this run, otherwise the vessel's edi folder, its EDIFACT folder
  // when set, or the sending folder when files are kept there.
  static QString ImportStartFolder(const PlanData& plan);
  // Forgets the folder last entered (a new run of the program).
  static void ForgetImportFolder();

  // The OK button: takes the options from the window, runs the import and
  // closes.
  void BOkClick();
  // The import ran (OK was pressed on an opened file).
  bool Imported = false;

  EdiImport Import;

  // Header boxes (read-only, on a disabled panel).
  QWidget* PAheader = nullptr;
  QLineEdit* EDvessel = nullptr;
  QLineEdit* EDvesselCode = nullptr;
  QLineEdit* EDdischVoy = nullptr;
  QLineEdit* EDloadVoy = nullptr;
  QLineEdit* EDdeparture = nullptr;
  QLineEdit* EDarrivalDate = nullptr;
  QLineEdit* EDdepartureDate = nullptr;
  QLineEdit* EDnextPort = nullptr;
  QLineEdit* EDnextArrival = nullptr;
  QLineEdit* EDsender = nullptr;
  QLineEdit* EDrecipient = nullptr;
  QLineEdit* EDcarrier = nullptr;
  QGroupBox* RGversion = nullptr;
  QGroupBox* RGfunction = nullptr;
  QButtonGroup* versionButtons = nullptr;
  QButtonGroup* functionButtons = nullptr;
  QLabel* LdischVoy = nullptr;
  QLabel* Ldeparture = nullptr;

  // Options.
  QWidget* PAoptions = nullptr;
  QCheckBox* CBdumpo = nullptr;
  QCheckBox* CBdum = nullptr;
  QCheckBox* CBwei = nullptr;
  QLineEdit* EDpod = nullptr;

  // Counters.
  QLabel* LLoaded = nullptr;
  QLabel* LToQuay = nullptr;
  QLabel* LLoadedCaption = nullptr;

  QPushButton* BOk = nullptr;
  QPushButton* BCancel = nullptr;

  // A header row: its caption label and its boxes, shown or hidden together.
  QWidget* RowOf(QWidget* box) const;

 signals:
  // The counters as shown, after each unit of the load pass.
  void countersChanged(int loaded, int toQuay);

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowHeader();
  void ShowCounters();
  void UnitDone();

  PlanContext& ctx_;
  bool running_ = false;
  QElapsedTimer sincePaint_;
};
