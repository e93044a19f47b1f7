// The critical section: one thread inside at a time, waiting threads get in
// in the order they asked, and a queued thread is never overtaken. How the
// turns split between busy threads is measured by lumo_bench (share_min).

#include "runtime/critical_section.h"

#include <gtest/gtest.h>

#include <chrono>
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

}  // namespace
