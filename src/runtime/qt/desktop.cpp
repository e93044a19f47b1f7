#include "runtime/qt/desktop.h"

#include <QMdiSubWindow>
#include <iterator>

#include "runtime/qt/change_counter.h"
#include "runtime/qt/child_window.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/frame_window.h"
#include "runtime/qt/message_box_dialog.h"
#include "runtime/qt/owned_window.h"

namespace rt::qt {

Desktop::Desktop(ChangeCounter& changes) : changes_(changes) {}

Desktop::~Desktop() {
  for (auto& [id, box] : boxes_) delete box.dialog;
  // Newest first, so windows go before the frame that owns them.
  while (!windows_.empty()) windows_.erase(std::prev(windows_.end()));
}

ui::WindowId Desktop::open(const ui::WindowDefinition& definition, ui::WindowId parent,
                           ui::WindowEvents& events,
                           const std::vector<const ui::ListSource*>& lists) {
  const ui::WindowId id = nextWindow_;
  std::unique_ptr<LayerWindow> made;
  LayerWindow* owner = window(parent);
  switch (definition.kind) {
    case ui::WindowKind::Frame:
      made = std::make_unique<FrameWindow>(definition, events, changes_, focus_);
      parent = 0;
      break;
    case ui::WindowKind::Child: {
      auto* frame = dynamic_cast<FrameWindow*>(owner);
      if (frame == nullptr) return 0;
      made = std::make_unique<ChildWindow>(definition, events, changes_, frame->area(), lists,
                                           fullWindowDrag_);
      break;
    }
    case ui::WindowKind::Owned:
      made = std::make_unique<OwnedWindow>(definition, events, changes_,
                                           owner != nullptr ? &owner->window() : nullptr, lists);
      if (owner == nullptr) parent = 0;
      break;
  }
  ++nextWindow_;
  windows_.emplace(id, Window{std::move(made), parent});
  if (definition.kind == ui::WindowKind::Child) updateWindowList(parent);
  changes_.bump();
  return id;
}

void Desktop::destroy(ui::WindowId window) {
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  std::vector<ui::WindowId> owned;
  for (const auto& [id, entry] : windows_)
    if (entry.parent == window) owned.push_back(id);
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) destroy(*it);
  releaseBoxesOf(window);
  const ui::WindowId parent = found->second.parent;
  const bool child = found->second.window->kind() == ui::WindowKind::Child;
  windows_.erase(found);
  if (child) updateWindowList(parent);
  changes_.bump();
}

LayerWindow* Desktop::window(ui::WindowId window) const {
  const auto found = windows_.find(window);
  return found != windows_.end() ? found->second.window.get() : nullptr;
}

FrameWindow* Desktop::frame() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if (auto* frame = dynamic_cast<FrameWindow*>(it->second.window.get())) return frame;
  return nullptr;
}

std::vector<ui::WindowInfo> Desktop::windows() const {
  std::vector<ui::WindowInfo> result;
  for (const auto& [id, entry] : windows_)
    result.push_back(ui::WindowInfo{id, entry.window->kind(), entry.window->caption()});
  return result;
}

// The frame's window list: its child windows, in opening order.
void Desktop::updateWindowList(ui::WindowId frameId) {
  auto* frame = dynamic_cast<FrameWindow*>(window(frameId));
  if (frame == nullptr) return;
  std::vector<FrameMenus::WindowChoice> choices;
  for (const auto& [id, entry] : windows_) {
    auto* child = dynamic_cast<ChildWindow*>(entry.window.get());
    if (child == nullptr || entry.parent != frameId) continue;
    choices.push_back({child->caption(), [child] {
                         if (child->subWindow().isMinimized()) child->subWindow().showNormal();
                         child->activate();
                       }});
  }
  frame->menus().setWindowList(std::move(choices));
}

ui::BoxId Desktop::showMessageBox(const ui::MessageBoxRequest& request, ui::WindowId parent,
                                  std::function<void(int)> answered) {
  const ui::BoxId id = nextBox_++;
  LayerWindow* owner = window(parent);
  auto* dialog = new MessageBoxDialog(request, owner != nullptr ? &owner->window() : nullptr,
                                      [this, id](int value) { answer(id, value); });
  boxes_.emplace(id, Box{dialog, owner != nullptr ? parent : 0, std::move(answered)});
  dialog->present();
  changes_.bump();
  return id;
}

void Desktop::cancelMessageBox(ui::BoxId box) {
  answer(box, 0);
}

void Desktop::answer(ui::BoxId id, int value) {
  const auto found = boxes_.find(id);
  if (found == boxes_.end()) return;  // answered already
  Box box = std::move(found->second);
  boxes_.erase(found);
  box.dialog->hide();
  box.dialog->deleteLater();  // a button of it may be the one calling
  box.answered(value);
  changes_.bump();  // once the answer is on its way
}

// A box outlives the window it was modal to: it stays, modal to the program.
void Desktop::releaseBoxesOf(ui::WindowId window) {
  for (auto& [id, box] : boxes_) {
    if (box.parent != window) continue;
    box.dialog->hide();
    box.dialog->setParent(nullptr, box.dialog->windowFlags());
    box.parent = 0;
    box.dialog->present();
  }
}

std::optional<ui::MessageBoxInfo> Desktop::messageBox() const {
  if (boxes_.empty()) return std::nullopt;
  const auto& [id, box] = *boxes_.rbegin();
  ui::MessageBoxInfo info = box.dialog->info();
  info.id = id;
  info.parent = box.parent;
  return info;
}

bool Desktop::answerMessageBox(int button) {
  if (boxes_.empty()) return false;
  return boxes_.rbegin()->second.dialog->press(button);
}

bool Desktop::dismissMessageBox() {
  if (boxes_.empty()) return false;
  const ui::BoxId id = boxes_.rbegin()->first;
  boxes_.rbegin()->second.dialog->dismiss();
  return boxes_.find(id) == boxes_.end();
}

void Desktop::refreshLists() {
  for (const auto& [id, entry] : windows_) {
    Controls* controls = entry.window->controls();
    if (controls != nullptr && controls->refreshLists() > 0) changes_.bump();
  }
}

void Desktop::setFullWindowDrag(bool on) {
  fullWindowDrag_ = on;
  for (const auto& [id, entry] : windows_)
    if (auto* child = dynamic_cast<ChildWindow*>(entry.window.get())) child->setFullWindowDrag(on);
  changes_.bump();
}

}  // namespace rt::qt
