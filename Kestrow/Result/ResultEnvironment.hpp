#pragma once

#include "Kestrow/Result/ExportPreferences.hpp"
#include "Kestrow/Result/ResultServices.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>
#include <vector>

namespace Kestrow {

// What a result window takes from the application: its services, the settings it reads,
// the trust re-analysis of an edit, the history it writes back to and the windows it opens.
struct ResultEnvironment {
    struct HistoryItem {
        QString sourceName;
        QDateTime date;
    };

    ResultServices services = ResultServices::real();
    // Read at every action and every redraw: a change in Settings applies at once.
    std::function<ExportPreferences()> preferences = [] { return ExportPreferences{}; };
    // The cells needing a look again after an edit, at the threshold the window opened with.
    std::function<VozudOzev::Table(const VozudOzev::Table&, double)> reanalyze;
    // All tables of the window and the current index, one second after the last change.
    std::function<void(const QUuid&, const std::vector<VozudOzev::Table>&, int)> writeBack;
    // The history item behind a capture, for the provenance of exports.
    std::function<std::optional<HistoryItem>(const QUuid&)> historyItem;
    std::function<void()> showHelp;
    // The capture's image and the current table (none without a table).
    std::function<void(const QImage&, const std::optional<VozudOzev::Table>&)> reportMisread;
    int debounceMs = 1000;
    // Tables of more cells are re-analysed off the commit path: an edit shows at once and
    // the cells to check follow as soon as the analysis is done.
    std::size_t analysisOnCommitCells = 2000;
    int analysisDelayMs = 60;
    bool dark = false;
};

}  // namespace Kestrow
