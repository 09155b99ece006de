#pragma once

// PlanPrintWindow: the letter plan (the whole plan, one coloured box with a
// letter per cell) or the bay plan (chosen bays enlarged, each cell with
// lines of unit data), previewed, printed and saved as a picture. The pages
// themselves are drawn by the report core (DrawPlanPage); the window holds
// the choices and maps its buttons onto it. It also works without being
// shown: the MOVINS run and the command line's export print through it.

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>
#include <string>
#include <vector>

struct PlanData;
class PrintService;
class Selection;
class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QToolBar;

class PlanPrintWindow : public QDialog {
  Q_OBJECT

 public:
  // What RenderPlan draws for.
  static constexpr int kPreview = 0;
  static constexpr int kPrintPage = 1;
  static constexpr int kPicture = 2;

  PlanPrintWindow(PlanData& plan, Selection& selection, PrintService& printer, bool bayPlanMode,
                  QWidget* parent = nullptr);

  const bool BayPlanMode;
  int ShownBay = 0;  // the bay number a bay plan draws, 0 none

  QToolBar* TB = nullptr;
  QAction* SBprint = nullptr;
  QAction* SBpicture = nullptr;
  QAction* SBsel = nullptr;
  QAction* SBrst = nullptr;
  QAction* SBfields = nullptr;
  QGroupBox* RGcolorBox = nullptr;
  QButtonGroup* RGcolor = nullptr;  // ColourMode 0..4
  QGroupBox* RG2Box = nullptr;
  QButtonGroup* RG2 = nullptr;      // LetterMode 0..6
  QGroupBox* RGres = nullptr;       // caption "Resolution: W x H"
  QButtonGroup* RGresButtons = nullptr;  // 0 low, 1 high
  QListWidget* LIbay = nullptr;     // bay plan mode: the bays, several may be chosen
  QWidget* PAflg = nullptr;         // bay plan mode: the lines a printed cell shows
  std::array<QCheckBox*, 10> Flags{};
  QScrollArea* Scroll = nullptr;
  QLabel* Image = nullptr;          // the preview
  QImage Bitmap;                    // the last preview or picture drawn

  // Supplied by the main window; empty hooks do nothing.
  std::function<void()> OpenSelection;        // "Sel": the selection window on the working data set
  std::function<void()> RestoreScreenLayout;  // the editor laid out again after a page was drawn
  // The picture file to write; empty when the person cancels. The default
  // asks with the save dialog.
  std::function<QString()> ChoosePictureFile;
  // A problem to tell the person; the default shows a message box.
  std::function<void(const QString&)> Tell;
  // The text after "Letter Plan - " in the caption.
  std::string StatusText;

  void RenderPlan(int target);
  // The print button: one or two pages of the letter plan, or a page per
  // chosen bay. Cancelling the print dialog prints nothing.
  void PrintPlan();
  void PrintSelectedBays();
  // A click on the bay list: with at most one bay chosen it is shown.
  void SelectBay();
  // The picture button; the file written, or empty.
  QString SavePicture();
  // Writes Bitmap to path in the format its extension names (png, bmp,
  // tif); false, with the reason in error, when it cannot.
  bool WritePicture(const QString& path, QString& error) const;

  int ColourChoice() const;
  int LetterChoice() const;
  bool HighResolution() const;
  void SetColourChoice(int mode);
  void SetLetterChoice(int mode);
  void SetHighResolution(bool high);
  // Chooses the bays of the list whose numbers are given, in list order.
  void ChooseBays(const std::vector<int>& bays);

  // Pages printed since the window was made.
  int PagesPrinted = 0;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Rerender();
  void UpdateCaption();

  PlanData& plan_;
  Selection& selection_;
  PrintService& printer_;
};

// The MOVINS run's letter plans: the plan of the units loaded at the
// condition's port (load) and of those discharged there (discharge), each
// into the print job, which is ended afterwards. The printer is set up by
// the caller; the selection is reset at the end.
void PrintMovinsLetterPlans(PlanData& plan, Selection& selection, PrintService& printer, bool load,
                            bool discharge, const std::function<void()>& restoreScreenLayout = {});
