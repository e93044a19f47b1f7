// Start-up and shutdown of the whole program: the single-instance guard and
// its messages, the drag setting, the frame's menus, and closing the frame
// with windows open.

#include "app/program_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "runtime/desktop_settings.h"
#include "runtime/named_mutex.h"
#include "runtime/profile.h"
#include "support/session.h"

using rt::ui::kOk;
using testing::ElementsAre;

namespace {

constexpr const char* kFirstText =
    "Se va a pedir un Mutex para evitar que este programa ejecute 2 veces| Ver Global Embeds";
constexpr const char* kAssignedText =
    "El Mutex fue asignado, no se podran generar mas instancias del programa hasta que no se "
    "cierre y se libere el Mutex";

std::string dragSettingOnDisk() {
  return rt::readProfileString("Desktop", "DragFullWindows", "(unset)", "desktop.ini");
}

void expectPlainBox(const rt::ui::MessageBoxInfo& box, const std::string& text) {
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.caption, "");
  EXPECT_FALSE(box.hasIcon);
  EXPECT_THAT(box.buttons, ElementsAre(kOk));
}

void expectHaltBox(const rt::ui::MessageBoxInfo& box) {
  EXPECT_EQ(box.caption, "Halt");
  EXPECT_EQ(box.text, "El programa no puede ejecutarse");
  EXPECT_TRUE(box.hasIcon);
  EXPECT_THAT(box.buttons, ElementsAre(kOk));
}

}  // namespace

TEST(ProgramMain, FirstStartShowsBothBoxesInOrderThenTheFrame) {
  Session session;
  session.start();
  const auto first = session.nextBox();
  expectPlainBox(first, kFirstText);
  EXPECT_THAT(first.lines,
              ElementsAre("Se va a pedir un Mutex para evitar que este programa ejecute 2 veces",
                          " Ver Global Embeds"));
  EXPECT_EQ(session.windowCount("Application"), 0);
  EXPECT_FALSE(session.ui().dismissMessageBox()) << "Escape must not close it";
  session.answer(kOk);
  expectPlainBox(session.nextBox(), kAssignedText);
  EXPECT_EQ(session.windowCount("Application"), 0);
  session.answer(kOk);
  session.waitForWindow("Application");
  EXPECT_EQ(lumo::TextMatcher.option(rt::TextMatcher::kIgnoreCase), 1);
  EXPECT_EQ(lumo::TextMatcher.option(rt::TextMatcher::kWholeWords), 0);
  EXPECT_THAT(session.ui().menuTitles(), ElementsAre("&File", "Test", "&Edit", "&Window", "&Help"));
  EXPECT_THAT(session.ui().menuEntries(0), ElementsAre("P&rint Setup...", "", "E&xit"));
  EXPECT_THAT(session.ui().menuEntries(1), ElementsAre("Secciones Criticas", "Semaforos"));
  EXPECT_THAT(session.ui().statusZones().size(), 4u);
  EXPECT_TRUE(session.ui().highlightMenu(-3));
  EXPECT_EQ(session.ui().statusZones().at(0), "Exit this application");
  // No help file: contents and search do nothing; help on help opens.
  EXPECT_TRUE(session.ui().chooseMenu(-14));
  EXPECT_TRUE(session.ui().chooseMenu(-15));
  EXPECT_TRUE(session.ui().openDialogs().empty());
  EXPECT_TRUE(session.ui().chooseMenu(-16));
  EXPECT_THAT(session.ui().openDialogs(), ElementsAre("help"));
  session.exitProgram();
  EXPECT_TRUE(std::filesystem::exists(session.iniFile()));
}

TEST(ProgramMain, SecondCopyIsRefusedAndHalts) {
  Session session;
  std::int32_t error = -1;
  // The other copy: it holds the mutex for the whole test.
  auto other = rt::NamedMutex::create(lumo::kMutexName, error);
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(other->tryWait(0), rt::NamedMutex::kAcquired);
  session.start();
  expectPlainBox(session.nextBox(), kFirstText);
  session.answer(kOk);
  expectPlainBox(session.nextBox(),
                 "El programa ya esta en ejecucion, no se pueden ejecutar 2 instancias");
  session.answer(kOk);
  expectHaltBox(session.nextBox());
  session.answer(kOk);
  EXPECT_TRUE(session.waitEnded());
  EXPECT_EQ(session.windowCount("Application"), 0);
  EXPECT_FALSE(std::filesystem::exists(session.iniFile()));
  EXPECT_EQ(dragSettingOnDisk(), "(unset)") << "a halt leaves the drag setting alone";
  // The first copy still owns the mutex.
  auto probe = rt::NamedMutex::create(lumo::kMutexName, error);
  EXPECT_EQ(probe->tryWait(0), rt::NamedMutex::kTimeout);
}

