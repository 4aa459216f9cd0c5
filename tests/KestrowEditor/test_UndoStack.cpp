#include "KestrowEditor/UndoStack.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace KestrowEditor;

namespace {

// A value whose every change registers its inverse, the way the document does.
struct Counter {
    UndoStack stack{3};
    int value = 0;

    void set(int v, const std::string& name)
    {
        const int old = value;
        stack.registerUndo(name, [this, old, name] { set(old, name); });
        value = v;
    }
};

}  // namespace

TEST(UndoStack, UndoGoesToRedoAndBackUnderTheSameName)
{
    Counter c;
    EXPECT_FALSE(c.stack.canUndo());
    EXPECT_FALSE(c.stack.canRedo());
    EXPECT_EQ(c.stack.undoActionName(), "");
    c.set(1, "One");
    c.set(2, "Two");
    EXPECT_EQ(c.stack.undoActionName(), "Two");
    c.stack.undo();
    EXPECT_EQ(c.value, 1);
    EXPECT_EQ(c.stack.redoActionName(), "Two");
    EXPECT_EQ(c.stack.undoActionName(), "One");
    c.stack.undo();
    EXPECT_EQ(c.value, 0);
    c.stack.redo();
    EXPECT_EQ(c.value, 1);
    EXPECT_TRUE(c.stack.canRedo());  // redoing keeps what is left to redo
    c.stack.redo();
    EXPECT_EQ(c.value, 2);
    EXPECT_FALSE(c.stack.canRedo());
    c.stack.undo();
    c.set(5, "Five");  // a new step forgets the redo side
    EXPECT_FALSE(c.stack.canRedo());
    EXPECT_EQ(c.stack.undoCount(), 2u);
}

TEST(UndoStack, KeepsOnlyTheNewestLevels)
{
    Counter c;
    for (int i = 1; i <= 5; ++i)
        c.set(i, std::to_string(i));
    EXPECT_EQ(c.stack.undoCount(), 3u);
    while (c.stack.canUndo())
        c.stack.undo();
    EXPECT_EQ(c.value, 2);
    EXPECT_EQ(c.stack.redoCount(), 3u);
}

TEST(UndoStack, AFailedStepStaysWhereItWas)
{
    UndoStack stack;
    stack.registerUndo("Broken", [] { throw std::runtime_error("no"); });
    EXPECT_THROW(stack.undo(), std::runtime_error);
    EXPECT_TRUE(stack.canUndo());
    EXPECT_EQ(stack.undoActionName(), "Broken");
    EXPECT_FALSE(stack.isUndoing());
}
