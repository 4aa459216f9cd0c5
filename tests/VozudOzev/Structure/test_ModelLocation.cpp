#include "VozudOzev/Platform/ModelError.hpp"
#include "VozudOzev/Platform/ModelRuntime.hpp"
#include "VozudOzev/Structure/MLArray.hpp"
#include "VozudOzev/Structure/ModelLocation.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

namespace fs = std::filesystem;
using namespace VozudOzev;

namespace {

const fs::path fixtures = fs::path(VANTREL_SOURCE_DIR) / "tools/fixtures/models";

void writeFile(const fs::path& p, const std::string& text)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A model folder and a temporary folder of its own (TMPDIR), so the cache starts empty.
class ModelLocationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vozudozev-test.XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        root = pattern;
        if (const char* old = std::getenv("TMPDIR"))
            oldTmp = old;
        fs::create_directories(root / "tmp");
        ::setenv("TMPDIR", (root / "tmp").c_str(), 1);
        models = root / "Models";
        fs::create_directories(models);
    }
    void TearDown() override
    {
        if (oldTmp)
            ::setenv("TMPDIR", oldTmp->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        fs::remove_all(root);
    }

    fs::path cache() const { return root / "tmp" / "vozudozev-models"; }

    // Copies a committed package into the model folder.
    fs::path installPackage(const std::string& name)
    {
        const fs::path to = models / (name + ".mlpackage");
        fs::copy(fixtures / (name + ".mlpackage"), to, fs::copy_options::recursive);
        return to;
    }

    std::vector<fs::path> cacheEntries() const
    {
        std::vector<fs::path> out;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(cache(), ec))
            if (e.path().extension() != ".lock")
                out.push_back(e.path().filename());
        return out;
    }

    fs::path root;
    fs::path models;
    std::optional<std::string> oldTmp;
};

}  // namespace

TEST_F(ModelLocationTest, MissingModelsGiveTheNotFoundError)
{
    const struct {
        const char* name;
        fs::path directory;
    } cases[] = {
        {"missing folder", root / "nowhere"},
        {"empty folder", models},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ModelLocation(c.directory).compiledModel(ModelLocation::layoutName);
            ADD_FAILURE() << "no error";
        } catch (const VozudOzevError& e) {
            EXPECT_EQ(e.kind(), VozudOzevError::Kind::invalidInput);
            EXPECT_EQ(std::string(e.what()), "invalid input: model RizoviRarir not found in " + c.directory.string());
        }
    }
    EXPECT_TRUE(cacheEntries().empty());
}

TEST_F(ModelLocationTest, CompiledFolderBesideThePackageWinsAndLeavesTheCacheAlone)
{
    installPackage(ModelLocation::layoutName);
    fs::create_directories(models / "RizoviRarir.mlmodelc");
    EXPECT_EQ(ModelLocation(models).compiledModel("RizoviRarir"), models / "RizoviRarir.mlmodelc");
    EXPECT_FALSE(fs::exists(cache()));
}

TEST_F(ModelLocationTest, PackageIsCompiledOnceAndReusedWhileNewEnough)
{
    const fs::path package = installPackage(ModelLocation::encoderName);
    const ModelLocation location(models);
    const fs::path compiled = location.compiledModel(ModelLocation::encoderName);
    EXPECT_EQ(compiled, cache() / "TableFormerEncoder.mlmodelc");
    EXPECT_EQ(readFile(compiled / "model.onnx"), readFile(package / "Data/model.onnx"));
    EXPECT_NO_THROW(ModelRuntime::load(compiled, ComputeUnits::cpuAndGPU));

    // A marker inside the cached copy shows whether it was rebuilt.
    const auto marker = compiled / "marker";
    writeFile(marker, "x");
    const auto manifestTime = fs::last_write_time(package / "Manifest.json");

    fs::last_write_time(compiled, manifestTime);  // exactly as new: reused
    EXPECT_EQ(location.compiledModel(ModelLocation::encoderName), compiled);
    EXPECT_TRUE(fs::exists(marker));

    fs::last_write_time(compiled, manifestTime - std::chrono::seconds(1));  // older: rebuilt
    EXPECT_EQ(location.compiledModel(ModelLocation::encoderName), compiled);
    EXPECT_FALSE(fs::exists(marker));
    EXPECT_EQ(cacheEntries(), std::vector<fs::path>{"TableFormerEncoder.mlmodelc"});  // no leftovers
}

