#include "VozudOzev/Structure/TableFormer.hpp"

#include "Support/DecoderFixtures.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>

namespace fs = std::filesystem;
using namespace VozudOzev;
using namespace TestSupport;

namespace {

class TableFormerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vozudozev-tableformer.XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        root = pattern;
    }
    void TearDown() override { fs::remove_all(root); }

    // A copy of the designed model folder to break in place.
    fs::path designedCopy()
    {
        const fs::path dir = root / "designed";
        fs::copy(DecoderFixtures::folder("designed"), dir, fs::copy_options::recursive);
        return dir;
    }

    static void writeText(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

    fs::path root;
};

std::string loadError(const fs::path& dir)
{
    try {
        TableFormer model(ModelLocation(dir), ComputeUnits::cpuOnly);
    } catch (const VozudOzevError& e) {
        return e.what();
    }
    return "";
}

// A decoder whose output head writes `script` (tag names, one per step) and whose box
// head sees one memory row of zeros: the designed weights with `fc` rewritten.
TableFormer scripted(const fs::path& dir, const std::vector<std::string>& script, int maxSteps)
{
    fs::copy(DecoderFixtures::folder("designed"), dir, fs::copy_options::recursive);
    auto index = DecoderFixtures::readJSON(dir / "TableFormerDecoder.json");
    auto config = DecoderFixtures::readJSON(dir / "TableFormerConfig.json");
    config["max_steps"] = maxSteps;
    std::ofstream(dir / "TableFormerConfig.json") << config.dump();
    std::vector<float> data(fs::file_size(dir / "TableFormerDecoder.bin") / 4);
    std::ifstream(dir / "TableFormerDecoder.bin", std::ios::binary)
        .read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size() * 4));
    const size_t fc = index["tensors"]["fc.w"]["offset"].get<size_t>();
    const auto& words = config["word_map"];
    std::fill_n(data.begin() + static_cast<long>(fc), words.size() * TableFormer::D, 0.0f);
    for (size_t t = 0; t < script.size(); ++t)
        data[fc + words.at(script[t]).get<size_t>() * TableFormer::D + t] = 1;
    DecoderFixtures::writeFloats(dir / "TableFormerDecoder.bin", data);
    return TableFormer(ModelLocation(dir), ComputeUnits::cpuOnly);
}

TableFormer::Encoded zeroEncoded(int n)
{
    const size_t D = TableFormer::D;
    TableFormer::Encoded e;
    e.memK.assign(TableFormer::layers * n * D, 0);
    e.memV.assign(TableFormer::layers * n * D, 0);
    e.bboxEnc.assign(n * D, 0);
    e.bboxAtt1.assign(n * D, 0);
    e.bboxAtt3.assign(D, 0);
    e.bboxGate.assign(D, 1);
    e.bboxH.assign(D, 1);
    return e;
}

std::vector<std::string> names(const TableFormer& model, const std::vector<int>& ids)
{
    std::vector<std::string> out;
    for (int id : ids)
        out.push_back(model.revWordMap().at(id));
    return out;
}

}  // namespace

TEST_F(TableFormerTest, LoadsTheModelFilesAndDropsTrailingBytes)
{
    const fs::path dir = designedCopy();
    const auto size = fs::file_size(dir / "TableFormerDecoder.bin");
    std::ofstream(dir / "TableFormerDecoder.bin", std::ios::app | std::ios::binary) << "xyz";
    TableFormer model(ModelLocation(dir), ComputeUnits::cpuAndGPU);
    EXPECT_EQ(model.weights().data.size(), size / 4);
    EXPECT_EQ(model.inputSize(), 448);
    EXPECT_EQ(model.maxSteps(), 32);
    EXPECT_EQ(model.wordMap().size(), 13u);
    for (const auto& [tag, id] : model.wordMap())
        EXPECT_EQ(model.revWordMap().at(id), tag);
    EXPECT_EQ(model.weights().index.at("pe").shape, (std::vector<long long>{33, 512}));
    EXPECT_DOUBLE_EQ(model.std()[1], 0.17940403);
}

