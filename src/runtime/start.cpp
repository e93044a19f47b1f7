#include "runtime/start.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "runtime/event_loop.h"
#include "runtime/thread_values.h"

#ifndef LUMO_STACK_SCALE
#define LUMO_STACK_SCALE 1
#endif

namespace rt {
namespace {

// How many started threads run. Never destroyed: a detached thread may
// still be leaving these while the process exits.
struct Running {
  std::mutex mutex;
  std::condition_variable changed;
  int count = 0;
};

Running& running() {
  static auto* instance = new Running;
  return *instance;
}

void countStarted(int change) {
  Running& r = running();
  std::lock_guard lock(r.mutex);
  r.count += change;
  r.changed.notify_all();
}

struct ThreadStart {
  std::function<void()> body;
  std::function<void()> ended;
  bool counted = false;  // made by start(): waitForStartedThreads() waits for it
  std::mutex mutex;
  std::condition_variable ready;
  bool isReady = false;
};

// Everything a new thread does before and after its body.
void* threadMain(void* argument) {
  auto* start = static_cast<ThreadStart*>(argument);
  std::function<void()> body = std::move(start->body);
  std::function<void()> ended = std::move(start->ended);
  const bool counted = start->counted;
  {
    ThreadValuesScope values;
    auto loop = std::make_unique<EventLoop>();
    {
      std::lock_guard lock(start->mutex);
      start->isReady = true;
      start->ready.notify_one();  // under the lock: start is gone once the starter returns
    }
    body();
    body = nullptr;
  }
  if (counted) countStarted(-1);
  if (ended) ended();
  return nullptr;
}

std::size_t stackSize(std::size_t requested) {
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  std::size_t bytes = std::max(requested, kMinimumStack) * LUMO_STACK_SCALE;
  bytes = std::max<std::size_t>(bytes, PTHREAD_STACK_MIN);
  return (bytes + page - 1) / page * page;
}

bool spawn(std::function<void()> body, std::size_t stackBytes, bool counted,
           std::function<void()> ended = {}) {
  ThreadStart start;
  start.body = std::move(body);
  start.ended = std::move(ended);
  start.counted = counted;
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  pthread_t thread;
  int error = EINVAL;
  // The system keeps a thread's static TLS inside its stack; if the size
  // asked for leaves no room for it, grow the stack until it fits.
  for (std::size_t size = stackSize(stackBytes); error == EINVAL && size <= (1u << 24); size *= 2) {
    pthread_attr_setstacksize(&attributes, size);
    error = pthread_create(&thread, &attributes, threadMain, &start);
  }
  pthread_attr_destroy(&attributes);
  if (error != 0) return false;
  std::unique_lock lock(start.mutex);
  start.ready.wait(lock, [&] { return start.isReady; });
  return true;
}

}  // namespace

void StartGate::waitOpen() {
  std::unique_lock lock(mutex_);
  opened_.wait(lock, [&] { return open_; });
}

void StartGate::begun() {
  std::shared_ptr<StartGate> next;
  {
    std::lock_guard lock(mutex_);
    if (begun_) return;
    begun_ = true;
    next = std::move(successor_);
  }
  if (next) next->open();
}

void StartGate::open() {
  std::lock_guard lock(mutex_);
  open_ = true;
  opened_.notify_one();
}

void StartGate::openAfter(std::shared_ptr<StartGate> next) {
  {
    std::lock_guard lock(mutex_);
    if (!begun_) {
      successor_ = std::move(next);
      return;
    }
  }
  next->open();
}

bool start(Procedure procedure, std::size_t stackBytes) {
  auto gate = std::make_shared<StartGate>();
  countStarted(+1);
  const bool started = spawn(
      [procedure = std::move(procedure), gate] {
        gate->waitOpen();
        EventLoop::current().setStartGate(gate);
        procedure();
        // Procedures this thread started and that have not begun yet begin
        // now that it ends, and so does the one started after it.
        EventLoop::current().releasePendingStarts();
        gate->begun();
      },
      stackBytes, true);
  if (!started) {
    countStarted(-1);
    return false;
  }
  if (EventLoop::hasCurrent())
    EventLoop::current().addPendingStart(gate);
  else
    gate->open();
  return true;
}

void waitForStartedThreads() {
  Running& r = running();
  std::unique_lock lock(r.mutex);
  r.changed.wait(lock, [&] { return r.count == 0; });
}

int startedThreadsRunning() {
  Running& r = running();
  std::lock_guard lock(r.mutex);
  return r.count;
}

bool spawnProgramThread(std::function<void()> body, std::size_t stackBytes,
                        std::function<void()> ended) {
  return spawn(std::move(body), stackBytes, false, std::move(ended));
}

}  // namespace rt
