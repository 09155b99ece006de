#pragma once

// Handing text and files to the word processor and the spreadsheet: the
// file is always written; the program is started when one can be found.
// A command setting is a command line to which a blank and the file are
// added; with no command set, LibreOffice Writer or Calc when installed,
// else the desktop's opener (xdg-open).

#include <functional>
#include <string>
#include <vector>

struct PlanData;
class Host;

// Starts commandLine as a new process in directory (the current one when
// empty) without waiting; whether it started is not reported to the user.
// Returns whether the process was started.
bool RunCommand(const std::string& commandLine, const std::string& directory, bool hidden);
// Starts program with its arguments as given (no splitting, no quoting)
// without waiting; "" for a program not found on the PATH starts nothing.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments);
// The full name of a program found on the PATH, "" when none.
std::string FindProgram(const std::string& name);

// The command line that opens file with the setting's command, or with the
// default for kind "writer" or "calc" when the setting is blank.
std::string CommandFor(const std::string& setting, const std::string& kind, const std::string& file);

class OutsidePrograms {
 public:
  explicit OutsidePrograms(PlanData& plan);

  // Replaced by tests to see what would be started.
  std::function<bool(const std::string& commandLine, const std::string& directory, bool hidden)> run = RunCommand;

  // Writes lines to DataDir/word.txt and opens it in the word processor.
  // False with error when word.txt cannot be written.
  bool OpenInWordProcessor(const std::vector<std::string>& lines, std::string& error);
  // Opens fileName of the sending folder (already written) in the spreadsheet.
  void OpenInSpreadsheet(const std::string& fileName);

  // Replaced by tests: how the mail composer is found and started.
  std::function<std::string(const std::string& name)> findProgram = FindProgram;
  std::function<bool(const std::string& program, const std::vector<std::string>& arguments)> start =
      StartProgram;

  // Hands a message to the desktop's mail composer (xdg-email): the
  // subject, the note "Regards" and copies of the files attached, for the
  // person to address and send. True when the composer was started; the
  // caller may then remove the files. Otherwise the person is told, through
  // host's message 51, where the files are, and false: the caller keeps
  // them.
  bool SendMail(const std::string& subject, const std::vector<std::string>& files, Host& host);

 private:
  PlanData& plan_;
};
