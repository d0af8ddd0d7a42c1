#pragma once
// Whether the X11 desktop's active window is full screen, as the window
// manager records it in the window's state.
#include <optional>

namespace quorbel {

// Nothing when the program does not run on X11 or the window manager does
// not name an active window.
std::optional<bool> ActiveWindowIsFullScreen();

}  // namespace quorbel
