#include "support/session.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>

#include "app/program.h"
#include "support/backend.h"

namespace {

constexpr auto kPatience = std::chrono::seconds(60);

}  // namespace

Session::Session() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lumo-session-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create " << pattern;
  root_ = pattern;
  config_ = root_ / "config";
  runtime_ = root_ / "runtime";
  std::filesystem::create_directories(config_);
  std::filesystem::create_directories(runtime_);
  setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
}

Session::~Session() {
  if (run_ && !run_->ended()) {
    // Leave as a user would: answer what is asked, then close the frame.
    auto& automation = ui();
    bool closing = false;
    rt::ui::waitUntil(
        automation,
        [&] {
          if (run_->ended()) return true;
          if (const auto box = automation.messageBox()) {
            automation.answer(box->buttons.back());
            return false;
          }
          for (const auto& window : automation.windows())
            if (window.kind == rt::ui::WindowKind::Frame && !closing)
              closing = automation.close(window.id);
          return false;
        },
        kPatience);
    EXPECT_TRUE(run_->ended()) << "the program did not end";
  }
  run_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void Session::start() {
  run_ = std::make_unique<rt::ProgramRun>(testLayer(), lumo::program());
}

rt::ui::Automation& Session::ui() {
  return testLayer().automation();
}

rt::ui::MessageBoxInfo Session::nextBox() {
  std::optional<rt::ui::MessageBoxInfo> box;
  const bool shown = rt::ui::waitUntil(
      ui(),
      [&] {
        box = ui().messageBox();
        return box && box->id > lastBox_;
      },
      kPatience);
  EXPECT_TRUE(shown) << "no new message box on " << backendName();
  if (!shown) return {};
  lastBox_ = box->id;
  return *box;
}

void Session::answer(int button) {
  EXPECT_TRUE(ui().answer(button));
}

rt::ui::WindowId Session::startToFrame() {
  start();
  answer(nextBox().buttons.at(0));
  answer(nextBox().buttons.at(0));
  return waitForWindow("Application");
}

int Session::windowCount(const std::string& caption) {
  const auto windows = ui().windows();
  return static_cast<int>(std::count_if(windows.begin(), windows.end(),
                                        [&](const auto& w) { return w.caption == caption; }));
}

rt::ui::WindowId Session::waitForWindow(const std::string& caption, int count) {
  EXPECT_TRUE(rt::ui::waitUntil(
      ui(), [&] { return windowCount(caption) >= count; }, kPatience))
      << "no window \"" << caption << "\"";
  const auto windows = ui().windows();
  for (auto w = windows.rbegin(); w != windows.rend(); ++w)
    if (w->caption == caption) return w->id;
  return 0;
}

bool Session::waitForNoWindow(const std::string& caption) {
  return rt::ui::waitUntil(
      ui(), [&] { return windowCount(caption) == 0; }, kPatience);
}

void Session::exitProgram() {
  EXPECT_TRUE(ui().chooseMenu(-3));
  EXPECT_TRUE(waitEnded()) << "the program did not end after E&xit";
}

bool Session::waitEnded() {
  return run_ && run_->waitEnded(kPatience);
}

bool Session::ended() const {
  return run_ && run_->ended();
}
