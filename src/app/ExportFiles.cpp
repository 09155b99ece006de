#include "app/ExportFiles.h"

#include <QSaveFile>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

bool Fail(const std::string& output, const std::string& reason) {
  std::fprintf(stderr, "error: %s: %s\n", output.c_str(), reason.c_str());
  return false;
}

}  // namespace

bool WritePng(const QImage& image, const std::string& output) {
  QSaveFile file(QString::fromLocal8Bit(output.c_str()));
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
    return Fail(output, file.errorString().isEmpty() ? "cannot be written" : file.errorString().toLocal8Bit().toStdString());
  return true;
}

bool FinishPdf(const std::string& part, const std::string& output) {
  std::error_code error;
  std::filesystem::rename(part, output, error);
  if (!error) return true;
  std::filesystem::remove(part, error);
  return Fail(output, "cannot be written");
}
