#include "Kestrow/Capture/CaptureRoad.hpp"
#include "Kestrow/Shell/Clipboard.hpp"
#include "Kestrow/Shell/Log.hpp"
#include "Kestrow/Shell/PermissionFlow.hpp"
#include "KestrowSupport/FakeAlertPresenter.hpp"
#include "KestrowSupport/WaitFor.hpp"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include <stdexcept>

using namespace Kestrow;
using KestrowTest::FakeAlertPresenter;
using KestrowTest::waitFor;

namespace {

VozudOzev::Table cleanTable(int rows, int cols, int flagged = 0)
{
    VozudOzev::Table t;
    t.rows = rows;
    t.cols = cols;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            VozudOzev::Cell cell;
            cell.row = r;
            cell.col = c;
            cell.text = "v" + std::to_string(r) + std::to_string(c);
            cell.confidence = 1.0;
            if (flagged > 0) {
                cell.confidence = 0.3;  // the trust analysis flags it
                --flagged;
            } else if (r == 0 && c == 0) {
                cell.flags = std::vector<VozudOzev::CellFlag>{VozudOzev::CellFlag::edited};
            }
            t.cells.push_back(cell);
        }
    return t;
}

// Answers every image with the tables it was given, or throws.
struct ScriptedEngine final : VozudOzev::TableEngine {
    std::vector<VozudOzev::Table> tables;
    bool fail = false;
    VozudOzev::TableExtraction::Extraction extract(const VozudOzev::Image& image, VozudOzev::Dpi,
                                                   const std::string& id) const override
    {
        if (fail)
            throw std::runtime_error("model exploded");
        VozudOzev::TableExtraction::Extraction e;
        e.output.id = id;
        e.output.imageWidth = image.width;
        e.output.tables = tables;
        if (!tables.empty())
            e.output.selectedTable = 0;
        return e;
    }
};

struct Road {
    int consents = 0;
    std::shared_ptr<ScriptedEngine> engine = std::make_shared<ScriptedEngine>();
    EngineService service{[this] { return EngineService::Built{engine, "scripted"}; }};
    FakeAlertPresenter alerts;
    FakeClipboardWriter clipboard;

    std::optional<RegionSelection> selection = RegionSelection{QRectF(10, 10, 200, 100), {}};
    std::variant<ScreenCapture::Shot, CaptureFailure> grabbed = CaptureFailure::other("unset");
    bool allow = true;
    std::vector<QString> hints, toasts, histories;
    std::vector<std::optional<QString>> opened;
    std::vector<CaptureResult> results;
    std::vector<std::string> events;  // progress ends and alerts, in order
    std::vector<VozudOzev::StitchTables::MappingRequest> requests;
    CaptureRoad::MappingAnswer answer;
    std::vector<double> scales;
    int grabs = 0, relaunches = 0, beeps = 0;
    std::optional<CaptureRoad> road;

    Road()
    {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        grabbed = ScreenCapture::Shot{image, 1.0};
        CaptureRoad::Ports ports;
        ports.selectRegion = [this](const QString& hint, auto done) {
            hints.push_back(hint);
            done(selection);
            return true;
        };
        ports.grab = [this](const RegionSelection&) {
            ++grabs;
            return grabbed;
        };
        ports.allowsCapture = [this](const QRect&) { return allow; };
        ports.frontApplicationName = [] { return std::optional<QString>("Calc"); };
        ports.toast = [this](const QString& text, ToastKind) { toasts.push_back(text); };
        ports.openResult = [this](const CaptureResult& result, const std::optional<QString>& notice) {
            opened.push_back(notice);
            results.push_back(result);
        };
        ports.endProgress = [this] { events.push_back("end"); };
        alerts.whileOpen = [this] { events.push_back("alert"); };
        ports.askMapping = [this](const VozudOzev::StitchTables::MappingRequest& request, CaptureRoad::MappingAnswer a) {
            requests.push_back(request);
            answer = std::move(a);
        };
        ports.addHistory = [this](const CaptureResult& result, const QString& source, const QString& engineName) {
            scales.push_back(result.scale);
            histories.push_back(source + "|" + engineName);
        };
        ports.beep = [this] { ++beeps; };
        ports.relaunch = [this] { ++relaunches; };
        ports.recordConsent = [this] { ++consents; };
        road.emplace(service, alerts, clipboard, ports);
    }

    bool captureNext(const VozudOzev::Table& base, const CaptureResult& of)
    {
        int finished = 0;
        QObject::connect(&*road, &CaptureRoad::finished, [&] { ++finished; });
        road->captureNext(base, of);
        return waitFor([&] { return finished == 1; }, 5000);
    }

    bool capture(bool quick)
    {
        int finished = 0;
        QObject::connect(&*road, &CaptureRoad::finished, [&] { ++finished; });
        road->startCapture(quick);
        return waitFor([&] { return finished == 1; }, 5000);
    }
};

}  // namespace

