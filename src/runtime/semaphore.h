#pragma once
// An unnamed counting semaphore with a maximum count. wait() blocks until
// the count is above 0 and takes one; while it blocks the thread keeps
// running calls sent to it, and the program's shutdown interrupts it.
// release() adds one, up to the maximum; beyond it changes nothing.

#include <mutex>
#include <set>

namespace rt {

class EventLoop;

class Semaphore {
 public:
  Semaphore(int initial, int maximum) : count_(initial), maximum_(maximum) {}
  Semaphore(const Semaphore&) = delete;
  Semaphore& operator=(const Semaphore&) = delete;

  // True when it took one; false when the program shut down first.
  bool wait();
  void release();
  int count() const;

 private:
  bool tryTake();

  mutable std::mutex mutex_;
  int count_;
  const int maximum_;
  std::set<EventLoop*> waiting_;
};

}  // namespace rt
