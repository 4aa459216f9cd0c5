#include "Kestrow/Editor/GridContainer.hpp"
#include "Kestrow/Editor/GridTableView.hpp"
#include "Kestrow/Result/ResultWindow.hpp"

#include <QEventLoop>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Kestrow;

namespace {

// Runs a program while this process keeps serving its windows and the clipboard.
QByteArray run(const QString& program, const QStringList& args)
{
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    process.start(program, args);
    loop.exec();
    EXPECT_EQ(process.state(), QProcess::NotRunning) << program.toStdString() << " hung";
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << " failed";
    return process.readAllStandardOutput();
}

CaptureResult capture()
{
    VozudOzev::Table t;
    t.rows = 3;
    t.cols = 2;
    const auto cell = [](int r, int c, std::string text, double confidence) {
        VozudOzev::Cell cell;
        cell.row = r;
        cell.col = c;
        cell.text = std::move(text);
        cell.confidence = confidence;
        return cell;
    };
    t.cells = {cell(0, 0, "Item", 0.99), cell(0, 1, "Qty", 0.99), cell(1, 0, "Apples", 0.98),
               cell(1, 1, "l2", 0.41),  // misread, flagged by its low confidence
               cell(2, 0, "Pears", 0.97), cell(2, 1, "7", 0.96)};
    t.cells[0].header = t.cells[1].header = true;
    CaptureResult result;
    result.image = QImage(300, 120, QImage::Format_RGB32);
    result.image.fill(Qt::white);
    result.extraction.output.tables = {t};
    result.extraction.output.selectedTable = 0;
    result.sourceName = QStringLiteral("Fruit");
    return result;
}

}  // namespace

// The user jumps to the flagged cell, types the correction, presses Ctrl+C, and another
// program pastes the corrected table.
TEST(X11ResultWindow, TypedCorrectionReachesTheClipboard)
{
    ResultEnvironment env;  // the real clipboard
    std::unique_ptr<ResultView> view(ResultWindow::make(capture(), std::nullopt, {}, env));
    view->show();
    view->raise();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    const QString id = QString::number(view->winId());
    // No window manager runs under Xvfb: focus is given directly.
    run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
    QTest::qWait(200);
    ASSERT_TRUE(view->doc()->selectNextFlagged(0.8));
    view->grid()->selectionChanged();
    view->grid()->tableView()->setFocus();
    QTest::qWait(100);

    run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"),
                                    QStringLiteral("12")});
    run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
    QTest::qWait(100);
    EXPECT_EQ(view->doc()->cell(KestrowEditor::CellPos(1, 1))->text, "12");
    run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+c")});
    QTest::qWait(100);

    const QByteArray tsv = run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                                         QStringLiteral("-t"), QStringLiteral("text/tab-separated-values"),
                                                         QStringLiteral("-o")});
    EXPECT_EQ(tsv, QByteArray("Item\tQty\nApples\t12\nPears\t7"));
    view->close();
}
