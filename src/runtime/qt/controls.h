#pragma once
// The controls of one window, numbered 1, 2, 3, ... in definition order:
// push buttons, images and lists, placed in dialog units on the window's
// client area. A control without a width or height takes its natural size;
// a list without them reaches to the client area's right and bottom edges.

#include <QObject>
#include <functional>
#include <vector>

#include "runtime/qt/dialog_units.h"
#include "runtime/ui/automation.h"
#include "runtime/ui/list_source.h"
#include "runtime/ui/window_definition.h"

class QWidget;

namespace rt::qt {

class ListControl;

class Controls final : public QObject {
  Q_OBJECT

 public:
  // accepted(number) runs when a push button is clicked. lists[i] is the
  // source of the i-th list control.
  Controls(QWidget& client, const std::vector<ui::Control>& definitions,
           const std::vector<const ui::ListSource*>& lists, const DialogUnits& units,
           std::function<void(int)> accepted);

  std::vector<ui::ControlInfo> info() const;
  bool press(int number);  // false: no such push button
  QWidget* widget(int number) const;
  ListControl* list(int number) const;

  int refreshLists();  // how many lists redrew
  void redisplay();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    ui::Control definition;
    QWidget* widget = nullptr;
    ListControl* list = nullptr;
    bool hasPicture = false;
  };

  QWidget* makeButton(const ui::Control& definition, int number);
  QWidget* makeImage(const ui::Control& definition, bool& hasPicture);
  ListControl* makeList(const ui::Control& definition, const ui::ListSource& source);
  void layout();
  const Entry* entry(int number) const;

  QWidget& client_;
  const DialogUnits units_;
  std::function<void(int)> accepted_;
  std::vector<Entry> entries_;
};

}  // namespace rt::qt
