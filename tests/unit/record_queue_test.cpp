// The record queue on its own: the effect of every operation on the buffer,
// the current entry, the entries, the change count and the error code, and
// byte access to fields that straddle storage words.

#include "runtime/record_queue.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "runtime/error_code.h"

namespace {

using rt::RecordQueue;

// 13 bytes: not a whole number of storage words.
constexpr std::size_t kBytes = 13;
constexpr int kUntouched = 99;  // error code planted before each operation

void fillBuffer(RecordQueue& queue, unsigned char tag) {
  const std::vector<unsigned char> bytes(kBytes, tag);
  queue.setBuffer(0, bytes);
}

// The tag of a record whose bytes all hold it, or -1 for a mixed record.
int tagOf(const std::vector<unsigned char>& bytes) {
  for (unsigned char b : bytes) {
    if (b != bytes.front()) return -1;
  }
  return bytes.front();
}

int bufferTag(const RecordQueue& queue) {
  std::vector<unsigned char> bytes(kBytes);
  queue.getBuffer(0, bytes);
  return tagOf(bytes);
}

int viewTag(const RecordQueue& queue) {
  std::vector<unsigned char> bytes(kBytes);
  queue.getView(0, bytes);
  return tagOf(bytes);
}

std::vector<int> entryTags(RecordQueue& queue) {
  std::vector<int> tags;
  for (int n = 1; n <= queue.count(); ++n) {
    queue.view(n);
    tags.push_back(viewTag(queue));
  }
  return tags;
}

struct OperationCase {
  const char* name;
  int currentBefore;  // entry made current before the operation; 0: none
  std::function<int(RecordQueue&)> operation;
  int result;
  int errorCode;
  int buffer;  // tag the shared buffer holds afterwards
  int view;    // tag the view buffer holds afterwards
  int current;
  std::vector<int> entries;
  int changes;  // growth of the change count
};

// Every case starts from entries tagged 1, 2, 3, the buffer tagged 9 and the
// view buffer holding entry 3.
const OperationCase kOperations[] = {
    {"clear",
     2,
     [](RecordQueue& q) {
       q.clear();
       return 1;
     },
     1,
     0,
     9,
     3,
     0,
     {},
     1},
    {"append", 2, [](RecordQueue& q) { return int{q.append()}; }, 1, 0, 9, 3, 4, {1, 2, 3, 9}, 1},
    {"read first", 3, [](RecordQueue& q) { return int{q.read(1)}; }, 1, 0, 1, 3, 1, {1, 2, 3}, 0},
    {"read last", 1, [](RecordQueue& q) { return int{q.read(3)}; }, 1, 0, 3, 3, 3, {1, 2, 3}, 0},
    {"read past the end",
     2,
     [](RecordQueue& q) { return int{q.read(4)}; },
     0,
     30,
     9,
     3,
     2,
     {1, 2, 3},
     0},
    {"read negative",
     2,
     [](RecordQueue& q) { return int{q.read(-1)}; },
     0,
     30,
     9,
     3,
     2,
     {1, 2, 3},
     0},
    {"read 0 drops the current entry",
     2,
     [](RecordQueue& q) { return int{q.read(0)}; },
     0,
     30,
     9,
     3,
     0,
     {1, 2, 3},
     0},
    {"write-back",
     2,
     [](RecordQueue& q) { return int{q.writeBack()}; },
     1,
     0,
     9,
     3,
     2,
     {1, 9, 3},
     1},
    {"write-back without current entry",
     0,
     [](RecordQueue& q) { return int{q.writeBack()}; },
     0,
     30,
     9,
     3,
     0,
     {1, 2, 3},
     0},
    {"count", 2, [](RecordQueue& q) { return q.count(); }, 3, kUntouched, 9, 3, 2, {1, 2, 3}, 0},
    {"view",
     2,
     [](RecordQueue& q) { return int{q.view(1)}; },
     1,
     kUntouched,
     9,
     1,
     2,
     {1, 2, 3},
     0},
    {"view past the end",
     2,
     [](RecordQueue& q) { return int{q.view(4)}; },
     0,
     kUntouched,
     9,
     3,
     2,
     {1, 2, 3},
     0},
};

TEST(RecordQueueTest, OperationsHaveTheirEffectsAndNoOthers) {
  for (const OperationCase& c : kOperations) {
    SCOPED_TRACE(c.name);
    RecordQueue queue(kBytes);
    for (unsigned char tag = 1; tag <= 3; ++tag) {
      fillBuffer(queue, tag);
      queue.append();
    }
    queue.read(c.currentBefore);
    queue.view(3);
    fillBuffer(queue, 9);
    rt::setErrorCode(kUntouched);
    const std::uint64_t changesBefore = queue.changeCount();

    EXPECT_EQ(c.operation(queue), c.result);

    EXPECT_EQ(rt::errorCode(), c.errorCode);
    EXPECT_EQ(bufferTag(queue), c.buffer);
    EXPECT_EQ(viewTag(queue), c.view);
    EXPECT_EQ(queue.current(), c.current);
    EXPECT_EQ(entryTags(queue), c.entries);
    EXPECT_EQ(queue.changeCount() - changesBefore, static_cast<std::uint64_t>(c.changes));
  }
}

TEST(RecordQueueTest, FieldBytesStraddlingWordsKeepTheirNeighbours) {
  RecordQueue queue(kBytes);
  std::vector<unsigned char> all(kBytes);
  std::iota(all.begin(), all.end(), 100);
  queue.setBuffer(0, all);

  const std::vector<unsigned char> field = {1, 2, 3, 4, 5};
  queue.setBuffer(6, field);  // bytes 6..10 span two words
  std::iota(all.begin(), all.end(), 100);
  std::copy(field.begin(), field.end(), all.begin() + 6);

  std::vector<unsigned char> got(kBytes);
  queue.getBuffer(0, got);
  EXPECT_EQ(got, all);
  std::vector<unsigned char> part(5);
  queue.getBuffer(6, part);
  EXPECT_EQ(part, field);

  // Bytes past the record are neither written nor read.
  const std::vector<unsigned char> tooLong(8, 7);
  queue.setBuffer(10, tooLong);
  std::vector<unsigned char> tail(8, 0);
  queue.getBuffer(10, tail);
  EXPECT_EQ(tail, (std::vector<unsigned char>{7, 7, 7, 0, 0, 0, 0, 0}));
}

TEST(RecordQueueTest, EntriesKeepTheirValuesAcrossGrowthClearAndFree) {
  RecordQueue queue(kBytes);
  constexpr int kEntries = 1000;  // fills several storage blocks
  for (int i = 1; i <= kEntries; ++i) {
    fillBuffer(queue, static_cast<unsigned char>(i % 251));
    ASSERT_TRUE(queue.append());
  }
  ASSERT_EQ(queue.count(), kEntries);
  EXPECT_EQ(queue.current(), kEntries);
  for (int i = 1; i <= kEntries; ++i) {
    ASSERT_TRUE(queue.view(i));
    ASSERT_EQ(viewTag(queue), i % 251) << "entry " << i;
  }

  queue.clear();
  fillBuffer(queue, 42);
  queue.append();
  EXPECT_EQ(entryTags(queue), std::vector<int>{42});

  queue.freeEntries();
  EXPECT_EQ(queue.count(), 0);
  EXPECT_EQ(queue.current(), 0);
  EXPECT_EQ(bufferTag(queue), 42);  // the buffer outlives the entries
  queue.append();
  EXPECT_EQ(entryTags(queue), std::vector<int>{42});
}

}  // namespace
