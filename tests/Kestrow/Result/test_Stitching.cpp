#include "Kestrow/Result/ExportSource.hpp"
#include "Kestrow/Result/Stitching.hpp"

#include <gtest/gtest.h>

using namespace Kestrow;

TEST(Stitching, SummaryNamesWhatTheStitchDid)
{
    const struct {
        int header, overlap, added;
        const char* want;
    } cases[] = {
        {0, 0, 0, "Added 0 rows"},
        {0, 0, 1, "Added 1 row"},
        {1, 2, 14, "Added 14 rows · skipped 2 repeated · removed repeated header"},
        {0, 1, 3, "Added 3 rows · skipped 1 repeated"},
        {2, 0, 5, "Added 5 rows · removed repeated header"},
    };
    for (const auto& c : cases) {
        VozudOzev::StitchTables::Report report;
        report.droppedHeaderRows = c.header;
        report.droppedOverlapRows = c.overlap;
        report.appendedRows = c.added;
        EXPECT_EQ(Stitching::summary(report), QString::fromUtf8(c.want));
    }
}

TEST(Stitching, ExportSourceTakesTheHistoryItemElseTheCapturesOwnName)
{
    CaptureResult capture;
    capture.date = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
    capture.extraction.output.engine = "B";
    capture.extraction.output.imageWidth = 640;
    capture.extraction.output.imageHeight = 480;
    const QDateTime first = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
    const ResultEnvironment::HistoryItem item{QStringLiteral("Firefox"), first};
    const struct {
        const char* name;
        std::optional<QString> ownName;
        std::optional<ResultEnvironment::HistoryItem> item;
        std::string wantName;
        QDateTime wantDate;
    } cases[] = {
        // A reopened capture finds the item it came from: its source and its first time.
        {"history item", std::nullopt, item, "Firefox", first},
        {"history item wins over the own name", QStringLiteral("Calc"), item, "Firefox", first},
        {"history off, file capture", QStringLiteral("table.png"), std::nullopt, "table.png", capture.date},
        {"history off, no name", std::nullopt, std::nullopt, "Screen capture", capture.date},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        capture.sourceName = c.ownName;
        const VozudOzev::SourceInfo source = exportSource(capture, c.item);
        EXPECT_EQ(source.name, c.wantName);
        EXPECT_EQ(source.capturedAt,
                  std::chrono::system_clock::time_point(std::chrono::milliseconds(c.wantDate.toMSecsSinceEpoch())));
        EXPECT_EQ(source.engine, "B");
        EXPECT_EQ(source.imageWidth, 640);
        EXPECT_EQ(source.imageHeight, 480);
    }
}
