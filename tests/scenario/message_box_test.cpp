// Message boxes as any program thread shows them: the buttons of a set in
// their fixed order, the default button, the value returned, and no way to
// close one but its buttons.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>

#include "runtime/message.h"
#include "runtime/program.h"
#include "support/backend.h"
#include "support/session.h"

using namespace rt::ui;

namespace {

struct BoxCase {
  int buttons;
  int defaultButton;
  std::vector<int> shown;
  int shownDefault;
  int pressed;
};

void PrintTo(const BoxCase& c, std::ostream* out) {
  *out << "set " << c.buttons << ", default " << c.defaultButton << ", pressed " << c.pressed;
}

class MessageBoxes : public testing::TestWithParam<BoxCase> {};

}  // namespace

TEST_P(MessageBoxes, ShowTheSetInOrderAndReturnThePressedButton) {
  const BoxCase& c = GetParam();
  Session session;  // scratch directories
  std::mutex mutex;
  int returned = -1;
  rt::Program program;
  program.main = [&] {
    MessageBoxRequest request;
    request.text = "Uno|Dos";
    request.caption = "Prueba";
    request.buttons = c.buttons;
    request.defaultButton = c.defaultButton;
    const int result = rt::messageBox(request);
    std::lock_guard lock(mutex);
    returned = result;
  };
  rt::ProgramRun run(testLayer(), program);
  auto& ui = testLayer().automation();
  std::optional<MessageBoxInfo> box;
  ASSERT_TRUE(waitUntil(ui, [&] { return (box = ui.messageBox()).has_value(); }));
  EXPECT_THAT(box->lines, testing::ElementsAre("Uno", "Dos"));
  EXPECT_EQ(box->caption, "Prueba");
  EXPECT_EQ(box->buttons, c.shown);
  EXPECT_EQ(box->defaultButton, c.shownDefault);
  EXPECT_FALSE(ui.dismissMessageBox());
  EXPECT_FALSE(ui.answer(kHelp << 1)) << "no such button";
  ASSERT_TRUE(ui.answer(c.pressed));
  ASSERT_TRUE(run.waitEnded(std::chrono::seconds(60)));
  std::lock_guard lock(mutex);
  EXPECT_EQ(returned, c.pressed);
}

INSTANTIATE_TEST_SUITE_P(Sets, MessageBoxes,
                         testing::Values(BoxCase{kOk, 0, {kOk}, kOk, kOk},
                                         BoxCase{kYes | kNo, kNo, {kYes, kNo}, kNo, kYes},
                                         BoxCase{kYes | kNo, kNo, {kYes, kNo}, kNo, kNo},
                                         BoxCase{kHelp | kAbort | kRetry | kIgnore,
                                                 kIgnore,
                                                 {kAbort, kRetry, kIgnore, kHelp},
                                                 kIgnore,
                                                 kRetry},
                                         BoxCase{kOk | kCancel, kYes, {kOk, kCancel}, kOk, kCancel},
                                         // No button in the set: the box still has "OK".
                                         BoxCase{0, 0, {kOk}, kOk, kOk}));

TEST(MessageBoxes, ButtonTextsFollowTheirValues) {
  const std::vector<std::pair<int, std::string>> texts = {{kOk, "OK"},         {kYes, "&Yes"},
                                                          {kNo, "&No"},        {kAbort, "&Abort"},
                                                          {kRetry, "&Retry"},  {kIgnore, "&Ignore"},
                                                          {kCancel, "Cancel"}, {kHelp, "&Help"},
                                                          {kYes | kNo, ""},    {0, ""}};
  for (const auto& [button, text] : texts) EXPECT_EQ(buttonText(button), text) << button;
}

TEST(WindowLayer, UnknownControlsAndMenuEntriesAreRefused) {
  Session session;
  const auto frame = session.startToFrame();
  auto& ui = session.ui();
  EXPECT_FALSE(ui.chooseMenu(-99));
  EXPECT_FALSE(ui.chooseMenu(-4)) << "a menu title is not an entry";
  ASSERT_TRUE(ui.chooseMenu(-5));
  const auto launcher = session.waitForWindow("Caption");
  EXPECT_FALSE(ui.press(launcher, 0));
  EXPECT_FALSE(ui.press(launcher, 4));
  EXPECT_FALSE(ui.press(frame, 1)) << "the frame has no controls";
  EXPECT_FALSE(ui.close(987654));
  EXPECT_TRUE(ui.listLines(launcher, 1).empty());
  session.exitProgram();
}
