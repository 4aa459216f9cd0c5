#include "GridHarness.hpp"

#include "Kestrow/Editor/CropPreview.hpp"
#include "Kestrow/Editor/GridDelegate.hpp"
#include "KestrowEditor/SlotState.hpp"
#include "Kestrow/Editor/ImageZoom.hpp"
#include "Kestrow/Editor/SourceImageView.hpp"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QSplitter>

#include <gtest/gtest.h>

using namespace Kestrow;
using KestrowEditor::CellPos;
using KestrowEditor::SlotState;
using VozudOzev::BBox;
using VozudOzev::Cell;
using VozudOzev::CellFlag;
using VozudOzev::Table;

namespace {

// A 600 x 300 pixel capture at scale 2 of a 5 x 4 table: every cell 150 x 60 pixels.
SourceImage capture()
{
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    for (int x = 0; x <= 600; x += 150)
        p.drawLine(x, 0, x, 300);
    for (int y = 0; y <= 300; y += 60)
        p.drawLine(0, y, 600, y);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            p.drawText(QRect(c * 150, r * 60, 150, 60), Qt::AlignCenter,
                       r == 0 ? QStringLiteral("Head %1").arg(c) : QStringLiteral("%1.%2").arg(r).arg(c * 7));
    p.end();
    return {image, 2};
}

Cell boxed(int r, int c, std::string text, int rowSpan = 1, int colSpan = 1)
{
    Cell cell{r, c, rowSpan, colSpan, std::move(text)};
    cell.bbox = BBox{c * 150.0, r * 60.0, 150.0 * colSpan, 60.0 * rowSpan};
    cell.confidence = 0.95;
    return cell;
}

// Header row, a merged cell, a flagged and a mismatching cell.
Table sample()
{
    Table t;
    t.rows = 5;
    t.cols = 4;
    for (int c = 0; c < 4; ++c) {
        Cell h = boxed(0, c, "Head " + std::to_string(c));
        h.header = true;
        t.cells.push_back(h);
    }
    t.cells.push_back(boxed(1, 0, "merged across two", 1, 2));
    t.cells.push_back(boxed(1, 2, "1.14"));
    t.cells.push_back(boxed(1, 3, "1.21"));
    for (int r = 2; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            t.cells.push_back(boxed(r, c, std::to_string(r) + "." + std::to_string(c * 7)));
    t.cells[8].confidence = 0.42;  // (2, 1): needs checking
    t.cells[13].flags = std::vector{CellFlag::typeMismatch};  // (3, 2)
    return t;
}

void saveScreenshot(QWidget* widget, const QString& name)
{
    QDir().mkpath(QStringLiteral(VANTREL_SCREENSHOT_DIR));
    const QString path = QStringLiteral(VANTREL_SCREENSHOT_DIR "/") + name;
    ASSERT_TRUE(widget->grab().save(path)) << path.toStdString();
}

}  // namespace

TEST(GridView, ColumnWidthResizedByHandSurvivesEditsButNotANewColumn)
{
    GridHarness h(sample(), capture());
    auto* header = h.view()->horizontalHeader();
    EXPECT_EQ(header->sectionSize(0), 44) << "gutter";
    header->resizeSection(2, 211);
    h.doc->setText("a much longer text than before", CellPos(2, 1), 0.8);
    h.doc->insertRow(1);
    h.doc->undo();
    EXPECT_EQ(header->sectionSize(2), 211);
    EXPECT_EQ(h.grid->columnWidths()[1], 211);

    h.doc->select(CellPos(0, 0), false);
    h.doc->insertColumn(0);
    EXPECT_EQ(h.view()->model()->columnCount(), 6);
    EXPECT_NE(header->sectionSize(3), 211) << "a new column count measures every column again";
    EXPECT_EQ(header->model()->headerData(5, Qt::Horizontal).toString(), "E");
}

TEST(GridView, EmptyTablesShowOnlyWhatTheyHave)
{
    Table noCols;
    noCols.rows = 3;
    GridHarness a(noCols);
    EXPECT_EQ(a.view()->model()->columnCount(), 1) << "only the gutter";
    a.key(Qt::Key_Return, {}, a.view());
    a.key(Qt::Key_X, {}, a.view());
    EXPECT_FALSE(a.grid->editingPos());

    Table noRows;
    noRows.cols = 3;
    GridHarness b(noRows);
    EXPECT_EQ(b.view()->model()->rowCount(), 0);
    b.key(Qt::Key_Down, {}, b.view());
    EXPECT_EQ(b.doc->selection(), std::nullopt);
}

TEST(GridView, CropCardFollowsSelectionAndHoverAndNeverTakesClicks)
{
    GridHarness h(sample(), capture());
    EXPECT_FALSE(h.grid->cropPreview()->isVisible()) << "nothing selected";
    EXPECT_FALSE(h.grid->selectedBox());
    h.click(3, 2);
    EXPECT_EQ(h.grid->selectedBox(), (BBox{150, 180, 150, 60}));
    ASSERT_TRUE(h.grid->cropPreview()->isVisible());
    // 150 x 60 pixels plus 8 pixels each side at scale 2: 83 x 38 points, in an 91 x 46 card.
    const QRectF card = h.grid->cropPreview()->cardFrame();
    EXPECT_DOUBLE_EQ(card.width(), 91);
    EXPECT_DOUBLE_EQ(card.height(), 46);
    const QRect cell = h.view()->visualRect(h.view()->model()->index(3, 2));
    const QPoint cellInGrid = h.viewport()->mapTo(h.grid, cell.topRight());
    EXPECT_DOUBLE_EQ(card.left(), cellInGrid.x() + 1 + 8) << "right of the cell";
    EXPECT_TRUE(h.grid->cropPreview()->testAttribute(Qt::WA_TransparentForMouseEvents));

    // Hovering any slot of a merged cell shows the merged cell.
    h.grid->setHover(1, 2);
    EXPECT_EQ(h.grid->hover(), CellPos(1, 0));
    const QImage merged = h.grid->cropPreview()->image();
    EXPECT_EQ(merged.width(), 300 + 8) << "both columns, clipped at the image's left edge";
    h.grid->setHover(1, 1);
    EXPECT_EQ(h.grid->hover(), CellPos(1, 0));
    h.grid->setHover(-1, -1);
    EXPECT_FALSE(h.grid->hover());

    // A cell without a box shows no card.
    h.doc->setText("typed", CellPos(4, 3), 0.8);
    Table t = h.doc->table();
    h.doc->select(CellPos(4, 3), false);
    EXPECT_TRUE(h.grid->cropPreview()->isVisible()) << "an edited cell keeps its box";
}

TEST(GridView, AccessibilityLabels)
{
    SlotState s;
    EXPECT_EQ(GridDelegate::accessibilityLabel(s), "Empty cell");
    s.flagged = s.edited = true;
    EXPECT_EQ(GridDelegate::accessibilityLabel(s), "Empty cell, needs checking, edited");
    s.text = "12";
    s.mismatch = true;
    EXPECT_EQ(GridDelegate::accessibilityLabel(s), "12, needs checking, doesn't match the column type, edited");
}

TEST(SourceImageView, PlaceholderImageIsNoImage)
{
    for (const QImage& image : {QImage(), QImage(1, 1, QImage::Format_RGB32)}) {
        ImageZoom zoom;
        SourceImageView pane(SourceImage{image, 2}, &zoom);
        pane.resize(300, 200);
        pane.setInputs(BBox{0, 0, 10, 10}, Palette::dark());
        EXPECT_FALSE(pane.showsImage());
        EXPECT_FALSE(pane.highlight());
        zoom.zoom(2);
        zoom.fit();
        const QImage shot = pane.grab().toImage();
        EXPECT_FALSE(shot.isNull());
        // The grid shows no crop of a placeholder either.
        EXPECT_FALSE(SourceImage({image, 2}).crop(BBox{0, 0, 1, 1}));
    }
}

TEST(SourceImageView, ZoomClampsFitsAndHighlightsOnce)
{
    ImageZoom zoom;
    auto pane = std::make_unique<SourceImageView>(capture(), &zoom);
    pane->resize(400, 300);
    pane->show();
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(pane->magnification(), 1) << "the 328-point canvas fits a 400-point pane at 100 %";
    for (int i = 0; i < 20; ++i)
        zoom.zoom(1.25);
    EXPECT_DOUBLE_EQ(pane->magnification(), 8);
    for (int i = 0; i < 80; ++i)
        zoom.zoom(0.8);
    EXPECT_DOUBLE_EQ(pane->magnification(), 0.05);

    pane->setInputs(BBox{300, 120, 150, 60}, Palette::light());
    QApplication::processEvents();
    EXPECT_EQ(pane->revealCount(), 1);
    pane->setInputs(BBox{300, 120, 150, 60}, Palette::light());
    QApplication::processEvents();
    EXPECT_EQ(pane->revealCount(), 1) << "the same highlight again neither redraws nor scrolls";
    pane->setInputs(std::nullopt, Palette::light());
    QApplication::processEvents();
    EXPECT_FALSE(pane->highlight());
    EXPECT_EQ(pane->revealCount(), 1) << "clearing does not scroll";

    pane.reset();
    zoom.zoom(2);  // the pane is gone: nothing happens
    zoom.fit();
}

// The pane repaints only where the mark was and where it goes; what is on screen after the
// mark moved must be what a fresh pane with the new mark shows.
TEST(SourceImageView, AMovedHighlightLeavesNoTrace)
{
    const BBox from{40, 40, 120, 40}, to{300, 160, 150, 60};
    for (const double zoomBy : {1.0, 0.5}) {  // the whole picture in view: nothing scrolls
        SCOPED_TRACE(zoomBy);
        const auto shown = [&](std::vector<std::optional<BBox>> marks) {
            ImageZoom zoom;
            SourceImageView pane(capture(), &zoom);
            pane.resize(400, 300);
            pane.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&pane));
            zoom.zoom(zoomBy);
            for (const auto& mark : marks) {
                pane.setInputs(mark, Palette::light());
                QApplication::processEvents();  // painted with this mark before the next
            }
            // What the window shows, not a fresh rendering of it.
            return pane.screen()->grabWindow(pane.winId()).toImage();
        };
        EXPECT_EQ(shown({from, to}), shown({to}));
        EXPECT_EQ(shown({from, std::nullopt}), shown({std::nullopt}));
    }
}

// Pictures of the grid and the source pane for a person to look at (not compared).
TEST(GridView, ScreenshotsLightAndDark)
{
    for (const bool dark : {false, true}) {
        const Palette& palette = dark ? Palette::dark() : Palette::light();
        GridHarness h(sample(), capture(), palette, {560, 220});
        h.doc->select(CellPos(2, 1), false);
        h.doc->select(CellPos(2, 2), true);
        h.grid->selectionChanged();
        QApplication::processEvents();
        saveScreenshot(h.grid, dark ? "grid-dark.png" : "grid-light.png");

        ImageZoom zoom;
        SourceImageView pane(capture(), &zoom);
        pane.resize(420, 220);
        pane.setInputs(BBox{150, 120, 150, 60}, palette);
        pane.show();
        QApplication::processEvents();
        zoom.fit();
        saveScreenshot(&pane, dark ? "source-dark.png" : "source-light.png");

        SourceImageView empty(SourceImage{}, nullptr);
        empty.setInputs(std::nullopt, palette);
        empty.resize(300, 120);
        saveScreenshot(&empty, dark ? "source-none-dark.png" : "source-none-light.png");
    }
}
