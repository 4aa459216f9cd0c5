#include "FeedbackFixtures.hpp"

#include "Kestrow/Feedback/FeedbackView.hpp"
#include "Kestrow/Feedback/FeedbackWindow.hpp"
#include "Kestrow/Help/HelpView.hpp"
#include "Kestrow/Shell/Theme.hpp"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>
#include <QScrollBar>
#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Kestrow;

namespace {

struct Form {
    explicit Form(FeedbackContext context = {}, FeedbackKind kind = FeedbackKind::bug)
        : view(kind, std::move(context), sender, FeedbackFixtures::info, [this] { ++closes; })
    {
        view.resize(520, 620);
    }

    template <typename T>
    T* child(const char* name) const
    {
        return view.findChild<T*>(QLatin1String(name));
    }
    void type(const QString& message, const QString& reply = {})
    {
        child<QPlainTextEdit>("message")->setPlainText(message);
        child<QLineEdit>("reply")->setText(reply);
    }
    void press(int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        view.keyPressEvent(&event);
    }

    QTemporaryDir tmp;
    FakeMailHandoff mail;
    FakeClipboardWriter clipboard;
    bool linkOpens = true;
    FeedbackSender sender{mail, clipboard, tmp.filePath("Vantrel-feedback"), [this](const QUrl&) { return linkOpens; }};
    int closes = 0;
    FeedbackView view;
};

}  // namespace

TEST(FeedbackView, ButtonsAndWarningFollowTheDraft)
{
    const struct {
        QString message, reply;
        bool copy, open, warning;
    } cases[] = {
        {"", "", false, false, false},
        {" \n\t ", "", false, false, false},
        {"", "bad", false, false, true},
        {"Totals wrong", "", true, true, false},
        {"Totals wrong", "  ", true, true, false},
        {"Totals wrong", "me@example", true, false, true},
        {"Totals wrong", "me@example.org", true, true, false},
    };
    Form f;
    for (const auto& c : cases) {
        SCOPED_TRACE((c.message + " | " + c.reply).toStdString());
        f.type(c.message, c.reply);
        EXPECT_EQ(f.child<QPushButton>("copyText")->isEnabled(), c.copy);
        EXPECT_EQ(f.child<QPushButton>("openInMail")->isEnabled(), c.open);
        EXPECT_EQ(!f.child<QLabel>("warning")->isHidden(), c.warning);
    }
    EXPECT_EQ(f.view.draft().message, "Totals wrong");
    EXPECT_EQ(f.view.draft().replyEmail, "me@example.org");
}

// The block appears only for what the caller offers; switches start off and previews
// follow them; only ticked files are written.
TEST(FeedbackView, AttachmentsFollowTheContext)
{
    const struct {
        bool image, table;
    } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.image) + std::to_string(c.table));
        FeedbackContext context;
        if (c.image)
            context.image = FeedbackFixtures::picture();
        if (c.table)
            context.table = FeedbackFixtures::table();
        Form f(context, FeedbackKind::misreadTable);
        EXPECT_EQ(f.child<QWidget>("attachments") != nullptr, c.image || c.table);
        auto* image = f.child<QCheckBox>("includeImage");
        auto* table = f.child<QCheckBox>("includeTable");
        ASSERT_EQ(image != nullptr, c.image);
        ASSERT_EQ(table != nullptr, c.table);
        EXPECT_FALSE(f.view.draft().includeImage);
        EXPECT_FALSE(f.view.draft().includeTable);
        if (image) {
            EXPECT_EQ(image->text(), QStringLiteral("Captured image (capture.png, 320×120 px)"));
            EXPECT_FALSE(image->isChecked());
            EXPECT_TRUE(f.child<QWidget>("imagePreview")->parentWidget()->isHidden());
            image->setChecked(true);
            EXPECT_FALSE(f.child<QWidget>("imagePreview")->parentWidget()->isHidden());
            EXPECT_LE(f.child<QLabel>("imagePreview")->height(), 92);
        }
        if (table) {
            EXPECT_EQ(table->text(), QStringLiteral("Result table (table.csv, 3×2)"));
            auto* preview = f.child<QPlainTextEdit>("tablePreview");
            EXPECT_TRUE(preview->isHidden());
            EXPECT_EQ(preview->toPlainText(), QStringLiteral("Region\tSales\nNorth 1\t1217\nNorth 2\t1234"));
            EXPECT_LE(preview->maximumHeight(), 80);
        }
        f.type("Totals wrong");
        f.child<QPushButton>("openInMail")->click();
        ASSERT_EQ(f.mail.drafts.size(), 1u);
        EXPECT_EQ(f.mail.drafts.front().attachments.size(), c.image ? 1 : 0);
        EXPECT_EQ(f.mail.drafts.front().subject, "Vantrel feedback: Misread table — Totals wrong");
    }
}

