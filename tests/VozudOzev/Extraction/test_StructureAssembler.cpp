#include "Support/Canvas.hpp"
#include "Support/FixedTextRecognizer.hpp"
#include "Support/OCRBuilders.hpp"
#include "Support/ScriptedRecognizer.hpp"

#include "VozudOzev/Model/Clock.hpp"
#include "VozudOzev/OCR/ImageLoader.hpp"
#include "VozudOzev/Extraction/StructureAssembler.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

using namespace VozudOzev;
using namespace TestSupport;
using OCRBuilders::line;
using OCRBuilders::word;

namespace {

using Options = StructureAssembler::Options;

StructureAssembler assemblerWith(std::shared_ptr<const TextRecognizer> recognizer, Options options = Options())
{
    TextOCR ocr{.languages = {"vi-VT", "en-US"}};
    ocr.recognizer = std::move(recognizer);
    return StructureAssembler(std::move(ocr), options);
}

// A recogniser that reads the given text in every crop (nothing for "").
std::shared_ptr<ScriptedRecognizer> reading(const std::string& text)
{
    return std::make_shared<ScriptedRecognizer>([text](const Image& image) {
        if (text.empty())
            return std::vector<ScriptedRecognizer::Observation>{};
        return std::vector{observation({{text, 2, 2, image.width / 2.0, image.height / 2.0}}, 0.99, image.width,
                                       image.height)};
    });
}

// rows x cols words "wRC" at x = 10 + 100 c, y = 10 + 40 r, 40 x 20 px.
std::vector<OCRLine> gridLines(int rows, int cols, int limit = 1000)
{
    std::vector<OCRLine> lines;
    int n = 0;
    for (int r = 0; r < rows; ++r) {
        std::vector<OCRWord> ws;
        for (int c = 0; c < cols && n < limit; ++c, ++n)
            ws.push_back(word("w" + std::to_string(r) + std::to_string(c), 10 + 100 * c, 10 + 40 * r, 40, 20));
        if (!ws.empty())
            lines.push_back(line(ws));
    }
    return lines;
}

// A rows x cols structure table of 100 x 40 cells from the origin, in image pixels.
StructureFile::STable gridTable(int rows, int cols)
{
    StructureFile::STable t;
    t.rows = rows;
    t.cols = cols;
    t.bbox = BBox{0, 0, 100.0 * cols, 40.0 * rows};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            t.cells.push_back({r, c, 1, 1, BBox{100.0 * c, 40.0 * r, 100, 40}, r == 0});
    return t;
}

StructureFile structureOf(std::vector<StructureFile::STable> tables, int w = 400, int h = 200)
{
    StructureFile f;
    f.imageWidth = w;
    f.imageHeight = h;
    f.tables = std::move(tables);
    return f;
}

const Cell* cellAt(const Table& t, int row, int col)
{
    for (const Cell& c : t.cells)
        if (c.row == row && c.col == col)
            return &c;
    return nullptr;
}


int switchedOn(const Options& o)
{
    int n = 0;
    for (const auto& [name, member] : StructureAssembler::switches)
        n += o.*member;
    return n;
}

}  // namespace

TEST(StructureAssembler, EachShortNameSwitchesItsOwnPass)
{
    // Every field is a switch: one name each.
    static_assert(std::size(StructureAssembler::switches) == sizeof(Options));
    EXPECT_EQ(switchedOn(Options()), 0);
    for (const auto& [name, member] : StructureAssembler::switches) {
        SCOPED_TRACE(name);
        Options o;
        o.apply({name});
        EXPECT_TRUE(o.*member);
        EXPECT_EQ(switchedOn(o), 1);
        o.apply({std::string("-") + name});
        EXPECT_EQ(o, Options());
    }
}

TEST(StructureAssembler, ApplySkipsEmptyNamesAndReturnsUnknownOnes)
{
    Options o = StructureAssembler::recommended().options;
    const std::vector<std::string> unknown = o.apply({"-reOCR", "", "nope", "-gone", "dashWidth"});
    Options want = StructureAssembler::recommended().options;
    want.reOCREmptyCells = false;
    want.dashWidth = true;
    EXPECT_EQ(o, want);
    EXPECT_EQ(unknown, (std::vector<std::string>{"nope", "gone"}));
}

