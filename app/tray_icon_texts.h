#pragma once

namespace radar {

// The tip of the program's tray icon.
inline constexpr char kTrayTip[] = "青禾包裹雷达无限制版！";

} // namespace radar
