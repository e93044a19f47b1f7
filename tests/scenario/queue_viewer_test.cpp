// The queue viewer: one line per row with the exact texts, live refresh
// after a refill, its own top-level window, and "&Copy" of a line.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "support/session.h"

namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool showsTheRefilledRows(const std::vector<std::vector<std::string>>& lines) {
  if (lines.size() != 100) return false;
  for (int n = 1; n <= 100; ++n) {
    const auto& line = lines[static_cast<std::size_t>(n - 1)];
    if (line.size() != 3 || trimmed(line[0]) != std::to_string(n) ||
        line[1] != "Test " + std::to_string(n) || trimmed(line[2]) != "TEST " + std::to_string(n))
      return false;
  }
  return true;
}

}  // namespace

TEST(QueueViewer, ListsEveryRowAndFollowsARefill) {
  Session session;
  session.startToFrame();
  auto& ui = session.ui();
  ASSERT_TRUE(ui.chooseMenu(-5));
  const auto launcher = session.waitForWindow("Caption");
  ASSERT_TRUE(ui.press(launcher, 3));
  const auto viewer = session.waitForWindow("Global Queue");
  EXPECT_THAT(ui.listHeaders(viewer, 1), testing::ElementsAre("C 0", "C 1", "C 2"));
  EXPECT_TRUE(showsTheRefilledRows(ui.listLines(viewer, 1)));
  // Not a child window: the window list does not name it.
  const auto listed = ui.windowList();
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "Global Queue"), 0);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "Caption"), 1);

  // Unsafe writers mix rows up; a second launcher's refill puts them back,
  // and the viewer shows it after the next refresh.
  ASSERT_TRUE(ui.press(launcher, 2));
  ASSERT_TRUE(ui.press(launcher, 2));
  session.waitForWindow("Modificando Global Queue", 2);
  for (const auto& w : ui.windows()) {
    if (w.caption == "Modificando Global Queue") {
      ASSERT_TRUE(ui.close(w.id));
    }
  }
  ASSERT_TRUE(session.waitForNoWindow("Modificando Global Queue"));
  const int redraws = ui.listRedraws(viewer, 1);
  ASSERT_TRUE(ui.chooseMenu(-5));
  session.waitForWindow("Caption", 2);
  EXPECT_TRUE(rt::ui::waitUntil(ui, [&] {
    return ui.listRedraws(viewer, 1) > redraws && showsTheRefilledRows(ui.listLines(viewer, 1));
  }));

  ASSERT_TRUE(ui.selectListLine(viewer, 1, 5));
  ASSERT_TRUE(ui.chooseMenu(-9));
  const std::string copied = ui.clipboard();
  EXPECT_EQ(trimmed(copied.substr(0, copied.find('\t'))), "5");
  EXPECT_NE(copied.find("\tTest 5\t"), std::string::npos) << copied;
  session.exitProgram();
}
