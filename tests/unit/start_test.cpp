// The start service: a started procedure begins only after the starting
// handler has returned and its loop waits again, procedures started by one
// thread begin in order, and every thread has its own values.

#include "runtime/start.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/event_loop.h"
#include "runtime/thread_values.h"

namespace {

// What the threads of a test did, in order.
class Log {
 public:
  void add(std::string entry) {
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
    changed_.notify_all();
  }
  std::vector<std::string> waitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(60), [&] { return entries_.size() >= count; });
    return entries_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> entries_;
};

rt::EventTarget handlerTarget;

}  // namespace

TEST(StartService, ProceduresBeginAfterTheHandlerReturnsInTheOrderStarted) {
  Log log;
  ASSERT_TRUE(rt::spawnProgramThread(
      [&] {
        rt::EventLoop& loop = rt::EventLoop::current();
        loop.post({&handlerTarget, 1, 0});
        if (!loop.next()) return;
        // The handler of that event starts three procedures.
        for (int i = 1; i <= 3; ++i)
          rt::start([&log, i] { log.add("procedure " + std::to_string(i)); }, 25000);
        log.add("handler returned");
        loop.post({&handlerTarget, 0, 0});
        loop.next();  // the loop waits again: the procedures may begin
      },
      256 * 1024));
  EXPECT_THAT(log.waitFor(4), testing::ElementsAre("handler returned", "procedure 1", "procedure 2",
                                                   "procedure 3"));
  rt::waitForStartedThreads();
  EXPECT_EQ(rt::startedThreadsRunning(), 0);
}

TEST(StartService, ProceduresBeginWhenTheStartingThreadEnds) {
  Log log;
  rt::spawnProgramThread(
      [&] {
        rt::start([&log] { log.add("started"); }, 25000);
        log.add("starter ends");
      },
      256 * 1024);
  EXPECT_THAT(log.waitFor(2), testing::ElementsAre("starter ends", "started"));
  rt::waitForStartedThreads();
}

TEST(StartService, EveryThreadHasFreshValuesOfItsOwn) {
  Log log;
  rt::threadValues().request = 7;
  for (int i = 0; i < 2; ++i)
    rt::start(
        [&log] {
          rt::ThreadValues& values = rt::threadValues();
          log.add(std::to_string(values.request) + "/" + std::to_string(values.response) + "/" +
                  std::to_string(values.errors.names().size()));
          values.response = 9;
          values.errors.pushName("X");
        },
        25000);
  EXPECT_THAT(log.waitFor(2), testing::ElementsAre("0/0/0", "0/0/0"));
  rt::waitForStartedThreads();
  EXPECT_EQ(rt::threadValues().request, 7);
}

TEST(StartService, SmallStacksAreRaisedAndManyThreadsRunAtOnce) {
  Log log;
  std::mutex mutex;
  std::condition_variable release;
  bool go = false;
  constexpr int kThreads = 64;
  for (int i = 0; i < kThreads; ++i)
    ASSERT_TRUE(rt::start(
        [&] {
          log.add("up");
          std::unique_lock lock(mutex);
          release.wait(lock, [&] { return go; });
        },
        1000));
  EXPECT_EQ(log.waitFor(kThreads).size(), static_cast<std::size_t>(kThreads));
  EXPECT_EQ(rt::startedThreadsRunning(), kThreads);
  {
    std::lock_guard lock(mutex);
    go = true;
  }
  release.notify_all();
  rt::waitForStartedThreads();
}
