#include "Kestrow/Result/ExportSource.hpp"

#include <chrono>

namespace Kestrow {

VozudOzev::SourceInfo exportSource(const CaptureResult& result,
                                   const std::optional<ResultEnvironment::HistoryItem>& item)
{
    const auto& output = result.extraction.output;
    VozudOzev::SourceInfo source;
    // With history off, or the item pruned, the capture still knows where it came from.
    source.name = (item ? item->sourceName : result.sourceName.value_or(QStringLiteral("Screen capture"))).toStdString();
    const QDateTime date = item ? item->date : result.date;
    source.capturedAt = std::chrono::system_clock::time_point(std::chrono::milliseconds(date.toMSecsSinceEpoch()));
    source.engine = output.engine;
    source.imageWidth = output.imageWidth;
    source.imageHeight = output.imageHeight;
    return source;
}

}  // namespace Kestrow
