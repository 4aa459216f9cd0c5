#include "Kestrow/Feedback/FeedbackContext.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Kestrow;

namespace {

QImage picture()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

VozudOzev::Table table()
{
    VozudOzev::Table t;
    t.rows = 1;
    t.cols = 2;
    t.cells = {{0, 0, 1, 1, "Region"}, {0, 1, 1, 1, "1,234"}};
    return t;
}

int modeOf(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 0777) : -1;
}

}  // namespace

// Files are written only for what is both ticked and offered, image first, in a private
// per-send folder; nothing at all is created otherwise.
TEST(FeedbackContext, WritesOnlyWhatIsTickedAndOffered)
{
    const struct {
        bool image, table, tickImage, tickTable;
        QStringList names;
    } cases[] = {
        {false, false, true, true, {}},
        {true, true, false, false, {}},
        {true, false, false, true, {}},
        {true, true, true, false, {"capture.png"}},
        {true, true, false, true, {"table.csv"}},
        {false, true, true, true, {"table.csv"}},
        {true, true, true, true, {"capture.png", "table.csv"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names.join(",").toStdString() + (c.image ? " image" : "") + (c.table ? " table" : ""));
        QTemporaryDir tmp;
        const QString root = tmp.filePath("cache/Vantrel-feedback");
        FeedbackContext context;
        if (c.image)
            context.image = picture();
        if (c.table)
            context.table = table();
        FeedbackDraft draft;
        draft.includeImage = c.tickImage;
        draft.includeTable = c.tickTable;
        const QStringList files = context.writeAttachments(draft, root);
        QStringList names;
        for (const QString& file : files)
            names << QFileInfo(file).fileName();
        EXPECT_EQ(names, c.names);
        if (files.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(root));
            continue;
        }
        const QString folder = QFileInfo(files.front()).absolutePath();
        EXPECT_EQ(QFileInfo(folder).absolutePath(), QFileInfo(root).absoluteFilePath());
        EXPECT_EQ(QFileInfo(folder).fileName().size(), 36);
        EXPECT_EQ(QFileInfo(folder).fileName(), QFileInfo(folder).fileName().toUpper());
        EXPECT_EQ(modeOf(root), 0700);
        EXPECT_EQ(modeOf(folder), 0700);
        for (const QString& file : files)
            EXPECT_EQ(modeOf(file), 0600);
        if (c.names.contains("table.csv")) {
            QFile csv(QDir(folder).filePath("table.csv"));
            ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
            EXPECT_EQ(csv.readAll(), QByteArray("\xEF\xBB\xBFRegion,\"1,234\"\r\n"));
        }
        if (c.names.contains("capture.png")) {
            EXPECT_EQ(QImage(QDir(folder).filePath("capture.png")).size(), QSize(40, 20));
        }
    }
}

// A root that another user could have planted (a link, a file) is refused, not written
// through; a root left open to others is tightened.
TEST(FeedbackContext, RefusesARootItDoesNotOwn)
{
    QTemporaryDir tmp;
    FeedbackContext context;
    context.table = table();
    FeedbackDraft draft;
    draft.includeTable = true;

    const QString elsewhere = tmp.filePath("elsewhere");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    const QString linked = tmp.filePath("linked");
    ASSERT_TRUE(QFile::link(elsewhere, linked));
    EXPECT_THROW(context.writeAttachments(draft, linked), FeedbackFileError);
    EXPECT_TRUE(QDir(elsewhere).isEmpty());

    const QString file = tmp.filePath("file");
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_THROW(context.writeAttachments(draft, file), FeedbackFileError);

    const QString open = tmp.filePath("open");
    ASSERT_TRUE(QDir().mkpath(open));
    ::chmod(QFile::encodeName(open).constData(), 0777);
    EXPECT_EQ(context.writeAttachments(draft, open).size(), 1);
    EXPECT_EQ(modeOf(open), 0700);
}

// The launch purge deletes its own folder and nothing it merely points at or sits beside.
TEST(FeedbackContext, PurgeRemovesOnlyWhatItOwns)
{
    QTemporaryDir tmp;
    const QString root = tmp.filePath("Vantrel-feedback");
    FeedbackContext context;
    context.image = picture();
    FeedbackDraft draft;
    draft.includeImage = true;
    const QStringList files = context.writeAttachments(draft, root);
    ASSERT_EQ(files.size(), 1);

    const QString outside = tmp.filePath("keep/precious.txt");
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("keep")));
    QFile precious(outside);
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
    precious.write("mine");
    precious.close();
    ASSERT_TRUE(QFile::link(tmp.filePath("keep"), root + "/linkToFolder"));
    ASSERT_TRUE(QFile::link(outside, root + "/linkToFile"));
    const QString uuidSibling = tmp.filePath("feedback-0B5A1E26-3C9D-4B7F-9E36-8A2D5C1F7E40");
    ASSERT_TRUE(QDir().mkpath(uuidSibling));

    FeedbackContext::purgeStaleAttachments(root);
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_TRUE(QFileInfo::exists(uuidSibling));

    // A root that is itself a link is removed as a link; its target stays whole.
    ASSERT_TRUE(QFile::link(tmp.filePath("keep"), root));
    FeedbackContext::purgeStaleAttachments(root);
    EXPECT_FALSE(QFileInfo(root).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(outside));
    FeedbackContext::purgeStaleAttachments(root);  // nothing there: no failure

    // Removing one send's files removes its folder only.
    const QStringList first = context.writeAttachments(draft, root);
    const QStringList second = context.writeAttachments(draft, root);
    FeedbackContext::removeAttachments(first + first);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(first.front()).absolutePath()));
    EXPECT_TRUE(QFileInfo::exists(second.front()));
}

TEST(FeedbackContext, RootIsPrivateToTheUser)
{
    const bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir tmp;
    const QString runtime = tmp.filePath("run");
    ASSERT_TRUE(QDir().mkpath(runtime));
    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    EXPECT_EQ(FeedbackContext::attachmentRoot(), runtime + "/Vantrel-feedback");
    // A runtime folder others can enter is not used; nor is the shared temporary folder.
    ::chmod(QFile::encodeName(runtime).constData(), 0755);
    const QString fallback = FeedbackContext::attachmentRoot();
    EXPECT_FALSE(fallback.startsWith(runtime));
    EXPECT_FALSE(fallback.startsWith(QDir::tempPath() + "/Vantrel"));
    EXPECT_TRUE(fallback.endsWith("/Vantrel-feedback"));
    if (wasSet)
        qputenv("XDG_RUNTIME_DIR", saved);
    else
        qunsetenv("XDG_RUNTIME_DIR");
}
