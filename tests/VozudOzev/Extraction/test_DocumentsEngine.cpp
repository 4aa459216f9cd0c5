#include "VozudOzev/Extraction/DocumentsEngine.hpp"

#include "VozudOzev/Model/VozudOzevError.hpp"

#include "Support/ScriptedDocumentRecognizer.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

using namespace VozudOzev;
using TestSupport::ScriptedDocumentRecognizer;

namespace {

DocumentCell cell(GridRange rows, GridRange columns, std::string text, std::vector<double> confidences,
                  NormalizedRect box = {0.1, 0.1, 0.2, 0.2})
{
    DocumentCell c{rows, columns, std::move(text), {}, box};
    for (double conf : confidences)
        c.lines.push_back({c.transcript, conf, box});
    return c;
}

EngineOutput runOn(std::vector<DocumentObservation> observations, int W = 100, int H = 500)
{
    return DocumentsEngine(std::make_shared<ScriptedDocumentRecognizer>(std::move(observations)))
        .run(Image(W, H), "doc");
}

// A 3 x 2 white PNG.
const std::vector<std::uint8_t> png{
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0x12, 0x16, 0xf1, 0x4d, 0x00, 0x00, 0x00,
    0x0e, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0x0f, 0x03, 0x0c, 0x70, 0x16, 0x00, 0xb3, 0x60, 0x11,
    0xef, 0x36, 0xb7, 0x19, 0x52, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

}  // namespace

TEST(DocumentsEngine, NoTable)
{
    for (const auto& observations :
         {std::vector<DocumentObservation>{}, std::vector<DocumentObservation>{DocumentObservation{}}}) {
        const EngineOutput out = runOn(observations);
        EXPECT_EQ(out.engine, "A");
        EXPECT_EQ(out.id, "doc");
        EXPECT_EQ(out.imageWidth, 100);
        EXPECT_EQ(out.imageHeight, 500);
        EXPECT_TRUE(out.tables.empty());
        EXPECT_FALSE(out.selectedTable);
        EXPECT_FALSE(out.confidenceSource);
        EXPECT_EQ(out.notes, (std::vector<std::string>{"no table detected", DocumentsEngine::confidenceNote}));
    }
}

TEST(DocumentsEngine, CellsFromRecognisedTables)
{
    DocumentTable small;  // 1 x 2, in an observation of its own
    small.rows = {{cell({0, 0}, {0, 0}, "x", {0.5}), cell({0, 0}, {1, 1}, "y", {})}};
    small.boundingBox = {0, 0, 1, 1};

    DocumentTable big;  // 3 x 3 with spans, given out of order, with a second cell on one anchor
    big.boundingBox = {0.1, 0.1, 0.5, 0.2};
    big.rows = {
        {cell({1, 2}, {0, 0}, "tall", {0.9, 0.7, 0.8}), cell({0, 0}, {0, 1}, "wide", {0.95})},
        {cell({0, 0}, {2, 2}, "corner", {0.6}), cell({0, 0}, {0, 0}, "hidden", {0.1})},
        {cell({2, 2}, {1, 2}, "", {})},
    };

    std::vector<DocumentObservation> observations{{{small}}, {{big}}};
    const EngineOutput out = runOn(observations);
    ASSERT_EQ(out.tables.size(), 2u);
    EXPECT_EQ(out.selectedTable, 1);
    EXPECT_EQ(out.confidenceSource, "line");
    EXPECT_EQ(out.notes, std::vector<std::string>{DocumentsEngine::confidenceNote});

    const Table& a = out.tables[0];
    EXPECT_EQ(a.index, 0);
    EXPECT_EQ(a.rows, 1);
    EXPECT_EQ(a.cols, 2);
    EXPECT_EQ(a.bbox, (BBox{0, 0, 100, 500}));
    ASSERT_EQ(a.cells.size(), 2u);
    EXPECT_EQ(a.cells[0].confidence, 0.5);
    EXPECT_FALSE(a.cells[1].confidence);  // no text line: no confidence

    const Table& b = out.tables[1];
    EXPECT_EQ(b.index, 1);
    EXPECT_EQ(b.rows, 3);
    EXPECT_EQ(b.cols, 3);
    // minY 0.1 and height 0.2 of a 500 px image: 350 px from the top, 100 px high.
    EXPECT_EQ(b.bbox, (BBox{10, 350, 50, 100}));
    const struct {
        int row, col, rowSpan, colSpan;
        std::string text;
        std::optional<double> confidence;
    } want[] = {
        {0, 0, 1, 2, "wide", 0.95}, {0, 2, 1, 1, "corner", 0.6}, {1, 0, 2, 1, "tall", 0.7}, {2, 1, 1, 2, "", {}},
    };
    ASSERT_EQ(b.cells.size(), std::size(want));
    for (size_t i = 0; i < b.cells.size(); ++i) {
        SCOPED_TRACE(want[i].text);
        const Cell& c = b.cells[i];
        EXPECT_EQ(c.row, want[i].row);
        EXPECT_EQ(c.col, want[i].col);
        EXPECT_EQ(c.rowSpan, want[i].rowSpan);
        EXPECT_EQ(c.colSpan, want[i].colSpan);
        EXPECT_EQ(c.text, want[i].text);
        EXPECT_EQ(c.confidence, want[i].confidence);
        EXPECT_EQ(c.bbox, (BBox{10, 350, 20, 100}));
        EXPECT_FALSE(c.flags);
        EXPECT_FALSE(c.header);
    }
}

TEST(DocumentsEngine, BrokenRecogniserResults)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Unusable grid positions are an error, not a table of absurd size.
    for (const GridRange& bad : {GridRange{-1, 0}, GridRange{2, 1}, GridRange{0, DocumentsEngine::maxGridIndex},
                                 GridRange{0, std::numeric_limits<int>::max()}}) {
        SCOPED_TRACE(std::to_string(bad.lower) + "..." + std::to_string(bad.upper));
        DocumentTable t;
        t.rows = {{cell(bad, {0, 0}, "a", {0.5})}};
        EXPECT_THROW(runOn({{{t}}}), VozudOzevError);
        t.rows = {{cell({0, 0}, bad, "a", {0.5})}};
        EXPECT_THROW(runOn({{{t}}}), VozudOzevError);
    }
    // Boxes and confidences that are no numbers are left out rather than written.
    DocumentTable t;
    t.rows = {{cell({0, 0}, {0, 0}, "a", {nan, 0.4}, {nan, 0, 1, 1})}};
    t.boundingBox = {0, nan, 1, 1};
    const EngineOutput out = runOn({{{t}}});
    ASSERT_EQ(out.tables.size(), 1u);
    EXPECT_FALSE(out.tables[0].bbox);
    EXPECT_FALSE(out.tables[0].cells[0].bbox);
    EXPECT_EQ(out.tables[0].cells[0].confidence, 0.4);
}