TEST(StructureAssembler, RecommendedPreset)
{
    const StructureAssembler a = StructureAssembler::recommended();
    EXPECT_EQ(a.ocr.languages, (std::vector<std::string>{"vi-VT", "en-US"}));
    EXPECT_FALSE(a.ocr.autoDetectLanguage);
    EXPECT_FALSE(a.ocr.languageCorrection);
    EXPECT_FALSE(a.ocr.minimumTextHeight);
    EXPECT_FALSE(a.ocr.fastLevel);
    EXPECT_EQ(a.ocr.upscale, 1.0);
    EXPECT_EQ(switchedOn(a.options), 14);
    EXPECT_FALSE(a.options.preferDecimalComma);
    EXPECT_FALSE(a.options.forceFallback);
    EXPECT_FALSE(a.options.dashWidth);
}

TEST(StructureAssembler, NeedsFallbackAndMedianHeight)
{
    const Table t1x3{0, 1, 3, {}, std::nullopt};
    const Table t2x2{0, 2, 2, {}, std::nullopt};
    const struct {
        const char* name;
        std::vector<Table> tables;
        int total, used;
        bool want;
    } cases[] = {
        {"no tables, no words", {}, 0, 0, false},  {"no tables, one word", {}, 1, 0, true},
        {"under four slots", {t1x3}, 1, 1, true},  {"under four slots, no words", {t1x3}, 0, 0, false},
        {"20 words, 4 used", {t2x2}, 20, 4, true}, {"19 words, 4 used", {t2x2}, 19, 4, false},
        {"20 words, 5 used", {t2x2}, 20, 5, false}, {"the largest table counts", {t1x3, t2x2}, 10, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StructureAssembler::needsFallback(c.tables, c.total, c.used), c.want);
    }

    EXPECT_EQ(StructureAssembler::medianHeight({}), 20);
    EXPECT_EQ(StructureAssembler::medianHeight({word("a", 0, 0, 1, 4), word("b", 0, 0, 1, 1), word("c", 0, 0, 1, 3),
                                                word("d", 0, 0, 1, 2)}),
              3);
}

TEST(StructureAssembler, EmptyStructureAndNoWords)
{
    const Image image = Canvas::plain(300, 200);
    const EngineOutput out =
        assemblerWith(reading(""), StructureAssembler::recommended().options).run(structureOf({}), image, "x", {}, Clock::now());
    EXPECT_EQ(out.id, "x");
    EXPECT_EQ(out.engine, "tf_struct");
    EXPECT_EQ(out.imageWidth, 300);
    EXPECT_EQ(out.imageHeight, 200);
    EXPECT_EQ(out.confidenceSource, std::optional<std::string>("line"));
    EXPECT_TRUE(out.tables.empty());
    EXPECT_FALSE(out.selectedTable);
    EXPECT_TRUE(out.notes.empty());
    EXPECT_GE(out.elapsedMs, 0);
}

