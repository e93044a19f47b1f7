#pragma once
// GlobalQueue, the queue every thread of the program shares, and its record:
// C0 (signed packed decimal, 8 bytes), C1 (20 bytes, NUL-terminated) and C2
// (200 bytes, blank-padded). Field helpers and the list source for viewers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/record_queue.h"
#include "runtime/ui/list_source.h"

namespace lumo {

inline constexpr std::size_t kC0Offset = 0;
inline constexpr std::size_t kC0Bytes = 8;
inline constexpr std::size_t kC1Offset = kC0Offset + kC0Bytes;
inline constexpr std::size_t kC1Bytes = 20;
inline constexpr std::size_t kC2Offset = kC1Offset + kC1Bytes;
inline constexpr std::size_t kC2Bytes = 200;
inline constexpr std::size_t kRecordBytes = kC2Offset + kC2Bytes;

// The largest magnitude C0 holds: 15 decimal digits. Larger values keep
// their lowest 15 digits.
inline constexpr std::int64_t kC0Max = 999'999'999'999'999;

using PackedDecimal = std::array<unsigned char, kC0Bytes>;
PackedDecimal packDecimal(std::int64_t value);
std::int64_t unpackDecimal(std::span<const unsigned char, kC0Bytes> packed);

extern rt::RecordQueue GlobalQueue;

// Fields of a queue's shared buffer. Texts longer than the field are cut
// (C1 keeps at most 19 characters).
void setC0(rt::RecordQueue& queue, std::int64_t value);
void setC1(rt::RecordQueue& queue, std::string_view text);
void setC2(rt::RecordQueue& queue, std::string_view text);
std::int64_t getC0(const rt::RecordQueue& queue);
std::string getC1(const rt::RecordQueue& queue);  // up to its NUL
std::string getC2(const rt::RecordQueue& queue);  // all 200 bytes, padding included
// C0 = 0, C1 empty, C2 all blanks.
void clearBuffer(rt::RecordQueue& queue);

// A list's view of a queue of these records: line n is entry n as C0
// (number), C1 and C2 (texts; C2 without its padding blanks). Reads go
// through the queue's view buffer only.
class QueueListSource : public rt::ui::ListSource {
 public:
  explicit QueueListSource(rt::RecordQueue& queue) : queue_(queue) {}
  int count() const override { return queue_.count(); }
  std::uint64_t changeCount() const override { return queue_.changeCount(); }
  void line(int n, std::vector<rt::ui::FieldValue>& out) const override;

 private:
  rt::RecordQueue& queue_;
};

}  // namespace lumo
