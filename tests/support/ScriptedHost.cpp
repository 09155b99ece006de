#include "ScriptedHost.h"

#include <gtest/gtest.h>

void ScriptedHost::ShowMessageNo(int n) { messages.push_back(n); }

Host::Answer ScriptedHost::Ask(const std::string& caption, const std::string& upperLine,
                               const std::string& question, bool showCancel) {
  questions.push_back({caption, upperLine, question, showCancel});
  if (answers.empty()) {
    ADD_FAILURE() << "unscripted question: " << upperLine << " / " << question;
    return showCancel ? Answer::Cancel : Answer::No;
  }
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedHost::SetBusy(bool busy) {
  busyCalls.push_back(busy);
  busyDepth += busy ? 1 : -1;
}

void ScriptedHost::PlanChanged() { ++planChanges; }

void ScriptedHost::ReportError(const std::string& text) { errors.push_back(text); }

std::string ScriptedHost::AskValue(const std::string&, const std::string& label, const std::string& offered) {
  valueLabels.push_back(label);
  if (values.empty()) return offered;
  std::string value = values.front();
  values.pop_front();
  return value;
}

void ScriptedHost::ReportWarning(const std::string& text) { warnings.push_back(text); }
