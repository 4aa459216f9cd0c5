#include "Kestrow/Platform/DesktopColorScheme.hpp"

#include <QDBusConnection>
#include <QDBusMessage>

namespace Kestrow {

namespace {
const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString interface = QStringLiteral("org.freedesktop.portal.Settings");
const QString group = QStringLiteral("org.freedesktop.appearance");
const QString key = QStringLiteral("color-scheme");

// The portal wraps the value in one or two variants, depending on its version.
std::optional<std::uint32_t> unwrap(QVariant v)
{
    for (int i = 0; i < 3 && v.canConvert<QDBusVariant>() && v.userType() == qMetaTypeId<QDBusVariant>(); ++i)
        v = qvariant_cast<QDBusVariant>(v).variant();
    bool ok = false;
    const uint n = v.toUInt(&ok);
    return ok ? std::optional<std::uint32_t>(n) : std::nullopt;
}
}  // namespace

DesktopColorScheme::DesktopColorScheme(QObject* parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Read"));
    call << group << key;
    // Asked once at start; a desktop without the portal answers with an error at once.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 500);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        if (const auto value = unwrap(reply.arguments().front()))
            dark_ = fromPortalValue(*value);
    bus.connect(service, path, interface, QStringLiteral("SettingChanged"), this,
                SLOT(settingChanged(QString, QString, QDBusVariant)));
}

std::optional<bool> DesktopColorScheme::fromPortalValue(std::uint32_t value)
{
    if (value == 1)
        return true;
    if (value == 2)
        return false;
    return std::nullopt;
}

void DesktopColorScheme::settingChanged(const QString& changedGroup, const QString& changedKey, const QDBusVariant& value)
{
    if (changedGroup != group || changedKey != key)
        return;
    const auto n = unwrap(value.variant());
    dark_ = n ? fromPortalValue(*n) : std::nullopt;
    emit changed();
}

}  // namespace Kestrow
