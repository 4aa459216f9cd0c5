#include "Kestrow/History/RecentCaptures.hpp"
#include "Kestrow/History/HistoryStore.hpp"

#include "HistoryFixtures.hpp"

#include <gtest/gtest.h>

#include <QMenu>

using namespace Kestrow;
using namespace HistoryFixtures;

TEST(RecentCaptures, ListsTheThreeNewestUnderTheHeader)
{
    QTemporaryDir temp;
    HistoryStore store(temp.path() + "/History", nullptr);
    QMenu menu;
    menu.addAction("Capture Table");
    QAction* header = menu.addAction("Recent");
    header->setEnabled(false);
    QAction* history = menu.addAction("History…");
    QList<QAction*> entries;
    std::vector<std::string> opened;
    auto title = [](const QString& source, const VozudOzev::Table* t) {
        return source + (t ? QStringLiteral(" %1×%2").arg(t->rows).arg(t->cols) : QString());
    };
    auto open = [&](const std::string& id) { opened.push_back(id); };

    RecentCaptures::rebuild(menu, *header, entries, store, title, open);
    EXPECT_FALSE(header->isVisible());
    EXPECT_TRUE(entries.isEmpty());

    for (int i = 0; i < 5; ++i)
        store.add(capture(100 + i, table(i + 1, 2)), QStringLiteral("App%1").arg(i), "B");
    RecentCaptures::rebuild(menu, *header, entries, store, title, open);
    RecentCaptures::rebuild(menu, *header, entries, store, title, open);  // replaces, never adds
    EXPECT_TRUE(header->isVisible());
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 6);
    EXPECT_EQ(actions[2]->text().trimmed(), "App4 5×2");
    EXPECT_EQ(actions[3]->text().trimmed(), "App3 4×2");
    EXPECT_EQ(actions[4]->text().trimmed(), "App2 3×2");
    EXPECT_EQ(actions[5], history);
    actions[3]->trigger();
    EXPECT_EQ(opened, std::vector<std::string>{store.items()[1].id});
}
