#include "runtime/qt/frame_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "runtime/qt/plain_text.h"

namespace rt::qt {
namespace {

// A window title as a menu entry shows it: an ampersand is not a mnemonic.
QString literal(const std::string& text) {
  return qtText(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

FrameMenus::FrameMenus(QMenuBar& bar, const std::vector<ui::Menu>& menus,
                       std::function<void(const Item&)> chosen,
                       std::function<void(const std::string&)> highlighted)
    : QObject(&bar), chosen_(std::move(chosen)), highlighted_(std::move(highlighted)) {
  menuItems_.reserve(menus.size());
  entryItems_.resize(menus.size());
  for (std::size_t m = 0; m < menus.size(); ++m) {
    const ui::Menu& definition = menus[m];
    QMenu* menu = bar.addMenu(qtText(definition.text));
    menu->setAccessibleName(withoutMnemonics(qtText(definition.text)));
    menus_.push_back(menu);
    menuItems_.push_back(
        Item{menu->menuAction(), definition.number, definition.message, definition.action});
    if (definition.action == ui::StandardAction::WindowList) windowMenu_ = menu;
    const std::string message = definition.message;
    connect(menu, &QMenu::aboutToShow, this, [this, message] { highlighted_(message); });
    connect(menu, &QMenu::aboutToHide, this, [this] { highlighted_({}); });
    connect(menu->menuAction(), &QAction::hovered, this,
            [this, message] { highlighted_(message); });

    for (const ui::MenuEntry& entry : definition.entries) {
      QAction* action =
          entry.separator() ? menu->addSeparator() : menu->addAction(qtText(entry.text));
      entryItems_[m].push_back(Item{action, entry.number, entry.message, entry.action});
      if (entry.separator()) continue;
      const std::size_t index = entryItems_[m].size() - 1;
      connect(action, &QAction::hovered, this,
              [this, m, index] { highlighted_(entryItems_[m][index].message); });
      connect(action, &QAction::triggered, this,
              [this, m, index] { chosen_(entryItems_[m][index]); });
    }
  }
}

const FrameMenus::Item* FrameMenus::find(int number, bool entriesOnly) const {
  if (number == 0) return nullptr;  // separators and unnumbered menus
  for (const auto& items : entryItems_)
    for (const Item& item : items)
      if (item.number == number && !item.action->isSeparator()) return &item;
  if (entriesOnly) return nullptr;
  for (const Item& item : menuItems_)
    if (item.number == number) return &item;
  return nullptr;
}

bool FrameMenus::choose(int number) {
  const Item* item = find(number, true);
  if (item == nullptr) return false;
  item->action->trigger();
  return true;
}

bool FrameMenus::highlight(int number) {
  const Item* item = find(number, false);
  if (item == nullptr) return false;
  item->action->hover();
  return true;
}

std::vector<std::string> FrameMenus::titles() const {
  std::vector<std::string> result;
  for (const QMenu* menu : menus_) result.push_back(stdText(menu->title()));
  return result;
}

std::vector<std::string> FrameMenus::entries(int menuIndex) const {
  std::vector<std::string> result;
  if (menuIndex < 0 || menuIndex >= static_cast<int>(entryItems_.size())) return result;
  for (const Item& item : entryItems_[static_cast<std::size_t>(menuIndex)])
    result.push_back(item.action->isSeparator() ? std::string() : stdText(item.action->text()));
  return result;
}

void FrameMenus::setWindowList(std::vector<WindowChoice> windows) {
  if (windowMenu_ == nullptr) return;
  for (QAction* action : windowActions_) {
    windowMenu_->removeAction(action);
    delete action;
  }
  windowActions_.clear();
  windows_ = std::move(windows);
  if (windows_.empty()) return;
  windowActions_.push_back(windowMenu_->addSeparator());
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    QAction* action = windowMenu_->addAction(literal(windows_[i].title));
    connect(action, &QAction::triggered, this, [this, i] { windows_[i].choose(); });
    windowActions_.push_back(action);
  }
}

std::vector<std::string> FrameMenus::windowList() const {
  std::vector<std::string> result;
  for (const QAction* action : windowActions_)
    if (!action->isSeparator())
      result.push_back(stdText(action->text().replace(QStringLiteral("&&"), QStringLiteral("&"))));
  return result;
}

}  // namespace rt::qt
