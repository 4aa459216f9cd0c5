#include "Kestrow/Settings/ShortcutsPage.hpp"

#include "Kestrow/Settings/SettingsGroup.hpp"
#include "Kestrow/Settings/SettingsRow.hpp"
#include "Kestrow/Settings/SettingsWarning.hpp"
#include "Kestrow/Settings/ShortcutRecorder.hpp"
#include "Kestrow/Shell/AppSettings.hpp"

#include <QGuiApplication>
#include <QVBoxLayout>

namespace Kestrow {

ShortcutsPage::ShortcutsPage(AppSettings& settings, QWidget* parent) : QWidget(parent), settings_(settings)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* group = new SettingsGroup(
        tr("Global shortcuts"),
        tr("Work from any app. Click a shortcut, then press a new combination with Ctrl, Alt or Super. Esc cancels."),
        this);

    capture_ = new ShortcutRecorder(settings_.captureShortcut());
    capture_->setObjectName(QStringLiteral("captureRecorder"));
    capture_->onShortcut = [this](const Shortcut& s) { settings_.setCaptureShortcut(s); };
    group->addRow(new SettingsRow(QStringLiteral("capture"), tr("Capture table"),
                                  tr("Select an area, review the cells, then copy or export."), capture_));
    const QString conflict = conflictText(runsOnPlainX11());
    captureWarning_ = new SettingsWarning(conflict);
    captureWarning_->setObjectName(QStringLiteral("captureWarning"));
    group->addRow(captureWarning_);

    quick_ = new ShortcutRecorder(settings_.quickCaptureShortcut());
    quick_->setObjectName(QStringLiteral("quickRecorder"));
    quick_->onShortcut = [this](const Shortcut& s) { settings_.setQuickCaptureShortcut(s); };
    group->addRow(new SettingsRow(QStringLiteral("quick"), tr("Quick capture"),
                                  tr("Copies straight away when no cell needs checking."), quick_));
    quickWarning_ = new SettingsWarning(conflict);
    quickWarning_->setObjectName(QStringLiteral("quickWarning"));
    group->addRow(quickWarning_);
    column->addWidget(group);

    // Which recorder gets a key press is decided by allowing one recording at a time.
    connect(&capture_->recording(), &ShortcutRecording::recordingChanged, this, [this](bool on) {
        if (on)
            quick_->recording().stop();
    });
    connect(&quick_->recording(), &ShortcutRecording::recordingChanged, this, [this](bool on) {
        if (on)
            capture_->recording().stop();
    });
    connect(&settings_, &AppSettings::changed, this, &ShortcutsPage::refresh);
    refresh();
}

QString ShortcutsPage::conflictText(bool plainX11)
{
    if (plainX11)
        return tr("Another app already uses this shortcut, so it does nothing in Vantrel. "
                  "Click it and press a different combination.");
    return tr("Vantrel could not register this shortcut: another app may use it, or your desktop does not allow "
              "global shortcuts. Click it and press a different combination.");
}

bool ShortcutsPage::runsOnPlainX11()
{
    return QGuiApplication::platformName() == QStringLiteral("xcb") &&
           qEnvironmentVariable("XDG_SESSION_TYPE") != QStringLiteral("wayland") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void ShortcutsPage::refresh()
{
    const Shortcut capture = settings_.captureShortcut();
    const Shortcut quick = settings_.quickCaptureShortcut();
    if (!capture_->recording().isRecording())
        capture_->setShortcut(capture);
    if (!quick_->recording().isRecording())
        quick_->setShortcut(quick);
    const auto& conflicts = settings_.shortcutConflicts();
    captureWarning_->setVisible(conflicts.count(ShortcutSlot::capture) > 0);
    quickWarning_->setVisible(conflicts.count(ShortcutSlot::quickCapture) > 0);
    quickWarning_->setText(capture == quick ? tr("Both actions use the same shortcut. Pick a different one for Quick Capture.")
                                            : conflictText(runsOnPlainX11()));
}

}  // namespace Kestrow
