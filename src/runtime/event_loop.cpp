#include "runtime/event_loop.h"

#include <algorithm>
#include <atomic>
#include <set>

#include "runtime/start.h"

namespace rt {
namespace {

thread_local EventLoop* currentLoop = nullptr;
thread_local int currentCode = 0;
thread_local int currentControl = 0;

std::atomic<bool> shutdownInterrupt{false};

// Every loop alive, so that shutdown can wake them all. Never destroyed:
// detached threads may still be ending while the process exits.
std::mutex& loopsMutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}
std::set<EventLoop*>& loops() {
  static auto* all = new std::set<EventLoop*>;
  return *all;
}

}  // namespace

EventLoop::EventLoop() {
  currentLoop = this;
  std::lock_guard lock(loopsMutex());
  loops().insert(this);
}

EventLoop::~EventLoop() {
  releasePendingStarts();
  {
    std::lock_guard lock(loopsMutex());
    loops().erase(this);
  }
  if (currentLoop == this) currentLoop = nullptr;
}

EventLoop& EventLoop::current() {
  return *currentLoop;
}
bool EventLoop::hasCurrent() {
  return currentLoop != nullptr;
}

void EventLoop::send(std::function<void()> call) {
  {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
    woken_ = true;
  }
  wakeup_.notify_one();
}

void EventLoop::post(const Event& event) {
  {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
    woken_ = true;
  }
  wakeup_.notify_one();
}

void EventLoop::wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  wakeup_.notify_one();
}

void EventLoop::setTimer(EventTarget* target, std::chrono::milliseconds interval) {
  std::erase_if(timers_, [&](const Timer& t) { return t.target == target; });
  if (interval.count() > 0)
    timers_.push_back({target, interval, std::chrono::steady_clock::now() + interval});
}

void EventLoop::forget(EventTarget* target) {
  std::erase_if(timers_, [&](const Timer& t) { return t.target == target; });
  std::lock_guard lock(mutex_);
  std::erase_if(events_, [&](const Event& e) { return e.target == target; });
}

bool EventLoop::runCalls() {
  bool ran = false;
  for (;;) {
    std::function<void()> call;
    {
      std::lock_guard lock(mutex_);
      if (calls_.empty()) return ran;
      call = std::move(calls_.front());
      calls_.pop_front();
    }
    call();
    ran = true;
  }
}

void EventLoop::markBegun() {
  if (!ownGate_) return;
  ownGate_->begun();
  ownGate_.reset();
}

std::optional<Event> EventLoop::next() {
  releasePendingStarts();
  markBegun();
  for (;;) {
    runCalls();
    if (stopRequested_) {
      stopRequested_ = false;
      return std::nullopt;
    }
    const auto now = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    if (!events_.empty()) {
      const Event event = events_.front();
      events_.pop_front();
      return event;
    }
    if (!calls_.empty()) continue;
    auto earliest = std::min_element(timers_.begin(), timers_.end(),
                                     [](const Timer& a, const Timer& b) { return a.due < b.due; });
    if (earliest != timers_.end() && earliest->due <= now) {
      earliest->due = now + earliest->interval;
      return Event{earliest->target, 523, 0};
    }
    const auto woken = [&] { return woken_; };
    if (earliest != timers_.end())
      wakeup_.wait_until(lock, earliest->due, woken);
    else
      wakeup_.wait(lock, woken);
    woken_ = false;
  }
}

bool EventLoop::waitUntil(const std::function<bool()>& condition, bool interruptible,
                          std::optional<std::chrono::steady_clock::time_point> deadline) {
  markBegun();
  for (;;) {
    runCalls();
    if (condition()) return true;
    if (interruptible && interrupted()) return false;
    std::unique_lock lock(mutex_);
    if (!calls_.empty()) continue;
    if (woken_) {
      woken_ = false;
      continue;
    }
    if (deadline) {
      if (std::chrono::steady_clock::now() >= *deadline) {
        lock.unlock();
        return condition();
      }
      wakeup_.wait_until(lock, *deadline, [&] { return woken_; });
    } else {
      wakeup_.wait(lock, [&] { return woken_; });
    }
    woken_ = false;
  }
}

void EventLoop::addPendingStart(std::shared_ptr<StartGate> gate) {
  pendingStarts_.push_back(std::move(gate));
}

void EventLoop::releasePendingStarts() {
  for (auto& gate : pendingStarts_) {
    if (lastStarted_)
      lastStarted_->openAfter(gate);
    else
      gate->open();
    lastStarted_ = gate;
  }
  pendingStarts_.clear();
}

bool EventLoop::interrupted() {
  return shutdownInterrupt.load();
}

void EventLoop::interruptAll() {
  shutdownInterrupt.store(true);
  std::lock_guard lock(loopsMutex());
  for (EventLoop* loop : loops()) loop->wake();
}

void EventLoop::clearInterrupt() {
  shutdownInterrupt.store(false);
}

int currentEvent() {
  return currentCode;
}
int acceptedControl() {
  return currentCode == 1 ? currentControl : 0;
}
void setCurrentEvent(int code, int control) {
  currentCode = code;
  currentControl = control;
}

}  // namespace rt
