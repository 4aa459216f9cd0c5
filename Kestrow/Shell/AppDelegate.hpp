#pragma once

#include "Kestrow/Capture/CaptureRoad.hpp"
#include "Kestrow/Help/HelpTopic.hpp"
#include "Kestrow/Capture/RegionSelector.hpp"
#include "Kestrow/Feedback/FeedbackContext.hpp"
#include "Kestrow/Feedback/FeedbackKind.hpp"
#include "Kestrow/Feedback/MailHandoff.hpp"
#include "Kestrow/Platform/ClipboardWriter.hpp"
#include "Kestrow/Platform/Hotkeys.hpp"
#include "Kestrow/Settings/SettingsTab.hpp"
#include "Kestrow/Shell/AlertPresenter.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/EngineService.hpp"

#include <QAction>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace Kestrow {

class FeedbackSender;
class HistoryStore;
class HistoryWindow;
class LoginItem;
class SettingsWindow;
class UpdateController;
class NoTrayHint;
class Windows;
class WindowStacking;
struct ResultEnvironment;

// The one object that lives as long as the application: tray icon and menu, hot keys, the
// capture road and the windows it opens.
class AppDelegate final : public QObject {
    Q_OBJECT
public:
    struct Services {
        AppSettings& settings;
        Hotkeys& hotkeys;
        RegionSelector& selector;
        ClipboardWriter& clipboard;
        AlertPresenter& alerts;
        EngineService& engine;
        HistoryStore* history = nullptr;  // none: captures are not kept
        WindowStacking* stacking = nullptr;  // none: a capture over our own grid is not noticed
        LoginItem* loginItem = nullptr;      // none: the XDG autostart entry
        UpdateController* updates = nullptr;  // none: the shared controller
    };
    // How a capture's table is shown; the plain window until the result window replaces it.
    using OpenResult = std::function<QWidget*(const CaptureResult&, const std::optional<QString>& notice)>;

    explicit AppDelegate(Services services, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The launch sequence: tray, menu, hot keys, engine preload, trust wiring, log line.
    void launch();
    // A second launch of the application: bring back the last window, else open the menu.
    void reopen();

    void registerHotkeys();
    // Right before the menu opens: shortcut mirrors, clipboard availability.
    void refreshMenu();
    // After launch: is there a tray to show the icon in? Without one, the hint explains.
    void checkStatusItemVisible();
    // False, after a beep and a warning, when the rectangle mostly shows one of our result grids.
    bool allowsCapture(const QRect& rect);
    // The "Match Columns" window for a stitch that cannot match the columns by itself.
    QWidget* askMapping(const VozudOzev::StitchTables::MappingRequest& request, CaptureRoad::MappingAnswer answer);
    QWidget* showResult(const CaptureResult& result, const std::optional<QString>& notice);
    // A new "Send Feedback" window with the kind picked and what the caller offers to attach.
    QWidget* showFeedback(FeedbackKind kind, const FeedbackContext& context);
    // Shortcuts that stand in for a main menu in every window of the application.
    void installWindowShortcuts(QWidget* window);
    // The one settings window, made on first use; with a tab, shown on that tab.
    void showSettings(std::optional<SettingsTab> tab = std::nullopt);
    SettingsWindow* settingsWindow() const;
    // Starts this program again a second after it quits (the path passed as an argument,
    // never inside the shell text), then quits.
    static void relaunch();

    // The help window on a topic, always a new one.
    void showHelp(HelpTopic topic);
    void showAbout();
    // The welcome window; fromStart (the menu's "Show Welcome Again") replaces an open one
    // with a new one at its first step.
    void showOnboarding(bool fromStart);
    void openSampleTable();
    void showLicenses();
    // The welcome, help and about windows, when made.
    QWidget* onboardingWindow() const;
    QWidget* helpWindow() const;
    QWidget* aboutWindow() const;
    QWidget* sampleWindow() const;
    QAction* welcomeItem() const { return welcomeItem_; }
    QAction* helpItem() const { return helpItem_; }
    QAction* aboutItem() const { return aboutItem_; }


    CaptureRoad& road() { return *road_; }
    QMenu& statusMenu() { return *menu_; }
    QSystemTrayIcon* trayIcon() const { return tray_; }
    QAction* captureItem() const { return captureItem_; }
    QAction* quickItem() const { return quickItem_; }
    QAction* clipboardItem() const { return clipboardItem_; }
    QList<QWidget*> windows() const;
    NoTrayHint* hint() const { return hint_; }

    OpenResult openResult;  // replaced by the result window when it exists
    // How feedback drafts reach the mail program (a fake in tests); read at the first send.
    std::unique_ptr<MailHandoff> mailHandoff;

private:
    void buildMenu();
    // What a result window takes from the application: clipboard, settings, trust, history.
    ResultEnvironment resultEnvironment();
    void setBusy(bool busy);
    void openImageAction();
    void historyAction();
    static void showShortcut(const Shortcut& shortcut, QAction* item);

    Services s_;
    std::unique_ptr<CaptureRoad> road_;
    std::unique_ptr<QMenu> menu_;
    QSystemTrayIcon* tray_ = nullptr;
    QAction* captureItem_ = nullptr;
    QAction* quickItem_ = nullptr;
    QAction* clipboardItem_ = nullptr;
    QAction* recentHeader_ = nullptr;
    QAction* welcomeItem_ = nullptr;
    QAction* helpItem_ = nullptr;
    QAction* aboutItem_ = nullptr;
    std::unique_ptr<Windows> shellWindows_;
    QPointer<QWidget> licensesWindow_;
    QList<QAction*> recentItems_;
    QPointer<HistoryWindow> historyWindow_;
    QPointer<SettingsWindow> settingsWindow_;
    std::unique_ptr<LoginItem> ownLoginItem_;
    QList<QPointer<QWidget>> windows_;
    QPointer<NoTrayHint> hint_;
    std::unique_ptr<FeedbackSender> feedback_;
};

}  // namespace Kestrow
