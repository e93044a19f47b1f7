#include <QClipboard>
#include <QGuiApplication>

#include "runtime/qt/change_counter.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/desktop.h"
#include "runtime/qt/frame_window.h"
#include "runtime/qt/layer_lookup.h"
#include "runtime/qt/layer_window.h"
#include "runtime/qt/list_control.h"
#include "runtime/qt/plain_text.h"
#include "runtime/qt/qt_window_layer.h"

namespace rt::qt {
namespace {

ListControl* findList(const Desktop& desktop, ui::WindowId window, int control) {
  const LayerWindow* found = desktop.window(window);
  if (found == nullptr || found->controls() == nullptr) return nullptr;
  return found->controls()->list(control);
}

}  // namespace

std::vector<ui::WindowInfo> QtWindowLayer::windows() {
  return queue_.call([&] { return desktop_->windows(); });
}

std::vector<ui::ControlInfo> QtWindowLayer::controls(ui::WindowId window) {
  return withWindow(queue_, *desktop_, window, std::vector<ui::ControlInfo>{},
                    [](const LayerWindow& found) {
                      return found.controls() != nullptr ? found.controls()->info()
                                                         : std::vector<ui::ControlInfo>{};
                    });
}

bool QtWindowLayer::press(ui::WindowId window, int control) {
  return withWindow(queue_, *desktop_, window, false, [&](const LayerWindow& found) {
    return found.controls() != nullptr && found.controls()->press(control);
  });
}

bool QtWindowLayer::chooseMenu(int number) {
  return withFrame(queue_, *desktop_, false,
                   [&](const FrameWindow& frame) { return frame.menus().choose(number); });
}

std::vector<std::string> QtWindowLayer::menuTitles() {
  return withFrame(queue_, *desktop_, std::vector<std::string>{},
                   [&](const FrameWindow& frame) { return frame.menus().titles(); });
}

std::vector<std::string> QtWindowLayer::menuEntries(int menuIndex) {
  return withFrame(queue_, *desktop_, std::vector<std::string>{},
                   [&](const FrameWindow& frame) { return frame.menus().entries(menuIndex); });
}

std::vector<std::string> QtWindowLayer::windowList() {
  return withFrame(queue_, *desktop_, std::vector<std::string>{},
                   [&](const FrameWindow& frame) { return frame.menus().windowList(); });
}

std::vector<std::string> QtWindowLayer::statusZones() {
  return withFrame(queue_, *desktop_, std::vector<std::string>{},
                   [&](const FrameWindow& frame) { return frame.statusZones(); });
}

bool QtWindowLayer::highlightMenu(int number) {
  return withFrame(queue_, *desktop_, false,
                   [&](const FrameWindow& frame) { return frame.menus().highlight(number); });
}

std::vector<std::string> QtWindowLayer::openDialogs() {
  return withFrame(queue_, *desktop_, std::vector<std::string>{},
                   [&](const FrameWindow& frame) { return frame.openDialogs(); });
}

std::optional<ui::MessageBoxInfo> QtWindowLayer::messageBox() {
  return queue_.call([&] { return desktop_->messageBox(); });
}

bool QtWindowLayer::answer(int button) {
  return queue_.call([&] { return desktop_->answerMessageBox(button); });
}

bool QtWindowLayer::dismissMessageBox() {
  return queue_.call([&] { return desktop_->dismissMessageBox(); });
}

std::vector<std::vector<std::string>> QtWindowLayer::listLines(ui::WindowId window, int control) {
  return queue_.call([&] {
    const ListControl* list = findList(*desktop_, window, control);
    return list != nullptr ? list->lines() : std::vector<std::vector<std::string>>{};
  });
}

std::vector<std::string> QtWindowLayer::listHeaders(ui::WindowId window, int control) {
  return queue_.call([&] {
    const ListControl* list = findList(*desktop_, window, control);
    return list != nullptr ? list->headers() : std::vector<std::string>{};
  });
}

bool QtWindowLayer::selectListLine(ui::WindowId window, int control, int line) {
  return queue_.call([&] {
    ListControl* list = findList(*desktop_, window, control);
    if (list == nullptr) return false;
    desktop_->window(window)->activate();
    if (!list->selectLine(line)) return false;
    changes_.bump();
    return true;
  });
}

int QtWindowLayer::listRedraws(ui::WindowId window, int control) {
  return queue_.call([&] {
    const ListControl* list = findList(*desktop_, window, control);
    return list != nullptr ? list->redraws() : 0;
  });
}

std::string QtWindowLayer::clipboard() {
  return queue_.call([] { return stdText(QGuiApplication::clipboard()->text()); });
}

std::optional<ui::Geometry> QtWindowLayer::windowGeometry(ui::WindowId window) {
  return withWindow(queue_, *desktop_, window, std::optional<ui::Geometry>{},
                    [](const LayerWindow& found) { return found.geometry(); });
}

std::optional<ui::WindowState> QtWindowLayer::windowState(ui::WindowId window) {
  return withWindow(queue_, *desktop_, window, std::optional<ui::WindowState>{},
                    [](const LayerWindow& found) { return found.state(); });
}

bool QtWindowLayer::moveTo(ui::WindowId window, const ui::Geometry& geometry) {
  return queue_.call([&] {
    LayerWindow* found = desktop_->window(window);
    if (found == nullptr) return false;
    ui::Geometry wanted = geometry;
    if (!found->userResizable()) wanted.width = wanted.height = ui::kNotGiven;  // a fixed frame
    found->setGeometry(wanted);
    return true;
  });
}

bool QtWindowLayer::setWindowState(ui::WindowId window, const ui::WindowState& state) {
  return withWindow(queue_, *desktop_, window, false, [&](LayerWindow& found) {
    found.setState(state);
    return true;
  });
}

bool QtWindowLayer::close(ui::WindowId window) {
  return withWindow(queue_, *desktop_, window, false, [](LayerWindow& found) {
    found.pressCloseBox();
    return true;
  });
}

bool QtWindowLayer::fullWindowDrag() {
  return queue_.call([&] { return desktop_->fullWindowDrag(); });
}

std::uint64_t QtWindowLayer::version() {
  return changes_.value();
}

bool QtWindowLayer::waitForChange(std::uint64_t seen, std::chrono::milliseconds timeout) {
  return changes_.waitPast(seen, timeout);
}

}  // namespace rt::qt
