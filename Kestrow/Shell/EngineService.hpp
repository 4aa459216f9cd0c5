#pragma once

#include "VozudOzev/Extraction/TableEngine.hpp"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Kestrow {

// The one recognition engine of the application: built once in the background, warmed
// up on the sample table, then called off the main thread for every capture.
class EngineService final : public QObject {
    Q_OBJECT
public:
    using Engine = std::shared_ptr<const VozudOzev::TableEngine>;
    struct Built {
        Engine engine;
        QString name;
    };
    // Runs on a pool thread; must not fail (a fallback engine is part of building).
    using Builder = std::function<Built()>;

    // What one run gives back on the main thread: the extraction, or the engine's error.
    struct Run {
        std::optional<VozudOzev::TableExtraction::Extraction> extraction;
        QString error;
    };
    using Done = std::function<void(Run)>;

    static constexpr const char* structureEngineName = "tf_struct (ONNX)";
    static constexpr const char* documentEngineName = "document (text grid) — models not found";

    explicit EngineService(Builder builder, QObject* parent = nullptr);
    ~EngineService() override;

    // The application's service, over the standard builder.
    static EngineService& shared();

    // The structure engine when the model folder loads, else the document engine over
    // the text-grid recogniser; either is warmed up on the warm-up image when there is one.
    static Built buildStandard(const std::optional<std::filesystem::path>& modelsDir,
                               const std::optional<std::filesystem::path>& warmUpImage);

    // Starts building unless that has started already; returns at once.
    void preload();
    // Recognises the image at 72 * scale dpi after the build (and warm-up) has finished.
    // `done` runs on the main thread, and not at all once `context` is gone.
    void run(const QImage& image, double scale, QObject* context, Done done);

    bool ready() const { return ready_; }
    bool warm() const { return warm_; }
    const QString& engineName() const { return engineName_; }

signals:
    void stateChanged();

private:
    struct Pending {
        QImage image;
        double scale;
        QPointer<QObject> context;
        Done done;
    };
    void start(Pending pending);

    Builder builder_;
    QThreadPool pool_;
    bool loading_ = false;
    // Runs asked for before the engine was built. A future takes one continuation only,
    // so they wait here rather than on the build's future.
    std::vector<Pending> pending_;
    Engine engine_;
    QString engineName_ = QStringLiteral("loading");
    bool ready_ = false;
    bool warm_ = false;
};

}  // namespace Kestrow
