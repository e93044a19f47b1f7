#include "runtime/headless/headless_layer.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "runtime/resources.h"
#include "runtime/ui/events.h"
#include "runtime/ui/picture.h"

namespace rt::headless {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  std::string line;
  while (std::getline(stream, line, '|')) lines.push_back(line);
  if (lines.empty()) lines.emplace_back();
  return lines;
}

bool loadable(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return in && in.peek() != std::ifstream::traits_type::eof();
}

int given(int value, int otherwise) {
  return value == ui::kNotGiven ? otherwise : value;
}

}  // namespace

HeadlessLayer::Record* HeadlessLayer::find(ui::WindowId window) {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

HeadlessLayer::List* HeadlessLayer::findList(ui::WindowId window, int control) {
  Record* record = find(window);
  if (record == nullptr) return nullptr;
  for (List& list : record->lists)
    if (list.control == control) return &list;
  return nullptr;
}

ui::WindowId HeadlessLayer::frameId() const {
  for (const auto& [id, record] : windows_)
    if (record.definition.kind == ui::WindowKind::Frame) return id;
  return 0;
}

const ui::MenuEntry* HeadlessLayer::findEntry(int number) const {
  const auto frame = windows_.find(frameId());
  if (frame == windows_.end() || number == 0) return nullptr;
  for (const ui::Menu& menu : frame->second.definition.menus)
    for (const ui::MenuEntry& entry : menu.entries)
      if (!entry.separator() && entry.number == number) return &entry;
  return nullptr;
}

void HeadlessLayer::changed() {
  ++version_;
  versionChanged_.notify_all();
}

ui::WindowId HeadlessLayer::open(const ui::WindowDefinition& definition, ui::WindowId parent,
                                 ui::WindowEvents& events,
                                 std::vector<const ui::ListSource*> lists) {
  std::lock_guard lock(mutex_);
  const ui::WindowId id = nextId_++;
  Record record;
  record.definition = definition;
  record.parent = parent;
  record.events = &events;
  // The system's default placement: cascaded from the top left.
  const int step = static_cast<int>(id % 10) * 8;
  record.geometry = {given(definition.x, step), given(definition.y, step),
                     given(definition.width, 200), given(definition.height, 100)};
  std::size_t listIndex = 0;
  for (std::size_t i = 0; i < definition.controls.size(); ++i) {
    const ui::Control& control = definition.controls[i];
    if (control.kind != ui::ControlKind::List) continue;
    List list;
    list.control = static_cast<int>(i) + 1;
    list.source = listIndex < lists.size() ? lists[listIndex] : nullptr;
    ++listIndex;
    const auto parsed = ui::parseColumnFormat(control.format);
    if (const auto* columns = std::get_if<std::vector<ui::Column>>(&parsed))
      list.columns = *columns;
    if (list.source != nullptr) {
      list.seenChanges = list.source->changeCount();
      list.count = list.source->count();
    }
    record.lists.push_back(std::move(list));
  }
  if (definition.kind == ui::WindowKind::Frame && definition.statusBar)
    status_.assign(definition.statusBar->zones.size(), std::string());
  windows_.emplace(id, std::move(record));
  changed();
  return id;
}

void HeadlessLayer::destroy(ui::WindowId window) {
  std::lock_guard lock(mutex_);
  if (window == frameId()) {
    dialogs_.clear();
    status_.clear();
  }
  windows_.erase(window);
  changed();
}

ui::Geometry HeadlessLayer::geometry(ui::WindowId window) {
  std::lock_guard lock(mutex_);
  const Record* record = find(window);
  return record != nullptr ? record->geometry : ui::Geometry{};
}

void HeadlessLayer::setGeometry(ui::WindowId window, const ui::Geometry& geometry) {
  std::lock_guard lock(mutex_);
  if (Record* record = find(window)) {
    record->geometry = geometry;
    changed();
  }
}

ui::WindowState HeadlessLayer::state(ui::WindowId window) {
  std::lock_guard lock(mutex_);
  const Record* record = find(window);
  return record != nullptr ? record->state : ui::WindowState{};
}

void HeadlessLayer::setState(ui::WindowId window, const ui::WindowState& state) {
  std::lock_guard lock(mutex_);
  if (Record* record = find(window)) {
    record->state = state;
    changed();
  }
}

void HeadlessLayer::redisplay(ui::WindowId) {}

void HeadlessLayer::select(ui::WindowId window, int control) {
  std::lock_guard lock(mutex_);
  if (Record* record = find(window)) record->focus = control;
}

ui::BoxId HeadlessLayer::showMessageBox(const ui::MessageBoxRequest& request, ui::WindowId parent,
                                        std::function<void(int)> answered) {
  std::lock_guard lock(mutex_);
  const ui::BoxId id = nextBox_++;
  boxes_.push_back({id, request, parent, std::move(answered)});
  changed();
  return id;
}

void HeadlessLayer::cancelMessageBox(ui::BoxId box) {
  std::function<void(int)> answered;
  {
    std::lock_guard lock(mutex_);
    const auto found =
        std::find_if(boxes_.begin(), boxes_.end(), [&](const Box& b) { return b.id == box; });
    if (found == boxes_.end()) return;
    answered = std::move(found->answered);
    boxes_.erase(found);
    changed();
  }
  answered(0);
}

void HeadlessLayer::requestRefresh() {
  std::lock_guard lock(mutex_);
  refreshLists();
}

void HeadlessLayer::refreshLists() {
  bool redrawn = false;
  for (auto& [id, record] : windows_)
    for (List& list : record.lists) {
      if (list.source == nullptr) continue;
      const std::uint64_t changes = list.source->changeCount();
      if (changes == list.seenChanges) continue;
      list.seenChanges = changes;
      list.count = list.source->count();
      list.selected = std::min(list.selected, list.count);
      ++list.redraws;
      redrawn = true;
    }
  if (redrawn) changed();
}

void HeadlessLayer::setFullWindowDrag(bool on) {
  std::lock_guard lock(mutex_);
  fullWindowDrag_ = on;
  changed();
}

std::vector<ui::WindowInfo> HeadlessLayer::windows() {
  std::lock_guard lock(mutex_);
  std::vector<ui::WindowInfo> infos;
  for (const auto& [id, record] : windows_)
    infos.push_back({id, record.definition.kind, record.definition.caption});
  return infos;
}

std::vector<ui::ControlInfo> HeadlessLayer::controls(ui::WindowId window) {
  std::lock_guard lock(mutex_);
  std::vector<ui::ControlInfo> infos;
  const Record* record = find(window);
  if (record == nullptr) return infos;
  for (const ui::Control& control : record->definition.controls) {
    ui::ControlInfo info;
    info.kind = control.kind;
    info.text = control.text;
    info.geometry = {control.x, control.y, control.width, control.height};
    if (control.kind == ui::ControlKind::Image)
      info.hasPicture = findResource(resourceName(control.text)).has_value();
    infos.push_back(info);
  }
  return infos;
}

bool HeadlessLayer::press(ui::WindowId window, int control) {
  std::lock_guard lock(mutex_);
  Record* record = find(window);
  if (record == nullptr || control < 1 ||
      control > static_cast<int>(record->definition.controls.size()) ||
      record->definition.controls[static_cast<std::size_t>(control - 1)].kind !=
          ui::ControlKind::Button)
    return false;
  record->focus = control;
  record->events->post(ui::kEventAccepted, control);
  return true;
}

bool HeadlessLayer::chooseMenu(int number) {
  std::lock_guard lock(mutex_);
  const ui::MenuEntry* entry = findEntry(number);
  if (entry == nullptr) return false;
  if (entry->action == ui::StandardAction::None)
    find(frameId())->events->post(ui::kEventAccepted, number);
  else
    standardAction(entry->action);
  return true;
}

void HeadlessLayer::standardAction(ui::StandardAction action) {
  std::vector<Record*> children;
  for (auto& [id, record] : windows_)
    if (record.definition.kind == ui::WindowKind::Child) children.push_back(&record);
  switch (action) {
    case ui::StandardAction::Tile: {
      int x = 0;
      for (Record* child : children) {
        child->geometry.x = x;
        child->geometry.y = 0;
        x += child->geometry.width;
      }
      break;
    }
    case ui::StandardAction::Cascade: {
      int offset = 0;
      for (Record* child : children) {
        child->geometry.x = child->geometry.y = offset;
        offset += 12;
      }
      break;
    }
    case ui::StandardAction::HelpOnHelp: dialogs_.push_back("help"); break;
    case ui::StandardAction::PrintSetup: dialogs_.push_back("print setup"); break;
    case ui::StandardAction::Copy:
      for (auto& [id, record] : windows_)
        for (const List& list : record.lists)
          if (record.focus == list.control && list.selected > 0 && list.source != nullptr) {
            std::vector<ui::FieldValue> values;
            std::vector<std::string> texts;
            list.source->line(list.selected, values);
            ui::formatLine(list.columns, values, texts);
            clipboard_.clear();
            for (std::size_t i = 0; i < texts.size(); ++i)
              clipboard_ += (i > 0 ? "\t" : "") + texts[i];
          }
      break;
    case ui::StandardAction::Close:
      if (Record* frame = find(frameId())) frame->events->post(ui::kEventCloseWindow, 0);
      break;
    default: break;  // no help file; nothing to cut or paste; icons need no arranging
  }
  changed();
}

std::vector<std::string> HeadlessLayer::menuTitles() {
  std::lock_guard lock(mutex_);
  std::vector<std::string> titles;
  if (const Record* frame = find(frameId()))
    for (const ui::Menu& menu : frame->definition.menus) titles.push_back(menu.text);
  return titles;
}

std::vector<std::string> HeadlessLayer::menuEntries(int menuIndex) {
  std::lock_guard lock(mutex_);
  std::vector<std::string> texts;
  const Record* frame = find(frameId());
  if (frame == nullptr || menuIndex < 0 ||
      menuIndex >= static_cast<int>(frame->definition.menus.size()))
    return texts;
  for (const ui::MenuEntry& entry :
       frame->definition.menus[static_cast<std::size_t>(menuIndex)].entries)
    texts.push_back(entry.text);
  return texts;
}

std::vector<std::string> HeadlessLayer::windowList() {
  std::lock_guard lock(mutex_);
  std::vector<std::string> titles;
  for (const auto& [id, record] : windows_)
    if (record.definition.kind == ui::WindowKind::Child)
      titles.push_back(record.definition.caption);
  return titles;
}

std::vector<std::string> HeadlessLayer::statusZones() {
  std::lock_guard lock(mutex_);
  return status_;
}

bool HeadlessLayer::highlightMenu(int number) {
  std::lock_guard lock(mutex_);
  const ui::MenuEntry* entry = findEntry(number);
  if (entry == nullptr || status_.empty()) return false;
  status_[0] = entry->message;
  changed();
  return true;
}

std::vector<std::string> HeadlessLayer::openDialogs() {
  std::lock_guard lock(mutex_);
  return dialogs_;
}

std::optional<ui::MessageBoxInfo> HeadlessLayer::messageBox() {
  std::lock_guard lock(mutex_);
  if (boxes_.empty()) return std::nullopt;
  const Box& box = boxes_.back();
  ui::MessageBoxInfo info;
  info.id = box.id;
  info.text = box.request.text;
  info.lines = splitLines(box.request.text);
  info.caption = box.request.caption;
  info.hasIcon = box.request.icon == ui::Icon::Stop ||
                 (box.request.icon == ui::Icon::File && loadable(box.request.iconFile));
  const int shown = ui::shownButtons(box.request);
  for (int button = ui::kOk; button <= ui::kHelp; button <<= 1)
    if ((shown & button) != 0) info.buttons.push_back(button);
  info.defaultButton = ui::effectiveDefault(box.request);
  info.onTop = box.request.style == 1;
  info.parent = box.parent;
  return info;
}

bool HeadlessLayer::answer(int button) {
  std::function<void(int)> answered;
  {
    std::lock_guard lock(mutex_);
    if (boxes_.empty() || button <= 0 || (ui::shownButtons(boxes_.back().request) & button) == 0 ||
        (button & (button - 1)) != 0)
      return false;
    answered = std::move(boxes_.back().answered);
    boxes_.pop_back();
    changed();
  }
  answered(button);
  return true;
}

bool HeadlessLayer::dismissMessageBox() {
  return false;
}

std::vector<std::vector<std::string>> HeadlessLayer::listLines(ui::WindowId window, int control) {
  std::lock_guard lock(mutex_);
  std::vector<std::vector<std::string>> lines;
  const List* list = findList(window, control);
  if (list == nullptr || list->source == nullptr) return lines;
  std::vector<ui::FieldValue> values;
  for (int n = 1; n <= list->count; ++n) {
    std::vector<std::string> texts;
    list->source->line(n, values);
    ui::formatLine(list->columns, values, texts);
    lines.push_back(std::move(texts));
  }
  return lines;
}

std::vector<std::string> HeadlessLayer::listHeaders(ui::WindowId window, int control) {
  std::lock_guard lock(mutex_);
  std::vector<std::string> headers;
  if (const List* list = findList(window, control))
    for (const ui::Column& column : list->columns) headers.push_back(column.header);
  return headers;
}

bool HeadlessLayer::selectListLine(ui::WindowId window, int control, int line) {
  std::lock_guard lock(mutex_);
  List* list = findList(window, control);
  if (list == nullptr || line < 1 || line > list->count) return false;
  list->selected = line;
  find(window)->focus = control;
  changed();
  return true;
}

int HeadlessLayer::listRedraws(ui::WindowId window, int control) {
  std::lock_guard lock(mutex_);
  const List* list = findList(window, control);
  return list != nullptr ? list->redraws : 0;
}

std::string HeadlessLayer::clipboard() {
  std::lock_guard lock(mutex_);
  return clipboard_;
}

std::optional<ui::Geometry> HeadlessLayer::windowGeometry(ui::WindowId window) {
  std::lock_guard lock(mutex_);
  const Record* record = find(window);
  if (record == nullptr) return std::nullopt;
  return record->geometry;
}

std::optional<ui::WindowState> HeadlessLayer::windowState(ui::WindowId window) {
  std::lock_guard lock(mutex_);
  const Record* record = find(window);
  if (record == nullptr) return std::nullopt;
  return record->state;
}

bool HeadlessLayer::moveTo(ui::WindowId window, const ui::Geometry& geometry) {
  std::lock_guard lock(mutex_);
  Record* record = find(window);
  if (record == nullptr) return false;
  record->geometry.x = geometry.x;
  record->geometry.y = geometry.y;
  if (record->definition.attributes.resizable) {
    record->geometry.width = geometry.width;
    record->geometry.height = geometry.height;
    record->events->post(ui::kEventSized, 0);
  }
  changed();
  return true;
}

bool HeadlessLayer::setWindowState(ui::WindowId window, const ui::WindowState& state) {
  std::lock_guard lock(mutex_);
  Record* record = find(window);
  if (record == nullptr) return false;
  record->state = state;
  changed();
  return true;
}

bool HeadlessLayer::close(ui::WindowId window) {
  std::lock_guard lock(mutex_);
  Record* record = find(window);
  if (record == nullptr) return false;
  record->events->post(ui::kEventCloseWindow, 0);
  return true;
}

bool HeadlessLayer::fullWindowDrag() {
  std::lock_guard lock(mutex_);
  return fullWindowDrag_;
}

std::uint64_t HeadlessLayer::version() {
  std::lock_guard lock(mutex_);
  return version_;
}

bool HeadlessLayer::waitForChange(std::uint64_t seen, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return versionChanged_.wait_for(lock, timeout, [&] { return version_ != seen; });
}

}  // namespace rt::headless
