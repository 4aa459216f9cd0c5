#include "Kestrow/Shell/AppDelegate.hpp"

#include "Kestrow/Capture/ScreenCapture.hpp"
#include "Kestrow/Capture/CaptureConsent.hpp"
#include "Kestrow/Help/AboutView.hpp"
#include "Kestrow/Help/HelpView.hpp"
#include "Kestrow/Help/LicensesView.hpp"
#include "Kestrow/Help/OnboardingView.hpp"
#include "Kestrow/Help/SampleTable.hpp"
#include "Kestrow/Help/SampleTableView.hpp"
#include "Kestrow/Capture/OwnResultLayers.hpp"
#include "Kestrow/Feedback/FeedbackSender.hpp"
#include "Kestrow/Feedback/FeedbackWindow.hpp"
#include "Kestrow/Feedback/XdgEmailHandoff.hpp"
#include "Kestrow/Platform/ActiveApplication.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/History/HistoryWindow.hpp"
#include "Kestrow/History/RecentCaptures.hpp"
#include "Kestrow/Platform/LoginItem.hpp"
#include "Kestrow/Result/ColumnMappingView.hpp"
#include "Kestrow/Result/ResultWindow.hpp"
#include "Kestrow/Settings/SettingsWindow.hpp"
#include "Kestrow/Settings/UpdateController.hpp"
#include "Kestrow/Shell/ResultTitle.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Palette.hpp"
#include "Kestrow/Shell/WindowShortcuts.hpp"
#include "Kestrow/Shell/Windows.hpp"
#include "Kestrow/Shell/WindowFrames.hpp"
#include "Kestrow/Shell/WindowSpec.hpp"
#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/Log.hpp"
#include "Kestrow/Shell/HUDPill.hpp"
#include "Kestrow/Shell/NoTrayHint.hpp"
#include "Kestrow/Shell/PermissionFlow.hpp"
#include "Kestrow/Shell/ProgressHUD.hpp"
#include "Kestrow/Shell/Toast.hpp"
#include "Kestrow/Shell/TrustWiring.hpp"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QFileDialog>
#include <QImageReader>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <set>

namespace Kestrow {

namespace {

QString rectText(const QRect& r)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// A menu symbol when the application has one by that name.
// A menu symbol drawn in the text colour of the theme in use when the menu paints, so it
// stays visible on a dark menu and greys out with a disabled item.
class ThemedSymbolEngine final : public QIconEngine {
public:
    explicit ThemedSymbolEngine(QString name) : name_(std::move(name)) {}
    QIconEngine* clone() const override { return new ThemedSymbolEngine(name_); }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const Palette& p = Theme::shared().palette();
        return AppResources::symbol(name_, mode == QIcon::Disabled ? p.muted : p.ink).pixmap(size);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatio(), mode, state));
    }

private:
    QString name_;
};

QIcon menuSymbol(const QString& name)
{
    return QFile::exists(QStringLiteral(":/vantrel/Symbols/") + name + QStringLiteral(".svg"))
               ? QIcon(new ThemedSymbolEngine(name))
               : QIcon();
}

QString imageFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return QObject::tr("Images (%1)").arg(patterns.join(u' '));
}

void showToast(const QString& text, ToastKind kind)
{
    Toast::show(text, kind);
    // The pill's window carries its text too, for screen readers and window lists.
    if (QWidget* pill = Toast::current())
        pill->setWindowTitle(text);
}

}  // namespace

