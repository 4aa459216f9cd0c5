#include "FakeResultServices.hpp"
#include "ReadBack.hpp"

#include "Kestrow/Result/ResultActions.hpp"
#include "Kestrow/Result/ResultExports.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Kestrow;
using nlohmann::json;
using VozudOzev::Cell;
using VozudOzev::Table;

namespace {

Cell cell(int row, int col, std::string text, bool header = false)
{
    Cell c;
    c.row = row;
    c.col = col;
    c.text = std::move(text);
    if (header)
        c.header = true;
    return c;
}

// Commas, quotes, a pipe, diacritics, a number with grouping and a merged total row.
Table sampleTable(bool withHeader = true)
{
    Table t;
    t.rows = 4;
    t.cols = 3;
    t.cells = {cell(0, 0, "Region", withHeader), cell(0, 1, "Revenue, $", withHeader), cell(0, 2, "Note", withHeader),
               cell(1, 0, "Hà Nội"), cell(1, 1, "1,234.5"), cell(1, 2, "says \"hi\" | a|b"),
               cell(2, 0, "Đà Nẵng"), cell(2, 1, "987"), cell(2, 2, ""),
               cell(3, 0, "Total"), cell(3, 2, "2,221.5")};
    t.cells[9].colSpan = 2;
    t.bbox = VozudOzev::BBox{10, 10, 50, 30};
    return t;
}

const json expectedRows = json::array({json::array({"Region", "Revenue, $", "Note"}),
                                       json::array({"Hà Nội", "1,234.5", "says \"hi\" | a|b"}),
                                       json::array({"Đà Nẵng", "987", ""}),
                                       json::array({"Total", "", "2,221.5"})});

VozudOzev::SourceInfo source()
{
    return {"Screen capture", std::chrono::system_clock::time_point(std::chrono::seconds(1'790'000'000)), "B", 640,
            480};
}

ExportPreferences prefs(bool normalized = false)
{
    ExportPreferences p;
    p.copyNormalized = normalized;
    p.normalizer = [](const Table& t) {
        Table n = t;
        for (Cell& c : n.cells)
            if (c.text == "1,234.5")
                c.text = "1234.5";
        return n;
    };
    return p;
}

struct Actions {
    FakeResultServices fake;
    ExportPreferences current = prefs();
    ResultActions actions{fake.services(), [this] { return current; }};
};

}  // namespace

TEST(ResultActions, CopyPutsHtmlTextAndTsvThatReadBackAsTheGrid)
{
    Actions a;
    a.actions.copy(sampleTable());
    ASSERT_TRUE(a.fake.clipboard);
    const QMimeData& mime = *a.fake.clipboard;
    const json html = readBackText(QStringLiteral("html"), mime.html().toUtf8());
    json wantHtml = expectedRows;
    wantHtml[3] = json::array({"Total", "2,221.5"});  // the merged cell is one cell spanning two columns
    EXPECT_EQ(html["rows"], wantHtml);
    EXPECT_EQ(html["header_cells"], 3);
    EXPECT_TRUE(mime.html().contains(QStringLiteral("colspan=\"2\"")));
    const QByteArray tsv = mime.data(QStringLiteral("text/tab-separated-values"));
    EXPECT_EQ(mime.text().toUtf8(), tsv);
    EXPECT_EQ(tsv.split('\n').size(), 4);
    EXPECT_EQ(tsv.split('\n')[1], QByteArray("Hà Nội\t1,234.5\tsays \"hi\" | a|b"));
}

TEST(ResultActions, CopyFollowsTheCopyModeAndTheMenuItemsIgnoreIt)
{
    const struct {
        bool normalizedMode;
        void (ResultActions::*action)(const Table&) const;
        const char* want;
    } cases[] = {
        {false, &ResultActions::copy, "1,234.5"},          {true, &ResultActions::copy, "1234.5"},
        {true, &ResultActions::copyAsShown, "1,234.5"},    {false, &ResultActions::copyNormalized, "1234.5"},
    };
    for (const auto& c : cases) {
        Actions a;
        a.current = prefs(c.normalizedMode);
        (a.actions.*c.action)(sampleTable());
        ASSERT_TRUE(a.fake.clipboard);
        EXPECT_TRUE(a.fake.clipboard->text().contains(QString::fromUtf8(c.want))) << c.want;
    }
}

TEST(ResultActions, HeaderlessTableHasNoHtmlHeaderButMarkdownUsesItsFirstRow)
{
    Actions a;
    const Table t = sampleTable(false);
    a.actions.copy(t);
    EXPECT_EQ(readBackText(QStringLiteral("html"), a.fake.clipboard->html().toUtf8())["header_cells"], 0);
    a.actions.copyMarkdown(t);
    const json md = readBackText(QStringLiteral("md"), a.fake.clipboard->text().toUtf8());
    EXPECT_EQ(md["rows"], expectedRows);
    EXPECT_EQ(md["header_cells"], 3);
    EXPECT_TRUE(a.fake.toasts.empty());
}

TEST(ResultActions, AIContextToastsAndWithImageCarriesTheTablePicture)
{
    Actions a;
    a.actions.copyAIContext(sampleTable(), source());
    ASSERT_EQ(a.fake.toasts.size(), 1u);
    EXPECT_EQ(a.fake.toasts[0], QStringLiteral("Copied as AI context"));
    const QString text = a.fake.clipboard->text();
    EXPECT_TRUE(text.contains(QStringLiteral("Screen capture")));
    EXPECT_TRUE(text.contains(QStringLiteral("Hà Nội")));

    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    a.actions.copyAIContextWithImage(sampleTable(), source(), image);
    EXPECT_EQ(a.fake.toasts.size(), 1u);
    EXPECT_EQ(a.fake.clipboard->text(), text);
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(a.fake.clipboard->data(QStringLiteral("image/png")), "PNG"));
    EXPECT_EQ(picture.size(), QSize(66, 46));  // the box grown by 8 on every side

    // Without a box the whole image; with a kept-nothing placeholder no picture at all.
    Table noBox = sampleTable();
    noBox.bbox.reset();
    a.actions.copyAIContextWithImage(noBox, source(), image);
    ASSERT_TRUE(picture.loadFromData(a.fake.clipboard->data(QStringLiteral("image/png")), "PNG"));
    EXPECT_EQ(picture.size(), image.size());
    QImage dot(1, 1, QImage::Format_RGB32);
    a.actions.copyAIContextWithImage(sampleTable(), source(), dot);
    EXPECT_FALSE(a.fake.clipboard->hasFormat(QStringLiteral("image/png")));
    EXPECT_EQ(a.fake.clipboard->text(), text);
}

TEST(ResultExports, TablePictureClipsTheGrownBoxToTheImage)
{
    QImage image(100, 50, QImage::Format_RGB32);
    const struct {
        std::optional<VozudOzev::BBox> box;
        QRect want;
    } cases[] = {
        {VozudOzev::BBox{0, 0, 20, 10}, QRect(0, 0, 28, 18)},
        {VozudOzev::BBox{90.5, 45, 20, 20}, QRect(82, 37, 18, 13)},
        {VozudOzev::BBox{10, 10, 0, 5}, QRect(0, 0, 100, 50)},
        {VozudOzev::BBox{500, 500, 10, 10}, QRect(0, 0, 100, 50)},
        {std::nullopt, QRect(0, 0, 100, 50)},
    };
    for (const auto& c : cases) {
        image.fill(Qt::black);
        image.setPixel(c.want.topLeft(), qRgb(255, 0, 0));
        const QImage picture = ResultExports::tablePicture(image, c.box);
        EXPECT_EQ(picture.size(), c.want.size());
        EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
    }
    EXPECT_TRUE(ResultExports::tablePicture(QImage(), VozudOzev::BBox{0, 0, 1, 1}).isNull());
}

TEST(ResultActions, EverySaveWritesAFileItsConsumerReadsBack)
{
    QTemporaryDir dir;
    Actions a;
    const Table t = sampleTable();
    const struct {
        SaveFormat format;
        const char* name;
        const char* kind;
    } cases[] = {{SaveFormat::xlsx, "table.xlsx", "xlsx"},
                 {SaveFormat::csv, "table.csv", "csv"},
                 {SaveFormat::markdown, "table.md", "md"},
                 {SaveFormat::json, "table.json", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        a.fake.answerPath = path;
        EXPECT_EQ(a.actions.save(c.format, t, source(), nullptr), ResultActions::SaveOutcome::saved);
        EXPECT_EQ(a.fake.requests.back().defaultName, QString::fromUtf8(c.name));
        ASSERT_TRUE(QFile::exists(path));
        if (!c.kind)
            continue;
        const json back = readBack(QString::fromUtf8(c.kind), path);
        if (c.format == SaveFormat::xlsx) {
            // Numbers become numbers, the header is frozen and the total row stays merged.
            const json want = json::array({json::array({"Region", "Revenue, $", "Note"}),
                                           json::array({"Hà Nội", 1234.5, "says \"hi\" | a|b"}),
                                           json::array({"Đà Nẵng", 987, ""}),
                                           json::array({"Total", "", 2221.5})});
            EXPECT_EQ(back["rows"], want);
            EXPECT_EQ(back["sheet"], "Table");
            EXPECT_EQ(back["freeze"], "A2");
            EXPECT_EQ(back["merged"], json::array({"A4:B4"}));
        } else {
            EXPECT_EQ(back["rows"], expectedRows);
        }
    }
    QFile jsonFile(dir.filePath(QStringLiteral("table.json")));
    ASSERT_TRUE(jsonFile.open(QIODevice::ReadOnly));
    const json doc = json::parse(jsonFile.readAll().toStdString());
    EXPECT_EQ(doc["schema"], "vantrel.table/1");
    EXPECT_EQ(doc["header_rows"], 1);
    EXPECT_EQ(doc["grid"], expectedRows);
    EXPECT_EQ(doc["source"]["name"], "Screen capture");
    EXPECT_TRUE(a.fake.alerts.empty());
}

TEST(ResultActions, CancelledSaveWritesNothingAndSaysNothing)
{
    QTemporaryDir dir;
    Actions a;
    for (SaveFormat format : allSaveFormats)
        EXPECT_EQ(a.actions.save(format, sampleTable(), source(), nullptr), ResultActions::SaveOutcome::cancelled);
    EXPECT_EQ(a.fake.requests.size(), allSaveFormats.size());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(a.fake.alerts.empty());
}

TEST(ResultActions, FailedSaveAlertsWithTheFileAndTheReason)
{
    QTemporaryDir dir;
    Actions a;
    const struct {
        QString path;
    } cases[] = {
        {dir.filePath(QStringLiteral("missing-folder/table.csv"))},
        {dir.filePath(QString(300, QLatin1Char('n')) + QStringLiteral(".csv"))},  // name refused
        {dir.path()},                                                              // a folder
    };
    for (const auto& c : cases) {
        a.fake.alerts.clear();
        a.fake.answerPath = c.path;
        EXPECT_EQ(a.actions.save(SaveFormat::csv, sampleTable(), source(), nullptr), ResultActions::SaveOutcome::failed);
        ASSERT_EQ(a.fake.alerts.size(), 2u);
        EXPECT_EQ(a.fake.alerts[0], QStringLiteral("The table could not be saved"));
        EXPECT_TRUE(a.fake.alerts[1].contains(QFileInfo(c.path).fileName())) << a.fake.alerts[1].toStdString();
    }
    // A table no workbook can hold is refused before any file is chosen.
    Table huge;
    huge.rows = VozudOzev::XLSXWriter::maxRows + 1;
    huge.cols = 1;
    a.fake.alerts.clear();
    a.fake.requests.clear();
    EXPECT_EQ(a.actions.save(SaveFormat::xlsx, huge, source(), nullptr), ResultActions::SaveOutcome::failed);
    EXPECT_TRUE(a.fake.requests.empty());
    EXPECT_EQ(a.fake.alerts.size(), 2u);
}
