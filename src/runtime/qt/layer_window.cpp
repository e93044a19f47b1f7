#include "runtime/qt/layer_window.h"

#include <QEvent>
#include <QPalette>
#include <QWidget>

#include "runtime/qt/change_counter.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/plain_text.h"
#include "runtime/qt/window_flags.h"
#include "runtime/ui/events.h"

namespace rt::qt {

LayerWindow::LayerWindow(const ui::WindowDefinition& definition, ui::WindowEvents& events,
                         ChangeCounter& changes)
    : definition_(definition),
      events_(events),
      changes_(changes),
      units_(windowFont(definition.font)) {}

bool LayerWindow::userResizable() const {
  return rt::qt::userResizable(definition_);
}

void LayerWindow::buildClient(QWidget& client, const std::vector<const ui::ListSource*>& lists) {
  client.setFont(windowFont(definition_.font));
  client.setAccessibleName(qtText(definition_.caption));
  QPalette palette = client.palette();
  palette.setColor(
      QPalette::Window,
      palette.color(definition_.attributes.grayBackground ? QPalette::Button : QPalette::Base));
  client.setPalette(palette);
  client.setAutoFillBackground(true);
  controls_ = new Controls(client, definition_.controls, lists, units_,
                           [this](int number) { events_.post(ui::kEventAccepted, number); });
}

void LayerWindow::placeAsDefined() {
  const ui::WindowDefinition& d = definition_;
  QRect rect = clientRect();
  if (d.width != ui::kNotGiven) rect.setWidth(units_.toPixelsX(d.width));
  if (d.height != ui::kNotGiven) rect.setHeight(units_.toPixelsY(d.height));
  if (d.x == ui::kNotGiven && d.y == ui::kNotGiven) {
    resizeClient(rect.size());  // the system chooses the position
  } else {
    if (d.x != ui::kNotGiven) rect.moveLeft(units_.toPixelsX(d.x));
    if (d.y != ui::kNotGiven) rect.moveTop(units_.toPixelsY(d.y));
    placeClient(rect);
  }
  normal_ = rect;
}

void LayerWindow::watch(QWidget& sizeSource) {
  sizeSource_ = &sizeSource;
  window().installEventFilter(this);
  if (&sizeSource != &window()) sizeSource.installEventFilter(this);
}

void LayerWindow::unwatch() {
  window().removeEventFilter(this);
  if (sizeSource_ != nullptr) sizeSource_->removeEventFilter(this);
  sizeSource_ = nullptr;
}

void LayerWindow::reportActivated() {
  events_.post(ui::kEventGainFocus, 0);
  changed();
}

void LayerWindow::post(int code, int control) {
  events_.post(code, control);
}

void LayerWindow::changed() {
  changes_.bump();
}

bool LayerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window()) {
    switch (event->type()) {
      case QEvent::Close:
        event->ignore();  // the program decides whether the window goes
        events_.post(ui::kEventCloseWindow, 0);
        return true;
      case QEvent::WindowActivate:
        if (window().isWindow()) reportActivated();
        break;
      case QEvent::Move:
      case QEvent::Resize:
        if (inNormalState()) normal_ = clientRect();
        changed();
        break;
      case QEvent::WindowStateChange:
        // The normal geometry is restored after this event: apply a
        // placement set meanwhile once that has happened.
        if (inNormalState() && pendingNormal_)
          QMetaObject::invokeMethod(
              this, [this] { applyPendingNormal(); }, Qt::QueuedConnection);
        changed();
        break;
      default: break;
    }
  }
  if (watched == sizeSource_ && event->type() == QEvent::Resize) {
    const QSize size = clientRect().size();
    if (size != reportedSize_) {
      reportedSize_ = size;
      events_.post(ui::kEventSized, 0);
    }
  }
  return false;
}

bool LayerWindow::inNormalState() const {
  return (window().windowState() &
          (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) == 0;
}

void LayerWindow::applyPendingNormal() {
  if (!pendingNormal_ || !inNormalState()) return;
  const QRect rect = *pendingNormal_;
  pendingNormal_.reset();
  placeClient(rect);
  normal_ = rect;
}

// The last normal placement: what was set, or what the window system has
// reported since (it may report a move some time after it was asked for).
ui::Geometry LayerWindow::geometry() const {
  return units_.toUnits(normal_);
}

void LayerWindow::setGeometry(const ui::Geometry& geometry) {
  QRect rect = normal_;
  if (geometry.width != ui::kNotGiven) rect.setWidth(units_.toPixelsX(geometry.width));
  if (geometry.height != ui::kNotGiven) rect.setHeight(units_.toPixelsY(geometry.height));
  if (geometry.x != ui::kNotGiven) rect.moveLeft(units_.toPixelsX(geometry.x));
  if (geometry.y != ui::kNotGiven) rect.moveTop(units_.toPixelsY(geometry.y));
  if (inNormalState())
    placeClient(rect);
  else
    pendingNormal_ = rect;  // kept for when the window is restored, as the system keeps it
  normal_ = rect;
  changed();
}

ui::WindowState LayerWindow::state() const {
  const Qt::WindowStates state = window().windowState();
  const bool minimized = (state & Qt::WindowMinimized) != 0;
  return ui::WindowState{!minimized && (state & Qt::WindowMaximized) != 0, minimized};
}

void LayerWindow::setState(const ui::WindowState& state) {
  QWidget& w = window();
  if (state.minimized) {
    if (!w.isMinimized()) w.showMinimized();
  } else if (state.maximized) {
    if (w.isMinimized() || !w.isMaximized()) w.showMaximized();
  } else if (!inNormalState()) {
    w.showNormal();
  }
}

void LayerWindow::select(int control) {
  activate();
  QWidget* target = controls_ != nullptr ? controls_->widget(control) : nullptr;
  if (target != nullptr) target->setFocus(Qt::OtherFocusReason);
}

void LayerWindow::redisplay() {
  if (controls_ != nullptr) controls_->redisplay();
  window().update();
}

void LayerWindow::pressCloseBox() {
  window().close();
}

}  // namespace rt::qt
