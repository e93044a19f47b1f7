#pragma once
// Main: the program's multiple-document frame. Its "Test" menu starts the
// tests, each on a thread of its own; opening it starts the thread that
// waits on GreenLight. It returns when the frame has closed.

#include "runtime/ui/window_definition.h"

namespace lumo {

rt::ui::WindowDefinition mainDefinition();
void Main();

// Every procedure start of the program asks for this much stack.
inline constexpr std::size_t kProcedureStack = 25000;

}  // namespace lumo
