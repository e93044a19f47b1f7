#pragma once
// The window layer on Qt, and its automation. The display thread runs
// QApplication and these windows; program threads and automation hand their
// calls to it through our own task queue and block until the answer is
// there. The display thread never waits for them.

#include <atomic>
#include <memory>

#include "runtime/qt/change_counter.h"
#include "runtime/qt/display_queue.h"
#include "runtime/ui/automation.h"
#include "runtime/ui/window_layer.h"

class QWidget;

namespace rt::qt {

class Desktop;
class RefreshScheduler;

class QtWindowLayer final : public ui::WindowLayer, public ui::Automation {
 public:
  // Made on the display thread once QApplication exists.
  QtWindowLayer();
  ~QtWindowLayer() override;

  ui::WindowId open(const ui::WindowDefinition& definition, ui::WindowId parent,
                    ui::WindowEvents& events, std::vector<const ui::ListSource*> lists) override;
  void destroy(ui::WindowId window) override;
  ui::Geometry geometry(ui::WindowId window) override;
  void setGeometry(ui::WindowId window, const ui::Geometry& geometry) override;
  ui::WindowState state(ui::WindowId window) override;
  void setState(ui::WindowId window, const ui::WindowState& state) override;
  void redisplay(ui::WindowId window) override;
  void select(ui::WindowId window, int control) override;
  ui::BoxId showMessageBox(const ui::MessageBoxRequest& request, ui::WindowId parent,
                           std::function<void(int)> answered) override;
  void cancelMessageBox(ui::BoxId box) override;
  void requestRefresh() override;
  void setFullWindowDrag(bool on) override;
  ui::Automation& automation() override { return *this; }

  // Automation: acts on the real widgets as a user would (clicks, menu
  // choices, the close box); version() counts what changed on screen.
  std::vector<ui::WindowInfo> windows() override;
  std::vector<ui::ControlInfo> controls(ui::WindowId window) override;
  bool press(ui::WindowId window, int control) override;
  bool chooseMenu(int number) override;
  std::vector<std::string> menuTitles() override;
  std::vector<std::string> menuEntries(int menuIndex) override;
  std::vector<std::string> windowList() override;
  std::vector<std::string> statusZones() override;
  bool highlightMenu(int number) override;
  std::vector<std::string> openDialogs() override;
  std::optional<ui::MessageBoxInfo> messageBox() override;
  bool answer(int button) override;
  bool dismissMessageBox() override;
  std::vector<std::vector<std::string>> listLines(ui::WindowId window, int control) override;
  std::vector<std::string> listHeaders(ui::WindowId window, int control) override;
  bool selectListLine(ui::WindowId window, int control, int line) override;
  int listRedraws(ui::WindowId window, int control) override;
  std::string clipboard() override;
  std::optional<ui::Geometry> windowGeometry(ui::WindowId window) override;
  std::optional<ui::WindowState> windowState(ui::WindowId window) override;
  bool moveTo(ui::WindowId window, const ui::Geometry& geometry) override;
  bool setWindowState(ui::WindowId window, const ui::WindowState& state) override;
  bool close(ui::WindowId window) override;
  bool fullWindowDrag() override;
  std::uint64_t version() override;
  bool waitForChange(std::uint64_t seen, std::chrono::milliseconds timeout) override;

  // Ends the display thread's event loop once the work handed to it before
  // has run. Any thread; the first call counts.
  void quitDisplayLoop();

  // For checks of the Qt side itself: runs work on the display thread, and
  // (there) finds the widget that shows a window.
  template <typename F>
  auto onDisplay(F&& work) {
    return queue_.call(std::forward<F>(work));
  }
  QWidget* widget(ui::WindowId window) const;

 private:
  class Quit final : public DisplayTask {
   public:
    void run() override;
  };

  ChangeCounter changes_;
  DisplayQueue queue_;
  std::unique_ptr<Desktop> desktop_;
  std::unique_ptr<RefreshScheduler> refresh_;
  Quit quit_;
  std::atomic<bool> quitting_{false};
};

}  // namespace rt::qt
