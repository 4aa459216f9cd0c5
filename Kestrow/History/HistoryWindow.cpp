#include "Kestrow/History/HistoryWindow.hpp"

#include "Kestrow/History/HistorySettingsSection.hpp"
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
    view_->setShowSettings([this] { showSettings(); });
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

void HistoryWindow::showSettings()
{
    if (!settings_) {
        auto* window = new QWidget(this, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(tr("History Settings"));
        auto* layout = new QVBoxLayout(window);
        layout->addWidget(new HistorySettingsSection(store_, nullptr, window));
        window->resize(560, 380);
        settings_ = window;
    }
    settings_->show();
    settings_->raise();
    settings_->activateWindow();
}

}  // namespace Kestrow
