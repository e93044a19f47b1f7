#pragma once
// Where a window stands and how large it is, in the window's own dialog units,
// and whether it is maximised or minimised.

namespace rt::ui {

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Geometry&) const = default;
};

struct WindowState {
  bool maximized = false;
  bool minimized = false;
  bool operator==(const WindowState&) const = default;
};

// The placement operations a window offers to whoever stores and restores
// it. Called only on the thread that owns the window.
class PlacedWindow {
 public:
  virtual ~PlacedWindow() = default;
  virtual Geometry geometry() const = 0;  // normal (not maximised) geometry
  virtual void setX(int x) = 0;
  virtual void setY(int y) = 0;
  virtual void setWidth(int width) = 0;
  virtual void setHeight(int height) = 0;
  virtual bool resizable() const = 0;  // can the user resize it
  virtual bool maximized() const = 0;
  virtual void setMaximized(bool on) = 0;
  virtual bool minimized() const = 0;
  virtual void setMinimized(bool on) = 0;
};

}  // namespace rt::ui
