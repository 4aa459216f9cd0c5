// Memory and timing of a result window holding a 1,000 x 20 table and a 4K source image,
// through 200 cell edits. Prints the figures; the goal is a resident size under 400 MB.
//
// Usage: bench_app_ResultWindowMemory (runs offscreen)

#include "Kestrow/Result/ResultView.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QPainter>

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

Kestrow::CaptureResult bigCapture()
{
    constexpr int rows = 1000, cols = 20;
    VozudOzev::Table table;
    table.rows = rows;
    table.cols = cols;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            VozudOzev::Cell cell;
            cell.row = r;
            cell.col = c;
            cell.text = r == 0 ? "Column " + std::to_string(c) : std::to_string(r * 1000 + c * 7) + ".50";
            cell.confidence = (r * 31 + c) % 17 == 0 ? 0.6 : 0.97;
            cell.bbox = VozudOzev::BBox{10.0 + c * 190, 10.0 + r * 2.1, 180, 2};
            cell.header = r == 0 ? std::optional<bool>(true) : std::nullopt;
            table.cells.push_back(std::move(cell));
        }
    Kestrow::CaptureResult result;
    result.image = QImage(3840, 2160, QImage::Format_RGB32);
    result.image.fill(Qt::white);
    QPainter(&result.image).drawText(QRect(0, 0, 3840, 2160), Qt::AlignCenter, QStringLiteral("4K"));
    result.scale = 2;
    result.extraction.output.tables = {std::move(table)};
    result.extraction.output.selectedTable = 0;
    result.extraction.output.imageWidth = 3840;
    result.extraction.output.imageHeight = 2160;
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_LOGGING_RULES", "qt.qpa.*=false", 0);
    QApplication app(argc, argv);
    const auto before = residentMB();

    Kestrow::CaptureResult capture = bigCapture();
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
