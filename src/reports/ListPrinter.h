#pragma once

// The common list printer: the text lines of a report window laid out on
// pages, centred, in the largest font size from 11 down to 6 that fits,
// with the title on every page and the page footer. The printer dialog and
// the print job around it belong to the windows; this is the page layout.

#include <string>
#include <vector>

#include "core/Canvas.h"

struct ListPrintRequest {
  std::vector<std::string> lines;
  bool withHeader = false;  // lines 0 and 1 are the window's column header: not printed
  int kind = 0;             // 1 totals (group rules), 5 the boxed report, others plain
  std::string title;        // bold and underlined at the top of every page
  std::string subtitle;     // underlined under the title when longer than one character
  std::string frameLine;    // "-" with "+" at the column borders, may be empty
  std::string fontName;     // the list font of the settings
  std::string footer;       // product name, date and time, at the bottom right
};

// Lays the list out on canvas, which holds the first page. Returns the
// number of pages printed; 0 when there is no line to print.
int PrintListPages(PageCanvas& canvas, const ListPrintRequest& request);

// The footer of a page: in size 7, on the line at the page's height less
// lineHeight, "- n -" centred when number > 0, and footer ending a quarter
// of its own width before the right edge.
void PrintPageFooter(Canvas& canvas, int number, int lineHeight, const std::string& footer);
