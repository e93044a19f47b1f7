// Parsing list column formats: the viewer's format, each modifier on its
// own, header alignment and indents, and malformed strings with the place
// where they go wrong.

#include "runtime/ui/column_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rt::ui {

// How test failures show a column (internal to this test).
static void PrintTo(const Column& c, std::ostream* out) {
  *out << "{" << c.width << " align " << static_cast<int>(c.align) << "(" << c.indent << ") border "
       << c.rightBorder << " resizable " << c.resizable << " header \"" << c.header << "\" "
       << static_cast<int>(c.headerAlign) << "(" << c.headerIndent << ") picture \"" << c.picture
       << "\"}";
}

}  // namespace rt::ui

namespace {

using rt::ui::Align;
using rt::ui::Column;
using rt::ui::FormatError;

// A column with only width, alignment and indent given: the header takes the
// column's alignment and indent.
Column plain(int width, Align align, int indent = 0) {
  Column c;
  c.width = width;
  c.align = align;
  c.indent = indent;
  c.headerAlign = align;
  c.headerIndent = indent;
  return c;
}

template <typename Change>
Column with(Column c, Change change) {
  change(c);
  return c;
}

struct ParseCase {
  const char* format;
  std::vector<Column> columns;
};

const ParseCase kParses[] = {
    {"70D(2)|M~C 0~L@n-20.0@86L(2)|M~C 1~@s200@50L(2)|M~C 2~@s200@",
     {with(plain(70, Align::Decimal, 2),
           [](Column& c) {
             c.rightBorder = c.resizable = true;
             c.header = "C 0";
             c.headerAlign = Align::Left;
             c.picture = "@n-20.0";
           }),
      with(plain(86, Align::Left, 2),
           [](Column& c) {
             c.rightBorder = c.resizable = true;
             c.header = "C 1";
             c.picture = "@s200";
           }),
      with(plain(50, Align::Left, 2),
           [](Column& c) {
             c.rightBorder = c.resizable = true;
             c.header = "C 2";
             c.picture = "@s200";
           })}},
    {"10L", {plain(10, Align::Left)}},
    {"10R", {plain(10, Align::Right)}},
    {"10C", {plain(10, Align::Center)}},
    {"10D(3)", {plain(10, Align::Decimal, 3)}},
    {"0L(0)", {plain(0, Align::Left)}},
    {"10L|", {with(plain(10, Align::Left), [](Column& c) { c.rightBorder = true; })}},
    {"10LM", {with(plain(10, Align::Left), [](Column& c) { c.resizable = true; })}},
    {"10L~Name~", {with(plain(10, Align::Left), [](Column& c) { c.header = "Name"; })}},
    {"10L~~", {plain(10, Align::Left)}},
    {"10L~a|M@b~", {with(plain(10, Align::Left), [](Column& c) { c.header = "a|M@b"; })}},
    {"10L@s20@", {with(plain(10, Align::Left), [](Column& c) { c.picture = "@s20"; })}},
    {"10L@@", {with(plain(10, Align::Left), [](Column& c) { c.picture = "@"; })}},
    // Header alignment alone keeps the column's indent unless given its own.
    {"10L(2)~H~R",
     {with(plain(10, Align::Left, 2),
           [](Column& c) {
             c.header = "H";
             c.headerAlign = Align::Right;
           })}},
    {"10L(2)~H~C(5)",
     {with(plain(10, Align::Left, 2),
           [](Column& c) {
             c.header = "H";
             c.headerAlign = Align::Center;
             c.headerIndent = 5;
           })}},
    {"10R~H~D(0)",
     {with(plain(10, Align::Right),
           [](Column& c) {
             c.header = "H";
             c.headerAlign = Align::Decimal;
           })}},
    // Modifiers in any order.
    {"12C(1)@s5@M~H~L|",
     {with(plain(12, Align::Center, 1),
           [](Column& c) {
             c.picture = "@s5";
             c.resizable = c.rightBorder = true;
             c.header = "H";
             c.headerAlign = Align::Left;
           })}},
    {"5L6R(1)", {plain(5, Align::Left), plain(6, Align::Right, 1)}},
    {"5L~H~L7C",
     {with(plain(5, Align::Left), [](Column& c) { c.header = "H"; }), plain(7, Align::Center)}},
};

TEST(ColumnFormatTest, ParsesColumnsWithTheirModifiers) {
  for (const ParseCase& c : kParses) {
    SCOPED_TRACE(c.format);
    const auto parsed = rt::ui::parseColumnFormat(c.format);
    ASSERT_TRUE(std::holds_alternative<std::vector<Column>>(parsed))
        << std::get<FormatError>(parsed).message;
    EXPECT_EQ(std::get<std::vector<Column>>(parsed), c.columns);
  }
}

struct ErrorCase {
  const char* format;
  std::size_t position;
  const char* says;  // part of the message
};

const ErrorCase kErrors[] = {
    {"", 0, "column width"},
    {"L", 0, "column width"},
    {"10", 2, "alignment letter"},
    {"10X", 2, "alignment letter"},
    {"10L(", 4, "indent"},
    {"10L()", 4, "indent"},
    {"10L(3", 5, "')'"},
    {"10L(3x)", 5, "')'"},
    {"10L~abc", 3, "closing '~'"},
    {"10L@s20", 3, "closing '@'"},
    {"10Lx", 3, "unexpected character 'x'"},
    {"10L~H~(2)", 6, "unexpected character '('"},
    {"10L~H~R(", 8, "indent"},
    {"10L||", 4, "right border"},
    {"10LMM", 4, "'M'"},
    {"10L~a~~b~", 6, "header"},
    {"10L@a@@b@", 6, "picture"},
    {"99999L", 0, "too large"},
    {"10L(40000)", 4, "too large"},
    {"10L20", 5, "alignment letter"},
};

TEST(ColumnFormatTest, MalformedFormatsSayWhereAndWhy) {
  for (const ErrorCase& c : kErrors) {
    SCOPED_TRACE(c.format);
    const auto parsed = rt::ui::parseColumnFormat(c.format);
    ASSERT_TRUE(std::holds_alternative<FormatError>(parsed));
    const FormatError& error = std::get<FormatError>(parsed);
    EXPECT_EQ(error.position, c.position) << error.message;
    EXPECT_NE(error.message.find(c.says), std::string::npos) << error.message;
  }
}

}  // namespace
