#include "Kestrow/Shell/WindowShortcuts.hpp"
#include "Kestrow/Shell/Windows.hpp"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Kestrow;

namespace {

struct Fixture {
    int opened = 0, quits = 0;
    Windows windows{{[this] { ++opened; }, [this] { ++quits; }, {}, {}}};
    int made = 0;
    Windows::Make make()
    {
        return [this] {
            ++made;
            return new QWidget;
        };
    }
};

}  // namespace

TEST(Windows, SingleWindowsAreReusedHelpIsReplacedResultsAreNew)
{
    Fixture f;
    QWidget* history = f.windows.show(WindowKind::history, f.make());
    EXPECT_EQ(f.windows.show(WindowKind::history, f.make()), history);
    EXPECT_EQ(f.made, 1);
    EXPECT_EQ(history->windowTitle(), QStringLiteral("History"));
    history->close();
    EXPECT_EQ(f.windows.show(WindowKind::history, f.make()), history);  // kept when closed
    EXPECT_TRUE(history->isVisible());

    QPointer<QWidget> help = f.windows.show(WindowKind::help, f.make());
    QWidget* secondHelp = f.windows.show(WindowKind::help, f.make());
    EXPECT_NE(QPointer<QWidget>(secondHelp), help);
    EXPECT_FALSE(help && help->isVisible());

    QWidget* a = f.windows.open(WindowKind::result, new QWidget, QStringLiteral("Capture A"));
    QWidget* b = f.windows.open(WindowKind::result, new QWidget, QStringLiteral("Capture B"));
    EXPECT_NE(a, b);
    EXPECT_EQ(f.windows.openWindows(), (std::vector<QWidget*>{a, b}));
    EXPECT_EQ(a->windowTitle(), QStringLiteral("Capture A"));
    QPointer<QWidget> closed = a;
    a->close();
    EXPECT_EQ(f.windows.openWindows(), std::vector<QWidget*>{b});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    b->close();
    f.windows.forget(WindowKind::history);
    EXPECT_EQ(f.windows.single(WindowKind::history), nullptr);
}

TEST(Windows, SizesFollowTheKind)
{
    Fixture f;
    const struct {
        WindowKind kind;
        QSize size, minimum;
        bool fixed;
    } cases[] = {
        {WindowKind::settings, {620, 580}, {620, 580}, false}, {WindowKind::history, {640, 480}, {480, 320}, false},
        {WindowKind::about, {380, 330}, {380, 330}, true},     {WindowKind::onboarding, {520, 460}, {520, 460}, true},
        {WindowKind::sample, {820, 540}, {640, 420}, false},
    };
    for (const auto& c : cases) {
        QWidget* w = f.windows.show(c.kind, f.make());
        EXPECT_EQ(w->size(), c.size);
        EXPECT_EQ(w->minimumSize(), c.minimum);
        EXPECT_EQ(w->maximumSize() == c.minimum, c.fixed);
        w->close();
    }
}

TEST(WindowShortcuts, WindowKeysActOnTheirOwnWindow)
{
    Fixture f;
    auto* content = new QWidget;
    auto* field = new QLineEdit(content);
    (new QVBoxLayout(content))->addWidget(field);
    int undos = 0, redos = 0;
    QWidget* window = f.windows.open(WindowKind::result, content, QStringLiteral("keys"));
    WindowShortcuts::setUndoOwner(window, [&] { ++undos; }, [&] { ++redos; });
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(undos, 1);
    EXPECT_EQ(redos, 1);

    // Typing in a field: its own undo takes Ctrl+Z, the window's owner is not asked.
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("ab"));
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QString());
    EXPECT_EQ(undos, 1);

    QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(f.opened, 1);
    EXPECT_EQ(f.quits, 1);
    QTest::keyClick(window, Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(window->isMinimized());
    window->showNormal();
    QTest::keyClick(window, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(f.windows.openWindows().empty());
}
