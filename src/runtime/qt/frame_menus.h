#pragma once
// The frame's menu bar, built from the definition: menus and entries with
// their mnemonics, separators and accessible names. It reports the entry
// chosen and the message of what is highlighted, and keeps the window list:
// the titles of the open child windows appended to the window-list menu.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "runtime/ui/window_definition.h"

class QAction;
class QMenu;
class QMenuBar;

namespace rt::qt {

class FrameMenus final : public QObject {
  Q_OBJECT

 public:
  struct Item {
    QAction* action = nullptr;
    int number = 0;
    std::string message;
    ui::StandardAction standard = ui::StandardAction::None;
  };
  struct WindowChoice {
    std::string title;
    std::function<void()> choose;
  };

  // chosen runs for an entry the user chose; highlighted with the message of
  // the menu or entry under the pointer ("" when none).
  FrameMenus(QMenuBar& bar, const std::vector<ui::Menu>& menus,
             std::function<void(const Item&)> chosen,
             std::function<void(const std::string&)> highlighted);

  bool choose(int number);     // an entry, as clicking it
  bool highlight(int number);  // a menu or entry, as hovering it
  std::vector<std::string> titles() const;
  std::vector<std::string> entries(int menuIndex) const;

  void setWindowList(std::vector<WindowChoice> windows);
  std::vector<std::string> windowList() const;

 private:
  const Item* find(int number, bool entriesOnly) const;

  std::vector<QMenu*> menus_;
  std::vector<Item> menuItems_;                // one per menu
  std::vector<std::vector<Item>> entryItems_;  // per menu, in order
  QMenu* windowMenu_ = nullptr;
  std::vector<QAction*> windowActions_;  // the separator, then one per window
  std::vector<WindowChoice> windows_;
  std::function<void(const Item&)> chosen_;
  std::function<void(const std::string&)> highlighted_;
};

}  // namespace rt::qt
