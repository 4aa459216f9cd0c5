#include "Kestrow/Platform/Hotkeys.hpp"

#include "Kestrow/Platform/NullHotkeys.hpp"
#include "Kestrow/Platform/X11Hotkeys.hpp"

#include <QGuiApplication>

#include <X11/Xlib.h>

namespace Kestrow {

std::unique_ptr<Hotkeys> Hotkeys::forPlatform() {
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        if (x11->connection() && x11->display())
            return std::make_unique<X11Hotkeys>(x11->connection(), std::uint32_t(DefaultRootWindow(x11->display())));
    return std::make_unique<NullHotkeys>();
}

}  // namespace Kestrow
