#pragma once

#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/OCR/OCRLine.hpp"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Kestrow {

// One saved capture, as its record on disk holds it.
struct HistoryItem {
    std::string id;  // upper-case hyphenated UUID, also the stem of its file names
    std::chrono::system_clock::time_point date;
    std::string sourceName;
    std::string engine;
    std::int64_t imageWidth = 0;
    std::int64_t imageHeight = 0;
    double imageScale = 1;
    std::vector<VozudOzev::Table> tables;
    std::optional<std::int64_t> selectedIndex;
    std::vector<VozudOzev::OCRLine> lines;
    bool hasImage = false;

    // The table at selectedIndex when in range, else the first; none without tables.
    const VozudOzev::Table* selectedTable() const;

    // The first row of the selected table with text, its texts joined by " · "; without a
    // table the first OCR line.
    std::string preview() const;

    // Cells of the selected table carrying a flag other than "edited".
    int flaggedCount() const;

    bool operator==(const HistoryItem&) const = default;
};

}  // namespace Kestrow
