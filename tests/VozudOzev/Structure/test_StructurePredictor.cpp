#include "VozudOzev/Structure/StructurePredictor.hpp"

#include "Support/Canvas.hpp"
#include "Support/DecoderFixtures.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

namespace fs = std::filesystem;
using namespace VozudOzev;
using namespace TestSupport;

namespace {

// A ruled 3 x 4 grid over the designed table region of a 400 x 300 page, drawn at
// `scale` source pixels per page pixel.
Image page(int scale = 1)
{
    Image image = Canvas::plain(400 * scale, 300 * scale);
    for (int c = 0; c <= 3; ++c)
        Canvas::fill(image, (40 + c * 320 / 3) * scale, 60 * scale, 2 * scale, 200 * scale);
    for (int r = 0; r <= 4; ++r)
        Canvas::fill(image, 40 * scale, (60 + r * 50) * scale, 320 * scale, 2 * scale);
    return image;
}

// The designed cell (row, col, spans) and its box in page pixels: each cell of the grid
// with a margin of 0.02 of the table on every side.
StructureFile::SCell cell(int row, int col, int rowSpan, int colSpan, bool header, double scale)
{
    const double x0 = col / 3.0 + 0.02, x1 = (col + colSpan) / 3.0 - 0.02;
    const double y0 = row / 4.0 + 0.02, y1 = (row + rowSpan) / 4.0 - 0.02;
    return {row, col, rowSpan, colSpan,
            BBox{scale * (40 + 320 * x0), scale * (60 + 200 * y0), scale * 320 * (x1 - x0), scale * 200 * (y1 - y0)},
            header};
}

std::vector<StructureFile::SCell> designedCells(double scale)
{
    return {cell(0, 0, 1, 1, true, scale),  cell(0, 1, 1, 1, true, scale),  cell(0, 2, 1, 1, true, scale),
            cell(1, 0, 2, 1, false, scale), cell(1, 1, 1, 1, false, scale), cell(1, 2, 1, 1, false, scale),
            cell(2, 1, 1, 1, false, scale), cell(2, 2, 1, 1, false, scale), cell(3, 0, 1, 2, false, scale),
            cell(3, 2, 1, 1, false, scale)};
}

void expectNear(const BBox& got, const BBox& want)
{
    EXPECT_NEAR(got.x, want.x, 1e-3);
    EXPECT_NEAR(got.y, want.y, 1e-3);
    EXPECT_NEAR(got.w, want.w, 1e-3);
    EXPECT_NEAR(got.h, want.h, 1e-3);
}

void expectCells(const std::vector<StructureFile::SCell>& got, const std::vector<StructureFile::SCell>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].row, want[i].row);
        EXPECT_EQ(got[i].col, want[i].col);
        EXPECT_EQ(got[i].rowSpan, want[i].rowSpan);
        EXPECT_EQ(got[i].colSpan, want[i].colSpan);
        EXPECT_EQ(got[i].header, want[i].header);
        ASSERT_TRUE(got[i].bbox);
        expectNear(*got[i].bbox, *want[i].bbox);
    }
}

class StructurePredictorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vozudozev-predictor.XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        root = pattern;
    }
    void TearDown() override { fs::remove_all(root); }

    // A copy of the designed models with the layout model's outputs replaced.
    fs::path withLayout(const std::vector<double>& logits, const std::vector<double>& boxes, int queries)
    {
        const fs::path dir = root / "models";
        fs::copy(DecoderFixtures::folder("designed"), dir, fs::copy_options::recursive);
        const fs::path file = dir / "RizoviRarir.mlmodelc/model.json";
        auto doc = DecoderFixtures::readJSON(file);
        doc["outputs"]["logits"] = {{"shape", {1, queries, 12}}, {"values", logits}};
        doc["outputs"]["pred_boxes"] = {{"shape", {1, queries, 4}}, {"values", boxes}};
        std::ofstream(file) << doc.dump();
        return dir;
    }

    fs::path root;
};

}  // namespace

