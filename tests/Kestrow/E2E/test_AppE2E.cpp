#include "KestrowSupport/WaitFor.hpp"
#include "KestrowSupport/XSession.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QThread>

#include <fstream>

// The application itself under a private X server: hot key, drag over a table shown by an
// image viewer, the table read back from the clipboard by another process.
using KestrowTest::waitFor;
using KestrowTest::XSession;

namespace {

using Grid = std::vector<std::vector<std::string>>;

const QString corpusCase = QStringLiteral(VANTREL_SOURCE_DIR "/tests/fixtures/screen/table-for-capture");

Grid truthGrid(const QString& jsonPath)
{
    std::ifstream in(jsonPath.toStdString());
    const nlohmann::json j = nlohmann::json::parse(in);
    Grid grid(j.at("rows").get<size_t>(), std::vector<std::string>(j.at("cols").get<size_t>()));
    for (const auto& c : j.at("cells"))
        grid.at(c.at("row").get<size_t>()).at(c.at("col").get<size_t>()) = c.at("text").get<std::string>();
    return grid;
}

Grid tsvGrid(const QByteArray& tsv)
{
    Grid grid;
    for (const QByteArray& line : tsv.split('\n')) {
        std::vector<std::string> row;
        for (const QByteArray& cell : line.split('\t'))
            row.push_back(cell.trimmed().toStdString());
        grid.push_back(row);
    }
    while (!grid.empty() && grid.back().size() == 1 && grid.back()[0].empty())
        grid.pop_back();
    return grid;
}

// Slots of the truth whose text the reading has in the same place.
double score(const Grid& truth, const Grid& read)
{
    int total = 0;
    int right = 0;
    for (size_t r = 0; r < truth.size(); ++r)
        for (size_t c = 0; c < truth[r].size(); ++c) {
            ++total;
            if (r < read.size() && c < read[r].size() && read[r][c] == truth[r][c])
                ++right;
        }
    return total ? static_cast<double>(right) / total : 0;
}

struct App {
    explicit App(const QString& screen = QStringLiteral("1280x800x24")) : x(screen) {}
    XSession x;
    QProcess* vantrel = nullptr;
    QByteArray log;

    bool start(bool showTable = true, QPoint at = {0, 0}, const QString& table = corpusCase)
    {
        if (!x.ok())
            return false;
        // Past the first-run welcome and the getting-started settings, whose windows would
        // stand over the table.
        QDir().mkpath(x.home() + QStringLiteral("/config/Vantrel"));
        QFile conf(x.home() + QStringLiteral("/config/Vantrel/Vantrel.ini"));
        if (!conf.exists() && conf.open(QIODevice::WriteOnly))
            conf.write("[General]\nonboardingDone=true\ngettingStartedShownPath=" VANTREL_APP "\n");
        conf.close();
        if (showTable)
            x.start("display", {"-geometry", QStringLiteral("+%1+%2").arg(at.x()).arg(at.y()), "-borderwidth", "0",
                                table + ".png"});
        vantrel = &x.start(VANTREL_APP, {});
        return waitFor([&] { return readLog().contains("Vantrel: engine loaded"); }, 60000);
    }
    const QByteArray& readLog()
    {
        if (vantrel)
            log += vantrel->readAllStandardError();
        return log;
    }
    QByteArray clipboard(const QString& type)
    {
        int code = 0;
        const QByteArray out = x.run("xclip", {"-selection", "clipboard", "-t", type, "-o"}, &code, 3000);
        return code == 0 ? out : QByteArray();
    }
    void drag(QPoint from, QPoint to)
    {
        x.xdotool({"mousemove", QString::number(from.x()), QString::number(from.y())});
        x.xdotool({"mousedown", "1"});
        for (int i = 1; i <= 5; ++i) {
            const QPoint p = from + (to - from) * i / 5;
            x.xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())});
            QThread::msleep(30);
        }
        x.xdotool({"mouseup", "1"});
    }
    // The overlay freezes the screens before it shows; give it that moment.
    void settle() { waitFor([] { return false; }, 800); }
    QByteArray windowNames() { return x.run("xwininfo", {"-root", "-tree"}); }
};

}  // namespace

