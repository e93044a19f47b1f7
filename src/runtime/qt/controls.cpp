#include "runtime/qt/controls.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <variant>

#include "runtime/qt/icon_picture.h"
#include "runtime/qt/list_control.h"
#include "runtime/qt/plain_text.h"

namespace rt::qt {
namespace {

constexpr int kIconSize = 32;

// The source of a list the program gave none for: always empty.
class EmptySource final : public ui::ListSource {
 public:
  int count() const override { return 0; }
  std::uint64_t changeCount() const override { return 0; }
  void line(int, std::vector<ui::FieldValue>& out) const override { out.clear(); }
};

const EmptySource kEmptySource{};

int givenOr(int value, int fallback) {
  return value == ui::kNotGiven ? fallback : value;
}

}  // namespace

Controls::Controls(QWidget& client, const std::vector<ui::Control>& definitions,
                   const std::vector<const ui::ListSource*>& lists, const DialogUnits& units,
                   std::function<void(int)> accepted)
    : QObject(&client), client_(client), units_(units), accepted_(std::move(accepted)) {
  std::size_t listIndex = 0;
  for (const ui::Control& definition : definitions) {
    const int number = static_cast<int>(entries_.size()) + 1;
    Entry entry{definition};
    switch (definition.kind) {
      case ui::ControlKind::Button: entry.widget = makeButton(definition, number); break;
      case ui::ControlKind::Image: entry.widget = makeImage(definition, entry.hasPicture); break;
      case ui::ControlKind::List: {
        const ui::ListSource* source = listIndex < lists.size() ? lists[listIndex] : nullptr;
        ++listIndex;
        entry.list = makeList(definition, source != nullptr ? *source : kEmptySource);
        entry.widget = entry.list;
        break;
      }
    }
    entries_.push_back(entry);
  }
  layout();
  client_.installEventFilter(this);
}

QWidget* Controls::makeButton(const ui::Control& definition, int number) {
  auto* button = new QPushButton(qtText(definition.text), &client_);
  button->setAccessibleName(withoutMnemonics(qtText(definition.text)));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, number] { accepted_(number); });
  return button;
}

QWidget* Controls::makeImage(const ui::Control& definition, bool& hasPicture) {
  auto* image = new QLabel(&client_);
  image->setAccessibleName(qtText(definition.text));
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // drawn once at its position
  const QPixmap picture = resourcePicture(definition.text, kIconSize);
  hasPicture = !picture.isNull();
  if (hasPicture) image->setPixmap(picture);
  return image;
}

ListControl* Controls::makeList(const ui::Control& definition, const ui::ListSource& source) {
  auto parsed = ui::parseColumnFormat(definition.format);
  std::vector<ui::Column> columns;
  if (auto* valid = std::get_if<std::vector<ui::Column>>(&parsed)) columns = std::move(*valid);
  auto* list = new ListControl(source, std::move(columns), units_, &client_);
  const QString name = qtText(definition.text.empty() ? definition.label : definition.text);
  list->setAccessibleName(withoutMnemonics(name));
  return list;
}

void Controls::layout() {
  for (const Entry& entry : entries_) {
    const ui::Control& d = entry.definition;
    const int x = units_.toPixelsX(givenOr(d.x, 0));
    const int y = units_.toPixelsY(givenOr(d.y, 0));
    QSize natural = entry.widget->sizeHint();
    if (entry.list != nullptr) natural = QSize(client_.width() - x, client_.height() - y);
    if (d.kind == ui::ControlKind::Image) {
      const auto* label = static_cast<const QLabel*>(entry.widget);
      natural = entry.hasPicture ? label->pixmap().size() : QSize(0, 0);
    }
    const int width = d.width == ui::kNotGiven ? natural.width() : units_.toPixelsX(d.width);
    const int height = d.height == ui::kNotGiven ? natural.height() : units_.toPixelsY(d.height);
    entry.widget->setGeometry(x, y, width, height);
  }
}

bool Controls::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &client_ && event->type() == QEvent::Resize) layout();
  return false;
}

const Controls::Entry* Controls::entry(int number) const {
  if (number < 1 || number > static_cast<int>(entries_.size())) return nullptr;
  return &entries_[static_cast<std::size_t>(number - 1)];
}

std::vector<ui::ControlInfo> Controls::info() const {
  std::vector<ui::ControlInfo> result;
  for (const Entry& entry : entries_) {
    ui::ControlInfo control;
    control.kind = entry.definition.kind;
    control.text = entry.definition.text;
    control.geometry = units_.toUnits(entry.widget->geometry());
    control.hasPicture = entry.hasPicture;
    result.push_back(control);
  }
  return result;
}

bool Controls::press(int number) {
  const Entry* found = entry(number);
  if (found == nullptr || found->definition.kind != ui::ControlKind::Button) return false;
  static_cast<QPushButton*>(found->widget)->click();
  return true;
}

QWidget* Controls::widget(int number) const {
  const Entry* found = entry(number);
  return found != nullptr ? found->widget : nullptr;
}

ListControl* Controls::list(int number) const {
  const Entry* found = entry(number);
  return found != nullptr ? found->list : nullptr;
}

int Controls::refreshLists() {
  int redrawn = 0;
  for (const Entry& entry : entries_)
    if (entry.list != nullptr && entry.list->refresh()) ++redrawn;
  return redrawn;
}

void Controls::redisplay() {
  for (const Entry& entry : entries_) {
    if (entry.list != nullptr)
      entry.list->redisplay();
    else
      entry.widget->update();
  }
}

}  // namespace rt::qt
