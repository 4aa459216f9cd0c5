#include "VozudOzev/TextGrid/TextGridDocumentRecognizer.hpp"

#include "VozudOzev/Extraction/DocumentsEngine.hpp"
#include "VozudOzev/OCR/ImageLoader.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include "Support/Canvas.hpp"
#include "Support/FixedTextRecognizer.hpp"
#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

OCRLine cell(const std::string& text, double x, double y, double confidence = 0.9)
{
    return line({word(text, x, y, 8.0 * static_cast<double>(text.size()), 10)}, confidence);
}

TextOCR fixedOCR(std::vector<OCRLine> lines)
{
    TextOCR ocr{.languages = {"en-US"}};
    ocr.recognizer = std::make_shared<TestSupport::FixedTextRecognizer>(std::move(lines));
    return ocr;
}

// A ruled 3 x 2 grid; the second column sits closer than the text gap rule would accept.
Image ruledGrid()
{
    Image image = plain(160, 110);
    for (int y : {12, 42, 72, 102})
        fill(image, 0, y, 160, 1);
    for (int x : {12, 70, 140})
        fill(image, x, 0, 1, 110);
    return image;
}

const std::vector<OCRLine> gridText{
    cell("Fruits", 20, 20), cell("Qty", 72, 20),  cell("Apples", 20, 50, 0.6),
    cell("12", 72, 50),     cell("Cherry", 20, 80), cell("7", 72, 80, 0.7),
};

}  // namespace

TEST(TextGridDocumentRecognizer, TableOfTheTextGridWithRules)
{
    const Image image = ruledGrid();
    const TextGridDocumentRecognizer recognizer(fixedOCR(gridText));
    const std::vector<DocumentObservation> observations = recognizer.perform(image);
    ASSERT_EQ(observations.size(), 1u);
    ASSERT_EQ(observations[0].tables.size(), 1u);
    const DocumentTable& t = observations[0].tables[0];
    ASSERT_EQ(t.rows.size(), 3u);
    ASSERT_EQ(t.rows[1].size(), 2u);
    const DocumentCell& apples = t.rows[1][0];
    EXPECT_EQ(apples.rows, (GridRange{1, 1}));
    EXPECT_EQ(apples.columns, (GridRange{0, 0}));
    EXPECT_EQ(apples.transcript, "Apples");
    ASSERT_EQ(apples.lines.size(), 1u);
    EXPECT_EQ(apples.lines[0].confidence, 0.6);

    // Through the engine the cells come back as the text grid made them, boxes in pixels.
    std::vector<std::string> notes;
    const std::optional<Table> grid = TextGridEngine(TextGridEngine::RuledLines::followed, fixedOCR(gridText)).build(gridText, &image, notes);
    ASSERT_TRUE(grid);
    const EngineOutput out = DocumentsEngine(std::make_shared<TextGridDocumentRecognizer>(fixedOCR(gridText)))
                                 .run(image, "capture");
    ASSERT_EQ(out.tables.size(), 1u);
    const Table& table = out.tables[0];
    EXPECT_EQ(table.grid(), (std::vector<std::vector<std::string>>{{"Fruits", "Qty"}, {"Apples", "12"}, {"Cherry", "7"}}));
    EXPECT_EQ(table.rows, grid->rows);
    EXPECT_EQ(table.cols, grid->cols);
    ASSERT_EQ(table.cells.size(), grid->cells.size());
    for (size_t i = 0; i < table.cells.size(); ++i) {
        SCOPED_TRACE(table.cells[i].text);
        EXPECT_EQ(table.cells[i].confidence, grid->cells[i].confidence);
        EXPECT_NEAR(table.cells[i].bbox->x, grid->cells[i].bbox->x, 1e-9);
        EXPECT_NEAR(table.cells[i].bbox->y, grid->cells[i].bbox->y, 1e-9);
        EXPECT_NEAR(table.cells[i].bbox->w, grid->cells[i].bbox->w, 1e-9);
        EXPECT_NEAR(table.cells[i].bbox->h, grid->cells[i].bbox->h, 1e-9);
    }
    EXPECT_NEAR(table.bbox->y, grid->bbox->y, 1e-9);
    EXPECT_EQ(out.confidenceSource, "line");
}

