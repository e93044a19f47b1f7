#pragma once
// Everything the display thread shows for the program: its windows by id in
// opening order (the frame, child windows inside it, windows it owns), the
// message boxes on screen, the frame's window list and the full-window-drag
// setting. Every method runs on the display thread.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "runtime/qt/focus_tracker.h"
#include "runtime/ui/automation.h"
#include "runtime/ui/window_layer.h"

namespace rt::qt {

class ChangeCounter;
class FrameWindow;
class LayerWindow;
class MessageBoxDialog;

class Desktop {
 public:
  explicit Desktop(ChangeCounter& changes);
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // 0 when a child window has no frame to open in.
  ui::WindowId open(const ui::WindowDefinition& definition, ui::WindowId parent,
                    ui::WindowEvents& events, const std::vector<const ui::ListSource*>& lists);
  // Destroying a window destroys the windows it owns first.
  void destroy(ui::WindowId window);

  LayerWindow* window(ui::WindowId window) const;
  FrameWindow* frame() const;  // the newest frame open, if any
  std::vector<ui::WindowInfo> windows() const;

  ui::BoxId showMessageBox(const ui::MessageBoxRequest& request, ui::WindowId parent,
                           std::function<void(int)> answered);
  void cancelMessageBox(ui::BoxId box);
  std::optional<ui::MessageBoxInfo> messageBox() const;  // the newest
  bool answerMessageBox(int button);
  bool dismissMessageBox();  // true when the box went away

  void refreshLists();
  void setFullWindowDrag(bool on);
  bool fullWindowDrag() const { return fullWindowDrag_; }

 private:
  struct Window {
    std::unique_ptr<LayerWindow> window;
    ui::WindowId parent = 0;
  };
  struct Box {
    MessageBoxDialog* dialog = nullptr;  // deleted when answered
    ui::WindowId parent = 0;
    std::function<void(int)> answered;
  };

  void answer(ui::BoxId box, int value);
  void releaseBoxesOf(ui::WindowId window);
  void updateWindowList(ui::WindowId frame);

  ChangeCounter& changes_;
  FocusTracker focus_;
  std::map<ui::WindowId, Window> windows_;
  std::map<ui::BoxId, Box> boxes_;
  ui::WindowId nextWindow_ = 1;
  ui::BoxId nextBox_ = 1;
  bool fullWindowDrag_ = true;
};

}  // namespace rt::qt
