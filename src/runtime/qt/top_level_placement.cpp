#include "runtime/qt/top_level_placement.h"

#include <QRect>
#include <QWidget>
#include <QWindow>

namespace rt::qt {

void placeTopLevel(QWidget& window, const QRect& client, bool fixedSize) {
  if (!window.isVisible() || window.windowHandle() == nullptr) {
    if (fixedSize) window.setFixedSize(client.size());
    window.setGeometry(client);
    return;
  }
  const QPoint frameOffset = window.geometry().topLeft() - window.frameGeometry().topLeft();
  resizeTopLevel(window, client.size(), fixedSize);
  window.windowHandle()->setFramePosition(client.topLeft() - frameOffset);
}

void resizeTopLevel(QWidget& window, const QSize& client, bool fixedSize) {
  if (fixedSize)
    window.setFixedSize(client);
  else
    window.resize(client);
}

}  // namespace rt::qt