TEST(AppE2E, QuickCaptureCopiesTheTableAsHtmlAndTsv)
{
    App app;
    ASSERT_TRUE(app.start()) << app.readLog().toStdString();
    const QImage image(corpusCase + ".png");
    ASSERT_FALSE(image.isNull());

    ASSERT_TRUE(app.x.xdotool({"key", "super+alt+shift+t"}));
    app.settle();
    app.drag({0, 0}, {image.width() - 1, image.height() - 1});
    // A second request while the table is being read opens a selection of its own.
    app.x.xdotool({"key", "super+shift+t"});
    app.settle();
    app.x.xdotool({"key", "Escape"});
    QByteArray tsv;
    ASSERT_TRUE(waitFor([&] { return !(tsv = app.clipboard("text/tab-separated-values")).isEmpty(); }, 60000))
        << app.readLog().toStdString();
    // The toast is up for a couple of seconds only.
    const Grid truth = truthGrid(corpusCase + ".json");
    const QString toast = QStringLiteral("^Copied %1 × %2 table$").arg(truth.size()).arg(truth[0].size());
    EXPECT_TRUE(waitFor([&] { return app.x.xdotool({"search", "--name", toast}); }, 3000))
        << app.windowNames().toStdString();
    const QByteArray html = app.clipboard("text/html");
    EXPECT_TRUE(html.contains("<table>")) << html.toStdString();
    EXPECT_EQ(app.clipboard("UTF8_STRING"), tsv);

    int code = 0;
    const QByteArray driverTsv =
        app.x.run(VANTREL_EXTRACT_TOOL, {"--format", "tsv", corpusCase + ".png"}, &code, 60000);
    ASSERT_EQ(code, 0);
    const double ours = score(truth, tsvGrid(tsv));
    const double driver = score(truth, tsvGrid(driverTsv));
    EXPECT_GE(ours, driver) << "clipboard:\n" << tsv.toStdString() << "\ndriver:\n" << driverTsv.toStdString();
    EXPECT_GT(ours, 0.5);

    EXPECT_FALSE(app.readLog().contains("failed"));
}

TEST(AppE2E, EscapeCopiesNothingAndLogsNoFailure)
{
    App app;
    ASSERT_TRUE(app.start()) << app.readLog().toStdString();
    ASSERT_TRUE(app.x.xdotool({"key", "super+shift+t"}));
    app.settle();
    app.x.xdotool({"mousemove", "20", "20"});
    ASSERT_TRUE(app.x.xdotool({"key", "Escape"}));
    waitFor([] { return false; }, 1500);
    EXPECT_TRUE(app.clipboard("text/tab-separated-values").isEmpty());
    EXPECT_FALSE(app.readLog().contains("failed")) << app.readLog().toStdString();
    // The overlay is gone: a new capture can start and be cancelled again.
    ASSERT_TRUE(app.x.xdotool({"key", "super+shift+t"}));
    app.settle();
    ASSERT_TRUE(app.x.xdotool({"key", "Escape"}));
    EXPECT_EQ(app.vantrel->state(), QProcess::Running);
}

TEST(AppE2E, ASecondLaunchHandsOverAndLeaves)
{
    App app;
    ASSERT_TRUE(app.start(false)) << app.readLog().toStdString();
    int code = -1;
    app.x.run(VANTREL_APP, {}, &code, 10000);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(app.vantrel->state(), QProcess::Running);
}

TEST(AppE2E, NormalCaptureOpensTheTableInAWindow)
{
    App app;
    ASSERT_TRUE(app.start()) << app.readLog().toStdString();
    ASSERT_TRUE(app.x.xdotool({"key", "super+shift+t"}));
    app.settle();
    const QImage image(corpusCase + ".png");
    app.drag({0, 0}, {image.width() - 1, image.height() - 1});
    // No window manager names a front application here, so the title is the size alone.
    EXPECT_TRUE(waitFor([&] { return app.x.xdotool({"search", "--name", "^7 × 5 table$"}); }, 60000))
        << app.windowNames().toStdString() << app.readLog().toStdString();
    EXPECT_TRUE(app.clipboard("text/tab-separated-values").isEmpty());
}

