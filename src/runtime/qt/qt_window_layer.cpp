#include "runtime/qt/qt_window_layer.h"

#include <QCoreApplication>
#include <QWidget>

#include "runtime/qt/desktop.h"
#include "runtime/qt/layer_lookup.h"
#include "runtime/qt/layer_window.h"
#include "runtime/qt/refresh_scheduler.h"

namespace rt::qt {

QtWindowLayer::QtWindowLayer()
    : desktop_(std::make_unique<Desktop>(changes_)),
      refresh_(std::make_unique<RefreshScheduler>(queue_, [this] { desktop_->refreshLists(); })) {}

QtWindowLayer::~QtWindowLayer() = default;

ui::WindowId QtWindowLayer::open(const ui::WindowDefinition& definition, ui::WindowId parent,
                                 ui::WindowEvents& events,
                                 std::vector<const ui::ListSource*> lists) {
  return queue_.call([&] { return desktop_->open(definition, parent, events, lists); });
}

void QtWindowLayer::destroy(ui::WindowId window) {
  queue_.call([&] { desktop_->destroy(window); });
}

ui::Geometry QtWindowLayer::geometry(ui::WindowId window) {
  return withWindow(queue_, *desktop_, window, ui::Geometry{},
                    [](const LayerWindow& found) { return found.geometry(); });
}

void QtWindowLayer::setGeometry(ui::WindowId window, const ui::Geometry& geometry) {
  withWindow(queue_, *desktop_, window, false, [&](LayerWindow& found) {
    found.setGeometry(geometry);
    return true;
  });
}

ui::WindowState QtWindowLayer::state(ui::WindowId window) {
  return withWindow(queue_, *desktop_, window, ui::WindowState{},
                    [](const LayerWindow& found) { return found.state(); });
}

void QtWindowLayer::setState(ui::WindowId window, const ui::WindowState& state) {
  withWindow(queue_, *desktop_, window, false, [&](LayerWindow& found) {
    found.setState(state);
    return true;
  });
}

void QtWindowLayer::redisplay(ui::WindowId window) {
  queue_.call([&] {
    if (LayerWindow* found = desktop_->window(window)) found->redisplay();
  });
}

void QtWindowLayer::select(ui::WindowId window, int control) {
  queue_.call([&] {
    if (LayerWindow* found = desktop_->window(window)) found->select(control);
  });
}

ui::BoxId QtWindowLayer::showMessageBox(const ui::MessageBoxRequest& request, ui::WindowId parent,
                                        std::function<void(int)> answered) {
  return queue_.call(
      [&] { return desktop_->showMessageBox(request, parent, std::move(answered)); });
}

void QtWindowLayer::cancelMessageBox(ui::BoxId box) {
  queue_.call([&] { desktop_->cancelMessageBox(box); });
}

void QtWindowLayer::requestRefresh() {
  refresh_->request();
}

void QtWindowLayer::setFullWindowDrag(bool on) {
  queue_.call([&] { desktop_->setFullWindowDrag(on); });
}

void QtWindowLayer::quitDisplayLoop() {
  if (!quitting_.exchange(true)) queue_.post(quit_);
}

void QtWindowLayer::Quit::run() {
  QCoreApplication::quit();
}

QWidget* QtWindowLayer::widget(ui::WindowId window) const {
  const LayerWindow* found = desktop_->window(window);
  return found != nullptr ? &found->window() : nullptr;
}

}  // namespace rt::qt
