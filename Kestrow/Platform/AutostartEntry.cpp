#include "Kestrow/Platform/AutostartEntry.hpp"

#include <QStringView>

namespace Kestrow::AutostartEntry {

namespace {
bool isReserved(QChar c) {
    static const QString reserved = QStringLiteral(" \t\n\r\"'\\><~|&;$*?#()`");
    return reserved.contains(c);
}

// The string-value escapes every value of a desktop file goes through.
QString escapeValue(const QString& s) {
    QString out;
    out.reserve(s.size() + 8);
    for (QChar c : s) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    return out;
}

QString quoted(const QString& argument) {
    bool needsQuotes = argument.isEmpty();
    for (QChar c : argument) needsQuotes = needsQuotes || isReserved(c);
    QString body;
    for (QChar c : argument) {
        if (c == u'%') {
            body += QLatin1String("%%");
            continue;
        }
        if (needsQuotes && (c == u'"' || c == u'`' || c == u'$' || c == u'\\')) body += u'\\';
        body += c;
    }
    return needsQuotes ? u'"' + body + u'"' : body;
}

bool isTrue(QStringView v) { return v.trimmed().compare(u"true", Qt::CaseInsensitive) == 0; }
bool isFalse(QStringView v) { return v.trimmed().compare(u"false", Qt::CaseInsensitive) == 0; }
}  // namespace

QString execArgument(const QString& argument) { return escapeValue(quoted(argument)); }

QString text(const QString& program, const QStringList& arguments) {
    QStringList exec{execArgument(program)};
    for (const QString& a : arguments) exec << execArgument(a);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vantrel\n"
                          "Comment=Turns a table seen on screen into real rows, columns and cells\n"
                          "Exec=%1\n"
                          "Icon=vantrel\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(exec.join(u' '));
}

bool isEnabledText(const QString& entryText) {
    bool inMainGroup = false, sawMainGroup = false;
    for (QStringView line : QStringView(entryText).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == u"[Desktop Entry]";
            sawMainGroup = sawMainGroup || inMainGroup;
            continue;
        }
        if (!inMainGroup) continue;
        const auto eq = line.indexOf(u'=');
        if (eq < 0) continue;
        const QStringView key = line.left(eq).trimmed(), value = line.mid(eq + 1);
        if (key == u"Hidden" && isTrue(value)) return false;
        if (key == u"X-GNOME-Autostart-enabled" && isFalse(value)) return false;
    }
    return sawMainGroup;
}

}  // namespace Kestrow::AutostartEntry
