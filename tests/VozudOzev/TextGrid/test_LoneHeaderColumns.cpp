#include "VozudOzev/TextGrid/LoneHeaderColumns.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using Band = TextGridEngine::Band;

namespace {

TextSegment seg(const std::string& text, double x, double w, double y)
{
    return TextSegment{text, BBox{x, y, w, 10}, 1};
}

}  // namespace

TEST(LoneHeaderColumns, ALabelBesideItsValuesJoinsThem)
{
    // "#" at the left of centred row numbers, then amounts; the total's label spans both.
    const std::vector<TextGridEngine::Row> numbered{
        {seg("#", 18, 7, 10), seg("Subtotal", 90, 50, 10)},
        {seg("1", 38, 6, 30), seg("€448.66", 95, 45, 30)},
        {seg("2", 38, 6, 50), seg("€211.65", 95, 45, 50)},
        {seg("Grand total", 12, 60, 70), seg("€2,962.06", 85, 55, 70)},
    };
    const std::vector<Band> columns{{0, 31}, {31, 70}, {70, 150}};
    const struct {
        const char* what;
        std::vector<TextGridEngine::Row> rows;
        size_t want;
    } cases[] = {
        {"label left of its values", numbered, 2},
        // Under a label of its own the column stays, as does one with values of its own.
        {"both columns labelled",
         {{seg("#", 18, 7, 10), seg("No", 36, 12, 10), seg("Subtotal", 90, 50, 10)},
          {seg("1", 38, 6, 30), seg("€448.66", 95, 45, 30)},
          {seg("2", 38, 6, 50), seg("€211.65", 95, 45, 50)}},
         3},
        {"values under the label",
         {{seg("#", 18, 7, 10), seg("Subtotal", 90, 50, 10)},
          {seg("a", 18, 6, 30), seg("1", 38, 6, 30), seg("€448.66", 95, 45, 30)},
          {seg("2", 38, 6, 50), seg("€211.65", 95, 45, 50)}},
         3},
        // Far from the values, a label is a column's of its own left empty.
        {"label far from the values",
         {{seg("#", 0, 7, 10), seg("Subtotal", 90, 50, 10)},
          {seg("1", 60, 6, 30), seg("€448.66", 95, 45, 30)},
          {seg("2", 60, 6, 50), seg("€211.65", 95, 45, 50)}},
         3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int joined = 0;
        const std::vector<Band> out = LoneHeaderColumns::joined(columns, c.rows, 10, joined);
        EXPECT_EQ(out.size(), c.want);
        EXPECT_EQ(static_cast<size_t>(joined), columns.size() - c.want);
    }
}