AppDelegate::AppDelegate(Services services, QObject* parent)
    : QObject(parent), mailHandoff(std::make_unique<XdgEmailHandoff>()), s_(services)
{
    openResult = [this](const CaptureResult& result, const std::optional<QString>& notice) -> QWidget* {
        QPointer<AppDelegate> self(this);
        auto captureNext = [self, result](const VozudOzev::Table& base) {
            if (self)
                self->road_->captureNext(base, result);
        };
        return ResultWindow::make(result, notice, captureNext, resultEnvironment());
    };

    CaptureRoad::Ports ports;
    ports.selectRegion = [this](const QString& hint, RegionSelector::Completion done) {
        return s_.selector.begin(hint, std::move(done));
    };
    ports.grab = [](const RegionSelection& selection) -> std::variant<ScreenCapture::Shot, CaptureFailure> {
        try {
            return ScreenCapture::capture(selection.frame, selection.rect);
        } catch (const CaptureFailure& failure) {
            return failure;
        } catch (const std::exception& error) {
            return CaptureFailure::classify(error);
        }
    };
    ports.allowsCapture = [this](const QRect& rect) { return allowsCapture(rect); };
    ports.askMapping = [this](const VozudOzev::StitchTables::MappingRequest& request,
                              CaptureRoad::MappingAnswer answer) { askMapping(request, std::move(answer)); };
    ports.frontApplicationName = [] { return ActiveApplication::name(); };
    ports.toast = showToast;
    ports.beginProgress = [](const QString& text, int delayMs) { ProgressHUD::shared().begin(text, delayMs / 1000.0); };
    ports.endProgress = [] { ProgressHUD::shared().end(); };
    ports.setBusy = [this](bool busy) { setBusy(busy); };
    ports.openResult = [this](const CaptureResult& result, const std::optional<QString>& notice) {
        showResult(result, notice);
    };
    ports.addHistory = [this](const CaptureResult& result, const QString& sourceName, const QString& engine) {
        if (s_.history)
            s_.history->add(result, sourceName, engine);
    };
    ports.showOnboarding = [this] { showOnboarding(false); };
    ports.beep = [] { QApplication::beep(); };
    ports.relaunch = &AppDelegate::relaunch;
    ports.recordConsent = [this] { CaptureConsent::recordCapture(s_.settings.defaults(), CaptureConsent::appPath()); };
    ports.flagThreshold = [this] { return s_.settings.flagThreshold(); };
    ports.onboardingDone = [this] { return s_.settings.onboardingDone(); };
    ports.copyMode = [this] {
        return Clipboard::defaultCopyMode(s_.settings.defaults().string(QStringLiteral("copyMode")));
    };
    road_ = std::make_unique<CaptureRoad>(s_.engine, s_.alerts, s_.clipboard, std::move(ports));

    WindowCommands commands;
    commands.openImage = [self = QPointer<AppDelegate>(this)] {
        if (self)
            self->openImageAction();
    };
    commands.quit = [] { QCoreApplication::quit(); };
    shellWindows_ = std::make_unique<Windows>(std::move(commands));
}

AppDelegate::~AppDelegate()
{
    if (hint_)
        delete hint_.data();
    for (const QPointer<QWidget>& window : windows_)
        delete window.data();
    delete historyWindow_.data();
    delete settingsWindow_.data();
    for (const WindowKind kind : {WindowKind::onboarding, WindowKind::help, WindowKind::about, WindowKind::sample})
        delete shellWindows_->single(kind);
    delete licensesWindow_.data();
}

void AppDelegate::relaunch()
{
    QProcess::startDetached(QStringLiteral("/bin/sh"),
                            {QStringLiteral("-c"), QStringLiteral("sleep 1; exec \"$0\""), CaptureConsent::appPath()});
    QApplication::quit();
}

SettingsWindow* AppDelegate::settingsWindow() const { return settingsWindow_.data(); }

void AppDelegate::showSettings(std::optional<SettingsTab> tab)
{
    if (!settingsWindow_) {
        if (!s_.loginItem && !ownLoginItem_)
            ownLoginItem_ = std::make_unique<XdgLoginItem>();
        SettingsContext context{s_.settings, s_.loginItem ? *s_.loginItem : *ownLoginItem_,
                                s_.updates ? *s_.updates : UpdateController::shared()};
        context.history = s_.history;
        if (s_.history)
            context.showHistory = [self = QPointer<AppDelegate>(this)] {
                if (self)
                    self->historyAction();
            };
        context.relaunch = &AppDelegate::relaunch;
        settingsWindow_ = new SettingsWindow(std::move(context), s_.settings.defaults());
        installWindowShortcuts(settingsWindow_);
    }
    settingsWindow_->present(tab);
}

