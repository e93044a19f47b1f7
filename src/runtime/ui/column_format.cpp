#include "runtime/ui/column_format.h"

#include <optional>

namespace rt::ui {

namespace {

constexpr int kLargestNumber = 32767;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<Align> alignFor(char letter) {
  switch (letter) {
    case 'L': return Align::Left;
    case 'R': return Align::Right;
    case 'C': return Align::Center;
    case 'D': return Align::Decimal;
    default: return std::nullopt;
  }
}

// Reads a format string left to right; the first error ends the parse.
class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::variant<std::vector<Column>, FormatError> parse() {
    std::vector<Column> columns;
    do {
      Column column;
      if (!parseColumn(column)) return std::move(*error_);
      columns.push_back(std::move(column));
    } while (!atEnd());
    return columns;
  }

 private:
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }

  bool fail(std::size_t position, std::string message) {
    error_ = FormatError{position, std::move(message)};
    return false;
  }

  bool number(int& value, const char* what) {
    if (!isDigit(peek())) return fail(pos_, std::string("expected ") + what + " (digits)");
    const std::size_t start = pos_;
    value = 0;
    while (isDigit(peek())) {
      value = value * 10 + (text_[pos_++] - '0');
      if (value > kLargestNumber) {
        return fail(start, std::string(what) + " is too large (at most 32767)");
      }
    }
    return true;
  }

  // "(n)" if the next character opens it; value stays as it was otherwise.
  bool optionalIndent(int& value) {
    if (peek() != '(') return true;
    ++pos_;
    if (!number(value, "an indent")) return false;
    if (peek() != ')') return fail(pos_, "expected ')' after the indent");
    ++pos_;
    return true;
  }

  // Text up to the closing delimiter, which is consumed.
  bool delimited(char delimiter, std::string& out, const char* what) {
    const std::size_t open = pos_++;
    const std::size_t close = text_.find(delimiter, pos_);
    if (close == std::string_view::npos) {
      return fail(open, std::string(what) + " has no closing '" + delimiter + "'");
    }
    out.assign(text_.substr(pos_, close - pos_));
    pos_ = close + 1;
    return true;
  }

  bool once(bool& seen, std::size_t at, const char* what) {
    if (seen) return fail(at, std::string("the column already has ") + what);
    seen = true;
    return true;
  }

  bool parseColumn(Column& column) {
    if (!number(column.width, "a column width")) return false;
    const std::optional<Align> align = alignFor(peek());
    if (!align) return fail(pos_, "expected an alignment letter (L, R, C or D)");
    ++pos_;
    column.align = *align;
    if (!optionalIndent(column.indent)) return false;
    column.headerAlign = column.align;
    column.headerIndent = column.indent;

    bool border = false, resizable = false, header = false, picture = false;
    while (!atEnd() && !isDigit(peek())) {
      const std::size_t at = pos_;
      switch (peek()) {
        case '|':
          if (!once(border, at, "a right border")) return false;
          column.rightBorder = true;
          ++pos_;
          break;
        case 'M':
          if (!once(resizable, at, "'M'")) return false;
          column.resizable = true;
          ++pos_;
          break;
        case '~':
          if (!once(header, at, "a header")) return false;
          if (!delimited('~', column.header, "the header text")) return false;
          if (const std::optional<Align> own = alignFor(peek())) {
            ++pos_;
            column.headerAlign = *own;
            if (!optionalIndent(column.headerIndent)) return false;
          }
          break;
        case '@':
          if (!once(picture, at, "a picture")) return false;
          if (!delimited('@', column.picture, "the picture")) return false;
          column.picture.insert(column.picture.begin(), '@');
          break;
        default: return fail(at, std::string("unexpected character '") + peek() + "'");
      }
    }
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::optional<FormatError> error_;
};

}  // namespace

std::variant<std::vector<Column>, FormatError> parseColumnFormat(std::string_view format) {
  return Parser(format).parse();
}

}  // namespace rt::ui
