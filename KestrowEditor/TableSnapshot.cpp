#include "KestrowEditor/TableSnapshot.hpp"

#include <algorithm>

namespace KestrowEditor {

bool TableSnapshot::sameContent(const Content& content, const VozudOzev::Cell& cell)
{
    return content.text == cell.text && content.confidence == cell.confidence && content.bbox == cell.bbox &&
           content.flags == cell.flags && content.header == cell.header;
}

std::shared_ptr<const TableSnapshot> TableSnapshot::make(const VozudOzev::Table& table, const TableSnapshot* previous)
{
    auto snap = std::make_shared<TableSnapshot>();
    snap->index_ = table.index;
    snap->rows_ = table.rows;
    snap->cols_ = table.cols;
    snap->bbox_ = table.bbox;
    snap->count_ = table.cells.size();

    // Edits keep the order of the cells they leave alone; removed cells leave gaps of about
    // a row, so a short look ahead finds the next shared content again.
    const std::size_t window = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(table.cols, 0)) + 8, 64, 1024);
    const std::size_t prevCount = previous ? previous->count_ : 0;
    std::size_t j = 0;
    std::size_t misses = 0;

    Run run;
    run.reserve(runLength);
    auto flush = [&] {
        const std::size_t k = snap->runs_.size();
        if (previous && k < previous->runs_.size() && *previous->runs_[k] == run) {
            snap->runs_.push_back(previous->runs_[k]);
            run.clear();
        } else {
            snap->runs_.push_back(std::make_shared<const Run>(std::move(run)));
            run = Run();
            run.reserve(runLength);
        }
    };

    for (const VozudOzev::Cell& cell : table.cells) {
        std::shared_ptr<const Content> content;
        // Many misses in a row mean the tables have little in common: stop looking.
        if (misses < 2 * window) {
            const std::size_t end = std::min(prevCount, j + window);
            for (std::size_t k = j; k < end; ++k) {
                const auto& candidate = previous->record(k).content;
                if (sameContent(*candidate, cell)) {
                    content = candidate;
                    j = k + 1;
                    break;
                }
            }
        }
        if (content) {
            misses = 0;
        } else {
            ++misses;
            content = std::make_shared<const Content>(
                Content{cell.text, cell.confidence, cell.bbox, cell.flags, cell.header});
        }
        run.push_back(Record{cell.row, cell.col, cell.rowSpan, cell.colSpan, std::move(content)});
        if (run.size() == runLength)
            flush();
    }
    if (!run.empty())
        flush();
    return snap;
}

VozudOzev::Table TableSnapshot::table() const
{
    VozudOzev::Table t;
    t.index = index_;
    t.rows = rows_;
    t.cols = cols_;
    t.bbox = bbox_;
    t.cells.reserve(count_);
    for (const auto& run : runs_)
        for (const Record& r : *run) {
            const Content& c = *r.content;
            t.cells.push_back(VozudOzev::Cell{r.row, r.col, r.rowSpan, r.colSpan, c.text, c.confidence, c.bbox,
                                              c.flags, c.header});
        }
    return t;
}

}  // namespace KestrowEditor
