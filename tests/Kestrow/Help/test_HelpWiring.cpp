#include "Kestrow/Capture/RegionSelector.hpp"
#include "Kestrow/Feedback/FeedbackView.hpp"
#include "Kestrow/Help/HelpView.hpp"
#include "Kestrow/Help/LicensesView.hpp"
#include "Kestrow/Help/OnboardingView.hpp"
#include "Kestrow/Help/SampleTableView.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/Platform/FakeHotkeys.hpp"
#include "Kestrow/Shell/AppDelegate.hpp"
#include "Kestrow/Shell/NoTrayHint.hpp"
#include "KestrowSupport/FakeAlertPresenter.hpp"
#include "KestrowSupport/NoEngine.hpp"
#include "KestrowSupport/WaitFor.hpp"

#include <gtest/gtest.h>

#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Kestrow;
using KestrowTest::waitFor;

// The tray menu's welcome, help and about entries, and the first launch's greeting.
namespace {

struct Shell {
    QTemporaryDir dir;
    AppSettings settings{Defaults::atPath(dir.filePath("settings.conf"))};
    FakeHotkeys hotkeys;
    FakeRegionSelector selector;
    FakeClipboardWriter clipboard;
    KestrowTest::FakeAlertPresenter alerts;
    EngineService engine{[] { return EngineService::Built{std::make_shared<KestrowTest::NoEngine>(), "none"}; }};
    HistoryStore history{dir.filePath("History"), &settings.defaults()};
    AppDelegate app{{settings, hotkeys, selector, clipboard, alerts, engine, &history}};

    OnboardingView* welcome() const
    {
        QWidget* w = app.onboardingWindow();
        return w ? qobject_cast<OnboardingView*>(w) : nullptr;
    }
};

}  // namespace

TEST(HelpWiring, AFirstLaunchGreetsOnceAndFinishingRemembersIt)
{
    Shell s;
    s.app.launch();
    QPointer<OnboardingView> first = s.welcome();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Welcome"));
    // Asking again (a second launch, a capture before onboarding) brings back the same window.
    s.app.reopen();
    s.app.showOnboarding(false);
    EXPECT_EQ(s.welcome(), first.data());

    first->go(1);
    first->go(1);
    first->forwardButton()->click();  // "Start Using Vantrel"
    EXPECT_TRUE(s.settings.onboardingDone());
    EXPECT_TRUE(s.settings.defaults().string(QStringLiteral("gettingStartedShownPath")).has_value());
    EXPECT_EQ(s.app.onboardingWindow(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    Shell later;  // a launch after onboarding was finished is not greeted
    later.settings.setOnboardingDone(true);
    later.app.launch();
    EXPECT_EQ(later.app.onboardingWindow(), nullptr);
}

TEST(HelpWiring, ShowWelcomeAgainAlwaysStartsANewGuideAtTheStart)
{
    Shell s;
    s.settings.setOnboardingDone(true);
    s.app.launch();
    ASSERT_EQ(s.welcome(), nullptr);
    s.app.welcomeItem()->trigger();
    QPointer<OnboardingView> first = s.welcome();
    ASSERT_TRUE(first);
    first->go(1);
    s.app.welcomeItem()->trigger();
    ASSERT_TRUE(s.welcome());
    EXPECT_NE(s.welcome(), first.data());
    EXPECT_EQ(s.welcome()->step(), OnboardingFlow::Step::welcome);
}

TEST(HelpWiring, TheSampleStepOpensTheSampleWhoseButtonCapturesThroughTheRoad)
{
    Shell s;
    s.app.launch();
    OnboardingView* welcome = s.welcome();
    ASSERT_TRUE(welcome);
    welcome->go(1);
    welcome->go(1);
    welcome->findChild<QPushButton*>(QStringLiteral("openSample"))->click();
    EXPECT_TRUE(s.settings.onboardingDone());
    auto* sample = qobject_cast<SampleTableView*>(s.app.sampleWindow());
    ASSERT_TRUE(sample);
    EXPECT_TRUE(sample->isVisible());
    sample->captureButton()->click();
    ASSERT_TRUE(waitFor([&] { return s.selector.begins == 1; }));
    s.selector.finish(std::nullopt);
}

TEST(HelpWiring, HelpIsReplacedOnEveryRequestAndAboutReachesHelpAndLicences)
{
    Shell s;
    s.settings.setOnboardingDone(true);
    s.app.launch();
    s.app.helpItem()->trigger();
    QPointer<HelpView> first = qobject_cast<HelpView*>(s.app.helpWindow());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->topic(), HelpTopic::start);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Vantrel Help"));
    s.app.showHelp(HelpTopic::reading);
    auto* second = qobject_cast<HelpView*>(s.app.helpWindow());
    ASSERT_TRUE(second);
    EXPECT_NE(second, first.data());
    EXPECT_EQ(second->topic(), HelpTopic::reading);
    EXPECT_TRUE(second->sidebarRow(HelpTopic::reading)->isChecked());

    s.app.aboutItem()->trigger();
    QWidget* about = s.app.aboutWindow();
    ASSERT_TRUE(about);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Vantrel"));
    for (QPushButton* b : about->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Licenses"))
            b->click();
    EXPECT_TRUE(waitFor([] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<LicensesView*>(w) && w->isVisible())
                return true;
        return false;
    }));
    for (QPushButton* b : about->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Help"))
            b->click();
    EXPECT_EQ(qobject_cast<HelpView*>(s.app.helpWindow())->topic(), HelpTopic::start);
    // Feedback opens a bug report with nothing attached.
    for (QPushButton* b : about->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Send Feedback…"))
            b->click();
    FeedbackView* feedback = nullptr;
    for (QWidget* window : s.app.windows())
        if (auto* view = qobject_cast<FeedbackView*>(window))
            feedback = view;
    ASSERT_TRUE(feedback);
    EXPECT_EQ(feedback->draft().kind, FeedbackKind::bug);
}
