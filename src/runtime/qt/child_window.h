#pragma once
// A program window inside the frame's multiple-document area: a sub-window
// whose widget is the window's client area. It moves and resizes as an
// outline when full-window drag is off.

#include <QMdiSubWindow>

#include "runtime/qt/layer_window.h"

class QMdiArea;

namespace rt::qt {

class ChildWindow final : public LayerWindow {
  Q_OBJECT

 public:
  ChildWindow(const ui::WindowDefinition& definition, ui::WindowEvents& events,
              ChangeCounter& changes, QMdiArea& area,
              const std::vector<const ui::ListSource*>& lists, bool fullWindowDrag);
  ~ChildWindow() override;

  QWidget& window() const override { return *sub_; }
  QMdiSubWindow& subWindow() const { return *sub_; }
  void activate() override;
  void setFullWindowDrag(bool on);

 protected:
  QRect clientRect() const override;
  void placeClient(const QRect& rect) override;
  void resizeClient(const QSize& size) override;

 private:
  QMdiArea& area_;
  QMdiSubWindow* sub_;
};

}  // namespace rt::qt
