#include "runtime/qt/focus_tracker.h"

#include <QApplication>

namespace rt::qt {

FocusTracker::FocusTracker() {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != nullptr) last_ = now;
  });
}

QWidget* FocusTracker::focused() const {
  QWidget* now = QApplication::focusWidget();
  return now != nullptr ? now : last_.data();
}

}  // namespace rt::qt
