#pragma once

#include <functional>

namespace Kestrow {

class AppSettings;
class HistoryStore;
class LoginItem;
class UpdateController;

// What the settings pages work on: the shared settings and services, and the application's
// actions they may call. An absent action leaves its button out.
struct SettingsContext {
    AppSettings& settings;
    LoginItem& loginItem;
    UpdateController& updates;
    HistoryStore* history = nullptr;        // none: the History tab says history is unavailable
    std::function<void()> showHistory;      // "Show History…"
    std::function<void()> relaunch;         // "Restart Now"
    std::function<void()> requestScreenAccess;  // "Allow…"
    std::function<bool()> trayAvailable;    // none: asks the desktop
    std::function<bool()> screenAccess;     // none: the platform's answer
};

}  // namespace Kestrow
