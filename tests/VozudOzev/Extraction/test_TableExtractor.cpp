#include "Support/ScriptedRecognizer.hpp"

#include "VozudOzev/Extraction/TableExtractor.hpp"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

using namespace VozudOzev;
using TestSupport::ScriptedRecognizer;

namespace {

// A 200 x 60 page with a 2 x 2 table; the recogniser reads one word per cell.
std::shared_ptr<ScriptedRecognizer> pageReader()
{
    return std::make_shared<ScriptedRecognizer>([](const Image& img) {
        return std::vector{TestSupport::observation({{"Item", 10, 10, 40, 10}}, 0.9, img.width, img.height),
                           TestSupport::observation({{"Qty", 110, 10, 30, 10}}, 0.9, img.width, img.height),
                           TestSupport::observation({{"Tea", 10, 35, 30, 10}}, 0.9, img.width, img.height),
                           TestSupport::observation({{"5", 110, 35, 10, 10}}, 0.9, img.width, img.height)};
    });
}

StructureFile predicted(std::optional<double> elapsedMs)
{
    StructureFile f;
    f.imageWidth = 200;
    f.imageHeight = 60;
    f.elapsedMs = elapsedMs;
    StructureFile::STable t{2, 2, BBox{0, 0, 200, 60}, {}};
    t.cells = {{0, 0, 1, 1, BBox{0, 0, 100, 30}, true},
               {0, 1, 1, 1, BBox{100, 0, 100, 30}, true},
               {1, 0, 1, 1, BBox{0, 30, 100, 30}, false},
               {1, 1, 1, 1, BBox{100, 30, 100, 30}, false}};
    f.tables.push_back(t);
    return f;
}

TableExtractor extractor(std::shared_ptr<const TextRecognizer> reader, TableExtractor::Predict predict)
{
    StructureAssembler assembler(TextOCR{.languages = {"en-US"}});
    assembler.ocr.recognizer = std::move(reader);
    return TableExtractor(std::move(predict), assembler);
}

}  // namespace

TEST(TableExtractor, AssemblesPredictedCellsAndReportsTimings)
{
    const auto reader = pageReader();
    const TableExtractor e = extractor(reader, [](const Image&, Dpi, const std::string& id) {
        auto f = predicted(12.0);
        f.id = id;
        return f;
    });
    const auto x = e.extract(Image(200, 60), {144, 144}, "capture");

    ASSERT_EQ(x.output.tables.size(), 1u);
    EXPECT_EQ(x.output.tables[0].grid(), (std::vector<std::vector<std::string>>{{"Item", "Qty"}, {"Tea", "5"}}));
    EXPECT_EQ(x.output.id, "capture");
    EXPECT_EQ(x.structure, ([] {
                  auto f = predicted(12.0);
                  f.id = "capture";
                  return f;
              }()));
    EXPECT_EQ(x.lines.size(), 4u);
    EXPECT_EQ(x.timing.structure, 12.0);
    EXPECT_GE(x.timing.total, x.timing.ocr);
    EXPECT_EQ(x.plainText(), "Item\nQty\nTea\n5");

    ASSERT_FALSE(x.output.notes.empty());
    EXPECT_EQ(x.output.notes.back().rfind("parallel: ocr ", 0), 0u) << x.output.notes.back();
    EXPECT_NE(x.output.notes.back().find(", structure 12 ms, total "), std::string::npos);
    for (const std::string& n : x.output.notes)
        EXPECT_NE(n.rfind("structure model elapsed_ms=", 0), 0u) << n;
}

TEST(TableExtractor, AbsentStructureTimeCountsAsZero)
{
    const TableExtractor e = extractor(pageReader(), [](const Image&, Dpi, const std::string&) { return predicted({}); });
    const auto x = e.extract(Image(200, 60), {}, "id");
    EXPECT_EQ(x.timing.structure, 0);
    EXPECT_NE(x.output.notes.back().find(", structure 0 ms, "), std::string::npos) << x.output.notes.back();
}

TEST(TableExtractor, PredictionErrorWinsAndOCRAlwaysEnds)
{
    const struct {
        bool ocrFails;
        bool predictionFails;
        const char* want;  // nullptr: no error
    } cases[] = {{false, false, nullptr}, {true, false, "ocr down"}, {false, true, "model down"}, {true, true, "model down"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ocrFails << c.predictionFails);
        auto reader = pageReader();
        if (c.ocrFails)
            reader->failWith("ocr down");
        const TableExtractor e = extractor(reader, [&](const Image&, Dpi, const std::string&) {
            if (c.predictionFails)
                throw std::runtime_error("model down");
            return predicted(1.0);
        });
        try {
            e.extract(Image(200, 60), {}, "id");
            EXPECT_EQ(c.want, nullptr);
        } catch (const std::runtime_error& err) {
            ASSERT_NE(c.want, nullptr);
            EXPECT_STREQ(err.what(), c.want);
        }
        EXPECT_EQ(reader->calls().size(), 1u) << "the OCR job ran and ended";
    }
}

TEST(TableExtractor, TwoExtractionsAtOnceMatchOneAtATime)
{
    const TableExtractor e = extractor(pageReader(), [](const Image&, Dpi, const std::string&) { return predicted(1.0); });
    const Image image(200, 60);
    const auto alone = e.extract(image, {}, "id");
    std::vector<TableExtraction::Extraction> results(2);
    {
        std::jthread a([&] { results[0] = e.extract(image, {}, "id"); });
        std::jthread b([&] { results[1] = e.extract(image, {}, "id"); });
    }
    for (const auto& r : results) {
        EXPECT_EQ(r.output.tables, alone.output.tables);
        EXPECT_EQ(r.lines, alone.lines);
    }
}

TEST(TableExtractor, MissingModelFolderIsTheLoadError)
{
    try {
        TableExtractor e(ModelLocation(testing::TempDir() + "/no-models-here"), ComputeUnits::cpuAndGPU,
                         StructureAssembler::recommended());
        ADD_FAILURE() << "built without models";
    } catch (const std::exception& err) {
        EXPECT_NE(std::string(err.what()).find("not found in"), std::string::npos) << err.what();
    }
}