// The whole road of a normal capture: hot key, drag over a table on screen, the result
// window with grid and image, a correction typed into the cell the trust analysis flags
// (a total that does not add up), Copy, and another program pastes the corrected table.
TEST(AppE2E, ACorrectionTypedInTheResultWindowReachesTheClipboard)
{
    const QString table = QStringLiteral(VANTREL_SOURCE_DIR "/tests/fixtures/screen/german-total");
    App app;
    // "€" on a key of its own: xdotool otherwise remaps a spare key while typing, which races
    // with the application reading the new keymap.
    ASSERT_TRUE(app.x.ok());
    app.x.run("xmodmap", {"-e", "keycode 200 = EuroSign"});
    ASSERT_TRUE(app.start(true, {0, 0}, table)) << app.readLog().toStdString();
    const QImage image(table + ".png");
    ASSERT_FALSE(image.isNull());
    ASSERT_TRUE(app.x.xdotool({"key", "super+shift+t"}));
    app.settle();
    app.drag({0, 0}, {image.width() - 1, image.height() - 1});
    QByteArray id;
    ASSERT_TRUE(waitFor([&] { return !(id = app.x.run("xdotool", {"search", "--name", "^5 × 2 table$"}).trimmed()).isEmpty(); },
                        60000))
        << app.windowNames().toStdString() << app.readLog().toStdString();
    id = id.split('\n').front();
    // No window manager gives focus here: the test does.
    ASSERT_TRUE(app.x.xdotool({"windowfocus", "--sync", QString::fromLatin1(id)}));
    waitFor([] { return false; }, 300);
    const QString shots = qEnvironmentVariable("VANTREL_SCREENSHOTS");
    int code = 0;
    const QString shot = (shots.isEmpty() ? app.x.home() : shots) + "/result-window-captured.png";
    app.x.run("import", {"-window", QString::fromLatin1(id), shot}, &code);
    EXPECT_EQ(code, 0);
    // The image pane below the grid shows the capture: dark text on the light page.
    const QImage window(shot);
    ASSERT_FALSE(window.isNull());
    int dark = 0;
    for (int y = window.height() / 2; y < window.height() - 40; ++y)
        for (int x = 0; x < window.width(); ++x)
            dark += qGray(window.pixel(x, y)) < 100;
    EXPECT_GT(dark, 200);

    // Ctrl+' selects the cell to check; typing replaces its text, Return commits.
    ASSERT_TRUE(app.x.xdotool({"key", "ctrl+apostrophe"}));
    ASSERT_TRUE(app.x.xdotool({"type", "--delay", "40", "4.352,85 €"}));
    ASSERT_TRUE(app.x.xdotool({"key", "Return"}));
    waitFor([] { return false; }, 200);
    ASSERT_TRUE(app.x.xdotool({"key", "ctrl+c"}));
    QByteArray tsv;
    ASSERT_TRUE(waitFor([&] { return !(tsv = app.clipboard("text/tab-separated-values")).isEmpty(); }, 5000))
        << app.readLog().toStdString();
    // The picture shows a total that does not add up; the clipboard has the corrected one.
    Grid expected = truthGrid(table + ".json");
    ASSERT_EQ(expected.at(4).at(1), "4.352,95 €");
    expected[4][1] = "4.352,85 €";
    EXPECT_EQ(tsvGrid(tsv), expected) << tsv.toStdString();
    // For a person to look at: the corrected total no longer needs a check.
    app.x.run("import", {"-window", QString::fromLatin1(id), QString(shot).replace("captured", "corrected")});
    EXPECT_FALSE(app.readLog().contains("failed")) << app.readLog().toStdString();
}

