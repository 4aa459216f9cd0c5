#include "Kestrow/Shell/ResultTitle.hpp"

#include <QCoreApplication>

namespace Kestrow::ResultTitle {

namespace {

QString trimSpacesAndTabs(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (start < end && blank(text[start]))
        ++start;
    while (end > start && blank(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

}  // namespace

QString make(const std::optional<QString>& source, const std::optional<VozudOzev::Table>& table)
{
    QString name = trimSpacesAndTabs(source.value_or(QString()));
    if (name == QStringLiteral("Screen capture"))
        name.clear();
    for (const char* suffix : {".png", ".jpg", ".jpeg", ".tiff", ".tif", ".heic", ".pdf", ".gif", ".bmp", ".webp"}) {
        const QString s = QString::fromLatin1(suffix);
        if (name.toLower().endsWith(s))
            name.chop(s.size());
    }
    if (table) {
        if (name.isEmpty())
            return QCoreApplication::translate("ResultTitle", "%1 × %2 table").arg(table->rows).arg(table->cols);
        return name + QStringLiteral(" · ") + QString::number(table->rows) + QStringLiteral(" × ") +
               QString::number(table->cols);
    }
    return name.isEmpty() ? QCoreApplication::translate("ResultTitle", "Text only") : name;
}

}  // namespace Kestrow::ResultTitle
