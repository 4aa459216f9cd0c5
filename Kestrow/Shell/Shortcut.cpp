#include "Kestrow/Shell/Shortcut.hpp"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>

#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <cmath>
#include <memory>

namespace Kestrow {

namespace {

std::optional<std::uint32_t> uint32Member(const QJsonObject& o, const char* name) {
    const QJsonValue v = o.value(QLatin1String(name));
    if (!v.isDouble()) return std::nullopt;
    const double d = v.toDouble();
    if (!(d >= 0 && d <= 4294967295.0) || std::floor(d) != d) return std::nullopt;
    return static_cast<std::uint32_t>(d);
}

struct XkbDeleter {
    void operator()(xkb_context* c) const { xkb_context_unref(c); }
    void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};

// The keymap in use: the X server's when there is one, else the system's default layout.
std::unique_ptr<xkb_keymap, XkbDeleter> currentKeymap(xkb_context* context) {
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        xcb_connection_t* connection = x11->connection();
        const std::int32_t device = connection ? xkb_x11_get_core_keyboard_device_id(connection) : -1;
        if (device >= 0)
            if (xkb_keymap* k = xkb_x11_keymap_new_from_device(context, connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS))
                return std::unique_ptr<xkb_keymap, XkbDeleter>(k);
    }
    return std::unique_ptr<xkb_keymap, XkbDeleter>(
        xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

// What the key prints without modifiers: the first layout that gives an ASCII character
// (like the original's ASCII-capable layout), else the first layout's character.
QString layoutName(std::uint32_t keyCode) {
    std::unique_ptr<xkb_context, XkbDeleter> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!context) return {};
    auto keymap = currentKeymap(context.get());
    if (!keymap) return {};
    QString fallback;
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap.get(), keyCode);
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        const xkb_keysym_t* syms = nullptr;
        if (xkb_keymap_key_get_syms_by_level(keymap.get(), keyCode, layout, 0, &syms) < 1) continue;
        const std::uint32_t cp = xkb_keysym_to_utf32(syms[0]);
        if (cp < 0x20 || cp == 0x7f) continue;
        const QString text = QString::fromUcs4(reinterpret_cast<const char32_t*>(&cp), 1).toUpper();
        if (cp < 0x80) return text;
        if (fallback.isEmpty()) fallback = text;
    }
    return fallback;
}

}  // namespace

std::optional<Shortcut> Shortcut::fromKey(std::uint32_t nativeKeyCode, Qt::KeyboardModifiers mods) {
    std::uint32_t mask = 0;
    if (mods & Qt::MetaModifier) mask |= control;
    if (mods & Qt::AltModifier) mask |= option;
    if (mods & Qt::ShiftModifier) mask |= shift;
    if (mods & Qt::ControlModifier) mask |= command;
    if ((mask & (control | option | command)) == 0) return std::nullopt;
    return Shortcut{nativeKeyCode, mask};
}

std::optional<Shortcut> Shortcut::fromKeyEvent(const QKeyEvent& event) {
    return fromKey(event.nativeScanCode(), event.modifiers());
}

QByteArray Shortcut::toJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("keyCode"), static_cast<qint64>(keyCode));
    o.insert(QStringLiteral("modifiers"), static_cast<qint64>(modifiers));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<Shortcut> Shortcut::fromJson(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    const auto key = uint32Member(doc.object(), "keyCode");
    const auto mods = uint32Member(doc.object(), "modifiers");
    if (!key || !mods) return std::nullopt;
    return Shortcut{*key, *mods};
}

QStringList Shortcut::keycaps() const {
    QStringList caps;
    if (modifiers & control) caps << QStringLiteral("Super");
    if (modifiers & option) caps << QStringLiteral("Alt");
    if (modifiers & shift) caps << QStringLiteral("Shift");
    if (modifiers & command) caps << QStringLiteral("Ctrl");
    caps << keyName(keyCode);
    return caps;
}

QString Shortcut::keyName(std::uint32_t keyCode) {
    switch (keyCode) {
    case 65: return QStringLiteral("Space");
    case 36: return QStringLiteral("\u21A9");
    case 23: return QStringLiteral("\u21E5");
    case 9: return QStringLiteral("\u238B");
    case 22: return QStringLiteral("\u232B");
    case 113: return QStringLiteral("\u2190");
    case 114: return QStringLiteral("\u2192");
    case 111: return QStringLiteral("\u2191");
    case 116: return QStringLiteral("\u2193");
    case 67: return QStringLiteral("F1");
    case 68: return QStringLiteral("F2");
    case 69: return QStringLiteral("F3");
    case 70: return QStringLiteral("F4");
    case 71: return QStringLiteral("F5");
    case 72: return QStringLiteral("F6");
    default: break;
    }
    const QString name = layoutName(keyCode);
    return name.isEmpty() ? QStringLiteral("?") : name;
}

}  // namespace Kestrow
