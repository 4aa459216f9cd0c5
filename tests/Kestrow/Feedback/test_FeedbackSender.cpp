#include "FeedbackFixtures.hpp"

#include "Kestrow/Feedback/FeedbackSender.hpp"
#include "Kestrow/Feedback/XdgEmailHandoff.hpp"
#include "KestrowSupport/WaitFor.hpp"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrlQuery>

using namespace Kestrow;
using KestrowTest::waitFor;

namespace {

// Stands in for the desktop's mailto handler: keeps the links instead of opening a mail program.
class MailtoCatcher : public QObject {
    Q_OBJECT
public:
    MailtoCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "open"); }
    ~MailtoCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); }
    QList<QUrl> links;
public slots:
    void open(const QUrl& url) { links << url; }
};

QString queryValue(const QUrl& url, const QString& key)
{
    return QUrlQuery(url).queryItemValue(key, QUrl::FullyDecoded);
}

FeedbackDraft draftWith(std::string message)
{
    FeedbackDraft d;
    d.kind = FeedbackKind::misreadTable;
    d.message = std::move(message);
    d.replyEmail = "me@example.org";
    d.includeImage = true;
    d.includeTable = true;
    return d;
}

// A stand-in for xdg-email that writes its arguments, NUL-separated, beside itself.
QString fakeProgram(const QTemporaryDir& dir, const QString& name, const QString& tail)
{
    const QString path = dir.filePath(name);
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$0.args\"\n%1\n")
                     .arg(tail)
                     .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QStringList argsOf(const QString& program)
{
    QFile file(program + ".args");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList args = QString::fromUtf8(file.readAll()).split(QChar(0));
    args.removeLast();
    return args;
}

}  // namespace

// Each road of a send: what the user is told, what lands on the clipboard, what link opens
// and where the attachments wait.
TEST(FeedbackSender, OutcomesOfASend)
{
    const struct {
        bool takes;
        bool linkOpens;
        FeedbackSender::Outcome outcome;
    } cases[] = {
        {true, true, FeedbackSender::Outcome::composedDraft},
        {false, true, FeedbackSender::Outcome::openedMailLink},
        {false, false, FeedbackSender::Outcome::copiedOnly},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.outcome));
        QTemporaryDir tmp;
        FakeMailHandoff mail;
        mail.takes = c.takes;
        FakeClipboardWriter clipboard;
        MailtoCatcher catcher;
        FeedbackSender sender(mail, clipboard, tmp.filePath("Vantrel-feedback"),
                              [&](const QUrl& url) { return c.linkOpens && QDesktopServices::openUrl(url); });
        const FeedbackDraft draft = draftWith("Totals wrong\nRow 3 reads 1,284");
        std::optional<FeedbackSender::Report> report;
        sender.send(draft, FeedbackFixtures::full(), FeedbackFixtures::info,
                    [&](const FeedbackSender::Report& r) { report = r; });
        ASSERT_TRUE(report);
        EXPECT_EQ(report->outcome, c.outcome);

        ASSERT_EQ(mail.drafts.size(), 1u);
        const MailDraft& offered = mail.drafts.front();
        EXPECT_EQ(offered.to, FeedbackSender::supportAddress);
        EXPECT_EQ(offered.subject, "Vantrel feedback: Misread table — Totals wrong");
        EXPECT_TRUE(offered.body.endsWith("Attachments: capture.png, table.csv\n"));
        ASSERT_EQ(offered.attachments.size(), 2);
        // Kept on every road: the mail program may read them late, or the user attaches them.
        for (const QString& file : offered.attachments)
            EXPECT_TRUE(QFileInfo::exists(file));

        EXPECT_EQ(report->attachmentFolder, QFileInfo(offered.attachments.front()).absolutePath());
        if (c.takes) {
            EXPECT_EQ(clipboard.writes, 0);
            EXPECT_TRUE(catcher.links.isEmpty());
            continue;
        }
        ASSERT_NE(clipboard.data(), nullptr);
        const QString copied = clipboard.data()->text();
        EXPECT_EQ(copied, "To: " + FeedbackSender::supportAddress +
                              "\nSubject: Vantrel feedback: Misread table — Totals wrong\n\n" +
                              QString::fromStdString(draft.body(FeedbackFixtures::info, {})));
        EXPECT_FALSE(copied.contains("Attachments:"));
        ASSERT_EQ(catcher.links.size(), c.linkOpens ? 1 : 0);
        if (c.linkOpens) {
            const QUrl link = catcher.links.front();
            EXPECT_EQ(link.scheme(), "mailto");
            EXPECT_EQ(link.path(), FeedbackSender::supportAddress);
            EXPECT_EQ(queryValue(link, "subject"), QString::fromStdString(draft.subject()));
            EXPECT_EQ(queryValue(link, "body"), QString::fromStdString(draft.body(FeedbackFixtures::info, {})));
            // The desktop splits its opener's command line: nothing in the link may split it.
            for (char ch : link.toEncoded())
                EXPECT_TRUE(QChar::isLetterOrNumber(ch) || QByteArray("%-._~:@?=&").contains(ch)) << ch;
        }
    }
}

