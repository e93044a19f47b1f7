#include "runtime/desktop_settings.h"

#include <atomic>

#include "runtime/profile.h"
#include "runtime/program.h"
#include "runtime/ui/window_layer.h"

namespace rt {
namespace {

constexpr const char* kFile = "desktop.ini";
constexpr const char* kSection = "Desktop";
constexpr const char* kKey = "DragFullWindows";

// The value in force for this session; the file keeps it for later ones.
std::atomic<int> session{-1};

std::uint32_t stored() {
  return readProfileString(kSection, kKey, "1", kFile) == "0" ? 0u : 1u;
}

std::uint32_t current() {
  const int value = session.load();
  return value < 0 ? stored() : static_cast<std::uint32_t>(value);
}

}  // namespace

bool systemParametersInfo(SystemParameter action, std::uint32_t number, std::uint32_t* value,
                          std::uint32_t flags) {
  if (action == SystemParameter::GetDragFullWindows) {
    if (value == nullptr) return false;
    *value = current();
    return true;
  }
  const std::uint32_t on = number != 0 ? 1u : 0u;
  session.store(static_cast<int>(on));
  if ((flags & kUpdateIniFile) != 0) writeProfileString(kSection, kKey, on ? "1" : "0", kFile);
  if ((flags & kSendChange) != 0) windowLayer().setFullWindowDrag(on != 0);
  return true;
}

void applyDesktopSettings() {
  session.store(-1);
  windowLayer().setFullWindowDrag(current() != 0);
}

}  // namespace rt
