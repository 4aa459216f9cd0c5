#pragma once

#include "Kestrow/Shell/CaptureResult.hpp"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace Kestrow {

class HistoryStore;
class HistoryView;

// The "History" window around HistoryView, with the history settings one click away
// until the settings window holds them. The shell makes one per run and keeps it.
class HistoryWindow : public QWidget {
    Q_OBJECT

public:
    HistoryWindow(HistoryStore& store, std::function<void(const CaptureResult&)> onOpen, QWidget* parent = nullptr);

    HistoryView& view() { return *view_; }
    // Shows the window in front, centred on first showing.
    void present();

private:
    void showSettings();

    HistoryStore& store_;
    HistoryView* view_ = nullptr;
    QPointer<QWidget> settings_;
    bool shownOnce_ = false;
};

}  // namespace Kestrow
