#include "VozudOzev/Structure/LayoutDetector.hpp"

#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

namespace fs = std::filesystem;
using namespace VozudOzev;
using Detection = LayoutDetector::Detection;

namespace {

const fs::path designed = fs::path(VANTREL_SOURCE_DIR) / "tools/fixtures/tableformer/designed";

LayoutCluster cluster(int id, int label, double conf, double l, double t, double r, double b)
{
    return {id, label, conf, l, t, r, b};
}

std::vector<int> ids(const std::vector<LayoutCluster>& cs)
{
    std::vector<int> out;
    for (const auto& c : cs)
        out.push_back(c.id);
    return out;
}

}  // namespace

TEST(LayoutDetector, InputIsPlanarBytesTimesTheReciprocal)
{
    Image flat(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            flat.pixel(x, y)[0] = 10;
            flat.pixel(x, y)[1] = 128;
            flat.pixel(x, y)[2] = 201;
        }
    const auto in = LayoutDetector::input(RGBImage(flat));
    ASSERT_EQ(in.size(), 1'228'800u);
    constexpr float k = 1.0f / 255.0f;
    EXPECT_EQ(in[0], 10 * k);
    EXPECT_EQ(in[409'600 + 641], 128 * k);
    EXPECT_EQ(in[819'200 + 409'599], 201 * k);

    // Red on the left, blue on the right: planes in R, G, B order, rows of 640.
    Image split(2, 1);
    split.rgb = {255, 0, 0, 0, 0, 255};
    const auto s = LayoutDetector::input(RGBImage(split));
    EXPECT_EQ(s[0], 1.0f);
    EXPECT_EQ(s[639], 0.0f);
    EXPECT_EQ(s[819'200], 0.0f);
    EXPECT_EQ(s[819'200 + 639], 1.0f);
    EXPECT_EQ(s[819'200 + 640 * 639 + 639], 1.0f);
}

TEST(LayoutDetector, Postprocess)
{
    // Two queries, three classes; boxes (cx, cy, w, h) per query.
    const std::vector<float> boxes = {0.5f, 0.25f, 0.5f, 0.5f, 0.25f, 0.5f, 0.5f, 1.0f};
    const struct {
        const char* name;
        std::vector<float> logits;
        int classes;
        std::vector<std::pair<int, int>> want;  // (label, query)
    } cases[] = {
        {"score just above 0.3 is kept, just below stops", {-0.84f, -0.85f, -5, -5, -5, -5}, 3, {{0, 0}}},
        {"equal scores keep the lower index first", {1, -5, 2, -5, -5, 2}, 3, {{2, 0}, {2, 1}}},
        {"at most as many as queries", {3, 2, 1, 3, 2, 1}, 3, {{0, 0}, {0, 1}}},
        {"one query with two labels", {4, 3, -9, -9, -9, -9}, 3, {{0, 0}, {1, 0}}},
        {"no classes", {4, 3}, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d = LayoutDetector::postprocess(c.logits, boxes, c.classes, 200, 100);
        std::vector<std::pair<int, int>> got;
        for (const auto& x : d)
            got.emplace_back(x.label, x.box[0] == 50 ? 0 : 1);
        EXPECT_EQ(got, c.want);
    }
    const auto d = LayoutDetector::postprocess({-9, 3, -9, -9, -9, -9}, boxes, 3, 200, 100);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].box, (std::vector<double>{50, 0, 150, 50}));
    EXPECT_DOUBLE_EQ(d[0].score, static_cast<double>(1.0f / (1.0f + std::exp(-3.0f))));
    // A query without its four box values is refused, not read past the end.
    EXPECT_THROW(LayoutDetector::postprocess({-9, -9, -9, -9, -9, 3}, {0.5f, 0.5f, 0.1f, 0.1f}, 3, 10, 10),
                 VozudOzevError);
    // NaN logits are no detections.
    EXPECT_TRUE(LayoutDetector::postprocess({NAN, NAN}, {0, 0, 0, 0}, 2, 10, 10).empty());
}

TEST(LayoutDetector, TableClusters)
{
    // Detections in a 100 x 50 image, page 200 x 100 (scale 2).
    const struct {
        const char* name;
        std::vector<Detection> detections;
        std::vector<int> want;  // ids in output order
    } cases[] = {
        {"thresholds per label",
         {{11, 0.45, {0, 0, 10, 10}}, {8, 0.49, {20, 0, 30, 10}}, {8, 0.5, {40, 0, 50, 10}}, {3, 0.9, {60, 0, 70, 10}}},
         {0, 2}},
        // Over 0.8 IoU the two already form one group of the overlap removal, where the
        // larger wins unless the other is more than 0.2 more confident.
        {"an index and a table over one region: the larger wins",
         {{11, 0.75, {0, 0, 40, 19}}, {8, 0.8125, {0, 0, 40, 20}}}, {1}},
        {"an index and a table apart both stay", {{8, 0.875, {0, 0, 40, 20}}, {11, 0.75, {0, 10, 40, 30}}}, {0, 1}},
        {"ordered by top, then left", {{8, 0.9, {50, 10, 60, 20}}, {8, 0.9, {0, 30, 10, 40}}, {8, 0.9, {10, 10, 20, 20}}},
         {2, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ids(LayoutDetector::tableClusters(c.detections, 100, 50, 200, 100)), c.want);
    }
    const auto clamped = LayoutDetector::tableClusters({{8, 0.9, {-5, 10, 120, 60}}}, 100, 50, 199.5, 99.5);
    ASSERT_EQ(clamped.size(), 1u);
    EXPECT_EQ(clamped[0], cluster(0, 8, 0.9, 0, 19.9, 199.5, 99.5));
}

TEST(LayoutDetector, RemoveOverlapping)
{
    const struct {
        const char* name;
        std::vector<LayoutCluster> clusters;
        std::vector<int> want;
    } cases[] = {
        {"nested: the larger wins", {cluster(1, 8, 0.75, 0, 0, 10, 10), cluster(4, 8, 0.875, 1, 1, 9, 9)}, {1}},
        {"the smaller wins when far more confident and at least half the area",
         {cluster(1, 8, 0.5, 0, 0, 10, 10), cluster(4, 8, 0.75, 0, 0, 10, 6)}, {4}},
        {"not when under half the area", {cluster(1, 8, 0.5, 0, 0, 10, 10), cluster(4, 8, 0.75, 0, 0, 10, 4.5)}, {1}},
        {"joins are transitive",
         {cluster(7, 8, 0.6, 0, 0, 10, 10), cluster(3, 8, 0.6, 0, 0, 10, 8.5), cluster(9, 8, 0.6, 0, 0, 10, 7.5),
          cluster(2, 8, 0.6, 50, 50, 60, 60)},
         {7, 2}},
        {"everyone outvoted takes the first",
         {cluster(5, 8, 0.25, 0, 0, 10, 10), cluster(6, 8, 0.5, 0, 0, 10, 10), cluster(8, 8, 0.75, 0, 0, 10, 10)},
         {8}},
        {"empty boxes never join", {cluster(1, 8, 0.9, 5, 5, 5, 9), cluster(2, 8, 0.9, 0, 0, 10, 10)}, {1, 2}},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ids(LayoutDetector::removeOverlapping(c.clusters, 2.0, 0.2)), c.want);
    }
    // All outvoted: a member is outvoted by any more confident comparable one.
    const auto cyclic = LayoutDetector::removeOverlapping(
        {cluster(1, 8, 0.5, 0, 0, 10, 10), cluster(2, 8, 0.8, 0, 0, 10, 3), cluster(3, 8, 0.1, 0, 0, 10, 10)}, 2.0, 0.2);
    EXPECT_EQ(ids(cyclic), (std::vector<int>{1}));
}

TEST(LayoutDetector, DetectRunsTheModel)
{
    const LayoutDetector detector(ModelLocation(designed), ComputeUnits::cpuOnly);
    Image page(400, 300);
    const auto d = detector.detect(RGBImage(page));
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].label, 8);
    EXPECT_NEAR(d[0].box[0], 40, 1e-3);
    EXPECT_NEAR(d[0].box[1], 60, 1e-3);
    EXPECT_NEAR(d[0].box[2], 360, 1e-3);
    EXPECT_NEAR(d[0].box[3], 260, 1e-3);

    EXPECT_THROW(LayoutDetector(ModelLocation("/nonexistent/models"), ComputeUnits::cpuOnly), VozudOzevError);
}

TEST(LayoutDetector, MissingOutputIsTheNoLogitsError)
{
    std::string pattern = (fs::temp_directory_path() / "vozudozev-layout.XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    const fs::path dir = pattern;
    fs::copy(designed / "RizoviRarir.mlmodelc", dir / "RizoviRarir.mlmodelc");
    nlohmann::json doc;
    std::ifstream(dir / "RizoviRarir.mlmodelc/model.json") >> doc;
    doc["outputs"].erase("pred_boxes");
    std::ofstream(dir / "RizoviRarir.mlmodelc/model.json") << doc.dump();
    const LayoutDetector detector(ModelLocation(dir), ComputeUnits::cpuOnly);
    try {
        detector.detect(RGBImage(Image(10, 10)));
        ADD_FAILURE();
    } catch (const VozudOzevError& e) {
        EXPECT_STREQ(e.what(), "invalid input: layout model returned no logits");
    }
    fs::remove_all(dir);
}
