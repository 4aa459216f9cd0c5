#include "VozudOzev/Structure/OTSL.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace VozudOzev;

namespace {

const std::map<std::string, int> words = {{"<pad>", 0}, {"<unk>", 1}, {"<start>", 2}, {"<end>", 3}, {"ecel", 4},
                                          {"fcel", 5},  {"lcel", 6},  {"ucel", 7},    {"xcel", 8},  {"nl", 9},
                                          {"ched", 10}, {"rhed", 11}, {"srow", 12}};

std::map<int, std::string> reverse()
{
    std::map<int, std::string> r;
    for (const auto& [k, v] : words)
        r[v] = k;
    return r;
}

std::vector<int> ids(const std::string& text)
{
    std::vector<int> out = {words.at("<start>")};
    std::istringstream in(text);
    for (std::string t; in >> t;)
        out.push_back(words.at(t));
    return out;
}

// Box k: a distinct place in the table, so a test can tell which box a cell got.
std::array<float, 4> box(size_t k)
{
    return {0.05f + 0.1f * k, 0.3f + 0.05f * k, 0.1f, 0.2f};
}

std::vector<std::array<float, 4>> boxes(size_t n)
{
    std::vector<std::array<float, 4>> out;
    for (size_t k = 0; k < n; ++k)
        out.push_back(box(k));
    return out;
}

// "row,col rs x cs label @k" per cell, k the box it got ("-": none of them).
std::string describe(const OTSL::Cells& cells, const std::array<double, 4>& table, size_t n)
{
    std::string s = std::to_string(cells.rows) + "x" + std::to_string(cells.cols) + ":";
    for (const auto& c : cells.cells) {
        s += " " + std::to_string(c.row) + "," + std::to_string(c.col) + " " + std::to_string(c.rowSpan) + "x" +
             std::to_string(c.colSpan) + " " + c.label + " @";
        std::string which = "-";
        for (size_t k = 0; k < n; ++k) {
            const auto b = box(k);
            const double w = table[2] - table[0], h = table[3] - table[1];
            if (std::abs(c.box[0] - (table[0] + (b[0] - b[2] / 2) * w)) < 1e-4 &&
                std::abs(c.box[1] - (table[1] + (b[1] - b[3] / 2) * h)) < 1e-4 &&
                std::abs(c.box[2] - (table[0] + (b[0] + b[2] / 2) * w)) < 1e-4 &&
                std::abs(c.box[3] - (table[1] + (b[1] + b[3] / 2) * h)) < 1e-4)
                which = std::to_string(k);
        }
        s += which;
    }
    return s;
}

void expectBox(const std::array<double, 4>& got, const std::array<double, 4>& want)
{
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(got[i], want[i], 1e-4) << i;
}

}  // namespace

