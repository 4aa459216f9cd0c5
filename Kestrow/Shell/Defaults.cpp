#include "Kestrow/Shell/Defaults.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>

#include <charconv>
#include <cmath>

namespace Kestrow {

namespace {

std::optional<double> parseNumber(const QString& text) {
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty()) return std::nullopt;
    double value = 0;
    const char* end = bytes.constData() + bytes.size();
    auto [ptr, ec] = std::from_chars(bytes.constData(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

Defaults::Defaults(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {}
Defaults::Defaults(Defaults&&) noexcept = default;
Defaults& Defaults::operator=(Defaults&&) noexcept = default;
Defaults::~Defaults() = default;

Defaults Defaults::standard() {
    return Defaults(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                QStringLiteral("Vantrel"), QStringLiteral("Vantrel")));
}

Defaults Defaults::atPath(const QString& iniPath) {
    return Defaults(std::make_unique<QSettings>(iniPath, QSettings::IniFormat));
}

bool Defaults::contains(const QString& key) const { return settings_->contains(key); }
void Defaults::remove(const QString& key) { settings_->remove(key); }
void Defaults::sync() { settings_->sync(); }
QString Defaults::fileName() const { return settings_->fileName(); }

std::optional<QString> Defaults::string(const QString& key) const {
    const QVariant v = settings_->value(key);
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    return v.toString();
}

std::optional<bool> Defaults::boolean(const QString& key) const {
    const QVariant v = settings_->value(key);
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    const QString t = v.toString().trimmed().toLower();
    if (t == u"true" || t == u"1") return true;
    if (t == u"false" || t == u"0") return false;
    return std::nullopt;
}

std::optional<double> Defaults::number(const QString& key) const {
    const QVariant v = settings_->value(key);
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
        const double d = v.toDouble();
        if (!std::isfinite(d)) return std::nullopt;
        return d;
    }
    case QMetaType::QString:
        return parseNumber(v.toString());
    default:
        return std::nullopt;
    }
}

std::optional<QByteArray> Defaults::data(const QString& key) const {
    const QVariant v = settings_->value(key);
    if (v.typeId() == QMetaType::QByteArray) return v.toByteArray();
    // A hand-edited file holds plain text where we wrote bytes.
    if (v.typeId() == QMetaType::QString) return v.toString().toUtf8();
    return std::nullopt;
}

std::optional<QStringList> Defaults::stringList(const QString& key) const {
    // Lists are kept as JSON text: INI cannot tell a one-element list from a string.
    const std::optional<QString> text = string(key);
    if (!text) return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text->toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray()) return std::nullopt;
    QStringList list;
    for (const QJsonValue& item : doc.array()) {
        if (!item.isString()) return std::nullopt;
        list.append(item.toString());
    }
    return list;
}

std::optional<QDateTime> Defaults::date(const QString& key) const {
    const std::optional<QString> text = string(key);
    if (!text) return std::nullopt;
    const QDateTime when = QDateTime::fromString(*text, Qt::ISODateWithMs);
    if (!when.isValid()) return std::nullopt;
    return when;
}

void Defaults::setString(const QString& key, const QString& value) { settings_->setValue(key, value); }
void Defaults::setBoolean(const QString& key, bool value) {
    settings_->setValue(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}
void Defaults::setNumber(const QString& key, double value) {
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    settings_->setValue(key, QString::fromLatin1(buffer, ec == std::errc() ? int(ptr - buffer) : 0));
}
void Defaults::setData(const QString& key, const QByteArray& value) { settings_->setValue(key, value); }
void Defaults::setStringList(const QString& key, const QStringList& value) {
    settings_->setValue(key, QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(value)).toJson(QJsonDocument::Compact)));
}
void Defaults::setDate(const QString& key, const QDateTime& value) {
    settings_->setValue(key, value.toUTC().toString(Qt::ISODateWithMs));
}

}  // namespace Kestrow
