// Every window reopens where it was: the placement is written to "lumo.INI"
// when a window closes and applied when it opens again.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "runtime/profile.h"
#include "support/session.h"

namespace {

std::string fileText(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The window is shown before its saved placement is applied: wait for it.
bool placedAt(Session& session, rt::ui::WindowId window, const rt::ui::Geometry& at) {
  return rt::ui::waitUntil(session.ui(), [&] { return session.ui().windowGeometry(window) == at; });
}

bool inState(Session& session, rt::ui::WindowId window, const rt::ui::WindowState& state) {
  return rt::ui::waitUntil(session.ui(), [&] { return session.ui().windowState(window) == state; });
}

rt::ui::WindowId reopen(Session& session, int menu, const std::string& caption) {
  EXPECT_TRUE(session.ui().chooseMenu(menu));
  return session.waitForWindow(caption);
}

}  // namespace

TEST(Positions, AFirstRunWritesTheFrameAndAnEmptyList) {
  Session session;
  EXPECT_FALSE(std::filesystem::exists(session.iniFile()));
  session.startToFrame();
  session.exitProgram();
  const std::string text = fileText(session.iniFile());
  EXPECT_THAT(text, testing::MatchesRegex("\\[Main\\]\nMaximize=No\nMinimize=No\nXPos=-?[0-9]+\n"
                                          "YPos=-?[0-9]+\nWidth=[0-9]+\nHeight=[0-9]+\n"
                                          "\\[__Dont_Touch_Me__\\]\nSectors=0\n"));
}

TEST(Positions, MovedAndResizedWindowsReopenWhereTheyWere) {
  Session session;
  auto frame = session.startToFrame();
  auto& ui = session.ui();
  auto semaforo = reopen(session, -6, "Semaforo");
  auto launcher = reopen(session, -5, "Caption");
  const rt::ui::Geometry frameAt{-7, 11, 300, 240}, semaforoAt{20, -3, 190, 60};
  ASSERT_TRUE(ui.moveTo(frame, frameAt));
  ASSERT_TRUE(ui.moveTo(semaforo, semaforoAt));
  const auto launcherBefore = *ui.windowGeometry(launcher);
  ASSERT_TRUE(ui.moveTo(launcher, {33, 44, 999, 999}));  // not resizable: only moves
  session.exitProgram();

  EXPECT_EQ(rt::readProfileString("TestCriticalSection", "XPos", "", "lumo.INI"), "33");
  EXPECT_EQ(rt::readProfileString("TestCriticalSection", "Width", "none", "lumo.INI"), "none");
  EXPECT_EQ(rt::readProfileString("Main", "XPos", "", "lumo.INI"), "-7");

  frame = session.startToFrame();
  EXPECT_TRUE(placedAt(session, frame, frameAt));
  semaforo = reopen(session, -6, "Semaforo");
  EXPECT_TRUE(placedAt(session, semaforo, semaforoAt));
  launcher = reopen(session, -5, "Caption");
  EXPECT_TRUE(placedAt(session, launcher, {33, 44, launcherBefore.width, launcherBefore.height}));
  session.exitProgram();
}

TEST(Positions, MaximisedAndMinimisedWindowsReopenSoAndForgetTheirPlace) {
  Session session;
  const auto frame = session.startToFrame();
  auto& ui = session.ui();
  const auto semaforo = reopen(session, -6, "Semaforo");
  ASSERT_TRUE(ui.setWindowState(frame, {true, false}));
  ASSERT_TRUE(ui.setWindowState(semaforo, {false, true}));
  session.exitProgram();
  EXPECT_EQ(rt::readProfileString("Main", "Maximize", "", "lumo.INI"), "Yes");
  EXPECT_EQ(rt::readProfileString("Main", "Minimize", "", "lumo.INI"), "No");
  EXPECT_EQ(rt::readProfileString("TestSemaforo", "Maximize", "", "lumo.INI"), "No");
  EXPECT_EQ(rt::readProfileString("TestSemaforo", "Minimize", "", "lumo.INI"), "Yes");
  for (const char* key : {"XPos", "YPos", "Width", "Height"}) {
    EXPECT_EQ(rt::readProfileString("Main", key, "gone", "lumo.INI"), "gone") << key;
    EXPECT_EQ(rt::readProfileString("TestSemaforo", key, "gone", "lumo.INI"), "gone") << key;
  }

  const auto frameAgain = session.startToFrame();
  EXPECT_TRUE(inState(session, frameAgain, {true, false}));
  const auto semaforoAgain = reopen(session, -6, "Semaforo");
  EXPECT_TRUE(inState(session, semaforoAgain, {false, true}));
  session.exitProgram();
}

TEST(Positions, AnUnusableMaximizeValueLeavesTheDefinedPlacement) {
  Session session;
  rt::writeProfileString("TestSemaforo", "Maximize", "yes", "lumo.INI");
  rt::writeProfileString("TestSemaforo", "Minimize", "Yes", "lumo.INI");
  rt::writeProfileString("TestSemaforo", "XPos", "77", "lumo.INI");
  session.startToFrame();
  const auto semaforo = reopen(session, -6, "Semaforo");
  const auto defined = *session.ui().windowGeometry(semaforo);
  // The launcher opens after the semaphore window has been placed.
  reopen(session, -5, "Caption");
  EXPECT_EQ(*session.ui().windowGeometry(semaforo), defined);
  EXPECT_NE(defined.x, 77);
  EXPECT_FALSE(session.ui().windowState(semaforo)->minimized);
  session.exitProgram();
}
