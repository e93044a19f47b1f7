#pragma once
// The application frame: a main window whose client area holds the
// multiple-document area for the child windows and the status bar, with the
// menu bar above it. Entries without a standard action are reported to the
// program as accepted with their number; the others run here.

#include <QMainWindow>
#include <memory>
#include <optional>

#include "runtime/qt/frame_menus.h"
#include "runtime/qt/layer_window.h"
#include "runtime/qt/status_zones.h"

class QMdiArea;

namespace rt::qt {

class FocusTracker;
class StandardActions;

class FrameWindow final : public LayerWindow {
  Q_OBJECT

 public:
  FrameWindow(const ui::WindowDefinition& definition, ui::WindowEvents& events,
              ChangeCounter& changes, const FocusTracker& focus);
  ~FrameWindow() override;

  QWidget& window() const override { return *main_; }
  void activate() override;

  QMdiArea& area() const { return *area_; }
  FrameMenus& menus() const { return *menus_; }
  std::vector<std::string> statusZones() const;
  std::vector<std::string> openDialogs() const;

 protected:
  QRect clientRect() const override;
  void placeClient(const QRect& rect) override;
  void resizeClient(const QSize& size) override;

 private:
  void chosen(const FrameMenus::Item& item);
  void highlighted(const std::string& message);
  int menuHeight() const;

  QMainWindow* main_;
  QMdiArea* area_;
  FrameMenus* menus_;
  std::optional<StatusZones> status_;
  StandardActions* actions_;
  const bool fixedSize_;
};

}  // namespace rt::qt