TEST(StructureAssembler, PlacesWordsInScaledCellsAndNotesDropsAndModelTime)
{
    // The structure was predicted on an image half the size.
    StructureFile::STable t;
    t.rows = 2;
    t.cols = 2;
    t.bbox = BBox{0, 0, 100, 40};
    t.cells = {{0, 0, 1, 1, BBox{0, 0, 50, 20}, true},
               {0, 1, 1, 1, BBox{50, 0, 50, 20}, std::nullopt},
               {1, 0, 1, 2, BBox{0, 20, 100, 20}, false}};
    StructureFile f = structureOf({t}, 200, 100);
    f.elapsedMs = 12.5;
    const std::vector<OCRLine> lines = {
        line({word("Name", 10, 10, 40, 20)}, 0.9), line({word("Qty", 110, 10, 30, 20)}, 0.7),
        line({word("left", 10, 50, 30, 20)}, 0.8), line({word("right", 120, 52, 40, 20)}, 0.6),
        line({word("outside", 300, 150, 60, 20)}),
    };
    const EngineOutput out = assemblerWith(reading("")).run(f, Canvas::plain(400, 200), "id", lines, Clock::now());
    ASSERT_EQ(out.tables.size(), 1u);
    const Table& table = out.tables[0];
    EXPECT_EQ(table.bbox, (BBox{0, 0, 200, 80}));
    EXPECT_EQ(table.rows, 2);
    EXPECT_EQ(table.cols, 2);
    ASSERT_EQ(table.cells.size(), 3u);
    EXPECT_EQ(table.cells[0], (Cell{0, 0, 1, 1, "Name", 0.9, BBox{0, 0, 100, 40}, std::nullopt, true}));
    EXPECT_EQ(table.cells[1], (Cell{0, 1, 1, 1, "Qty", 0.7, BBox{100, 0, 100, 40}, std::nullopt, std::nullopt}));
    EXPECT_EQ(table.cells[2], (Cell{1, 0, 1, 2, "left right", 0.6, BBox{0, 40, 200, 40}, std::nullopt, std::nullopt}));
    EXPECT_EQ(out.selectedTable, std::optional<int>(0));
    EXPECT_EQ(out.notes, (std::vector<std::string>{"1 OCR words outside every predicted cell (dropped)",
                                                   "structure model elapsed_ms=12 (not included in elapsed_ms)"}));

    f.elapsedMs = 13.5;
    const EngineOutput again = assemblerWith(reading("")).run(f, Canvas::plain(400, 200), "id", lines, Clock::now());
    EXPECT_EQ(again.notes.back(), "structure model elapsed_ms=14 (not included in elapsed_ms)");
}

TEST(StructureAssembler, StructureSizeZeroCountsAsOne)
{
    StructureFile::STable t;
    t.rows = 1;
    t.cols = 1;
    t.cells = {{0, 0, 1, 1, BBox{0, 0, 0.5, 0.5}, false}};
    const EngineOutput out =
        assemblerWith(reading("")).run(structureOf({t}, 0, 0), Canvas::plain(200, 100), "id", {}, Clock::now());
    ASSERT_EQ(out.tables.size(), 1u);
    EXPECT_EQ(out.tables[0].cells[0].bbox, (BBox{0, 0, 100, 50}));
    EXPECT_FALSE(out.tables[0].bbox);
}

TEST(StructureAssembler, TextGridFallbackWhenFewWordsArePlaced)
{
    Options on;
    on.fallbackToTextGrid = true;
    const StructureFile f = structureOf({gridTable(2, 2)}, 400, 200);
    const Image image = Canvas::plain(400, 200);

    // 20 words, 4 of them in the 2 x 2 table: the grid of all words replaces it.
    const EngineOutput out = assemblerWith(reading(""), on).run(f, image, "id", gridLines(5, 4), Clock::now());
    ASSERT_EQ(out.tables.size(), 1u);
    EXPECT_EQ(out.tables[0].rows, 5);
    EXPECT_EQ(out.tables[0].cols, 4);
    EXPECT_EQ(out.engine, "tf_struct");
    EXPECT_EQ(out.notes, (std::vector<std::string>{
                             "16 OCR words outside every predicted cell (dropped)",
                             "fallback: structure model found no usable table, used text-grid (B) on the same OCR"}));
    for (const Cell& c : out.tables[0].cells) {
        EXPECT_FALSE(c.header);
        EXPECT_FALSE(c.flags);
        EXPECT_EQ(c.confidence, 0.9);  // one token per cell: no cap
    }

    // 19 words: the structure table stays.
    const EngineOutput kept = assemblerWith(reading(""), on).run(f, image, "id", gridLines(5, 4, 19), Clock::now());
    ASSERT_EQ(kept.tables.size(), 1u);
    EXPECT_EQ(kept.tables[0].rows, 2);
    EXPECT_EQ(kept.notes.size(), 1u);

    // Switched off: no fallback however few words are placed.
    const EngineOutput off = assemblerWith(reading("")).run(f, image, "id", gridLines(5, 4), Clock::now());
    EXPECT_EQ(off.tables[0].rows, 2);
}

TEST(StructureAssembler, AlignedTextFallbackCountsBlocks)
{
    Options on;
    on.fallbackToTextGrid = true;
    on.alignedTextFallback = true;
    on.forceFallback = true;
    const StructureFile f = structureOf({gridTable(5, 4)}, 400, 200);
    const EngineOutput out =
        assemblerWith(reading(""), on).run(f, Canvas::plain(400, 200), "id", gridLines(5, 4), Clock::now());
    ASSERT_FALSE(out.tables.empty());
    EXPECT_EQ(out.notes.back(), "fallback: structure model found no usable table, used aligned-text columns ("
                                    + std::to_string(out.tables.size()) + " blocks)");
    for (const Table& t : out.tables)
        for (const Cell& c : t.cells)
            EXPECT_FALSE(c.header);
}

