// The process-wide random sequence: draws stay in range, a seed fixes the
// sequence, and concurrent draws share it out without losing or repeating.

#include "runtime/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <set>
#include <thread>
#include <vector>

namespace {

TEST(RandomTest, DrawsStayInRangeAndCoverSmallRanges) {
  struct Case {
    int lo;
    int hi;
  };
  const Case cases[] = {
      {1, 100},
      {5, 5},
      {-3, 3},
      {0, 1},
      {INT_MIN, INT_MIN},
      {INT_MAX - 2, INT_MAX},
      {INT_MIN, INT_MIN + 2},
      {INT_MIN, INT_MAX},
      {10, 1},
  };
  rt::seedRandom(7);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lo << ".." << c.hi);
    const int low = std::min(c.lo, c.hi);
    const int high = std::max(c.lo, c.hi);
    const auto span = static_cast<std::int64_t>(high) - low + 1;
    std::set<int> seen;
    for (int i = 0; i < 20000; ++i) {
      const int drawn = rt::random(c.lo, c.hi);
      ASSERT_GE(drawn, low);
      ASSERT_LE(drawn, high);
      seen.insert(drawn);
    }
    if (span <= 100) {
      EXPECT_EQ(static_cast<std::int64_t>(seen.size()), span);
    } else {
      EXPECT_GT(seen.size(), 19000u);  // 20,000 draws from 2^32 values barely repeat
    }
  }
}

std::vector<int> draws(std::uint32_t seed, int n) {
  rt::seedRandom(seed);
  std::vector<int> result;
  for (int i = 0; i < n; ++i) result.push_back(rt::random(INT_MIN, INT_MAX));
  return result;
}

TEST(RandomTest, ASeedFixesTheSequence) {
  EXPECT_EQ(draws(12345, 1000), draws(12345, 1000));
  EXPECT_NE(draws(12345, 1000), draws(12346, 1000));
}

TEST(RandomTest, ConcurrentDrawsShareOutTheOneSequence) {
  constexpr int kThreads = 4;
  constexpr int kEach = 100000;
  std::vector<int> expected = draws(99, kThreads * kEach);

  rt::seedRandom(99);
  std::vector<std::vector<int>> drawn(kThreads);
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (auto& mine : drawn) {
    threads.emplace_back([&mine, &ready] {
      ++ready;
      while (ready.load() < kThreads) std::this_thread::yield();
      for (int i = 0; i < kEach; ++i) mine.push_back(rt::random(INT_MIN, INT_MAX));
    });
  }
  for (auto& thread : threads) thread.join();

  std::vector<int> all;
  for (const auto& mine : drawn) all.insert(all.end(), mine.begin(), mine.end());
  std::sort(all.begin(), all.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(all, expected);
}

}  // namespace
