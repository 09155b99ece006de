#pragma once

// zum4 --export-plan: the bay plan of one condition written as a picture
// file, without a window.
//
//   zum4 [--data DIR] --vessel V --condition C --export-plan OUT.png
//        [--colour-mode N] [--letter-mode N] [--one-bay B] [--size WxH]

#include <QStringList>

// The command line asks for a picture.
bool WantsExportPlan(int argc, char** argv);
// Writes the picture; the process's exit code (0 written, 1 failed, 2 a
// wrong command line). Messages go to the error stream.
int ExportPlan(const QStringList& arguments);
