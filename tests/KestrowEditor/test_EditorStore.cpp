#include "KestrowEditor/EditorStore.hpp"

#include "TestTables.hpp"

#include <gtest/gtest.h>

using namespace KestrowEditor;
using namespace TestTables;

TEST(EditorStore, OneIndependentDocumentPerTableAndEveryChangeHeard)
{
    int hooked = 0;
    EditorStore store({filled(1, 1), filled(2, 2), filled(3, 3)}, [&](const Table& t) {
        ++hooked;
        return t;
    });
    ASSERT_EQ(store.docs().size(), 3u);
    EXPECT_EQ(hooked, 0);  // the tables as recognised are left alone
    EXPECT_EQ(store.docs()[2]->table(), filled(3, 3));

    int heard = 0;
    store.addListener([&] { ++heard; });
    for (const auto& doc : store.docs())
        EXPECT_TRUE(doc->setText("x", CellPos(0, 0), 0.8));
    EXPECT_EQ(heard, 3);
    EXPECT_EQ(hooked, 3);

    // Undoing in one table never touches another.
    store.docs()[1]->undo();
    EXPECT_EQ(store.docs()[1]->table(), filled(2, 2));
    EXPECT_TRUE(store.docs()[0]->canUndo());
    EXPECT_TRUE(store.docs()[2]->canUndo());
    EXPECT_EQ(store.docs()[0]->table().cells[0].text, "x");
    EXPECT_EQ(heard, 4);
    EXPECT_EQ(hooked, 4);
}