TEST_F(TableFormerTest, BrokenModelFoldersGiveClearErrors)
{
    const struct {
        const char* name;
        std::function<void(const fs::path&)> breakIt;
        const char* error;
    } cases[] = {
        {"no encoder", [](const fs::path& d) { fs::remove_all(d / "TableFormerEncoder.mlmodelc"); },
         "model TableFormerEncoder not found in"},
        {"no weights", [](const fs::path& d) { fs::remove(d / "TableFormerDecoder.bin"); }, "cannot read"},
        {"config not JSON", [](const fs::path& d) { writeText(d / "TableFormerConfig.json", "{\"word_map\": "); },
         "TableFormerConfig.json is not valid JSON"},
        {"index not an object", [](const fs::path& d) { writeText(d / "TableFormerDecoder.json", "[1, 2]"); },
         "is not a JSON object"},
        {"config lacks a field",
         [](const fs::path& d) {
             auto c = DecoderFixtures::readJSON(d / "TableFormerConfig.json");
             c.erase("max_steps");
             writeText(d / "TableFormerConfig.json", c.dump());
         },
         "TableFormerConfig.json has no \"max_steps\""},
        {"field of another type",
         [](const fs::path& d) {
             auto c = DecoderFixtures::readJSON(d / "TableFormerConfig.json");
             c["resized_image"] = "448";
             writeText(d / "TableFormerConfig.json", c.dump());
         },
         "\"resized_image\" is not an integer"},
        {"word map without nl",
         [](const fs::path& d) {
             auto c = DecoderFixtures::readJSON(d / "TableFormerConfig.json");
             c["word_map"].erase("nl");
             c["word_map"]["extra"] = 9;
             writeText(d / "TableFormerConfig.json", c.dump());
         },
         "the word map has no \"nl\""},
        {"tag id beyond the logits",
         [](const fs::path& d) {
             auto c = DecoderFixtures::readJSON(d / "TableFormerConfig.json");
             c["word_map"]["srow"] = 40;
             writeText(d / "TableFormerConfig.json", c.dump());
         },
         "tag id 40 of srow is not below the tag count 13"},
        {"missing tensor",
         [](const fs::path& d) {
             auto i = DecoderFixtures::readJSON(d / "TableFormerDecoder.json");
             i["tensors"].erase("dec3.lin2.w");
             writeText(d / "TableFormerDecoder.json", i.dump());
         },
         "has no tensor dec3.lin2.w"},
        {"offset past the end",
         [](const fs::path& d) {
             auto i = DecoderFixtures::readJSON(d / "TableFormerDecoder.json");
             i["tensors"]["bbox.cls.b"]["offset"] = fs::file_size(d / "TableFormerDecoder.bin") / 4 - 2;
             writeText(d / "TableFormerDecoder.json", i.dump());
         },
         "tensor bbox.cls.b runs past the end"},
        {"shape past the end",
         [](const fs::path& d) {
             auto i = DecoderFixtures::readJSON(d / "TableFormerDecoder.json");
             i["tensors"]["fc.b"]["shape"] = {1 << 30};
             writeText(d / "TableFormerDecoder.json", i.dump());
         },
         "tensor fc.b runs past the end"},
        {"negative offset",
         [](const fs::path& d) {
             auto i = DecoderFixtures::readJSON(d / "TableFormerDecoder.json");
             i["tensors"]["embedding"]["offset"] = -4;
             writeText(d / "TableFormerDecoder.json", i.dump());
         },
         "tensor embedding runs past the end"},
        {"positions for fewer steps",
         [](const fs::path& d) {
             auto c = DecoderFixtures::readJSON(d / "TableFormerConfig.json");
             c["max_steps"] = 200;
             writeText(d / "TableFormerConfig.json", c.dump());
         },
         "tensor pe runs past the end"},
        {"absurd step count",
         [](const fs::path& d) {
             auto c = DecoderFixtures::readJSON(d / "TableFormerConfig.json");
             c["max_steps"] = 1 << 20;
             writeText(d / "TableFormerConfig.json", c.dump());
         },
         "\"max_steps\" is out of range"},
        {"truncated weights",
         [](const fs::path& d) { fs::resize_file(d / "TableFormerDecoder.bin", 4096); }, "runs past the end"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path dir = designedCopy();
        c.breakIt(dir);
        EXPECT_NE(loadError(dir).find(c.error), std::string::npos) << loadError(dir);
        fs::remove_all(dir);
    }
}

TEST_F(TableFormerTest, InputIsNormalisedPlanarWithColumnsFirst)
{
    const fs::path dir = designedCopy();
    auto config = DecoderFixtures::readJSON(dir / "TableFormerConfig.json");
    config["resized_image"] = 2;
    config["mean"] = {0, 0, 0};
    config["std"] = {1, 1, 1};
    writeText(dir / "TableFormerConfig.json", config.dump());
    TableFormer model(ModelLocation(dir), ComputeUnits::cpuOnly);

    // 2 x 2 crop, the pixel at row 0, column 1 differs: it lands at c*4 + 1*2 + 0.
    Image image(2, 2);
    image.rgb.assign(12, 0);
    image.pixel(1, 0)[0] = 255;
    image.pixel(1, 0)[1] = 51;
    image.pixel(1, 0)[2] = 102;
    const auto in = model.input(RGBImage(image));
    ASSERT_EQ(in.size(), 12u);
    const std::vector<float> want = {0, 0, 1, 0, 0, 0, 0.2f, 0, 0, 0, 0.4f, 0};
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_FLOAT_EQ(in[i], want[i]) << i;

    // One pixel spreads over the whole input.
    Image one(1, 1);
    one.rgb = {10, 20, 30};
    const auto spread = model.input(RGBImage(one));
    for (size_t i = 0; i < spread.size(); ++i)
        EXPECT_FLOAT_EQ(spread[i], static_cast<float>((10.0 * (1 + i / 4)) / 255.0)) << i;

    EXPECT_THROW(model.input(RGBImage(Image(0, 0))), VozudOzevError);
}

TEST_F(TableFormerTest, InputSubtractsTheScaledMeanAndDividesByTheUnscaledStd)
{
    const fs::path dir = designedCopy();
    auto config = DecoderFixtures::readJSON(dir / "TableFormerConfig.json");
    config["resized_image"] = 3;
    config["mean"] = {0.5, 0.25, 0};
    config["std"] = {0.5, 2, 4};
    writeText(dir / "TableFormerConfig.json", config.dump());
    TableFormer model(ModelLocation(dir), ComputeUnits::cpuOnly);
    Image image(4, 4);
    image.rgb.assign(48, 204);
    const auto in = model.input(RGBImage(image));
    ASSERT_EQ(in.size(), 27u);
    const double want[] = {(204 - 127.5) / 0.5 / 255, (204 - 63.75) / 2 / 255, 204.0 / 4 / 255};
    for (size_t i = 0; i < in.size(); ++i)
        EXPECT_FLOAT_EQ(in[i], static_cast<float>(want[i / 9])) << i;
}

TEST(TableFormerOps, SoftmaxLayerNormAndMergeBoxes)
{
    float v[4] = {1, 2, 3, 42};
    TableFormer::softmax(v, 3);
    const double sum = std::exp(-2.0) + std::exp(-1.0) + 1;
    EXPECT_NEAR(v[0], std::exp(-2.0) / sum, 1e-7);
    EXPECT_NEAR(v[2], 1 / sum, 1e-7);
    EXPECT_EQ(v[3], 42);
    float untouched[2] = {5, 6};
    TableFormer::softmax(untouched, 0);
    EXPECT_EQ(untouched[0], 5);

    // b's top lies above a's: the height still runs from a's top.
    const auto m = TableFormer::mergeBoxes({0.2f, 0.5f, 0.2f, 0.2f}, {0.6f, 0.35f, 0.2f, 0.1f});
    EXPECT_NEAR(m[0], 0.4f, 1e-6);  // left 0.1, width 0.6
    EXPECT_NEAR(m[2], 0.6f, 1e-6);
    EXPECT_NEAR(m[3], 0.0f, 1e-6);  // 0.4 - 0.4
    EXPECT_NEAR(m[1], 0.3f, 1e-6);  // top min(0.3, 0.4)
}

TEST_F(TableFormerTest, LayerNormUsesTheNamedScaleAndShift)
{
    const fs::path dir = designedCopy();
    TableFormer model(ModelLocation(dir), ComputeUnits::cpuOnly);
    std::vector<float> v(TableFormer::D + 1, 0.0f);
    v[0] = 1;
    v[TableFormer::D] = 7;  // past D: untouched
    model.layerNorm(v.data(), "dec0.norm1");  // scale 1, shift 0
    const double mean = 1.0 / 512, var = (1 - mean) * (1 - mean) / 512 + 511 * mean * mean / 512;
    EXPECT_NEAR(v[0], (1 - mean) / std::sqrt(var + 1e-5), 1e-5);
    EXPECT_NEAR(v[1], -mean / std::sqrt(var + 1e-5), 1e-6);
    EXPECT_EQ(v[TableFormer::D], 7);
    EXPECT_THROW(model.layerNorm(v.data(), "dec9.norm1"), VozudOzevError);
}

TEST_F(TableFormerTest, DecodingRulesOnScriptedTags)
{
    const struct {
        const char* name;
        std::vector<std::string> script;
        int maxSteps;
        std::vector<std::string> want;
        size_t boxes;
    } cases[] = {
        {"boxes of 2nd, 3rd, 5th and 7th tags, span merged",
         {"fcel", "fcel", "nl", "fcel", "lcel", "lcel", "fcel", "<end>"}, 16,
         {"<start>", "fcel", "fcel", "nl", "fcel", "lcel", "lcel", "fcel", "<end>"}, 3},
        {"xcel is written as lcel", {"fcel", "fcel", "xcel", "nl", "<end>"}, 16,
         {"<start>", "fcel", "fcel", "lcel", "nl", "<end>"}, 2},
        {"lcel or xcel after ucel is fcel", {"fcel", "nl", "ucel", "lcel", "ucel", "xcel", "nl", "<end>"}, 16,
         {"<start>", "fcel", "nl", "ucel", "fcel", "ucel", "fcel", "nl", "<end>"}, 3},
        {"no steps", {"fcel", "<end>"}, 0, {"<start>"}, 0},
        {"end first", {"<end>"}, 16, {"<start>", "<end>"}, 0},
        {"without end, exactly maxSteps tags", {"fcel", "fcel", "fcel", "fcel", "fcel", "fcel"}, 4,
         {"<start>", "fcel", "fcel", "fcel", "fcel"}, 3},
        {"a span ending the sequence merges with the last box", {"fcel", "fcel", "lcel", "lcel", "<end>"}, 16,
         {"<start>", "fcel", "fcel", "lcel", "lcel", "<end>"}, 2},
        {"a span closed by nl", {"fcel", "fcel", "lcel", "nl", "fcel", "<end>"}, 16,
         {"<start>", "fcel", "fcel", "lcel", "nl", "fcel", "<end>"}, 2},
    };
    int i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TableFormer model = scripted(root / std::to_string(i++), c.script, c.maxSteps);
        const auto p = model.decode(zeroEncoded(1));
        EXPECT_EQ(names(model, p.sequence), c.want);
        EXPECT_EQ(p.boxes.size(), c.boxes);
        EXPECT_EQ(p.classes.size(), c.boxes);
    }
}