TEST(StructureAssembler, TextGridFallbackDistrustsCellsWithTwoNumbers)
{
    Options on;
    on.fallbackToTextGrid = true;
    std::vector<OCRLine> lines;
    for (int r = 0; r < 4; ++r)
        lines.push_back(line({word("Item", 10, 10 + 40 * r, 40, 20, 0.9), word("12", 150, 10 + 40 * r, 16, 20, 0.9),
                              word("34", 170, 10 + 40 * r, 16, 20, 0.9)}));
    const EngineOutput out =
        assemblerWith(reading(""), on).run(structureOf({}), Canvas::plain(400, 200), "id", lines, Clock::now());
    ASSERT_EQ(out.tables.size(), 1u);
    for (const Cell& c : out.tables[0].cells)
        EXPECT_EQ(c.confidence, c.text == "12 34" ? 0.5 : 0.9) << c.text;
}

TEST(StructureAssembler, ReOCRReadsEmptyCellsFromEnlargedCrops)
{
    Options on;
    on.reOCREmptyCells = true;
    const auto recognizer = reading("42");
    const std::vector<OCRLine> lines = {line({word("w00", 10, 10, 40, 20), word("w01", 110, 10, 40, 20)}),
                                        line({word("w10", 10, 50, 40, 20)})};
    Image image = Canvas::plain(400, 200);
    Canvas::fill(image, 140, 52, 12, 16, 0);  // something written in cell (1, 1)
    const EngineOutput out = assemblerWith(recognizer, on).run(structureOf({gridTable(2, 2)}), image, "id", lines,
                                                               Clock::now());
    const Cell* filled = cellAt(out.tables[0], 1, 1);
    ASSERT_TRUE(filled);
    EXPECT_EQ(filled->text, "42");
    EXPECT_EQ(filled->confidence, 0.5);
    EXPECT_EQ(out.notes, (std::vector<std::string>{"table 0: re-OCR filled 1 empty cells"}));
    // Cell (100, 40, 100, 40) padded by 6 px and enlarged three times; no minimum height.
    const auto calls = recognizer->calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].width, 336);
    EXPECT_EQ(calls[0].height, 156);
    EXPECT_EQ(calls[0].request.minimumTextHeight, std::optional<float>(0.0f));
    EXPECT_EQ(calls[0].request.languages, (std::vector<std::string>{"vi-VT", "en-US"}));

    // With the pass off nothing is read again.
    const auto idle = reading("42");
    const EngineOutput plain = assemblerWith(idle).run(structureOf({gridTable(2, 2)}), image, "id", lines, Clock::now());
    EXPECT_EQ(cellAt(plain.tables[0], 1, 1)->text, "");
    EXPECT_FALSE(cellAt(plain.tables[0], 1, 1)->confidence);
    EXPECT_TRUE(idle->calls().empty());
}

TEST(StructureAssembler, EmptyCellWithADrawnDash)
{
    Options on;
    on.reOCREmptyCells = true;
    on.dashComponents = true;
    Image image = Canvas::plain(400, 200);
    Canvas::fill(image, 140, 59, 12, 2, 0);  // inside cell (1, 1)
    const std::vector<OCRLine> lines = {line({word("w00", 10, 10, 40, 20), word("w01", 110, 10, 40, 20)}),
                                        line({word("w10", 10, 50, 40, 20)})};
    const EngineOutput out =
        assemblerWith(reading(""), on).run(structureOf({gridTable(2, 2)}), image, "id", lines, Clock::now());
    EXPECT_EQ(cellAt(out.tables[0], 1, 1)->text, "–");
    EXPECT_EQ(cellAt(out.tables[0], 1, 1)->confidence, 0.5) << "read from pixels: no more trusted than a re-read";
    EXPECT_EQ(out.notes, (std::vector<std::string>{"table 0: 1 empty cells read as a dash"}));
}

