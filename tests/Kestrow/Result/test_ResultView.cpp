#include "FakeResultServices.hpp"

#include "Kestrow/Editor/GridContainer.hpp"
#include "Kestrow/Result/ResultStatus.hpp"
#include "Kestrow/Result/ResultView.hpp"
#include "Kestrow/Result/SourcePane.hpp"
#include "KestrowEditor/SourceGeometry.hpp"

#include <QComboBox>
#include <QAbstractItemView>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Kestrow;
using KestrowEditor::CellPos;
using VozudOzev::Cell;
using VozudOzev::CellFlag;
using VozudOzev::Table;

namespace {

Cell cell(int row, int col, std::string text, std::optional<double> confidence = std::nullopt)
{
    Cell c;
    c.row = row;
    c.col = col;
    c.text = std::move(text);
    c.confidence = confidence;
    c.bbox = VozudOzev::BBox{20.0 + col * 120, 20.0 + row * 40, 110, 32};
    return c;
}

// A header row, a low-confidence cell, a mismatch and a merged cell.
Table mainTable()
{
    Table t;
    t.rows = 4;
    t.cols = 3;
    t.cells = {cell(0, 0, "Item", 0.99), cell(0, 1, "Qty", 0.99), cell(0, 2, "Price", 0.99),
               cell(1, 0, "Apples", 0.97), cell(1, 1, "12", 0.875), cell(1, 2, "3.50", 0.95),
               cell(2, 0, "Pears", 0.96), cell(2, 1, "7", 0.95), cell(2, 2, "2.l0", 0.9),
               cell(3, 0, "Total", 0.98), cell(3, 2, "6.00", 0.97)};
    for (int i = 0; i < 3; ++i)
        t.cells[i].header = true;
    t.cells[8].flags = std::vector<CellFlag>{CellFlag::typeMismatch};
    t.cells[9].colSpan = 2;
    t.bbox = VozudOzev::BBox{10, 10, 380, 170};
    return t;
}

Table smallTable()
{
    Table t;
    t.index = 1;
    t.rows = 1;
    t.cols = 2;
    t.cells = {cell(0, 0, "a", 0.99), cell(0, 1, "b", 0.99)};
    return t;
}

CaptureResult capture(std::vector<Table> tables, std::optional<int> selected)
{
    CaptureResult r;
    r.image = QImage(400, 200, QImage::Format_RGB32);
    r.image.fill(Qt::white);
    // The table's cells drawn where their boxes say, so the source pane shows something real.
    QPainter painter(&r.image);
    for (const Table& t : tables)
        if (t.index == 0)
            for (const Cell& c : t.cells) {
                const QRectF box(c.bbox->x, c.bbox->y, c.bbox->w * std::max(c.colSpan, 1), c.bbox->h);
                painter.drawRect(box);
                painter.drawText(box, Qt::AlignCenter, QString::fromStdString(c.text));
            }
    painter.end();
    r.scale = 1;
    r.extraction.output.tables = std::move(tables);
    r.extraction.output.selectedTable = selected;
    r.extraction.output.engine = "B";
    r.extraction.output.imageWidth = 400;
    r.extraction.output.imageHeight = 200;
    VozudOzev::OCRLine first, second;
    first.text = "first line";
    second.text = "second line";
    r.extraction.lines = {first, second};
    r.extraction.timing.total = 411.6;
    return r;
}

struct WriteBack {
    QUuid id;
    std::vector<Table> tables;
    int index = -1;
};

struct Window {
    FakeResultServices fake;
    ExportPreferences prefs;
    std::vector<WriteBack> writes;
    std::vector<double> reanalysedAt;
    std::unique_ptr<ResultView> view;