TEST(AppE2E, AFlatSelectionAlertsAndAHotKeyDuringTheAlertOnlyBeeps)
{
    App app;
    ASSERT_TRUE(app.start(false)) << app.readLog().toStdString();
    ASSERT_TRUE(app.x.xdotool({"key", "super+shift+t"}));
    app.settle();
    app.drag({100, 100}, {300, 200});
    ASSERT_TRUE(waitFor([&] { return app.readLog().contains("Vantrel: capture failed — blank"); }, 10000))
        << app.readLog().toStdString();
    ASSERT_TRUE(waitFor([&] { return app.x.xdotool({"search", "--onlyvisible", "--name", "^Vantrel$"}); }, 5000));
    // While the alert is up a capture could never finish: the request is refused.
    app.x.xdotool({"key", "super+shift+t"});
    app.settle();
    app.x.xdotool({"key", "super+shift+t"});
    app.settle();
    EXPECT_EQ(app.readLog().count("capture failed"), 1);
    // Escape closes the alert; the application is free to capture again.
    app.x.xdotool({"key", "Escape"});
    waitFor([] { return false; }, 500);
    ASSERT_TRUE(app.x.xdotool({"key", "super+shift+t"}));
    app.settle();
    app.drag({100, 100}, {300, 200});
    EXPECT_TRUE(waitFor([&] { return app.readLog().count("capture failed") == 2; }, 10000))
        << app.readLog().toStdString();
    EXPECT_EQ(app.vantrel->state(), QProcess::Running);
}

TEST(AppE2E, WithATrayHostTheIconDocksAndNoHintShows)
{
    App app;
    ASSERT_TRUE(app.x.ok());
    app.x.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "120",
                           "--height", "32", "--transparent", "true", "--alpha", "0", "--tint", "0x303030"});
    waitFor([] { return false; }, 1000);
    ASSERT_TRUE(app.start(false)) << app.readLog().toStdString();
    ASSERT_TRUE(waitFor([&] { return app.readLog().contains("Vantrel: status item "); }, 5000));
    EXPECT_TRUE(app.readLog().contains("Vantrel: status item visible")) << app.readLog().toStdString();
    const QString shots = qEnvironmentVariable("VANTREL_SCREENSHOTS");
    const QString path = (shots.isEmpty() ? app.x.home() : shots) + "/tray.png";
    int code = 0;
    app.x.run("import", {"-window", "root", "-crop", "160x40+1120+0", path}, &code);
    ASSERT_EQ(code, 0);
    const QImage shot(path);
    EXPECT_EQ(shot.size(), QSize(160, 40));
}

TEST(AppE2E, WithoutAReachableDisplayItSaysSoAndFails)
{
    for (const char* display : {"", ":987"}) {
        SCOPED_TRACE(display);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        if (*display)
            env.insert("DISPLAY", display);
        else
            env.remove("DISPLAY");
        p.setProcessEnvironment(env);
        p.start(VANTREL_APP, {});
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 1);
        EXPECT_TRUE(p.readAllStandardError().startsWith("Vantrel: "));
    }
}

TEST(AppE2E, QuickCaptureOnASecondMonitor)
{
    App app(QStringLiteral("2560x800x24"));
    ASSERT_TRUE(app.x.ok());
    // Two monitors side by side on one X screen, as RandR reports them to Qt.
    int code = 0;
    app.x.run("xrandr", {"--setmonitor", "LEFT", "1280/338x800/211+0+0", "none"}, &code);
    ASSERT_EQ(code, 0);
    app.x.run("xrandr", {"--setmonitor", "RIGHT", "1280/338x800/211+1280+0", "none"}, &code);
    ASSERT_EQ(code, 0);
    ASSERT_TRUE(app.start(true, {1280 + 40, 30})) << app.readLog().toStdString();
    const QImage image(corpusCase + ".png");
    ASSERT_TRUE(app.x.xdotool({"key", "super+alt+shift+t"}));
    app.settle();
    app.drag({1280 + 40, 30}, {1280 + 40 + image.width() - 1, 30 + image.height() - 1});
    QByteArray tsv;
    ASSERT_TRUE(waitFor([&] { return !(tsv = app.clipboard("text/tab-separated-values")).isEmpty(); }, 60000))
        << app.readLog().toStdString();
    EXPECT_GT(score(truthGrid(corpusCase + ".json"), tsvGrid(tsv)), 0.5) << tsv.toStdString();
}

