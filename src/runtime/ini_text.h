#pragma once
// Lookup and single-key edits on the text of an INI file held in memory.
// An edit touches only the line of the one key it writes or removes, or adds
// lines; every other line is kept byte for byte with its own line end.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt::ini {

// How the text is read, line by line (a line ends at "\n"; a "\r" just before
// it, or at the very end of the text, belongs to the line end):
// - a UTF-8 byte-order mark at the start of the text is skipped;
// - a line whose first non-blank byte is "[" starts a section, named by the
//   text up to the first "]"; without a "]" it starts a section no name can
//   reach;
// - a line whose first non-blank byte is ";" is a comment;
// - any other line holding "=" is a key line: the key is the text before the
//   first "=", the value the text after it;
// - everything else, and key lines before the first section, are kept but
//   mean nothing.
// Blanks (spaces and tabs) around section names, keys and values are not part
// of them. Names match without regard to ASCII letter case. When a section or
// key occurs twice, the first occurrence is the one read and written.

enum class LineKind { kOther, kSection, kKey };

struct Line {
  LineKind kind = LineKind::kOther;
  std::size_t begin = 0;       // first byte of the line
  std::size_t contentEnd = 0;  // end of the line without its line end
  std::size_t next = 0;        // first byte after the line end
  std::string_view name;       // section name or key, blanks trimmed
  std::string_view value;      // a key's value, blanks trimmed
  std::size_t valueBegin = 0;  // where a key's value starts in the text
  bool named = true;           // false for a section header without "]"
};

std::vector<Line> splitLines(std::string_view text);

// The value of key in section, or nothing when either is missing.
std::optional<std::string_view> lookup(std::string_view text, std::string_view section,
                                       std::string_view key);

// Writes key=value in section (rewriting the key in place, adding it at the end
// of its section, or adding the section at the end of the text), or with no
// value removes every line of the key from the section. Returns false, leaving
// text as it was, when the names or the value cannot stand in an INI file: an
// empty name, a line break anywhere, "=" in a key or a key starting with "["
// or ";", "]" in a section name.
bool edit(std::string& text, std::string_view section, std::string_view key,
          std::optional<std::string_view> value);

}  // namespace rt::ini
