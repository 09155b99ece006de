#include "cli/ConsoleHost.h"

#include <cstdio>

#include "core/PlanData.h"
#include "vessel/Ports.h"

void ConsoleHost::ShowMessageNo(int n) {
  const bool known = n >= 0 && n < kMessagesSize;
  std::fprintf(stderr, "message %d: %s\n", n, known ? plan_.Messages[n].c_str() : "");
}

Host::Answer ConsoleHost::Ask(const std::string& caption, const std::string& upperLine,
                              const std::string& question, bool showCancel) {
  const Answer answer = showCancel ? Answer::Cancel : Answer::No;
  std::fprintf(stderr, "question %s: %s %s -> %s\n", caption.c_str(), upperLine.c_str(), question.c_str(),
               showCancel ? "Cancel" : "No");
  return answer;
}

void ConsoleHost::ReportError(const std::string& text) {
  ++errorCount;
  std::fprintf(stderr, "error: %s\n", text.c_str());
}

void ConsoleHost::ReportWarning(const std::string& text) { std::fprintf(stderr, "warning: %s\n", text.c_str()); }

std::string ConsoleHost::AskNewPort(const std::string& country, const std::string& code, const std::string&,
                                    const std::string& letter) {
  for (const std::string& key : {country + code, code}) {
    const auto found = portMap.find(key);
    if (found != portMap.end()) return found->second;
  }
  if (!code.empty()) AddOrUpdatePort(plan_, code, "", country, letter, true);
  return code;
}
