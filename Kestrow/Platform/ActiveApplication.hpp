#pragma once

#include <QString>

#include <optional>

namespace Kestrow::ActiveApplication {

// The name of the application whose window is active (the window manager's
// _NET_ACTIVE_WINDOW, named by its WM_CLASS), unless it is this process. Nothing without
// X11, without a window manager, or when this application is in front.
std::optional<QString> name();

}  // namespace Kestrow::ActiveApplication
