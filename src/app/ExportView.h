#pragma once

// zum4 --export VIEW OUT: one view of a condition drawn into a file without
// a window, with the same code the window uses. Each view is one entry of a
// table (name, usage, function), so a further view is one more entry.
//
//   zum4 [--data DIR] --vessel V --condition C --export VIEW OUT [options]
//
// VIEW: letterplan (OUT.pdf: the printed pages; OUT.png: the picture),
// bayplan [--bays B1,B2] (a page or picture per bay), plan (as --export-plan),
// longview and document (OUT.png or OUT.pdf).
//
// zum4 --export-plan OUT.png keeps its own form (see ExportPlan.h).

#include <QStringList>

// The command line asks for an export (--export or --export-plan).
bool WantsExport(int argc, char** argv);
// Writes the view; the process's exit code (0 written, 1 failed, 2 a wrong
// command line). Messages go to the error stream.
int ExportView(const QStringList& arguments);
