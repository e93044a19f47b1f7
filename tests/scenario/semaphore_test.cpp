// The semaphore test: each press of "Poner en Verde!" releases GreenLight
// once, the waiting thread asks whether to keep waiting, presses beyond one
// collapse, "&No" ends the waiting, and the program ends in every state.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "state/green_light.h"
#include "support/session.h"

using rt::ui::kNo;
using rt::ui::kYes;

namespace {

constexpr int kButton = 2;

// Runs the test in a directory with or without "Semaforo.ico".
class WorkingDirectory {
 public:
  explicit WorkingDirectory(bool withIcon) : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumo-cwd-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    if (withIcon)
      std::filesystem::copy_file(std::filesystem::path(LUMO_RESOURCES) / "Semaforo.ico",
                                 dir_ / "Semaforo.ico");
    std::filesystem::current_path(dir_);
  }
  ~WorkingDirectory() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(dir_);
  }

 private:
  std::filesystem::path previous_, dir_;
};

rt::ui::WindowId openSemaforo(Session& session) {
  session.startToFrame();
  EXPECT_TRUE(session.ui().chooseMenu(-6));
  return session.waitForWindow("Semaforo");
}

bool noBoxAndCountIs(Session& session, int count) {
  return rt::ui::waitUntil(session.ui(), [&] {
    return !session.ui().messageBox() && lumo::GreenLight.count() == count;
  });
}

}  // namespace

TEST(Semaforo, EachPressShowsTheQuestionOnceAndYesWaitsAgain) {
  WorkingDirectory cwd(true);
  Session session;
  const auto window = openSemaforo(session);
  ASSERT_TRUE(session.ui().press(window, kButton));
  const auto question = session.nextBox();
  EXPECT_EQ(question.caption, "Mensaje");
  EXPECT_THAT(question.lines, testing::ElementsAre("Semaforo en Verde! ", "Continuar Esperando?"));
  EXPECT_THAT(question.buttons, testing::ElementsAre(kYes, kNo));
  EXPECT_EQ(question.defaultButton, kNo);
  EXPECT_TRUE(question.onTop);
  EXPECT_TRUE(question.hasIcon);
  EXPECT_NE(question.parent, 0u) << "modal to the frame";
  EXPECT_FALSE(session.ui().dismissMessageBox());
  session.answer(kYes);
  ASSERT_TRUE(noBoxAndCountIs(session, 0));
  ASSERT_TRUE(session.ui().press(window, kButton));
  session.nextBox();
  session.answer(kYes);
  session.exitProgram();
}

TEST(Semaforo, PressesWhileTheQuestionIsUpLetTheWaiterThroughOnce) {
  WorkingDirectory cwd(true);
  Session session;
  const auto window = openSemaforo(session);
  ASSERT_TRUE(session.ui().press(window, kButton));
  session.nextBox();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(session.ui().press(window, kButton));
  ASSERT_TRUE(rt::ui::waitUntil(session.ui(), [] { return lumo::GreenLight.count() == 1; }));
  session.answer(kYes);
  session.nextBox();
  // The three presses were taken as one: nothing is left to let it through.
  EXPECT_EQ(lumo::GreenLight.count(), 0);
  session.answer(kYes);
  EXPECT_TRUE(noBoxAndCountIs(session, 0));
  session.exitProgram();
}

TEST(Semaforo, AfterNoPressesShowNothing) {
  WorkingDirectory cwd(true);
  Session session;
  const auto window = openSemaforo(session);
  ASSERT_TRUE(session.ui().press(window, kButton));
  session.nextBox();
  session.answer(kNo);
  // Nobody waits any more: each press only raises the count, to at most 1.
  ASSERT_TRUE(session.ui().press(window, kButton));
  ASSERT_TRUE(session.ui().press(window, kButton));
  EXPECT_TRUE(noBoxAndCountIs(session, 1));
  session.exitProgram();
}

TEST(Semaforo, WithoutTheIconFileTheQuestionHasNoIconButTheWindowHasItsPicture) {
  WorkingDirectory cwd(false);
  Session session;
  const auto window = openSemaforo(session);
  const auto controls = session.ui().controls(window);
  ASSERT_EQ(controls.size(), 2u);
  EXPECT_EQ(controls[0].kind, rt::ui::ControlKind::Image);
  EXPECT_TRUE(controls[0].hasPicture);
  EXPECT_EQ(controls[1].text, "Poner en Verde!");
  ASSERT_TRUE(session.ui().press(window, kButton));
  EXPECT_FALSE(session.nextBox().hasIcon);
  session.answer(kNo);
  session.exitProgram();
}

TEST(Semaforo, TheProgramEndsWhileTheThreadWaits) {
  Session session;
  session.startToFrame();
  session.exitProgram();  // EsperaSemaforo is waiting on GreenLight
}

TEST(Semaforo, TheProgramEndsWhileTheQuestionIsUp) {
  WorkingDirectory cwd(true);
  Session session;
  const auto window = openSemaforo(session);
  ASSERT_TRUE(session.ui().press(window, kButton));
  session.nextBox();
  session.exitProgram();
  EXPECT_FALSE(session.ui().messageBox());
}