    // onCommitCells: tables of more cells are re-analysed beside the window.
    explicit Window(CaptureResult result, std::optional<QString> notice = std::nullopt, bool dark = false,
                    std::size_t onCommitCells = 2000)
    {
        ResultEnvironment env;
        env.services = fake.services();
        env.preferences = [this] { return prefs; };
        // Stands in for the trust analysis: an edited cell is no longer a mismatch.
        env.reanalyze = [this](const Table& t, double threshold) {
            reanalysedAt.push_back(threshold);
            Table out = t;
            for (Cell& c : out.cells)
                if (c.has(CellFlag::edited) && c.flags)
                    std::erase(*c.flags, CellFlag::typeMismatch);
            return out;
        };
        env.writeBack = [this](const QUuid& id, const std::vector<Table>& tables, int index) {
            writes.push_back({id, tables, index});
        };
        env.debounceMs = 40;
        env.dark = dark;
        env.analysisOnCommitCells = onCommitCells;
        env.analysisDelayMs = 5;
        view = std::make_unique<ResultView>(std::move(result), notice, [](const Table&) {}, env);
        view->resize(900, 600);
    }

    template <typename T>
    T* find(const char* name) const
    {
        return view->findChild<T*>(QString::fromLatin1(name));
    }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
    void waitForWrites(size_t n)
    {
        for (int i = 0; i < 50 && writes.size() < n; ++i)
            QTest::qWait(20);
    }
    // Runs the "Table" menu's entry of that title.
    void tableCommand(const QString& title)
    {
        auto* menu = find<QMenu>("tableMenu");
        emit menu->aboutToShow();
        for (QAction* action : menu->actions())
            if (action->text() == title) {
                ASSERT_TRUE(action->isEnabled()) << title.toStdString();
                action->trigger();
                return;
            }
        FAIL() << "no entry " << title.toStdString();
    }
};

QString screenshotPath(const char* name)
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + QLatin1String(name);
}

}  // namespace

TEST(ResultView, StartsOnTheSelectedTableAndOnTheFirstWhenThatIsOutOfRange)
{
    const struct {
        std::optional<int> selected;
        int want;
    } cases[] = {{1, 1}, {std::nullopt, 0}, {5, 0}, {-1, 0}};
    for (const auto& c : cases) {
        Window w(capture({mainTable(), smallTable()}, c.selected));
        EXPECT_EQ(w.view->tableIndex(), c.want);
        ASSERT_NE(w.view->doc(), nullptr);
    }
}

TEST(ResultView, PickerOnlyWithTwoTablesAndEachTableKeepsItsEdits)
{
    Window one(capture({mainTable()}, 0));
    EXPECT_EQ(one.find<QComboBox>("tablePicker"), nullptr);

    Window w(capture({mainTable(), smallTable()}, 0));
    auto* picker = w.find<QComboBox>("tablePicker");
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->count(), 2);
    EXPECT_EQ(picker->itemText(0), QStringLiteral("Table 1 · 4×3"));
    w.view->doc()->setText("Plums", CellPos(1, 0), 0.8);
    picker->setCurrentIndex(1);
    EXPECT_EQ(w.view->tableIndex(), 1);
    EXPECT_EQ(w.label("tableSize"), QStringLiteral("1 × 2"));
    EXPECT_FALSE(w.view->doc()->canUndo());
    w.view->copy();
    EXPECT_EQ(w.fake.clipboard->text(), QStringLiteral("a\tb"));
    picker->setCurrentIndex(0);
    EXPECT_TRUE(w.view->doc()->canUndo());
    EXPECT_EQ(w.view->doc()->cell(CellPos(1, 0))->text, "Plums");
}

TEST(ResultView, WithoutATableShowsTheTextAndCopiesIt)
{
    Window w(capture({}, std::nullopt));
    EXPECT_EQ(w.view->doc(), nullptr);
    EXPECT_NE(w.find<QWidget>("noTableView"), nullptr);
    EXPECT_EQ(w.find<QPushButton>("copyButton"), nullptr);
    EXPECT_EQ(w.find<QToolButton>("exportButton"), nullptr);
    EXPECT_EQ(w.find<QPushButton>("captureNextButton"), nullptr);
    EXPECT_EQ(w.find<QPushButton>("undoButton"), nullptr);
    w.find<QPushButton>("copyTextButton")->click();
    EXPECT_EQ(w.fake.clipboard->text(), QStringLiteral("first line\nsecond line"));
    QTest::qWait(80);
    EXPECT_TRUE(w.writes.empty());
}

