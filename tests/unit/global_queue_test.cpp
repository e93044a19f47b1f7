// GlobalQueue with the program's record: packed decimals, field cutting, the
// refill, the list source, and what writers do to the rows when they
// interleave. Interleavings are forced with step hooks, never left to luck.

#include "state/global_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "runtime/error_code.h"
#include "runtime/random.h"
#include "state/queue_lock.h"
#include "state/queue_writes.h"

namespace {

using lumo::GlobalQueue;
using Step = rt::RecordQueue::Step;
using namespace std::chrono_literals;

constexpr auto kPatience = 60s;

struct Row {
  std::int64_t c0;
  std::string c1;
  std::string c2;
  bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << "{" << row.c0 << ", \"" << row.c1 << "\", \"" << row.c2 << "\"}";
}

Row rowNumber(int i) {
  return {i, "Test " + std::to_string(i), "TEST " + std::to_string(i)};
}

Row asRow(const std::vector<rt::ui::FieldValue>& fields) {
  const auto* c0 = std::get_if<std::int64_t>(&fields.at(0));
  return {c0 ? *c0 : -1, std::get<std::string>(fields.at(1)), std::get<std::string>(fields.at(2))};
}

// The rows as a viewer sees them.
std::vector<Row> rows() {
  lumo::QueueListSource source(GlobalQueue);
  std::vector<rt::ui::FieldValue> fields;
  std::vector<Row> result;
  for (int n = 1; n <= source.count(); ++n) {
    source.line(n, fields);
    result.push_back(asRow(fields));
  }
  return result;
}

std::vector<Row> refilledRows() {
  std::vector<Row> result;
  for (int i = 1; i <= lumo::kQueueRows; ++i) result.push_back(rowNumber(i));
  return result;
}

// A seed whose first two draws of random(1, 100) satisfy wanted.
template <typename Wanted>
std::uint32_t seedWhere(Wanted wanted) {
  for (std::uint32_t seed = 1; seed < 100000; ++seed) {
    rt::seedRandom(seed);
    const int first = rt::random(1, lumo::kQueueRows);
    const int second = rt::random(1, lumo::kQueueRows);
    if (wanted(first, second)) {
      rt::seedRandom(seed);
      return seed;
    }
  }
  ADD_FAILURE() << "no seed gives the wanted draws";
  return 0;
}

std::pair<int, int> firstTwoDraws(std::uint32_t seed) {
  rt::seedRandom(seed);
  const int first = rt::random(1, lumo::kQueueRows);
  const int second = rt::random(1, lumo::kQueueRows);
  rt::seedRandom(seed);
  return {first, second};
}

// Parks a marked thread the nth time it reaches one step of GlobalQueue,
// until release(). Threads mark themselves with markThisThread().
class Pause {
 public:
  explicit Pause(Step step, int nth = 1) : step_(step), nth_(nth) {
    GlobalQueue.setStepHook([this](Step s) { onStep(s); });
  }
  ~Pause() { GlobalQueue.setStepHook({}); }  // after the threads have ended

  static void markThisThread() { marked_ = true; }

  bool waitParked() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kPatience, [&] { return parked_; });
  }
  void release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

 private:
  void onStep(Step step) {
    if (!marked_ || step != step_) return;
    std::unique_lock lock(mutex_);
    if (++seen_ != nth_) return;
    parked_ = true;
    changed_.notify_all();
    changed_.wait(lock, [&] { return released_; });
  }

  static inline thread_local bool marked_ = false;
  const Step step_;
  const int nth_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int seen_ = 0;
  bool parked_ = false;
  bool released_ = false;
};

template <typename Condition>
bool eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

// "prefix" followed by a row number 1..100, or -1.
int rowIn(std::string_view prefix, std::string_view text) {
  if (text.substr(0, prefix.size()) != prefix) return -1;
  text.remove_prefix(prefix.size());
  int n = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  const bool whole = error == std::errc() && end == text.data() + text.size();
  return whole && n >= 1 && n <= lumo::kQueueRows ? n : -1;
}

// Each field holds some row's value, though maybe not all the same row's.
bool hasRecordShape(const Row& row) {
  return row.c0 >= 1 && row.c0 <= lumo::kQueueRows && rowIn("Test ", row.c1) > 0 &&
         rowIn("TEST ", row.c2) > 0;
}

class GlobalQueueTest : public ::testing::Test {
 protected:
  void SetUp() override { lumo::refillGlobalQueue(); }
};

