#include "Kestrow/History/HistoryWindow.hpp"

#include "Kestrow/History/HistoryView.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace Kestrow {

HistoryWindow::HistoryWindow(HistoryStore& store, std::function<void(const CaptureResult&)> onOpen, QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store)
{
    setWindowTitle(tr("History"));
    setMinimumSize(480, 320);
    resize(640, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new HistoryView(store, std::move(onOpen), this);
    layout->addWidget(view_);
}

void HistoryWindow::present()
{
    if (!shownOnce_) {
        shownOnce_ = true;
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

}  // namespace Kestrow
