#pragma once
// A window as its owning program thread sees it: made from a window
// definition, shown by the window layer, fed with events by the thread's
// event loop. It also keeps the close protocol: closing the frame first
// closes every window the frame owns, one at a time in opening order, each on
// its own thread; a window that refuses keeps the frame open.

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/event_loop.h"
#include "runtime/ui/list_source.h"
#include "runtime/ui/placement.h"
#include "runtime/ui/window_definition.h"
#include "runtime/ui/window_layer.h"

namespace rt {

class Window final : public EventTarget, public ui::PlacedWindow, private ui::WindowEvents {
 public:
  explicit Window(ui::WindowDefinition definition);
  ~Window() override;  // takes the window off the screen
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // The source of list control number control (1-based), before open().
  void bindList(int control, const ui::ListSource* source);

  // Shows the window on the calling thread, which owns it from now on.
  // Refused (false) for a second frame, and for a child or owned window when
  // there is no frame or when called on the frame's own thread.
  bool open();
  // Shown and not closed by a close event that went ahead.
  bool isOpen() const { return id_ != 0 && !closed_; }
  const ui::WindowDefinition& definition() const { return definition_; }
  ui::WindowId id() const { return id_; }

  // The window's next event; nothing once it has closed. The event becomes
  // the thread's current event until handled().
  std::optional<Event> nextEvent();
  // The hooks have handled event with level (0 go on, 5 consumed, 3 end).
  // A close that was not consumed goes ahead. Every window is then asked to
  // refresh its controls.
  void handled(const Event& event, std::uint8_t level);

  void redisplay();
  void select(int control);

  ui::Geometry geometry() const override;
  void setX(int x) override;
  void setY(int y) override;
  void setWidth(int width) override;
  void setHeight(int height) override;
  bool resizable() const override { return definition_.attributes.resizable; }
  bool maximized() const override;
  void setMaximized(bool on) override;
  bool minimized() const override;
  void setMinimized(bool on) override;

  // The newest open window of the calling thread, else the frame, else 0:
  // what a message box shown on this thread is modal to.
  static ui::WindowId modalParentForThisThread();

 private:
  void post(int code, int control) override;  // from the window layer
  void setGeometryField(int ui::Geometry::*field, int value);
  void closeNextOwned();
  void leaveRegistry();
  static void continueFrameClose();

  ui::WindowDefinition definition_;
  std::vector<const ui::ListSource*> lists_;
  ui::WindowId id_ = 0;
  EventLoop* loop_ = nullptr;
  std::uint64_t serial_ = 0;
  bool closed_ = false;
  // The frame only: closing its owned windows; the serial of the one asked.
  std::atomic<bool> closingOwned_ = false;
  std::uint64_t asked_ = 0;
};

}  // namespace rt
