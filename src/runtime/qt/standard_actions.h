#pragma once
// The frame's standard menu actions, carried out here rather than reported
// to the program: tile, cascade, arrange icons, help on help, cut, copy and
// paste to the focused control, close the frame, and printer setup.

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "runtime/ui/window_definition.h"

class QMdiArea;
class QPageSetupDialog;
class QPrinter;
class QWidget;

namespace rt::qt {

class ChangeCounter;
class FocusTracker;
class HelpWindow;
class LayerWindow;

class StandardActions final : public QObject {
  Q_OBJECT

 public:
  StandardActions(LayerWindow& frame, QMdiArea& area, const FocusTracker& focus,
                  ChangeCounter& changes);
  ~StandardActions() override;

  void run(ui::StandardAction action);
  // The dialogs of ours on screen: "help", "print setup".
  std::vector<std::string> openDialogs() const;

 private:
  void cascade();
  void arrangeIcons();
  void showHelpOnHelp();
  void showPrintSetup();
  void clipboard(ui::StandardAction action);

  LayerWindow& frame_;
  QMdiArea& area_;
  const FocusTracker& focus_;
  ChangeCounter& changes_;
  QPointer<HelpWindow> help_;
  QPointer<QPageSetupDialog> printSetup_;
  std::unique_ptr<QPrinter> printer_;  // made on first use
};

}  // namespace rt::qt
