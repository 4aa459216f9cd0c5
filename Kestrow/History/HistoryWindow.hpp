#pragma once

#include "Kestrow/Shell/CaptureResult.hpp"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace Kestrow {

class HistoryStore;
class HistoryView;

// The "History" window around HistoryView; its settings live on the settings window's
// History tab. The shell makes one per run and keeps it.
class HistoryWindow : public QWidget {
    Q_OBJECT

public:
    HistoryWindow(HistoryStore& store, std::function<void(const CaptureResult&)> onOpen, QWidget* parent = nullptr);

    HistoryView& view() { return *view_; }
    // Shows the window in front, centred on first showing.
    void present();

private:
    HistoryStore& store_;
    HistoryView* view_ = nullptr;
    bool shownOnce_ = false;
};

}  // namespace Kestrow
