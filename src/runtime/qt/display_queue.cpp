#include "runtime/qt/display_queue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace rt::qt {

DisplayQueue::DisplayQueue()
    : displayThread_(std::this_thread::get_id()),
      wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      wakeNotifier_(wakeFd_, QSocketNotifier::Read) {
  QObject::connect(&wakeNotifier_, &QSocketNotifier::activated, [this] { drain(); });
}

DisplayQueue::~DisplayQueue() {
  wakeNotifier_.setEnabled(false);
  close(wakeFd_);
}

void DisplayQueue::post(DisplayTask& task) {
  bool needsWake = false;
  {
    std::lock_guard lock(mutex_);
    task.next_ = nullptr;
    if (tail_ != nullptr)
      tail_->next_ = &task;
    else
      head_ = &task;
    tail_ = &task;
    needsWake = !wakePending_;
    wakePending_ = true;
  }
  if (needsWake) wake();
}

void DisplayQueue::wake() {
  const std::uint64_t one = 1;
  // Cannot fail short of a counter overflow, which one pending wake-up at
  // a time rules out.
  [[maybe_unused]] const ssize_t written = write(wakeFd_, &one, sizeof one);
}

// Runs the tasks queued so far. Tasks queued meanwhile get a fresh wake-up,
// so a steady stream of work never keeps the display from painting.
void DisplayQueue::drain() {
  std::uint64_t count = 0;
  [[maybe_unused]] const ssize_t consumed = read(wakeFd_, &count, sizeof count);
  DisplayTask* batch = nullptr;
  {
    std::lock_guard lock(mutex_);
    batch = head_;
    head_ = tail_ = nullptr;
  }
  while (batch != nullptr) {
    DisplayTask* const next = batch->next_;  // the task may be gone once it has run
    batch->run();
    batch = next;
  }
  bool again = false;
  {
    std::lock_guard lock(mutex_);
    again = head_ != nullptr;
    wakePending_ = again;
  }
  if (again) wake();
}

}  // namespace rt::qt
