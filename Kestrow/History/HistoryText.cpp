#include "Kestrow/History/HistoryText.hpp"

#include <QCoreApplication>
#include <QDateTime>

namespace Kestrow::HistoryText {

namespace {

bool isTrimmed(QChar c)
{
    return c.isSpace() && c != u'\n' && c != u'\r' && c != QChar(0x2028) && c != QChar(0x2029) && c != u'\v' &&
           c != u'\f' && c != QChar(0x85);
}

bool contains(const std::string& text, const QString& query)
{
    return QString::fromStdString(text).contains(query, Qt::CaseInsensitive);
}

}  // namespace

QString title(const HistoryItem& item)
{
    const VozudOzev::Table* table = item.selectedTable();
    if (table == nullptr)
        return QCoreApplication::translate("HistoryItem", "Text only");
    QString text = QCoreApplication::translate("HistoryItem", "%1 × %2 table").arg(table->rows).arg(table->cols);
    if (item.tables.size() >= 2)
        text += QStringLiteral(" (+%1)").arg(item.tables.size() - 1);
    return text;
}

QString date(const HistoryItem& item, const QLocale& locale)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(item.date.time_since_epoch()).count();
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms).toLocalTime();
    // Qt has no skeleton formats: one pattern per language family.
    const bool twelveHour = locale.timeFormat(QLocale::ShortFormat).contains(u'a', Qt::CaseInsensitive);
    const QString pattern = locale.language() == QLocale::Vietnamese ? QStringLiteral("d MMM, HH:mm")
                            : twelveHour                             ? QStringLiteral("MMM d, h:mm AP")
                                                                     : QStringLiteral("d MMM, HH:mm");
    return locale.toString(local, pattern);
}

QString trimmedQuery(const QString& query)
{
    qsizetype begin = 0;
    qsizetype end = query.size();
    while (begin < end && isTrimmed(query[begin]))
        ++begin;
    while (end > begin && isTrimmed(query[end - 1]))
        --end;
    return query.mid(begin, end - begin);
}

bool matches(const HistoryItem& item, const QString& query)
{
    const QString q = trimmedQuery(query);
    if (q.isEmpty())
        return true;
    if (contains(item.sourceName, q) || title(item).contains(q, Qt::CaseInsensitive))
        return true;
    if (const VozudOzev::Table* table = item.selectedTable()) {
        for (const auto& cell : table->cells)
            if (contains(cell.text, q))
                return true;
        return false;
    }
    for (const auto& line : item.lines)
        if (contains(line.text, q))
            return true;
    return false;
}

}  // namespace Kestrow::HistoryText
