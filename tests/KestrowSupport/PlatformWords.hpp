#pragma once

#include <QRegularExpression>
#include <QStringList>

namespace KestrowTest {

// Words that belong to another desktop; none may reach a Linux user's screen. "Excel" names
// the file format and may stay where it does ("Excel workbook (*.xlsx)").
inline QStringList foreignPlatformWords(const QString& text)
{
    static const QRegularExpression words(QStringLiteral(
        R"((?i:\b(?:macOS|System Settings|System Preferences|Screen Recording|menu[ -]bar)\b))"
        R"(|\b(?:Mac|Dock|Finder|iCloud|Apple|Cmd|Spotlight|Numbers|Pages|Keynote)\b)"
        R"(|[\x{2318}\x{2325}\x{2303}]|\b(?:Option|Command) key\b|\bExcel\b(?! (?:workbook|Workbook|\()))"));
    QStringList found;
    for (const auto& match : words.globalMatch(text))
        found << match.captured();
    return found;
}

}  // namespace KestrowTest
