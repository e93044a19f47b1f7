#pragma once
// Hands work from other threads to the display thread: a locked FIFO of
// tasks of our own, drained on the display thread once it is woken. The
// wake-up is a write to an event counter that the display thread's event
// loop watches, so nothing of Qt's crosses threads. A caller that needs the
// answer blocks on a condition variable of its own until its task has run;
// the display thread never waits.

#include <QSocketNotifier>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <variant>

namespace rt::qt {

// A piece of work for the display thread. It must stay alive until run()
// has been called; the queue links tasks through them, so posting allocates
// nothing.
class DisplayTask {
 public:
  virtual void run() = 0;

 protected:
  ~DisplayTask() = default;

 private:
  friend class DisplayQueue;
  DisplayTask* next_ = nullptr;
};

class DisplayQueue {
 public:
  // Made on the display thread, which then runs every task.
  DisplayQueue();
  ~DisplayQueue();
  DisplayQueue(const DisplayQueue&) = delete;
  DisplayQueue& operator=(const DisplayQueue&) = delete;

  bool onDisplayThread() const { return std::this_thread::get_id() == displayThread_; }

  // Queues task and wakes the display thread; returns at once.
  void post(DisplayTask& task);

  // Runs work on the display thread and returns its result, blocking until
  // then. On the display thread itself it runs at once.
  template <typename F>
  std::invoke_result_t<F&> call(F&& work);

 private:
  template <typename F, typename R>
  class CallTask;

  void wake();
  void drain();

  const std::thread::id displayThread_;
  const int wakeFd_;              // an eventfd: readable while a wake-up is pending
  QSocketNotifier wakeNotifier_;  // on the display thread: drains when woken
  std::mutex mutex_;
  DisplayTask* head_ = nullptr;
  DisplayTask* tail_ = nullptr;
  bool wakePending_ = false;
};

// One blocking call: the caller waits on it, the display thread runs it.
template <typename F, typename R>
class DisplayQueue::CallTask final : public DisplayTask {
 public:
  explicit CallTask(F& work) : work_(work) {}

  void run() override {
    if constexpr (std::is_void_v<R>)
      work_();
    else
      result_.emplace(work_());
    // Notify while holding the lock: the caller may free this task as soon
    // as it can take the lock again.
    std::lock_guard lock(mutex_);
    done_ = true;
    ran_.notify_one();
  }

  R wait() {
    std::unique_lock lock(mutex_);
    ran_.wait(lock, [this] { return done_; });
    if constexpr (!std::is_void_v<R>) return std::move(*result_);
  }

 private:
  F& work_;
  std::conditional_t<std::is_void_v<R>, std::monostate, std::optional<R>> result_;
  std::mutex mutex_;
  std::condition_variable ran_;
  bool done_ = false;
};

template <typename F>
std::invoke_result_t<F&> DisplayQueue::call(F&& work) {
  using R = std::invoke_result_t<F&>;
  if (onDisplayThread()) return work();
  CallTask<std::remove_reference_t<F>, R> task(work);
  post(task);
  return task.wait();
}

}  // namespace rt::qt