TEST_F(TableFormerTest, EqualLogitsPickTheLowestTag)
{
    // fc all zero: every logit equal, tag id 0 ("<pad>") every step.
    const TableFormer model = scripted(root / "flat", {}, 3);
    const auto p = model.decode(zeroEncoded(2));
    EXPECT_EQ(names(model, p.sequence), (std::vector<std::string>{"<start>", "<pad>", "<pad>", "<pad>"}));
}

TEST_F(TableFormerTest, EncoderOutputsMustBeWholeAndFinite)
{
    const TableFormer model(ModelLocation(DecoderFixtures::folder("designed")), ComputeUnits::cpuOnly);
    auto nan = zeroEncoded(2);
    nan.bboxAtt1[700] = std::nanf("");
    EXPECT_THROW(model.decode(nan), VozudOzevError);
    auto inf = zeroEncoded(2);
    inf.memV[5] = INFINITY;
    EXPECT_THROW(model.decode(inf), VozudOzevError);
    auto shortK = zeroEncoded(2);
    shortK.memK.resize(shortK.memK.size() - 1);
    EXPECT_THROW(model.decode(shortK), VozudOzevError);
    auto shortH = zeroEncoded(2);
    shortH.bboxH.resize(10);
    EXPECT_THROW(model.decode(shortH), VozudOzevError);
    // No memory at all is not an error: attention over nothing gives zeros.
    EXPECT_NO_THROW(model.decode(zeroEncoded(0)));
}