TEST(PackedDecimalTest, EncodesSignNibbleAndFifteenDigits) {
  struct Case {
    std::int64_t value;
    lumo::PackedDecimal packed;
  };
  const Case cases[] = {
      {0, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
      {7, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07}},
      {100, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00}},
      {1234567, {0x00, 0x00, 0x00, 0x00, 0x01, 0x23, 0x45, 0x67}},
      {-1234567, {0xF0, 0x00, 0x00, 0x00, 0x01, 0x23, 0x45, 0x67}},
      {-1, {0xF0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}},
      {lumo::kC0Max, {0x09, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99}},
      {-lumo::kC0Max, {0xF9, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99}},
      {100'000'000'000'000, {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(lumo::packDecimal(c.value), c.packed);
    EXPECT_EQ(lumo::unpackDecimal(c.packed), c.value);
  }
}

TEST(PackedDecimalTest, ValuesBeyondFifteenDigitsKeepTheirLowestDigits) {
  const std::int64_t cases[][2] = {
      {lumo::kC0Max + 1, 0},
      {1'000'000'000'000'007, 7},
      {-1'000'000'000'000'007, -7},
      {std::numeric_limits<std::int64_t>::max(), 372'036'854'775'807},
      {std::numeric_limits<std::int64_t>::min(), -372'036'854'775'808},
  };
  for (const auto& [value, kept] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(lumo::unpackDecimal(lumo::packDecimal(value)), kept);
  }
}

TEST_F(GlobalQueueTest, FieldsAreCutToTheirSizeAndC2IsBlankPadded) {
  const std::string longText(250, 'x');
  lumo::setC0(GlobalQueue, -42);
  lumo::setC1(GlobalQueue, longText);
  lumo::setC2(GlobalQueue, longText);
  EXPECT_EQ(lumo::getC0(GlobalQueue), -42);
  EXPECT_EQ(lumo::getC1(GlobalQueue), longText.substr(0, 19));
  EXPECT_EQ(lumo::getC2(GlobalQueue), longText.substr(0, 200));

  lumo::setC1(GlobalQueue, "ab");
  lumo::setC2(GlobalQueue, "ab");
  EXPECT_EQ(lumo::getC1(GlobalQueue), "ab");
  EXPECT_EQ(lumo::getC2(GlobalQueue), "ab" + std::string(198, ' '));
  EXPECT_EQ(lumo::getC0(GlobalQueue), -42);  // neighbours untouched

  lumo::clearBuffer(GlobalQueue);
  EXPECT_EQ(lumo::getC0(GlobalQueue), 0);
  EXPECT_EQ(lumo::getC1(GlobalQueue), "");
  EXPECT_EQ(lumo::getC2(GlobalQueue), std::string(200, ' '));
}

TEST_F(GlobalQueueTest, RefillGivesRowsOneToHundredWithEntryHundredCurrent) {
  ASSERT_EQ(GlobalQueue.count(), 100);
  EXPECT_EQ(GlobalQueue.current(), 100);

  // Reading past the end leaves the buffer and the current entry.
  EXPECT_FALSE(GlobalQueue.read(101));
  EXPECT_EQ(rt::errorCode(), rt::kErrorEntryNotFound);
  EXPECT_EQ(lumo::getC0(GlobalQueue), 100);
  EXPECT_EQ(GlobalQueue.current(), 100);

  for (int i = 1; i <= 100; ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(GlobalQueue.read(i));
    EXPECT_EQ(lumo::getC0(GlobalQueue), i);
    EXPECT_EQ(lumo::getC1(GlobalQueue), "Test " + std::to_string(i));
    const std::string c2 = "TEST " + std::to_string(i);
    EXPECT_EQ(lumo::getC2(GlobalQueue), c2 + std::string(200 - c2.size(), ' '));
  }
}

TEST_F(GlobalQueueTest, WriteBackRightAfterClearWritesNothing) {
  GlobalQueue.clear();
  const std::uint64_t changes = GlobalQueue.changeCount();
  lumo::setC0(GlobalQueue, 555);
  EXPECT_FALSE(GlobalQueue.writeBack());
  EXPECT_EQ(rt::errorCode(), rt::kErrorEntryNotFound);
  EXPECT_EQ(GlobalQueue.changeCount(), changes);
  EXPECT_EQ(GlobalQueue.count(), 0);

  lumo::refillGlobalQueue();  // the old entries did not take the buffer either
  EXPECT_EQ(rows(), refilledRows());
}

TEST_F(GlobalQueueTest, ListSourceReadsThroughTheViewBufferOnly) {
  GlobalQueue.read(42);
  lumo::QueueListSource source(GlobalQueue);
  EXPECT_EQ(source.count(), 100);
  EXPECT_EQ(source.changeCount(), GlobalQueue.changeCount());
  EXPECT_EQ(rows(), refilledRows());

  std::vector<rt::ui::FieldValue> fields;
  for (int outside : {0, 101, -1}) {
    source.line(outside, fields);
    EXPECT_EQ(fields, std::vector<rt::ui::FieldValue>(3, std::string()));
  }
  // Viewing moved neither the current entry nor the shared buffer.
  EXPECT_EQ(GlobalQueue.current(), 42);
  EXPECT_EQ(lumo::getC1(GlobalQueue), "Test 42");
}

TEST_F(GlobalQueueTest, UnlockedPairSplitByAnotherWriterTakesThatWritersRow) {
  const auto [first, second] = firstTwoDraws(seedWhere([](int a, int b) { return a != b; }));
  Pause pause(Step::ReadCurrent);
  // The first writer has its row in the buffer, not yet current, when the
  // second runs a whole pair; its write-back then copies the second's row.
  std::thread parked([] {
    Pause::markThisThread();
    lumo::unsafePass(1);
  });
  const bool parkedInRead = pause.waitParked();
  EXPECT_TRUE(parkedInRead);
  std::thread([] { lumo::unsafePass(1); }).join();
  pause.release();
  parked.join();

  std::vector<Row> expected = refilledRows();
  expected[first - 1] = rowNumber(second);
  EXPECT_EQ(rows(), expected);
}

TEST_F(GlobalQueueTest, LockedPairsAreNeverSplit) {
  seedWhere([](int a, int b) { return a != b; });
  Pause pause(Step::ReadCurrent);
  std::thread parked([] {
    Pause::markThisThread();
    lumo::safePass(1);
  });
  const bool parkedInRead = pause.waitParked();
  EXPECT_TRUE(parkedInRead);
  std::thread second([] { lumo::safePass(1); });
  EXPECT_TRUE(eventually([] { return lumo::QueueLock.queued() == 1; }));
  pause.release();
  parked.join();
  second.join();

  EXPECT_EQ(rows(), refilledRows());
}

TEST_F(GlobalQueueTest, RefillWhileAWriterIsMidPairLeavesAUsableQueue) {
  const int drawn = firstTwoDraws(seedWhere([](int a, int) { return a != 100; })).first;
  Pause pause(Step::ReadCurrent);
  std::thread parked([] {
    Pause::markThisThread();
    lumo::unsafePass(1);
  });
  const bool parkedInRead = pause.waitParked();
  EXPECT_TRUE(parkedInRead);
  lumo::refillGlobalQueue();  // leaves row 100 in the buffer
  pause.release();
  parked.join();

  std::vector<Row> expected = refilledRows();
  expected[drawn - 1] = rowNumber(100);
  EXPECT_EQ(rows(), expected);
  lumo::safePass(1000);
  EXPECT_EQ(rows(), expected);
}

TEST_F(GlobalQueueTest, WriterDuringAShortRefillRewritesTheCurrentEntry) {
  // The refill stops with 50 entries, row 51 already in the buffer; the
  // writer draws a row above the count, reads nothing, and writes row 51's
  // values back into the current entry, 50.
  seedWhere([](int a, int) { return a > 50; });
  Pause pause(Step::AppendCount, 51);
  std::thread refill([] {
    Pause::markThisThread();
    lumo::refillGlobalQueue();
  });
  const bool parkedInAppend = pause.waitParked();
  EXPECT_TRUE(parkedInAppend);
  EXPECT_EQ(GlobalQueue.count(), 50);
  std::thread([] { lumo::unsafePass(1); }).join();
  pause.release();
  refill.join();

  std::vector<Row> expected = refilledRows();
  expected[49] = rowNumber(51);
  EXPECT_EQ(rows(), expected);
}

TEST_F(GlobalQueueTest, LockedWritersTogetherLeaveEveryRowAsItWas) {
  std::vector<std::thread> writers;
  for (int i = 0; i < 3; ++i) writers.emplace_back([] { lumo::safePass(20000); });
  for (auto& writer : writers) writer.join();
  EXPECT_EQ(rows(), refilledRows());
}

TEST_F(GlobalQueueTest, AllWritersRefillAndViewerTogetherKeepTheRecordShape) {
  std::atomic<int> badLines{0};
  std::vector<std::thread> threads;
  for (int i = 0; i < 2; ++i) {
    threads.emplace_back([] { lumo::unsafePass(20000); });
    threads.emplace_back([] { lumo::safePass(20000); });
  }
  threads.emplace_back([] {
    for (int i = 0; i < 20; ++i) lumo::refillGlobalQueue();
  });
  threads.emplace_back([&badLines] {
    lumo::QueueListSource source(GlobalQueue);
    std::vector<rt::ui::FieldValue> fields;
    const std::vector<rt::ui::FieldValue> empty(3, std::string());
    for (int sweep = 0; sweep < 50; ++sweep) {
      for (int n = 1; n <= source.count(); ++n) {
        source.line(n, fields);  // empty when a refill has just cleared
        if (fields != empty && !hasRecordShape(asRow(fields))) ++badLines;
      }
    }
  });
  for (auto& thread : threads) thread.join();

  EXPECT_EQ(badLines.load(), 0);
  const std::vector<Row> after = rows();
  EXPECT_EQ(after.size(), 100u);
  for (const Row& row : after) EXPECT_TRUE(hasRecordShape(row)) << row;
}

}  // namespace