void AppDelegate::launch()
{
    const int fonts = AppResources::registerFonts();
    Log::line(QStringLiteral("resources at %1, %2 fonts")
                  .arg(AppResources::installedRoot().value_or(QStringLiteral("(checkout)")))
                  .arg(fonts));
    // Attachments of earlier feedback were kept for the user until now.
    FeedbackContext::purgeStaleAttachments(FeedbackContext::attachmentRoot());
    if (s_.settings.applyAppearance)
        s_.settings.applyAppearance(s_.settings.appearance());
    QApplication::setWindowIcon(AppResources::appIcon(s_.settings.appIcon()));
    s_.settings.onIconChanged = [self = QPointer<AppDelegate>(this)] {
        if (!self)
            return;
        QApplication::setWindowIcon(AppResources::appIcon(self->s_.settings.appIcon()));
        if (self->tray_)
            self->tray_->setIcon(AppResources::trayGlyph(self->s_.settings.appIcon(), true));
    };

    buildMenu();
    tray_ = new QSystemTrayIcon(AppResources::trayGlyph(s_.settings.appIcon(), true), this);
    tray_->setToolTip(QStringLiteral("Vantrel"));
    tray_->setContextMenu(menu_.get());
    // A left click opens the same menu, as a right click does.
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            menu_->popup(QCursor::pos());
    });
    tray_->show();

    registerHotkeys();
    s_.settings.onShortcutsChanged = [self = QPointer<AppDelegate>(this)] {
        if (self)
            self->registerHotkeys();
    };
    QTimer::singleShot(2000, this, &AppDelegate::checkStatusItemVisible);
    s_.engine.preload();
    TrustWiring::install();
    Log::line(QStringLiteral("launch — screen recording permission %1, onboarding %2")
                  .arg(ScreenAccess::preflight() ? QStringLiteral("granted") : QStringLiteral("missing"),
                       s_.settings.onboardingDone() ? QStringLiteral("done") : QStringLiteral("pending")));
    // A copy of the program that has not shown its getting-started page yet opens it.
    if (s_.settings.onboardingDone()) {
        const QString path = CaptureConsent::appPath();
        Defaults& defaults = s_.settings.defaults();
        if (defaults.string(QStringLiteral("gettingStartedShownPath")) != path) {
            defaults.setString(QStringLiteral("gettingStartedShownPath"), path);
            showSettings(SettingsTab::general);
        }
    }
    // A first run is greeted once; closing the window without finishing greets again next time.
    if (!s_.settings.onboardingDone())
        showOnboarding(false);
}

