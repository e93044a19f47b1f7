// A thread's event loop: calls sent from other threads, timer ticks that
// never pile up, waits that keep running calls, and shutdown interrupts.

#include "runtime/event_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "runtime/semaphore.h"
#include "runtime/start.h"
#include "runtime/ui/events.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs body on a program thread and waits for it to finish.
void onProgramThread(const std::function<void()>& body) {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  rt::spawnProgramThread(
      [&] {
        body();
        std::lock_guard lock(mutex);
        finished = true;
        done.notify_one();
      },
      256 * 1024);
  std::unique_lock lock(mutex);
  ASSERT_TRUE(done.wait_for(lock, std::chrono::seconds(60), [&] { return finished; }));
}

}  // namespace

TEST(EventLoop, TicksThatFallDueDuringABusyHandlerComeOnceNotPiledUp) {
  constexpr auto kInterval = std::chrono::milliseconds(10);
  std::vector<Clock::duration> gaps;
  onProgramThread([&] {
    rt::EventLoop& loop = rt::EventLoop::current();
    rt::EventTarget window;
    loop.setTimer(&window, kInterval);
    auto event = loop.next();
    ASSERT_EQ(event->code, rt::ui::kEventTimer);
    // A busy handler: twenty intervals pass before it returns.
    const auto busyUntil = Clock::now() + 20 * kInterval;
    loop.waitUntil([] { return false; }, false, busyUntil);
    Clock::time_point last = Clock::now();
    for (int i = 0; i < 3; ++i) {
      event = loop.next();
      ASSERT_EQ(event->code, rt::ui::kEventTimer);
      const auto now = Clock::now();
      gaps.push_back(now - last);
      last = now;
    }
    loop.forget(&window);
  });
  ASSERT_EQ(gaps.size(), 3u);
  // The first tick was waiting; the ones after it keep their interval
  // instead of arriving back to back.
  EXPECT_GE(gaps[1], kInterval);
  EXPECT_GE(gaps[2], kInterval);
}

TEST(EventLoop, WindowEventsComeBeforeTicksAndForgottenTargetsGetNothing) {
  onProgramThread([] {
    rt::EventLoop& loop = rt::EventLoop::current();
    rt::EventTarget kept, dropped;
    loop.post({&dropped, rt::ui::kEventAccepted, 1});
    loop.post({&kept, rt::ui::kEventAccepted, 2});
    loop.forget(&dropped);
    const auto event = loop.next();
    EXPECT_EQ(event->target, &kept);
    EXPECT_EQ(event->control, 2);
  });
}

TEST(EventLoop, AWaitRunsCallsSentByOtherThreadsAndLeavesEventsQueued) {
  onProgramThread([] {
    rt::EventLoop& loop = rt::EventLoop::current();
    rt::EventTarget window;
    loop.post({&window, rt::ui::kEventAccepted, 3});
    std::atomic<bool> ran{false};
    std::thread other([&] { loop.send([&] { ran = true; }); });
    EXPECT_TRUE(loop.waitUntil([&] { return ran.load(); }, false));
    other.join();
    const auto event = loop.next();
    EXPECT_EQ(event->control, 3);
  });
}

TEST(Semaphore, CountsToItsMaximumAndShutdownInterruptsTheWait) {
  rt::Semaphore semaphore(0, 1);
  semaphore.release();
  semaphore.release();
  EXPECT_EQ(semaphore.count(), 1);
  onProgramThread([&] {
    EXPECT_TRUE(semaphore.wait());
    EXPECT_EQ(semaphore.count(), 0);
    std::thread shutdown([] { rt::EventLoop::interruptAll(); });
    EXPECT_FALSE(semaphore.wait());
    shutdown.join();
  });
  rt::EventLoop::clearInterrupt();
}

TEST(Semaphore, AReleaseFromAnotherThreadLetsOneWaitThrough) {
  rt::Semaphore semaphore(0, 1);
  onProgramThread([&] {
    std::thread releaser([&] { semaphore.release(); });
    EXPECT_TRUE(semaphore.wait());
    releaser.join();
  });
}
