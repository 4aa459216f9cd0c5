#include "Kestrow/Shell/EngineService.hpp"

#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/DocumentTableEngine.hpp"
#include "Kestrow/Shell/ImageConversion.hpp"
#include "Kestrow/Shell/Log.hpp"
#include "VozudOzev/Extraction/StructureAssembler.hpp"
#include "VozudOzev/Extraction/TableExtractor.hpp"
#include "VozudOzev/Model/Clock.hpp"
#include "VozudOzev/OCR/ImageLoader.hpp"
#include "VozudOzev/TextGrid/TextGridDocumentRecognizer.hpp"

#include <QCoreApplication>
#include <QLocale>
#include <QtConcurrent/QtConcurrentRun>

#include <cstdio>
#include <malloc.h>
#include <stdexcept>
#include <utility>

namespace Kestrow {

namespace {

QString milliseconds(double ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", ms);
    return QString::fromLatin1(text);
}

void warmUp(const VozudOzev::TableEngine& engine, const std::optional<std::filesystem::path>& path)
{
    if (!path)
        return;
    try {
        const VozudOzev::Image image = VozudOzev::ImageLoader::load(path->string());
        (void)engine.extract(image, {144, 144}, "warm-up");
    } catch (const std::exception&) {
        // A warm-up that fails costs the first capture some time, nothing more.
    }
}

}  // namespace

EngineService::EngineService(Builder builder, QObject* parent) : QObject(parent), builder_(std::move(builder))
{
    // Two captures may run at once; threads stay alive so each keeps its warmed-up reader.
    pool_.setMaxThreadCount(2);
    pool_.setExpiryTimeout(-1);
}

EngineService::~EngineService()
{
    pool_.waitForDone();
}

EngineService& EngineService::shared()
{
    static auto* service = new EngineService([] {
        auto path = [](const std::optional<QString>& dir, const QString& name) -> std::optional<std::filesystem::path> {
            if (!dir)
                return std::nullopt;
            return std::filesystem::path((*dir + name).toStdString());
        };
        return buildStandard(path(AppResources::dir(QStringLiteral("Models")), QString()),
                             path(AppResources::dir(QStringLiteral("Samples")), QStringLiteral("/sample-table.png")));
    });
    return *service;
}

EngineService::Built EngineService::buildStandard(const std::optional<std::filesystem::path>& modelsDir,
                                                  const std::optional<std::filesystem::path>& warmUpImage)
{
    const auto start = VozudOzev::Clock::now();
    VozudOzev::StructureAssembler assembler = VozudOzev::StructureAssembler::recommended();
    Built built;
    if (modelsDir) {
        try {
            auto extractor = std::make_shared<VozudOzev::TableExtractor>(
                VozudOzev::ModelLocation(*modelsDir), VozudOzev::ComputeUnits::cpuAndGPU, assembler);
            extractor->assembler.options.preferDecimalComma = QLocale().decimalPoint() == QStringLiteral(",");
            built = {extractor, QString::fromUtf8(structureEngineName)};
        } catch (const std::exception&) {
            // Models that do not load leave the document engine in charge, as no models do.
        }
    }
    if (!built.engine) {
        auto recognizer = std::make_shared<VozudOzev::TextGridDocumentRecognizer>(assembler.ocr);
        built = {std::make_shared<DocumentTableEngine>(VozudOzev::DocumentsEngine(recognizer)),
                 QString::fromUtf8(documentEngineName)};
    }
    const auto warmStart = VozudOzev::Clock::now();
    warmUp(*built.engine, warmUpImage);
    Log::line("engine loaded in " + milliseconds(VozudOzev::Clock::millisecondsSince(start)) + " ms, warm-up read " +
              milliseconds(VozudOzev::Clock::millisecondsSince(warmStart)) + " ms");
    return built;
}

void EngineService::preload()
{
    if (loading_)
        return;
    loading_ = true;
    QtConcurrent::run(&pool_, builder_).then(this, [this](Built built) {
        engine_ = std::move(built.engine);
        engineName_ = built.name;
        ready_ = true;
        warm_ = true;
        emit stateChanged();
        for (Pending& pending : std::exchange(pending_, {}))
            start(std::move(pending));
    });
}

void EngineService::run(const QImage& image, double scale, QObject* context, Done done)
{
    preload();
    Pending pending{image, scale, context, std::move(done)};
    if (engine_)
        start(std::move(pending));
    else
        pending_.push_back(std::move(pending));
}

void EngineService::start(Pending pending)
{
    if (!pending.context)
        return;
    const double dpi = 72 * pending.scale;
    QtConcurrent::run(&pool_,
                      [engine = engine_, image = std::move(pending.image), dpi] {
                          Run run;
                          try {
                              const VozudOzev::Image pixels = ImageConversion::toLibrary(image);
                              if (pixels.empty())
                                  throw std::invalid_argument("the image is empty or too large to read");
                              run.extraction = engine->extract(pixels, {dpi, dpi}, "capture");
                          } catch (const std::exception& e) {
                              run.error = QString::fromUtf8(e.what());
                          } catch (...) {
                              run.error = QStringLiteral("unknown error");
                          }
                          // The reader keeps its heap grown ahead while it works; a tray app
                          // idles for hours between captures, so that memory goes back now.
                          malloc_trim(0);
                          return run;
                      })
        .then(pending.context.data(), [done = std::move(pending.done)](Run run) { done(std::move(run)); });
}

}  // namespace Kestrow