void AppDelegate::buildMenu()
{
    menu_ = std::make_unique<QMenu>();
    captureItem_ = menu_->addAction(menuSymbol(QStringLiteral("capture")), tr("Capture Table"));
    connect(captureItem_, &QAction::triggered, this, [this] { road_->startCapture(false); });
    quickItem_ = menu_->addAction(menuSymbol(QStringLiteral("quick")), tr("Quick Capture"));
    connect(quickItem_, &QAction::triggered, this, [this] { road_->startCapture(true); });
    clipboardItem_ =
        menu_->addAction(menuSymbol(QStringLiteral("clipboard")), tr("Read Image from Clipboard"));
    connect(clipboardItem_, &QAction::triggered, this, [this] { road_->clipboardAction(); });
    QAction* openImage = menu_->addAction(menuSymbol(QStringLiteral("image")), tr("Open Image…"));
    connect(openImage, &QAction::triggered, this, &AppDelegate::openImageAction);
    menu_->addSeparator();
    recentHeader_ = menu_->addAction(tr("Recent"));
    recentHeader_->setEnabled(false);
    if (s_.history) {
        QAction* history = menu_->addAction(menuSymbol(QStringLiteral("history")), tr("History…"));
        history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
        history->setShortcutContext(Qt::WidgetShortcut);
        connect(history, &QAction::triggered, this, &AppDelegate::historyAction);
    }
    menu_->addSeparator();
    QAction* updates = (s_.updates ? *s_.updates : UpdateController::shared()).makeMenuItem(menu_.get());
    updates->setIcon(menuSymbol(QStringLiteral("updates")));
    menu_->addAction(updates);
    QAction* feedback = menu_->addAction(menuSymbol(QStringLiteral("feedback")), tr("Send Feedback…"));
    connect(feedback, &QAction::triggered, this, [this] { showFeedback(FeedbackKind::bug, {}); });
    QAction* settings = menu_->addAction(menuSymbol(QStringLiteral("gear")), tr("Settings…"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setShortcutContext(Qt::WidgetShortcut);
    connect(settings, &QAction::triggered, this, [this] { showSettings(); });
    helpItem_ = menu_->addAction(menuSymbol(QStringLiteral("help")), tr("Vantrel Help"));
    helpItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Question));
    helpItem_->setShortcutContext(Qt::WidgetShortcut);
    connect(helpItem_, &QAction::triggered, this, [this] { showHelp(HelpTopic::start); });
    welcomeItem_ = menu_->addAction(menuSymbol(QStringLiteral("welcome")), tr("Show Welcome Again"));
    connect(welcomeItem_, &QAction::triggered, this, [this] { showOnboarding(true); });
    aboutItem_ = menu_->addAction(menuSymbol(QStringLiteral("info")), tr("About Vantrel"));
    connect(aboutItem_, &QAction::triggered, this, &AppDelegate::showAbout);
    menu_->addSeparator();
    QAction* quit = menu_->addAction(tr("Quit Vantrel"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WidgetShortcut);
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit);
    connect(menu_.get(), &QMenu::aboutToShow, this, &AppDelegate::refreshMenu);
    // Some tray hosts never say the menu is about to open; keep it current anyway.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &AppDelegate::refreshMenu);
    refreshMenu();
}

void AppDelegate::showShortcut(const Shortcut& shortcut, QAction* item)
{
    // The menu shows the global shortcut as text; the item itself never takes the key.
    QString title = item->text().section(u'\t', 0, 0);
    const QString key = Shortcut::keyName(shortcut.keyCode);
    if (key.size() == 1 && key[0].isLetterOrNumber())
        title += u'\t' + shortcut.keycaps().join(u'+');
    item->setText(title);
}

void AppDelegate::refreshMenu()
{
    showShortcut(s_.settings.captureShortcut(), captureItem_);
    showShortcut(s_.settings.quickCaptureShortcut(), quickItem_);
    clipboardItem_->setEnabled(s_.clipboard.hasImage());
    if (!s_.history) {
        recentHeader_->setVisible(false);
        return;
    }
    RecentCaptures::rebuild(
        *menu_, *recentHeader_, recentItems_, *s_.history,
        [](const QString& source, const VozudOzev::Table* table) {
            return ResultTitle::make(source, table ? std::optional<VozudOzev::Table>(*table) : std::nullopt);
        },
        [this](const std::string& id) {
            // The capture may have been deleted since the menu was built.
            if (const HistoryItem* item = s_.history->find(id))
                showResult(s_.history->captureResult(*item), std::nullopt);
        });
}

void AppDelegate::historyAction()
{
    if (!s_.history)
        return;
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(*s_.history, [this](const CaptureResult& result) {
            showResult(result, std::nullopt);
        });
        installWindowShortcuts(historyWindow_);
    }
    historyWindow_->present();
}

void AppDelegate::registerHotkeys()
{
    const Shortcut capture = s_.settings.captureShortcut();
    const Shortcut quick = s_.settings.quickCaptureShortcut();
    QPointer<AppDelegate> self(this);
    const std::vector<bool> ok = s_.hotkeys.registerAll({
        {capture, [self] { if (self) self->road_->startCapture(false); }},
        {quick, [self] { if (self) self->road_->startCapture(true); }},
    });
    const bool captureOk = ok.size() > 0 && ok[0];
    const bool quickOk = ok.size() > 1 && ok[1];
    if (!captureOk || !quickOk)
        Log::line(QStringLiteral("a global shortcut is already in use by another app"));
    std::set<ShortcutSlot> conflicts;
    if (!captureOk)
        conflicts.insert(ShortcutSlot::capture);
    if (!quickOk || capture == quick)
        conflicts.insert(ShortcutSlot::quickCapture);
    if (conflicts != s_.settings.shortcutConflicts())
        s_.settings.setShortcutConflicts(conflicts);
}

