#pragma once
// Runs a piece of work on the display thread against the frame, or against
// the window of an id, and gives a fallback when there is no such window.
// What almost every call of the layer and of its automation does.

#include "runtime/qt/desktop.h"
#include "runtime/qt/display_queue.h"
#include "runtime/qt/frame_window.h"
#include "runtime/qt/layer_window.h"

namespace rt::qt {

template <typename R, typename Work>
R withFrame(DisplayQueue& queue, const Desktop& desktop, R otherwise, Work work) {
  return queue.call([&]() -> R {
    FrameWindow* frame = desktop.frame();
    return frame != nullptr ? R(work(*frame)) : otherwise;
  });
}

template <typename R, typename Work>
R withWindow(DisplayQueue& queue, const Desktop& desktop, ui::WindowId window, R otherwise,
             Work work) {
  return queue.call([&]() -> R {
    LayerWindow* found = desktop.window(window);
    return found != nullptr ? R(work(*found)) : otherwise;
  });
}

}  // namespace rt::qt
