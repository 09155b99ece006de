#pragma once

// Everything the core needs from the person at the screen goes through this
// interface: the windows implement it, tests script it. The core never opens
// a window itself.

#include <string>

class Host {
 public:
  enum class Answer { Yes, No, Cancel };

  virtual ~Host() = default;

  // Shows numbered message n of the plan's message table (51 is the free
  // slot a caller fills first).
  virtual void ShowMessageNo(int n) = 0;
  // A yes/no question; Cancel is offered only when showCancel is set.
  virtual Answer Ask(const std::string& caption, const std::string& upperLine,
                     const std::string& question, bool showCancel) = 0;
  // Hourglass pointer on or off.
  virtual void SetBusy(bool busy) = 0;
  // The plan changed: dependent windows repaint.
  virtual void PlanChanged() = 0;
  // A failure the person must know about, e.g. a file that cannot be read,
  // with its name and the reason.
  virtual void ReportError(const std::string& text) = 0;
  // Something the person must know that did not stop the work: the lines of
  // a file that could not be read, a count in a file that disagrees with it.
  // The windows show it as an error; a script sees it apart from the errors,
  // which decide its exit code.
  virtual void ReportWarning(const std::string& text) { ReportError(text); }
  // The "Ports table update" dialog for a port code nobody knows: shows the
  // country, code, description and letter, and returns the code left in its
  // code box, whichever button closed it (its "Update Table" button adds the
  // port to the table). Without a screen the code is kept as it is.
  virtual std::string AskNewPort(const std::string& /*country*/, const std::string& code,
                                 const std::string& /*description*/, const std::string& /*letter*/) {
    return code;
  }
  // A dialog asking for one value: its caption, the label of the field and
  // the value offered in it; returns the value left in the field (there is
  // no cancel). Without a screen the offered value is taken.
  virtual std::string AskValue(const std::string& /*caption*/, const std::string& /*label*/,
                               const std::string& offered) {
    return offered;
  }
};

// A host that shows nothing and answers every question No: for batch runs
// (benchmarks, fuzzing) where nobody is at the screen.
class QuietHost : public Host {
 public:
  void ShowMessageNo(int) override {}
  Answer Ask(const std::string&, const std::string&, const std::string&, bool) override { return Answer::No; }
  void SetBusy(bool) override {}
  void PlanChanged() override {}
  void ReportError(const std::string&) override {}
};

// Busy pointer for the life of a scope, restored also when the work fails.
class BusyCursor {
 public:
  explicit BusyCursor(Host& host) : host_(host) { host_.SetBusy(true); }
  ~BusyCursor() { host_.SetBusy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Host& host_;
};
