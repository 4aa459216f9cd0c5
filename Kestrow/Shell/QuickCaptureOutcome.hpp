#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <QString>

#include <optional>

namespace Kestrow {

// What a quick capture does with its table: copy it, or open it because it needs eyes.
struct QuickCaptureOutcome {
    struct Reason {
        enum class Kind { flagged, noTable };
        Kind kind = Kind::noTable;
        int flaggedCells = 0;

        QString message() const;
        bool operator==(const Reason&) const = default;
    };

    std::optional<VozudOzev::Table> copy;  // set: copy this table
    std::optional<Reason> openEditor;      // set: open the result window with this notice

    static QuickCaptureOutcome decide(const std::optional<VozudOzev::Table>& table);
};

}  // namespace Kestrow
