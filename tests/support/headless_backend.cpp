#include "runtime/headless/headless_layer.h"
#include "support/backend.h"

rt::ui::WindowLayer& testLayer() {
  static rt::headless::HeadlessLayer layer;
  return layer;
}

const char* backendName() {
  return "headless";
}
