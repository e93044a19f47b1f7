#include "runtime/ui/automation.h"

namespace rt::ui {

bool waitUntil(Automation& automation, const std::function<bool()>& condition,
               std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const std::uint64_t seen = automation.version();
    if (condition()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    automation.waitForChange(seen, left);
  }
}

}  // namespace rt::ui
