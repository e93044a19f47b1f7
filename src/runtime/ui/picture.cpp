#include "runtime/ui/picture.h"

#include <charconv>
#include <cstdint>
#include <variant>

namespace rt::ui {

namespace {

// A picture after parsing: "@n[-]width[.decimals]", "@slength" or anything
// else, which shows values plainly.
struct Picture {
  enum class Kind { Plain, Number, String } kind = Kind::Plain;
  int width = 0;     // Number: positions; 0 lets the text take what it needs
  int decimals = 0;  // Number
  int length = 0;    // String: most characters shown
};

constexpr int kLargestPictureNumber = 9999;

// Digits at text[pos...] into value; false when there are none or too many.
bool readNumber(std::string_view text, std::size_t& pos, int& value) {
  if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') return false;
  const auto* begin = text.data() + pos;
  const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
  if (error != std::errc() || value > kLargestPictureNumber) return false;
  pos += static_cast<std::size_t>(end - begin);
  return true;
}

Picture parsePicture(std::string_view text) {
  Picture picture;
  if (text.size() < 2 || text[0] != '@') return picture;
  std::size_t pos = 2;
  const auto next = [&] { return pos < text.size() ? text[pos] : '\0'; };
  switch (text[1]) {
    case 'n':
    case 'N':
      if (next() == '-') ++pos;
      if (next() != '.' && next() != '\0' && !readNumber(text, pos, picture.width)) return {};
      if (next() == '.') {
        ++pos;
        if (!readNumber(text, pos, picture.decimals)) return {};
      }
      picture.kind = Picture::Kind::Number;
      break;
    case 's':
    case 'S':
      if (!readNumber(text, pos, picture.length)) return {};
      picture.kind = Picture::Kind::String;
      break;
    default: return {};
  }
  return pos == text.size() ? picture : Picture{};
}

// value in decimal with its digits grouped in threes, into out.
void appendGrouped(std::int64_t value, int decimals, int width, std::string& out) {
  char digits[24];
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  const auto count =
      static_cast<int>(std::to_chars(digits, digits + sizeof digits, magnitude).ptr - digits);
  const int length =
      (value < 0 ? 1 : 0) + count + (count - 1) / 3 + (decimals > 0 ? decimals + 1 : 0);
  if (width > 0 && length > width) {
    out.append(static_cast<std::size_t>(width), '#');  // does not fit
    return;
  }
  if (width > length) out.append(static_cast<std::size_t>(width - length), ' ');
  if (value < 0) out.push_back('-');
  for (int i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) out.push_back(',');
    out.push_back(digits[i]);
  }
  if (decimals > 0) {
    out.push_back('.');
    out.append(static_cast<std::size_t>(decimals), '0');
  }
}

void appendPlain(std::int64_t value, std::string& out) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// At most length characters of text; a character is one UTF-8 sequence.
void appendCut(std::string_view text, int length, std::string& out) {
  std::size_t end = 0;
  for (int shown = 0; end < text.size(); ++end) {
    const bool continuation = (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80;
    if (!continuation && shown++ == length) break;
  }
  out.append(text.substr(0, end));
}

void formatInto(std::string_view pictureText, const FieldValue& value, std::string& out) {
  out.clear();
  const Picture picture = parsePicture(pictureText);
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    switch (picture.kind) {
      case Picture::Kind::Number:
        appendGrouped(*number, picture.decimals, picture.width, out);
        return;
      case Picture::Kind::String:
        appendPlain(*number, out);  // digits and sign: one byte per character
        if (out.size() > static_cast<std::size_t>(picture.length)) out.resize(picture.length);
        return;
      case Picture::Kind::Plain: appendPlain(*number, out); return;
    }
  }
  const auto& text = std::get<std::string>(value);
  if (picture.kind == Picture::Kind::String) {
    appendCut(text, picture.length, out);
  } else {
    out.append(text);
  }
}

}  // namespace

std::string formatPicture(std::string_view picture, const FieldValue& value) {
  std::string out;
  formatInto(picture, value, out);
  return out;
}

void formatLine(const std::vector<Column>& columns, const std::vector<FieldValue>& values,
                std::vector<std::string>& out) {
  out.resize(columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i < values.size()) {
      formatInto(columns[i].picture, values[i], out[i]);
    } else {
      out[i].clear();
    }
  }
}

}  // namespace rt::ui
