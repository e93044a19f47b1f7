// Display pictures: numbers grouped in threes within their positions, strings
// cut to their length, values shown plainly under unknown pictures, and a
// line formatted by its columns.

#include "runtime/ui/picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using rt::ui::FieldValue;

std::string rightIn(std::size_t positions, const std::string& text) {
  return std::string(positions - text.size(), ' ') + text;
}

struct PictureCase {
  const char* picture;
  FieldValue value;
  std::string shown;
};

const PictureCase kPictures[] = {
    {"@n-20.0", std::int64_t{0}, rightIn(20, "0")},
    {"@n-20.0", std::int64_t{7}, rightIn(20, "7")},
    {"@n-20.0", std::int64_t{999}, rightIn(20, "999")},
    {"@n-20.0", std::int64_t{1000}, rightIn(20, "1,000")},
    {"@n-20.0", std::int64_t{1234567}, rightIn(20, "1,234,567")},
    {"@n-20.0", std::int64_t{-1234567}, rightIn(20, "-1,234,567")},
    {"@n-20.0", std::int64_t{-100}, rightIn(20, "-100")},
    {"@n-20.0", std::int64_t{999'999'999'999'999}, rightIn(20, "999,999,999,999,999")},
    {"@n-20.0", std::int64_t{-999'999'999'999'999}, "-999,999,999,999,999"},
    {"@n-20.0", std::numeric_limits<std::int64_t>::min(), std::string(20, '#')},
    {"@n-20.2", std::int64_t{-1234}, rightIn(20, "-1,234.00")},
    {"@n6", std::int64_t{1234567}, "######"},
    {"@n", std::int64_t{1234567}, "1,234,567"},
    {"@n-20.0", std::string("abc"), "abc"},
    {"@s200", std::string(250, 'x'), std::string(200, 'x')},
    {"@s200", std::string("TEST 7"), "TEST 7"},
    {"@s3", std::string("h\xC3\xA9llo"), "h\xC3\xA9l"},  // characters, not bytes
    {"@s3", std::int64_t{-12345}, "-12"},
    {"", std::int64_t{-1234567}, "-1234567"},
    {"@s", std::string("plain"), "plain"},
    {"@x5", std::int64_t{42}, "42"},
    {"@n-20.0x", std::int64_t{1000}, "1000"},
    {"@s-5", std::string("plain"), "plain"},
};

TEST(PictureTest, ShowsValuesAsThePictureSays) {
  for (const PictureCase& c : kPictures) {
    SCOPED_TRACE(testing::Message() << c.picture << " " << c.value.index());
    EXPECT_EQ(rt::ui::formatPicture(c.picture, c.value), c.shown);
  }
}

TEST(PictureTest, FormatsALineByItsColumnsReusingTheTexts) {
  std::vector<rt::ui::Column> columns(3);
  columns[0].picture = "@n-20.0";
  columns[1].picture = "@s200";
  columns[2].picture = "@s3";
  std::vector<std::string> texts;

  rt::ui::formatLine(columns, {std::int64_t{1234}, std::string("Test 1"), std::string("TEST 1")},
                     texts);
  EXPECT_EQ(texts, (std::vector<std::string>{rightIn(20, "1,234"), "Test 1", "TES"}));

  // Missing values show empty, extra ones are ignored, and the texts keep
  // their storage from line to line.
  const char* storage = texts[0].data();
  rt::ui::formatLine(columns, {std::int64_t{5}}, texts);
  EXPECT_EQ(texts, (std::vector<std::string>{rightIn(20, "5"), "", ""}));
  EXPECT_EQ(texts[0].data(), storage);
  rt::ui::formatLine(columns,
                     {std::int64_t{1}, std::string("a"), std::string("b"), std::int64_t{9}}, texts);
  EXPECT_EQ(texts, (std::vector<std::string>{rightIn(20, "1"), "a", "b"}));
}

}  // namespace
