#include "Kestrow/Platform/FakeHotkeys.hpp"

#include <QCoreApplication>
#include <QMetaObject>

namespace Kestrow {

std::vector<bool> FakeHotkeys::registerAll(const std::vector<HotkeyEntry>& entries) {
    ++registerCalls;
    unregisterAll();
    std::vector<bool> ok;
    std::vector<Shortcut> seen;
    for (const HotkeyEntry& e : entries) {
        const bool repeat = std::find(seen.begin(), seen.end(), e.shortcut) != seen.end();
        seen.push_back(e.shortcut);
        const bool refused = repeat || taken.count({e.shortcut.keyCode, e.shortcut.modifiers}) > 0;
        if (!refused) registered.push_back(e);
        ok.push_back(!refused);
    }
    return ok;
}

bool FakeHotkeys::press(const Shortcut& shortcut) {
    for (const HotkeyEntry& e : registered)
        if (e.shortcut == shortcut) {
            QMetaObject::invokeMethod(QCoreApplication::instance(), e.action, Qt::QueuedConnection);
            return true;
        }
    return false;
}

}  // namespace Kestrow
