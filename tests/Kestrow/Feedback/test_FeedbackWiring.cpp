#include "FeedbackFixtures.hpp"

#include "Kestrow/Capture/RegionSelector.hpp"
#include "Kestrow/Feedback/FeedbackView.hpp"
#include "Kestrow/Platform/FakeHotkeys.hpp"
#include "Kestrow/Shell/AppDelegate.hpp"
#include "Kestrow/Shell/NoTrayHint.hpp"
#include "KestrowSupport/FakeAlertPresenter.hpp"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Kestrow;

namespace {

struct NoEngine final : VozudOzev::TableEngine {
    VozudOzev::TableExtraction::Extraction extract(const VozudOzev::Image&, VozudOzev::Dpi,
                                                   const std::string&) const override
    {
        return {};
    }
};

// Attachments go to a runtime folder of the test's own.
struct PrivateRuntime {
    PrivateRuntime()
    {
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    }
    ~PrivateRuntime()
    {
        if (wasSet)
            qputenv("XDG_RUNTIME_DIR", saved);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }
    bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir dir;
};

struct App {
    App()
    {
        auto fake = std::make_unique<FakeMailHandoff>();
        mail = fake.get();
        app.mailHandoff = std::move(fake);
    }
    PrivateRuntime runtime;
    QTemporaryDir dir;
    AppSettings settings{Defaults::atPath(dir.filePath("settings.conf"))};
    FakeHotkeys hotkeys;
    FakeRegionSelector selector;
    FakeClipboardWriter clipboard;
    KestrowTest::FakeAlertPresenter alerts;
    EngineService engine{[] { return EngineService::Built{std::make_shared<NoEngine>(), "none"}; }};
    AppDelegate app{{settings, hotkeys, selector, clipboard, alerts, engine, nullptr}};
    FakeMailHandoff* mail = nullptr;
};

FeedbackView* openFeedback(const App& a)
{
    for (QWidget* window : a.app.windows())
        if (auto* view = qobject_cast<FeedbackView*>(window))
            return view;
    return nullptr;
}

}  // namespace

TEST(FeedbackWiring, TheMenuItemOpensABugReportWithoutAttachments)
{
    App a;
    a.app.launch();
    QAction* item = nullptr;
    for (QAction* action : a.app.statusMenu().actions())
        if (action->text() == QStringLiteral("Send Feedback…"))
            item = action;
    ASSERT_NE(item, nullptr);
    item->trigger();
    FeedbackView* view = openFeedback(a);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Send Feedback"));
    EXPECT_EQ(view->size(), QSize(520, 620));
    EXPECT_EQ(view->minimumSize(), QSize(460, 480));
    EXPECT_EQ(view->draft().kind, FeedbackKind::bug);
    EXPECT_EQ(view->findChild<QWidget*>(QStringLiteral("attachments")), nullptr);

    // The form's Cancel closes its window; a second item opens a new one.
    item->trigger();
    EXPECT_EQ(a.app.windows().size(), 2);
    view->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
    EXPECT_FALSE(view->isVisible());
}

TEST(FeedbackWiring, TheResultWindowReportsItsCaptureAndTable)
{
    App a;
    CaptureResult result;
    result.image = FeedbackFixtures::picture();
    result.extraction.output.tables = {FeedbackFixtures::table()};
    result.extraction.output.selectedTable = 0;
    QWidget* window = a.app.showResult(result, std::nullopt);
    ASSERT_NE(window, nullptr);
    auto* report = window->findChild<QPushButton*>(QStringLiteral("reportButton"));
    ASSERT_NE(report, nullptr);
    report->click();
    FeedbackView* view = openFeedback(a);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->draft().kind, FeedbackKind::misreadTable);
    auto* image = view->findChild<QCheckBox*>(QStringLiteral("includeImage"));
    auto* table = view->findChild<QCheckBox*>(QStringLiteral("includeTable"));
    ASSERT_NE(image, nullptr);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->text(), QStringLiteral("Result table (table.csv, 3×2)"));

    view->findChild<QPlainTextEdit*>(QStringLiteral("message"))->setPlainText(QStringLiteral("Row 2 is wrong"));
    table->setChecked(true);
    view->findChild<QPushButton*>(QStringLiteral("openInMail"))->click();
    ASSERT_EQ(a.mail->drafts.size(), 1u);
    ASSERT_EQ(a.mail->drafts.front().attachments.size(), 1);
    EXPECT_TRUE(a.mail->drafts.front().attachments.front().startsWith(a.runtime.dir.path() + "/Vantrel-feedback/"));
    EXPECT_TRUE(a.mail->drafts.front().attachments.front().endsWith(QStringLiteral("/table.csv")));
}
