// The window-position file: fetch and update of window sections, and the
// list section loaded at open and written back at close.

#include "positions/position_store.h"

#include <algorithm>

#include "runtime/profile.h"

namespace lumo {
namespace {

constexpr std::string_view kListSection = "__Dont_Touch_Me__";
constexpr std::string_view kCountKey = "Sectors";
constexpr std::string_view kUnknownEntry = "---Unknown---";
constexpr std::size_t kFileNameLimit = 259;
constexpr std::size_t kEntryPartLimit = 99;
constexpr std::int64_t kCountLimit = 65535;

// Reads leading blanks, an optional "-" and decimal digits; text that does
// not begin with a number reads as 0. The result saturates well beyond the
// 32-bit range instead of overflowing.
std::int64_t leadingNumber(std::string_view text) {
  constexpr std::int64_t kSaturation = std::int64_t{1} << 40;
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string_view::npos) return 0;
  bool negative = text[at] == '-';
  if (negative) ++at;
  std::int64_t magnitude = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
    magnitude = std::min(magnitude * 10 + (text[at] - '0'), kSaturation);
  return negative ? -magnitude : magnitude;
}

// A position or size as stored; numbers beyond the 32-bit range are clamped
// to it, and a missing key reads as not set.
std::int32_t readCoordinate(PositionStore& store, std::string_view section, std::string_view key) {
  std::int64_t number = leadingNumber(store.readValue(section, key, std::to_string(kNotSet)));
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(number, INT32_MIN, INT32_MAX));
}

void writeCoordinate(PositionStore& store, std::string_view section, std::string_view key,
                     std::int32_t value) {
  if (value == kNotSet) {
    store.deleteKey(section, key);
  } else {
    store.writeValue(section, key, std::to_string(value));
  }
}

std::string entryKey(std::size_t n) {
  return std::string(kCountKey) + "_" + std::to_string(n);
}

// Splits "FAMILY,ITEM,TYPE"; TYPE ends at a third comma. The parts a text
// lacks (as "---Unknown---" lacks two) are empty.
SectorEntry parseEntry(std::string_view text) {
  std::string_view parts[3];
  for (std::size_t i = 0; i < 3 && !text.empty(); ++i) {
    std::size_t comma = text.find(',');
    parts[i] = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  }
  auto cut = [](std::string_view part) { return std::string(part.substr(0, kEntryPartLimit)); };
  return {cut(parts[0]), cut(parts[1]), cut(parts[2])};
}

void apply(const PositionRecord& record, rt::ui::PlacedWindow& window) {
  bool wasMaximized = window.maximized();
  if (!record.MAXIMIZED && wasMaximized) window.setMaximized(false);
  if (record.X != kNotSet) window.setX(record.X);
  if (record.Y != kNotSet) window.setY(record.Y);
  if (window.resizable()) {
    if (record.W != kNotSet) window.setWidth(record.W);
    if (record.H != kNotSet) window.setHeight(record.H);
  }
  if (record.MAXIMIZED && !wasMaximized) window.setMaximized(true);
  // Restoring touches only a minimised window, so a maximised one stays so.
  if (record.MINIMIZED) {
    window.setMinimized(true);
  } else if (window.minimized()) {
    window.setMinimized(false);
  }
}

}  // namespace

void PositionStore::open(std::string_view fileName) {
  fileName_ = std::string(fileName.substr(0, kFileNameLimit));
  SectorList list;
  std::lock_guard hold(lock_);
  // A count outside 0..65535 means the list section is damaged: it is taken
  // as empty rather than as thousands of unknown entries.
  std::int64_t count = leadingNumber(readValue(kListSection, kCountKey, ""));
  if (count < 0 || count > kCountLimit) count = 0;
  for (std::int64_t n = 1; n <= count; ++n)
    list.push_back(
        parseEntry(readValue(kListSection, entryKey(static_cast<std::size_t>(n)), kUnknownEntry)));
  sectorList_ = std::move(list);
}

void PositionStore::fetch(std::string_view procedure, rt::ui::PlacedWindow& window) {
  PositionRecord record;
  {
    std::lock_guard hold(lock_);
    std::string maximize = readValue(procedure, "Maximize", "");
    if (maximize != "No" && maximize != "Yes") return;  // GOT stays 0: nothing is applied
    record.MAXIMIZED = maximize == "Yes";
    record.MINIMIZED = readValue(procedure, "Minimize", "") == "Yes";
    record.X = readCoordinate(*this, procedure, "XPos");
    record.Y = readCoordinate(*this, procedure, "YPos");
    record.W = readCoordinate(*this, procedure, "Width");
    record.H = readCoordinate(*this, procedure, "Height");
    record.GOT = 1;
  }
  apply(record, window);
}

void PositionStore::update(std::string_view procedure, rt::ui::PlacedWindow& window) {
  PositionRecord record;
  record.MAXIMIZED = window.maximized();
  record.MINIMIZED = window.minimized();
  if (!record.MAXIMIZED && !record.MINIMIZED) {
    rt::ui::Geometry geometry = window.geometry();
    record.X = geometry.x;
    record.Y = geometry.y;
    if (window.resizable()) {
      record.W = geometry.width;
      record.H = geometry.height;
    }
  }
  std::lock_guard hold(lock_);
  writeValue(procedure, "Maximize", record.MAXIMIZED ? "Yes" : "No");
  writeValue(procedure, "Minimize", record.MINIMIZED ? "Yes" : "No");
  writeCoordinate(*this, procedure, "XPos", record.X);
  writeCoordinate(*this, procedure, "YPos", record.Y);
  writeCoordinate(*this, procedure, "Width", record.W);
  writeCoordinate(*this, procedure, "Height", record.H);
}

void PositionStore::close() {
  std::lock_guard hold(lock_);
  writeValue(kListSection, kCountKey, std::to_string(sectorList_.size()));
  for (std::size_t n = 1; n <= sectorList_.size(); ++n) {
    const SectorEntry& entry = sectorList_[n - 1];
    writeValue(kListSection, entryKey(n), entry.FAMILY + "," + entry.ITEM + "," + entry.TYPE);
  }
  sectorList_.clear();
}

std::string PositionStore::readValue(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) {
  std::lock_guard hold(lock_);
  return rt::readProfileString(section, key, defaultValue, fileName_);
}

void PositionStore::writeValue(std::string_view section, std::string_view key,
                               std::string_view value) {
  std::lock_guard hold(lock_);
  rt::writeProfileString(section, key, value, fileName_);
}

void PositionStore::deleteKey(std::string_view section, std::string_view key) {
  std::lock_guard hold(lock_);
  rt::writeProfileString(section, key, std::nullopt, fileName_);
}

SectorList PositionStore::sectors() const {
  std::lock_guard hold(lock_);
  return sectorList_;
}

}  // namespace lumo
