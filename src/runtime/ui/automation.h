#pragma once
// Drives the user interface as a user would: list windows, press controls,
// choose menu entries, read and answer message boxes, read lists, move and
// close windows. Both backends offer it, so a scenario test is written once.
// Every call is thread-safe; call it from a thread that is neither the
// display thread nor a program thread.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/message_box.h"
#include "runtime/ui/placement.h"
#include "runtime/ui/window_definition.h"
#include "runtime/ui/window_layer.h"

namespace rt::ui {

struct WindowInfo {
  WindowId id = 0;
  WindowKind kind = WindowKind::Child;
  std::string caption;
};

struct ControlInfo {
  ControlKind kind = ControlKind::Button;
  std::string text;         // what the user reads; also the accessible name
  Geometry geometry;        // dialog units
  bool hasPicture = false;  // image: a picture was found and is shown
};

struct MessageBoxInfo {
  BoxId id = 0;
  std::string text;                // as given, "|" included
  std::vector<std::string> lines;  // as shown
  std::string caption;
  bool hasIcon = false;
  std::vector<int> buttons;  // values, in the order shown
  int defaultButton = 0;     // drawn as default and holding the focus
  bool onTop = false;
  WindowId parent = 0;  // modal to this window, 0 when to none
};

class Automation {
 public:
  virtual ~Automation() = default;

  virtual std::vector<WindowInfo> windows() = 0;  // open windows, in opening order
  virtual std::vector<ControlInfo> controls(WindowId window) = 0;
  virtual bool press(WindowId window, int control) = 0;  // false: no such button
  virtual bool chooseMenu(int number) = 0;               // an entry of the frame's menus
  virtual std::vector<std::string> menuTitles() = 0;
  virtual std::vector<std::string> menuEntries(int menuIndex) = 0;  // texts, "" for separators
  virtual std::vector<std::string> windowList() = 0;   // titles listed in the window list
  virtual std::vector<std::string> statusZones() = 0;  // the status bar's texts
  virtual bool highlightMenu(int number) = 0;          // as hovering: shows its message
  virtual std::vector<std::string> openDialogs() = 0;  // "help", "print setup"

  virtual std::optional<MessageBoxInfo> messageBox() = 0;  // the newest box on screen
  virtual bool answer(int button) = 0;                     // press a button of that box
  virtual bool dismissMessageBox() = 0;  // Escape / close command: true if it closed

  virtual std::vector<std::vector<std::string>> listLines(WindowId window, int control) = 0;
  virtual std::vector<std::string> listHeaders(WindowId window, int control) = 0;
  virtual bool selectListLine(WindowId window, int control, int line) = 0;
  virtual int listRedraws(WindowId window, int control) = 0;
  virtual std::string clipboard() = 0;

  // Named apart from WindowLayer's calls so that one class can offer both.
  virtual std::optional<Geometry> windowGeometry(WindowId window) = 0;
  virtual std::optional<WindowState> windowState(WindowId window) = 0;
  virtual bool moveTo(WindowId window, const Geometry& geometry) = 0;  // as the user would
  virtual bool setWindowState(WindowId window, const WindowState& state) = 0;
  virtual bool close(WindowId window) = 0;  // the close box
  virtual bool fullWindowDrag() = 0;

  // Grows with every change the user could see; waitForChange returns when
  // it has moved past seen, or false after timeout.
  virtual std::uint64_t version() = 0;
  virtual bool waitForChange(std::uint64_t seen, std::chrono::milliseconds timeout) = 0;
};

// Waits until condition() holds, re-checking after every change; false when
// timeout passed first.
bool waitUntil(Automation& automation, const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(30));

}  // namespace rt::ui
