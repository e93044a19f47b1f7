#pragma once
// What the Qt-only checks share: the process's Qt window layer, windows that
// close themselves at the end of a test, events recorded as a window reports
// them, and a list source over rows in memory that counts what is read.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "runtime/qt/qt_window_layer.h"
#include "runtime/ui/events.h"
#include "runtime/ui/list_source.h"
#include "runtime/ui/window_definition.h"
#include "support/backend.h"
#include "windows/main_frame.h"

namespace gui {

inline rt::qt::QtWindowLayer& layer() {
  return dynamic_cast<rt::qt::QtWindowLayer&>(testLayer());
}

inline constexpr auto kPatience = std::chrono::seconds(30);

// Every event a window reported, in order.
class RecordedEvents final : public rt::ui::WindowEvents {
 public:
  void post(int code, int control) override {
    std::lock_guard lock(mutex_);
    events_.emplace_back(code, control);
    posted_.notify_all();
  }
  bool waitFor(int code, int control = 0) {
    std::unique_lock lock(mutex_);
    return posted_.wait_for(lock, kPatience, [&] { return countLocked(code, control) > 0; });
  }
  int count(int code, int control = 0) {
    std::lock_guard lock(mutex_);
    return countLocked(code, control);
  }
  void clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
  }

 private:
  int countLocked(int code, int control) const {
    int n = 0;
    for (const auto& [c, k] : events_) n += c == code && k == control ? 1 : 0;
    return n;
  }
  std::mutex mutex_;
  std::condition_variable posted_;
  std::vector<std::pair<int, int>> events_;
};

// Rows n = 1..count of (n, "Test n", "TEST n"); counts the lines read.
class RowSource final : public rt::ui::ListSource {
 public:
  explicit RowSource(int count) : count_(count) {}
  int count() const override { return count_.load(); }
  std::uint64_t changeCount() const override { return changes_.load(); }
  void line(int n, std::vector<rt::ui::FieldValue>& out) const override {
    ++reads_;
    out.clear();
    if (n < 1 || n > count_.load()) {
      out.resize(3);
      return;
    }
    out.emplace_back(std::int64_t{n});
    out.emplace_back("Test " + std::to_string(n));
    out.emplace_back("TEST " + std::to_string(n));
  }
  void resize(int count) {
    count_.store(count);
    ++changes_;
  }
  int reads() const { return reads_.load(); }

 private:
  std::atomic<int> count_;
  std::atomic<std::uint64_t> changes_{1};
  mutable std::atomic<int> reads_{0};
};

// A window opened for one test and destroyed at its end.
class OpenWindow {
 public:
  OpenWindow(const rt::ui::WindowDefinition& definition, rt::ui::WindowId parent,
             std::vector<const rt::ui::ListSource*> lists = {})
      : id_(layer().open(definition, parent, events_, std::move(lists))) {}
  ~OpenWindow() {
    if (id_ != 0) layer().destroy(id_);
  }
  OpenWindow(const OpenWindow&) = delete;
  OpenWindow& operator=(const OpenWindow&) = delete;

  rt::ui::WindowId id() const { return id_; }
  RecordedEvents& events() { return events_; }

 private:
  RecordedEvents events_;
  rt::ui::WindowId id_;
};

inline constexpr int kPrintSetupNumber = -2;
inline constexpr int kExitNumber = -3;
inline constexpr int kTestNumber = -5;
inline constexpr int kCopyNumber = -9;
inline constexpr int kTileNumber = -11;
inline constexpr int kCascadeNumber = -12;
inline constexpr int kArrangeNumber = -13;
inline constexpr int kHelpOnHelpNumber = -16;

// The program's own frame: menus with standard actions and entries reported
// to the program, the window list, and a status bar of four zones.
inline rt::ui::WindowDefinition frameDefinition() {
  return lumo::mainDefinition();
}

inline rt::ui::WindowDefinition windowDefinition(rt::ui::WindowKind kind, std::string caption,
                                                 int width, int height) {
  rt::ui::WindowDefinition d;
  d.kind = kind;
  d.caption = std::move(caption);
  d.width = width;
  d.height = height;
  d.font = {"MS Sans Serif", 8, 400};
  d.attributes.systemMenu = d.attributes.grayBackground = true;
  d.attributes.dialogFrame = true;
  return d;
}

}  // namespace gui
