#pragma once
// One program window on screen, whatever its kind: it turns the definition's
// client area, font, background and controls into widgets, reports close
// requests (513), activation (518) and size changes (561) to the window's
// events, and reads and sets its placement in its own dialog units. The
// close box never closes the window: it goes away when it is destroyed.

#include <QObject>
#include <QRect>
#include <QSize>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/qt/dialog_units.h"
#include "runtime/ui/list_source.h"
#include "runtime/ui/placement.h"
#include "runtime/ui/window_definition.h"
#include "runtime/ui/window_layer.h"

class QWidget;

namespace rt::qt {

class ChangeCounter;
class Controls;

class LayerWindow : public QObject {
  Q_OBJECT

 public:
  LayerWindow(const ui::WindowDefinition& definition, ui::WindowEvents& events,
              ChangeCounter& changes);

  ui::WindowKind kind() const { return definition_.kind; }
  const std::string& caption() const { return definition_.caption; }
  bool userResizable() const;
  Controls* controls() const { return controls_; }

  // The widget the user sees as the window: a sub-window or a top-level.
  virtual QWidget& window() const = 0;
  virtual void activate() = 0;

  ui::Geometry geometry() const;  // normal (not maximised) geometry
  void setGeometry(const ui::Geometry& geometry);
  ui::WindowState state() const;
  void setState(const ui::WindowState& state);

  void select(int control);  // activates the window and focuses the control
  void redisplay();
  void pressCloseBox();  // as the user would: the window only reports it

 protected:
  // The client area, in the coordinates the window is placed in: the MDI
  // area's for a child window, the screen's for top-level windows.
  virtual QRect clientRect() const = 0;
  virtual void placeClient(const QRect& rect) = 0;
  virtual void resizeClient(const QSize& size) = 0;  // where the system placed it

  // For subclasses, once their widgets exist: the client's look and
  // controls, the definition's placement, and the events to watch.
  void buildClient(QWidget& client, const std::vector<const ui::ListSource*>& lists);
  void placeAsDefined();
  void watch(QWidget& sizeSource);
  void unwatch();  // before the widgets go
  void reportActivated();
  void post(int code, int control);
  void changed();

  bool eventFilter(QObject* watched, QEvent* event) override;

  const ui::WindowDefinition definition_;

 private:
  bool inNormalState() const;
  void applyPendingNormal();

  ui::WindowEvents& events_;
  ChangeCounter& changes_;
  const DialogUnits units_;
  Controls* controls_ = nullptr;  // owned by the client widget
  QWidget* sizeSource_ = nullptr;
  QRect normal_;
  std::optional<QRect> pendingNormal_;  // set while maximised or minimised
  QSize reportedSize_;
};

}  // namespace rt::qt
