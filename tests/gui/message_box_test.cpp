// Message boxes on Qt: buttons of the set in their order, the default one
// drawn as default and holding the focus, no way out but a button, modal to
// the parent and centred on it, icons, and cancelling.

#include "runtime/ui/message_box.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <future>

#include "qt_gui_support.h"
#include "runtime/resources.h"

namespace {

using namespace rt::ui;

// A box on screen and the answer it gives.
class ShownBox {
 public:
  ShownBox(const MessageBoxRequest& request, WindowId parent = 0)
      : id_(gui::layer().showMessageBox(request, parent, [this](int value) {
          ++answers_;
          answered_.set_value(value);
        })) {}
  ~ShownBox() { gui::layer().cancelMessageBox(id_); }  // does nothing once answered

  BoxId id() const { return id_; }
  int answer() {
    auto answer = answered_.get_future();
    if (answer.wait_for(gui::kPatience) != std::future_status::ready) return -1;
    return answer.get();
  }
  int answers() const { return answers_.load(); }

 private:
  std::promise<int> answered_;
  std::atomic<int> answers_{0};
  BoxId id_;
};

// The dialog showing the box with this caption; display thread only.
QDialog* dialogCaptioned(const std::string& caption) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog != nullptr && dialog->isVisible() &&
        dialog->windowTitle() == QString::fromStdString(caption))
      return dialog;
  }
  return nullptr;
}

MessageBoxRequest request(const std::string& caption, int buttons = kOk, int defaultButton = 0) {
  MessageBoxRequest r;
  r.text = "Semaforo en Verde! |Continuar Esperando?";
  r.caption = caption;
  r.buttons = buttons;
  r.defaultButton = defaultButton;
  return r;
}

struct ButtonCase {
  int set;
  int wantedDefault;
  std::vector<int> shown;
  int shownDefault;
};

TEST(QtMessageBox, ButtonsFollowTheSetInOrderWithTheDefaultFocused) {
  const std::vector<ButtonCase> cases = {
      {kAllButtons, 0, {kOk, kYes, kNo, kAbort, kRetry, kIgnore, kCancel, kHelp}, kOk},
      {kYes | kNo, kNo, {kYes, kNo}, kNo},
      {0, 0, {kOk}, kOk},
      {kRetry | kCancel, kOk, {kRetry, kCancel}, kRetry},
  };
  for (const ButtonCase& c : cases) {
    const std::string caption = "Buttons " + std::to_string(c.set);
    SCOPED_TRACE(caption);
    ShownBox box(request(caption, c.set, c.wantedDefault));
    const auto info = gui::layer().automation().messageBox();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->buttons, c.shown);
    EXPECT_EQ(info->defaultButton, c.shownDefault);
    EXPECT_EQ(info->lines,
              (std::vector<std::string>{"Semaforo en Verde! ", "Continuar Esperando?"}));

    gui::layer().onDisplay([&] {
      QDialog* dialog = dialogCaptioned(caption);
      ASSERT_NE(dialog, nullptr);
      const auto buttons = dialog->findChildren<QPushButton*>();
      ASSERT_EQ(buttons.size(), static_cast<qsizetype>(c.shown.size()));
      for (std::size_t i = 0; i < c.shown.size(); ++i) {
        QPushButton* button = buttons.at(static_cast<qsizetype>(i));
        EXPECT_EQ(button->text().toStdString(), buttonText(c.shown[i]));
        EXPECT_EQ(button->isDefault(), c.shown[i] == c.shownDefault);
        if (i > 0) {
          EXPECT_LT(buttons.at(static_cast<qsizetype>(i) - 1)->x(), button->x());
        }
        if (c.shown[i] == c.shownDefault) {
          EXPECT_EQ(dialog->focusWidget(), button);
        }
      }
      // Centred: as much room left of the first button as right of the last.
      const int left = buttons.front()->x();
      const int right = dialog->width() - (buttons.back()->x() + buttons.back()->width());
      EXPECT_LE(std::abs(left - right), 1);
    });
    ASSERT_TRUE(gui::layer().automation().answer(c.shownDefault));
    EXPECT_EQ(box.answer(), c.shownDefault);
  }
}

