#pragma once

// Pictures of the long view and of the condition document without a window:
//
//   zum4 [--data DIR] --vessel V --condition C --export longview|document OUT
//
// OUT ends in .png (a picture) or .pdf (pages as the printer would have them).

#include <string>

struct OpenedCondition;

// Each writes its view of the opened condition to output (.png or .pdf),
// whole or not at all; 0 when written, 1 when not (the reason on the error
// stream), 2 for an output that is neither a PNG nor a PDF.
int ExportLongView(OpenedCondition& opened, const std::string& output);
int ExportConditionDocument(OpenedCondition& opened, const std::string& output);