TEST_F(ModelLocationTest, PackageWithoutManifestIsCompiledOnlyOnce)
{
    const fs::path package = installPackage(ModelLocation::layoutName);
    fs::remove(package / "Manifest.json");
    const ModelLocation location(models);
    const fs::path compiled = location.compiledModel(ModelLocation::layoutName);
    writeFile(compiled / "marker", "x");
    fs::last_write_time(compiled, fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 20));
    location.compiledModel(ModelLocation::layoutName);
    EXPECT_TRUE(fs::exists(compiled / "marker"));
    EXPECT_NO_THROW(ModelRuntime::load(compiled, ComputeUnits::all));
}

TEST_F(ModelLocationTest, BrokenPackagesGiveClearErrorsAndCacheNothing)
{
    const std::string onnx = readFile(fixtures / "RizoviRarir.mlpackage/Data/model.onnx");
    const struct {
        const char* name;
        std::function<void(const fs::path&)> breakIt;
        const char* message;
    } cases[] = {
        {"truncated onnx", [&](const fs::path& p) { writeFile(p / "Data/model.onnx", onnx.substr(0, onnx.size() / 2)); },
         "cannot load ONNX model"},
        {"garbage onnx", [](const fs::path& p) { writeFile(p / "Data/model.onnx", std::string(300, '\x07')); },
         "cannot load ONNX model"},
        {"empty onnx", [](const fs::path& p) { writeFile(p / "Data/model.onnx", ""); }, "is empty"},
        {"no model file", [](const fs::path& p) { fs::remove(p / "Data/model.onnx"); }, "has no model file"},
        {"no model file, no manifest", [](const fs::path& p) { fs::remove_all(p); fs::create_directories(p); },
         "has no model file"},
        {"manifest not JSON", [](const fs::path& p) { writeFile(p / "Manifest.json", "{\"format\": onnx"); },
         "is not a JSON object"},
        {"manifest not an object", [](const fs::path& p) { writeFile(p / "Manifest.json", "[1, 2]"); },
         "is not a JSON object"},
        {"manifest escapes the package",
         [](const fs::path& p) { writeFile(p / "Manifest.json", R"({"model": "../../etc/passwd"})"); },
         "outside the model"},
        {"unknown format", [](const fs::path& p) { writeFile(p / "Manifest.json", R"({"format": "tflite"})"); },
         "unknown model format"},
        {"broken fixture description",
         [](const fs::path& p) {
             writeFile(p / "Manifest.json", R"({"format": "fixture", "model": "Data/model.json"})");
             writeFile(p / "Data/model.json", R"({"inputs": {}, "outputs": {"x": {"shape": [2], "values": [1, 2, 3]}}})");
         },
         "3 values for shape [2]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(models / "RizoviRarir.mlpackage");
        c.breakIt(installPackage(ModelLocation::layoutName));
        try {
            ModelLocation(models).compiledModel(ModelLocation::layoutName);
            ADD_FAILURE() << "no error";
        } catch (const ModelError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_TRUE(cacheEntries().empty());
    }
}

TEST_F(ModelLocationTest, UnwritableCacheGivesAClearError)
{
    installPackage(ModelLocation::layoutName);
    writeFile(cache(), "a file where the cache folder should be");
    try {
        ModelLocation(models).compiledModel(ModelLocation::layoutName);
        ADD_FAILURE() << "no error";
    } catch (const ModelError& e) {
        EXPECT_NE(std::string(e.what()).find("cannot write the model cache"), std::string::npos) << e.what();
    }
}

TEST_F(ModelLocationTest, ConcurrentCallersAllGetAUsableModel)
{
    installPackage(ModelLocation::layoutName);
    const ModelLocation location(models);
    constexpr int threads = 8;
    std::vector<std::string> errors(threads);
    std::vector<fs::path> paths(threads);
    {
        std::vector<std::jthread> pool;
        for (int i = 0; i < threads; ++i)
            pool.emplace_back([&, i] {
                try {
                    paths[i] = location.compiledModel(ModelLocation::layoutName);
                    const auto model = ModelRuntime::load(paths[i], ComputeUnits::all);
                    const auto out = model->predict(
                        {{"pixel_values", MLArray::make(std::vector<float>(3 * 640 * 640, 0.5f), {1, 3, 640, 640})}});
                    if (out.at("logits").shape != std::vector<long long>{1, 4, 12})
                        errors[i] = "wrong logits shape";
                } catch (const std::exception& e) {
                    errors[i] = e.what();
                }
            });
    }
    for (int i = 0; i < threads; ++i) {
        EXPECT_EQ(errors[i], "") << "thread " << i;
        EXPECT_EQ(paths[i], cache() / "RizoviRarir.mlmodelc");
    }
    EXPECT_EQ(cacheEntries(), std::vector<fs::path>{"RizoviRarir.mlmodelc"});
}
