#pragma once

#include "Kestrow/Shell/ToastKind.hpp"

#include <QString>

#include <optional>
#include <vector>

namespace Kestrow {

// The capture road's way to show toasts and the progress pill, so it can be tested without
// windows.
//
//     hud.toast(tr("Copied %1 × %2 table").arg(r).arg(c), ToastKind::success);
//     hud.beginProgress(tr("Reading table…"), 0.25);  ...  hud.endProgress();
class HudPresenter {
public:
    virtual ~HudPresenter() = default;
    virtual void toast(const QString& text, ToastKind kind) = 0;
    virtual void beginProgress(const QString& text, double afterSeconds) = 0;
    virtual void endProgress() = 0;
    // Hides whatever floats (before the screens are frozen).
    virtual void hideAll() = 0;
};

// The real pills.
class PanelHudPresenter final : public HudPresenter {
public:
    void toast(const QString& text, ToastKind kind) override;
    void beginProgress(const QString& text, double afterSeconds) override;
    void endProgress() override;
    void hideAll() override;
};

// Records what would be shown.
class FakeHudPresenter final : public HudPresenter {
public:
    struct Shown {
        QString text;
        ToastKind kind;
    };
    void toast(const QString& text, ToastKind kind) override { toasts.push_back({text, kind}); }
    void beginProgress(const QString& text, double) override { progress = text; ++progressBegins; }
    void endProgress() override { progress.reset(); ++progressEnds; }
    void hideAll() override { ++hides; }

    std::vector<Shown> toasts;
    std::optional<QString> progress;
    int progressBegins = 0, progressEnds = 0, hides = 0;
};

}  // namespace Kestrow
