#include "Kestrow/Help/HelpTopic.hpp"
#include "Kestrow/Help/HelpView.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/Keycaps.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"
#include "Kestrow/TempDefaults.hpp"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace Kestrow;

namespace {

struct Help {
    TempDefaults tmp;
    AppSettings settings{tmp.make()};
    QStringList opened;  // what the page buttons and links reached
    HelpView view{HelpTopic::start, settings, actions()};

    HelpView::Actions actions()
    {
        return {[this] { opened << "sample"; }, [this] { opened << "settings"; }, [this] { opened << "feedback"; },
                [this](const QUrl& url) { opened << url.toString(); }};
    }
    QWidget* page() const { return view.page()->widget(); }
    // Every text the page shows: labels, buttons and key caps.
    QStringList texts() const
    {
        QStringList all;
        for (const QLabel* l : page()->findChildren<QLabel*>())
            all << l->text();
        for (const QAbstractButton* b : view.findChildren<QAbstractButton*>())
            all << b->text();
        for (const Keycaps* k : page()->findChildren<Keycaps*>())
            all << k->keys();
        return all;
    }
    QStringList links() const
    {
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
        QStringList found;
        for (const QLabel* l : page()->findChildren<QLabel*>())
            for (auto it = href.globalMatch(l->text()); it.hasNext();)
                found << it.next().captured(1);
        return found;
    }
    QAbstractButton* button(const QString& name) const { return page()->findChild<QAbstractButton*>(name); }
};

}  // namespace

TEST(HelpTopic, RawValuesAreExactAndLinksCarryThem)
{
    QStringList raws;
    for (const HelpTopic t : HelpTopics::all) {
        raws << HelpTopics::rawValue(t);
        EXPECT_EQ(HelpTopics::fromRaw(HelpTopics::rawValue(t)), t);
        EXPECT_EQ(HelpTopics::fromLink(HelpTopics::link(t)), t);
    }
    EXPECT_EQ(raws, (QStringList{"start", "shortcuts", "reading", "privacy", "contact"}));
    for (const char* bad : {"Start", "START", "", "about", " start", "topic:start"})
        EXPECT_FALSE(HelpTopics::fromRaw(QString::fromLatin1(bad))) << bad;
    EXPECT_FALSE(HelpTopics::fromLink(QStringLiteral("topic:Reading")));
    EXPECT_FALSE(HelpTopics::fromLink(QStringLiteral("mailto:start")));
}

TEST(HelpView, EveryPageRendersItsLinksResolveAndNoOtherSystemIsNamed)
{
    Help h;
    h.view.resize(720, 500);
    int mailLinks = 0;
    for (const HelpTopic t : HelpTopics::all) {
        SCOPED_TRACE(HelpTopics::rawValue(t).toStdString());
        h.view.setTopic(t);
        EXPECT_EQ(h.page()->findChild<QLabel*>(QStringLiteral("heading"))->text(), HelpTopics::title(t));
        EXPECT_TRUE(h.view.sidebarRow(t)->isChecked());
        EXPECT_GT(h.page()->findChildren<QLabel*>().size(), 2);
        for (const QString& href : h.links()) {
            if (href.startsWith(QStringLiteral("mailto:"))) {
                EXPECT_EQ(href, QStringLiteral("mailto:") + HelpView::supportAddress());
                ++mailLinks;
                continue;
            }
            EXPECT_TRUE(HelpTopics::fromLink(href).has_value()) << href.toStdString();
        }
        for (const QString& text : h.texts())
            for (const char* word : {"Mac", "Dock", "Finder", "\u2318", "\u2325", "\u2303", "Apple", "menu bar",
                                     "menu-bar", "Numbers", "drop an image"})
                EXPECT_FALSE(text.contains(QString::fromUtf8(word))) << word << " in: " << text.toStdString();
    }
    EXPECT_EQ(mailLinks, 1);
}

