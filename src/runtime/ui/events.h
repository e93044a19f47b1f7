#pragma once
// Event codes as procedures see them.

namespace rt::ui {

inline constexpr int kEventAccepted = 1;
inline constexpr int kEventCloseWindow = 513;
inline constexpr int kEventCloseDown = 514;
inline constexpr int kEventOpenWindow = 515;
inline constexpr int kEventGainFocus = 518;
inline constexpr int kEventTimer = 523;
inline constexpr int kEventSized = 561;

}  // namespace rt::ui