TEST_F(StructurePredictorTest, DesignedModelsTurnAPageIntoCells)
{
    const StructurePredictor predictor(ModelLocation(DecoderFixtures::folder("designed")), ComputeUnits::cpuAndGPU);
    StructurePredictor::Trace trace;
    const StructureFile file = predictor.predict(page(), Dpi{72, 72}, "capture", &trace);

    EXPECT_EQ(file.id, "capture");
    EXPECT_EQ(file.imageWidth, 400);
    EXPECT_EQ(file.imageHeight, 300);
    ASSERT_TRUE(file.elapsedMs);
    EXPECT_GT(*file.elapsedMs, 0);
    ASSERT_EQ(file.tables.size(), 1u);
    const auto& table = file.tables[0];
    EXPECT_EQ(table.rows, 4);
    EXPECT_EQ(table.cols, 3);
    ASSERT_TRUE(table.bbox);
    expectNear(*table.bbox, BBox{40, 60, 320, 200});
    expectCells(table.cells, designedCells(1));

    // A 72-dpi page is read as it is by the layout model and doubled for the structure model.
    EXPECT_EQ(trace.layoutImageSize, (std::pair<int, int>{400, 300}));
    ASSERT_EQ(trace.detections.size(), 1u);
    ASSERT_EQ(trace.tables.size(), 1u);
    EXPECT_EQ(trace.tables[0].pageImageSize, (std::pair<int, int>{800, 600}));
    EXPECT_EQ(trace.tables[0].tableBoxIn, (std::array<double, 4>{80, 120, 720, 520}));
    // s = 1024 / 600; crop from round(80 s) = 137 to round(720 s) = 1229, round(120 s) =
    // 205 to round(520 s) = 887.
    EXPECT_EQ(trace.tables[0].crop.width, 1229 - 137);
    EXPECT_EQ(trace.tables[0].crop.height, 887 - 205);
    EXPECT_EQ(trace.tables[0].rsSeq.size(), 16u);
    EXPECT_EQ(trace.tables[0].rsSeq.front(), "ched");

    // The structure file in its encodable form reads back the same.
    EXPECT_EQ(JSONIO::decode<StructureFile>(JSONIO::encode(file)), file);
}

TEST_F(StructurePredictorTest, ResolutionDecidesThePages)
{
    const StructurePredictor predictor(ModelLocation(DecoderFixtures::folder("designed")), ComputeUnits::cpuOnly);
    // At 144 dpi the layout page is half the image and the structure page is the image.
    StructurePredictor::Trace trace;
    const StructureFile file = predictor.predict(page(2), Dpi{144, 144}, std::nullopt, &trace);
    EXPECT_FALSE(file.id);
    EXPECT_EQ(trace.layoutImageSize, (std::pair<int, int>{400, 300}));
    ASSERT_EQ(trace.tables.size(), 1u);
    EXPECT_EQ(trace.tables[0].pageImageSize, (std::pair<int, int>{800, 600}));
    ASSERT_EQ(file.tables.size(), 1u);
    expectNear(*file.tables[0].bbox, BBox{80, 120, 640, 400});
    expectCells(file.tables[0].cells, designedCells(2));

    // A page one pixel wide at a high resolution still gives a layout page one pixel wide.
    StructurePredictor::Trace thin;
    predictor.predict(Canvas::plain(1, 300), Dpi{300, 300}, std::nullopt, &thin);
    EXPECT_EQ(thin.layoutImageSize, (std::pair<int, int>{1, 72}));

    EXPECT_THROW(predictor.predict(page(), Dpi{0, 72}), VozudOzevError);
    EXPECT_THROW(predictor.predict(page(), Dpi{NAN, 72}), VozudOzevError);
    EXPECT_THROW(predictor.predict(Image(), Dpi{72, 72}), VozudOzevError);
}

