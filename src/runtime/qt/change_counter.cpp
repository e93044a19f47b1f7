#include "runtime/qt/change_counter.h"

namespace rt::qt {

void ChangeCounter::bump() {
  std::lock_guard lock(mutex_);
  ++value_;
  moved_.notify_all();
}

std::uint64_t ChangeCounter::value() const {
  std::lock_guard lock(mutex_);
  return value_;
}

bool ChangeCounter::waitPast(std::uint64_t seen, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return moved_.wait_for(lock, timeout, [&] { return value_ > seen; });
}

}  // namespace rt::qt
