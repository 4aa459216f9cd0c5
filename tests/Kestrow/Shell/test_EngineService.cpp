#include "Kestrow/Shell/EngineService.hpp"
#include "KestrowSupport/WaitFor.hpp"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>

using Kestrow::EngineService;
using KestrowTest::waitFor;

namespace {

// Records the resolution it was asked for; throws when told to.
struct RecordingEngine final : VozudOzev::TableEngine {
    mutable std::mutex mutex;
    mutable std::vector<VozudOzev::Dpi> seen;
    bool fail = false;
    std::atomic<bool> held{false};  // while set, a run waits before it reads

    VozudOzev::TableExtraction::Extraction extract(const VozudOzev::Image& image, VozudOzev::Dpi dpi,
                                                   const std::string& id) const override
    {
        {
            std::lock_guard lock(mutex);
            seen.push_back(dpi);
        }
        while (held)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (fail)
            throw std::runtime_error("engine broke");
        VozudOzev::TableExtraction::Extraction e;
        e.output.id = id;
        e.output.imageWidth = image.width;
        e.output.imageHeight = image.height;
        return e;
    }
};

QImage smallImage()
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

TEST(EngineService, BuildsOnceWhenPreloadedTwiceAndRunEarly)
{
    std::atomic<int> builds{0};
    auto engine = std::make_shared<RecordingEngine>();
    EngineService service([&] {
        ++builds;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return EngineService::Built{engine, "fake"};
    });
    EXPECT_EQ(service.engineName(), QStringLiteral("loading"));
    std::optional<EngineService::Run> got;
    QObject context;
    // Asked for before the launch preload: it starts the build and waits for it.
    service.run(smallImage(), 2.0, &context, [&](EngineService::Run run) { got = std::move(run); });
    service.preload();
    service.preload();
    ASSERT_TRUE(waitFor([&] { return got.has_value(); }));
    EXPECT_EQ(builds.load(), 1);
    ASSERT_TRUE(got->extraction);
    EXPECT_EQ(got->extraction->output.id, "capture");
    EXPECT_EQ(got->extraction->output.imageWidth, 30);
    EXPECT_TRUE(service.ready());
    EXPECT_TRUE(service.warm());
    EXPECT_EQ(service.engineName(), QStringLiteral("fake"));
}

TEST(EngineService, GivesTheEngineSeventyTwoDpiPerScaleUnit)
{
    auto engine = std::make_shared<RecordingEngine>();
    EngineService service([&] { return EngineService::Built{engine, "fake"}; });
    QObject context;
    int done = 0;
    for (double scale : {1.0, 2.0})
        service.run(smallImage(), scale, &context, [&](EngineService::Run) { ++done; });
    ASSERT_TRUE(waitFor([&] { return done == 2; }));
    std::lock_guard lock(engine->mutex);
    ASSERT_EQ(engine->seen.size(), 2u);
    std::vector<double> xs{engine->seen[0].x, engine->seen[1].x};
    std::sort(xs.begin(), xs.end());
    EXPECT_EQ(xs, (std::vector<double>{72, 144}));
    EXPECT_EQ(engine->seen[0].x, engine->seen[0].y);
}

TEST(EngineService, PassesTheEnginesErrorAndSkipsAGoneCaller)
{
    auto engine = std::make_shared<RecordingEngine>();
    engine->fail = true;
    EngineService service([&] { return EngineService::Built{engine, "fake"}; });
    std::optional<EngineService::Run> got;
    QObject context;
    service.run(smallImage(), 1.0, &context, [&](EngineService::Run run) { got = std::move(run); });
    ASSERT_TRUE(waitFor([&] { return got.has_value(); }));
    EXPECT_FALSE(got->extraction);
    EXPECT_EQ(got->error, QStringLiteral("engine broke"));

    // The run ends only after its caller is gone: a run that ends first may answer at once.
    bool called = false;
    auto gone = std::make_unique<QObject>();
    engine->held = true;
    service.run(smallImage(), 1.0, gone.get(), [&](EngineService::Run) { called = true; });
    gone.reset();
    engine->held = false;
    waitFor([] { return false; }, 300);
    EXPECT_FALSE(called);
}

TEST(EngineService, AFolderWithoutModelsLeavesTheDocumentEngineToReadTheSample)
{
    const std::filesystem::path sample = VANTREL_SOURCE_DIR "/Resources/Samples/sample-table.png";
    QTemporaryDir empty;
    const EngineService::Built built = EngineService::buildStandard(empty.path().toStdString(), std::nullopt);
    EXPECT_EQ(built.name, QString::fromUtf8(EngineService::documentEngineName));
    EngineService service([&] { return built; });
    std::optional<EngineService::Run> got;
    QObject context;
    service.run(QImage(QString::fromStdString(sample.string())), 2.0, &context,
                [&](EngineService::Run run) { got = std::move(run); });
    ASSERT_TRUE(waitFor([&] { return got.has_value(); }, 60000));
    ASSERT_TRUE(got->extraction) << got->error.toStdString();
    ASSERT_FALSE(got->extraction->output.tables.empty());
    EXPECT_GE(got->extraction->output.tables.front().rows, 3);
}

TEST(EngineService, EmptyOrOversizedImagesFailWithoutReachingTheEngine)
{
    auto engine = std::make_shared<RecordingEngine>();
    EngineService service([&] { return EngineService::Built{engine, "fake"}; });
    QObject context;
    std::vector<EngineService::Run> runs;
    QImage wide(VozudOzev::Image::maxSide + 1, 1, QImage::Format_RGB32);
    wide.fill(Qt::white);
    for (const QImage& image : {QImage(), wide})
        service.run(image, 1.0, &context, [&](EngineService::Run run) { runs.push_back(std::move(run)); });
    ASSERT_TRUE(waitFor([&] { return runs.size() == 2; }));
    for (const EngineService::Run& run : runs) {
        EXPECT_FALSE(run.extraction);
        EXPECT_EQ(run.error, QStringLiteral("the image is empty or too large to read"));
    }
    std::lock_guard lock(engine->mutex);
    EXPECT_TRUE(engine->seen.empty());
}
