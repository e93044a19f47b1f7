#include "runtime/qt/owned_window.h"

#include <QWidget>

#include "runtime/qt/plain_text.h"
#include "runtime/qt/top_level_placement.h"
#include "runtime/qt/window_flags.h"

namespace rt::qt {

OwnedWindow::OwnedWindow(const ui::WindowDefinition& definition, ui::WindowEvents& events,
                         ChangeCounter& changes, QWidget* owner,
                         const std::vector<const ui::ListSource*>& lists)
    : LayerWindow(definition, events, changes),
      widget_(new QWidget(owner, windowFlags(definition, Qt::Window))),
      fixedSize_(!rt::qt::userResizable(definition)) {
  widget_->setWindowTitle(qtText(definition.caption));
  buildClient(*widget_, lists);
  watch(*widget_);
  placeAsDefined();
  widget_->show();
}

OwnedWindow::~OwnedWindow() {
  unwatch();
  delete widget_;
}

void OwnedWindow::activate() {
  widget_->raise();
  widget_->activateWindow();
}

QRect OwnedWindow::clientRect() const {
  return widget_->geometry();
}

void OwnedWindow::placeClient(const QRect& rect) {
  placeTopLevel(*widget_, rect, fixedSize_);
}

void OwnedWindow::resizeClient(const QSize& size) {
  resizeTopLevel(*widget_, size, fixedSize_);
}

}  // namespace rt::qt