TEST(StructureAssembler, DecimalCommaConfirmedByRereading)
{
    Options on;
    on.checkDecimalSeparators = true;
    StructureFile::STable t = gridTable(4, 1);
    const std::vector<OCRLine> lines = {line({word("Price", 10, 10, 40, 20)}), line({word("12,5", 10, 50, 40, 20)}),
                                        line({word("3,25", 10, 90, 40, 20)}), line({word("7.5", 10, 130, 30, 20)})};
    const EngineOutput out =
        assemblerWith(reading("7,5"), on).run(structureOf({t}), Canvas::plain(400, 200), "id", lines, Clock::now());
    EXPECT_EQ(cellAt(out.tables[0], 3, 0)->text, "7,5");
    EXPECT_EQ(cellAt(out.tables[0], 3, 0)->confidence, 0.5);
    EXPECT_EQ(out.notes, (std::vector<std::string>{
                             "table 0: decimal comma confirmed in 1 cells, 0 re-read and flagged, 0 flagged"}));
}

TEST(StructureAssembler, RereadingErrorsAreThrown)
{
    Options on;
    on.reOCREmptyCells = true;
    const auto recognizer = reading("");
    recognizer->failWith("recogniser down");
    const StructureAssembler a = assemblerWith(recognizer, on);
    Image image = Canvas::plain(400, 200);
    Canvas::fill(image, 40, 12, 12, 16, 0);
    EXPECT_THROW(a.run(structureOf({gridTable(2, 2)}), image, "id", {}, Clock::now()), std::runtime_error);
    // The form that reads the page itself throws the page's OCR error as well.
    EXPECT_THROW(assemblerWith(recognizer).run(structureOf({}), Canvas::plain(400, 200), "id"), std::runtime_error);
}

TEST(StructureAssembler, RunReadsThePageWithItsOwnOCR)
{
    const auto page = std::make_shared<FixedTextRecognizer>(gridLines(2, 2));
    const EngineOutput out = assemblerWith(page).run(structureOf({gridTable(2, 2)}), Canvas::plain(400, 200), "id");
    EXPECT_EQ(cellAt(out.tables[0], 1, 1)->text, "w11");
    EXPECT_EQ(page->calls(), 1);
}

TEST(StructureAssembler, RereadCropsArePaddedClampedAndEnlarged)
{
    const auto recognizer = reading("7");
    const StructureAssembler a = assemblerWith(recognizer);
    const Image image = Canvas::plain(400, 200);
    EXPECT_EQ(a.reread(image, {395, 195, 10, 10}), std::optional<std::string>("7"));
    EXPECT_EQ(a.reread(image, {10.5, 10.2, 20, 20}), std::optional<std::string>("7"));
    EXPECT_EQ(a.reread(image, {500, 500, 10, 10}), std::nullopt);  // nothing of it on the image
    EXPECT_EQ(a.reread(Canvas::plain(1, 1), {0, 0, 1, 1}), std::nullopt);
    const auto calls = recognizer->calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(std::pair(calls[0].width, calls[0].height), std::pair(33, 33));  // 389...400, 189...200
    EXPECT_EQ(std::pair(calls[1].width, calls[1].height), std::pair(99, 99));  // 4...37, 4...37

    EXPECT_EQ(assemblerWith(reading("")).reread(image, {10, 10, 20, 20}), std::nullopt);
}

TEST(StructureAssembler, TwoThreadsGetTheSameResultsAsOne)
{
    const StructureAssembler a = assemblerWith(reading("42"), StructureAssembler::recommended().options);
    const StructureFile f = structureOf({gridTable(3, 3)});
    Image image = Canvas::plain(400, 200);
    Canvas::fill(image, 240, 59, 16, 2, 0);    // a dash in cell (1, 2)
    Canvas::fill(image, 140, 92, 12, 16, 0);   // something to re-read in cell (2, 1)
    const std::vector<OCRLine> lines = gridLines(2, 3);
    const auto strip = [](EngineOutput o) {
        o.elapsedMs = 0;
        return o;
    };
    const EngineOutput alone = strip(a.run(f, image, "id", lines, Clock::now()));
    EngineOutput first, second;
    std::thread t1([&] { first = strip(a.run(f, image, "id", lines, Clock::now())); });
    std::thread t2([&] { second = strip(a.run(f, image, "id", lines, Clock::now())); });
    t1.join();
    t2.join();
    EXPECT_EQ(first, alone);
    EXPECT_EQ(second, alone);
    EXPECT_FALSE(alone.notes.empty());
}