void AppDelegate::checkStatusItemVisible()
{
    const bool visible = tray_ && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
    Log::line(QStringLiteral("status item %1 at %2")
                  .arg(visible ? QStringLiteral("visible") : QStringLiteral("hidden"),
                       rectText(tray_ ? tray_->geometry() : QRect())));
    if (visible)
        return;
    Defaults& defaults = s_.settings.defaults();
    if (defaults.boolean(QStringLiteral("notchHintDisabled")).value_or(false))
        return;
    const std::optional<QDateTime> last = s_.settings.notchHintLastShown();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (last && last->secsTo(now) < 86400 && last->secsTo(now) >= 0)
        return;
    s_.settings.setNotchHintLastShown(now);
    if (hint_)
        delete hint_.data();
    hint_ = new NoTrayHint(s_.settings.captureShortcut().keycaps());
    connect(hint_, &NoTrayHint::openMenuRequested, this, [this] { menu_->popup(QCursor::pos()); });
    connect(hint_, &NoTrayHint::dontRemindRequested, this,
            [this] { s_.settings.defaults().setBoolean(QStringLiteral("notchHintDisabled"), true); });
    hint_->showOn(QGuiApplication::primaryScreen());
}

void AppDelegate::setBusy(bool busy)
{
    if (!tray_)
        return;
    const QIcon glyph = AppResources::trayGlyph(s_.settings.appIcon(), true);
    tray_->setIcon(busy ? QIcon(glyph.pixmap(QSize(22, 22), QIcon::Disabled)) : glyph);
}

void AppDelegate::openImageAction()
{
    const QString path = QFileDialog::getOpenFileName(nullptr, tr("Open Image…"), QString(), imageFilter());
    if (!path.isEmpty())
        road_->processFile(path);
}

