#include "Kestrow/Help/SamplePicture.hpp"
#include "Kestrow/Help/SampleTable.hpp"
#include "Kestrow/Help/SampleTableView.hpp"

#include "VozudOzev/Extraction/DocumentsEngine.hpp"
#include "VozudOzev/Extraction/StructureAssembler.hpp"
#include "VozudOzev/OCR/ImageLoader.hpp"
#include "VozudOzev/TextGrid/TextGridDocumentRecognizer.hpp"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Kestrow;

namespace {

std::vector<QStringList> sourceRows()
{
    QFile file(QStringLiteral(VANTREL_SOURCE_DIR "/Resources/Samples/sample-table.tsv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<QStringList> rows;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty())
            rows.push_back(QString::fromUtf8(line).split(QLatin1Char('\t')));
    return rows;
}

QString screenshotDir()
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(dir);
    return dir;
}

}  // namespace

TEST(SampleTable, HintNamesTheShortcutOrTheButton)
{
    EXPECT_EQ(SampleTable::hint({QStringLiteral("Super"), QStringLiteral("Shift"), QStringLiteral("T")}),
              QStringLiteral("Press Super+Shift+T and drag over this table."));
    EXPECT_EQ(SampleTable::hint({}), QStringLiteral("Click Capture This Table, then drag over the table below."));
}

TEST(SampleTable, ImagePathPicksTheSchemeAndNeedsAFolder)
{
    EXPECT_TRUE(SampleTable::imagePath(true, QStringLiteral("/x"))->endsWith(QStringLiteral("sample-table-dark.png")));
    EXPECT_TRUE(SampleTable::imagePath(false, QStringLiteral("/x"))->endsWith(QStringLiteral("sample-table-light.png")));
    EXPECT_FALSE(SampleTable::imagePath(true, std::nullopt));
    ASSERT_TRUE(SampleTable::folder()) << "the build renders the sample pictures";
}

// The pictures are rendered from the source table; what the user captures must come back
// as those cells. The title above the table is left out, as a user dragging over the table does.
TEST(SampleTable, RecognisingEachPictureGivesTheSourceTable)
{
    const std::vector<QStringList> want = sourceRows();
    ASSERT_EQ(want.size(), 8u);
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        const VozudOzev::Image picture = VozudOzev::ImageLoader::load(SampleTable::imagePath(dark)->toStdString());
        const VozudOzev::Image table = picture.cropped(0, 150, picture.width, picture.height);
        const auto assembler = VozudOzev::StructureAssembler::recommended();
        const auto output =
            VozudOzev::DocumentsEngine(std::make_shared<VozudOzev::TextGridDocumentRecognizer>(assembler.ocr))
                .run(table, "sample");
        ASSERT_TRUE(output.selected());
        const auto grid = output.selected()->grid();
        ASSERT_EQ(grid.size(), want.size());
        for (size_t r = 0; r < want.size(); ++r) {
            ASSERT_EQ(grid[r].size(), static_cast<size_t>(want[r].size())) << "row " << r;
            for (int c = 0; c < want[r].size(); ++c) {
                // Word gaps in header labels are the one thing the reading may drop.
                QString got = QString::fromStdString(grid[r][c]);
                QString expected = want[r][c];
                if (r == 0) {
                    got.remove(QLatin1Char(' '));
                    expected.remove(QLatin1Char(' '));
                }
                EXPECT_EQ(got, expected) << "row " << r << " column " << c;
            }
        }
    }
}

TEST(SampleTableView, ShowsThePictureOfTheSchemeAndCapturesOnReturn)
{
    int captures = 0;
    SampleTableView view([&] { ++captures; }, {QStringLiteral("Super"), QStringLiteral("Shift"), QStringLiteral("T")},
                         false, SampleTable::folder());
    view.resize(820, 540);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(view.hintText(), QStringLiteral("Press Super+Shift+T and drag over this table."));
    const QImage light = view.picture();
    ASSERT_FALSE(light.isNull());
    view.grab().save(screenshotDir() + QStringLiteral("/sample-window-light.png"));

    view.setDark(true);
    ASSERT_FALSE(view.picture().isNull());
    EXPECT_NE(view.picture().pixel(2, 2), light.pixel(2, 2));
    view.grab().save(screenshotDir() + QStringLiteral("/sample-window-dark.png"));

    view.setShortcutKeys({QStringLiteral("Ctrl"), QStringLiteral("Alt"), QStringLiteral("R")});
    EXPECT_EQ(view.hintText(), QStringLiteral("Press Ctrl+Alt+R and drag over this table."));

    view.captureButton()->setFocus();
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(captures, 1);
}

TEST(SampleTableView, MissingPicturesLeaveTheHintAndButton)
{
    int captures = 0;
    SampleTableView view([&] { ++captures; }, {}, false, QStringLiteral("/nonexistent"));
    EXPECT_TRUE(view.picture().isNull());
    view.captureButton()->click();
    EXPECT_EQ(captures, 1);
}

TEST(SamplePicture, NeverDrawnWiderThanItsOwnWidthInPoints)
{
    QImage image(400, 200, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(144 / 0.0254 + 0.5));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    SamplePicture picture;
    picture.setImage(image, Qt::gray);
    const struct {
        QSize widget;
        QRectF want;
    } cases[] = {
        {QSize(800, 600), QRectF(300, 250, 200, 100)},  // own size, centred
        {QSize(100, 600), QRectF(0, 275, 100, 50)},     // narrower: scaled by the aspect ratio
        {QSize(800, 50), QRectF(350, 0, 100, 50)},
    };
    for (const auto& c : cases) {
        picture.resize(c.widget);
        EXPECT_EQ(picture.pictureRect(), c.want);
    }
}