TEST(TextGridDocumentRecognizer, NoTextNoTable)
{
    const TextGridDocumentRecognizer recognizer(fixedOCR({}));
    for (const Image& image : {ruledGrid(), Image()}) {
        const std::vector<DocumentObservation> observations = recognizer.perform(image);
        ASSERT_EQ(observations.size(), 1u);
        EXPECT_TRUE(observations[0].tables.empty());
    }
}

TEST(TextGridDocumentRecognizer, SupportedLanguagesAreTheInstalledOnes)
{
    const std::vector<std::string> languages = DocumentsEngine::supportedLanguages();
    EXPECT_NE(std::find(languages.begin(), languages.end(), "en-Latn-US"), languages.end());
    EXPECT_NE(std::find(languages.begin(), languages.end(), "vi-Latn-VN"), languages.end());
}

// Real recognition on pages without a table: the engines answer with no table and a note.
TEST(TextGridDocumentRecognizer, BadImagesGiveNoTableAndANote)
{
    Image oneHigh = plain(300, 1);
    fill(oneHigh, 20, 0, 100, 1);
    Image dense = plain(400, 300);  // three quarters of it ruling lines
    for (int y = 0; y < 300; y += 4)
        fill(dense, 0, y, 400, 2);
    for (int x = 0; x < 400; x += 4)
        fill(dense, x, 0, 2, 300);
    Image grid = plain(400, 300);  // an empty ruled grid
    for (int y = 0; y < 300; y += 20)
        fill(grid, 0, y, 400, 3);
    for (int x = 0; x < 400; x += 30)
        fill(grid, x, 0, 3, 300);

    const struct {
        std::string name;
        Image image;
    } cases[] = {
        {"all white", plain(200, 100)}, {"all black", plain(200, 100, 0)}, {"one pixel high", oneHigh},
        {"one pixel", plain(1, 1, 90)}, {"mostly ruling lines", dense},    {"an empty grid", grid},
    };
    const TextOCR ocr{.languages = {"vi-VT", "en-US"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const EngineOutput document = DocumentsEngine().run(c.image, "bad");
        EXPECT_TRUE(document.tables.empty());
        // The recogniser says why first, then the engine's own two notes.
        ASSERT_GE(document.notes.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(document.notes.end() - 2, document.notes.end()),
                  (std::vector<std::string>{"no table detected", DocumentsEngine::confidenceNote}));

        const EngineOutput rules = TextGridEngine(TextGridEngine::RuledLines::followed, ocr).run(c.image, "bad");
        EXPECT_TRUE(rules.tables.empty());
        EXPECT_FALSE(rules.notes.empty());
    }
}

TEST(TextGridDocumentRecognizer, RuledImage)
{
    const Image image = ImageLoader::load(VANTREL_SOURCE_DIR "/tests/fixtures/rules/ruled-two-line-cell.png");
    const EngineOutput out = DocumentsEngine().run(image, "capture");
    EXPECT_EQ(out.engine, "A");
    ASSERT_GE(out.notes.size(), 2u);
    EXPECT_EQ(out.notes.back(), DocumentsEngine::confidenceNote);
    EXPECT_EQ(out.notes[out.notes.size() - 2], "table of 4 rows and 3 columns");
    EXPECT_EQ(out.confidenceSource, "line");
    ASSERT_EQ(out.tables.size(), 1u);
    const Table& t = out.tables[0];
    EXPECT_EQ(t.rows, 4);
    EXPECT_EQ(t.cols, 3);
    const auto grid = t.grid();
    EXPECT_NE(grid[1][1].find("Dalat"), std::string::npos) << grid[1][1];
    for (const Cell& c : t.cells) {
        ASSERT_TRUE(c.bbox);
        EXPECT_TRUE(t.bbox->contains(c.bbox->midX(), c.bbox->midY())) << c.text;
        ASSERT_TRUE(c.confidence);
        EXPECT_GT(*c.confidence, 0.5) << c.text;
    }
}
