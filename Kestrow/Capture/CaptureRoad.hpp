#pragma once

#include "Kestrow/Capture/CaptureFailure.hpp"
#include "Kestrow/Capture/RegionSelector.hpp"
#include "Kestrow/Capture/ScreenCapture.hpp"
#include "Kestrow/Platform/ClipboardWriter.hpp"
#include "Kestrow/Shell/AlertPresenter.hpp"
#include "Kestrow/Shell/Clipboard.hpp"
#include "Kestrow/Shell/CaptureResult.hpp"
#include "Kestrow/Shell/EngineService.hpp"
#include "Kestrow/Shell/ToastKind.hpp"
#include "VozudOzev/Merge/StitchTables.hpp"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

namespace Kestrow {

// The road from a capture request to a table on the clipboard or in a window. Everything
// that needs a person or a screen comes through the ports, so the road runs in tests.
class CaptureRoad final : public QObject {
    Q_OBJECT
public:
    // The column-matching window's answer: the mapping, or none when the user cancelled;
    // `closed` tells a close from the title bar from the Cancel button.
    using MappingAnswer = std::function<void(std::optional<VozudOzev::StitchTables::Mapping> mapping, bool closed)>;

    struct Ports {
        // Shows the selection overlay; false when one is open already. The completion
        // gets nothing when the user cancelled.
        std::function<bool(const QString& hint, RegionSelector::Completion done)> selectRegion;
        // The selection's pixels, or why there are none.
        std::function<std::variant<ScreenCapture::Shot, CaptureFailure>(const RegionSelection&)> grab;
        // False (after its own feedback) when the rectangle shows this program's result.
        std::function<bool(const QRect&)> allowsCapture;
        // The application in front when the capture began, unless it is this one.
        std::function<std::optional<QString>()> frontApplicationName;
        std::function<void(const QString& text, ToastKind kind)> toast;
        std::function<void(const QString& text, int delayMs)> beginProgress;
        std::function<void()> endProgress;
        std::function<void(bool busy)> setBusy;  // the tray icon drawn disabled while reading
        std::function<void(const CaptureResult& result, const std::optional<QString>& notice)> openResult;
        std::function<void(const CaptureResult& result, const QString& sourceName, const QString& engine)> addHistory;
        std::function<void()> showOnboarding;
        // Opens the column-matching window for a stitch that cannot match the columns.
        std::function<void(const VozudOzev::StitchTables::MappingRequest&, MappingAnswer answer)> askMapping;
        std::function<void()> beep;
        std::function<void()> relaunch;
        // A screen capture succeeded: the consent records of this copy.
        std::function<void()> recordConsent;
        // Settings, read when needed.
        std::function<double()> flagThreshold;
        std::function<bool()> onboardingDone;
        std::function<Clipboard::CopyMode()> copyMode;
    };

    CaptureRoad(EngineService& engine, AlertPresenter& alerts, ClipboardWriter& clipboard, Ports ports,
                QObject* parent = nullptr);

    // Hot keys and menu items.
    void startCapture(bool quick);
    void gateCapture(const std::function<void()>& continuation);
    void beginCapture(bool quick);
    // Recognises the image and shows or copies the table; `finished` follows.
    void run(const QImage& image, double scale, bool quick, const std::optional<QString>& sourceName);
    // The clipboard's image; nothing happens without one.
    void clipboardAction();
    void processImage(const QImage& image);
    void processFile(const QString& path);

    // "Capture Next Part" of a result window: a new selection whose table is stitched under
    // `base`, the current table of the window showing `of`. The stitch opens in a new window.
    void captureNext(const VozudOzev::Table& base, const CaptureResult& of);
    void beginCaptureNext(const VozudOzev::Table& base, const CaptureResult& of);
    // Asks for a column mapping when the stitch needs one, else shows the stitched table.
    void finishStitch(const VozudOzev::StitchTables::Result& outcome, const VozudOzev::Table& base,
                      const VozudOzev::Table& next, const CaptureResult& of);
    static VozudOzev::StitchTables::Options stitchOptions();
    // The stitched table as a capture of its own: the base's image, timings and lines, one table.
    static CaptureResult stitchedResult(const CaptureResult& of, VozudOzev::Table stitched);

    void recognitionFailed(const QString& error);
    void captureFailed(const CaptureFailure& failure);

    bool alertOpen() const { return alertsOpen_ > 0; }
    int runsInFlight() const { return runsInFlight_; }

signals:
    // One recognition has ended, whatever its outcome.
    void finished();

private:
    int runAlert(const Alert& alert);
    void captureSelection(const RegionSelection& selection, bool quick, const std::optional<QString>& sourceName);
    // The selection's pixels with the consent recorded, or none after the failure is reported.
    std::optional<ScreenCapture::Shot> grabSelection(const RegionSelection& selection);
    void stitchThenFinish(const std::function<VozudOzev::StitchTables::Result()>& stitch,
                          const VozudOzev::Table& base, const VozudOzev::Table& next, const CaptureResult& of);
    void readNextPart(const ScreenCapture::Shot& shot, const VozudOzev::Table& base, const CaptureResult& of);
    void finishRun(const CaptureResult& result, bool quick, const std::optional<QString>& sourceName);

    EngineService& engine_;
    AlertPresenter& alerts_;
    ClipboardWriter& clipboard_;
    Ports ports_;
    int alertsOpen_ = 0;
    int runsInFlight_ = 0;
};

}  // namespace Kestrow
