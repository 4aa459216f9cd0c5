#include "Kestrow/History/HistoryConfirm.hpp"
#include "Kestrow/Shell/AlertPresenter.hpp"
#include "Kestrow/Shell/AppTranslator.hpp"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#include <functional>

using namespace Kestrow;

namespace {

struct Seen {
    QString text, informative;
    QStringList buttons;  // as they read on screen
};

// Runs `open` (which shows a modal box), notes what the box shows and clicks the button whose
// label reads `press`.
Seen answer(const std::function<void()>& open, const QString& press)
{
    Seen seen;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer.stop();
        seen.text = box->text();
        seen.informative = box->informativeText();
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            const QString shown = QString(b->text()).replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
            seen.buttons << shown;
            if (shown == press)
                chosen = b;
        }
        if (chosen)
            chosen->click();
        else
            box->reject();
    });
    timer.start();
    open();
    return seen;
}

}  // namespace

TEST(MessageBoxes, ButtonsReadAsWrittenAndTheAnswerComesBack)
{
    MessageBoxAlertPresenter alerts;
    int choice = -1;
    const Seen seen = answer([&] { choice = alerts.run({"Vantrel couldn't see the screen", "Why.", {"Quit & Reopen", "Cancel"}}); },
                             QStringLiteral("Quit & Reopen"));
    EXPECT_EQ(seen.text, QStringLiteral("Vantrel couldn't see the screen"));
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Quit & Reopen"))) << seen.buttons.join(u'|').toStdString();
    EXPECT_EQ(choice, 0);
}

// The question stands in the box, not only in its title; Cancel speaks the interface's language.
TEST(MessageBoxes, DeleteConfirmationAsksInTheBoxInTheInterfaceLanguage)
{
    QTranslator translator;
    ASSERT_TRUE(AppTranslator::install(translator, AppLanguage::vietnamese));
    bool confirmed = true;
    Seen seen = answer([&] { confirmed = confirmWithMessageBox(nullptr, "Delete all 3 saved captures?", "It can't be undone.", "Delete All"); },
                       QStringLiteral("Huỷ"));
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(seen.text, QStringLiteral("Delete all 3 saved captures?"));
    EXPECT_EQ(seen.informative, QStringLiteral("It can't be undone."));
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Huỷ"))) << seen.buttons.join(u'|').toStdString();
    EXPECT_FALSE(confirmed);

    seen = answer([&] { confirmed = confirmWithMessageBox(nullptr, "Delete?", "Gone.", "Delete All"); },
                  QStringLiteral("Delete All"));
    EXPECT_TRUE(confirmed);
}
