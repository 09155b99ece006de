#pragma once

// Writing an exported view's file whole or not at all, for every view of
// zum4 --export. A failure is said on the error stream as
// "error: <file>: <reason>".

#include <QImage>
#include <string>

// The image as a PNG at output, through a temporary renamed over it.
bool WritePng(const QImage& image, const std::string& output);

// A PDF printed into part, beside output, renamed over output once the
// printer has finished it; the part is removed when that fails.
bool FinishPdf(const std::string& part, const std::string& output);
