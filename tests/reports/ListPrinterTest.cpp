#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "reports/ListPrinter.h"

namespace {

std::vector<std::string> Numbered(int count, const std::string& prefix = "LINE ") {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back(prefix + std::to_string(i));
  return lines;
}

ListPrintRequest Request(std::vector<std::string> lines) {
  ListPrintRequest r;
  r.lines = std::move(lines);
  r.title = "ZUM FEEDER  Departure HAM 012N";
  r.footer = "Zum4 - 2026/12/10 15:00";
  return r;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// On a page of 600 x 800 pixels ten lines fit at size 11, while three
// hundred need three pages even at size 6 with plain spacing: the page
// numbers appear only once the list needs a second page, and then on every
// page.
TEST(ListPrinter, PagesAreNumberedOnlyWhenThereAreSeveral) {
  struct Case {
    int lines;
    int pages;
  };
  for (const Case c : {Case{10, 1}, Case{300, 3}}) {
    RecordingCanvas canvas(600, 800);
    const int pages = PrintListPages(canvas, Request(Numbered(c.lines)));
    ASSERT_EQ(pages, c.pages) << c.lines << " lines";
    EXPECT_EQ(canvas.pages, c.pages);
    for (int p = 1; p <= pages; ++p) {
      const std::vector<std::string> texts = canvas.TextsOnPage(p);
      EXPECT_EQ(texts.front(), "ZUM FEEDER  Departure HAM 012N") << "the title heads page " << p;
      EXPECT_TRUE(Contains(texts, "Zum4 - 2026/12/10 15:00")) << "footer on page " << p;
      const std::string number = "- " + std::to_string(p) + " -";
      EXPECT_EQ(Contains(texts, number), pages > 1) << number;
    }
    // Every line printed once, in order.
    std::vector<std::string> body;
    for (int p = 1; p <= pages; ++p)
      for (const std::string& t : canvas.TextsOnPage(p))
        if (t.rfind("LINE ", 0) == 0) body.push_back(t);
    EXPECT_EQ(body, Numbered(c.lines));
  }
}

TEST(ListPrinter, FontShrinksToFitButNotBelowSix) {
  RecordingCanvas wide(600, 800);
  PrintListPages(wide, Request({std::string(120, 'W')}));
  // 120 characters fit 540 px (nine tenths of the width) only at size 7.
  const auto text = std::find_if(wide.ops.begin(), wide.ops.end(),
                                 [](const CanvasOp& op) { return op.kind == CanvasOp::Text && op.text.size() == 120; });
  ASSERT_NE(text, wide.ops.end());
  EXPECT_EQ(text->font.size, 7);

  RecordingCanvas small(600, 800);
  const int pages = PrintListPages(small, Request(Numbered(200)));
  EXPECT_GE(pages, 2) << "too long even at size 6: several pages";
  for (const CanvasOp& op : small.ops) {
    if (op.kind == CanvasOp::Text && op.text.rfind("LINE ", 0) == 0) {
      EXPECT_EQ(op.font.size, 6);
    }
  }
}

TEST(ListPrinter, HeaderLinesAreLeftOutAndNothingIsPrintedWithoutLines) {
  ListPrintRequest r = Request({"POS  CONTAINER", "---  ---------", "010082 ZUMU3100015"});
  r.withHeader = true;
  r.subtitle = "POS  CONTAINER";
  RecordingCanvas canvas(600, 800);
  EXPECT_EQ(PrintListPages(canvas, r), 1);
  const std::vector<std::string> texts = canvas.TextsOnPage(1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "POS  CONTAINER"), 1) << "as the subtitle only";
  EXPECT_FALSE(Contains(texts, "---  ---------"));
  EXPECT_TRUE(Contains(texts, "010082 ZUMU3100015"));

  r.lines.resize(2);
  RecordingCanvas empty(600, 800);
  EXPECT_EQ(PrintListPages(empty, r), 0);
  EXPECT_TRUE(empty.ops.empty());
}

// The boxed report: "+" lines become rules, "|" and "+" inside text become
// blanks and the last character goes; the frame line's borders are ruled
// down the body.
TEST(ListPrinter, BoxedLinesBecomeRules) {
  ListPrintRequest r = Request({"+-----+----+", "|HAM  |  12|", "+-----+----+"});
  r.kind = 5;
  r.frameLine = "+-----+----+";
  RecordingCanvas canvas(600, 800);
  PrintListPages(canvas, r);
  EXPECT_TRUE(Contains(canvas.TextsOnPage(1), " HAM     12"));
  int horizontal = 0, vertical = 0;
  for (const CanvasOp& op : canvas.ops) {
    if (op.kind != CanvasOp::Line) continue;
    horizontal += op.y1 == op.y2;
    vertical += op.x1 == op.x2;
  }
  EXPECT_EQ(horizontal, 2);
  EXPECT_EQ(vertical, 3);
}

TEST(ListPrinter, FooterRestoresTheFont) {
  RecordingCanvas canvas(600, 800);
  CanvasFont bold;
  bold.size = 11;
  bold.bold = true;
  canvas.SetFont(bold);
  PrintPageFooter(canvas, 2, 16, "Zum4");
  ASSERT_EQ(canvas.ops.size(), 2u);
  EXPECT_EQ(canvas.ops[0].text, "- 2 -");
  EXPECT_EQ(canvas.ops[0].font.size, 7);
  EXPECT_EQ(canvas.ops[0].y1, 800 - 16);
  // The footer ends a quarter of its width before the right edge.
  const int width = 4 * 7 * 6 / 10;
  EXPECT_EQ(canvas.ops[1].x1 + width + width / 4, 600);
  EXPECT_EQ(canvas.Font(), bold);
}

}  // namespace
