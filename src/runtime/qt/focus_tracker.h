#pragma once
// Remembers which program control had the keyboard focus last, so that the
// frame's cut, copy and paste reach it even while the menu has the focus or
// another top-level window is active.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace rt::qt {

class FocusTracker final : public QObject {
  Q_OBJECT

 public:
  FocusTracker();
  // The widget with the keyboard focus, else the one that had it last.
  QWidget* focused() const;

 private:
  QPointer<QWidget> last_;
};

}  // namespace rt::qt
