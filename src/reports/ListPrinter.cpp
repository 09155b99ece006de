#include "reports/ListPrinter.h"

#include <algorithm>

#include "core/TextHelpers.h"

namespace {

CanvasFont ListFont(const std::string& name, int size) {
  CanvasFont font;
  font.name = name;
  font.size = size;
  return font;
}

// Kind 5 lines are boxes drawn with "|" and "+": the characters give way to
// ruled lines.
std::string BoxedText(const std::string& line) {
  std::string text = line.empty() ? line : line.substr(0, line.size() - 1);
  std::replace(text.begin(), text.end(), '|', ' ');
  std::replace(text.begin(), text.end(), '+', ' ');
  return text;
}

class PageWriter {
 public:
  PageWriter(PageCanvas& canvas, const ListPrintRequest& r) : c_(canvas), r_(r) {}

  int Print() {
    const size_t first = r_.withHeader ? 2 : 0;
    if (r_.lines.size() <= first) return 0;
    const int n = static_cast<int>(r_.withHeader ? r_.lines.size() : r_.lines.size() + 2);
    size_ = 11;
    c_.SetFont(ListFont(r_.fontName, size_));
    // The widest line decides the fitting; it is the widest at every size.
    size_t widest = first;
    for (size_t k = first; k < r_.lines.size(); ++k)
      if (c_.TextWidth(Shown(k)) > c_.TextWidth(Shown(widest))) widest = k;
    lineHeight_ = c_.TextHeight("A") * 5 / 4;
    while ((c_.Height() < (n + 4) * lineHeight_ || c_.Width() * 9 / 10 < c_.TextWidth(Shown(widest))) && size_ > 6) {
      --size_;
      c_.SetFont(ListFont(r_.fontName, size_));
      lineHeight_ = c_.TextHeight("A") * 5 / 4;
    }
    // Too long even at the smallest size: plain spacing, over several pages.
    if (c_.Height() < (n + 4) * lineHeight_) lineHeight_ = c_.TextHeight("A");
    const size_t plus = r_.frameLine.find('+');
    keyLength_ = plus == std::string::npos ? 0 : plus;
    x_ = (c_.Width() - c_.TextWidth(Shown(widest))) / 2;
    y_ = 2 * lineHeight_;

    int page = 0;
    for (size_t k = first; k < r_.lines.size(); ++k) {
      if (c_.Height() - 2 * lineHeight_ < y_) {
        ++page;
        ColumnRules();
        PrintPageFooter(c_, page, lineHeight_, r_.footer);
        c_.NewPage();
        y_ = 2 * lineHeight_;
        pageTop_ = true;
      }
      if (pageTop_) PageHead();
      PrintLine(k);
      y_ += lineHeight_;
    }
    ColumnRules();
    PrintPageFooter(c_, page == 0 ? 0 : page + 1, lineHeight_, r_.footer);
    return page + 1;
  }

 private:
  std::string Shown(size_t k) const { return r_.kind == 5 ? BoxedText(r_.lines[k]) : r_.lines[k]; }

  void PageHead() {
    CanvasFont head = ListFont(r_.fontName, size_);
    head.bold = true;
    head.underline = true;
    c_.SetFont(head);
    c_.Text(x_, y_, r_.title);
    y_ += 2 * lineHeight_;  // the title and a blank line
    bodyTop_ = y_;
    if (r_.subtitle.size() > 1) {
      head.bold = false;
      c_.SetFont(head);
      c_.Text(x_, y_, r_.subtitle);
      y_ += lineHeight_;
    }
    c_.SetFont(ListFont(r_.fontName, size_));
    pageTop_ = false;
  }

  void PrintLine(size_t k) {
    const std::string& line = r_.lines[k];
    const int frameWidth = c_.TextWidth(r_.frameLine);
    c_.SetPen(kColourBlack);
    if (r_.kind == 1) {
      const bool boundary = k > 2 && Trim(line.substr(0, keyLength_)) != Trim(r_.lines[k - 1].substr(0, keyLength_));
      if (k == 2 || k + 1 == r_.lines.size() || boundary) c_.Line(x_, y_ - 2, x_ + frameWidth, y_ - 2);
    }
    if (r_.kind == 5) {
      if (!line.empty() && line[0] == '+') {
        const int middle = y_ + c_.TextHeight("A") / 2;
        c_.Line(x_, middle, x_ + frameWidth, middle);
      } else {
        c_.Text(x_, y_, BoxedText(line));
      }
    } else {
      c_.Text(x_, y_, line);
    }
  }

  // The column borders of the frame line, down the body of the page.
  void ColumnRules() {
    if (bodyTop_ < 0) return;
    const int half = c_.TextWidth("+") / 2;
    c_.SetPen(kColourBlack);
    for (size_t p = r_.frameLine.find('+'); p != std::string::npos; p = r_.frameLine.find('+', p + 1)) {
      const int x = x_ + c_.TextWidth(r_.frameLine.substr(0, p + 1)) - half;
      c_.Line(x, bodyTop_, x, y_);
    }
  }

  PageCanvas& c_;
  const ListPrintRequest& r_;
  int size_ = 11;
  int lineHeight_ = 0;
  size_t keyLength_ = 0;
  int x_ = 0, y_ = 0;
  int bodyTop_ = -1;
  bool pageTop_ = true;
};

}  // namespace

int PrintListPages(PageCanvas& canvas, const ListPrintRequest& request) { return PageWriter(canvas, request).Print(); }

void PrintPageFooter(Canvas& canvas, int number, int lineHeight, const std::string& footer) {
  const CanvasFont previous = canvas.Font();
  CanvasFont small = previous;
  small.size = 7;
  small.bold = small.underline = small.italic = false;
  small.colour = kColourBlack;
  canvas.SetFont(small);
  const int y = canvas.Height() - (lineHeight > 0 ? lineHeight : canvas.TextHeight("A"));
  if (number > 0) {
    const std::string page = "- " + std::to_string(number) + " -";
    canvas.Text((canvas.Width() - canvas.TextWidth(page)) / 2, y, page);
  }
  const int width = canvas.TextWidth(footer);
  canvas.Text(canvas.Width() - width - width / 4, y, footer);
  canvas.SetFont(previous);
}
