#pragma once

// The headless Host: messages and errors go to the error stream, questions
// get their safe answer (Cancel when offered, else No) and are printed too,
// so a script sees everything a window would have shown.

#include <map>
#include <string>

#include "core/Host.h"

struct PlanData;

class ConsoleHost : public Host {
 public:
  explicit ConsoleHost(PlanData& plan) : plan_(plan) {}

  void ShowMessageNo(int n) override;
  Answer Ask(const std::string& caption, const std::string& upperLine, const std::string& question,
             bool showCancel) override;
  void SetBusy(bool) override {}
  void PlanChanged() override {}
  void ReportError(const std::string& text) override;
  // Printed as "warning: ..."; a warning does not count as an error, so it
  // leaves the exit code as the work left it.
  void ReportWarning(const std::string& text) override;
  // An unknown port is taken as it is and added to the ports table with its
  // country, as "Update Table" of the ports dialog would, so that its
  // country is kept for the units that name it; unless portMap names
  // another code for its five-letter code (country and port) or its
  // three-letter one.
  std::string AskNewPort(const std::string& country, const std::string& code, const std::string& description,
                         const std::string& letter) override;

  int errorCount = 0;
  std::map<std::string, std::string> portMap;

 private:
  PlanData& plan_;
};