namespace {

// A 25-row table taller than its scrolling window, at the screen's right edge away from the
// result windows. The window shows 424 of its 668 pixels; four wheel notches of 59 pixels
// scroll 236: both cuts fall between rows, and rows 10 to 16 are in both parts.
const QString longCase = QStringLiteral(VANTREL_SOURCE_DIR "/tests/fixtures/screen/long-table");
const QRect longView(1600, 0, 558, 424);
constexpr int scrollNotches = 4;
constexpr int scrolled = 236;

QProcess* showLongTable(App& app)
{
    QProcess& view = app.x.start(SCROLL_VIEW, {longCase + ".png", QString::number(longView.x()), QString::number(longView.y()),
                              QString::number(longView.width()), QString::number(longView.height()), "59"});
    // The overlay freezes the screen: the picture must be drawn before a capture starts.
    return waitFor([&] { return view.readAllStandardError().contains("painted"); }, 10000) ? &view : nullptr;
}

// The rows of the given truth rows and all columns.
Grid rowsOf(const Grid& grid, size_t first, size_t count)
{
    return Grid(grid.begin() + static_cast<long>(first), grid.begin() + static_cast<long>(first + count));
}

// The selected table of the history record with this source, once it is written.
Grid historyTable(App& app, const std::string& source)
{
    Grid grid;
    waitFor(
        [&] {
            QDir dir(app.x.home() + "/data/Vantrel/Vantrel/History");
            for (const QString& name : dir.entryList({"*.json"})) {
                std::ifstream in((dir.filePath(name)).toStdString());
                const nlohmann::json j = nlohmann::json::parse(in, nullptr, false);
                if (j.is_discarded() || j.value("source_name", "") != source)
                    continue;
                const nlohmann::json& t = j.at("tables").at(j.value("selected_index", 0));
                grid.assign(t.at("rows").get<size_t>(), std::vector<std::string>(t.at("cols").get<size_t>()));
                for (const auto& c : t.at("cells"))
                    grid.at(c.at("row").get<size_t>()).at(c.at("col").get<size_t>()) = c.at("text").get<std::string>();
                return true;
            }
            return false;
        },
        10000);
    return grid;
}

// What the extraction driver reads from one part of the long picture on its own.
Grid driverPart(App& app, int top)
{
    const QString path = app.x.home() + QStringLiteral("/part-%1.png").arg(top);
    QImage(longCase + ".png").copy(0, top, longView.width(), longView.height()).save(path);
    int code = 0;
    const QByteArray tsv = app.x.run(VANTREL_EXTRACT_TOOL, {"--format", "tsv", path}, &code, 60000);
    return code == 0 ? tsvGrid(tsv) : Grid();
}

QRect windowGeometry(App& app, const QString& name)
{
    const QByteArray id = app.x.run("xdotool", {"search", "--name", name}).split('\n').value(0);
    const QByteArray shell = app.x.run("xdotool", {"getwindowgeometry", "--shell", QString::fromLatin1(id)});
    QMap<QByteArray, int> v;
    for (const QByteArray& line : shell.split('\n'))
        if (const qsizetype eq = line.indexOf('='); eq > 0)
            v[line.left(eq)] = line.mid(eq + 1).toInt();
    return QRect(v.value("X"), v.value("Y"), v.value("WIDTH"), v.value("HEIGHT"));
}

// Drags over the long table once the selection overlay is up (slow on a busy machine).
void dragWhenSelecting(App& app, QPoint from, QPoint to)
{
    waitFor([&] { return app.x.xdotool({"search", "--onlyvisible", "--name", "^Vantrel selection$"}); }, 10000);
    app.settle();
    app.drag(from, to);
}

void captureLongView(App& app)
{
    dragWhenSelecting(app, longView.topLeft(), longView.bottomRight());
}

}  // namespace

