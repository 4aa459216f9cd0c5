// Memory and timing of a result window holding a 1,000 x 20 table and a 4K source image,
// through 200 cell edits. Prints the figures; the goal is a resident size under 400 MB.
//
// Usage: bench_app_ResultWindowMemory (runs offscreen)

#include "Kestrow/Result/ResultView.hpp"
#include "support/BigCapture.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>

#include <cstdio>
#include <cstdlib>

namespace {

// Resident and peak resident size in MB, from the kernel's view of this process.
std::pair<double, double> residentMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    double rss = 0, hwm = 0;
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                rss = line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
            if (line.startsWith("VmHWM:"))
                hwm = line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
        }
    return {rss, hwm};
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_LOGGING_RULES", "qt.qpa.*=false", 0);
    QApplication app(argc, argv);
    const auto before = residentMB();

    Kestrow::CaptureResult capture = Bench::bigCapture();
    QElapsedTimer timer;
    timer.start();
    Kestrow::ResultEnvironment env;
    env.services.setClipboard = [](std::unique_ptr<QMimeData>) {};
    int writes = 0;
    env.writeBack = [&](const QUuid&, const std::vector<VozudOzev::Table>&, int) { ++writes; };
    env.debounceMs = 1;
    Kestrow::ResultView view(std::move(capture), std::nullopt, {}, env);
    view.resize(900, 600);
    view.show();
    view.grab();  // the first paint
    const double openMs = timer.nsecsElapsed() / 1e6;
    const auto opened = residentMB();

    auto* doc = view.doc();
    double editTotal = 0, editWorst = 0;
    for (int i = 0; i < 200; ++i) {
        const KestrowEditor::CellPos at(1 + (i * 37) % 999, (i * 7) % 20);
        timer.restart();
        doc->select(at, false);
        doc->setText("edit " + std::to_string(i), at, 0.8);
        view.repaint();
        const double ms = timer.nsecsElapsed() / 1e6;
        editTotal += ms;
        editWorst = std::max(editWorst, ms);
        QCoreApplication::processEvents();
    }
    const auto edited = residentMB();

    std::printf("open and first paint: %.1f ms\n", openMs);
    std::printf("cell edit round trip (select, edit, repaint): mean %.2f ms, worst %.2f ms over 200\n",
                editTotal / 200, editWorst);
    std::printf("resident: %.0f MB before, %.0f MB open, %.0f MB after 200 edits (peak %.0f MB); goal < 400 MB\n",
                before.first, opened.first, edited.first, edited.second);
    std::printf("history write-backs: %d\n", writes);
    return edited.second < 400 ? 0 : 1;
}
