#include "Kestrow/Settings/UpdateFeed.hpp"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>

namespace Kestrow::UpdateFeed {

std::optional<std::vector<unsigned>> versionParts(const QString& version) {
    const QByteArray text = version.toLatin1();
    if (version.isEmpty() || text.size() > 64 || QString::fromLatin1(text) != version) return std::nullopt;
    std::vector<unsigned> parts;
    const char* p = text.constData();
    const char* const end = p + text.size();
    while (true) {
        unsigned value = 0;
        const auto [next, ec] = std::from_chars(p, end, value);
        if (ec != std::errc() || next == p) return std::nullopt;
        parts.push_back(value);
        p = next;
        if (p == end) break;
        if (*p != '.' || parts.size() == 8) return std::nullopt;
        ++p;
    }
    return parts;
}

int compareVersions(const std::vector<unsigned>& a, const std::vector<unsigned>& b) {
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned x = i < a.size() ? a[i] : 0, y = i < b.size() ? b[i] : 0;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

std::optional<Entry> parse(const QByteArray& bytes) {
    if (bytes.size() > maxBytes) return std::nullopt;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    const QJsonObject o = doc.object();
    if (!o.value(QLatin1String("version")).isString() || !o.value(QLatin1String("page")).isString())
        return std::nullopt;
    Entry e{o.value(QLatin1String("version")).toString(),
            QUrl(o.value(QLatin1String("page")).toString(), QUrl::StrictMode)};
    if (!versionParts(e.version)) return std::nullopt;
    if (!e.page.isValid() || e.page.scheme() != QLatin1String("https") || e.page.host().isEmpty())
        return std::nullopt;
    return e;
}

}  // namespace Kestrow::UpdateFeed
