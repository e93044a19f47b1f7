#pragma once
// The column format of a list: one column after another, each "width,
// alignment, optional (indent), then modifiers in any order": "|" a right
// border, "M" resizable by dragging the header edge, "~text~" the header
// (optionally followed by its own alignment letter and "(indent)"),
// "@picture@" the display picture. Example: "70D(2)|M~C 0~L@n-20.0@".

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rt::ui {

enum class Align { Left, Right, Center, Decimal };

struct Column {
  int width = 0;  // dialog units
  Align align = Align::Left;
  int indent = 0;  // for Decimal: the offset
  bool rightBorder = false;
  bool resizable = false;
  std::string header;
  Align headerAlign = Align::Left;
  int headerIndent = 0;
  std::string picture;  // with its leading "@", e.g. "@n-20.0"; empty: none
  bool operator==(const Column&) const = default;
};

struct FormatError {
  std::size_t position = 0;  // offset in the format string
  std::string message;
};

// The columns of a format string, or why it does not follow the grammar.
std::variant<std::vector<Column>, FormatError> parseColumnFormat(std::string_view format);

}  // namespace rt::ui
