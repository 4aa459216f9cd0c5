#include "Kestrow/Result/ExportPreferences.hpp"

#include <QSettings>

#include <charconv>
#include <cmath>

namespace Kestrow {

namespace {

std::optional<double> fraction(const QVariant& value)
{
    if (!value.isValid())
        return std::nullopt;
    const QByteArray text = value.toString().toUtf8().trimmed();
    double parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed) || parsed < 0 || parsed > 1)
        return std::nullopt;
    return parsed;
}

}  // namespace

ExportPreferences ExportPreferences::read(const QSettings& settings)
{
    ExportPreferences prefs;
    prefs.copyNormalized = settings.value(QStringLiteral("copyMode")).toString() == QStringLiteral("normalized");
    if (settings.value(QStringLiteral("aiHeaderMode")).toString() == QStringLiteral("keepRows"))
        prefs.aiHeaderMode = VozudOzev::AIContext::HeaderMode::keepRows;
    prefs.flagThreshold = fraction(settings.value(QStringLiteral("flagThreshold"))).value_or(0.8);
    return prefs;
}

}  // namespace Kestrow
