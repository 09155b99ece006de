#include "ui/OutsidePrograms.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <filesystem>

#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"

namespace {

// File names with blanks stay one argument.
std::string Quoted(const std::string& file) {
  return file.find(' ') == std::string::npos ? file : "\"" + file + "\"";
}

}  // namespace

bool RunCommand(const std::string& commandLine, const std::string& directory, bool hidden) {
  (void)hidden;  // programs started here open their own windows or none
  QStringList parts = QProcess::splitCommand(QString::fromLocal8Bit(commandLine.c_str()));
  if (parts.isEmpty()) return false;
  const QString program = parts.takeFirst();
  return QProcess::startDetached(program, parts, QString::fromLocal8Bit(directory.c_str()));
}

std::string CommandFor(const std::string& setting, const std::string& kind, const std::string& file) {
  const std::string command = Trim(setting);
  if (!command.empty()) return command + " " + Quoted(file);
  if (!QStandardPaths::findExecutable("libreoffice").isEmpty()) return "libreoffice --" + kind + " " + Quoted(file);
  return "xdg-open " + Quoted(file);
}

OutsidePrograms::OutsidePrograms(PlanData& plan) : plan_(plan) {}

bool OutsidePrograms::OpenInWordProcessor(const std::vector<std::string>& lines, std::string& error) {
  const std::filesystem::path file = std::filesystem::path(plan_.DataDir) / "word.txt";
  if (!WriteTextLines(file, lines, error)) return false;
  run(CommandFor(plan_.Settings[32], "writer", "word.txt"), plan_.DataDir, false);
  return true;
}

void OutsidePrograms::OpenInSpreadsheet(const std::string& fileName) {
  const std::filesystem::path folder(plan_.Settings[SettingsIx::SendingDir]);
  run(CommandFor(plan_.Settings[31], "calc", (folder / fileName).string()), folder.string(), false);
}
