#include "VozudOzev/OCR/ImageLoader.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace VozudOzev;

namespace {

std::string fixturePath(const std::string& name)
{
    return std::string(VANTREL_SOURCE_DIR) + "/tests/fixtures/screen/" + name;
}

std::vector<OCRLine> linesOf(const std::string& name)
{
    std::ifstream in(fixturePath(name + ".lines.json"));
    return nlohmann::json::parse(in).get<std::vector<OCRLine>>();
}

}  // namespace

// Captures of table widgets with the OCR lines their reading gave.
TEST(WidgetTables, CapturedWidgetsKeepTheirColumns)
{
    const struct {
        const char* fixture;
        int rows, cols;
        std::vector<std::pair<std::pair<int, int>, std::string>> cells;  // row, col, text
    } cases[] = {
        // No grid; the only lines are the row header's edge and the frame: the gaps part
        // the columns between them, and the row numbers stay out.
        {"qt-row-header-no-grid", 9, 5,
         {{{0, 0}, "Product"}, {{0, 4}, "Difference"}, {{1, 0}, "Cleaning service"}, {{1, 2}, "136"},
          {{8, 0}, "Steel bolts M6"}, {{8, 4}, "252"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        const Image image = ImageLoader::load(fixturePath(std::string(c.fixture) + ".png"));
        std::vector<std::string> notes;
        const std::optional<Table> t = ScreenTableRecognizer::build(linesOf(c.fixture), image, notes);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->rows, c.rows);
        EXPECT_EQ(t->cols, c.cols);
        const auto grid = t->grid();
        for (const auto& [at, text] : c.cells)
            EXPECT_EQ(grid.at(static_cast<size_t>(at.first)).at(static_cast<size_t>(at.second)), text)
                << "row " << at.first << " col " << at.second;
    }
}