TEST(QtMessageBox, EscapeAndTheCloseCommandLeaveItOnScreen) {
  ShownBox box(request("No way out", kYes | kNo, kNo));
  auto& ui = gui::layer().automation();
  EXPECT_FALSE(ui.dismissMessageBox());
  ASSERT_TRUE(ui.messageBox().has_value());
  EXPECT_EQ(ui.messageBox()->id, box.id());
  gui::layer().onDisplay([] {
    QDialog* dialog = dialogCaptioned("No way out");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  });
  EXPECT_EQ(box.answers(), 0);
  EXPECT_FALSE(ui.answer(kOk)) << "not a button of this box";
  ASSERT_TRUE(ui.answer(kYes));
  EXPECT_EQ(box.answer(), kYes);
}

TEST(QtMessageBox, ModalToItsParentAndCentredOnIt) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  auto onTop = request("Over the frame", kYes | kNo, kNo);
  onTop.style = 1;
  ShownBox box(onTop, frame.id());
  const auto info = gui::layer().automation().messageBox();
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->parent, frame.id());
  EXPECT_TRUE(info->onTop);
  gui::layer().onDisplay([&] {
    QDialog* dialog = dialogCaptioned("Over the frame");
    ASSERT_NE(dialog, nullptr);
    QWidget* frameWidget = gui::layer().widget(frame.id());
    EXPECT_EQ(dialog->parentWidget(), frameWidget);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QPoint offset = dialog->geometry().center() - frameWidget->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 8);
  });
  gui::layer().automation().answer(kNo);
  EXPECT_EQ(box.answer(), kNo);

  ShownBox free(request("Over nothing"));
  gui::layer().onDisplay([] {
    QDialog* dialog = dialogCaptioned("Over nothing");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  });
  EXPECT_EQ(gui::layer().automation().messageBox()->parent, 0u);
}

TEST(QtMessageBox, IconFromTheSystemOrAFileThatLoads) {
  const auto icon = rt::findResource("SEMAFORO_ICO");
  ASSERT_TRUE(icon.has_value());
  const auto file = std::filesystem::temp_directory_path() / "lumo-gui-box-icon.ico";
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(icon->data()),
             static_cast<std::streamsize>(icon->size()));

  struct IconCase {
    Icon icon;
    std::string file;
    bool shown;
  };
  const std::vector<IconCase> cases = {
      {Icon::None, "", false},
      {Icon::Stop, "", true},
      {Icon::File, "no-such-icon-here.ico", false},
      {Icon::File, file.string(), true},
  };
  for (const IconCase& c : cases) {
    const std::string caption = "Icon " + c.file + std::to_string(static_cast<int>(c.icon));
    SCOPED_TRACE(caption);
    auto r = request(caption);
    r.icon = c.icon;
    r.iconFile = c.file;
    ShownBox box(r);
    EXPECT_EQ(gui::layer().automation().messageBox()->hasIcon, c.shown);
    if (c.icon == Icon::File && c.shown) {
      gui::layer().onDisplay([&] {
        QDialog* dialog = dialogCaptioned(caption);
        ASSERT_NE(dialog, nullptr);
        bool found = false;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
          if (!label->pixmap().isNull()) found = label->pixmap().size() == QSize(32, 32);
        EXPECT_TRUE(found) << "the file's 32 x 32 image";
      });
    }
  }
  std::filesystem::remove(file);
}

TEST(QtMessageBox, CancelTakesItAwayAndAnswersZeroOnce) {
  ShownBox box(request("Cancelled", kYes | kNo));
  gui::layer().cancelMessageBox(box.id());
  EXPECT_EQ(box.answer(), 0);
  EXPECT_FALSE(gui::layer().automation().messageBox().has_value());
  EXPECT_FALSE(gui::layer().automation().answer(kYes));
  gui::layer().cancelMessageBox(box.id());
  EXPECT_EQ(box.answers(), 1);
  gui::layer().onDisplay([] { EXPECT_EQ(dialogCaptioned("Cancelled"), nullptr); });
}

}  // namespace
