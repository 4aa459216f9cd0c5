#include "Kestrow/Help/OnboardingView.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/Keycaps.hpp"
#include "Kestrow/TempDefaults.hpp"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Kestrow;
using Step = OnboardingFlow::Step;

namespace {

struct Welcome {
    TempDefaults tmp;
    AppSettings settings{tmp.make()};
    QStringList calls;
    std::unique_ptr<OnboardingView> view;

    explicit Welcome(bool granted = true, bool fromStart = false, bool pending = false)
    {
        view = std::make_unique<OnboardingView>(fromStart, settings,
                                                OnboardingView::Actions{[this] { calls << "done"; },
                                                                        [this] { calls << "help"; },
                                                                        [this] { calls << "sample"; }},
                                                granted, pending);
        view->resize(520, 460);
        view->show();
        view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    QString forwardText() const { return view->forwardButton()->text(); }
    QPushButton* child(const char* name) const { return view->findChild<QPushButton*>(QString::fromLatin1(name)); }
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const QLabel* l : view->findChildren<QLabel*>())
            if (l->isVisibleTo(view.get()))
                texts << l->text();
        return texts;
    }
};

}  // namespace

TEST(OnboardingView, AFirstLaunchWalksWelcomeShortcutsSampleWithReturn)
{
    Welcome w;
    const struct {
        Step step;
        bool back;
        const char* forward;
        const char* label;
    } walk[] = {
        {Step::welcome, false, "Continue", "Step 1 of 3"},
        {Step::shortcuts, true, "Continue", "Step 2 of 3"},
        {Step::sample, true, "Start Using Vantrel", "Step 3 of 3"},
    };
    for (const auto& s : walk) {
        SCOPED_TRACE(s.label);
        EXPECT_EQ(w.view->step(), s.step);
        EXPECT_EQ(w.view->backButton()->isVisible(), s.back);
        EXPECT_EQ(w.forwardText(), QString::fromUtf8(s.forward));
        EXPECT_EQ(w.view->stepLabel(), QString::fromLatin1(s.label));
        EXPECT_TRUE(w.calls.isEmpty());
        QTest::keyClick(w.view.get(), Qt::Key_Return);
    }
    EXPECT_EQ(w.calls, QStringList{"done"});
    // Nothing here gives macOS advice.
    for (const QString& text : w.shownTexts())
        EXPECT_FALSE(text.contains(QStringLiteral("macOS")) || text.contains(QStringLiteral("System Settings")));
}

TEST(OnboardingView, BackAndTheEndsAndTheSampleButtonFinishesFirst)
{
    Welcome w;
    w.view->go(-1);
    EXPECT_EQ(w.view->step(), Step::welcome);
    w.view->go(1);
    w.view->go(1);
    w.view->go(1);
    EXPECT_EQ(w.view->step(), Step::sample);
    w.view->backButton()->click();
    EXPECT_EQ(w.view->step(), Step::shortcuts);
    w.view->go(1);
    ASSERT_TRUE(w.child("openSample"));
    w.child("openSample")->click();
    EXPECT_EQ(w.calls, (QStringList{"done", "sample"}));
}

TEST(OnboardingView, ASessionThatCannotCaptureShowsTheLinuxPermissionStepWithLater)
{
    Welcome w(false, false, true);  // a pending request: straight to the permission step
    EXPECT_EQ(w.view->step(), Step::permission);
    EXPECT_EQ(w.forwardText(), QStringLiteral("Later"));
    EXPECT_EQ(w.view->stepLabel(), QStringLiteral("Step 3 of 4"));
    const QString shown = w.shownTexts().join(u'\n');
    EXPECT_TRUE(shown.contains(QStringLiteral("Wayland"))) << shown.toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("macOS")));
    // "Later" has no Return key.
    QTest::keyClick(w.view.get(), Qt::Key_Return);
    EXPECT_EQ(w.view->step(), Step::permission);
    w.view->forwardButton()->click();
    EXPECT_EQ(w.view->step(), Step::sample);

    Welcome again(false, true, true);  // "Show Welcome Again" starts at the welcome regardless
    EXPECT_EQ(again.view->step(), Step::welcome);
}

TEST(OnboardingView, HowItWorksOpensHelpAndShortcutsFollowTheSettings)
{
    Welcome w;
    w.child("howItWorks")->click();
    EXPECT_EQ(w.calls, QStringList{"help"});
    w.view->go(1);
    w.settings.setCaptureShortcut({28, Shortcut::command | Shortcut::option});
    const QList<Keycaps*> caps = w.view->findChildren<Keycaps*>();
    bool found = false;
    for (const Keycaps* k : caps)
        found |= k->isVisibleTo(w.view.get()) && k->keys() == QStringList{"Alt", "Ctrl", "T"};
    EXPECT_TRUE(found);
}