QWidget* AppDelegate::showResult(const CaptureResult& result, const std::optional<QString>& notice)
{
    QWidget* window = openResult(result, notice);
    if (!window)
        return nullptr;
    window->setAttribute(Qt::WA_DeleteOnClose);
    WindowFrames::keep(window, WindowSpec::of(WindowKind::result), s_.settings.defaults());
    installWindowShortcuts(window);
    windows_.append(window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

bool AppDelegate::allowsCapture(const QRect& rect)
{
    if (!s_.stacking)
        return true;
    const double share = KestrowEditor::OwnResultGuard::gridShare(
        {double(rect.x()), double(rect.y()), double(rect.width()), double(rect.height())},
        OwnResultLayers::current(windows(), *s_.stacking));
    if (share < KestrowEditor::OwnResultGuard::refuseShare)
        return true;
    QApplication::beep();
    showToast(tr("That's Vantrel's own result. Select the original table instead."), ToastKind::warning);
    return false;
}

QWidget* AppDelegate::askMapping(const VozudOzev::StitchTables::MappingRequest& request,
                                 CaptureRoad::MappingAnswer answer)
{
    // The window closes itself before the answer goes on: a stitch may open the next window.
    auto window = std::make_shared<QPointer<QWidget>>();
    auto closeWindow = [window] {
        if (*window)
            (*window)->close();
    };
    auto* view = new ColumnMappingView(
        request,
        [closeWindow, answer](const VozudOzev::StitchTables::Mapping& mapping) {
            closeWindow();
            answer(mapping, false);
        },
        [closeWindow, answer] {
            closeWindow();
            answer(std::nullopt, false);
        },
        [answer] { answer(std::nullopt, true); });
    *window = view;
    const WindowSpec spec = WindowSpec::of(WindowKind::columnMapping);
    view->setWindowTitle(QCoreApplication::translate("Windows", spec.title));
    view->setFixedSize(spec.content);
    view->setAttribute(Qt::WA_DeleteOnClose);
    installWindowShortcuts(view);
    windows_.append(view);
    view->show();
    view->raise();
    view->activateWindow();
    return view;
}

QWidget* AppDelegate::showFeedback(FeedbackKind kind, const FeedbackContext& context)
{
    if (!feedback_)
        feedback_ = std::make_unique<FeedbackSender>(*mailHandoff, s_.clipboard);
    QWidget* window = FeedbackWindow::make(kind, context, *feedback_);
    installWindowShortcuts(window);
    windows_.append(window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QList<QWidget*> AppDelegate::windows() const
{
    QList<QWidget*> open;
    for (const QPointer<QWidget>& window : windows_)
        if (window)
            open.append(window.data());
    return open;
}

void AppDelegate::installWindowShortcuts(QWidget* window)
{
    WindowCommands commands;
    commands.openImage = [self = QPointer<AppDelegate>(this)] {
        if (self)
            self->openImageAction();
    };
    commands.quit = [] { QCoreApplication::quit(); };
    WindowShortcuts::install(window, std::move(commands));
    auto* history = new QAction(window);
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    history->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(history, &QAction::triggered, window, [this] { historyAction(); });
    window->addAction(history);
    auto* settings = new QAction(window);
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(settings, &QAction::triggered, window, [this] { showSettings(); });
    window->addAction(settings);
}

ResultEnvironment AppDelegate::resultEnvironment()
{
    ResultEnvironment env;
    env.services = ResultServices::real();
    env.services.setClipboard = [this](std::unique_ptr<QMimeData> data) { s_.clipboard.setMimeData(std::move(data)); };
    env.services.toast = [](const QString& text) { Toast::show(text, ToastKind::success); };
    env.preferences = [this] {
        ExportPreferences prefs;
        const Defaults& defaults = s_.settings.defaults();
        prefs.copyNormalized =
            Clipboard::defaultCopyMode(defaults.string(QStringLiteral("copyMode"))) == Clipboard::CopyMode::normalized;
        prefs.aiHeaderMode = Clipboard::aiHeaderMode(defaults.string(QStringLiteral("aiHeaderMode")));
        prefs.flagThreshold = s_.settings.flagThreshold();
        prefs.localeOverrides = Clipboard::xlsxOverrides;
        prefs.normalizer = Clipboard::normalizer;
        return prefs;
    };
    env.reanalyze = [](const VozudOzev::Table& table, double threshold) { return TrustWiring::reanalyze(table, threshold); };
    env.writeBack = [](const QUuid& id, const std::vector<VozudOzev::Table>& tables, int index) {
        HistoryStore::shared().update(id, tables, index);
    };
    env.historyItem = [](const QUuid& id) -> std::optional<ResultEnvironment::HistoryItem> {
        const auto item = HistoryStore::shared().item(id);
        if (!item)
            return std::nullopt;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(item->date.time_since_epoch()).count();
        return ResultEnvironment::HistoryItem{QString::fromStdString(item->sourceName),
                                              QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC)};
    };
    env.showHelp = [self = QPointer<AppDelegate>(this)] {
        if (self)
            self->showHelp(HelpTopic::reading);
    };
    env.reportMisread = [self = QPointer<AppDelegate>(this)](const QImage& image,
                                                            const std::optional<VozudOzev::Table>& table) {
        if (!self)
            return;
        FeedbackContext context;
        if (!image.isNull())
            context.image = image;
        context.table = table;
        self->showFeedback(FeedbackKind::misreadTable, context);
    };
    env.dark = Theme::shared().isDark();
    return env;
}

void AppDelegate::reopen()
{
    QList<QWidget*> open = windows();
    if (open.isEmpty() && historyWindow_ && historyWindow_->isVisible())
        open.append(historyWindow_.data());
    if (!open.isEmpty()) {
        QWidget* last = open.last();
        last->showNormal();
        last->raise();
        last->activateWindow();
        return;
    }
    if (s_.settings.onboardingDone()) {
        if (settingsWindow_ && settingsWindow_->isVisible())
            settingsWindow_->present();
        else if (s_.history && !s_.history->items().empty())
            historyAction();
        else
            showSettings(SettingsTab::general);
        return;
    }
    showOnboarding(false);
}

void AppDelegate::showHelp(HelpTopic topic)
{
    QPointer<AppDelegate> self(this);
    shellWindows_->show(WindowKind::help, [this, self, topic] {
        HelpView::Actions actions;
        actions.openSampleTable = [self] {
            if (self)
                self->openSampleTable();
        };
        actions.showSettings = [self] {
            if (self)
                self->showSettings();
        };
        actions.showFeedback = [self] {
            if (self)
                self->showFeedback(FeedbackKind::bug, {});
        };
        return new HelpView(topic, s_.settings, std::move(actions));
    });
}

void AppDelegate::showAbout()
{
    QPointer<AppDelegate> self(this);
    shellWindows_->show(WindowKind::about, [this, self] {
        AboutView::Actions actions;
        actions.showHelp = [self] {
            if (self)
                self->showHelp(HelpTopic::start);
        };
        actions.showFeedback = [self] {
            if (self)
                self->showFeedback(FeedbackKind::bug, {});
        };
        actions.showLicenses = [self] {
            if (self)
                self->showLicenses();
        };
        return new AboutView(AppResources::appIcon(s_.settings.appIcon()), std::move(actions));
    });
}

void AppDelegate::showLicenses()
{
    if (!licensesWindow_) {
        licensesWindow_ = new LicensesView;
        licensesWindow_->setWindowTitle(tr("Third-Party Licenses"));
        licensesWindow_->setWindowIcon(QGuiApplication::windowIcon());
        licensesWindow_->resize(600, 520);
        installWindowShortcuts(licensesWindow_);
    }
    licensesWindow_->show();
    licensesWindow_->raise();
    licensesWindow_->activateWindow();
}

void AppDelegate::showOnboarding(bool fromStart)
{
    if (fromStart)
        shellWindows_->forget(WindowKind::onboarding);
    QPointer<AppDelegate> self(this);
    shellWindows_->show(WindowKind::onboarding, [this, self, fromStart] {
        OnboardingView::Actions actions;
        actions.onDone = [self] {
            if (!self)
                return;
            self->s_.settings.setOnboardingDone(true);
            self->s_.settings.defaults().setString(QStringLiteral("gettingStartedShownPath"), CaptureConsent::appPath());
            self->shellWindows_->forget(WindowKind::onboarding);
        };
        actions.showHelp = [self] {
            if (self)
                self->showHelp(HelpTopic::start);
        };
        actions.openSampleTable = [self] {
            if (self)
                self->openSampleTable();
        };
        const bool pending = CaptureConsent::isPending(s_.settings.defaults(), CaptureConsent::appPath());
        return new OnboardingView(fromStart, s_.settings, std::move(actions), ScreenAccess::preflight(), pending);
    });
}

void AppDelegate::openSampleTable()
{
    QPointer<AppDelegate> self(this);
    QWidget* window = shellWindows_->show(WindowKind::sample, [this, self] {
        // The sample is captured for real: through the overlay and the whole capture road.
        auto* view = new SampleTableView(
            [self] {
                if (self)
                    self->road_->startCapture(false);
            },
            s_.settings.captureShortcut().keycaps(), Theme::shared().isDark(), SampleTable::folder());
        connect(&s_.settings, &AppSettings::changed, view,
                [this, view] { view->setShortcutKeys(s_.settings.captureShortcut().keycaps()); });
        connect(&Theme::shared(), &Theme::changed, view, [view] { view->setDark(Theme::shared().isDark()); });
        return view;
    });
    Q_UNUSED(window);
}

QWidget* AppDelegate::onboardingWindow() const { return shellWindows_->single(WindowKind::onboarding); }
QWidget* AppDelegate::helpWindow() const { return shellWindows_->single(WindowKind::help); }
QWidget* AppDelegate::aboutWindow() const { return shellWindows_->single(WindowKind::about); }
QWidget* AppDelegate::sampleWindow() const { return shellWindows_->single(WindowKind::sample); }

}  // namespace Kestrow
