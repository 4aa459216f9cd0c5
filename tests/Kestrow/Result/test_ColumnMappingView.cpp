#include "Kestrow/Result/ColumnMappingView.hpp"
#include "Kestrow/Shell/AppTranslator.hpp"
#include "Kestrow/Shell/Theme.hpp"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

using namespace Kestrow;
using VozudOzev::StitchTables::Mapping;

namespace {

VozudOzev::StitchTables::MappingRequest request()
{
    // Base columns A · Item, B · Amount and C; the new capture's second column has no header.
    // Its suggestions 5 and 7 lie past the base: new columns.
    return {{"Item", "Amount", ""}, {"Item", "", "Note"}, {0, 5, 7}, "Column headers of the two captures do not match."};
}

struct Answers {
    std::vector<Mapping> done;
    int cancels = 0;
    int closes = 0;

    std::unique_ptr<ColumnMappingView> view()
    {
        return std::make_unique<ColumnMappingView>(
            request(), [this](const Mapping& m) { done.push_back(m); }, [this] { ++cancels; }, [this] { ++closes; });
    }
};

}  // namespace

TEST(ColumnMappingView, OpensOnTheSuggestionsAndAnswersWithTheResolvedMapping)
{
    Answers a;
    auto view = a.view();
    EXPECT_EQ(view->choice(), (std::vector<int>{0, 4, 5}));
    EXPECT_EQ(ColumnMappingView::rowLabel(request(), 1), QStringLiteral("Column B"));
    EXPECT_EQ(ColumnMappingView::baseLabel(request(), 1), QStringLiteral("B · Amount"));
    EXPECT_EQ(ColumnMappingView::baseLabel(request(), 2), QStringLiteral("C"));
    const QStringList items{"A · Item", "B · Amount", "C", "Don't add", "New column"};
    for (int row = 0; row < 3; ++row) {
        QStringList texts;
        for (int i = 0; i < view->picker(row)->count(); ++i)
            texts << view->picker(row)->itemText(i);
        EXPECT_EQ(texts, items);
    }
    EXPECT_EQ(view->picker(1)->currentText(), QStringLiteral("New column"));
    EXPECT_EQ(view->picker(2)->currentText(), QStringLiteral("New column"));
    EXPECT_TRUE(view->stitchButton()->isEnabled());

    // Two rows on one base column block the stitch until one moves.
    view->picker(1)->setCurrentIndex(0);
    EXPECT_FALSE(view->stitchButton()->isEnabled());
    view->picker(1)->setCurrentIndex(3);
    EXPECT_TRUE(view->stitchButton()->isEnabled());
    view->stitchButton()->click();
    EXPECT_EQ(a.done, (std::vector<Mapping>{{0, std::nullopt, 3}}));
    // One answer only: a close afterwards says nothing more.
    view->close();
    EXPECT_EQ(a.cancels + a.closes, 0);
}

TEST(ColumnMappingView, CancelAndATitleBarCloseAreToldApart)
{
    Answers a;
    // Return does nothing while two rows share a column; Escape is Cancel.
    auto keyed = a.view();
    keyed->picker(1)->setCurrentIndex(0);
    QTest::keyClick(keyed.get(), Qt::Key_Return);
    EXPECT_TRUE(a.done.empty());
    QTest::keyClick(keyed.get(), Qt::Key_Escape);
    EXPECT_EQ(a.cancels, 1);
    a.cancels = 0;
    auto cancelled = a.view();
    cancelled->cancelButton()->click();
    cancelled->close();
    EXPECT_EQ(a.cancels, 1);
    EXPECT_EQ(a.closes, 0);
    auto closed = a.view();
    closed->show();
    closed->close();
    EXPECT_EQ(a.cancels, 1);
    EXPECT_EQ(a.closes, 1);
    EXPECT_TRUE(a.done.empty());
}

TEST(ColumnMappingView, RendersLightAndDark)
{
    const QString dir = qEnvironmentVariable("VANTREL_SCREENSHOTS");
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        Theme::shared().setAppearance(appearance);
        Answers a;
        auto view = a.view();
        view->setFixedSize(520, 420);
        const QImage shot = view->grab().toImage();
        EXPECT_EQ(shot.size(), QSize(520, 420));
        // The window's background is the palette's.
        EXPECT_EQ(shot.pixelColor(4, 4), Theme::shared().palette().window);
        if (!dir.isEmpty())
            shot.save(dir + (appearance == Appearance::dark ? "/match-columns-dark.png" : "/match-columns-light.png"));
    }
    Theme::shared().setAppearance(Appearance::system);
}

// The stitcher explains itself in English; a Vietnamese interface shows its reasons translated,
// with the column counts kept, and passes an unknown reason through unchanged.
TEST(ColumnMappingView, ReasonsFollowTheInterfaceLanguage)
{
    QTranslator translator;
    ASSERT_TRUE(AppTranslator::install(translator, AppLanguage::vietnamese));
    const struct {
        const char* reason;
        const char* shown;
    } cases[] = {
        {"Column headers of the two captures do not match.", "Tiêu đề cột của hai lần chụp không khớp nhau."},
        {"The captures have 4 and 13 columns and no header to match them by.",
         "Hai lần chụp có 4 và 13 cột, và không có tiêu đề để ghép chúng với nhau."},
        {"Something new.", "Something new."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColumnMappingView::reasonText(c.reason), QString::fromUtf8(c.shown)) << c.reason;
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(ColumnMappingView::reasonText(cases[1].reason), QString::fromUtf8(cases[1].reason));
}
