#include "Kestrow/Settings/SettingsView.hpp"

#include "Kestrow/History/HistorySettingsSection.hpp"
#include "Kestrow/Settings/GeneralPage.hpp"
#include "Kestrow/Settings/RecognitionPage.hpp"
#include "Kestrow/Settings/SettingsTabButton.hpp"
#include "Kestrow/Settings/ShortcutsPage.hpp"
#include "Kestrow/Settings/UpdateController.hpp"
#include "Kestrow/Shell/Theme.hpp"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace Kestrow {

SettingsView::SettingsView(SettingsContext context, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SettingsView"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    bar_ = new QWidget(this);
    bar_->setObjectName(QStringLiteral("tabBar"));
    bar_->setAutoFillBackground(true);
    auto* buttons = new QHBoxLayout(bar_);
    buttons->setContentsMargins(0, 8, 0, 8);
    buttons->setSpacing(4);
    buttons->addStretch();
    for (SettingsTab tab : SettingsTabText::all) {
        auto* button = new SettingsTabButton(tab, bar_);
        connect(button, &QAbstractButton::clicked, this, [this, tab] { selectTab(tab); });
        buttons->addWidget(button);
        buttons_[tab] = button;
    }
    buttons->addStretch();
    column->addWidget(bar_);
    hairline_ = new QWidget(this);
    hairline_->setFixedHeight(1);
    hairline_->setAutoFillBackground(true);
    column->addWidget(hairline_);

    scroll_ = new QScrollArea(this);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* host = new QWidget;
    host->setObjectName(QStringLiteral("pageHost"));
    auto* centre = new QHBoxLayout(host);
    centre->setContentsMargins(0, 0, 0, 0);
    // The page column takes the width up to its maximum; what is left goes to both sides.
    centre->addStretch(0);
    auto* pageColumn = new QWidget(host);
    pageColumn->setObjectName(QStringLiteral("pageColumn"));
    pageColumn->setMaximumWidth(maxPageWidth);
    auto* pagesLayout = new QVBoxLayout(pageColumn);
    pagesLayout->setContentsMargins(24, 24, 24, 24);
    pagesLayout->setSpacing(16);
    centre->addWidget(pageColumn, 1);
    centre->addStretch(0);

    const QString updateHost = context.updates.isConfigured() ? context.updates.feedHost() : QString();
    pages_[SettingsTab::general] = new GeneralPage(context, pageColumn);
    pages_[SettingsTab::shortcuts] = new ShortcutsPage(context.settings, pageColumn);
    pages_[SettingsTab::recognition] = new RecognitionPage(context.settings, updateHost, pageColumn);
    if (context.history) {
        pages_[SettingsTab::history] = new HistorySettingsSection(*context.history, context.showHistory, pageColumn);
    } else {
        auto* none = new QLabel(tr("History isn't available in this session."), pageColumn);
        none->setWordWrap(true);
        pages_[SettingsTab::history] = none;
    }
    for (SettingsTab tab : SettingsTabText::all) {
        if (pages_[tab]->objectName().isEmpty())
            pages_[tab]->setObjectName(QStringLiteral("page-") + SettingsTabText::rawValue(tab));
        pagesLayout->addWidget(pages_[tab]);
    }
    pagesLayout->addStretch(1);
    scroll_->setWidget(host);
    column->addWidget(scroll_, 1);

    applyPalette();
    connect(&Theme::shared(), &Theme::changed, this, &SettingsView::applyPalette);
    selectTab(SettingsTab::general);
}

void SettingsView::selectTab(SettingsTab tab)
{
    tab_ = tab;
    for (SettingsTab t : SettingsTabText::all) {
        pages_[t]->setVisible(t == tab);
        buttons_[t]->setChecked(t == tab);
    }
}

void SettingsView::applyPalette()
{
    const Palette& p = Theme::shared().palette();
    QPalette bar = bar_->palette();
    bar.setColor(QPalette::Window, p.bar);
    bar_->setPalette(bar);
    QPalette line = hairline_->palette();
    line.setColor(QPalette::Window, p.hairline);
    hairline_->setPalette(line);
    QPalette window = palette();
    window.setColor(QPalette::Window, p.window);
    window.setColor(QPalette::WindowText, p.ink);
    scroll_->viewport()->setAutoFillBackground(true);
    scroll_->viewport()->setPalette(window);
    scroll_->widget()->setAutoFillBackground(false);
    update();
}

void SettingsView::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Theme::shared().palette().window);
}

}  // namespace Kestrow
