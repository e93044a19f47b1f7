#pragma once
// A separate top-level program window owned by the frame: it stays with the
// frame but is not inside it and is not in the frame's window list. The
// top-level widget is the client area itself.

#include "runtime/qt/layer_window.h"

namespace rt::qt {

class OwnedWindow final : public LayerWindow {
  Q_OBJECT

 public:
  // owner: the frame's widget, or null for a window owned by nothing.
  OwnedWindow(const ui::WindowDefinition& definition, ui::WindowEvents& events,
              ChangeCounter& changes, QWidget* owner,
              const std::vector<const ui::ListSource*>& lists);
  ~OwnedWindow() override;

  QWidget& window() const override { return *widget_; }
  void activate() override;

 protected:
  QRect clientRect() const override;
  void placeClient(const QRect& rect) override;
  void resizeClient(const QSize& size) override;

 private:
  QWidget* widget_;
  const bool fixedSize_;
};

}  // namespace rt::qt