// Attachments that cannot be written: the mail still goes, without them and without the
// attachments line.
TEST(FeedbackSender, UnwritableAttachmentsAreLeftOut)
{
    QTemporaryDir tmp;
    QFile blocker(tmp.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FakeMailHandoff mail;
    FakeClipboardWriter clipboard;
    FeedbackSender sender(mail, clipboard, tmp.filePath("blocked"), [](const QUrl&) { return false; });
    std::optional<FeedbackSender::Report> report;
    sender.send(draftWith("x"), FeedbackFixtures::full(), FeedbackFixtures::info,
                [&](const FeedbackSender::Report& r) { report = r; });
    ASSERT_TRUE(report);
    EXPECT_EQ(report->outcome, FeedbackSender::Outcome::composedDraft);
    ASSERT_EQ(mail.drafts.size(), 1u);
    EXPECT_TRUE(mail.drafts.front().attachments.isEmpty());
    EXPECT_FALSE(mail.drafts.front().body.contains("Attachments:"));
}

// xdg-email gets one argument per item, no shell between: quotes, $(...), backticks,
// backslashes and line breaks arrive as typed, and nothing in the text is run.
TEST(FeedbackSender, TheMailProgramGetsTheTextIntact)
{
    QTemporaryDir tmp;
    const QString marker = tmp.filePath("ran");
    const std::string nasty = "He said \"hi\" & 'bye' $(touch " + marker.toStdString() + ") `touch " +
                              marker.toStdString() + "` ; rm -rf ~ \\n back\\slash\\c %41 + = & ?#\n" +
                              "Zeile ü 数字 🙂\n" + std::string(100000, 'x');
    const struct {
        QString name, tail;
        int patienceMs;
        bool taken;
    } programs[] = {
        {"takes", "exit 0", 20000, true},
        {"refuses", "exit 3", 20000, false},
        {"lingers", "exec sleep 5", 300, true},  // a mail program started in the foreground
    };
    for (const auto& p : programs) {
        SCOPED_TRACE(p.name.toStdString());
        const QString program = fakeProgram(tmp, p.name, p.tail);
        XdgEmailHandoff handoff(program, p.patienceMs);
        FakeClipboardWriter clipboard;
        FeedbackSender sender(handoff, clipboard, tmp.filePath("root-" + p.name), [](const QUrl&) { return false; });
        FeedbackDraft draft = draftWith(nasty);
        std::optional<FeedbackSender::Report> report;
        sender.send(draft, FeedbackFixtures::full(), FeedbackFixtures::info,
                    [&](const FeedbackSender::Report& r) { report = r; });
        ASSERT_TRUE(waitFor([&] { return report.has_value(); }, 30000));
        EXPECT_EQ(report->outcome,
                  p.taken ? FeedbackSender::Outcome::composedDraft : FeedbackSender::Outcome::copiedOnly);
        ASSERT_TRUE(waitFor([&] { return argsOf(program).size() == 5; }));
        const QStringList args = argsOf(program);
        EXPECT_EQ(args[0], "--attach");
        EXPECT_TRUE(args[1].endsWith("/capture.png"));
        EXPECT_EQ(args[2], "--attach");
        EXPECT_TRUE(args[3].endsWith("/table.csv"));
        const QUrl link(args[4]);
        EXPECT_EQ(link.path(), FeedbackSender::supportAddress);
        EXPECT_EQ(queryValue(link, "subject"), QString::fromStdString(draft.subject()));
        EXPECT_EQ(queryValue(link, "body"),
                  QString::fromStdString(draft.body(FeedbackFixtures::info, {"capture.png", "table.csv"})));
        // Only letters, digits, "%" escapes and the link's own delimiters reach the script.
        for (QChar ch : args[4])
            EXPECT_TRUE(ch.isLetterOrNumber() || QStringLiteral("%-._~:@?=&").contains(ch)) << int(ch.unicode());
        if (!p.taken) {
            EXPECT_EQ(clipboard.data()->text(), FeedbackSender::copiedText(draft, FeedbackFixtures::info));
        }
    }
    EXPECT_FALSE(QFileInfo::exists(marker));
}

// A program that is missing, or a text too long for one argument, falls back to the clipboard.
TEST(FeedbackSender, AHandOffThatCannotStartFallsBack)
{
    QTemporaryDir tmp;
    const QString program = fakeProgram(tmp, "takes", "exit 0");
    const struct {
        QString program;
        std::string message;
    } cases[] = {
        {tmp.filePath("missing"), "short"},
        {program, std::string(150000, 'y')},  // beyond what one argument may carry
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program.toStdString());
        XdgEmailHandoff handoff(c.program, 5000);
        FakeClipboardWriter clipboard;
        MailtoCatcher catcher;
        FeedbackSender sender(handoff, clipboard, tmp.filePath("root"), [](const QUrl& url) {
            return QDesktopServices::openUrl(url);
        });
        FeedbackDraft draft = draftWith(c.message);
        std::optional<FeedbackSender::Report> report;
        sender.send(draft, {}, FeedbackFixtures::info, [&](const FeedbackSender::Report& r) { report = r; });
        ASSERT_TRUE(waitFor([&] { return report.has_value(); }));
        EXPECT_EQ(report->outcome, FeedbackSender::Outcome::openedMailLink);
        ASSERT_NE(clipboard.data(), nullptr);
        EXPECT_EQ(clipboard.data()->text(), FeedbackSender::copiedText(draft, FeedbackFixtures::info));
        ASSERT_EQ(catcher.links.size(), 1);
        EXPECT_EQ(queryValue(catcher.links.front(), "body"),
                  QString::fromStdString(draft.body(FeedbackFixtures::info, {})));
    }
}

#include "test_FeedbackSender.moc"
