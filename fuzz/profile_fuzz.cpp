// Arbitrary bytes as a profile file, then one key written or removed: the
// edit must take (the key reads back as written, or is gone), every other key
// must read as before, and every other line must survive unchanged.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/ini_text.h"

namespace {

using rt::ini::Line;
using rt::ini::LineKind;

void check(bool condition) {
  if (!condition) std::abort();
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool sameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A line as bytes: its content and its line end.
struct RawLine {
  std::string_view content, end;
  Line parsed;
};

std::vector<RawLine> rawLines(std::string_view text) {
  std::vector<RawLine> raw;
  for (const Line& line : rt::ini::splitLines(text)) {
    raw.push_back({text.substr(line.begin, line.contentEnd - line.begin),
                   text.substr(line.contentEnd, line.next - line.contentEnd), line});
  }
  return raw;
}

// Whether small is big with some lines left out, each of them accepted by
// extra. Line ends must match too, except that the last line of the older
// text may gain a line end when it had none.
template <typename Extra>
bool withLinesLeftOut(const std::vector<RawLine>& small, const std::vector<RawLine>& big,
                      bool smallIsOlder, Extra extra) {
  std::size_t s = 0;
  for (std::size_t b = 0; b < big.size(); ++b) {
    if (s < small.size() && small[s].content == big[b].content) {
      bool olderIsLast = smallIsOlder ? s + 1 == small.size() : b + 1 == big.size();
      std::string_view olderEnd = smallIsOlder ? small[s].end : big[b].end;
      bool endMayGrow = olderIsLast && (olderEnd.empty() || olderEnd == "\r");
      if (small[s].end == big[b].end || endMayGrow) {
        ++s;
        continue;
      }
    }
    if (!extra(big[b])) return false;
  }
  return s == small.size();
}

// Every (section, key) pair the text names, first occurrences first.
std::vector<std::pair<std::string, std::string>> keysOf(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> keys;
  std::optional<std::string_view> section;
  for (const Line& line : rt::ini::splitLines(text)) {
    if (line.kind == LineKind::kSection)
      section = line.named ? std::optional(line.name) : std::nullopt;
    if (line.kind == LineKind::kKey && section && keys.size() < 64)
      keys.emplace_back(std::string(*section), std::string(line.name));
  }
  return keys;
}

// A name taken from the text itself now and then, so that edits hit
// existing sections and keys as well as new ones, spelt in another letter
// case or with blanks around it as the input chooses.
std::string pickName(FuzzedDataProvider& in, std::string_view text, LineKind kind) {
  std::vector<std::string_view> names;
  for (const Line& line : rt::ini::splitLines(text)) {
    if (line.kind == kind && line.named) names.push_back(line.name);
  }
  if (names.empty() || !in.ConsumeBool()) return in.ConsumeRandomLengthString(80);
  std::string name(names[in.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)]);
  const auto spelling = in.ConsumeIntegral<std::uint8_t>();
  if (spelling & 1) {
    for (char& c : name) {
      if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) c ^= 0x20;
    }
  }
  if (spelling & 2) name = " " + name + "\t";
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string before = in.ConsumeRandomLengthString(size);
  const bool remove = in.ConsumeBool();
  const std::string section = pickName(in, before, LineKind::kSection);
  const std::string key = pickName(in, before, LineKind::kKey);
  const std::string value = in.ConsumeRemainingBytesAsString();
  std::optional<std::string_view> written;
  if (!remove) written = value;

  std::string after = before;
  if (!rt::ini::edit(after, section, key, written)) {
    check(after == before);
    return 0;
  }

  // The edit took.
  std::optional<std::string_view> now = rt::ini::lookup(after, section, key);
  if (remove) {
    check(!now);
  } else {
    check(now && *now == trim(value));
  }

  // Every other key reads as before.
  for (const auto& [s, k] : keysOf(before)) {
    bool isEdited = sameName(s, trim(section)) && sameName(k, trim(key));
    if (!isEdited) check(rt::ini::lookup(after, s, k) == rt::ini::lookup(before, s, k));
  }

  // Every other line is still there, byte for byte, in its order.
  std::vector<RawLine> old = rawLines(before), fresh = rawLines(after);
  check(before.starts_with("\xEF\xBB\xBF") == after.starts_with("\xEF\xBB\xBF"));
  auto isKeyLine = [&](const RawLine& line) {
    return line.parsed.kind == LineKind::kKey && sameName(line.parsed.name, trim(key));
  };
  if (remove) {
    check(withLinesLeftOut(fresh, old, false, isKeyLine));
  } else if (fresh.size() == old.size()) {
    // Rewritten in place: exactly the one key line differs.
    std::size_t differing = 0;
    for (std::size_t i = 0; i < old.size(); ++i) {
      if (old[i].content == fresh[i].content) continue;
      ++differing;
      check(isKeyLine(old[i]) && isKeyLine(fresh[i]) && old[i].end == fresh[i].end);
    }
    check(differing <= 1);
  } else {
    auto isAdded = [&](const RawLine& line) {
      return isKeyLine(line) ||
             (line.parsed.kind == LineKind::kSection && sameName(line.parsed.name, trim(section)));
    };
    check(fresh.size() <= old.size() + 2);
    check(withLinesLeftOut(old, fresh, true, isAdded));
  }
  return 0;
}
