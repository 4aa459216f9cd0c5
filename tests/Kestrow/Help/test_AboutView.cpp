#include "Kestrow/Help/AboutView.hpp"
#include "Kestrow/Help/HelpView.hpp"
#include "Kestrow/Help/LicensesView.hpp"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

using namespace Kestrow;

TEST(AboutView, ShowsTheBuildsVersionAndItsButtonsReachTheApplication)
{
    QStringList calls;
    AboutView view(QIcon(), {[&] { calls << "help"; }, [&] { calls << "feedback"; }, [&] { calls << "licenses"; }});
    EXPECT_EQ(view.findChild<QLabel*>(QStringLiteral("version"))->text(),
              QStringLiteral("Version ") + HelpView::versionString());
    EXPECT_FALSE(view.findChild<QLabel*>(QStringLiteral("tagline"))->text().contains(QStringLiteral("Mac")));
    for (const char* title : {"Help", "Send Feedback…", "Licenses"})
        for (QPushButton* b : view.findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(title))
                b->click();
    EXPECT_EQ(calls, (QStringList{"help", "feedback", "licenses"}));

    AboutView inert(QIcon(), {});  // no actions: the buttons do nothing
    for (QPushButton* b : inert.findChildren<QPushButton*>())
        b->click();
}

TEST(LicensesView, EveryComponentListedHasItsLicenceTextCompiledIn)
{
    LicensesView view;
    const QString list = view.browser()->toPlainText();
    for (const char* component : {"Qt 6", "Tesseract 5", "Tesseract language data", "Leptonica", "OpenCV", "Eigen",
                                  "ICU", "nlohmann", "zlib", "Inter", "libX11", "xkbcommon"})
        EXPECT_TRUE(list.contains(QString::fromLatin1(component))) << component;

    const QStringList names = LicensesView::linkedNames();
    EXPECT_GE(names.size(), 15);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(view.showText(name));
        EXPECT_EQ(view.shown(), name);
        EXPECT_GT(view.browser()->toPlainText().size(), 200);
        view.showList();
    }
    EXPECT_TRUE(view.browser()->toPlainText().contains(QStringLiteral("Apache 2.0")));
    // Names outside the list, or leading out of the folder, open nothing.
    for (const char* bad : {"", "../Symbols/help.svg", "missing.txt", "THIRD-PARTY-NOTICES.md/x"})
        EXPECT_FALSE(view.showText(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(view.shown(), LicensesView::listName());
}
