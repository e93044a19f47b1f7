#pragma once
// The window layer in memory: windows, controls, menus and message boxes are
// plain records, driven through the automation interface. Deterministic and
// quick, for scenario tests; the Qt backend must behave the same way.

#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

#include "runtime/ui/automation.h"
#include "runtime/ui/column_format.h"
#include "runtime/ui/window_layer.h"

namespace rt::headless {

class HeadlessLayer final : public ui::WindowLayer, public ui::Automation {
 public:
  // WindowLayer
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

  // Automation
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

 private:
  struct List {
    int control = 0;
    const ui::ListSource* source = nullptr;
    std::vector<ui::Column> columns;
    std::uint64_t seenChanges = 0;
    int count = 0;
    int selected = 0;  // 1-based; 0: none
    int redraws = 0;
  };
  struct Record {
    ui::WindowDefinition definition;
    ui::WindowId parent = 0;
    ui::WindowEvents* events = nullptr;
    ui::Geometry geometry;
    ui::WindowState state;
    std::vector<List> lists;
    int focus = 0;
  };
  struct Box {
    ui::BoxId id = 0;
    ui::MessageBoxRequest request;
    ui::WindowId parent = 0;
    std::function<void(int)> answered;
  };

  Record* find(ui::WindowId window);  // with mutex_ held
  List* findList(ui::WindowId window, int control);
  const ui::MenuEntry* findEntry(int number) const;
  ui::WindowId frameId() const;
  void refreshLists();
  void changed();                                  // with mutex_ held
  void standardAction(ui::StandardAction action);  // with mutex_ held

  std::mutex mutex_;
  std::condition_variable versionChanged_;
  std::uint64_t version_ = 0;
  ui::WindowId nextId_ = 1;
  std::map<ui::WindowId, Record> windows_;  // ids grow: map order is opening order
  std::vector<Box> boxes_;
  ui::BoxId nextBox_ = 1;
  std::vector<std::string> status_;
  std::vector<std::string> dialogs_;
  std::string clipboard_;
  bool fullWindowDrag_ = true;
};

}  // namespace rt::headless
