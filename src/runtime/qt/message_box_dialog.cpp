#include "runtime/qt/message_box_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "runtime/qt/icon_picture.h"
#include "runtime/qt/plain_text.h"

namespace rt::qt {
namespace {

constexpr int kIconSize = 32;

QPixmap boxIcon(const ui::MessageBoxRequest& request, const QStyle& style) {
  switch (request.icon) {
    case ui::Icon::None: return {};
    case ui::Icon::Stop:
      return style.standardIcon(QStyle::SP_MessageBoxCritical).pixmap(kIconSize, kIconSize);
    case ui::Icon::File: return filePicture(request.iconFile, kIconSize);
  }
  return {};
}

Qt::WindowFlags boxFlags(const ui::MessageBoxRequest& request) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (request.style == 1) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(const ui::MessageBoxRequest& request, QWidget* parent,
                                   std::function<void(int)> pressed)
    : QDialog(parent, boxFlags(request)), text_(request.text), pressed_(std::move(pressed)) {
  setWindowTitle(qtText(request.caption));
  setAccessibleName(qtText(request.caption));

  auto* textColumn = new QVBoxLayout;
  const QString text = qtText(request.text);
  for (const QString& line : text.split(QLatin1Char('|'))) {
    auto* label = new QLabel(line, this);
    label->setTextFormat(Qt::PlainText);
    label->setAccessibleName(line);
    textColumn->addWidget(label);
    lines_.push_back(label);
  }
  textColumn->addStretch(1);

  auto* top = new QHBoxLayout;
  const QPixmap icon = boxIcon(request, *style());
  if (!icon.isNull()) {
    icon_ = new QLabel(this);
    icon_->setPixmap(icon);
    icon_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    top->addWidget(icon_, 0, Qt::AlignTop);
  }
  top->addLayout(textColumn, 1);

  auto* row = new QHBoxLayout;
  row->addStretch(1);
  const int shown = ui::shownButtons(request);
  const int preferred = ui::effectiveDefault(request);
  for (int button = ui::kOk; button <= ui::kHelp; button <<= 1) {
    if ((shown & button) == 0) continue;
    const QString label = qtText(ui::buttonText(button));
    auto* push = new QPushButton(label, this);
    push->setAccessibleName(withoutMnemonics(label));
    connect(push, &QPushButton::clicked, this, [this, button] { pressed_(button); });
    row->addWidget(push);
    buttons_.emplace_back(button, push);
    if (button == preferred) default_ = push;
  }
  row->addStretch(1);
  default_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MessageBoxDialog::present() {
  QWidget* over = parentWidget();
  setWindowModality(over != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
  adjustSize();
  QRect area;
  if (over == nullptr)
    area = screen()->availableGeometry();
  else if (over->isWindow())
    area = over->frameGeometry();
  else
    area = QRect(over->mapToGlobal(QPoint(0, 0)), over->size());
  move(area.center() - QPoint(width() / 2, height() / 2));
  show();
  activateWindow();
  default_->setFocus(Qt::OtherFocusReason);
}

ui::MessageBoxInfo MessageBoxDialog::info() const {
  ui::MessageBoxInfo info;
  info.text = text_;
  for (const QLabel* line : lines_) info.lines.push_back(stdText(line->text()));
  info.caption = stdText(windowTitle());
  info.hasIcon = icon_ != nullptr && !icon_->pixmap().isNull();
  for (const auto& [value, push] : buttons_) {
    info.buttons.push_back(value);
    if (push->isDefault() && focusWidget() == push) info.defaultButton = value;
  }
  info.onTop = (windowFlags() & Qt::WindowStaysOnTopHint) != 0;
  return info;
}

bool MessageBoxDialog::press(int button) {
  for (const auto& [value, push] : buttons_) {
    if (value == button) {
      push->click();
      return true;
    }
  }
  return false;
}

void MessageBoxDialog::dismiss() {
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(this, &escape);
  close();
}

void MessageBoxDialog::reject() {}  // Escape: only a button ends the box

void MessageBoxDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace rt::qt
