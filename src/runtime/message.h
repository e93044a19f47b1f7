#pragma once
// Message boxes and halting, as the program's threads ask for them. A box
// blocks the calling thread until the user answers, while the thread keeps
// running calls sent to it. A box shown by a thread without a window of its
// own is modal to the frame.

#include <string>

#include "runtime/ui/message_box.h"

namespace rt {

// The value of the button pressed; 0 when the program shut down while the
// box was on screen (only a windowless thread can be in that state).
int messageBox(const ui::MessageBoxRequest& request);

// The plain box of the program main: no caption, no icon, one "OK".
int message(const std::string& text);

// Shows the "Halt" box with the stop icon and text, then ends the program at
// once: the program main's thread goes straight to the module termination,
// without waiting for anything, and the process exits with code 0.
[[noreturn]] void halt(const std::string& text);

// What halt() throws to the runtime; nothing else may catch it.
struct HaltRequest {};

}  // namespace rt
