#include "Kestrow/Help/LicensesView.hpp"

#include "Kestrow/Help/HelpWidgets.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

QString read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

LicensesView::LicensesView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LicensesView"));
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(false);
    browser_->setFrameShape(QFrame::NoFrame);
    back_ = new ThemedButton(tr("All Components"), ThemedButton::Style::secondary, this);
    back_->setObjectName(QStringLiteral("back"));
    connect(back_, &QPushButton::clicked, this, &LicensesView::showList);
    // Links of the list open the licence here; anything else is not followed.
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.isRelative())
            showText(url.path());
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addStretch(1);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(16, 16, 16, 16);
    v->setSpacing(12);
    v->addWidget(browser_, 1);
    v->addLayout(buttons);

    connect(&Theme::shared(), &Theme::changed, this, &LicensesView::applyScheme);
    applyScheme();
    showList();
}

void LicensesView::showList()
{
    browser_->setMarkdown(read(folder() + listName()));
    browser_->setFont(Typography::ui(13, QFont::Normal));
    shown_ = listName();
    back_->setVisible(false);
}

bool LicensesView::showText(const QString& name)
{
    // Only plain names of the list, never a path out of the folder.
    if (name.isEmpty() || name.contains(u'/') || !linkedNames().contains(name))
        return false;
    const QString body = read(folder() + name);
    if (body.isEmpty())
        return false;
    browser_->setPlainText(body);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(12);
    browser_->setFont(fixed);
    shown_ = name;
    back_->setVisible(true);
    return true;
}

QString LicensesView::folder() { return QStringLiteral(":/vantrel/Licenses/"); }

QString LicensesView::listName() { return QStringLiteral("THIRD-PARTY-NOTICES.md"); }

QStringList LicensesView::linkedNames()
{
    QStringList names;
    static const QRegularExpression target(QStringLiteral("\\]\\(([^)]+)\\)"));
    auto it = target.globalMatch(read(folder() + listName()));
    while (it.hasNext()) {
        const QString name = it.next().captured(1);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

void LicensesView::applyScheme()
{
    const Palette& p = Theme::shared().palette();
    HelpWidgets::setBackground(this, p.window);
    QPalette pal = browser_->palette();
    pal.setColor(QPalette::Base, p.card);
    pal.setColor(QPalette::Text, p.ink);
    pal.setColor(QPalette::Link, p.accent);
    browser_->setPalette(pal);
}

}  // namespace Kestrow
