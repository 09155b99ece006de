#pragma once

// Printing for every window: the print job that several reports may share
// (one document, one dialog), the page footer, and the common list printer.
// The printer dialog lets a person print on paper or into a PDF file.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class QPrinter;
class QtCanvas;
struct PlanData;

class PrintService {
 public:
  explicit PrintService(PlanData& plan);
  ~PrintService();

  // Asks where to print, with the printer set up as far as the caller
  // knows (orientation); false when the person cancels. The default shows
  // the printer dialog; tests put a PDF file in place of it.
  std::function<bool(QPrinter&)> choosePrinter;

  // Begins the document unless one is open (open), or ends the open one;
  // then PrintJobOpen of the plan is open.
  void PrintJob(bool open);
  // The open document's page, or nullptr.
  QtCanvas* Page();
  // The painter of the open document, or nullptr: for pages drawn in
  // their own coordinates (scaled to the sheet).
  QPainter* Painter() { return painter_.get(); }
  QPrinter& Printer() { return *printer_; }

  // The page footer of the open document.
  void PrintPageFooter(int number, int lineHeight);

  // The common list printer: lines of a report window (withHeader: its
  // first two lines are the column header, passed again as subtitle), the
  // report's kind, the frame line of its columns and the data set whose
  // condition the title names. False when nothing was printed.
  bool PrintLines(const std::vector<std::string>& lines, bool withHeader, int kind, const std::string& subtitle,
                  const std::string& frameLine, int dataSet);

 private:
  std::string FooterText() const;

  PlanData& plan_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QtCanvas> page_;
};
