#pragma once
// Keeps the placement of every procedure window between runs in one INI
// section per procedure, and carries the list section "__Dont_Touch_Me__"
// through a run unchanged. One process-wide object, shared by all threads.

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ui/placement.h"

namespace lumo {

// The value of a position or size that is not set: never written to the file
// and never applied to a window.
inline constexpr std::int32_t kNotSet = INT32_MIN;

// The working record of one fetch or update.
struct PositionRecord {
  std::int32_t X = kNotSet;
  std::int32_t Y = kNotSet;
  std::int32_t W = kNotSet;
  std::int32_t H = kNotSet;
  std::uint8_t MAXIMIZED = 0;
  std::uint8_t MINIMIZED = 0;
  std::uint8_t GOT = 0;
};

// One entry of the list section; each text holds at most 99 characters.
struct SectorEntry {
  std::string FAMILY;
  std::string ITEM;
  std::string TYPE;
  bool operator==(const SectorEntry&) const = default;
};

using SectorList = std::vector<SectorEntry>;

class PositionStore {
 public:
  // Keeps fileName (cut to 259 characters) and loads the list section.
  void open(std::string_view fileName);
  // Applies the placement saved for procedure to window, if there is a usable
  // one. Call on the thread that owns the window.
  void fetch(std::string_view procedure, rt::ui::PlacedWindow& window);
  // Saves window's current placement as that of procedure. Call on the thread
  // that owns the window, while it is still open.
  void update(std::string_view procedure, rt::ui::PlacedWindow& window);
  // Writes the list section back and discards the list.
  void close();

  // The inner steps: each takes the lock and goes straight to the file.
  std::string readValue(std::string_view section, std::string_view key,
                        std::string_view defaultValue);
  void writeValue(std::string_view section, std::string_view key, std::string_view value);
  void deleteKey(std::string_view section, std::string_view key);

  // A copy of the list as open loaded it (empty after close).
  SectorList sectors() const;

 private:
  mutable std::recursive_mutex lock_;
  std::string fileName_;
  SectorList sectorList_;
};

}  // namespace lumo
