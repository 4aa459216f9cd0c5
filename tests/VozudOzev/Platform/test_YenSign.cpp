#include "VozudOzev/Platform/YenSign.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VozudOzev;

namespace {

// A glyph drawn as rows of '#' (ink) and '.' on a white page, with a margin of 3 pixels.
struct Drawn {
    std::vector<std::uint8_t> grey;
    int width = 0;
    int height = 0;
    BBox box;
};

Drawn draw(const std::vector<std::string>& rows)
{
    Drawn d;
    d.width = static_cast<int>(rows.front().size()) + 6;
    d.height = static_cast<int>(rows.size()) + 6;
    d.grey.assign(static_cast<size_t>(d.width) * d.height, 255);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == '#')
                d.grey[(y + 3) * d.width + x + 3] = 20;
    d.box = BBox{2, 2, rows.front().size() + 2.0, rows.size() + 2.0};
    return d;
}

// As the recogniser's boxes showed them on captured pages.
const std::vector<std::string> sansYen{
    "##...........##", "###.........###", ".##........###.", ".###.......##..", "..###.....###..",
    "...##....####..", "...##....##....", "...####..##....", "....#######....", "....#######....",
    ".#############.", ".#############.", ".....####......", ".....####......", ".#############.",
    ".#############.", ".....####......", "......###......", "......###......", ".......#......."};
const std::vector<std::string> serifYen{
    "#######.....#####", ".#####.......###.", "..####.......##..", "...###......##...", "....###.....#....",
    "....###....##....", ".....###...#.....", "....####..###....", "..#############..", "......#####......",
    ".......###.......", ".......###.......", "..#############..", "......####.......", ".......###.......",
    ".......###.......", ".......###.......", ".......###.......", ".....#######....."};
const std::vector<std::string> two{
    "...######....", "..#########..", ".####...####.", "####.....###.", "##........###", "..........###",
    "..........##.", "..........##.", ".........###.", "........###..", ".......###...", "......###....",
    "....####.....", "...####......", "..###........", ".###.........", "####.........", "####.........",
    "#############", "#############"};
const std::vector<std::string> four{
    ".........###.", "........####.", ".......#####.", "......##.###.", ".....##..###.", "....##...###.",
    "...##....###.", "..##.....###.", ".##......###.", "##.......###.", "#############", "#############",
    ".........###.", ".........###.", ".........###.", ".........###.", ".........###.", ".........###.",
    ".........###.", ".........###."};

std::vector<std::string> withoutBars(std::vector<std::string> rows)
{
    for (std::string& r : rows)
        if (r.find("#########") != std::string::npos)
            r = std::string(r.size() / 2 - 2, '.') + "####" + std::string(r.size() - r.size() / 2 - 2, '.');
    return rows;
}

}  // namespace

TEST(YenSign, TheGlyphIsAYWithBars)
{
    const struct {
        const char* what;
        std::vector<std::string> rows;
        bool yen;
    } cases[] = {
        {"sans yen", sansYen, true},     {"serif yen with a foot", serifYen, true}, {"two", two, false},
        {"four", four, false},           {"a Y has no bar", withoutBars(sansYen), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Drawn d = draw(c.rows);
        EXPECT_EQ(YenSign::drawnAt(d.grey, d.width, d.height, 255, d.box), c.yen);
    }
}

TEST(YenSign, AmountsGetTheirSignBack)
{
    const Drawn yen = draw(sansYen);
    const Drawn notYen = draw(two);
    auto symbols = [](const std::string& first, const BBox& box, size_t digits) {
        std::vector<DongSign::Symbol> out{{first, box}};
        for (size_t i = 0; i < digits; ++i)
            out.push_back({"1", BBox{box.maxX() + 10.0 * i, box.y, 8, box.h}});
        return out;
    };
    const struct {
        const char* what;
        std::string text;
        const Drawn* page;
        std::string want;
    } cases[] = {
        {"yen read as a two", "2111", &yen, "\u00a5111"},
        {"yen read as a Y", "Y111", &yen, "\u00a5111"},
        {"a drawn two stays", "2111", &notYen, "2111"},
        {"a word of letters stays", "Yen", &yen, "Yen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PageWord word{c.text, BBox{0, 0, 60, 20}, 0.9};
        const std::string first = c.text.substr(0, 1);
        YenSign::restore(word, symbols(first, c.page->box, c.text.size() - 1), c.page->grey, c.page->width,
                         c.page->height, 255);
        EXPECT_EQ(word.text, c.want);
    }
}
