#pragma once

#include <QDBusVariant>
#include <QObject>

#include <cstdint>
#include <optional>

namespace Kestrow {

// The desktop's light or dark preference, from the settings portal
// (org.freedesktop.appearance color-scheme), where a desktop offers one.
class DesktopColorScheme final : public QObject {
    Q_OBJECT
public:
    explicit DesktopColorScheme(QObject* parent = nullptr);

    // True for dark, false for light, nothing when the desktop states no preference or has
    // no portal.
    std::optional<bool> prefersDark() const { return dark_; }
    // The portal's value: 1 dark, 2 light, anything else no preference.
    static std::optional<bool> fromPortalValue(std::uint32_t value);

signals:
    void changed();

private slots:
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    std::optional<bool> dark_;
};

}  // namespace Kestrow
