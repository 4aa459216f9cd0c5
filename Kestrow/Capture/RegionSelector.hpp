#pragma once

#include "Kestrow/Capture/RegionSelection.hpp"

#include <QString>

#include <functional>
#include <optional>

namespace Kestrow {

// Lets the user drag a rectangle over a frozen frame of the screens.
// `begin` returns false and keeps nothing while a selection is in progress; otherwise it
// returns true and later calls the completion exactly once, on the main thread, after the
// overlay is gone: nothing for a cancellation (Escape), else the selection.
//
//     overlay.begin(tr("Drag over a table. Esc cancels."), [this](std::optional<RegionSelection> s) {
//         if (!s) return;                                   // cancelled: nothing to report
//         auto shot = ScreenCapture::capture(s->frame, s->rect);  // throws CaptureFailure
//     });
class RegionSelector {
public:
    using Completion = std::function<void(std::optional<RegionSelection>)>;
    virtual ~RegionSelector() = default;
    virtual bool begin(const QString& hint, Completion completion) = 0;
    virtual bool isSelecting() const = 0;
};

// For tests of the callers: `begin` stores the completion; `finish` delivers a result.
class FakeRegionSelector final : public RegionSelector {
public:
    bool begin(const QString& hint, Completion completion) override {
        if (completion_) return false;
        lastHint = hint;
        ++begins;
        completion_ = std::move(completion);
        return true;
    }
    bool isSelecting() const override { return static_cast<bool>(completion_); }
    void finish(std::optional<RegionSelection> result) {
        Completion c = std::move(completion_);
        completion_ = nullptr;
        if (c) c(std::move(result));
    }
    QString lastHint;
    int begins = 0;

private:
    Completion completion_;
};

}  // namespace Kestrow
