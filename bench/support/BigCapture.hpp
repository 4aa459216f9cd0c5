#pragma once

// A capture as large as a result window is asked to handle: a 1,000 x 20 table (a header row,
// then numbers, some of them read with low confidence) over a 4K source image.
#include "Kestrow/Shell/CaptureResult.hpp"

#include <QPainter>

#include <string>

namespace Bench {

inline Kestrow::CaptureResult bigCapture(int rows = 1000, int cols = 20)
{
    VozudOzev::Table table;
    table.rows = rows;
    table.cols = cols;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            VozudOzev::Cell cell;
            cell.row = r;
            cell.col = c;
            cell.text = r == 0 ? "Column " + std::to_string(c) : std::to_string(r * 1000 + c * 7) + ".50";
            cell.confidence = (r * 31 + c) % 17 == 0 ? 0.6 : 0.97;
            cell.bbox = VozudOzev::BBox{10.0 + c * 190, 10.0 + r * 2.1, 180, 2};
            cell.header = r == 0 ? std::optional<bool>(true) : std::nullopt;
            table.cells.push_back(std::move(cell));
        }
    Kestrow::CaptureResult result;
    result.image = QImage(3840, 2160, QImage::Format_RGB32);
    result.image.fill(Qt::white);
    QPainter(&result.image).drawText(QRect(0, 0, 3840, 2160), Qt::AlignCenter, QStringLiteral("4K"));
    result.scale = 2;
    result.extraction.output.tables = {std::move(table)};
    result.extraction.output.selectedTable = 0;
    result.extraction.output.imageWidth = 3840;
    result.extraction.output.imageHeight = 2160;
    return result;
}

}  // namespace Bench
