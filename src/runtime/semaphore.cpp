#include "runtime/semaphore.h"

#include "runtime/event_loop.h"

namespace rt {

bool Semaphore::tryTake() {
  std::lock_guard lock(mutex_);
  if (count_ == 0) return false;
  --count_;
  return true;
}

bool Semaphore::wait() {
  EventLoop& loop = EventLoop::current();
  {
    std::lock_guard lock(mutex_);
    waiting_.insert(&loop);
  }
  const bool taken = loop.waitUntil([this] { return tryTake(); }, true);
  std::lock_guard lock(mutex_);
  waiting_.erase(&loop);
  return taken;
}

void Semaphore::release() {
  std::lock_guard lock(mutex_);
  if (count_ < maximum_) ++count_;
  for (EventLoop* loop : waiting_) loop->wake();
}

int Semaphore::count() const {
  std::lock_guard lock(mutex_);
  return count_;
}

}  // namespace rt
