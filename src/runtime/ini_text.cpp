// Lookup and single-key edits on the text of an INI file held in memory.

#include "runtime/ini_text.h"

#include <algorithm>

namespace rt::ini {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return lower(x) == lower(y); });
}

Line classify(std::string_view text, std::size_t begin, std::size_t contentEnd, std::size_t next) {
  Line line;
  line.begin = begin;
  line.contentEnd = contentEnd;
  line.next = next;
  std::string_view content = text.substr(begin, contentEnd - begin);
  std::string_view rest = trim(content);
  if (rest.empty() || rest.front() == ';') return line;
  if (rest.front() == '[') {
    line.kind = LineKind::kSection;
    std::size_t close = rest.find(']');
    line.named = close != std::string_view::npos;
    if (line.named) line.name = trim(rest.substr(1, close - 1));
    return line;
  }
  std::size_t equals = content.find('=');
  if (equals == std::string_view::npos) return line;
  line.kind = LineKind::kKey;
  line.name = trim(content.substr(0, equals));
  line.valueBegin = begin + equals + 1;
  while (line.valueBegin < contentEnd && isBlank(text[line.valueBegin])) ++line.valueBegin;
  line.value = trim(text.substr(line.valueBegin, contentEnd - line.valueBegin));
  return line;
}

// The line end used for lines this module adds: that of the text's first
// complete line, or "\n".
std::string_view lineEndOf(std::string_view text) {
  std::size_t newline = text.find('\n');
  if (newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r') return "\r\n";
  return "\n";
}

// What must go before a line appended at the end of the text so that it
// starts a line of its own without changing the text's last line.
std::string_view separatorBeforeEnd(std::string_view text, std::string_view lineEnd) {
  if (text.empty() || text == kByteOrderMark || text.back() == '\n') return {};
  return text.back() == '\r' ? "\n" : lineEnd;
}

bool hasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

bool representable(std::string_view section, std::string_view key,
                   std::optional<std::string_view> value) {
  if (section.empty() || key.empty()) return false;
  if (hasLineBreak(section) || hasLineBreak(key) || (value && hasLineBreak(*value))) return false;
  if (section.find(']') != std::string_view::npos) return false;
  return key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';';
}

// Index of the first section header called section, or lines.size().
std::size_t findSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == LineKind::kSection && lines[i].named && sameName(lines[i].name, section))
      return i;
  }
  return lines.size();
}

// Index of the next section header after the line at index from.
std::size_t sectionEnd(const std::vector<Line>& lines, std::size_t from) {
  std::size_t i = from + 1;
  while (i < lines.size() && lines[i].kind != LineKind::kSection) ++i;
  return i;
}

// Adds content as a line of its own right after the given line. A last line
// without a line end gets one first.
void insertLineAfter(std::string& text, const Line& after, std::string_view content) {
  std::string_view lineEnd = lineEndOf(text);
  std::string added(after.next == text.size() ? separatorBeforeEnd(text, lineEnd) : "");
  added.append(content).append(lineEnd);
  text.insert(after.next, added);
}

void removeKey(std::string& text, const std::vector<Line>& lines, std::size_t header,
               std::string_view key) {
  std::size_t end = sectionEnd(lines, header);
  // From the last line back, so that earlier offsets stay valid.
  for (std::size_t i = end; i-- > header + 1;) {
    if (lines[i].kind == LineKind::kKey && sameName(lines[i].name, key))
      text.erase(lines[i].begin, lines[i].next - lines[i].begin);
  }
}

void writeKey(std::string& text, const std::vector<Line>& lines, std::size_t header,
              std::string_view key, std::string_view value) {
  std::size_t end = sectionEnd(lines, header);
  std::size_t last = header;
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind != LineKind::kKey) continue;
    if (sameName(lines[i].name, key)) {
      // Rewrite in place: the key as spelt in the file and the blanks after
      // "=" stay; the old value and any blanks after it go.
      text.replace(lines[i].valueBegin, lines[i].contentEnd - lines[i].valueBegin, value);
      return;
    }
    last = i;
  }
  insertLineAfter(text, lines[last], std::string(key) + "=" + std::string(value));
}

}  // namespace

std::vector<Line> splitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t begin = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  while (begin < text.size()) {
    std::size_t newline = text.find('\n', begin);
    std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
    std::size_t contentEnd = newline == std::string_view::npos ? text.size() : newline;
    if (contentEnd > begin && text[contentEnd - 1] == '\r') --contentEnd;
    lines.push_back(classify(text, begin, contentEnd, next));
    begin = next;
  }
  return lines;
}

std::optional<std::string_view> lookup(std::string_view text, std::string_view section,
                                       std::string_view key) {
  section = trim(section);
  key = trim(key);
  if (section.empty() || key.empty()) return std::nullopt;
  std::vector<Line> lines = splitLines(text);
  std::size_t header = findSection(lines, section);
  if (header == lines.size()) return std::nullopt;
  std::size_t end = sectionEnd(lines, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind == LineKind::kKey && sameName(lines[i].name, key)) return lines[i].value;
  }
  return std::nullopt;
}

bool edit(std::string& text, std::string_view section, std::string_view key,
          std::optional<std::string_view> value) {
  section = trim(section);
  key = trim(key);
  if (!representable(section, key, value)) return false;
  std::vector<Line> lines = splitLines(text);
  std::size_t header = findSection(lines, section);
  if (header < lines.size()) {
    if (value) {
      writeKey(text, lines, header, key, *value);
    } else {
      removeKey(text, lines, header, key);
    }
    return true;
  }
  if (!value) return true;
  std::string_view lineEnd = lineEndOf(text);
  std::string added(separatorBeforeEnd(text, lineEnd));
  added.append("[").append(section).append("]").append(lineEnd);
  added.append(key).append("=").append(*value).append(lineEnd);
  text += added;
  return true;
}

}  // namespace rt::ini
