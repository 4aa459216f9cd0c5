// The road of a next part: capture, read, stitch under the window's table, open the result.
#include "Kestrow/Capture/CaptureRoad.hpp"

#include "Kestrow/Result/Stitching.hpp"
#include "Kestrow/Shell/Log.hpp"
#include "Kestrow/Shell/TrustWiring.hpp"

#include <QPointer>

namespace Kestrow {

using VozudOzev::Table;
namespace Stitch = VozudOzev::StitchTables;

Stitch::Options CaptureRoad::stitchOptions()
{
    return {std::nullopt, 0.9, 0.8};
}

CaptureResult CaptureRoad::stitchedResult(const CaptureResult& of, Table stitched)
{
    CaptureResult result;
    result.image = of.image;
    result.scale = of.scale;
    result.extraction = of.extraction;
    result.extraction.output.tables = {std::move(stitched)};
    result.extraction.output.selectedTable = 0;
    result.sourceName = std::nullopt;
    return result;
}

void CaptureRoad::captureNext(const Table& base, const CaptureResult& of)
{
    if (alertOpen()) {
        if (ports_.beep)
            ports_.beep();
        return;
    }
    QPointer<CaptureRoad> self(this);
    gateCapture([self, base, of] {
        if (self)
            self->beginCaptureNext(base, of);
    });
}

void CaptureRoad::beginCaptureNext(const Table& base, const CaptureResult& of)
{
    if (!ports_.selectRegion)
        return;
    QPointer<CaptureRoad> self(this);
    ports_.selectRegion(QString(), [self, base, of](std::optional<RegionSelection> selection) {
        if (!self || !selection)
            return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, base, of, selection] {
                if (self->ports_.allowsCapture && !self->ports_.allowsCapture(selection->rect.toAlignedRect()))
                    return;
                if (const std::optional<ScreenCapture::Shot> shot = self->grabSelection(*selection))
                    self->readNextPart(*shot, base, of);
            },
            Qt::QueuedConnection);
    });
}

void CaptureRoad::readNextPart(const ScreenCapture::Shot& shot, const Table& base, const CaptureResult& of)
{
    if (ports_.beginProgress)
        ports_.beginProgress(engine_.warm() ? tr("Reading table…") : tr("Preparing the table reader (first time only)…"),
                             250);
    QPointer<CaptureRoad> self(this);
    engine_.run(shot.image, shot.scale, this, [self, base, of](EngineService::Run run) {
        if (!self)
            return;
        if (self->ports_.endProgress)
            self->ports_.endProgress();
        const Table* next = run.extraction ? run.extraction->output.selected() : nullptr;
        if (!run.extraction) {
            self->recognitionFailed(run.error);
        } else if (!next) {
            self->runAlert({tr("No table found"), tr("The new capture has no table to append."), {}});
        } else {
            const Table nextTable = *next;
            self->stitchThenFinish([&] { return Stitch::stitch(base, nextTable, stitchOptions()); }, base, nextTable, of);
        }
        emit self->finished();
    });
}

void CaptureRoad::stitchThenFinish(const std::function<Stitch::Result()>& stitch, const Table& base,
                                   const Table& next, const CaptureResult& of)
{
    std::optional<Stitch::Result> outcome;
    try {
        outcome = stitch();
    } catch (const std::exception& error) {
        // A table the stitcher refuses must not take the application down with it.
        Log::line(QStringLiteral("stitch failed — ") + QString::fromUtf8(error.what()));
        if (ports_.toast)
            ports_.toast(tr("The next part was not added."), ToastKind::warning);
        return;
    }
    finishStitch(*outcome, base, next, of);
}

void CaptureRoad::finishStitch(const Stitch::Result& outcome, const Table& base, const Table& next,
                               const CaptureResult& of)
{
    if (const Stitch::MappingRequest* request = outcome.request()) {
        if (!ports_.askMapping)
            return;
        QPointer<CaptureRoad> self(this);
        ports_.askMapping(*request, [self, base, next, of](std::optional<Stitch::Mapping> mapping, bool closed) {
            if (!self)
                return;
            if (!mapping) {
                // Cancel drops the new part; a window closed without an answer says so.
                if (closed && self->ports_.toast)
                    self->ports_.toast(tr("The next part was not added."), ToastKind::warning);
                return;
            }
            self->stitchThenFinish([&] { return Stitch::stitch(base, next, *mapping, stitchOptions()); }, base, next, of);
        });
        return;
    }
    const Stitch::Stitched* stitched = outcome.stitched();
    if (!stitched)
        return;
    const double threshold = ports_.flagThreshold ? ports_.flagThreshold() : 0.8;
    const CaptureResult result = stitchedResult(of, TrustWiring::reanalyze(stitched->table, threshold));
    if (ports_.addHistory)
        ports_.addHistory(result, QStringLiteral("Stitched capture"), engine_.engineName());
    if (ports_.openResult)
        ports_.openResult(result, std::nullopt);
    if (ports_.toast)
        ports_.toast(Stitching::summary(stitched->report), ToastKind::success);
}

}  // namespace Kestrow
