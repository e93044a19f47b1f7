#pragma once
// The window layer scenario tests run against: in memory for the scenario
// suite, Qt offscreen for the gui suite. One layer serves the whole process.

#include "runtime/ui/window_layer.h"

rt::ui::WindowLayer& testLayer();
const char* backendName();