TEST(OTSL, TagsToCells)
{
    const std::array<double, 4> table = {0, 0, 100, 50};
    const struct {
        const char* name;
        const char* tags;
        size_t boxes;
        const char* want;
    } cases[] = {
        {"plain 2 x 2", "fcel fcel nl fcel fcel nl <end>", 4,
         "2x2: 0,0 1x1 fcel @0 0,1 1x1 fcel @1 1,0 1x1 fcel @2 1,1 1x1 fcel @3"},
        {"header row", "ched ched nl ecel fcel nl <end>", 4,
         "2x2: 0,0 1x1 ched @0 0,1 1x1 ched @1 1,0 1x1 ecel @2 1,1 1x1 fcel @3"},
        {"column span merged into one box", "fcel lcel fcel nl fcel fcel fcel nl <end>", 5,
         "2x3: 0,0 1x2 fcel @0 0,2 1x1 fcel @1 1,0 1x1 fcel @2 1,1 1x1 fcel @3 1,2 1x1 fcel @4"},
        {"row span through ucel", "fcel fcel nl ucel fcel nl <end>", 3,
         "2x2: 0,0 2x1 fcel @0 0,1 1x1 fcel @1 1,1 1x1 fcel @2"},
        {"two-way span with xcel", "fcel xcel fcel nl xcel xcel fcel nl <end>", 2,
         "2x3: 0,0 2x2 fcel @- 0,2 1x1 fcel @0 1,2 1x1 fcel @1"},
        {"ragged rows", "fcel nl fcel fcel fcel nl <end>", 4,
         "2x3: 0,0 1x1 fcel @0 1,0 1x1 fcel @1 1,1 1x1 fcel @2 1,2 1x1 fcel @3"},
        {"orphan span tags are no cells", "lcel fcel nl ucel ucel nl <end>", 1, "2x2: 0,1 2x1 fcel @-"},
        {"last cell without nl takes its bands", "fcel fcel nl fcel fcel <end>", 3,
         "2x2: 0,0 1x1 fcel @0 0,1 1x1 fcel @1 1,0 1x1 fcel @2 1,1 1x1 fcel @-"},
        {"row-leading lcel takes a box of no cell", "fcel fcel nl lcel fcel nl <end>", 4,
         "2x2: 0,0 1x1 fcel @0 0,1 1x1 fcel @1 1,1 1x1 fcel @3"},
        {"tags that are no slots still count as steps", "fcel <pad> fcel nl <unk> fcel fcel nl <end>", 5,
         "2x2: 0,0 1x1 fcel @- 0,1 1x1 fcel @1 1,0 1x1 fcel @3 1,1 1x1 fcel @4"},
        {"empty row counts", "fcel nl nl fcel nl <end>", 2, "3x1: 0,0 1x1 fcel @0 2,0 1x1 fcel @1"},
        {"nothing", "<end>", 0, "0x0:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto cells = OTSL::cells(ids(c.tags), boxes(c.boxes), std::vector<int>(c.boxes, 0), reverse(), table);
        EXPECT_EQ(describe(cells, table, c.boxes), c.want);
    }
}

TEST(OTSL, BoxesMapIntoTheTableBoxAndBandsFillTheRest)
{
    const std::array<double, 4> table = {100, 200, 300, 400};
    // Rows: two header cells; the second row's last cell gets no box (no closing "nl").
    const auto cells = OTSL::cells(ids("ched ched nl fcel fcel"),
                                   {{0.25f, 0.25f, 0.5f, 0.5f}, {0.75f, 0.25f, 0.5f, 0.5f}, {0.25f, 0.75f, 0.5f, 0.5f}},
                                   {1, 1, 2}, reverse(), table);
    ASSERT_EQ(cells.cells.size(), 4u);
    expectBox(cells.cells[0].box, std::array<double, 4>{100, 200, 200, 300});
    expectBox(cells.cells[1].box, std::array<double, 4>{200, 200, 300, 300});
    expectBox(cells.cells[2].box, std::array<double, 4>{100, 300, 200, 400});
    // Column band of (0,1), row band of (1,0).
    expectBox(cells.cells[3].box, std::array<double, 4>{200, 300, 300, 400});
    EXPECT_EQ(cells.rsSeq, (std::vector<std::string>{"ched", "ched", "nl", "fcel", "fcel"}));

    // Boxes reaching outside are clamped; an upside-down box is put right.
    const auto clamped = OTSL::cells(ids("fcel fcel nl <end>"), {{0.9f, 0.5f, 0.6f, -0.2f}}, {0}, reverse(), table);
    expectBox(clamped.cells[0].box, std::array<double, 4>{220, 280, 300, 320});
    // A lone cell with nothing boxed around it sits empty at the table's top left.
    const auto lone = OTSL::cells(ids("fcel <end>"), {}, {}, reverse(), table);
    expectBox(lone.cells[0].box, std::array<double, 4>{100, 200, 100, 200});
}

TEST(OTSL, Degenerate)
{
    const struct {
        std::vector<std::string> tags;
        int maxSteps;
        bool want;
    } cases[] = {
        {{"fcel", "nl"}, 10, false},
        {{}, 10, true},
        {{"nl", "lcel", "ucel", "nl"}, 10, true},
        {{"fcel", "fcel", "fcel"}, 3, true},  // ran out of steps: never ended
        {{"fcel", "fcel"}, 3, false},
        {{"<pad>", "fcel", "<unk>"}, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.tags));
        EXPECT_EQ(OTSL::isDegenerate(c.tags, c.maxSteps), c.want);
    }
}
