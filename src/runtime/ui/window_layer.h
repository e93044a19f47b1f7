#pragma once
// The window layer: what a backend (Qt on the display thread, or headless in
// memory) does for the runtime. The runtime calls it from program threads;
// every call that answers blocks until the answer is there. The backend
// reports what happens on screen through each window's WindowEvents, and it
// never waits for a program thread.

#include <cstdint>
#include <functional>
#include <vector>

#include "runtime/ui/list_source.h"
#include "runtime/ui/message_box.h"
#include "runtime/ui/placement.h"
#include "runtime/ui/window_definition.h"

namespace rt::ui {

class Automation;

using WindowId = std::uint64_t;  // 0: no window
using BoxId = std::uint64_t;

// Where the backend sends a window's events. Thread-safe; cheap.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // code: an event code (events.h); control: the control or menu number for
  // accepted events, else 0.
  virtual void post(int code, int control) = 0;
};

class WindowLayer {
 public:
  virtual ~WindowLayer() = default;

  // Creates and shows a window. parent is the frame for child and owned
  // windows, 0 for the frame. lists[i] is the source of the i-th list control
  // of the definition, in order. Events go to events until destroy().
  virtual WindowId open(const WindowDefinition& definition, WindowId parent, WindowEvents& events,
                        std::vector<const ListSource*> lists) = 0;
  // Removes the window. Once this returns, the backend no longer touches the
  // window's WindowEvents or list sources.
  virtual void destroy(WindowId window) = 0;

  virtual Geometry geometry(WindowId window) = 0;  // normal geometry, dialog units
  virtual void setGeometry(WindowId window, const Geometry& geometry) = 0;
  virtual WindowState state(WindowId window) = 0;
  virtual void setState(WindowId window, const WindowState& state) = 0;

  virtual void redisplay(WindowId window) = 0;            // redraw every control
  virtual void select(WindowId window, int control) = 0;  // give it the focus

  // Shows a message box, modal to parent (0: to nothing) and centred on it.
  // answered runs exactly once, on any thread: with the button pressed, or
  // with 0 when cancelMessageBox() took the box away first.
  virtual BoxId showMessageBox(const MessageBoxRequest& request, WindowId parent,
                               std::function<void(int)> answered) = 0;
  virtual void cancelMessageBox(BoxId box) = 0;

  // Something changed somewhere: lists compare their sources' change counts
  // and redraw when they moved. Requests coalesce: at most one redraw of a
  // list per displayed frame.
  virtual void requestRefresh() = 0;

  // Desktop setting: off moves and resizes child windows as outlines.
  virtual void setFullWindowDrag(bool on) = 0;

  virtual Automation& automation() = 0;
};

}  // namespace rt::ui
