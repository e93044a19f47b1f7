#pragma once
// The start service: runs a procedure on a new thread of its own. start()
// returns once the thread has its event loop and its per-thread values; the
// procedure begins only when the starting thread's current handler has
// returned and its loop waits again (or the starting thread ends), and the
// procedures one thread starts begin in the order in which it started them.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>

namespace rt {

using Procedure = std::function<void()>;

// Requests below this are raised to it.
inline constexpr std::size_t kMinimumStack = 20000;

// False only when the system refused to create the thread.
bool start(Procedure procedure, std::size_t stackBytes);

// Blocks until every thread made by start() has ended.
void waitForStartedThreads();
// How many threads made by start() are still running.
int startedThreadsRunning();

// Runs body on a new thread with its own event loop and per-thread values,
// outside the start service's count (the program main thread). ended runs
// last on that thread, once its loop and values are gone.
bool spawnProgramThread(std::function<void()> body, std::size_t stackBytes,
                        std::function<void()> ended = {});

// When a started procedure may begin. Opened by the starting thread, or by
// the procedure started just before it from the same thread once that one
// has begun (its loop first waits, or it ends), so that procedures begin,
// and open their windows, in the order they were started.
class StartGate {
 public:
  void waitOpen();
  void open();
  void begun();  // opens the successor, now or when it is known
  // Opens next now if this procedure has begun, else once it has.
  void openAfter(std::shared_ptr<StartGate> next);

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
  bool begun_ = false;
  std::shared_ptr<StartGate> successor_;
};

}  // namespace rt
