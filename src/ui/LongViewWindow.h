#pragma once

// LongViewWindow, "Long View": the ship from the side with its stacks and
// units, the water at the computed drafts and the line of sight from the
// conning position over the deck cargo to the sea ahead of the bow. Its
// height follows its width so the drawing keeps its proportions.

#include <QWidget>
#include <functional>

struct PlanData;
struct StabilityResults;
class PrintService;

class LongViewWindow : public QWidget {
  Q_OBJECT

 public:
  LongViewWindow(PlanData& plan, QWidget* parent = nullptr);

  // The stability results the drawing shows; set by the owner.
  std::function<const StabilityResults*()> Results;
  // Printing on paper or into a PDF; without it "Print" does nothing.
  PrintService* Printing = nullptr;

  // The client height the drawing needs at this width.
  int HeightForWidth(int width) const;
  // Prints the drawing across the page; false when nothing was printed.
  bool Print();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  PlanData& plan_;
  bool fitting_ = false;
};