TEST(FeedbackView, NoticeSaysWhatHappened)
{
    const QString copied = "Copied. Paste it into an email to feedback@vantrel.app.";
    const struct {
        bool takes, linkOpens, attach;
        QString notice;
    } cases[] = {
        {true, true, false,
         "A draft should now be open in your mail app. If none appeared (for example, no mail account is set up), "
         "use Copy Text and paste it into any email."},
        {true, true, true,
         "A draft should now be open in your mail app. If none appeared (for example, no mail account is set up), "
         "use Copy Text and paste it into any email.\nIf the files are not attached, add them from "},
        {false, true, false,
         "No mail app could take attachments. The text is copied and a new email is open; attach files yourself if "
         "needed."},
        {false, false, false, "Couldn't open a mail app. The text is copied: paste it into an email to "
                              "feedback@vantrel.app."},
        {false, true, true, "No mail app could take attachments. The text is copied and a new email is open; attach "
                            "files yourself if needed.\nThe files to attach are in "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.notice.toStdString());
        Form f(FeedbackFixtures::full());
        f.mail.takes = c.takes;
        f.linkOpens = c.linkOpens;
        EXPECT_TRUE(f.child<QLabel>("notice")->isHidden());
        f.type("Totals wrong");
        if (c.attach)
            f.child<QCheckBox>("includeTable")->setChecked(true);
        f.child<QPushButton>("openInMail")->click();
        if (c.attach) {
            // The line names the folder the files wait in, and the label links to it.
            ASSERT_TRUE(f.view.notice().startsWith(c.notice));
            const QString folder = f.view.notice().mid(c.notice.size()).chopped(1);
            EXPECT_TRUE(QFileInfo(folder + "/table.csv").isFile());
            EXPECT_TRUE(f.child<QLabel>("notice")->text().contains(QUrl::fromLocalFile(folder).toString()));
        } else {
            EXPECT_EQ(f.view.notice(), c.notice);
        }
        EXPECT_FALSE(f.child<QLabel>("notice")->isHidden());
        EXPECT_EQ(f.clipboard.writes, c.takes ? 0 : 1);
        EXPECT_EQ(f.closes, 0);  // the window stays open
        f.child<QPushButton>("copyText")->click();
        EXPECT_EQ(f.view.notice(), copied);
        EXPECT_EQ(f.clipboard.data()->text(), FeedbackSender::copiedText(f.view.draft(), FeedbackFixtures::info));
    }
}

