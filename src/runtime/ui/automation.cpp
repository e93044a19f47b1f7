#include "runtime/ui/automation.h"

#include <algorithm>

namespace rt::ui {
namespace {

constexpr std::chrono::milliseconds kRecheck{20};

}  // namespace

bool waitUntil(Automation& automation, const std::function<bool()>& condition,
               std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const std::uint64_t seen = automation.version();
    if (condition()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    // Conditions may also depend on state the user cannot see (a queue's
    // rows): look again at least this often.
    automation.waitForChange(seen, std::min(left, kRecheck));
  }
}

}  // namespace rt::ui
