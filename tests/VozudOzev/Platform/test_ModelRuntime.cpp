#include "VozudOzev/Platform/ModelError.hpp"
#include "VozudOzev/Platform/ModelRuntime.hpp"
#include "VozudOzev/Structure/MLArray.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <thread>

namespace fs = std::filesystem;
using namespace VozudOzev;

namespace {

const fs::path fixtures = fs::path(VANTREL_SOURCE_DIR) / "tools/fixtures/models";

nlohmann::json expected()
{
    std::ifstream in(fixtures / "expected.json");
    return nlohmann::json::parse(in);
}

// The generator's probe images, planar [1, 3, side, side].
std::vector<float> probe(int side, const std::string& kind)
{
    std::vector<float> x(3 * static_cast<size_t>(side) * side, 0.0f);
    const size_t plane = static_cast<size_t>(side) * side;
    for (int y = 0; y < side; ++y)
        for (int c = 0; c < side; ++c) {
            const size_t i = static_cast<size_t>(y) * side + c;
            if (kind == "flat") {
                x[i] = 0.25f;
                x[plane + i] = 0.5f;
                x[2 * plane + i] = 0.75f;
            } else {
                x[i] = c < side / 2 ? 1.0f : 0.0f;
                x[2 * plane + i] = y < side / 4 ? 0.5f : 0.0f;
            }
        }
    return x;
}

class ModelRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vozudozev-runtime.XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        root = pattern;
    }
    void TearDown() override { fs::remove_all(root); }

    std::shared_ptr<const Model> compiled(const fs::path& package)
    {
        const fs::path out = root / package.filename().replace_extension(".mlmodelc");
        fs::create_directories(out);
        ModelRuntime::compile(package, out);
        return ModelRuntime::load(out, ComputeUnits::cpuAndGPU);
    }

    fs::path fixturePackage(const std::string& description)
    {
        const fs::path p = root / "Fixture.mlpackage";
        fs::create_directories(p / "Data");
        std::ofstream(p / "Data/model.json") << description;
        return p;
    }

    fs::path root;
};

}  // namespace

TEST_F(ModelRuntimeTest, OnnxModelsGiveTheGeneratorsOutputs)
{
    const auto want = expected();
    for (const auto& [name, spec] : want.items()) {
        SCOPED_TRACE(name);
        const auto model = compiled(fixtures / (name + ".mlpackage"));
        const int side = spec["side"];
        for (const std::string kind : {"flat", "split"}) {
            SCOPED_TRACE(kind);
            const auto out =
                model->predict({{spec["input"], MLArray::make(probe(side, kind), {1, 3, side, side})}});
            ASSERT_EQ(out.size(), spec["shapes"].size());
            for (const auto& [output, shape] : spec["shapes"].items()) {
                SCOPED_TRACE(output);
                const MultiArray& a = out.at(output);
                EXPECT_EQ(MLArray::floats(a).size(), static_cast<size_t>(a.count()));
                long long count = 1;
                for (long long d : shape.get<std::vector<long long>>())
                    count *= d;
                EXPECT_EQ(a.count(), count);
                const auto got = MLArray::floats(a);
                const auto first = spec["opencv_first_values"][kind][output].get<std::vector<float>>();
                for (size_t i = 0; i < first.size(); ++i)
                    EXPECT_NEAR(got[i], first[i], 1e-5f) << "at " << i;
            }
        }
    }
}

TEST_F(ModelRuntimeTest, OnnxModelServesSeveralThreadsAtOnce)
{
    const auto model = compiled(fixtures / "RizoviRarir.mlpackage");
    const auto want = expected()["RizoviRarir"]["opencv_first_values"];
    std::vector<std::string> errors(4);
    {
        std::vector<std::jthread> pool;
        for (int t = 0; t < 4; ++t)
            pool.emplace_back([&, t] {
                const std::string kind = t % 2 ? "flat" : "split";
                const auto input = MLArray::make(probe(640, kind), {1, 3, 640, 640});
                for (int round = 0; round < 2; ++round) {
                    const auto got = MLArray::floats(model->predict({{"pixel_values", input}}).at("logits"));
                    const auto first = want[kind]["logits"].get<std::vector<float>>();
                    for (size_t i = 0; i < first.size(); ++i)
                        if (std::abs(got[i] - first[i]) > 1e-5f)
                            errors[t] = "thread " + std::to_string(t) + " got another input's result";
                }
            });
    }
    for (const auto& e : errors)
        EXPECT_EQ(e, "");
}

TEST_F(ModelRuntimeTest, OnnxModelRefusesMissingInputs)
{
    const auto model = compiled(fixtures / "RizoviRarir.mlpackage");
    EXPECT_THROW(model->predict({}), ModelError);
    EXPECT_THROW(model->predict({{"image", MLArray::make(std::vector<float>(12), {1, 3, 2, 2})}}), ModelError);
}

TEST_F(ModelRuntimeTest, FixtureModelGivesDesignedOutputs)
{
    const auto model = compiled(fixturePackage(R"({
        "inputs": {"pixel_values": [1, 3, 2, 2]},
        "outputs": {
            "logits": {"shape": [1, 2, 3], "values": [0, 1, 2, 3, 4, 5]},
            "pred_boxes": {"shape": [1, 2, 4], "type": "float64", "values": 0.5, "channel_mean_gain": [1, 10, 100]},
            "count": {"shape": [], "type": "int32", "values": 7}
        }})"));
    // Channel means: R 0.25, G 0, B 1.
    const auto out = model->predict(
        {{"pixel_values", MLArray::make({0, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}, {1, 3, 2, 2})}});
    EXPECT_EQ(MLArray::floats(out.at("logits")), (std::vector<float>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(out.at("logits").shape, (std::vector<long long>{1, 2, 3}));
    EXPECT_EQ(out.at("pred_boxes").type, MultiArray::ElementType::float64);
    EXPECT_EQ(MLArray::floats(out.at("pred_boxes")), std::vector<float>(8, 0.5f + 0.25f + 100.0f));
    EXPECT_EQ(MLArray::floats(out.at("count")), std::vector<float>{7});
}

TEST_F(ModelRuntimeTest, FixtureModelRefusesMissingOrMisshapenInputs)
{
    const auto model = compiled(fixturePackage(R"({"inputs": {"image": [1, 3, 2, 2]},
        "outputs": {"x": {"shape": [1], "values": 1}}})"));
    EXPECT_THROW(model->predict({}), ModelError);
    EXPECT_THROW(model->predict({{"image", MLArray::make(std::vector<float>(3), {1, 3, 1, 1})}}), ModelError);
    EXPECT_NO_THROW(model->predict({{"image", MLArray::make(std::vector<float>(12), {1, 3, 2, 2})}}));
}

TEST_F(ModelRuntimeTest, LoadRefusesWhatIsNotACompiledModel)
{
    EXPECT_THROW(ModelRuntime::load(root / "missing.mlmodelc", ComputeUnits::all), ModelError);
    fs::create_directories(root / "empty.mlmodelc");
    EXPECT_THROW(ModelRuntime::load(root / "empty.mlmodelc", ComputeUnits::all), ModelError);
}