TEST(HelpView, LinksSelectTheirTopicOrOpenOutside)
{
    Help h;
    h.view.setTopic(HelpTopic::privacy);
    h.view.page()->verticalScrollBar()->setValue(40);
    const QStringList links = h.links();
    ASSERT_TRUE(links.contains(HelpTopics::link(HelpTopic::contact)));
    h.view.followLink(HelpTopics::link(HelpTopic::contact));
    EXPECT_EQ(h.view.topic(), HelpTopic::contact);
    EXPECT_EQ(h.view.page()->verticalScrollBar()->value(), 0);
    h.view.followLink(QStringLiteral("mailto:") + HelpView::supportAddress());
    EXPECT_EQ(h.opened, (QStringList{QStringLiteral("mailto:") + HelpView::supportAddress()}));
}

TEST(HelpView, ShortcutsFollowTheSettingsAndOnlyUndoRedoHasTwoGroups)
{
    Help h;
    h.settings.setCaptureShortcut({28, Shortcut::control | Shortcut::option | Shortcut::shift | Shortcut::command});
    QString step1;
    for (const QLabel* l : h.page()->findChildren<QLabel*>())
        if (l->text().startsWith(QStringLiteral("Press ")))
            step1 = l->text();
    EXPECT_TRUE(step1.contains(QStringLiteral(">Super+Alt+Shift+Ctrl+T</a>"))) << step1.toStdString();

    h.view.setTopic(HelpTopic::shortcuts);
    const QList<Keycaps*> caps = h.page()->findChildren<Keycaps*>();
    ASSERT_EQ(caps.size(), 8);  // two global, five rows, Redo's second group
    EXPECT_EQ(caps[0]->keys(), (QStringList{"Super", "Alt", "Shift", "Ctrl", "T"}));
    EXPECT_EQ(h.page()->findChildren<QLabel*>(QStringLiteral("keySeparator")).size(), 1);
    h.settings.setQuickCaptureShortcut({28, Shortcut::command | Shortcut::shift});
    EXPECT_EQ(h.page()->findChildren<Keycaps*>()[1]->keys(), (QStringList{"Shift", "Ctrl", "T"}));
}

TEST(HelpView, ButtonsReachTheApplicationAndTheSidebarMarksTheSelection)
{
    Help h;
    const struct {
        HelpTopic topic;
        const char* button;
        const char* reached;
    } cases[] = {
        {HelpTopic::start, "trySample", "sample"},
        {HelpTopic::shortcuts, "changeShortcuts", "settings"},
        {HelpTopic::contact, "sendFeedback", "feedback"},
    };
    for (const auto& c : cases) {
        h.view.setTopic(c.topic);
        QAbstractButton* b = h.button(QString::fromLatin1(c.button));
        ASSERT_TRUE(b) << c.button;
        b->click();
        EXPECT_EQ(h.opened.last(), QString::fromLatin1(c.reached));
    }
    h.view.sidebarRow(HelpTopic::reading)->click();
    EXPECT_EQ(h.view.topic(), HelpTopic::reading);
    for (const HelpTopic t : HelpTopics::all) {
        const QPushButton* row = h.view.sidebarRow(t);
        EXPECT_EQ(row->isChecked(), t == HelpTopic::reading);
        EXPECT_EQ(row->font().weight(), t == HelpTopic::reading ? QFont::DemiBold : QFont::Normal);
    }
    EXPECT_EQ(h.view.findChild<QWidget*>(QStringLiteral("sidebar"))->width(), 200);
}

TEST(HelpView, VersionStringFillsMissingPartsWithZero)
{
    const struct {
        const char *shortVersion, *build, *want;
    } cases[] = {{"1.4", "212", "1.4 (212)"}, {"", "", "0 (0)"}, {"1.4", "", "1.4 (0)"}, {"", "7", "0 (7)"}};
    for (const auto& c : cases)
        EXPECT_EQ(HelpView::versionString(QString::fromLatin1(c.shortVersion), QString::fromLatin1(c.build)),
                  QString::fromLatin1(c.want));
    EXPECT_TRUE(HelpView::versionString().startsWith(QStringLiteral(VANTREL_VERSION " (")));
}
