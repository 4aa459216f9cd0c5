#include "Kestrow/Result/ResultActions.hpp"

#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Kestrow;

namespace {

VozudOzev::Table table()
{
    VozudOzev::Table t;
    t.rows = 2;
    t.cols = 2;
    const auto cell = [](int r, int c, std::string text, bool header) {
        VozudOzev::Cell cell;
        cell.row = r;
        cell.col = c;
        cell.text = std::move(text);
        if (header)
            cell.header = true;
        return cell;
    };
    t.cells = {cell(0, 0, "Tỉnh", true), cell(0, 1, "Doanh thu", true), cell(1, 0, "Hà Nội", false),
               cell(1, 1, "1.234,5", false)};
    return t;
}

// Another program reads the clipboard while this one keeps serving it.
QByteArray xclip(const QString& type)
{
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    process.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                                            type, QStringLiteral("-o")});
    loop.exec();
    EXPECT_EQ(process.state(), QProcess::NotRunning) << "xclip hung on " << type.toStdString();
    return process.readAllStandardOutput();
}

}  // namespace

// Run by the test below in a process of its own on an X server.
TEST(ResultClipboardX11, Child)
{
    if (!std::getenv("VANTREL_X11_CLIPBOARD_CHILD"))
        GTEST_SKIP() << "runs inside ClipboardHoldsEveryFormatForOtherPrograms";
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    ResultActions actions(ResultServices::real(), [] { return ExportPreferences{}; });

    actions.copyAsShown(table());
    const QByteArray tsv("Tỉnh\tDoanh thu\nHà Nội\t1.234,5");
    EXPECT_EQ(xclip(QStringLiteral("text/tab-separated-values")), tsv);
    EXPECT_EQ(xclip(QStringLiteral("UTF8_STRING")), tsv);
    const QByteArray html = xclip(QStringLiteral("text/html"));
    EXPECT_TRUE(html.contains("<th>Tỉnh</th>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<td>Hà Nội</td>")) << html.toStdString();

    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    actions.copyAIContextWithImage(table(), {"Screen capture", {}, "B", 120, 60}, image);
    EXPECT_TRUE(xclip(QStringLiteral("UTF8_STRING")).contains("Hà Nội"));
    QImage png;
    EXPECT_TRUE(png.loadFromData(xclip(QStringLiteral("image/png")), "PNG"));
    EXPECT_EQ(png.size(), image.size());
}

TEST(ResultClipboardX11, ClipboardHoldsEveryFormatForOtherPrograms)
{
    if (std::getenv("VANTREL_X11_CLIPBOARD_CHILD"))
        GTEST_SKIP();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VANTREL_X11_CLIPBOARD_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("xvfb-run"), {QStringLiteral("-a"), QCoreApplication::applicationFilePath(),
                                             QStringLiteral("--gtest_filter=ResultClipboardX11.Child")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}
