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

CaptureOverlay::CaptureOverlay(ScreenSource& source, QObject* parent) : QObject(parent), source_(source) {}

CaptureOverlay::~CaptureOverlay() {
    // Never leave a full-screen window or a pushed cursor behind.
    completion_ = nullptr;
    finish(std::nullopt);
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

    for (FrozenFrame& frame : source_.grabAll()) {
        const ScreenInfo screen = frame.screen;
        auto* view = new SelectionView(std::move(frame));
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
        v->deleteLater();
    }
    views_.clear();
    Completion done = std::move(completion_);
    completion_ = nullptr;
    if (done) done(std::move(result));
}

}  // namespace Kestrow