TEST(DocumentsEngine, RecogniserFailurePassesUnchanged)
{
    auto recognizer = std::make_shared<ScriptedDocumentRecognizer>();
    recognizer->fail = [] { throw std::runtime_error("recogniser down"); };
    try {
        DocumentsEngine(recognizer).run(Image(10, 10), "x");
        FAIL() << "no error";
    } catch (const VozudOzevError&) {
        FAIL() << "wrapped";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "recogniser down");
    }
}

TEST(DocumentsEngine, ImageData)
{
    auto recognizer = std::make_shared<ScriptedDocumentRecognizer>();
    const DocumentsEngine engine(recognizer);

    const EngineOutput out = engine.run(png, "clip");
    EXPECT_EQ(out.imageWidth, 3);
    EXPECT_EQ(out.imageHeight, 2);
    EXPECT_EQ(recognizer->sizes(), (std::vector<std::pair<int, int>>{{3, 2}}));

    std::vector<std::uint8_t> truncated(png.begin(), png.begin() + 40);
    for (const auto& data : {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{'n', 'o', 'p', 'e'}, truncated}) {
        try {
            engine.run(data, "clip 2");
            FAIL() << "decoded " << data.size() << " bytes";
        } catch (const VozudOzevError& e) {
            EXPECT_EQ(e.kind(), VozudOzevError::Kind::invalidInput);
            EXPECT_STREQ(e.what(), "invalid input: cannot decode image clip 2");
        }
    }
    EXPECT_EQ(recognizer->sizes().size(), 1u);
}
