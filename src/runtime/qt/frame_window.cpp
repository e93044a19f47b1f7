#include "runtime/qt/frame_window.h"

#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

#include "runtime/qt/plain_text.h"
#include "runtime/qt/standard_actions.h"
#include "runtime/qt/top_level_placement.h"
#include "runtime/qt/window_flags.h"
#include "runtime/ui/events.h"

namespace rt::qt {

FrameWindow::FrameWindow(const ui::WindowDefinition& definition, ui::WindowEvents& events,
                         ChangeCounter& changes, const FocusTracker& focus)
    : LayerWindow(definition, events, changes),
      main_(new QMainWindow(nullptr, windowFlags(definition, Qt::Window))),
      area_(new QMdiArea),
      fixedSize_(!rt::qt::userResizable(definition)) {
  main_->setWindowTitle(qtText(definition.caption));
  main_->setAccessibleName(qtText(definition.caption));
  area_->setAccessibleName(qtText(definition.caption));
  main_->setCentralWidget(area_);
  menus_ = new FrameMenus(
      *main_->menuBar(), definition.menus, [this](const FrameMenus::Item& item) { chosen(item); },
      [this](const std::string& message) { highlighted(message); });
  if (definition.statusBar) status_.emplace(*main_->statusBar(), *definition.statusBar);
  actions_ = new StandardActions(*this, *area_, focus, changes);
  watch(*main_);
  // The menu bar's height, which is not part of the client area, is known
  // once the layout has run; it can change with the width, hence twice.
  main_->layout()->activate();
  placeAsDefined();
  main_->layout()->activate();
  placeAsDefined();
  main_->show();
}

FrameWindow::~FrameWindow() {
  unwatch();
  delete main_;
}

void FrameWindow::activate() {
  main_->raise();
  main_->activateWindow();
}

std::vector<std::string> FrameWindow::statusZones() const {
  return status_ ? status_->texts() : std::vector<std::string>{};
}

std::vector<std::string> FrameWindow::openDialogs() const {
  return actions_->openDialogs();
}

void FrameWindow::chosen(const FrameMenus::Item& item) {
  if (item.standard == ui::StandardAction::None)
    post(ui::kEventAccepted, item.number);
  else
    actions_->run(item.standard);
}

void FrameWindow::highlighted(const std::string& message) {
  if (status_ && status_->setText(0, qtText(message))) changed();
}

int FrameWindow::menuHeight() const {
  const QWidget* bar = main_->menuWidget();
  return bar != nullptr && bar->isVisibleTo(main_) ? bar->height() : 0;
}

QRect FrameWindow::clientRect() const {
  return main_->geometry().adjusted(0, menuHeight(), 0, 0);
}

void FrameWindow::placeClient(const QRect& rect) {
  placeTopLevel(*main_, rect.adjusted(0, -menuHeight(), 0, 0), fixedSize_);
}

void FrameWindow::resizeClient(const QSize& size) {
  resizeTopLevel(*main_, QSize(size.width(), size.height() + menuHeight()), fixedSize_);
}

}  // namespace rt::qt
