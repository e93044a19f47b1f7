#pragma once
// An in-memory queue of fixed-size records with one shared record buffer and
// one current-entry position for every thread, plus a view buffer for lists.
// Operations take no lock and run as sequences of small indivisible steps
// (one word copied, the current entry set), so unguarded concurrent use stays
// memory-safe but may mix rows; entries never move until freeEntries().

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace rt {

class RecordQueue {
 public:
  // The points between the steps of an operation at which the step hook runs.
  enum class Step {
    ReadWord,       // read: before one word of the entry is copied into the buffer
    ReadCurrent,    // read: the entry is in the buffer, before it becomes current
    WriteBackWord,  // write-back: before one word of the buffer is copied
    AppendWord,     // append: before one word of the buffer is copied
    AppendCount,    // append: the new entry is filled, before the count grows
    ClearCurrent,   // clear: the count is 0, before the current entry is dropped
    ViewWord,       // view: before one word of the entry is copied into the view buffer
  };

  explicit RecordQueue(std::size_t recordBytes);
  ~RecordQueue();
  RecordQueue(const RecordQueue&) = delete;
  RecordQueue& operator=(const RecordQueue&) = delete;

  // Removes every entry; no current entry afterwards; the buffer stays.
  void clear();
  // Copies the buffer into a new last entry, which becomes current. False
  // (error code 30) only when the queue cannot hold more entries.
  bool append();
  // 1 <= n <= count(): entry n into the buffer, n becomes current. Otherwise
  // error code 30 and nothing changes, except that n = 0 drops the current entry.
  bool read(int n);
  // The buffer into the current entry; without one, error code 30.
  bool writeBack();
  int count() const { return count_.load(std::memory_order_acquire); }
  // Entry n into the view buffer; the shared buffer and the current entry stay.
  // False for n outside 1..count(); the view buffer then stays as it was.
  bool view(int n);
  // 0 when there is no current entry.
  int current() const { return current_.load(std::memory_order_relaxed); }
  // Moves on with every clear, append and write-back. Each is one load and
  // one store, so unlocked writers racing each other may merge their counts.
  std::uint64_t changeCount() const { return changes_.load(std::memory_order_relaxed); }

  // Field access: bytes at offset of the shared buffer or of the view buffer.
  void setBuffer(std::size_t offset, std::span<const unsigned char> bytes);
  void getBuffer(std::size_t offset, std::span<unsigned char> bytes) const;
  void getView(std::size_t offset, std::span<unsigned char> bytes) const;

  // Frees the memory of all entries. Only when no other thread uses the queue.
  void freeEntries();

  // Tests: runs hook on the calling thread at every step. Set it only while
  // no other thread uses the queue; an empty function removes it.
  void setStepHook(std::function<void(Step)> hook);

 private:
  using Word = std::atomic<std::uint64_t>;
  // Entries live in blocks that double in size and are never moved: block k
  // holds kFirstBlockEntries << k entries.
  static constexpr int kFirstBlockEntries = 64;
  static constexpr int kBlocks = 25;

  static constexpr int kCapacity = kFirstBlockEntries * ((1 << kBlocks) - 1);

  struct Place {
    int block;
    int offset;
  };
  static Place place(int index);  // index is 0-based
  Word* entry(int index) const;   // its block must exist
  Word* entryForAppend(int index);
  void copy(const Word* from, Word* to, Step step) const;
  void countChange();
  void hook(Step step) const {
    if (hook_) [[unlikely]]
      hook_(step);
  }
  void copyBytesOut(const Word* words, std::size_t offset, std::span<unsigned char> bytes) const;

  const std::size_t recordBytes_;
  const std::size_t words_;
  std::unique_ptr<Word[]> buffer_;
  std::unique_ptr<Word[]> view_;
  std::array<std::atomic<Word*>, kBlocks> blocks_{};
  std::atomic<int> count_{0};
  std::atomic<int> current_{0};
  std::atomic<std::uint64_t> changes_{0};
  std::function<void(Step)> hook_;
};

}  // namespace rt
