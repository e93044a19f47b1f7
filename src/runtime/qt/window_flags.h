#pragma once
// The Qt window flags for a definition's caption and attributes: caption
// bar, system menu with close box, maximise and minimise boxes, and a fixed
// size for a dialog frame or a window without a resizable frame.

#include <Qt>

#include "runtime/ui/window_definition.h"

namespace rt::qt {

bool userResizable(const ui::WindowDefinition& definition);

// base is Qt::SubWindow for a child window, Qt::Window for a top-level one.
Qt::WindowFlags windowFlags(const ui::WindowDefinition& definition, Qt::WindowType base);

}  // namespace rt::qt
