#include "Kestrow/Capture/CaptureRoad.hpp"

#include "Kestrow/Shell/Clipboard.hpp"
#include "Kestrow/Shell/ImageConversion.hpp"
#include "Kestrow/Shell/Log.hpp"
#include "Kestrow/Shell/PermissionFlow.hpp"
#include "Kestrow/Shell/QuickCaptureOutcome.hpp"
#include "Kestrow/Shell/TrustWiring.hpp"
#include "VozudOzev/OCR/ImageLoader.hpp"
#include "VozudOzev/Structure/ImageResolution.hpp"

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>

namespace Kestrow {

namespace {

// The printed form of a failure in the log: its case name, with the text for `other`.
QString caseName(const CaptureFailure& failure)
{
    switch (failure.kind) {
    case CaptureFailure::Kind::permission: return QStringLiteral("permission");
    case CaptureFailure::Kind::blank: return QStringLiteral("blank");
    case CaptureFailure::Kind::other: break;
    }
    return QStringLiteral("other(\"") + failure.text + QStringLiteral("\")");
}

}  // namespace

CaptureRoad::CaptureRoad(EngineService& engine, AlertPresenter& alerts, ClipboardWriter& clipboard, Ports ports,
                         QObject* parent)
    : QObject(parent), engine_(engine), alerts_(alerts), clipboard_(clipboard), ports_(std::move(ports))
{
}

int CaptureRoad::runAlert(const Alert& alert)
{
    ++alertsOpen_;
    const int choice = alerts_.run(alert);
    --alertsOpen_;
    return choice;
}

void CaptureRoad::startCapture(bool quick)
{
    // An application-modal alert blocks input to every other window, the overlay's too:
    // a selection opened now could never be finished or cancelled.
    if (alertOpen()) {
        if (ports_.beep)
            ports_.beep();
        return;
    }
    QPointer<CaptureRoad> self(this);
    gateCapture([self, quick] {
        if (self)
            self->beginCapture(quick);
    });
}

void CaptureRoad::gateCapture(const std::function<void()>& continuation)
{
    // There is no consent to test on Linux: any capture that works is the consent.
    const bool onboardingDone = ports_.onboardingDone && ports_.onboardingDone();
    const CaptureGate gate = decideGate(ScreenAccess::preflight(), onboardingDone, false);
    if (gate == CaptureGate::capture) {
        continuation();
        return;
    }
    Log::line("capture gate — " + gateName(gate));
    switch (gate) {
    case CaptureGate::testThenCapture:
        PermissionFlow::runTestCapture(false, [continuation](bool ok) {
            if (ok)
                continuation();
        });
        break;
    case CaptureGate::onboarding:
        if (ports_.showOnboarding) {
            ports_.showOnboarding();
            break;
        }
        [[fallthrough]];
    case CaptureGate::explainThenRequest:
        ++alertsOpen_;
        PermissionFlow::requestScreenAccess(alerts_);
        --alertsOpen_;
        break;
    case CaptureGate::capture: break;
    }
}

void CaptureRoad::beginCapture(bool quick)
{
    const std::optional<QString> sourceName =
        ports_.frontApplicationName ? ports_.frontApplicationName() : std::nullopt;
    const QString hint = quick ? tr("Quick Capture: drag over a table to copy it  ·  Esc to cancel")
                               : tr("Drag over a table  ·  Esc to cancel");
    if (!ports_.selectRegion)
        return;
    QPointer<CaptureRoad> self(this);
    ports_.selectRegion(hint, [self, quick, sourceName](std::optional<RegionSelection> selection) {
        if (!self || !selection)
            return;
        // Carry on from the event loop, not from inside the overlay's mouse handling: an
        // alert's modal loop there would run with the overlay's input still in flight.
        QMetaObject::invokeMethod(
            self.data(), [self, quick, sourceName, selection] { self->captureSelection(*selection, quick, sourceName); },
            Qt::QueuedConnection);
    });
}

void CaptureRoad::captureSelection(const RegionSelection& selection, bool quick,
                                   const std::optional<QString>& sourceName)
{
    if (ports_.allowsCapture && !ports_.allowsCapture(selection.rect.toAlignedRect()))
        return;
    if (const std::optional<ScreenCapture::Shot> shot = grabSelection(selection))
        run(shot->image, shot->scale, quick, sourceName);
}

std::optional<ScreenCapture::Shot> CaptureRoad::grabSelection(const RegionSelection& selection)
{
    std::variant<ScreenCapture::Shot, CaptureFailure> grabbed =
        ports_.grab ? ports_.grab(selection) : CaptureFailure::other("No display to capture");
    if (auto* failure = std::get_if<CaptureFailure>(&grabbed)) {
        captureFailed(*failure);
        return std::nullopt;
    }
    if (ports_.recordConsent)
        ports_.recordConsent();
    return std::get<ScreenCapture::Shot>(std::move(grabbed));
}

void CaptureRoad::run(const QImage& image, double scale, bool quick, const std::optional<QString>& sourceName)
{
    ++runsInFlight_;
    if (ports_.setBusy)
        ports_.setBusy(true);
    if (ports_.beginProgress)
        ports_.beginProgress(engine_.warm() ? tr("Reading table…") : tr("Preparing the table reader (first time only)…"),
                             250);
    const double threshold = ports_.flagThreshold ? ports_.flagThreshold() : 0.8;
    QPointer<CaptureRoad> self(this);
    engine_.run(image, scale, this, [self, image, scale, quick, sourceName, threshold](EngineService::Run run) {
        if (!self)
            return;
        if (!run.extraction) {
            self->recognitionFailed(run.error);
        } else {
            CaptureResult result;
            result.image = image;
            result.scale = scale;
            result.extraction = TrustWiring::analyze(std::move(*run.extraction), threshold);
            result.sourceName = sourceName;
            self->finishRun(result, quick, sourceName);
        }
        --self->runsInFlight_;
        if (self->ports_.setBusy)
            self->ports_.setBusy(self->runsInFlight_ > 0);
        if (self->ports_.endProgress)
            self->ports_.endProgress();
        emit self->finished();
    });
}

void CaptureRoad::finishRun(const CaptureResult& result, bool quick, const std::optional<QString>& sourceName)
{
    if (ports_.addHistory)
        ports_.addHistory(result, sourceName.value_or(QStringLiteral("Screen capture")), engine_.engineName());
    if (!quick) {
        if (ports_.endProgress)
            ports_.endProgress();
        if (ports_.openResult)
            ports_.openResult(result, std::nullopt);
        return;
    }
    const VozudOzev::EngineOutput& output = result.extraction.output;
    std::optional<VozudOzev::Table> selected;
    if (output.selectedTable && *output.selectedTable >= 0 &&
        *output.selectedTable < static_cast<int>(output.tables.size()))
        selected = output.tables[static_cast<size_t>(*output.selectedTable)];
    const QuickCaptureOutcome outcome = QuickCaptureOutcome::decide(selected);
    if (outcome.openEditor) {
        if (ports_.endProgress)
            ports_.endProgress();
        if (ports_.openResult)
            ports_.openResult(result, outcome.openEditor->message());
        return;
    }
    Clipboard::copy(*outcome.copy, ports_.copyMode ? ports_.copyMode() : Clipboard::CopyMode::asShown, clipboard_);
    if (ports_.toast)
        ports_.toast(tr("Copied %1 × %2 table").arg(outcome.copy->rows).arg(outcome.copy->cols), ToastKind::success);
}

void CaptureRoad::clipboardAction()
{
    if (clipboard_.hasImage())
        processImage(clipboard_.image());
}

void CaptureRoad::processImage(const QImage& image)
{
    if (image.isNull())
        return;
    const double ratio = image.devicePixelRatio();
    run(image, ratio > 0 ? ratio : 1.0, false, std::nullopt);
}

void CaptureRoad::processFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    VozudOzev::Image pixels;
    try {
        pixels = VozudOzev::ImageLoader::load(path.toStdString());
    } catch (const std::exception&) {
        runAlert({tr("Can't open image"), name, {}});
        return;
    }
    const VozudOzev::Dpi dpi = VozudOzev::ImageResolution::dpi(path.toStdString());
    const double scale = dpi.x / 72;
    run(ImageConversion::fromLibrary(pixels), std::isfinite(scale) && scale > 0 ? scale : 1.0, false, name);
}

void CaptureRoad::recognitionFailed(const QString& error)
{
    Log::line("recognition failed — " + error);
    runAlert({tr("Table recognition failed"),
              tr("Vantrel couldn't read this image. Try capturing again, a little larger. If it keeps happening, "
                 "use Send Feedback in the menu."),
              {}});
}

void CaptureRoad::captureFailed(const CaptureFailure& failure)
{
    Log::line("capture failed — " + caseName(failure));
    if (failure.kind == CaptureFailure::Kind::other) {
        runAlert({failure.title(), failure.message(), {}});
        return;
    }
    // There are no system settings to open on Linux; reopening is what can help.
    const int choice = runAlert({failure.title(), failure.message(), {tr("Quit & Reopen"), tr("Cancel")}});
    if (choice == 0 && ports_.relaunch)
        ports_.relaunch();
}

}  // namespace Kestrow