TEST(StructureAssembler, NotesOfTheNumberAndColumnPasses)
{
    Options malformed;
    malformed.rereadMalformedNumbers = true;
    const std::vector<OCRLine> amounts = {line({word("Amount", 10, 10, 60, 20)}), line({word("1.234.567", 10, 50, 70, 20)}),
                                          line({word("25.000", 10, 90, 50, 20)}), line({word("1.25.000", 10, 130, 60, 20)})};
    const EngineOutput fixed = assemblerWith(reading("1.250.000"), malformed)
                                   .run(structureOf({gridTable(4, 1)}), Canvas::plain(400, 200), "id", amounts, Clock::now());
    EXPECT_EQ(cellAt(fixed.tables[0], 3, 0)->text, "1.250.000");
    EXPECT_EQ(fixed.notes, (std::vector<std::string>{"table 0: malformed numbers re-read 1, flagged 0"}));

    Options codes;
    codes.splitCodeColumn = true;
    std::vector<OCRLine> items = {line({word("Item", 10, 10, 40, 20), word("Qty", 110, 10, 30, 20)})};
    for (int r = 1; r < 4; ++r)
        items.push_back(line({word("A-" + std::to_string(r), 10, 10 + 40 * r, 30, 20),
                              word("Widget", 70, 10 + 40 * r, 28, 20), word("5", 110, 10 + 40 * r, 10, 20)}));
    const EngineOutput split =
        assemblerWith(reading(""), codes).run(structureOf({gridTable(4, 2)}), Canvas::plain(400, 200), "id", items, Clock::now());
    EXPECT_EQ(split.tables[0].cols, 3);
    EXPECT_EQ(cellAt(split.tables[0], 2, 0)->text, "A-2");
    EXPECT_EQ(cellAt(split.tables[0], 2, 1)->text, "Widget");
    EXPECT_EQ(cellAt(split.tables[0], 2, 2)->text, "5");
    EXPECT_EQ(split.notes, (std::vector<std::string>{"table 0: split line-item codes into their own column"}));
}

TEST(StructureAssembler, RereadsWithheldRowsOfARealImage)
{
    // The text grid's cells stand in for a predicted structure; the words of one line are
    // withheld, so its cells are empty and only the crops can give their texts back.
    const Image image = ImageLoader::load(std::string(VANTREL_SOURCE_DIR) + "/tests/fixtures/images/table-unruled.png");
    StructureAssembler a = StructureAssembler::recommended();
    const std::vector<OCRLine> lines = a.ocr.recognize(image);
    std::vector<std::string> discarded;
    const std::optional<Table> grid = TextGridEngine(TextGridEngine::RuledLines::ignored, a.ocr).build(lines, &image, discarded);
    ASSERT_TRUE(grid);
    StructureFile::STable t{grid->rows, grid->cols, grid->bbox, {}};
    for (const Cell& c : grid->cells)
        t.cells.push_back({c.row, c.col, c.rowSpan, c.colSpan, c.bbox, c.row == 0});
    const StructureFile f = structureOf({t}, image.width, image.height);
    std::vector<OCRLine> withheld = lines;
    ASSERT_GT(withheld.size(), 3u);
    withheld.erase(withheld.begin() + 2);

    const EngineOutput full = a.run(f, image, "id", lines, Clock::now());
    const EngineOutput reread = a.run(f, image, "id", withheld, Clock::now());
    ASSERT_EQ(reread.tables.size(), 1u);
    int filled = 0;
    for (size_t i = 0; i < full.tables[0].cells.size(); ++i) {
        const Cell& want = full.tables[0].cells[i];
        const Cell& got = reread.tables[0].cells[i];
        EXPECT_EQ(got.text, want.text);
        if (got.confidence == 0.5 && want.confidence != 0.5)
            ++filled;
    }
    EXPECT_GT(filled, 0);
    EXPECT_EQ(reread.notes.front(), "table 0: re-OCR filled " + std::to_string(filled) + " empty cells");
}
