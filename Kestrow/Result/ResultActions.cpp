#include "Kestrow/Result/ResultActions.hpp"

#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/Result/AtomicFile.hpp"
#include "Kestrow/Result/ResultExports.hpp"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeData>

#include <cstdio>
#include <exception>

namespace Kestrow {

ResultActions::ResultActions(ResultServices services, std::function<ExportPreferences()> preferences)
    : services_(std::move(services)), preferences_(std::move(preferences))
{
}

void ResultActions::copy(const VozudOzev::Table& table) const
{
    if (preferences_().copyNormalized)
        copyNormalized(table);
    else
        copyAsShown(table);
}

void ResultActions::copyAsShown(const VozudOzev::Table& table) const
{
    services_.setClipboard(ResultExports::tableMime(table));
}

void ResultActions::copyNormalized(const VozudOzev::Table& table) const
{
    const ExportPreferences prefs = preferences_();
    services_.setClipboard(ResultExports::tableMime(prefs.normalizer ? prefs.normalizer(table) : table));
}

void ResultActions::copyAIContext(const VozudOzev::Table& table, const VozudOzev::SourceInfo& source) const
{
    const std::string text = ResultExports::aiContext(table, source, preferences_());
    services_.setClipboard(ResultExports::textMime(QString::fromStdString(text)));
    if (services_.toast)
        services_.toast(QCoreApplication::translate("ResultActions", "Copied as AI context"));
}

void ResultActions::copyAIContextWithImage(const VozudOzev::Table& table, const VozudOzev::SourceInfo& source,
                                           const QImage& image) const
{
    const std::string text = ResultExports::aiContext(table, source, preferences_());
    const QByteArray png = HistoryStore::pngData(ResultExports::tablePicture(image, table.bbox));
    services_.setClipboard(ResultExports::textAndPngMime(QString::fromStdString(text), png));
}

void ResultActions::copyMarkdown(const VozudOzev::Table& table) const
{
    services_.setClipboard(ResultExports::textMime(QString::fromStdString(ResultExports::markdown(table))));
}

void ResultActions::copyText(const QString& text) const
{
    services_.setClipboard(ResultExports::textMime(text));
}

ResultActions::SaveOutcome ResultActions::save(SaveFormat format, const VozudOzev::Table& table,
                                               const VozudOzev::SourceInfo& source, QWidget* parent) const
{
    const SaveRequest request = saveRequest(format);
    std::string bytes;
    try {
        bytes = ResultExports::fileBytes(format, table, source, preferences_());
    } catch (const std::exception& error) {
        // Nothing to write: say so before a file name is asked for in vain.
        std::fprintf(stderr, "Vantrel: cannot export %s: %s\n", qUtf8Printable(request.defaultName), error.what());
        services_.alert(parent, QCoreApplication::translate("ResultActions", "The table could not be saved"),
                        QCoreApplication::translate("ResultActions", "This table cannot be written as %1: %2").arg(request.suffix.toUpper(), QString::fromUtf8(error.what())));
        return SaveOutcome::failed;
    }
    const std::optional<QString> path = services_.askSavePath(parent, request);
    if (!path || path->isEmpty())
        return SaveOutcome::cancelled;
    if (const auto reason = AtomicFile::write(*path, QByteArray::fromStdString(bytes))) {
        std::fprintf(stderr, "Vantrel: saving %s failed: %s\n", qUtf8Printable(*path), qUtf8Printable(*reason));
        services_.alert(parent, QCoreApplication::translate("ResultActions", "The table could not be saved"),
                        QCoreApplication::translate("ResultActions", "“%1” could not be written: %2").arg(QFileInfo(*path).fileName(), *reason));
        return SaveOutcome::failed;
    }
    return SaveOutcome::saved;
}

}  // namespace Kestrow
