#include "ui/OutsidePrograms.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <filesystem>

#include "core/Host.h"
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

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
  if (program.empty()) return false;
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromLocal8Bit(argument.c_str());
  return QProcess::startDetached(QString::fromLocal8Bit(program.c_str()), list);
}

std::string FindProgram(const std::string& name) {
  return QStandardPaths::findExecutable(QString::fromLocal8Bit(name.c_str())).toLocal8Bit().toStdString();
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

bool OutsidePrograms::SendMail(const std::string& subject, const std::vector<std::string>& files, Host& host) {
  namespace fs = std::filesystem;
  std::string where;
  for (const std::string& file : files) where += "\n" + file;
  const auto refuse = [&](const std::string& why) {
    plan_.Messages[51] = why + ": \"" + subject + "\" was not sent. Its files are:" + where;
    host.ShowMessageNo(51);
    return false;
  };
  const std::string composer = findProgram("xdg-email");
  if (composer.empty()) return refuse("No mail program could be started");
  // The composer runs on its own and may read an attachment only when the
  // person sends: it gets copies in a folder of its own, so the caller may
  // remove or rewrite the files at once.
  std::error_code ec;
  const fs::path outbox = fs::temp_directory_path(ec) / "zum4-mail";
  if (!ec) fs::create_directories(outbox, ec);
  std::vector<std::string> arguments{"--subject", subject, "--body", "Regards"};
  for (const std::string& file : files) {
    const fs::path copy = outbox / fs::path(file).filename();
    if (ec || !fs::copy_file(file, copy, fs::copy_options::overwrite_existing, ec))
      return refuse("The files could not be copied for the mail program (" + ec.message() + ")");
    arguments.push_back("--attach");
    arguments.push_back(copy.string());
  }
  if (!start(composer, arguments)) return refuse("No mail program could be started");
  return true;
}
