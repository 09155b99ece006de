#pragma once

// zum4 --export VIEW OUT for the stability views, without a window:
//
//   zum4 [--data DIR] --vessel V --condition C --export VIEW OUT [--size WxH]
//
// VIEW is "tanks" (every tank group with its plan and contents),
// "stresses" (shear, bending and torsion along the ship) or "stability"
// (the trim and stability frame with its GZ curve); OUT ends in .png or
// .pdf. The pictures are drawn by the code the windows paint with.

#include <QSize>
#include <string>

struct OpenedCondition;

// Each writes one view of the opened condition into output (.png or .pdf,
// the size in pixels for a picture; a PDF is one landscape page) and
// returns the process's exit code: 0 written, 1 not written (the reason on
// the error stream), 2 an output that is neither .png nor .pdf.
int ExportTanks(OpenedCondition& opened, const std::string& output, QSize size = {});
int ExportStresses(OpenedCondition& opened, const std::string& output, QSize size = {});
int ExportStability(OpenedCondition& opened, const std::string& output, QSize size = {});
