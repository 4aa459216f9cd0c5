#include "Kestrow/Capture/CaptureOverlay.hpp"

#include "Kestrow/Capture/SelectionGeometry.hpp"
#include "Kestrow/Capture/SelectionView.hpp"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <cstdio>

#include <malloc.h>

namespace Kestrow {

namespace {

// Escape anywhere in the application ends the selection, whichever window has the keyboard.
class EscapeFilter final : public QObject {
public:
    explicit EscapeFilter(std::function<void()> onEscape, QObject* parent) : QObject(parent), onEscape_(std::move(onEscape)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            onEscape_();
            return true;
        }
        return false;
    }

private:
    std::function<void()> onEscape_;
};

bool onX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

bool takeKeyboard(SelectionView* view) {
    view->activateWindow();
    view->setFocus(Qt::OtherFocusReason);
    // Only X11 has grabs; elsewhere (offscreen) focus is all there is.
    if (!onX11()) return true;
    view->raise();
    QWindow* window = view->windowHandle();
    return window && window->setKeyboardGrabEnabled(true);
}

}  // namespace

CaptureOverlay::CaptureOverlay(ScreenSource& source, QObject* parent) : QObject(parent), source_(source) {
    trim_.setSingleShot(true);
    trim_.setInterval(10000);
    connect(&trim_, &QTimer::timeout, this, [] { malloc_trim(0); });
}

CaptureOverlay::~CaptureOverlay() {
    // Never leave a full-screen window or a pushed cursor behind.
    completion_ = nullptr;
    finish(std::nullopt);
    for (const auto& v : pool_) delete v.data();
}

std::vector<SelectionView*> CaptureOverlay::views() const {
    std::vector<SelectionView*> out;
    for (const auto& v : views_)
        if (v) out.push_back(v);
    return out;
}

bool CaptureOverlay::begin(const QString& hint, Completion completion) {
    if (selecting_) return false;
    selecting_ = true;
    trim_.stop();
    completion_ = std::move(completion);
    if (prepare) {
        // When a pill of ours was up, give the windows beneath a moment to repaint the place it
        // leaves before the screens are read.
        const QWidgetList windows = QApplication::topLevelWidgets();
        const bool floating = std::any_of(windows.cbegin(), windows.cend(), [](const QWidget* w) {
            return w->isVisible() && w->windowType() == Qt::ToolTip;
        });
        prepare();
        if (floating && onX11()) {
            QCoreApplication::processEvents();
            QThread::msleep(40);
            QCoreApplication::processEvents();
        }
    }

    std::vector<FrozenFrame> frames = source_.grabAll();
    // Screens that went away take their windows with them.
    while (pool_.size() > frames.size()) {
        delete pool_.back().data();
        pool_.pop_back();
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        FrozenFrame& frame = frames[i];
        const ScreenInfo screen = frame.screen;
        SelectionView* view = i < pool_.size() ? pool_[i].data() : nullptr;
        if (view) {
            view->setFrame(std::move(frame));
        } else {
            view = new SelectionView(std::move(frame));
            if (i < pool_.size()) pool_[i] = view;
            else pool_.emplace_back(view);
        }
        view->hint = hint;
        view->topInset = SelectionGeometry::topInset(screen.geometry, screen.available);
        QPointer<CaptureOverlay> self(this);
        view->onDone = [self, view](QRectF r) {
            if (!self) return;
            const FrozenFrame& f = view->frame();
            self->finish(RegionSelection{r.translated(f.screen.geometry.topLeft()), f});
        };
        view->onCancel = [self] {
            if (self) self->finish(std::nullopt);
        };
        view->show();
        views_.emplace_back(view);
    }

    QApplication::setOverrideCursor(Qt::CrossCursor);
    cursorPushed_ = true;
    escape_ = new EscapeFilter([this] { finish(std::nullopt); }, this);
    qApp->installEventFilter(escape_);

    if (views_.empty()) {
        // Nothing to draw on (no screen could be read): cancel rather than wait for a key that
        // no window of ours can receive.
        QTimer::singleShot(0, this, [this] { finish(std::nullopt); });
        return true;
    }
    SelectionView* key = views_.front();
    for (const auto& v : views_)
        if (v->geometry().contains(QCursor::pos())) {
            key = v;
            break;
        }
    if (!takeKeyboard(key)) {
        QPointer<SelectionView> weak(key);
        QTimer::singleShot(0, this, [this, weak] {
            if (!selecting_ || !weak) return;
            std::fprintf(stderr, "Vantrel: overlay panel did not become key; activating the app for Esc\n");
            takeKeyboard(weak);
        });
    }
    return true;
}

void CaptureOverlay::finish(std::optional<RegionSelection> result) {
    if (!selecting_) return;
    selecting_ = false;
    if (cursorPushed_) {
        QApplication::restoreOverrideCursor();
        cursorPushed_ = false;
    }
    if (escape_) {
        qApp->removeEventFilter(escape_);
        escape_->deleteLater();
        escape_ = nullptr;
    }
    for (const auto& v : views_) {
        if (!v) continue;
        if (QWindow* w = v->windowHandle(); w && onX11()) w->setKeyboardGrabEnabled(false);
        v->hide();
        v->releaseFrame();
    }
    views_.clear();
    Completion done = std::move(completion_);
    completion_ = nullptr;
    if (done) done(std::move(result));
    // The frozen frames are gone now (tens of megabytes on large screens). The memory goes back
    // to the system once captures pause: right away, the next capture would pay for fresh pages.
    trim_.start();
}

}  // namespace Kestrow
