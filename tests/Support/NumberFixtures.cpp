#include "Support/NumberFixtures.hpp"

#include <map>

namespace TestSupport::NumberFixtures {

using VozudOzev::BBox;

Column column(const std::string& name)
{
    // As printed by the generator.
    static const std::map<std::string, std::pair<std::vector<std::string>, std::vector<BBox>>> known{
        {"comma", {{"37,11", "12,50", "3,99", "48,20"}, {{12, 14, 52, 15}, {12, 54, 52, 15}, {12, 94, 40, 15}, {12, 134, 52, 15}}}},
        {"comma-small", {{"37,11", "12,50", "3,99", "48,20"}, {{12, 13, 32, 9}, {12, 53, 32, 9}, {12, 93, 25, 9}, {12, 133, 32, 9}}}},
        {"point", {{"87.12", "5.40", "16.08", "2.75"}, {{12, 14, 52, 13}, {12, 54, 40, 13}, {12, 94, 52, 13}, {12, 134, 40, 13}}}},
        {"euro", {{"2,19 \u20AC", "6.127,86 \u20AC", "14,00 \u20AC", "1,05 \u20AC"}, {{12, 14, 57, 15}, {12, 54, 97, 15}, {12, 94, 69, 15}, {12, 134, 57, 15}}}},
        {"yen", {{"\u00A5389", "\u00A51,630", "\u00A5250", "\u00A512"}, {{12, 14, 46, 13}, {12, 54, 63, 15}, {12, 94, 46, 13}, {12, 134, 34, 13}}}},
        {"brackets", {{"(1,042)", "2,310", "(88)", "1,507"}, {{12, 13, 66, 16}, {12, 54, 52, 15}, {12, 93, 37, 16}, {12, 134, 52, 15}}}},
        {"minus", {{"-4.20", "3.10", "-12.00", "0.50"}, {{12, 14, 47, 13}, {12, 54, 40, 13}, {12, 94, 58, 13}, {12, 134, 40, 13}}}},
        {"minus-small", {{"-4%", "12%", "-40%", "7%"}, {{12, 13, 21, 8}, {12, 53, 24, 8}, {12, 93, 28, 8}, {12, 133, 17, 8}}}},
        {"dash", {{"\u2014", "4,20", "\u2014", "17,35"}, {{12, 21, 18, 6}, {12, 54, 40, 15}, {12, 101, 18, 6}, {12, 134, 52, 15}}}},
    };
    const auto& [texts, boxes] = known.at(name);
    return {VozudOzev::ImageLoader::load(VANTREL_SOURCE_DIR "/tests/fixtures/numbers/" + name + ".png"), texts, boxes};
}

VozudOzev::Table tableOf(const Column& column, const std::vector<std::string>& readings)
{
    VozudOzev::Table table;
    table.rows = static_cast<int>(readings.size());
    table.cols = 1;
    for (size_t i = 0; i < readings.size(); ++i) {
        VozudOzev::Cell cell;
        cell.row = static_cast<int>(i);
        cell.text = readings[i];
        cell.confidence = 0.9;
        cell.bbox = column.boxes[i];
        table.cells.push_back(std::move(cell));
    }
    return table;
}

}  // namespace TestSupport::NumberFixtures
