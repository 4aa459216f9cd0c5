#pragma once

#include <nlohmann/json.hpp>

#include <QString>

// A saved or copied file read back by its usual consumer (openpyxl, Python's csv,
// html.parser, cmark-gfm): {"rows": [[...], ...], ...} as read_back.py prints it.
nlohmann::json readBack(const QString& kind, const QString& path);
// The text written to a temporary file first.
nlohmann::json readBackText(const QString& kind, const QByteArray& bytes);