TEST(AppE2E, ALongTableCapturedInTwoOverlappingPartsIsStitchedWhole)
{
    App app(QStringLiteral("2200x1000x24"));
    ASSERT_TRUE(app.start(false)) << app.readLog().toStdString();
    QProcess* view = showLongTable(app);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(app.x.xdotool({"key", "super+shift+t"}));
    captureLongView(app);
    ASSERT_TRUE(waitFor([&] { return app.x.xdotool({"search", "--name", "^16 × 5 table$"}); }, 60000))
        << app.windowNames().toStdString() << app.readLog().toStdString();

    // Scroll the original on, then ask the result window for its next part.
    app.x.xdotool({"mousemove", QString::number(longView.center().x()), QString::number(longView.center().y())});
    app.x.xdotool({"click", "--repeat", QString::number(scrollNotches), "--delay", "50", "5"});
    QByteArray viewLog;
    ASSERT_TRUE(waitFor([&] { return (viewLog += view->readAllStandardError()).contains("scrolled 236"); }, 5000))
        << viewLog.toStdString();
    const QByteArray id = app.x.run("xdotool", {"search", "--name", "^16 × 5 table$"}).split('\n').value(0);
    app.x.xdotool({"windowfocus", "--sync", QString::fromLatin1(id)});
    app.x.xdotool({"key", "F6"});
    captureLongView(app);
    EXPECT_TRUE(waitFor([&] { return app.x.xdotool({"search", "--name", "^Added 9 rows · skipped 7 repeated$"}); }, 60000))
        << app.windowNames().toStdString() << app.readLog().toStdString();
    ASSERT_TRUE(waitFor([&] { return app.x.xdotool({"search", "--name", "^25 × 5 table$"}); }, 5000))
        << app.windowNames().toStdString();

    const Grid truth = truthGrid(longCase + ".json");
    const Grid stitched = historyTable(app, "Stitched capture");
    ASSERT_EQ(stitched.size(), truth.size());
    const size_t partRows = 16;
    const size_t secondFirst = scrolled / 26;
    const double first = score(rowsOf(truth, 0, partRows), driverPart(app, 0));
    const double second = score(rowsOf(truth, secondFirst, truth.size() - secondFirst), driverPart(app, scrolled));
    EXPECT_GE(score(truth, stitched) + 0.02, std::min(first, second)) << first << " " << second;
    EXPECT_GT(score(truth, stitched), 0.8);
}

TEST(AppE2E, ADragOverOurOwnResultIsRefusedAndTheOriginalBesideItWorks)
{
    App app(QStringLiteral("2200x1000x24"));
    ASSERT_TRUE(app.start(false)) << app.readLog().toStdString();
    ASSERT_NE(showLongTable(app), nullptr);
    ASSERT_TRUE(app.x.xdotool({"key", "super+shift+t"}));
    captureLongView(app);
    ASSERT_TRUE(waitFor([&] { return app.x.xdotool({"search", "--name", "^16 × 5 table$"}); }, 60000))
        << app.readLog().toStdString();
    // The grid fills the window's middle between the toolbar and the source pane.
    const QRect result = windowGeometry(app, "^16 × 5 table$");
    ASSERT_GT(result.width(), 600);
    const QRect grid(result.x() + 20, result.y() + 80, result.width() - 40, result.height() / 2 - 80);

    ASSERT_TRUE(app.x.xdotool({"key", "super+alt+shift+t"}));
    dragWhenSelecting(app, grid.topLeft(), grid.bottomRight());
    EXPECT_TRUE(waitFor(
        [&] {
            return app.x.xdotool({"search", "--name", "^That's Vantrel's own result. Select the original table instead.$"});
        },
        5000))
        << app.windowNames().toStdString();
    // Nothing was read: no copy, no second window.
    const auto resultWindows = [&] {
        return app.x.run("xdotool", {"search", "--name", "^16 × 5 table$"}).trimmed().split('\n').size();
    };
    waitFor([] { return false; }, 1500);
    EXPECT_TRUE(app.clipboard("text/tab-separated-values").isEmpty());
    EXPECT_EQ(resultWindows(), 1);

    // The original beside it is read as before (into a window: some of its cells need a look).
    ASSERT_TRUE(app.x.xdotool({"key", "super+shift+t"}));
    captureLongView(app);
    EXPECT_TRUE(waitFor([&] { return resultWindows() == 2; }, 60000)) << app.readLog().toStdString();
}
