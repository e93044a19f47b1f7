#pragma once
// A message box of our own: the text broken into lines at "|", a caption,
// an optional icon, the buttons of the set in their fixed order, centred,
// the default one drawn as default and holding the focus. Escape and the
// close command do nothing: only a button ends it. It is modal to its
// parent window (to the whole program when it has none) and centred on it,
// and it never runs an event loop of its own.

#include <QDialog>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/ui/automation.h"
#include "runtime/ui/message_box.h"

class QLabel;
class QPushButton;

namespace rt::qt {

class MessageBoxDialog final : public QDialog {
  Q_OBJECT

 public:
  // pressed(value) runs when the user presses a button.
  MessageBoxDialog(const ui::MessageBoxRequest& request, QWidget* parent,
                   std::function<void(int)> pressed);

  // Shows it modal and centred, the default button focused.
  void present();
  // What is on screen; the caller fills in the box's id and parent.
  ui::MessageBoxInfo info() const;
  bool press(int button);  // false: no such button in this box
  void dismiss();          // Escape, then the close command

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  const std::string text_;
  std::vector<QLabel*> lines_;
  QLabel* icon_ = nullptr;
  std::vector<std::pair<int, QPushButton*>> buttons_;
  QPushButton* default_ = nullptr;
  std::function<void(int)> pressed_;
};

}  // namespace rt::qt
