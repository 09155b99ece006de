#pragma once

// Drives modal windows from a test: the action runs on the first modal
// window of type T as soon as it is open.
//
// A failed QCOMPARE or QVERIFY inside the action returns from it early. The
// window it acted on is then closed whatever happened, so that the exec()
// the test is waiting in returns and the failure is reported, instead of the
// test hanging until the watchdog kills the whole binary.

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>
#include <functional>

namespace modal_detail {

// Closes the window when it leaves scope, unless the action closed it.
class CloseGuard {
 public:
  explicit CloseGuard(QWidget* window) : window_(window) {}
  CloseGuard(const CloseGuard&) = delete;
  CloseGuard& operator=(const CloseGuard&) = delete;
  ~CloseGuard() {
    if (!window_ || !window_->isVisible()) return;
    if (auto* dialog = qobject_cast<QDialog*>(window_.data()))
      dialog->reject();
    else
      window_->close();
  }

 private:
  QPointer<QWidget> window_;
};

// A window that never opens must not keep the event loop polling for the
// rest of the run (and then act on some later test's window).
constexpr int kWaitMs = 20000;

template <typename T>
void Poll(std::function<void(T*)> action, QDeadlineTimer deadline) {
  QTimer::singleShot(0, [action, deadline] {
    if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
      CloseGuard guard(modal);
      action(modal);
      return;
    }
    if (deadline.hasExpired()) {
      qWarning("the awaited modal window did not open");
      return;
    }
    Poll<T>(action, deadline);
  });
}

}  // namespace modal_detail

template <typename T>
void OnModal(std::function<void(T*)> action) {
  modal_detail::Poll<T>(std::move(action), QDeadlineTimer(modal_detail::kWaitMs));
}

// The same for whatever modal window opens next.
inline void OnNextModal(std::function<void(QWidget*)> action) { OnModal<QWidget>(std::move(action)); }
