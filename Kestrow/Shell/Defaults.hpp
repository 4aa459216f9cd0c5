#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSettings;

namespace Kestrow {

// The application's preference store: QSettings in INI form under the XDG config folder.
// INI keeps every value as text, so each typed read parses strictly and gives nothing for a
// missing or unreadable value; callers then use their own default.
//
//     Defaults d = Defaults::standard();             // ~/.config/Vantrel/Vantrel.ini
//     Defaults t = Defaults::atPath(dir + "/t.conf"); // tests: a file of their own
//     double threshold = d.number("flagThreshold").value_or(0.8);
class Defaults {
public:
    static Defaults standard();
    static Defaults atPath(const QString& iniPath);

    Defaults(Defaults&&) noexcept;
    Defaults& operator=(Defaults&&) noexcept;
    ~Defaults();

    bool contains(const QString& key) const;
    void remove(const QString& key);

    std::optional<QString> string(const QString& key) const;
    // Only "true"/"false" (any case) or 1/0 count as booleans.
    std::optional<bool> boolean(const QString& key) const;
    // A finite decimal number written in the C locale ("0.8", "1e-3"); nothing else.
    std::optional<double> number(const QString& key) const;
    std::optional<QByteArray> data(const QString& key) const;
    // A list of strings; a single string is not a list.
    std::optional<QStringList> stringList(const QString& key) const;
    // ISO 8601 with a time zone or offset.
    std::optional<QDateTime> date(const QString& key) const;

    void setString(const QString& key, const QString& value);
    void setBoolean(const QString& key, bool value);
    void setNumber(const QString& key, double value);
    void setData(const QString& key, const QByteArray& value);
    void setStringList(const QString& key, const QStringList& value);
    void setDate(const QString& key, const QDateTime& value);

    // Writes pending changes to disk now (QSettings also does so on its own).
    void sync();
    QString fileName() const;

private:
    explicit Defaults(std::unique_ptr<QSettings> settings);
    std::unique_ptr<QSettings> settings_;
};

}  // namespace Kestrow