TEST(CaptureRoad, QuickCaptureOfACleanTableCopiesItAndSaysSo)
{
    Road r;
    r.engine->tables = {cleanTable(5, 3)};
    ASSERT_TRUE(r.capture(true));
    EXPECT_EQ(r.hints, (std::vector<QString>{"Quick Capture: drag over a table to copy it  ·  Esc to cancel"}));
    EXPECT_EQ(r.toasts, (std::vector<QString>{"Copied 5 × 3 table"}));
    EXPECT_TRUE(r.opened.empty());
    EXPECT_EQ(r.histories, (std::vector<QString>{"Calc|scripted"}));
    ASSERT_NE(r.clipboard.data(), nullptr);
    EXPECT_TRUE(r.clipboard.data()->text().startsWith("v00\tv01\tv02\n"));
    EXPECT_EQ(r.consents, 1);
}

TEST(CaptureRoad, QuickCaptureThatNeedsEyesOpensTheWindowWithWhy)
{
    const struct {
        const char* name;
        std::vector<VozudOzev::Table> tables;
        QString notice;
    } cases[] = {
        {"flagged", {cleanTable(4, 2, 3)},
         "Quick Capture opened the editor because 3 cells need checking. Fix them, then copy."},
        {"no table", {},
         "Quick Capture opened the editor because no table was found. Check the text below or capture again."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Road r;
        r.engine->tables = c.tables;
        ASSERT_TRUE(r.capture(true));
        ASSERT_EQ(r.opened.size(), 1u);
        EXPECT_EQ(r.opened[0], c.notice);
        EXPECT_EQ(r.clipboard.writes, 0);
        EXPECT_EQ(r.histories.size(), 1u);
    }
}

TEST(CaptureRoad, NormalCaptureOpensOneWindowAndCopiesNothing)
{
    Road r;
    r.engine->tables = {cleanTable(2, 2)};
    ASSERT_TRUE(r.capture(false));
    EXPECT_EQ(r.hints, (std::vector<QString>{"Drag over a table  ·  Esc to cancel"}));
    ASSERT_EQ(r.opened.size(), 1u);
    EXPECT_FALSE(r.opened[0]);
    EXPECT_EQ(r.clipboard.writes, 0);
}

TEST(CaptureRoad, CancelOrOwnResultDoesNothingAtAll)
{
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancel" : "own result");
        Road r;
        if (cancel)
            r.selection.reset();
        else
            r.allow = false;
        Log::Capture log;
        r.road->startCapture(true);
        waitFor([] { return false; }, 100);
        EXPECT_EQ(r.grabs, 0);
        EXPECT_EQ(r.clipboard.writes, 0);
        EXPECT_TRUE(r.alerts.shown.empty());
        EXPECT_TRUE(r.histories.empty());
        EXPECT_TRUE(log.lines().isEmpty());
    }
}

TEST(CaptureRoad, CaptureFailuresAlertWithTheirButtonsAndRecordNothing)
{
    const struct {
        CaptureFailure failure;
        QString log;
        int buttons;
    } cases[] = {
        {CaptureFailure::blank(), "Vantrel: capture failed — blank", 2},
        {CaptureFailure::permission(), "Vantrel: capture failed — permission", 2},
        {CaptureFailure::other("No display to capture"),
         "Vantrel: capture failed — other(\"No display to capture\")", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.log.toStdString());
        Road r;
        r.grabbed = c.failure;
        r.alerts.choice = 0;
        Log::Capture log;
        r.road->startCapture(false);
        ASSERT_TRUE(waitFor([&] { return !r.alerts.shown.empty(); }, 2000));
        ASSERT_EQ(r.alerts.shown.size(), 1u);
        EXPECT_EQ(r.alerts.shown[0].message, c.failure.title());
        EXPECT_EQ(r.alerts.shown[0].buttons.size(), c.buttons);
        EXPECT_EQ(log.lines(), QStringList{c.log});
        EXPECT_EQ(r.relaunches, c.buttons > 0 ? 1 : 0);
        EXPECT_EQ(r.consents, 0);
        EXPECT_TRUE(r.histories.empty());
    }
}

TEST(CaptureRoad, RecognitionThatThrowsAlertsAndLeavesNoHistory)
{
    Road r;
    r.engine->fail = true;
    Log::Capture log;
    ASSERT_TRUE(r.capture(true));
    ASSERT_EQ(r.alerts.shown.size(), 1u);
    EXPECT_EQ(r.alerts.shown[0].message, QStringLiteral("Table recognition failed"));
    EXPECT_TRUE(log.contains("Vantrel: recognition failed — model exploded"));
    EXPECT_TRUE(r.histories.empty());
    EXPECT_EQ(r.clipboard.writes, 0);
    EXPECT_EQ(r.road->runsInFlight(), 0);
}

