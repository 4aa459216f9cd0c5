#pragma once

#include "Kestrow/History/HistoryItem.hpp"

#include <QLocale>
#include <QString>

// The texts a saved capture is shown with.
namespace Kestrow::HistoryText {

// "12 × 4 table", " (+2)" appended for three tables; "Text only" without a table.
QString title(const HistoryItem& item);

// Abbreviated month, day, hour and minute in local time; no year, no seconds.
QString date(const HistoryItem& item, const QLocale& locale = QLocale());

// Whether the search text shows the item: its source name, title, the cells of its selected
// table or, without a table, its OCR lines, ignoring case. Spaces and tabs around the query
// do not count; a blank query shows everything.
bool matches(const HistoryItem& item, const QString& query);

// The query without the spaces and tabs at its ends (line breaks stay).
QString trimmedQuery(const QString& query);

}  // namespace Kestrow::HistoryText
