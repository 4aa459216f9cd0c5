// Time from a global hot key to the selection overlay on screen, under a real X server:
//   xvfb-run -a -s "-screen 0 2880x1800x24" build/bench/bench_HotkeyToOverlay [rounds [idle seconds]]
// Each round presses the capture hot key with xdotool and stops the clock once the overlay's
// first frame has been painted and the server has it. Reported: the whole press-to-overlay
// time (xdotool's own start-up included) and the part from the hot-key action to the overlay.
#include "Kestrow/Capture/CaptureOverlay.hpp"
#include "Kestrow/Capture/QtScreenSource.hpp"
#include "Kestrow/Capture/SelectionView.hpp"
#include "Kestrow/Platform/Hotkeys.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QEventLoop>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Kestrow;
using Clock = std::chrono::steady_clock;

namespace {

// This process's own processor time, which a busy machine does not inflate.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

QByteArray resident() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS")) return line.mid(6).trimmed();
    return "?";
}

double ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

// Notes the first paint and ends a waiting loop right after it.
class PaintWatch : public QObject {
public:
    bool painted = false;
    QEventLoop* loop = nullptr;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !painted) {
            painted = true;
            if (loop) QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

void report(const char* name, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    std::printf("%-28s median %7.1f ms   mean %7.1f ms   min %7.1f ms   max %7.1f ms\n", name, v[v.size() / 2],
                sum / double(v.size()), v.front(), v.back());
}

// Where the time goes: reading the screen, painting the first frame, showing the window.
int timeParts() {
    for (int i = 0; i < 5; ++i) {
        double c[6];
        c[0] = cpuMs();
        QPixmap pixmap = QGuiApplication::primaryScreen()->grabWindow(0);
        c[1] = cpuMs();
        QImage image = pixmap.toImage();
        c[2] = cpuMs();
        SelectionView view({QtScreenSource::info(*QGuiApplication::primaryScreen()), image});
        c[3] = cpuMs();
        view.render();
        c[4] = cpuMs();
        PaintWatch watch;
        QEventLoop loop;
        watch.loop = &loop;
        view.installEventFilter(&watch);
        view.show();
        loop.exec();
        c[5] = cpuMs();
        std::printf("processor: grab %6.1f  toImage %6.1f  view %6.1f  render %6.1f  show+paint %6.1f ms\n",
                    c[1] - c[0], c[2] - c[1], c[3] - c[2], c[4] - c[3], c[5] - c[4]);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "Vantrel: needs an X display (run under xvfb-run)\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    if (argc > 1 && std::string(argv[1]) == "--parts") return timeParts();
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const int idleSeconds = argc > 2 ? std::max(0, std::atoi(argv[2])) : 0;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    std::printf("screen %dx%d, %d rounds\n", screen.width(), screen.height(), rounds);

    QtScreenSource source;
    CaptureOverlay overlay(source);
    std::unique_ptr<Hotkeys> keys = Hotkeys::forPlatform();
    Clock::time_point actionAt;
    double actionCpu = 0;
    PaintWatch watch;
    bool begun = false;
    const auto ok = keys->registerAll({{Shortcut::defaultCapture(), [&] {
                                           actionAt = Clock::now();
                                           actionCpu = cpuMs();
                                           begun = overlay.begin(QStringLiteral("Drag over a table. Esc cancels."), [](auto) {});
                                           for (SelectionView* v : overlay.views()) v->installEventFilter(&watch);
                                       }}});
    if (ok.empty() || !ok[0]) {
        std::fprintf(stderr, "Vantrel: could not register the hot key\n");
        return 1;
    }
    xcb_connection_t* connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    // xdotool runs from a helper started now: forking this process during a round would cost it
    // copy-on-write faults that have nothing to do with the overlay.
    QProcess presser;
    presser.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while read line; do xdotool key super+shift+t; done")});
    if (!presser.waitForStarted()) {
        std::fprintf(stderr, "Vantrel: cannot start sh\n");
        return 1;
    }
    std::vector<double> total, fromAction, cpu;
    for (int i = 0; i < rounds; ++i) {
        watch.painted = false;
        begun = false;
        const Clock::time_point pressAt = Clock::now();
        presser.write("\n");
        // Wait without spinning, so the processor time below is the overlay's alone.
        QEventLoop loop;
        watch.loop = &loop;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        watch.loop = nullptr;
        // A round trip: the server has handled every drawing request sent before it.
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        const Clock::time_point shownAt = Clock::now();
        if (!watch.painted) {
            std::fprintf(stderr, "round %d: no overlay\n", i);
            return 1;
        }
        total.push_back(ms(pressAt, shownAt));
        fromAction.push_back(ms(actionAt, shownAt));
        cpu.push_back(cpuMs() - actionCpu);
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(overlay.views().front(), &esc);
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 150) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    presser.closeWriteChannel();
    presser.waitForFinished(2000);
    std::printf("first round: key press -> overlay shown %.1f ms\n", total.front());
    report("key press -> overlay shown", total);
    std::printf("resident after the rounds: %s\n", resident().constData());
    if (idleSeconds > 0) {
        // Long enough for the overlay to hand back the frames' memory.
        QEventLoop idle;
        QTimer::singleShot(idleSeconds * 1000, &idle, &QEventLoop::quit);
        idle.exec();
        std::printf("resident after %d s idle: %s\n", idleSeconds, resident().constData());
    }
    report("hot-key action -> shown", fromAction);
    report("  of which our processor", cpu);
    return 0;
}