TEST(CaptureRoad, AHotKeyWhileAnAlertIsOpenOnlyBeeps)
{
    Road r;
    r.engine->fail = true;
    int hintsDuringAlert = -1;
    r.alerts.whileOpen = [&] {
        r.road->startCapture(false);
        hintsDuringAlert = static_cast<int>(r.hints.size());
    };
    ASSERT_TRUE(r.capture(false));
    EXPECT_EQ(hintsDuringAlert, 1);
    EXPECT_EQ(r.beeps, 1);
}

TEST(CaptureRoad, UnreadableFilesAlertNamingTheFile)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {{"empty.png", {}}, {"corrupt.png", "\x89PNG\r\n\x1a\nnot really"}, {"notes.txt", "hello"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(dir.filePath(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        Road r;
        r.road->processFile(file.fileName());
        ASSERT_EQ(r.alerts.shown.size(), 1u);
        EXPECT_EQ(r.alerts.shown[0], (Alert{"Can't open image", c.name, {}}));
        EXPECT_EQ(r.road->runsInFlight(), 0);
    }
    Road r;
    r.road->processFile(dir.filePath("missing.png"));
    EXPECT_EQ(r.alerts.shown.size(), 1u);
}

TEST(CaptureRoad, FilesAreReadAtTheirStatedResolution)
{
    QTemporaryDir dir;
    std::vector<double> scales;
    for (int dpi : {144, 0}) {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        // A PNG always states a resolution when Qt writes it; a PPM never does.
        const char* suffix = dpi > 0 ? ".png" : ".ppm";
        if (dpi > 0) {
            image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
            image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
        }
        const QString path = dir.filePath(QString::number(dpi) + suffix);
        ASSERT_TRUE(image.save(path));
        Road r;
        r.engine->tables = {cleanTable(1, 1)};
        int finished = 0;
        QObject::connect(&*r.road, &CaptureRoad::finished, [&] { ++finished; });
        r.road->processFile(path);
        ASSERT_TRUE(waitFor([&] { return finished == 1; }));
        ASSERT_EQ(r.opened.size(), 1u);
        EXPECT_EQ(r.histories, (std::vector<QString>{QString::number(dpi) + suffix + "|scripted"}));
        scales.push_back(r.scales.at(0));
    }
    EXPECT_NEAR(scales[0], 2.0, 1e-3);
    EXPECT_EQ(scales[1], 1.0);
}

TEST(CaptureRoad, TheClipboardItemReadsOnlyAnImage)
{
    Road r;
    r.engine->tables = {cleanTable(1, 1)};
    auto text = std::make_unique<QMimeData>();
    text->setText("just text");
    r.clipboard.setMimeData(std::move(text));
    r.road->clipboardAction();
    EXPECT_EQ(r.road->runsInFlight(), 0);

    auto image = std::make_unique<QMimeData>();
    QImage pixels(50, 30, QImage::Format_RGB32);
    pixels.fill(Qt::white);
    image->setImageData(pixels);
    r.clipboard.setMimeData(std::move(image));
    int finished = 0;
    QObject::connect(&*r.road, &CaptureRoad::finished, [&] { ++finished; });
    r.road->clipboardAction();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(r.histories, (std::vector<QString>{"Screen capture|scripted"}));
}

TEST(CaptureRoad, GateDecisions)
{
    const struct {
        bool preflight, onboardingDone, consentTest;
        CaptureGate want;
    } cases[] = {
        {false, false, false, CaptureGate::onboarding},
        {false, true, true, CaptureGate::explainThenRequest},
        {true, false, true, CaptureGate::testThenCapture},
        {true, true, false, CaptureGate::capture},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(gateName(c.want).toStdString());
        EXPECT_EQ(decideGate(c.preflight, c.onboardingDone, c.consentTest), c.want);
    }
}

namespace {

// Header row first, then the body rows, every cell sure of itself.
VozudOzev::Table gridTable(const std::vector<std::vector<std::string>>& grid, int headerRows)
{
    VozudOzev::Table t;
    t.rows = static_cast<int>(grid.size());
    t.cols = static_cast<int>(grid[0].size());
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            VozudOzev::Cell cell;
            cell.row = r;
            cell.col = c;
            cell.text = grid[size_t(r)][size_t(c)];
            cell.confidence = 1.0;
            if (r < headerRows)
                cell.header = true;
            t.cells.push_back(cell);
        }
    return t;
}

// The window's capture the next part is stitched onto.
CaptureResult baseCapture(const VozudOzev::Table& table)
{
    CaptureResult base;
    base.image = QImage(30, 20, QImage::Format_RGB32);
    base.image.fill(Qt::blue);
    base.scale = 2;
    base.sourceName = QStringLiteral("Calc");
    base.extraction.output.engine = "base engine";
    base.extraction.output.tables = {table, table};
    base.extraction.output.selectedTable = 1;
    base.extraction.timing.total = 123;
    return base;
}

}  // namespace

TEST(CaptureRoad, ANextPartIsStitchedUnderTheBaseInANewWindow)
{
    Road r;
    const VozudOzev::Table base = gridTable({{"Item", "Qty"}, {"a", "1"}, {"b", "2"}}, 1);
    const CaptureResult of = baseCapture(base);
    // The next part repeats the header and the last row.
    r.engine->tables = {gridTable({{"Item", "Qty"}, {"b", "2"}, {"c", "3"}}, 1)};
    ASSERT_TRUE(r.captureNext(base, of));
    EXPECT_EQ(r.hints, (std::vector<QString>{QString()}));
    EXPECT_EQ(r.consents, 1);
    ASSERT_EQ(r.results.size(), 1u);
    const CaptureResult& stitched = r.results[0];
    EXPECT_NE(stitched.id, of.id);
    EXPECT_EQ(stitched.image, of.image);
    EXPECT_EQ(stitched.scale, 2);
    EXPECT_EQ(stitched.sourceName, std::nullopt);
    EXPECT_EQ(stitched.extraction.output.engine, "base engine");
    EXPECT_EQ(stitched.extraction.timing.total, 123);
    ASSERT_EQ(stitched.extraction.output.tables.size(), 1u);
    EXPECT_EQ(stitched.extraction.output.selectedTable, 0);
    EXPECT_EQ(stitched.extraction.output.tables[0].grid(),
              (std::vector<std::vector<std::string>>{{"Item", "Qty"}, {"a", "1"}, {"b", "2"}, {"c", "3"}}));
    EXPECT_EQ(r.opened, (std::vector<std::optional<QString>>{std::nullopt}));
    EXPECT_EQ(r.histories, (std::vector<QString>{"Stitched capture|scripted"}));
    EXPECT_EQ(r.toasts, (std::vector<QString>{"Added 1 row · skipped 1 repeated · removed repeated header"}));
}

TEST(CaptureRoad, ANextPartWithoutATableOrWithAFailureChangesNothing)
{
    const VozudOzev::Table base = gridTable({{"Item", "Qty"}, {"a", "1"}}, 1);
    const struct {
        const char* name;
        bool fail;
        QString alert;
    } cases[] = {
        {"no table", false, "No table found"},
        {"recognition fails", true, "Table recognition failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Road r;
        r.engine->fail = c.fail;
        ASSERT_TRUE(r.captureNext(base, baseCapture(base)));
        ASSERT_EQ(r.alerts.shown.size(), 1u);
        EXPECT_EQ(r.alerts.shown[0].message, c.alert);
        // The pill is gone before the alert comes up.
        EXPECT_EQ(r.events, (std::vector<std::string>{"end", "alert"}));
        EXPECT_TRUE(r.results.empty());
        EXPECT_TRUE(r.histories.empty());
    }
    Road refused;
    refused.allow = false;
    refused.road->captureNext(base, baseCapture(base));
    waitFor([] { return false; }, 100);
    EXPECT_EQ(refused.grabs, 0);
}

TEST(CaptureRoad, ColumnsThatCannotBeMatchedAreAskedForOnce)
{
    const VozudOzev::Table base = gridTable({{"Item", "Qty"}, {"a", "1"}}, 1);
    const VozudOzev::Table next = gridTable({{"Item", "Price"}, {"b", "2"}}, 1);
    const struct {
        const char* name;
        std::optional<VozudOzev::StitchTables::Mapping> mapping;
        bool closed;
        std::vector<QString> toasts;
        size_t results;
    } cases[] = {
        {"stitch with a new column", VozudOzev::StitchTables::Mapping{0, 2}, false, {"Added 1 row · removed repeated header"}, 1},
        {"cancel drops the part", std::nullopt, false, {}, 0},
        {"a closed window is a cancel the user hears of", std::nullopt, true, {"The next part was not added."}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Road r;
        r.engine->tables = {next};
        ASSERT_TRUE(r.captureNext(base, baseCapture(base)));
        ASSERT_EQ(r.requests.size(), 1u);
        EXPECT_EQ(r.requests[0].reason, "Column headers of the two captures do not match.");
        EXPECT_TRUE(r.results.empty());
        r.answer(c.mapping, c.closed);
        EXPECT_EQ(r.toasts, c.toasts);
        ASSERT_EQ(r.results.size(), c.results);
        EXPECT_EQ(r.histories.size(), c.results);
        if (c.results) {
            EXPECT_EQ(r.results[0].extraction.output.tables[0].grid(),
                      (std::vector<std::vector<std::string>>{{"Item", "Qty", ""}, {"a", "1", ""}, {"b", "", "2"}}));
        }
    }
}
