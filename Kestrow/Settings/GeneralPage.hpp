#pragma once

#include "Kestrow/Settings/SettingsContext.hpp"

#include <QTimer>
#include <QWidget>

class QComboBox;
class QPushButton;

namespace Kestrow {

class Keycaps;
class LaunchAtLoginToggle;
class SettingsRow;

// The first settings page: getting started (tray, shortcuts, screen access), appearance,
// open at login and language, and the updates card.
class GeneralPage final : public QWidget {
    Q_OBJECT
public:
    explicit GeneralPage(SettingsContext context, QWidget* parent = nullptr);

    SettingsRow* trayRow() const { return trayRow_; }
    SettingsRow* screenRow() const { return screenRow_; }
    SettingsRow* languageRow() const { return languageRow_; }
    QComboBox* themePicker() const { return theme_; }
    QComboBox* iconPicker() const { return icon_; }
    QComboBox* languagePicker() const { return language_; }
    QPushButton* restartButton() const { return restart_; }
    LaunchAtLoginToggle* loginToggle() const { return login_; }
    Keycaps* captureKeys() const { return captureKeys_; }
    Keycaps* quickKeys() const { return quickKeys_; }

    // The tray row's text: where the icon is, or that this desktop shows none.
    static QString trayDetail(bool trayAvailable);
    // Re-reads screen access (once a second while the page shows).
    void pollScreenAccess();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();

    SettingsContext c_;
    SettingsRow* trayRow_ = nullptr;
    SettingsRow* screenRow_ = nullptr;
    SettingsRow* languageRow_ = nullptr;
    Keycaps* captureKeys_ = nullptr;
    Keycaps* quickKeys_ = nullptr;
    QPushButton* allow_ = nullptr;
    QComboBox* theme_ = nullptr;
    QComboBox* icon_ = nullptr;
    QComboBox* language_ = nullptr;
    QPushButton* restart_ = nullptr;
    LaunchAtLoginToggle* login_ = nullptr;
    QTimer poll_;
    bool granted_ = false;
};

}  // namespace Kestrow
