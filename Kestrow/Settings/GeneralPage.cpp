#include "Kestrow/Settings/GeneralPage.hpp"

#include "Kestrow/Settings/LaunchAtLoginToggle.hpp"
#include "Kestrow/Settings/SettingsGroup.hpp"
#include "Kestrow/Settings/SettingsRow.hpp"
#include "Kestrow/Settings/UpdatesSettingsSection.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/Keycaps.hpp"
#include "Kestrow/Shell/PermissionFlow.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

QComboBox* picker(const QString& name)
{
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return box;
}

void select(QComboBox* box, int value)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(box->findData(value));
}

}  // namespace

GeneralPage::GeneralPage(SettingsContext context, QWidget* parent) : QWidget(parent), c_(std::move(context))
{
    AppSettings& s = c_.settings;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    auto* started = new SettingsGroup(tr("Getting started"), {}, this);
    const bool tray = c_.trayAvailable ? c_.trayAvailable() : QSystemTrayIcon::isSystemTrayAvailable();
    trayRow_ = new SettingsRow(QStringLiteral("tray"), tr("Tray icon"), trayDetail(tray), nullptr);
    started->addRow(trayRow_);
    captureKeys_ = new Keycaps(s.captureShortcut().keycaps());
    started->addRow(new SettingsRow(QStringLiteral("capture"), tr("Capture a table"),
                                    tr("Select an area, review, then copy or export."), captureKeys_));
    quickKeys_ = new Keycaps(s.quickCaptureShortcut().keycaps());
    started->addRow(new SettingsRow(QStringLiteral("quick"), tr("Quick capture"),
                                    tr("Copies straight to the clipboard when no cell is flagged."), quickKeys_));
    if (c_.requestScreenAccess) {
        allow_ = new ThemedButton(tr("Allow…"), ThemedButton::Style::primary);
        allow_->setObjectName(QStringLiteral("allowScreen"));
        connect(allow_, &QPushButton::clicked, this, [this] { c_.requestScreenAccess(); });
    }
    screenRow_ = new SettingsRow(QStringLiteral("checkcircle"), tr("Screen capture"), {}, allow_);
    started->addRow(screenRow_);
    column->addWidget(started);

    auto* look = new SettingsGroup(tr("Appearance"), {}, this);
    theme_ = picker(QStringLiteral("theme"));
    for (Appearance a : {Appearance::system, Appearance::light, Appearance::dark})
        theme_->addItem(AppearanceText::label(a), static_cast<int>(a));
    theme_->setAccessibleName(tr("Theme"));
    look->addRow(new SettingsRow(QStringLiteral("theme"), tr("Theme"),
                                 tr("Follows the desktop by default; or always Light or Dark."), theme_));
    icon_ = picker(QStringLiteral("appIcon"));
    for (AppIconChoice i : {AppIconChoice::dark, AppIconChoice::light, AppIconChoice::sparkle})
        icon_->addItem(AppIconChoiceText::label(i), static_cast<int>(i));
    icon_->setAccessibleName(tr("App icon"));
    look->addRow(new SettingsRow(QStringLiteral("appicon"), tr("App icon"),
                                 tr("Used in the system tray and on Vantrel's windows."), icon_));
    column->addWidget(look);

    auto* system = new SettingsGroup(tr("System"), {}, this);
    login_ = new LaunchAtLoginToggle(c_.loginItem);
    login_->setObjectName(QStringLiteral("openAtLogin"));
    system->addRow(new SettingsRow(QStringLiteral("power"), tr("Open at login"),
                                   tr("Start Vantrel in the system tray when you log in."), login_));
    auto* languageControl = new QWidget;
    auto* line = new QHBoxLayout(languageControl);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    restart_ = new ThemedButton(tr("Restart Now"), ThemedButton::Style::secondary, languageControl);
    restart_->setObjectName(QStringLiteral("restartNow"));
    language_ = picker(QStringLiteral("language"));
    // The two languages are always named in their own language.
    language_->addItem(tr("Match System"), static_cast<int>(AppLanguage::system));
    language_->addItem(QStringLiteral("Tiếng Việt"), static_cast<int>(AppLanguage::vietnamese));
    language_->addItem(QStringLiteral("English"), static_cast<int>(AppLanguage::english));
    language_->setAccessibleName(tr("Language"));
    line->addWidget(restart_);
    line->addWidget(language_);
    languageRow_ = new SettingsRow(QStringLiteral("globe"), tr("Language"), {}, languageControl);
    system->addRow(languageRow_);
    column->addWidget(system);

    column->addWidget(new UpdatesSettingsSection(c_.updates, this));

    connect(theme_, &QComboBox::currentIndexChanged, this,
            [this] { c_.settings.setAppearance(static_cast<Appearance>(theme_->currentData().toInt())); });
    connect(icon_, &QComboBox::currentIndexChanged, this,
            [this] { c_.settings.setAppIcon(static_cast<AppIconChoice>(icon_->currentData().toInt())); });
    connect(language_, &QComboBox::currentIndexChanged, this,
            [this] { c_.settings.setLanguage(static_cast<AppLanguage>(language_->currentData().toInt())); });
    connect(restart_, &QPushButton::clicked, this, [this] {
        if (c_.relaunch)
            c_.relaunch();
    });
    connect(&poll_, &QTimer::timeout, this, &GeneralPage::pollScreenAccess);
    poll_.setInterval(1000);
    connect(&s, &AppSettings::changed, this, &GeneralPage::refresh);
    pollScreenAccess();
    refresh();
}

QString GeneralPage::trayDetail(bool trayAvailable)
{
    if (trayAvailable)
        return tr("Vantrel lives in the system tray. If you can't find its icon there, use the shortcuts.");
    return tr("This desktop shows no system tray, so Vantrel has no icon there. Use the shortcuts to capture.");
}

void GeneralPage::pollScreenAccess()
{
    granted_ = c_.screenAccess ? c_.screenAccess() : ScreenAccess::preflight();
    screenRow_->setSymbol(granted_ ? QStringLiteral("checkcircle") : QStringLiteral("lock"));
    screenRow_->setDetail(granted_ ? tr("Allowed. Vantrel can read the area you select.")
                                   : tr("Not allowed yet. Vantrel needs it to read the area you select."));
    if (allow_)
        allow_->setVisible(!granted_);
}

void GeneralPage::showEvent(QShowEvent* event)
{
    pollScreenAccess();
    login_->refresh();
    poll_.start();
    QWidget::showEvent(event);
}

void GeneralPage::hideEvent(QHideEvent* event)
{
    poll_.stop();
    QWidget::hideEvent(event);
}

void GeneralPage::refresh()
{
    const AppSettings& s = c_.settings;
    captureKeys_->setKeys(s.captureShortcut().keycaps());
    quickKeys_->setKeys(s.quickCaptureShortcut().keycaps());
    select(theme_, static_cast<int>(s.appearance()));
    select(icon_, static_cast<int>(s.appIcon()));
    select(language_, static_cast<int>(s.language()));
    const bool pending = AppLanguageText::rawValue(s.language()) != AppLanguageText::rawValue(s.languageAtLaunch());
    languageRow_->setDetail(pending ? tr("Restart Vantrel to switch the language.") : tr("English or Tiếng Việt."));
    restart_->setVisible(pending && c_.relaunch);
}

}  // namespace Kestrow