TEST_F(StructurePredictorTest, MissingModelFolderIsTheLayoutModelsError)
{
    try {
        StructurePredictor predictor(ModelLocation("/nonexistent/Models"), ComputeUnits::cpuAndGPU);
        FAIL();
    } catch (const VozudOzevError& e) {
        EXPECT_STREQ(e.what(), "invalid input: model RizoviRarir not found in /nonexistent/Models");
    }
}

TEST_F(StructurePredictorTest, UnusableRegionsStayAsEmptyTables)
{
    // Query 0: the designed table; query 1: a table wholly right of the page, clamped to
    // its edge (an empty crop); query 2: below the cut.
    std::vector<double> logits(36, -6.0);
    logits[8] = 4;
    logits[12 + 8] = 3;
    const std::vector<double> boxes = {0.5, 160.0 / 300, 0.8, 200.0 / 300, 1.5, 0.2, 0.2, 0.1, 0.5, 0.5, 0.1, 0.1};
    const StructurePredictor predictor(ModelLocation(withLayout(logits, boxes, 3)), ComputeUnits::cpuOnly);
    const StructureFile file = predictor.predict(page(), Dpi{72, 72});
    ASSERT_EQ(file.tables.size(), 2u);
    // Ordered by top: the edge region (top 45) comes first.
    EXPECT_EQ(file.tables[0].rows, 0);
    EXPECT_EQ(file.tables[0].cols, 0);
    EXPECT_TRUE(file.tables[0].cells.empty());
    expectNear(*file.tables[0].bbox, BBox{400, 45, 0, 30});
    EXPECT_EQ(file.tables[1].rows, 4);
    EXPECT_EQ(file.tables[1].cells.size(), 10u);
}

TEST_F(StructurePredictorTest, DecoderThatNeverEndsGivesAnEmptyTable)
{
    const fs::path dir = root / "models";
    fs::copy(DecoderFixtures::folder("designed"), dir, fs::copy_options::recursive);
    auto config = DecoderFixtures::readJSON(dir / "TableFormerConfig.json");
    config["max_steps"] = 8;
    std::ofstream(dir / "TableFormerConfig.json") << config.dump();
    const StructurePredictor predictor(ModelLocation(dir), ComputeUnits::cpuOnly);
    StructurePredictor::Trace trace;
    const StructureFile file = predictor.predict(page(), Dpi{72, 72}, std::nullopt, &trace);
    ASSERT_EQ(file.tables.size(), 1u);
    EXPECT_EQ(file.tables[0].rows, 0);
    EXPECT_TRUE(file.tables[0].cells.empty());
    ASSERT_TRUE(file.tables[0].bbox);
    EXPECT_EQ(trace.tables[0].rsSeq.size(), 8u);
}

TEST_F(StructurePredictorTest, NoRegionGivesNoTables)
{
    const StructurePredictor predictor(ModelLocation(withLayout(std::vector<double>(12, -3.0), {0.5, 0.5, 0.5, 0.5}, 1)),
                                       ComputeUnits::cpuOnly);
    StructurePredictor::Trace trace;
    const StructureFile file = predictor.predict(page(), Dpi{72, 72}, "x", &trace);
    EXPECT_TRUE(file.tables.empty());
    EXPECT_TRUE(trace.tables.empty());
    EXPECT_TRUE(file.elapsedMs);
}

TEST_F(StructurePredictorTest, ModelErrorsReachTheCaller)
{
    const fs::path dir = root / "models";
    fs::copy(DecoderFixtures::folder("designed"), dir, fs::copy_options::recursive);
    const fs::path file = dir / "TableFormerEncoder.mlmodelc/model.json";
    auto doc = DecoderFixtures::readJSON(file);
    doc["outputs"].erase("mem_v");
    std::ofstream(file) << doc.dump();
    const StructurePredictor predictor(ModelLocation(dir), ComputeUnits::cpuOnly);
    EXPECT_THROW(predictor.predict(page(), Dpi{72, 72}), VozudOzevError);
}
