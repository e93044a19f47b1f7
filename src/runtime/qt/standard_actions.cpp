#include "runtime/qt/standard_actions.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPrinter>
#include <algorithm>

#include "runtime/qt/change_counter.h"
#include "runtime/qt/focus_tracker.h"
#include "runtime/qt/help_window.h"
#include "runtime/qt/layer_window.h"
#include "runtime/qt/list_control.h"
#include "runtime/qt/plain_text.h"

namespace rt::qt {
namespace {

// The list a widget belongs to, if any (the focus may sit on a part of it).
ListControl* listOf(QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget())
    if (auto* list = qobject_cast<ListControl*>(widget)) return list;
  return nullptr;
}

}  // namespace

StandardActions::StandardActions(LayerWindow& frame, QMdiArea& area, const FocusTracker& focus,
                                 ChangeCounter& changes)
    : QObject(&area), frame_(frame), area_(area), focus_(focus), changes_(changes) {}

StandardActions::~StandardActions() {
  delete help_.data();
  delete printSetup_.data();
}

void StandardActions::run(ui::StandardAction action) {
  switch (action) {
    case ui::StandardAction::Tile: area_.tileSubWindows(); break;
    case ui::StandardAction::Cascade: cascade(); break;
    case ui::StandardAction::ArrangeIcons: arrangeIcons(); break;
    case ui::StandardAction::HelpOnHelp: showHelpOnHelp(); break;
    case ui::StandardAction::Cut:
    case ui::StandardAction::Copy:
    case ui::StandardAction::Paste: clipboard(action); break;
    case ui::StandardAction::Close: frame_.pressCloseBox(); break;
    case ui::StandardAction::PrintSetup: showPrintSetup(); break;
    case ui::StandardAction::None:
    case ui::StandardAction::WindowList:
    case ui::StandardAction::HelpContents:  // the program names no help file
    case ui::StandardAction::HelpSearch: break;
  }
}

std::vector<std::string> StandardActions::openDialogs() const {
  std::vector<std::string> open;
  if (help_ != nullptr && help_->isVisible()) open.emplace_back("help");
  if (printSetup_ != nullptr && printSetup_->isVisible()) open.emplace_back("print setup");
  return open;
}

// The child windows that are neither minimised nor hidden, in opening order,
// each a caption's height below and right of the one before, at their own
// size; the later ones on top.
void StandardActions::cascade() {
  QPoint corner(0, 0);
  for (QMdiSubWindow* sub : area_.subWindowList(QMdiArea::CreationOrder)) {
    if (sub->isMinimized() || !sub->isVisible()) continue;
    if (sub->isMaximized()) sub->showNormal();
    sub->move(corner);
    sub->raise();
    const int step = sub->contentsMargins().top();
    corner += QPoint(step, step);
  }
}

// Minimised child windows in rows along the bottom of the area, left to
// right, further rows above.
void StandardActions::arrangeIcons() {
  const QRect space = area_.viewport()->rect();
  int x = 0;
  int bottom = space.bottom() + 1;
  int rowHeight = 0;
  for (QMdiSubWindow* sub : area_.subWindowList(QMdiArea::CreationOrder)) {
    if (!sub->isMinimized() || !sub->isVisible()) continue;
    const QSize size = sub->size();
    if (x > 0 && x + size.width() > space.width()) {
      bottom -= rowHeight;
      x = 0;
      rowHeight = 0;
    }
    sub->move(x, bottom - size.height());
    x += size.width();
    rowHeight = std::max(rowHeight, size.height());
  }
}

void StandardActions::showHelpOnHelp() {
  if (help_ == nullptr) {
    help_ = new HelpWindow(&frame_.window());
    connect(help_, &QObject::destroyed, this, [this] { changes_.bump(); });
  }
  help_->show();
  help_->raise();
  changes_.bump();
}

void StandardActions::showPrintSetup() {
  if (printSetup_ == nullptr) {
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    printSetup_ = new QPageSetupDialog(printer_.get(), &frame_.window());
    printSetup_->setAttribute(Qt::WA_DeleteOnClose);
    connect(printSetup_, &QObject::destroyed, this, [this] { changes_.bump(); });
  }
  printSetup_->open();  // window-modal; never a nested event loop
  changes_.bump();
}

void StandardActions::clipboard(ui::StandardAction action) {
  QWidget* target = focus_.focused();
  if (ListControl* list = listOf(target)) {
    // A list's lines can be copied, not cut or replaced.
    if (action != ui::StandardAction::Copy) return;
    const std::string line = list->selectedLineText();
    if (line.empty()) return;
    QGuiApplication::clipboard()->setText(qtText(line));
    changes_.bump();
    return;
  }
  if (target == nullptr) return;
  const char* method = action == ui::StandardAction::Cut    ? "cut"
                       : action == ui::StandardAction::Copy ? "copy"
                                                            : "paste";
  const QByteArray signature = QByteArray(method) + "()";
  if (target->metaObject()->indexOfSlot(signature.constData()) < 0) return;
  QMetaObject::invokeMethod(target, method);
  changes_.bump();
}

}  // namespace rt::qt
