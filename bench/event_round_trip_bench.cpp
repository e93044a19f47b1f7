// An accepted event's round trip from the display side to a handler on a
// program thread's event loop and back, beside a bare condition-variable
// ping-pong between two threads; and how long a started procedure takes to
// begin.

#include <benchmark/benchmark.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "runtime/event_loop.h"
#include "runtime/start.h"
#include "runtime/ui/events.h"

namespace {

// The answer a handler sends back to the display side.
struct Reply {
  std::mutex mutex;
  std::condition_variable changed;
  long answered = 0;

  void give() {
    std::lock_guard lock(mutex);
    ++answered;
    changed.notify_one();
  }
  void await(long count) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return answered >= count; });
  }
};

void EventRoundTrip(benchmark::State& state) {
  Reply reply;
  std::atomic<rt::EventLoop*> loop{nullptr};
  rt::EventTarget target;
  rt::spawnProgramThread(
      [&] {
        rt::EventLoop& own = rt::EventLoop::current();
        loop.store(&own);
        reply.give();
        while (const auto event = own.next()) {
          if (event->code == 0) break;
          reply.give();  // the handler's answer
        }
        reply.give();
      },
      256 * 1024);
  reply.await(1);
  long sent = 1;
  for (auto _ : state) {
    loop.load()->post({&target, rt::ui::kEventAccepted, 1});
    reply.await(++sent);
  }
  loop.load()->post({&target, 0, 0});
  reply.await(sent + 1);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(EventRoundTrip)->UseRealTime();

void BarePingPong(benchmark::State& state) {
  std::mutex mutex;
  std::condition_variable changed;
  long ping = 0, pong = 0;
  bool done = false;
  std::thread peer([&] {
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [&] { return ping > pong || done; });
      if (done) return;
      pong = ping;
      changed.notify_all();
    }
  });
  for (auto _ : state) {
    std::unique_lock lock(mutex);
    ++ping;
    changed.notify_all();
    changed.wait(lock, [&] { return pong == ping; });
  }
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  changed.notify_all();
  peer.join();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BarePingPong)->UseRealTime();

void StartToBegin(benchmark::State& state) {
  Reply begun;
  long count = 0;
  for (auto _ : state) {
    rt::start([&] { begun.give(); }, 25000);
    begun.await(++count);
  }
  rt::waitForStartedThreads();
}
BENCHMARK(StartToBegin)->UseRealTime();

}  // namespace
