// The critical-section test: the launcher refills the queue, safe writers
// never corrupt a row, unsafe ones do, and everything closes on exit.

#include "windows/critical_section_test.h"

#include <gtest/gtest.h>

#include "state/global_queue.h"
#include "support/queue_rows.h"
#include "support/session.h"

namespace {

constexpr int kSafe = 1, kUnsafe = 2, kViewer = 3;
constexpr const char* kWriterCaption = "Modificando Global Queue";

// Waits until the writers have written back at least pairs more rows.
bool waitForWrites(Session& session, std::uint64_t pairs) {
  const std::uint64_t until = lumo::GlobalQueue.changeCount() + pairs;
  return rt::ui::waitUntil(
      session.ui(), [&] { return lumo::GlobalQueue.changeCount() >= until; },
      std::chrono::seconds(120));
}

}  // namespace

TEST(CriticalSection, TheLauncherRefillsTheQueueWithOneHundredKnownRows) {
  Session session;
  session.startToFrame();
  ASSERT_TRUE(session.ui().chooseMenu(-5));
  const auto launcher = session.waitForWindow("Caption");
  ASSERT_TRUE(rt::ui::waitUntil(session.ui(), [] { return lumo::GlobalQueue.count() == 100; }));
  const auto rows = queueRows();
  ASSERT_EQ(rows.size(), 100u);
  for (int n = 1; n <= 100; ++n) EXPECT_TRUE(rows[n - 1].intactAt(n)) << "row " << n;
  EXPECT_EQ(lumo::GlobalQueue.current(), 100);
  const auto controls = session.ui().controls(launcher);
  ASSERT_EQ(controls.size(), 3u);
  EXPECT_EQ(controls[0].text, "Acceso Seguro");
  EXPECT_EQ(controls[1].text, "Acceso Inseguro");
  EXPECT_EQ(controls[2].text, "Ver Queue");
  session.exitProgram();
}

TEST(CriticalSection, SafeWritersTogetherLeaveEveryRowAsItWas) {
  Session session;
  session.startToFrame();
  ASSERT_TRUE(session.ui().chooseMenu(-5));
  const auto launcher = session.waitForWindow("Caption");
  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(session.ui().press(launcher, kSafe));
    session.waitForWindow(kWriterCaption, i);
  }
  ASSERT_TRUE(waitForWrites(session, 6 * lumo::kPairsPerTick));
  EXPECT_EQ(brokenRows(), 0);
  EXPECT_EQ(lumo::GlobalQueue.count(), 100);
  session.exitProgram();
}

TEST(CriticalSection, UnsafeWritersCorruptRowsAndTheQueueStaysUsable) {
  Session session;
  session.startToFrame();
  ASSERT_TRUE(session.ui().chooseMenu(-5));
  const auto launcher = session.waitForWindow("Caption");
  ASSERT_TRUE(session.ui().press(launcher, kUnsafe));
  ASSERT_TRUE(session.ui().press(launcher, kUnsafe));
  session.waitForWindow(kWriterCaption, 2);
  EXPECT_TRUE(rt::ui::waitUntil(
      session.ui(), [] { return brokenRows() > 0; }, std::chrono::seconds(120)))
      << "two unlocked writers never mixed up a row";
  EXPECT_EQ(lumo::GlobalQueue.count(), 100);
  session.exitProgram();
}

TEST(CriticalSection, WritersOfEveryKindAndARefillRunTogetherAndAllCloseOnExit) {
  Session session;
  session.startToFrame();
  auto& ui = session.ui();
  ASSERT_TRUE(ui.chooseMenu(-5));
  const auto first = session.waitForWindow("Caption");
  for (int button : {kUnsafe, kUnsafe, kSafe, kSafe, kViewer}) ASSERT_TRUE(ui.press(first, button));
  session.waitForWindow(kWriterCaption, 4);
  session.waitForWindow("Global Queue");
  // A second launcher refills the queue while the writers run.
  ASSERT_TRUE(ui.chooseMenu(-5));
  session.waitForWindow("Caption", 2);
  ASSERT_TRUE(waitForWrites(session, 20 * lumo::kPairsPerTick));
  EXPECT_EQ(lumo::GlobalQueue.count(), 100);
  for (const auto& row : queueRows()) {
    EXPECT_GE(row.c0, 0);
    EXPECT_LE(row.c0, 100);
  }
  session.exitProgram();
}