TEST(FeedbackView, ReturnSendsOnlyWhenAllowedAndEscapeCancels)
{
    Form f;
    f.press(Qt::Key_Return);
    EXPECT_TRUE(f.mail.drafts.empty());
    f.type("Totals wrong", "not an address");
    f.press(Qt::Key_Enter);
    EXPECT_TRUE(f.mail.drafts.empty());
    f.type("Totals wrong", "me@example.org");
    f.press(Qt::Key_Return);
    EXPECT_EQ(f.mail.drafts.size(), 1u);
    // From the reply field Return still sends; in the message it starts a new line.
    QTest::keyClick(f.child<QLineEdit>("reply"), Qt::Key_Return);
    EXPECT_EQ(f.mail.drafts.size(), 2u);
    QTest::keyClick(f.child<QPlainTextEdit>("message"), Qt::Key_Return);
    EXPECT_EQ(f.mail.drafts.size(), 2u);
    EXPECT_EQ(f.view.draft().message, "\nTotals wrong");  // typed at the cursor
    QTest::keyClick(f.child<QPlainTextEdit>("message"), Qt::Key_Escape);
    EXPECT_EQ(f.closes, 1);
    f.child<QPushButton>("cancel")->click();
    EXPECT_EQ(f.closes, 2);
}

TEST(FeedbackView, KindPickerSetsTheKind)
{
    Form f({}, FeedbackKind::suggestion);
    QList<QPushButton*> segments = f.view.findChildren<QPushButton*>("segment");
    ASSERT_EQ(segments.size(), 3);
    EXPECT_EQ(segments[0]->text(), "Bug");
    EXPECT_EQ(segments[1]->text(), "Misread Table");
    EXPECT_EQ(segments[2]->text(), "Suggestion");
    EXPECT_TRUE(segments[2]->isChecked());
    segments[1]->click();
    EXPECT_EQ(f.view.draft().kind, FeedbackKind::misreadTable);
    EXPECT_FALSE(segments[2]->isChecked());
}

// Light and dark pictures with both attachments ticked, a warning and a notice; written
// where VANTREL_SCREENSHOTS points.
TEST(FeedbackView, RendersLightAndDark)
{
    Theme& theme = Theme::shared();
    const Appearance before = theme.appearance();
    const QString dir = qEnvironmentVariable("VANTREL_SCREENSHOTS");
    for (Appearance a : {Appearance::light, Appearance::dark}) {
        theme.setAppearance(a);
        Form f(FeedbackFixtures::full(), FeedbackKind::misreadTable);
        f.mail.takes = false;
        f.type("The totals row was read as 1,284 instead of 1,234.\nThe second column lost its header.", "me@example");
        f.child<QCheckBox>("includeImage")->setChecked(true);
        f.child<QCheckBox>("includeTable")->setChecked(true);
        f.child<QPushButton>("copyText")->click();
        f.view.resize(520, 900);
        f.view.show();
        QCoreApplication::processEvents();  // the form's scroll bars settle on the shown size
        const QImage shot = f.view.grab().toImage();
        EXPECT_FALSE(shot.isNull());
        if (!dir.isEmpty())
            shot.save(dir + (a == Appearance::light ? "/feedback-light.png" : "/feedback-dark.png"));
        Form empty;
        empty.view.show();
        QCoreApplication::processEvents();
        const QImage plain = empty.view.grab().toImage();
        if (!dir.isEmpty())
            plain.save(dir + (a == Appearance::light ? "/feedback-plain-light.png" : "/feedback-plain-dark.png"));
    }
    theme.setAppearance(before);
}

// The window the application opens reports the version the About window shows, build included.
TEST(FeedbackView, TheWindowReportsThisBuildsVersion)
{
    QTemporaryDir tmp;
    FakeMailHandoff mail;
    FakeClipboardWriter clipboard;
    FeedbackSender sender{mail, clipboard, tmp.filePath("Vantrel-feedback"), [](const QUrl&) { return true; }};
    std::unique_ptr<QWidget> window(FeedbackWindow::make(FeedbackKind::bug, {}, sender));
    const QString version = QStringLiteral("Vantrel %1").arg(HelpView::versionString());
    bool shown = false;
    for (const QLabel* label : window->findChildren<QLabel*>())
        shown = shown || label->text().contains(version);
    EXPECT_TRUE(shown) << version.toStdString();
}
