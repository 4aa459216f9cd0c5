#pragma once

#include "Kestrow/History/HistoryItem.hpp"
#include "Kestrow/History/HistoryRecord.hpp"
#include "Kestrow/Shell/CaptureResult.hpp"

#include <QDateTime>
#include <QImage>
#include <QTemporaryDir>

#include <ostream>
#include <string>

namespace Kestrow {
// Failures show the record, not the bytes of the struct.
inline void PrintTo(const HistoryItem& item, std::ostream* os)
{
    *os << HistoryRecord::encode(item).value_or("(cannot encode)");
}
}  // namespace Kestrow

namespace HistoryFixtures {

inline VozudOzev::Cell cell(int row, int col, std::string text)
{
    VozudOzev::Cell c;
    c.row = row;
    c.col = col;
    c.text = std::move(text);
    return c;
}

// rows x cols with "r<i>c<j>" in every slot.
inline VozudOzev::Table table(int rows, int cols)
{
    VozudOzev::Table t;
    t.rows = rows;
    t.cols = cols;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            t.cells.push_back(cell(r, c, "r" + std::to_string(r) + "c" + std::to_string(c)));
    return t;
}

inline std::chrono::system_clock::time_point at(long long secondsSinceEpoch)
{
    return std::chrono::system_clock::time_point(std::chrono::seconds(secondsSinceEpoch));
}

inline Kestrow::CaptureResult capture(long long seconds, VozudOzev::Table t, QImage image = QImage())
{
    Kestrow::CaptureResult c;
    c.image = image.isNull() ? QImage(40, 30, QImage::Format_RGB32) : image;
    c.image.fill(Qt::white);
    c.scale = 2;
    c.date = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    c.extraction.output = VozudOzev::EngineOutput("capture", "B", c.image.width(), c.image.height(), 12,
                                                  {std::move(t)}, std::nullopt, {});
    return c;
}

}  // namespace HistoryFixtures
