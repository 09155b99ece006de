#pragma once

// A Host for tests: records what the core showed and asked, and answers
// questions from a script. A question with no scripted answer fails the test.

#include <deque>
#include <string>
#include <vector>

#include "core/Host.h"

class ScriptedHost : public Host {
 public:
  struct Question {
    std::string caption;
    std::string upperLine;
    std::string question;
    bool showCancel = false;
  };

  std::deque<Answer> answers;         // consumed in order
  std::deque<std::string> values;     // answers to AskValue, in order; none: the offered value
  std::vector<std::string> valueLabels;  // labels of the values asked for
  std::vector<int> messages;          // numbers shown
  std::vector<Question> questions;    // asked, in order
  std::vector<std::string> errors;    // reported
  std::vector<std::string> warnings;  // reported as warnings
  std::vector<bool> busyCalls;        // every SetBusy argument, in order
  int busyDepth = 0;
  int planChanges = 0;

  void ShowMessageNo(int n) override;
  Answer Ask(const std::string& caption, const std::string& upperLine, const std::string& question,
             bool showCancel) override;
  void SetBusy(bool busy) override;
  void PlanChanged() override;
  void ReportError(const std::string& text) override;
  std::string AskValue(const std::string& caption, const std::string& label,
                       const std::string& offered) override;
  void ReportWarning(const std::string& text) override;
};
