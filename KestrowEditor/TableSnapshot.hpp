#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace KestrowEditor {

// A table kept for undo. Consecutive states of a document differ in a few cells or only in
// positions, so a snapshot shares each cell's content, and whole runs of cells, with the
// snapshot it was made after; 200 states of a large table then cost little more than one.
class TableSnapshot {
public:
    // `previous` may be null; sharing is only an economy, the result is the same either way.
    static std::shared_ptr<const TableSnapshot> make(const VozudOzev::Table& table, const TableSnapshot* previous);

    VozudOzev::Table table() const;
    std::size_t cellCount() const { return count_; }

private:
    struct Content {
        std::string text;
        std::optional<double> confidence;
        std::optional<VozudOzev::BBox> bbox;
        std::optional<std::vector<VozudOzev::CellFlag>> flags;
        std::optional<bool> header;
    };
    struct Record {
        int row = 0;
        int col = 0;
        int rowSpan = 1;
        int colSpan = 1;
        std::shared_ptr<const Content> content;

        bool operator==(const Record&) const = default;  // same content object, not equal text
    };
    using Run = std::vector<Record>;
    static constexpr std::size_t runLength = 256;

    static bool sameContent(const Content& content, const VozudOzev::Cell& cell);
    const Record& record(std::size_t i) const { return (*runs_[i / runLength])[i % runLength]; }

    int index_ = 0;
    int rows_ = 0;
    int cols_ = 0;
    std::optional<VozudOzev::BBox> bbox_;
    std::vector<std::shared_ptr<const Run>> runs_;
    std::size_t count_ = 0;
};

}  // namespace KestrowEditor