// Designed weights through the encoder model: the scripted table with its designed boxes.
TEST_F(TableFormerTest, DesignedModelPredictsItsScriptFromACrop)
{
    const auto expected = DecoderFixtures::readJSON(DecoderFixtures::folder("designed") / "expected.json");
    const TableFormer model(ModelLocation(DecoderFixtures::folder("designed")), ComputeUnits::cpuOnly);
    const auto p = model.predict(RGBImage(Image(30, 20)));
    EXPECT_EQ(p.sequence, expected["sequence"].get<std::vector<int>>());
    EXPECT_EQ(p.classes, expected["classes"].get<std::vector<int>>());
    ASSERT_EQ(p.boxes.size(), expected["boxes"].size());
    for (size_t i = 0; i < p.boxes.size(); ++i)
        for (size_t k = 0; k < 4; ++k)
            EXPECT_NEAR(p.boxes[i][k], expected["boxes"][i][k].get<double>(), 1e-5) << i << " " << k;
}

TEST_F(TableFormerTest, EncoderWithoutAnOutputIsAnError)
{
    const fs::path dir = designedCopy();
    const fs::path file = dir / "TableFormerEncoder.mlmodelc/model.json";
    auto doc = DecoderFixtures::readJSON(file);
    doc["outputs"].erase("bbox_gate");
    writeText(file, doc.dump());
    const TableFormer model(ModelLocation(dir), ComputeUnits::cpuOnly);
    try {
        model.predict(RGBImage(Image(8, 8)));
        FAIL();
    } catch (const VozudOzevError& e) {
        EXPECT_STREQ(e.what(), "invalid input: table-structure encoder returned no bbox_gate");
    }
}

