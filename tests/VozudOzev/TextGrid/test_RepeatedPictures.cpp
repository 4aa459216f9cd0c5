#include "VozudOzev/TextGrid/RepeatedPictures.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"
#include "Support/ScreenFixtures.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
namespace ScreenFixtures = TestSupport::ScreenFixtures;
using namespace TestSupport::OCRBuilders;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

// A pencil-like outline: a frame with a slanted stroke inside, 14 px square at (x, y).
void pencil(Image& image, int x, int y)
{
    fill(image, x, y, 14, 2, 90);
    fill(image, x, y + 12, 14, 2, 90);
    fill(image, x, y, 2, 14, 90);
    fill(image, x + 12, y, 2, 14, 90);
    for (int k = 0; k < 10; ++k)
        fill(image, x + 2 + k, y + 11 - k, 2, 1, 90);
}

// Four rows of a name at x 10 and a picture at x 100, 30 px apart; the picture's reading
// and confidence per row.
struct Rows {
    std::vector<std::string> readings;
    double confidence = 0.4;
    bool samePicture = true;
    bool besideWord = false;  // a word a blank before the picture
    bool everyOtherRow = false;  // rows of names only between the pictures' rows
    bool widerBoxes = false;     // every other row's box runs on over blank page
};

std::vector<OCRLine> rowsOf(const Rows& r, Image& image)
{
    image = plain(160, 260);
    std::vector<OCRLine> lines;
    for (size_t i = 0; i < r.readings.size(); ++i) {
        const int y = 10 + (r.everyOtherRow ? 60 : 30) * static_cast<int>(i);
        if (r.everyOtherRow && i > 0) {
            fill(image, 10, y - 28, 50, 10, 30);
            lines.push_back(line({word("Name", 10, y - 28, 50, 10, 0.95)}, 0.95));
        }
        fill(image, 10, y + 2, 50, 10, 30);
        if (r.samePicture)
            pencil(image, 100, y);
        else
            fill(image, 100, y + static_cast<int>(i) * 3, 14, 3, 90);
        lines.push_back(line({word("Name", 10, y + 2, 50, 10, 0.95)}, 0.95));
        if (r.besideWord) {
            fill(image, 70, y + 2, 25, 10, 30);
            lines.push_back(line({word("Paid", 70, y + 2, 25, 10, 0.95)}, 0.95));
        }
        const double w = r.widerBoxes && i % 2 == 1 ? 22 : 14;
        lines.push_back(line({word(r.readings[i], 100, y, w, 14, r.confidence)}, r.confidence));
    }
    return lines;
}

}  // namespace

TEST(RepeatedPictures, OnePictureReadDifferentlyRowAfterRowIsNoText)
{
    const struct {
        const char* what;
        Rows rows;
        size_t removed;
    } cases[] = {
        {"same picture, readings disagree", {{"o", "g@", "Z2", "g@"}}, 4},
        {"same picture, one reading throughout", {{"2", "2", "2", "2"}}, 0},
        {"readings disagree, boxes of two widths", {{"o", "g@", "Z2", "g@"}, 0.4, true, false, false, true}, 4},
        {"different ink in each row", {{"o", "g@", "Z2", "a"}, 0.4, false}, 0},
        {"read with confidence", {{"o", "g@", "Z2", "g@"}, 0.9}, 0},
        {"two rows only", {{"o", "g@"}}, 0},
        {"a word a blank before it", {{"o", "g@", "Z2", "g@"}, 0.4, true, true}, 0},
        {"on every other row only", {{"o", "g@", "Z2", "g@"}, 0.4, true, false, true}, 0},
        {"longer than a few letters", {{"Edit", "Edlt", "Editt", "Edit"}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Image image;
        std::vector<OCRLine> lines = rowsOf(c.rows, image);
        const size_t before = lines.size();
        const std::vector<BBox> boxes = RepeatedPictures::remove(lines, image, 12);
        EXPECT_EQ(boxes.size(), c.removed);
        EXPECT_EQ(lines.size(), before - c.removed);
        for (const OCRLine& l : lines)
            EXPECT_FALSE(l.words.empty());
    }
}

// A dark page's edit and delete buttons under "Actions", read as "o h", "g@ 1%", "Z2 ñũ".
// The column stays, with its header and nothing under it.
TEST(RepeatedPictures, ActionButtonsOfADarkPageLeaveTheirColumnEmpty)
{
    const Image image = ScreenFixtures::image("web-action-icons");
    std::vector<std::string> notes;
    const std::optional<Table> t = ScreenTableRecognizer::build(ScreenFixtures::lines("web-action-icons"), image, notes);
    ASSERT_TRUE(t);
    const auto grid = t->grid();
    ASSERT_EQ(grid.size(), 6u);
    ASSERT_EQ(grid[0].size(), 3u);
    EXPECT_EQ(grid[0][2], "Actions");
    EXPECT_EQ(grid[2][1], "34*");
    for (size_t r = 1; r < grid.size(); ++r)
        EXPECT_EQ(grid[r][2], "") << "row " << r;
}

// Edit and delete buttons of dark pages whose reading gives no set of junk to tell them by.
TEST(RepeatedPictures, ButtonsBesideButtonsAndBoxesOverBlankPage)
{
    const struct {
        const char* fixture;
        size_t rows, cols;
        std::string header;  // over the last column, the buttons'
    } cases[] = {
        // The pencil read "2" on every row, beside a bin read differently each time.
        // (gen_apps.py case web04 under seed 60704: genreps.py --reps 53 --kinds web04, from x 360)
        {"web-action-icons-read-alike", 7, 4, "Actions"},
        // The pencil's box runs on over the blank page to within a word space of the bin.
        // (gen_apps.py case web04 under seed 58704: genreps.py --reps 51 --kinds web04, from x 300)
        {"web-action-icon-box-over-blank", 7, 4, "Actions"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        const Image image =
            ScreenFixtures::image(c.fixture);
        std::vector<std::string> notes;
        const std::optional<Table> t = ScreenTableRecognizer::build(ScreenFixtures::lines(c.fixture), image, notes);
        ASSERT_TRUE(t);
        const auto grid = t->grid();
        ASSERT_EQ(grid.size(), c.rows);
        ASSERT_EQ(grid[0].size(), c.cols);
        EXPECT_EQ(grid[0][c.cols - 1], c.header);
        for (size_t r = 1; r < grid.size(); ++r)
            EXPECT_EQ(grid[r][c.cols - 1], "") << "row " << r;
    }
}
