#pragma once

#include "Kestrow/Result/ExportPreferences.hpp"
#include "Kestrow/Result/ResultServices.hpp"
#include "Kestrow/Result/SaveFormat.hpp"
#include "VozudOzev/Export/SourceInfo.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <QImage>
#include <QString>

#include <functional>

class QWidget;

namespace Kestrow {

// Every way a table leaves a result window: onto the clipboard or into a file. Each
// action works on the table it is handed and reads the preferences afresh.
class ResultActions {
public:
    enum class SaveOutcome { saved, cancelled, failed };

    ResultActions(ResultServices services, std::function<ExportPreferences()> preferences);

    // By the copy mode: normalised values only when the settings say so.
    void copy(const VozudOzev::Table& table) const;
    void copyAsShown(const VozudOzev::Table& table) const;
    void copyNormalized(const VozudOzev::Table& table) const;
    // Tells the user with a toast.
    void copyAIContext(const VozudOzev::Table& table, const VozudOzev::SourceInfo& source) const;
    // Without a toast; a capture without a kept picture gives the text alone.
    void copyAIContextWithImage(const VozudOzev::Table& table, const VozudOzev::SourceInfo& source,
                                const QImage& image) const;
    void copyMarkdown(const VozudOzev::Table& table) const;
    void copyText(const QString& text) const;

    // Builds the bytes, asks where, and writes them whole or not at all; a failure is told
    // in an alert naming the file and the reason.
    SaveOutcome save(SaveFormat format, const VozudOzev::Table& table, const VozudOzev::SourceInfo& source,
                     QWidget* parent) const;

    const ResultServices& services() const { return services_; }

private:
    ResultServices services_;
    std::function<ExportPreferences()> preferences_;
};

}  // namespace Kestrow
