#pragma once

#include "Kestrow/Capture/RegionSelector.hpp"
#include "Kestrow/Capture/ScreenSource.hpp"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace Kestrow {

class SelectionView;

// The real selector: freezes every screen (after `prepare` has hidden the application's own
// floating panels), covers each with a full-screen window that paints the frozen frame dimmed,
// and lets the user drag a rectangle on one of them. Escape cancels.
class CaptureOverlay final : public QObject, public RegionSelector {
    Q_OBJECT
public:
    explicit CaptureOverlay(ScreenSource& source, QObject* parent = nullptr);
    ~CaptureOverlay() override;

    bool begin(const QString& hint, Completion completion) override;
    bool isSelecting() const override { return selecting_; }

    // Runs before the screens are grabbed (hides toasts and the like).
    std::function<void()> prepare;

    // The windows now shown, one per screen (for tests).
    std::vector<SelectionView*> views() const;

private:
    void finish(std::optional<RegionSelection> result);

    ScreenSource& source_;
    std::vector<QPointer<SelectionView>> views_;  // shown now
    std::vector<QPointer<SelectionView>> pool_;   // kept hidden between selections, one per screen
    Completion completion_;
    bool selecting_ = false;
    bool cursorPushed_ = false;
    QObject* escape_ = nullptr;
    QTimer trim_;
};

}  // namespace Kestrow
