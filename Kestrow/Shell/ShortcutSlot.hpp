#pragma once

namespace Kestrow {

// The two global shortcuts.
enum class ShortcutSlot { capture, quickCapture };

}  // namespace Kestrow