TEST(ResultView, ChangesAreWrittenBackOnceAfterABurstAndAtOnceOnClose)
{
    Window w(capture({mainTable(), smallTable()}, 0));
    const QUuid id = w.view->result().id;
    for (int i = 0; i < 5; ++i)
        w.view->doc()->setText("v" + std::to_string(i), CellPos(1, 1), 0.8);
    EXPECT_TRUE(w.writes.empty());
    EXPECT_TRUE(w.view->writeBackPending());
    w.waitForWrites(1);
    QTest::qWait(80);
    ASSERT_EQ(w.writes.size(), 1u);
    EXPECT_EQ(w.writes[0].id, id);
    EXPECT_EQ(w.writes[0].tables.size(), 2u);
    EXPECT_EQ(w.writes[0].tables[0].cells[4].text, "v4");
    EXPECT_EQ(w.writes[0].index, 0);

    w.view->doc()->select(CellPos(2, 2), false);  // a selection alone is a change too
    w.waitForWrites(2);
    EXPECT_EQ(w.writes.size(), 2u);

    // Typed just before closing: written when the window closes, not lost.
    w.view->doc()->setText("last", CellPos(2, 0), 0.8);
    w.view->show();
    w.view->close();
    ASSERT_EQ(w.writes.size(), 3u);
    EXPECT_EQ(w.writes[2].tables[0].cells[6].text, "last");
    QTest::qWait(80);
    EXPECT_EQ(w.writes.size(), 3u);
}

TEST(ResultView, EditsAreReanalysedAtTheThresholdTheWindowOpenedWith)
{
    Window w(capture({mainTable()}, 0));
    w.prefs.flagThreshold = 0.5;
    w.view->doc()->setText("x", CellPos(1, 0), 0.8);
    ASSERT_FALSE(w.reanalysedAt.empty());
    EXPECT_EQ(w.reanalysedAt.back(), 0.8);
}

// A table too large to re-analyse on every commit shows the edit at once and its cells to
// check a moment later; whatever reads the table (copy, write-back) gets them up to date.
TEST(ResultView, ALargeTableIsReanalysedBesideTheWindow)
{
    Window w(capture({mainTable()}, 0), std::nullopt, false, 0);
    w.prefs.flagThreshold = 0.5;
    auto* doc = w.view->doc();
    auto* next = w.find<QPushButton>("nextToCheck");
    ASSERT_TRUE(doc->setText("2.10", CellPos(2, 2), 0.8));
    EXPECT_EQ(doc->cell(CellPos(2, 2))->text, "2.10");
    EXPECT_TRUE(w.view->analysisPending());
    EXPECT_TRUE(next->text().startsWith(QStringLiteral("1 cells to check")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.view->analysisPending(); }, 5000));
    EXPECT_TRUE(next->isHidden());
    ASSERT_FALSE(w.reanalysedAt.empty());
    EXPECT_EQ(w.reanalysedAt.back(), 0.8);  // the threshold the window opened with
    EXPECT_EQ(doc->undoTitle(), "Edit Cell");

    // Undone, the mismatch is back; a copy at once does not wait for the timer.
    doc->undo();
    w.view->copy();
    EXPECT_FALSE(w.view->analysisPending());
    EXPECT_TRUE(next->text().startsWith(QStringLiteral("1 cells to check")));

    // Closed while an analysis runs: the write-back has the analysed table.
    ASSERT_TRUE(doc->setText("2.10", CellPos(2, 2), 0.8));
    w.view->show();
    w.view->close();
    EXPECT_FALSE(w.view->analysisPending());
    ASSERT_FALSE(w.writes.empty());
    EXPECT_FALSE(w.writes.back().tables[0].cells[8].has(CellFlag::typeMismatch));
}

