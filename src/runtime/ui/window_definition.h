#pragma once
// A window described as plain data: what kind of window it is, its caption,
// size in dialog units, font, attributes, controls and, for the frame, its
// menus and status bar. Procedures keep one of these each; the window layer
// turns it into a real window.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rt::ui {

// Positions and sizes are dialog units of the window's font; a value that is
// not given leaves the placement to the system or gives a natural size.
inline constexpr int kNotGiven = -2147483647 - 1;

enum class WindowKind { Frame, Child, Owned };

struct Font {
  std::string face;  // "MS Sans Serif", "System", "Helv": the desktop's sans-serif
  int points = 8;
  int weight = 400;
};

struct Attributes {
  bool systemMenu = false;
  bool maximizeBox = false;
  bool minimizeBox = false;
  bool resizable = false;
  bool dialogFrame = false;
  bool grayBackground = false;
  bool immediate = false;
  int timer = 0;  // hundredths of a second between timer events; 0 = none
};

enum class ControlKind { Button, Image, List };

struct Control {
  ControlKind kind = ControlKind::Button;
  std::string label;  // "?BUTTON1": names the control in the definition only
  std::string text;   // button text, or the image's resource file name
  int x = kNotGiven, y = kNotGiven, width = kNotGiven, height = kNotGiven;
  std::string format;  // list column format
};

// Standard actions carried out by the window layer itself.
enum class StandardAction : int {
  None = 0,
  WindowList = 1,
  Tile = 2,
  Cascade = 3,
  ArrangeIcons = 4,
  HelpContents = 5,
  HelpOnHelp = 6,
  HelpSearch = 7,
  Cut = 10,
  Copy = 11,
  Paste = 12,
  Close = 15,
  PrintSetup = 16,
};

struct MenuEntry {
  std::string text;  // "" for a separator line
  std::string label;
  int number = 0;
  std::string message;  // shown in the status bar's first zone when highlighted
  StandardAction action = StandardAction::None;
  bool separator() const { return text.empty(); }
};

struct Menu {
  std::string text;
  std::string label;
  int number = 0;
  std::string message;
  StandardAction action = StandardAction::None;  // WindowList: lists the child windows
  std::vector<MenuEntry> entries;
};

struct StatusBar {
  std::vector<int> zones;  // widths in dialog units of the status-bar font; -1 stretches
  Font font;
};

struct WindowDefinition {
  WindowKind kind = WindowKind::Child;
  std::string caption;
  int x = kNotGiven, y = kNotGiven;
  int width = kNotGiven, height = kNotGiven;  // client area
  Font font;
  Attributes attributes;
  std::vector<Control> controls;  // numbered 1, 2, 3, ... in this order
  std::vector<Menu> menus;        // frame only
  std::optional<StatusBar> statusBar;
};

}  // namespace rt::ui
