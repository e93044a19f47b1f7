#pragma once
// Every program thread has one event loop. It holds the events of the
// thread's windows (posted from the display side), the timer ticks of those
// windows, and calls sent to the thread by other threads. A thread takes its
// next event with next(); while it waits for anything else (a message box,
// a semaphore, the named mutex) it uses waitUntil(), which keeps running the
// calls sent to it but leaves window events queued.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace rt {

class StartGate;

// Whatever events are addressed to: a window, to the loop.
class EventTarget {
 public:
  virtual ~EventTarget() = default;
};

struct Event {
  EventTarget* target = nullptr;
  int code = 0;
  int control = 0;
};

class EventLoop {
 public:
  EventLoop();
  ~EventLoop();
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  // The calling thread's loop; every thread made by the runtime has one.
  static EventLoop& current();
  static bool hasCurrent();

  // Thread-safe: run call on this loop's thread, between events.
  void send(std::function<void()> call);
  // Thread-safe: queue an event.
  void post(const Event& event);
  // Wakes a waitUntil() so it checks its condition again.
  void wake();

  // A timer event for target every interval; ticks never overlap and never
  // pile up: a tick that falls due while the thread is busy waits as one
  // event, and the next one is due an interval after it was taken.
  void setTimer(EventTarget* target, std::chrono::milliseconds interval);
  // Forgets target: its timer and every queued event for it.
  void forget(EventTarget* target);

  // The next event; runs sent calls meanwhile. Procedures started by this
  // thread since it last waited begin first. stop() (from this thread, e.g.
  // from a sent call) makes it return nothing.
  std::optional<Event> next();
  void stop() { stopRequested_ = true; }

  // Waits until condition() holds (true), or until the deadline passes or,
  // when interruptible, the program shuts down (false). Runs sent calls
  // meanwhile; window events stay queued.
  bool waitUntil(const std::function<bool()>& condition, bool interruptible,
                 std::optional<std::chrono::steady_clock::time_point> deadline = std::nullopt);

  // Start service: a procedure started from this thread, to begin in order
  // once this thread waits again or ends.
  void addPendingStart(std::shared_ptr<StartGate> gate);
  void releasePendingStarts();
  // The gate this thread's procedure came through: the first wait marks
  // the procedure as begun.
  void setStartGate(std::shared_ptr<StartGate> gate) { ownGate_ = std::move(gate); }

  // Shutdown: every interruptible wait of every loop returns false from now
  // on, until the next program run clears it.
  static void interruptAll();
  static void clearInterrupt();

 private:
  struct Timer {
    EventTarget* target;
    std::chrono::milliseconds interval;
    std::chrono::steady_clock::time_point due;
  };
  bool runCalls();
  void markBegun();
  static bool interrupted();

  std::mutex mutex_;
  std::condition_variable wakeup_;
  bool woken_ = false;
  std::deque<std::function<void()>> calls_;
  std::deque<Event> events_;
  std::vector<Timer> timers_;                              // touched only by the owning thread
  std::vector<std::shared_ptr<StartGate>> pendingStarts_;  // owning thread only
  std::shared_ptr<StartGate> lastStarted_;
  std::shared_ptr<StartGate> ownGate_;
  bool stopRequested_ = false;
};

// The calling thread's current event code (0 when none) and the control
// behind the current accepted event (0 for any other event).
int currentEvent();
int acceptedControl();
void setCurrentEvent(int code, int control);

}  // namespace rt
