// Reading an .ico icon group's directory and choosing the image for a size.

#include "runtime/ui/icon_group.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/little_endian.h"

namespace {

using rt::ui::chooseIconImage;
using rt::ui::IconImage;
using rt::ui::parseIconGroup;

struct Entry {
  int side;  // 256 is written as 0, as in real files
  int bitCount;
};

// An icon group whose image i is (i + 1) bytes, each holding the value i + 1,
// so a test can tell which span belongs to which entry.
std::vector<unsigned char> iconFile(const std::vector<Entry>& entries) {
  std::vector<unsigned char> out;
  put16(out, 0);
  put16(out, 1);
  put16(out, static_cast<unsigned>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto side = static_cast<unsigned char>(entries[i].side == 256 ? 0 : entries[i].side);
    out.push_back(side);
    out.push_back(side);
    out.push_back(0);  // colour count
    out.push_back(0);  // reserved
    put16(out, 1);     // planes
    put16(out, static_cast<unsigned>(entries[i].bitCount));
    put32(out, static_cast<std::uint32_t>(i + 1));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(i + 1);
  }
  for (std::size_t i = 0; i < entries.size(); ++i) out.insert(out.end(), i + 1, i + 1);
  return out;
}

TEST(IconGroup, ReadsEveryEntryOfTheDirectory) {
  const auto bytes = iconFile({{16, 4}, {32, 4}, {256, 32}});
  const auto images = parseIconGroup(bytes);
  ASSERT_TRUE(images.has_value());
  ASSERT_EQ(images->size(), 3u);
  const int sides[] = {16, 32, 256};
  const int bits[] = {4, 4, 32};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ((*images)[i].width, sides[i]);
    EXPECT_EQ((*images)[i].height, sides[i]);
    EXPECT_EQ((*images)[i].bitCount, bits[i]);
    EXPECT_EQ((*images)[i].bytes.size(), i + 1);
    EXPECT_EQ((*images)[i].bytes.front(), i + 1);
  }
}

struct ChoiceCase {
  std::string name;
  std::vector<Entry> entries;
  int size;
  std::size_t expected;
};

TEST(IconGroup, ChoosesTheLargestNotLargerElseTheSmallestLarger) {
  const std::vector<ChoiceCase> cases = {
      {"exact size", {{16, 4}, {32, 4}, {48, 4}}, 32, 1},
      {"largest below", {{16, 4}, {24, 4}, {48, 4}}, 32, 1},
      {"order does not matter", {{24, 4}, {16, 4}, {48, 4}}, 32, 0},
      {"only larger: smallest of them", {{64, 4}, {48, 4}, {256, 32}}, 32, 1},
      {"only smaller: largest of them", {{16, 4}, {24, 4}}, 32, 1},
      {"single image larger", {{48, 4}}, 32, 0},
      {"single image smaller", {{16, 4}}, 32, 0},
      {"same size: more colours", {{32, 4}, {32, 32}, {32, 8}}, 32, 1},
      {"same size and colours: first", {{32, 4}, {32, 4}}, 32, 0},
      {"a 256 entry is 256 pixels", {{256, 32}, {128, 32}}, 200, 1},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bytes = iconFile(c.entries);
    const auto images = parseIconGroup(bytes);
    ASSERT_TRUE(images.has_value());
    const auto chosen = chooseIconImage(*images, c.size);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, c.expected);
  }
}

TEST(IconGroup, NothingToChooseFromGivesNothing) {
  EXPECT_FALSE(chooseIconImage({}, 32).has_value());
}

TEST(IconGroup, RefusesMalformedBytes) {
  const auto good = iconFile({{16, 4}, {32, 4}});
  struct Bad {
    std::string name;
    std::vector<unsigned char> bytes;
  };
  std::vector<Bad> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"header cut short", {0, 0, 1}});
  cases.push_back({"no images", {0, 0, 1, 0, 0, 0}});
  cases.push_back({"directory cut short", {good.begin(), good.begin() + 6 + 16 + 8}});
  cases.push_back({"image data cut short", {good.begin(), good.end() - 1}});
  auto cursor = good;
  cursor[2] = 2;
  cases.push_back({"a cursor, not an icon", cursor});
  auto reserved = good;
  reserved[0] = 1;
  cases.push_back({"reserved field set", reserved});
  auto offsetPastEnd = good;
  offsetPastEnd[6 + 12] = 0xff;
  offsetPastEnd[6 + 15] = 0xff;
  cases.push_back({"offset far past the end", offsetPastEnd});
  auto sizeOverflow = good;
  for (int i = 8; i < 12; ++i) sizeOverflow[6 + i] = 0xff;
  cases.push_back({"size wraps around", sizeOverflow});
  auto insideDirectory = good;
  insideDirectory[6 + 12] = 2;
  insideDirectory[6 + 13] = 0;
  cases.push_back({"image inside the directory", insideDirectory});
  auto emptyImage = good;
  emptyImage[6 + 8] = 0;
  cases.push_back({"image of no bytes", emptyImage});
  auto tooMany = good;
  tooMany[4] = 0xff;
  tooMany[5] = 0xff;
  cases.push_back({"count larger than the file", tooMany});

  for (const Bad& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(parseIconGroup(c.bytes).has_value());
  }
  EXPECT_TRUE(parseIconGroup(good).has_value());
}

}  // namespace
