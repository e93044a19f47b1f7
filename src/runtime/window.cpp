#include "runtime/window.h"

#include <algorithm>
#include <mutex>

#include "runtime/program.h"
#include "runtime/ui/events.h"

namespace rt {
namespace {

// Every open window in opening order, and the frame.
struct Registry {
  std::mutex mutex;
  std::vector<Window*> windows;
  Window* frame = nullptr;
  EventLoop* frameLoop = nullptr;
  bool frameClosed = false;  // no window may join the frame any more
  std::uint64_t serials = 0;
};

Registry& registry() {
  static Registry instance;
  return instance;
}

}  // namespace

Window::Window(ui::WindowDefinition definition) : definition_(std::move(definition)) {
  const auto lists =
      std::count_if(definition_.controls.begin(), definition_.controls.end(),
                    [](const ui::Control& c) { return c.kind == ui::ControlKind::List; });
  lists_.assign(static_cast<std::size_t>(lists), nullptr);
}

Window::~Window() {
  if (id_ == 0) return;
  loop_->forget(this);
  windowLayer().destroy(id_);
  leaveRegistry();
}

void Window::leaveRegistry() {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  std::erase(r.windows, this);
  if (r.frame == this) {
    r.frame = nullptr;
    r.frameLoop = nullptr;
  } else if (r.frame != nullptr && r.frame->closingOwned_) {
    // Sent under the lock: the frame cannot go away meanwhile.
    r.frameLoop->send(&Window::continueFrameClose);
  }
}

void Window::bindList(int control, const ui::ListSource* source) {
  int listIndex = 0;
  for (int i = 0; i < static_cast<int>(definition_.controls.size()); ++i) {
    if (definition_.controls[static_cast<std::size_t>(i)].kind != ui::ControlKind::List) continue;
    if (i + 1 == control) lists_[static_cast<std::size_t>(listIndex)] = source;
    ++listIndex;
  }
}

bool Window::open() {
  if (id_ != 0) return true;
  EventLoop& loop = EventLoop::current();
  loop_ = &loop;  // the layer may post events as soon as the window is up
  auto& r = registry();
  ui::WindowId parent = 0;
  {
    // The window joins the registry before it is shown, so that a frame
    // closing meanwhile waits for it too.
    std::lock_guard lock(r.mutex);
    if (definition_.kind == ui::WindowKind::Frame) {
      if (r.frame != nullptr) return false;
      r.frame = this;
      r.frameLoop = &loop;
      r.frameClosed = false;
    } else {
      if (r.frame == nullptr || r.frameClosed || r.frameLoop == &loop) return false;
      parent = r.frame->id_;
    }
    serial_ = ++r.serials;
    r.windows.push_back(this);
  }
  id_ = windowLayer().open(definition_, parent, *this, lists_);
  if (id_ == 0) {
    leaveRegistry();
    return false;
  }
  if (definition_.attributes.timer > 0)
    loop.setTimer(this, std::chrono::milliseconds(definition_.attributes.timer * 10));
  loop.post({this, ui::kEventOpenWindow, 0});
  return true;
}

std::optional<Event> Window::nextEvent() {
  while (isOpen()) {
    const std::optional<Event> event = loop_->next();
    if (!event) continue;  // stopped: isOpen() tells whether the window closed
    if (event->target != this) continue;
    setCurrentEvent(event->code, event->control);
    return event;
  }
  return std::nullopt;
}

void Window::handled(const Event& event, std::uint8_t level) {
  setCurrentEvent(0, 0);
  const bool closeEvent = event.code == ui::kEventCloseWindow || event.code == ui::kEventCloseDown;
  if (closeEvent && level != 5) {
    if (definition_.kind == ui::WindowKind::Frame) {
      closingOwned_ = true;
      asked_ = 0;
      closeNextOwned();
    } else {
      closed_ = true;
    }
  } else if (event.code == ui::kEventCloseDown && level == 5) {
    // Refused: the frame stays open.
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    if (r.frameLoop != nullptr)
      r.frameLoop->send([] {
        auto& reg = registry();
        std::lock_guard inner(reg.mutex);
        if (reg.frame != nullptr) reg.frame->closingOwned_ = false;
      });
  }
  windowLayer().requestRefresh();
}

void Window::continueFrameClose() {
  Window* frame = nullptr;
  {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    frame = r.frame;
  }
  // Runs on the frame's thread, the only one that destroys the frame.
  if (frame != nullptr && frame->closingOwned_) frame->closeNextOwned();
}

void Window::closeNextOwned() {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  const auto owned = std::find_if(r.windows.begin(), r.windows.end(),
                                  [this](const Window* w) { return w != this; });
  if (owned == r.windows.end()) {
    // A procedure started before the close that opens its window only now
    // finds the frame gone.
    r.frameClosed = true;
    closingOwned_ = false;
    closed_ = true;
    loop_->stop();
    return;
  }
  if ((*owned)->serial_ == asked_) return;  // still closing
  asked_ = (*owned)->serial_;
  (*owned)->loop_->post({*owned, ui::kEventCloseDown, 0});
}

void Window::post(int code, int control) {
  loop_->post({this, code, control});
}

void Window::redisplay() {
  if (id_ != 0) windowLayer().redisplay(id_);
}

void Window::select(int control) {
  if (id_ != 0) windowLayer().select(id_, control);
}

ui::Geometry Window::geometry() const {
  return windowLayer().geometry(id_);
}

void Window::setGeometryField(int ui::Geometry::*field, int value) {
  auto g = geometry();
  g.*field = value;
  windowLayer().setGeometry(id_, g);
}

void Window::setX(int x) {
  setGeometryField(&ui::Geometry::x, x);
}
void Window::setY(int y) {
  setGeometryField(&ui::Geometry::y, y);
}
void Window::setWidth(int width) {
  setGeometryField(&ui::Geometry::width, width);
}
void Window::setHeight(int height) {
  setGeometryField(&ui::Geometry::height, height);
}

bool Window::maximized() const {
  return windowLayer().state(id_).maximized;
}

void Window::setMaximized(bool on) {
  auto s = windowLayer().state(id_);
  s.maximized = on;
  if (on) s.minimized = false;
  windowLayer().setState(id_, s);
}

bool Window::minimized() const {
  return windowLayer().state(id_).minimized;
}

void Window::setMinimized(bool on) {
  auto s = windowLayer().state(id_);
  if (s.minimized == on) return;
  s.minimized = on;
  windowLayer().setState(id_, s);
}

ui::WindowId Window::modalParentForThisThread() {
  if (!EventLoop::hasCurrent()) return 0;
  EventLoop* loop = &EventLoop::current();
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  for (auto w = r.windows.rbegin(); w != r.windows.rend(); ++w)
    if ((*w)->loop_ == loop) return (*w)->id_;
  return r.frame != nullptr ? r.frame->id_ : 0;
}

}  // namespace rt