// The next cell to check, asked for just after an edit of a large table, comes from the
// edit's analysis, not from the flags before it.
TEST(ResultView, TheNextCellToCheckWaitsForThePendingAnalysis)
{
    for (const bool fromTheButton : {false, true}) {
        SCOPED_TRACE(fromTheButton ? "button with an open edit" : "Ctrl+' after an edit");
        Window w(capture({mainTable()}, 0), std::nullopt, false, 0);
        w.prefs.flagThreshold = 0.5;
        auto* doc = w.view->doc();
        GridContainer* grid = w.view->grid();
        if (fromTheButton) {
            doc->select(CellPos(2, 2), false);
            grid->beginEditing(QStringLiteral("2.10"));
            w.find<QPushButton>("nextToCheck")->click();
        } else {
            doc->select(CellPos(0, 0), false);
            ASSERT_TRUE(doc->setText("2.10", CellPos(2, 2), 0.8));
            ASSERT_TRUE(w.view->analysisPending());
            grid->nextFlagged();  // what Ctrl+' runs
        }
        EXPECT_FALSE(w.view->analysisPending());
        EXPECT_EQ(doc->cell(CellPos(2, 2))->text, "2.10");
        EXPECT_FALSE(doc->cell(CellPos(2, 2))->has(CellFlag::typeMismatch));
        // Nothing is left to check: the selection stays where it was.
        EXPECT_EQ(doc->selectedAnchor(), fromTheButton ? CellPos(2, 2) : CellPos(0, 0));
    }
}

TEST(ResultView, StatusBarFollowsTheSelectionAndTheCellsToCheck)
{
    Window w(capture({mainTable()}, 0));
    auto* doc = w.view->doc();
    EXPECT_EQ(w.label("tableSize"), QStringLiteral("4 × 3"));
    EXPECT_EQ(w.label("recognitionTime"), QStringLiteral("412 ms"));
    auto* next = w.find<QPushButton>("nextToCheck");
    EXPECT_TRUE(next->text().startsWith(QStringLiteral("1 cells to check")));  // the mismatch
    w.prefs.flagThreshold = 0.9;  // Settings changed: the count follows at once
    doc->select(CellPos(1, 1), false);
    EXPECT_TRUE(next->text().startsWith(QStringLiteral("2 cells to check")));
    EXPECT_EQ(w.label("cellAddress"), QStringLiteral("B2 · 88%"));
    EXPECT_EQ(w.find<QLabel>("cellAddress")->styleSheet().contains(QStringLiteral("#8a5a00")), true);
    EXPECT_EQ(w.view->sourcePane()->highlight(), doc->cell(CellPos(1, 1))->bbox);
    doc->select(CellPos(3, 1), false);  // inside the merged total: its own box
    EXPECT_EQ(w.view->sourcePane()->highlight(), doc->cell(CellPos(3, 0))->bbox);

    // Editing the cells to check leaves none: "Reviewed" at once.
    doc->setText("12", CellPos(1, 1), 0.9);
    doc->setText("2.10", CellPos(2, 2), 0.9);
    EXPECT_TRUE(next->isHidden());
    EXPECT_FALSE(w.find<QLabel>("reviewed")->isHidden());
    EXPECT_EQ(ResultStatus::undoHelp(*doc), QStringLiteral("Undo Edit Cell (Ctrl+Z)"));
    EXPECT_EQ(ResultStatus::redoHelp(*doc), QStringLiteral("Redo (Ctrl+Shift+Z)"));
    w.find<QPushButton>("undoButton")->click();
    EXPECT_EQ(ResultStatus::redoHelp(*doc), QStringLiteral("Redo Edit Cell (Ctrl+Shift+Z)"));
    EXPECT_TRUE(w.find<QPushButton>("redoButton")->isEnabled());
}

TEST(ResultView, TableCommandsAndUndoChangeWhatIsCopied)
{
    Window w(capture({mainTable()}, 0));
    auto* doc = w.view->doc();
    const auto copied = [&] {
        w.view->copy();
        return w.fake.clipboard->data(QStringLiteral("text/tab-separated-values"));
    };
    doc->setText("Plums", CellPos(2, 0), 0.8);
    EXPECT_TRUE(copied().contains("Plums\t7"));

    doc->select(CellPos(1, 0), false);
    doc->select(CellPos(1, 1), true);
    w.tableCommand(QStringLiteral("Merge Cells"));
    EXPECT_FALSE(copied().split('\n')[1].startsWith("Apples\t12\t")) << copied().toStdString();
    w.find<QPushButton>("undoButton")->click();
    EXPECT_TRUE(copied().split('\n')[1].startsWith("Apples\t12\t")) << copied().toStdString();

    doc->select(CellPos(0, 0), false);
    w.tableCommand(QStringLiteral("Unmark Header Row"));
    w.view->copy();
    EXPECT_FALSE(w.fake.clipboard->html().contains(QStringLiteral("<th")));
    w.tableCommand(QStringLiteral("Mark as Header Row"));
    w.view->copy();
    EXPECT_TRUE(w.fake.clipboard->html().contains(QStringLiteral("<th")));

    doc->select(CellPos(2, 0), false);
    w.tableCommand(QStringLiteral("Delete Row"));
    EXPECT_FALSE(copied().contains("Plums"));
    EXPECT_EQ(w.label("tableSize"), QStringLiteral("3 × 3"));
    w.find<QPushButton>("undoButton")->click();
    EXPECT_TRUE(copied().contains("Plums"));
}

