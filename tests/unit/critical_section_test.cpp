// The critical section: one thread inside at a time, waiting threads get in
// in the order they asked, and two busy threads share the turns.

#include "runtime/critical_section.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

template <typename Condition>
bool eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

TEST(CriticalSectionTest, OnlyOneThreadIsInsideAtATime) {
  rt::CriticalSection section;
  long long total = 0;  // guarded by section only
  int inside = 0;
  int overlaps = 0;
  constexpr int kThreads = 4;
  constexpr int kTurns = 20000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kTurns; ++i) {
        section.enter();
        if (++inside != 1) ++overlaps;
        total += 1;
        --inside;
        section.leave();
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(total, static_cast<long long>(kThreads) * kTurns);
  EXPECT_EQ(overlaps, 0);
  EXPECT_EQ(section.queued(), 0);
}

TEST(CriticalSectionTest, WaitingThreadsEnterInTheOrderTheyAsked) {
  rt::CriticalSection section;
  std::vector<int> order;  // guarded by section
  constexpr int kWaiters = 4;
  section.enter();
  std::vector<std::thread> waiters;
  for (int w = 0; w < kWaiters; ++w) {
    waiters.emplace_back([&, w] {
      section.enter();
      order.push_back(w);
      section.leave();
    });
    // The next waiter starts only once this one has queued.
    EXPECT_TRUE(eventually([&] { return section.queued() == w + 1; }));
  }
  section.leave();
  for (auto& waiter : waiters) waiter.join();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
}

TEST(CriticalSectionTest, AQueuedThreadGetsInBeforeTheLeaverComesBack) {
  rt::CriticalSection section;
  std::vector<char> order;  // guarded by section
  section.enter();
  std::thread waiter([&] {
    section.enter();
    order.push_back('w');
    section.leave();
  });
  EXPECT_TRUE(eventually([&] { return section.queued() == 1; }));
  section.leave();
  section.enter();  // at once: the waiter's turn comes first all the same
  order.push_back('m');
  section.leave();
  waiter.join();
  EXPECT_EQ(order, (std::vector<char>{'w', 'm'}));
}

TEST(CriticalSectionTest, TwoBusyThreadsShareTheTurns) {
  rt::CriticalSection section;
  constexpr int kTurns = 20000;
  int taken = 0;  // guarded by section
  std::uint64_t work = 1;
  int turns[2] = {0, 0};
  std::atomic<int> ready{0};
  auto run = [&](int self) {
    ++ready;
    while (ready.load() < 2) std::this_thread::yield();
    for (;;) {
      section.enter();
      if (taken == kTurns) {
        section.leave();
        return;
      }
      ++taken;
      ++turns[self];
      // Some work inside, so that a thread that lost the processor between
      // two turns costs its partner's share little.
      for (int i = 0; i < 2000; ++i) work = work * 6364136223846793005u + 1442695040888963407u;
      section.leave();
    }
  };
  std::thread first(run, 0);
  std::thread second(run, 1);
  first.join();
  second.join();
  EXPECT_GE(turns[0], kTurns * 3 / 10) << turns[0] << " of " << kTurns;
  EXPECT_GE(turns[1], kTurns * 3 / 10) << turns[1] << " of " << kTurns;
}

}  // namespace
