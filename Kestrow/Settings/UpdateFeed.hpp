#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>
#include <vector>

// The update feed: a small JSON document naming the newest version and the page to get it from,
//     {"version": "1.4.0", "page": "https://…/download"}
// read as data only. Nothing is ever downloaded or run from it.
namespace Kestrow::UpdateFeed {

struct Entry {
    QString version;
    QUrl page;
};

// Feeds larger than this are refused unread.
inline constexpr qint64 maxBytes = 64 * 1024;
inline constexpr int timeoutMs = 15000;

// "1.4.10" → {1, 4, 10}; up to eight numeric parts, nothing else (no letters, no signs).
std::optional<std::vector<unsigned>> versionParts(const QString& version);
// Numeric comparison, missing parts counting as 0 ("1.2" == "1.2.0" < "1.10"): <0, 0 or >0.
int compareVersions(const std::vector<unsigned>& a, const std::vector<unsigned>& b);
// The entry, or nothing when the bytes are not such a document, the version is not numeric or
// the page is not an https address with a host.
std::optional<Entry> parse(const QByteArray& bytes);

}  // namespace Kestrow::UpdateFeed
