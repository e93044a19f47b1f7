#include "state/global_queue.h"

#include <algorithm>
#include <variant>

namespace lumo {

rt::RecordQueue GlobalQueue(kRecordBytes);

namespace {

constexpr int kDigits = 2 * static_cast<int>(kC0Bytes) - 1;  // after the sign nibble
constexpr unsigned char kNegative = 0xF;

std::string_view c1Text(std::span<const unsigned char, kC1Bytes> field) {
  const auto* chars = reinterpret_cast<const char*>(field.data());
  return {chars,
          static_cast<std::size_t>(std::find(field.begin(), field.end(), 0) - field.begin())};
}

std::string_view c2Text(std::span<const unsigned char, kC2Bytes> field) {
  return {reinterpret_cast<const char*>(field.data()), field.size()};
}

void assignText(rt::ui::FieldValue& value, std::string_view text) {
  if (auto* held = std::get_if<std::string>(&value)) {
    held->assign(text);  // reuses the string's storage
  } else {
    value.emplace<std::string>(text);
  }
}

}  // namespace

PackedDecimal packDecimal(std::int64_t value) {
  const bool negative = value < 0;
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : value;
  magnitude %= static_cast<std::uint64_t>(kC0Max) + 1;
  std::array<unsigned char, kDigits + 1> nibbles{};
  nibbles[0] = negative && magnitude != 0 ? kNegative : 0;
  for (int i = kDigits; i >= 1; --i) {
    nibbles[i] = static_cast<unsigned char>(magnitude % 10);
    magnitude /= 10;
  }
  PackedDecimal packed{};
  for (std::size_t i = 0; i < packed.size(); ++i) {
    packed[i] = static_cast<unsigned char>(nibbles[2 * i] << 4 | nibbles[2 * i + 1]);
  }
  return packed;
}

std::int64_t unpackDecimal(std::span<const unsigned char, kC0Bytes> packed) {
  std::int64_t magnitude = 0;
  for (int i = 1; i <= kDigits; ++i) {
    const unsigned char byte = packed[static_cast<std::size_t>(i / 2)];
    magnitude = magnitude * 10 + (i % 2 == 0 ? byte >> 4 : byte & 0xF);
  }
  return (packed[0] >> 4) == kNegative ? -magnitude : magnitude;
}

void setC0(rt::RecordQueue& queue, std::int64_t value) {
  queue.setBuffer(kC0Offset, packDecimal(value));
}

void setC1(rt::RecordQueue& queue, std::string_view text) {
  std::array<unsigned char, kC1Bytes> field{};
  std::copy_n(text.begin(), std::min(text.size(), kC1Bytes - 1), field.begin());
  queue.setBuffer(kC1Offset, field);
}

void setC2(rt::RecordQueue& queue, std::string_view text) {
  std::array<unsigned char, kC2Bytes> field;
  field.fill(' ');
  std::copy_n(text.begin(), std::min(text.size(), kC2Bytes), field.begin());
  queue.setBuffer(kC2Offset, field);
}

std::int64_t getC0(const rt::RecordQueue& queue) {
  PackedDecimal field;
  queue.getBuffer(kC0Offset, field);
  return unpackDecimal(field);
}

std::string getC1(const rt::RecordQueue& queue) {
  std::array<unsigned char, kC1Bytes> field;
  queue.getBuffer(kC1Offset, field);
  return std::string(c1Text(field));
}

std::string getC2(const rt::RecordQueue& queue) {
  std::array<unsigned char, kC2Bytes> field;
  queue.getBuffer(kC2Offset, field);
  return std::string(c2Text(field));
}

void clearBuffer(rt::RecordQueue& queue) {
  setC0(queue, 0);
  setC1(queue, {});
  setC2(queue, {});
}

void QueueListSource::line(int n, std::vector<rt::ui::FieldValue>& out) const {
  out.resize(3);
  if (!queue_.view(n)) {
    for (auto& value : out) assignText(value, {});
    return;
  }
  std::array<unsigned char, kRecordBytes> record;
  queue_.getView(0, record);
  const std::span<const unsigned char> bytes(record);
  out[0] = unpackDecimal(bytes.subspan<kC0Offset, kC0Bytes>());
  assignText(out[1], c1Text(bytes.subspan<kC1Offset, kC1Bytes>()));
  std::string_view c2 = c2Text(bytes.subspan<kC2Offset, kC2Bytes>());
  c2.remove_suffix(c2.size() - (c2.find_last_not_of(' ') + 1));
  assignText(out[2], c2);
}

}  // namespace lumo
