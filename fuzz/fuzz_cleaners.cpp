// The cell text cleaner and the column repairs over any assembled cells, as a damaged structure
// file or odd OCR text gives them.
#include "VozudOzev/Repair/CellTextCleaner.hpp"
#include "VozudOzev/Repair/ColumnCleaner.hpp"

#include "FuzzSupport.hpp"

using namespace VozudOzev;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const int cols = in.ConsumeIntegralInRange(-1, 40);
    std::vector<AssembledCell> cells;
    const int count = in.ConsumeIntegralInRange(0, 30);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        AssembledCell c;
        const bool wild = in.ConsumeIntegralInRange(0, 7) == 0;
        c.row = in.ConsumeIntegralInRange(-1, 6);
        c.col = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(-1, 8);
        c.rowSpan = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(0, 3);
        c.colSpan = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(0, 4);
        c.header = in.ConsumeBool();
        c.text = in.ConsumeRandomLengthString(24);
        if (in.ConsumeBool())
            c.confidence = in.ConsumeProbability<double>();
        auto box = [&] {
            return BBox{in.ConsumeFloatingPointInRange(-50.0, 1000.0), in.ConsumeFloatingPointInRange(-50.0, 1000.0),
                        in.ConsumeFloatingPointInRange(0.0, 300.0), in.ConsumeFloatingPointInRange(0.0, 50.0)};
        };
        if (in.ConsumeBool())
            c.box = box();
        if (in.ConsumeBool())
            c.textBox = box();
        cells.push_back(std::move(c));
    }

    for (const AssembledCell& c : cells) {
        FuzzSupport::requireUTF8(CellTextCleaner::stripJunk(Unicode::sanitized(c.text)), "stripped text");
        CellTextCleaner::isNumericCell(c.text);
    }
    CellTextCleaner::clean(cells);
    ColumnCleaner::narrowSpans(cells);
    ColumnCleaner::realignHeader(cells, cols);
    const int left = ColumnCleaner::dropEmptyColumns(cells, cols);
    FuzzSupport::require(left <= std::max(cols, 0) || left == cols, "more columns after dropping");
    return 0;
}
