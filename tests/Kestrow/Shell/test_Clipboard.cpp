#include "Kestrow/Shell/Clipboard.hpp"
#include "Kestrow/Shell/TrustWiring.hpp"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace Kestrow;
using VozudOzev::Cell;
using VozudOzev::Table;

namespace {

Cell cell(int row, int col, std::string text, std::optional<bool> header = std::nullopt, int rowSpan = 1)
{
    Cell c;
    c.row = row;
    c.col = col;
    c.rowSpan = rowSpan;
    c.text = std::move(text);
    c.header = header;
    return c;
}

Table table(int rows, int cols, std::vector<Cell> cells)
{
    Table t;
    t.rows = rows;
    t.cols = cols;
    t.cells = std::move(cells);
    return t;
}

}  // namespace

TEST(Clipboard, HeaderRowCountStopsAtTheFirstRowThatIsNotAllHeaders)
{
    const struct {
        const char* name;
        Table table;
        int want;
    } cases[] = {
        {"mixed first row", table(2, 2, {cell(0, 0, "A", true), cell(0, 1, "B"), cell(1, 0, "1"), cell(1, 1, "2")}), 0},
        {"every row a header", table(2, 1, {cell(0, 0, "A", true), cell(1, 0, "B", true)}), 2},
        {"first row without cells", table(3, 1, {cell(1, 0, "A", true), cell(2, 0, "1")}), 0},
        // A header spanning down does not make the row below a header row.
        {"span from above", table(3, 2, {cell(0, 0, "A", true, 2), cell(0, 1, "B", true), cell(1, 1, "b", false),
                                         cell(2, 0, "1")}), 1},
        {"header false", table(1, 1, {cell(0, 0, "A", false)}), 0},
        {"empty table", table(0, 0, {}), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Clipboard::headerRowCount(c.table), c.want);
    }
}

TEST(Clipboard, OnlyTheExactStoredWordsChooseTheOtherModes)
{
    EXPECT_EQ(Clipboard::defaultCopyMode(std::nullopt), Clipboard::CopyMode::asShown);
    EXPECT_EQ(Clipboard::aiHeaderMode(std::nullopt), VozudOzev::AIContext::HeaderMode::joined);
    const struct {
        const char* copyMode;
        Clipboard::CopyMode want;
        const char* headerMode;
        VozudOzev::AIContext::HeaderMode wantHeader;
    } cases[] = {
        {"asShown", Clipboard::CopyMode::asShown, "joined", VozudOzev::AIContext::HeaderMode::joined},
        {"Normalized", Clipboard::CopyMode::asShown, "KeepRows", VozudOzev::AIContext::HeaderMode::joined},
        {"normalized", Clipboard::CopyMode::normalized, "keepRows", VozudOzev::AIContext::HeaderMode::keepRows},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copyMode);
        EXPECT_EQ(Clipboard::defaultCopyMode(QString::fromLatin1(c.copyMode)), c.want);
        EXPECT_EQ(Clipboard::aiHeaderMode(QString::fromLatin1(c.headerMode)), c.wantHeader);
    }
}

TEST(Clipboard, ACopyPutsHtmlAndTheSameTabSeparatedTextTwice)
{
    FakeClipboardWriter clipboard;
    Clipboard::copyRaw(table(2, 2, {cell(0, 0, "Name", true), cell(0, 1, "Qty", true), cell(1, 0, "Bút"),
                                    cell(1, 1, "12")}),
                       clipboard);
    ASSERT_NE(clipboard.data(), nullptr);
    const QMimeData& data = *clipboard.data();
    EXPECT_EQ(data.text(), QStringLiteral("Name\tQty\nBút\t12"));
    EXPECT_EQ(QString::fromUtf8(data.data(Clipboard::tsvMimeType)), data.text());
    EXPECT_TRUE(data.html().contains("<th>Name</th>")) << data.html().toStdString();
    EXPECT_TRUE(data.html().contains("<td>Bút</td>")) << data.html().toStdString();
    EXPECT_FALSE(data.hasImage());
}

TEST(Clipboard, CropClipsToTheImageAndRoundsOutward)
{
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    const struct {
        const char* name;
        std::optional<VozudOzev::BBox> box;
        double margin;
        QSize want;
    } cases[] = {
        {"inside", VozudOzev::BBox{10.5, 10, 20, 10.2}, 0, {21, 11}},
        {"edge with margin", VozudOzev::BBox{90, 40, 10, 10}, 4, {14, 14}},
        {"zero width", VozudOzev::BBox{10, 10, 0, 10}, 4, {100, 50}},
        {"no box", std::nullopt, 4, {100, 50}},
        {"outside", VozudOzev::BBox{200, 200, 10, 10}, 2, {100, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Clipboard::crop(image, c.box, c.margin).size(), c.want);
    }
}

TEST(Clipboard, NormalizedCopyRewritesTheBodyAndKeepsTheHeader)
{
    const Table t = table(3, 2, {cell(0, 0, "Date", true), cell(0, 1, "1.000", true), cell(1, 0, "31/12/2024"),
                                 cell(1, 1, "1,234.50"), cell(2, 0, "01/02/2024"), cell(2, 1, "12.00")});
    TrustWiring::install();
    FakeClipboardWriter clipboard;
    Clipboard::copy(t, Clipboard::CopyMode::normalized, clipboard);
    const QString text = clipboard.data()->text();
    EXPECT_TRUE(text.startsWith("Date\t1.000\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("2024-12-31")) << text.toStdString();
    Clipboard::copy(t, Clipboard::CopyMode::asShown, clipboard);
    EXPECT_TRUE(clipboard.data()->text().contains("31/12/2024"));
}

TEST(Clipboard, SavesAreMadeBeforeAskingAndWriteFailuresAreReported)
{
    QTemporaryDir dir;
    const Table t = table(2, 1, {cell(0, 0, "A", true), cell(1, 0, "1")});
    QString asked;
    const QString path = dir.filePath("table.xlsx");
    EXPECT_TRUE(Clipboard::saveXLSX(t, "table.xlsx", [&](const QString& name, const QString&) {
        asked = name;
        return std::optional<QString>(path);
    }));
    EXPECT_EQ(asked, QStringLiteral("table.xlsx"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2) == "PK");
    EXPECT_FALSE(Clipboard::saveJSON(t, {}, "table.json", [](const QString&, const QString&) {
        return std::optional<QString>("/nonexistent-folder/table.json");
    }));
    EXPECT_FALSE(Clipboard::saveJSON(t, {}, "table.json", [](const QString&, const QString&) { return std::nullopt; }));
}