// Full-size weights with pseudo-random values against an independent float64 evaluation.
TEST_F(TableFormerTest, FullSizeRandomWeightsMatchTheReferenceDecoder)
{
    const auto golden = DecoderFixtures::readJSON(DecoderFixtures::folder("random") / "golden.json");
    const auto data = DecoderFixtures::randomWeights(golden);
    for (const auto& s : golden["samples"])
        ASSERT_EQ(data.at(s[0].get<size_t>()), s[1].get<float>()) << s[0];
    double sum = 0;
    for (float v : data)
        sum += v;
    ASSERT_NEAR(sum, golden["sum"].get<double>(), 1e-6 * std::abs(golden["sum"].get<double>()) + 1e-3);

    DecoderFixtures::writeRandomModel(root / "random", data,
                                      DecoderFixtures::readJSON(DecoderFixtures::folder("random") /
                                                                "TableFormerConfig.json"));
    const TableFormer model(ModelLocation(root / "random"), ComputeUnits::cpuOnly);
    const auto p = model.decode(DecoderFixtures::randomEncoded(golden));
    EXPECT_EQ(names(model, p.sequence), golden["tags"].get<std::vector<std::string>>());
    EXPECT_EQ(p.classes, golden["classes"].get<std::vector<int>>());
    ASSERT_EQ(p.boxes.size(), golden["boxes"].size());
    for (size_t i = 0; i < p.boxes.size(); ++i)
        for (size_t k = 0; k < 4; ++k)
            EXPECT_NEAR(p.boxes[i][k], golden["boxes"][i][k].get<double>(), 2e-5) << i << " " << k;
}

// The encoder as an ONNX package run by OpenCV (compiled into a private cache): feature
// names and shapes reach the decoder, whose designed tags do not depend on the memory.
TEST_F(TableFormerTest, OnnxEncoderFeedsTheDecoder)
{
    const fs::path dir = designedCopy();
    fs::remove_all(dir / "TableFormerEncoder.mlmodelc");
    fs::copy(fs::path(VANTREL_SOURCE_DIR) / "tools/fixtures/models/TableFormerEncoder.mlpackage",
             dir / "TableFormerEncoder.mlpackage", fs::copy_options::recursive);
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    fs::create_directories(root / "tmp");
    ::setenv("TMPDIR", (root / "tmp").c_str(), 1);
    const TableFormer model(ModelLocation(dir), ComputeUnits::cpuAndGPU);
    old ? ::setenv("TMPDIR", saved.c_str(), 1) : ::unsetenv("TMPDIR");

    const auto expected = DecoderFixtures::readJSON(DecoderFixtures::folder("designed") / "expected.json");
    Image crop(40, 30);
    crop.rgb.assign(crop.rgb.size(), 90);
    const auto p = model.predict(RGBImage(crop));
    EXPECT_EQ(p.sequence, expected["sequence"].get<std::vector<int>>());
    EXPECT_EQ(p.boxes.size(), expected["boxes"].size());
    for (const auto& b : p.boxes)
        for (float v : b)
            EXPECT_TRUE(std::isfinite(v));
}
