#pragma once

#include "VozudOzev/Extraction/TableExtraction.hpp"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QUuid>

#include <optional>

namespace Kestrow {

// One capture as the road, the result window and the history hand it to each other.
// Identified by its id only; two captures with equal contents are still two captures.
struct CaptureResult {
    QUuid id = QUuid::createUuid();
    QImage image;       // in pixels
    double scale = 1;   // pixels per point; the engine was given 72 * scale dpi
    VozudOzev::TableExtraction::Extraction extraction;
    QDateTime date = QDateTime::currentDateTimeUtc();
    std::optional<QString> sourceName;  // none for a stitched result or a clipboard image
};

}  // namespace Kestrow
