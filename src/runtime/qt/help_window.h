#pragma once
// The short help window the frame's "How to Use Help" opens: how to find
// one's way around the program's help, in Spanish like the rest of the
// program. It closes itself like any ordinary window.

#include <QWidget>

namespace rt::qt {

class HelpWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* owner);
};

}  // namespace rt::qt