TEST(ResultView, SplitHandleMovesHeightBetweenGridAndImage)
{
    Window w(capture({mainTable()}, 0));
    EXPECT_EQ(w.view->imageHeight(), 170);
    w.view->dragSplit(-50, false);
    w.view->dragSplit(-100, true);
    EXPECT_EQ(w.view->imageHeight(), 270);
    w.view->dragSplit(30, true);  // the second drag starts where the first ended
    EXPECT_EQ(w.view->imageHeight(), 240);
    w.view->dragSplit(500, true);
    EXPECT_EQ(w.view->imageHeight(), 60);
}

TEST(ResultView, ZoomStaysWithinItsLimitsAndAPlaceholderImageIsNoImage)
{
    Window w(capture({mainTable()}, 0));
    w.view->show();
    SourcePane* pane = w.view->sourcePane();
    ASSERT_TRUE(pane->hasImage());
    for (int i = 0; i < 40; ++i)
        pane->zoomBy(1.25);
    EXPECT_DOUBLE_EQ(pane->magnification(), KestrowEditor::SourceGeometry::maxMagnification);
    for (int i = 0; i < 80; ++i)
        pane->zoomBy(0.8);
    EXPECT_DOUBLE_EQ(pane->magnification(), KestrowEditor::SourceGeometry::minMagnification);
    pane->zoomBy(1.25);
    pane->zoomBy(0.8);
    EXPECT_NEAR(pane->magnification(), KestrowEditor::SourceGeometry::minMagnification, 1e-12);

    CaptureResult reopened = capture({mainTable()}, 0);
    reopened.image = QImage(1, 1, QImage::Format_RGB32);
    Window w2(reopened);
    EXPECT_FALSE(w2.view->sourcePane()->hasImage());
}

TEST(ResultView, NoticeIsDismissedForTheLifeOfTheWindow)
{
    Window w(capture({mainTable()}, 0), QStringLiteral("2 cells need checking."));
    ASSERT_NE(w.find<QWidget>("noticeBar"), nullptr);
    w.find<QPushButton>("dismissNotice")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.find<QWidget>("noticeBar"), nullptr);
}

TEST(ResultView, ScreenshotsLightAndDark)
{
    for (const bool dark : {false, true}) {
        Window w(capture({mainTable(), smallTable()}, 0), QStringLiteral("Some cells need checking before you copy."),
                 dark);
        w.view->doc()->select(CellPos(1, 1), false);
        w.view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.view.get()));
        const QImage shot = w.view->grab().toImage();
        EXPECT_EQ(shot.size(), QSize(900, 600));
        shot.save(screenshotPath(dark ? "result-window-dark.png" : "result-window-light.png"));

        // The table picker and its list take the window's colours, whatever the desktop's.
        auto* picker = w.find<QComboBox>("tablePicker");
        const QImage box = picker->grab().toImage();
        const QColor face = box.pixelColor(box.width() / 2, 3);
        EXPECT_EQ(face.lightnessF() < 0.5, dark) << face.name().toStdString();
        picker->showPopup();
        QWidget* list = picker->view()->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
        const QImage popup = list->grab().toImage();
        const QColor row = popup.pixelColor(popup.width() - 8, popup.height() - 6);
        EXPECT_EQ(row.lightnessF() < 0.5, dark) << row.name().toStdString();
        popup.save(screenshotPath(dark ? "result-window-picker-dark.png" : "result-window-picker-light.png"));
        picker->hidePopup();
    }
}
