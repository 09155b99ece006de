#pragma once

// Drives modal windows from a test: the action runs on the first modal
// window of type T as soon as it is open.

#include <QApplication>
#include <QTimer>
#include <functional>

template <typename T>
void OnModal(std::function<void(T*)> action) {
  QTimer::singleShot(0, [action] {
    if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
      action(modal);
      return;
    }
    OnModal<T>(action);
  });
}