TEST(ProgramMain, AbandonedMutexCountsAsAcquired) {
  Session session;
  // An earlier copy died holding the mutex: its pid is still in the file.
  std::ofstream(session.runtimeDir() / lumo::kMutexName) << 999999;
  session.start();
  session.nextBox();
  session.answer(kOk);
  expectPlainBox(session.nextBox(), kAssignedText);
  session.answer(kOk);
  session.waitForWindow("Application");
  EXPECT_EQ(lumo::MutexWaitResult, rt::NamedMutex::kAbandoned);
  session.exitProgram();
}

struct GuardFault {
  rt::NamedMutex::Fault fault;
  std::int32_t error;
  std::string message;
};

void PrintTo(const GuardFault& fault, std::ostream* out) {
  *out << '"' << fault.message << '"';
}

class GuardFailure : public testing::TestWithParam<GuardFault> {
 protected:
  void TearDown() override { rt::NamedMutex::injectFault(rt::NamedMutex::Fault::None); }
};

TEST_P(GuardFailure, ShowsTheCodeAndHalts) {
  Session session;
  rt::NamedMutex::injectFault(GetParam().fault, GetParam().error);
  session.start();
  expectPlainBox(session.nextBox(), kFirstText);
  session.answer(kOk);
  expectPlainBox(session.nextBox(), GetParam().message);
  session.answer(kOk);
  expectHaltBox(session.nextBox());
  session.answer(kOk);
  EXPECT_TRUE(session.waitEnded());
  EXPECT_EQ(session.windowCount("Application"), 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, GuardFailure,
                         testing::Values(GuardFault{rt::NamedMutex::Fault::CreateFails, 13,
                                                    "ERROR: No puede crearse el Mutex 13"},
                                         GuardFault{rt::NamedMutex::Fault::NoHandle, 0,
                                                    "Fallo la espera del Mutex 2"},
                                         GuardFault{rt::NamedMutex::Fault::WaitFails, 0,
                                                    "Fallo la espera del Mutex 3"}));

class DragSetting : public testing::TestWithParam<bool> {};

TEST_P(DragSetting, IsSwitchedOffOnlyWhenOnAndRestoredAfterwards) {
  Session session;
  const bool onBefore = GetParam();
  rt::writeProfileString("Desktop", "DragFullWindows", onBefore ? "1" : "0", "desktop.ini");
  session.startToFrame();
  EXPECT_EQ(lumo::DragSetting, onBefore ? 1u : 0u);
  EXPECT_EQ(dragSettingOnDisk(), "0");
  EXPECT_FALSE(session.ui().fullWindowDrag());
  session.exitProgram();
  EXPECT_EQ(dragSettingOnDisk(), onBefore ? "1" : "0");
  EXPECT_EQ(session.ui().fullWindowDrag(), onBefore);
}

INSTANTIATE_TEST_SUITE_P(OnAndOff, DragSetting, testing::Bool());

TEST(ProgramMain, ExitClosesEveryOwnedWindowInOpeningOrderThenTheFrame) {
  Session session;
  session.startToFrame();
  auto& ui = session.ui();
  ASSERT_TRUE(ui.chooseMenu(-5));
  const auto launcher = session.waitForWindow("Caption");
  ASSERT_TRUE(ui.press(launcher, 2));  // an unlocked writer: busy on every tick
  session.waitForWindow("Modificando Global Queue");
  ASSERT_TRUE(ui.chooseMenu(-6));
  session.waitForWindow("Semaforo");
  ASSERT_TRUE(ui.press(launcher, 1));
  session.waitForWindow("Modificando Global Queue", 2);

  std::vector<rt::ui::WindowId> order;
  for (const auto& w : ui.windows())
    if (w.kind != rt::ui::WindowKind::Frame) order.push_back(w.id);
  ASSERT_EQ(order.size(), 4u);

  ASSERT_TRUE(ui.chooseMenu(-3));
  // Whenever we look, the windows still open are the last ones opened: they
  // go one at a time from the front.
  bool inOrder = true;
  rt::ui::waitUntil(ui, [&] {
    std::vector<rt::ui::WindowId> open;
    for (const auto& w : ui.windows())
      if (w.kind != rt::ui::WindowKind::Frame) open.push_back(w.id);
    inOrder = inOrder &&
              std::equal(open.begin(), open.end(), order.end() - static_cast<long>(open.size()));
    return ui.windows().empty();
  });
  EXPECT_TRUE(inOrder);
  EXPECT_TRUE(session.waitEnded());
  EXPECT_TRUE(ui.windows().empty());
}

TEST(ProgramMain, ExitRightAfterStartingATestStillEnds) {
  // The launcher's window may open before the frame closes, or find it
  // closed: either way nothing is left running.
  for (int round = 0; round < 10; ++round) {
    Session session;
    session.startToFrame();
    ASSERT_TRUE(session.ui().chooseMenu(-5));
    ASSERT_TRUE(session.ui().chooseMenu(-6));
    session.exitProgram();
    EXPECT_TRUE(session.ui().windows().empty());
  }
}
