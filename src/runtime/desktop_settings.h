#pragma once
// Desktop settings the program reads and changes, kept per user by the
// runtime in the configuration directory ("desktop.ini"). The only one is
// whether windows are dragged with their full contents (default on); the
// window layer moves and resizes child windows as outlines when it is off.

#include <cstdint>

namespace rt {

enum class SystemParameter { GetDragFullWindows, SetDragFullWindows };

// Flags of a set: store the value for later runs, tell the windows now.
inline constexpr std::uint32_t kUpdateIniFile = 1;
inline constexpr std::uint32_t kSendChange = 2;

// Get: *value receives the setting (0 or 1). Set: the setting becomes
// number (0 or not 0); value is not read. False for a null value on a get.
bool systemParametersInfo(SystemParameter action, std::uint32_t number, std::uint32_t* value,
                          std::uint32_t flags);

// Tells the window layer the stored setting (at the start of a run).
void applyDesktopSettings();

}  // namespace rt
