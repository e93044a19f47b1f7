#pragma once
// A message box as the program asks for it: text ("|" starts a new line),
// caption, icon, button set, default button and style.

#include <string>

namespace rt::ui {

// The button set is a bit set; buttons are shown in this order.
enum Button : int {
  kOk = 1,
  kYes = 2,
  kNo = 4,
  kAbort = 8,
  kRetry = 16,
  kIgnore = 32,
  kCancel = 64,
  kHelp = 128,
};
inline constexpr int kAllButtons = 255;

// The button's text, mnemonic included ("&Yes"); empty for a value that is
// not a single button.
const char* buttonText(int button);

enum class Icon { None, Stop, File };

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  Icon icon = Icon::None;
  std::string iconFile;   // Icon::File: a file name, relative to the current directory
  int buttons = kOk;      // a set without any known button shows "OK"
  int defaultButton = 0;  // 0 or not in the set: the first button shown
  int style = 0;          // 1: stays above all other windows
};

// The set actually shown and the default button among them.
int shownButtons(const MessageBoxRequest& request);
int effectiveDefault(const MessageBoxRequest& request);

}  // namespace rt::ui
