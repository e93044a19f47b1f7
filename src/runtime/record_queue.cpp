#include "runtime/record_queue.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "runtime/error_code.h"

namespace rt {

namespace {

constexpr std::size_t kWordBytes = sizeof(std::uint64_t);

std::size_t clampedLength(std::size_t recordBytes, std::size_t offset, std::size_t length) {
  return offset >= recordBytes ? 0 : std::min(length, recordBytes - offset);
}

// Walks the words that bytes offset..offset+length of a record touch:
// piece(word index, first byte in that word, bytes done so far, byte count).
template <typename Piece>
void forEachWordPiece(std::size_t offset, std::size_t length, Piece piece) {
  for (std::size_t done = 0; done < length;) {
    const std::size_t at = offset + done;
    const std::size_t inWord = at % kWordBytes;
    const std::size_t n = std::min(kWordBytes - inWord, length - done);
    piece(at / kWordBytes, inWord, done, n);
    done += n;
  }
}

}  // namespace

RecordQueue::RecordQueue(std::size_t recordBytes)
    : recordBytes_(recordBytes),
      words_((recordBytes + kWordBytes - 1) / kWordBytes),
      buffer_(new Word[words_]()),
      view_(new Word[words_]()) {}

RecordQueue::~RecordQueue() {
  freeEntries();
}

inline RecordQueue::Place RecordQueue::place(int index) {
  const auto slot = static_cast<unsigned>(index / kFirstBlockEntries) + 1;
  const int block = std::bit_width(slot) - 1;
  return {block, index - kFirstBlockEntries * ((1 << block) - 1)};
}

inline RecordQueue::Word* RecordQueue::entry(int index) const {
  const Place at = place(index);
  return blocks_[at.block].load(std::memory_order_acquire) + at.offset * words_;
}

RecordQueue::Word* RecordQueue::entryForAppend(int index) {
  const Place at = place(index);
  Word* block = blocks_[at.block].load(std::memory_order_acquire);
  if (block == nullptr) {
    const std::size_t entries = static_cast<std::size_t>(kFirstBlockEntries) << at.block;
    Word* fresh = new Word[entries * words_]();
    if (blocks_[at.block].compare_exchange_strong(block, fresh, std::memory_order_acq_rel,
                                                  std::memory_order_acquire)) {
      block = fresh;
    } else {
      delete[] fresh;  // another appender allocated it first
    }
  }
  return block + at.offset * words_;
}

inline void RecordQueue::copy(const Word* from, Word* to, Step step) const {
  const std::size_t words = words_;
  if (hook_) [[unlikely]] {
    for (std::size_t w = 0; w < words; ++w) {
      hook_(step);
      to[w].store(from[w].load(std::memory_order_relaxed), std::memory_order_relaxed);
    }
    return;
  }
#pragma GCC unroll 8
  for (std::size_t w = 0; w < words; ++w) {
    to[w].store(from[w].load(std::memory_order_relaxed), std::memory_order_relaxed);
  }
}

inline void RecordQueue::countChange() {
  // A load and a store rather than an atomic add, which would cost a locked
  // instruction on every write-back.
  changes_.store(changes_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

void RecordQueue::clear() {
  setErrorCode(0);
  count_.store(0, std::memory_order_release);
  hook(Step::ClearCurrent);
  current_.store(0, std::memory_order_release);
  countChange();
}

bool RecordQueue::append() {
  setErrorCode(0);
  const int index = count_.load(std::memory_order_acquire);
  if (index >= kCapacity) {
    setErrorCode(kErrorEntryNotFound);
    return false;
  }
  copy(buffer_.get(), entryForAppend(index), Step::AppendWord);
  hook(Step::AppendCount);
  count_.store(index + 1, std::memory_order_release);
  current_.store(index + 1, std::memory_order_release);
  countChange();
  return true;
}

bool RecordQueue::read(int n) {
  setErrorCode(0);
  if (n < 1 || n > count()) {
    setErrorCode(kErrorEntryNotFound);
    if (n == 0) current_.store(0, std::memory_order_release);
    return false;
  }
  copy(entry(n - 1), buffer_.get(), Step::ReadWord);
  hook(Step::ReadCurrent);
  current_.store(n, std::memory_order_release);
  return true;
}

bool RecordQueue::writeBack() {
  setErrorCode(0);
  const int n = current_.load(std::memory_order_acquire);
  if (n == 0) {
    setErrorCode(kErrorEntryNotFound);
    return false;
  }
  copy(buffer_.get(), entry(n - 1), Step::WriteBackWord);
  countChange();
  return true;
}

bool RecordQueue::view(int n) {
  if (n < 1 || n > count()) return false;
  copy(entry(n - 1), view_.get(), Step::ViewWord);
  return true;
}

void RecordQueue::setBuffer(std::size_t offset, std::span<const unsigned char> bytes) {
  const std::size_t length = clampedLength(recordBytes_, offset, bytes.size());
  forEachWordPiece(
      offset, length, [&](std::size_t index, std::size_t inWord, std::size_t done, std::size_t n) {
        Word& word = buffer_[index];
        // Each word is stored once with its final value, so a thread copying the
        // buffer meanwhile sees every word either before or after the change.
        std::uint64_t value = word.load(std::memory_order_relaxed);
        std::memcpy(reinterpret_cast<unsigned char*>(&value) + inWord, bytes.data() + done, n);
        word.store(value, std::memory_order_relaxed);
      });
}

void RecordQueue::copyBytesOut(const Word* words, std::size_t offset,
                               std::span<unsigned char> bytes) const {
  const std::size_t length = clampedLength(recordBytes_, offset, bytes.size());
  forEachWordPiece(offset, length,
                   [&](std::size_t index, std::size_t inWord, std::size_t done, std::size_t n) {
                     const std::uint64_t value = words[index].load(std::memory_order_relaxed);
                     std::memcpy(bytes.data() + done,
                                 reinterpret_cast<const unsigned char*>(&value) + inWord, n);
                   });
}

void RecordQueue::getBuffer(std::size_t offset, std::span<unsigned char> bytes) const {
  copyBytesOut(buffer_.get(), offset, bytes);
}

void RecordQueue::getView(std::size_t offset, std::span<unsigned char> bytes) const {
  copyBytesOut(view_.get(), offset, bytes);
}

void RecordQueue::freeEntries() {
  count_.store(0, std::memory_order_release);
  current_.store(0, std::memory_order_release);
  for (auto& block : blocks_) delete[] block.exchange(nullptr, std::memory_order_acq_rel);
}

void RecordQueue::setStepHook(std::function<void(Step)> hook) {
  hook_ = std::move(hook);
}

}  // namespace rt
