#include "Kestrow/Help/AboutView.hpp"

#include "Kestrow/Help/HelpView.hpp"
#include "Kestrow/Help/HelpWidgets.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Wordmark.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Kestrow {

AboutView::AboutView(QIcon icon, Actions actions, QWidget* parent)
    : QWidget(parent), icon_(std::move(icon)), actions_(std::move(actions))
{
    setObjectName(QStringLiteral("AboutView"));
    connect(&Theme::shared(), &Theme::changed, this, &AboutView::rebuild);
    rebuild();
}

void AboutView::rebuild()
{
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    delete layout();
    const Palette& p = Theme::shared().palette();
    HelpWidgets::setBackground(this, p.window);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(24, 24, 24, 24);
    v->setSpacing(12);
    v->addStretch(1);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setFixedSize(72, 72);
    icon->setPixmap(icon_.pixmap(QSize(72, 72)));
    icon->setAccessibleName(QString());
    v->addWidget(icon, 0, Qt::AlignHCenter);
    v->addWidget(new Wordmark(28, this), 0, Qt::AlignHCenter);

    QLabel* version = HelpWidgets::text(tr("Version %1").arg(HelpView::versionString()), 12, QFont::Normal, p.muted);
    version->setObjectName(QStringLiteral("version"));
    version->setAlignment(Qt::AlignHCenter);
    v->addWidget(version);
    QLabel* tagline = HelpWidgets::text(tr("Any table on screen, as real cells. Read on your computer, never guessed."),
                                        13, QFont::Normal, p.ink);
    tagline->setObjectName(QStringLiteral("tagline"));
    tagline->setAlignment(Qt::AlignHCenter);
    v->addWidget(tagline);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch(1);
    const std::pair<QString, std::function<void()>*> entries[] = {
        {tr("Help"), &actions_.showHelp},
        {tr("Send Feedback…"), &actions_.showFeedback},
        {tr("Licenses"), &actions_.showLicenses},
    };
    for (const auto& [title, action] : entries) {
        auto* b = new ThemedButton(title, ThemedButton::Style::secondary, this);
        connect(b, &QPushButton::clicked, this, [action] {
            if (*action)
                (*action)();
        });
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    v->addSpacing(4);
    v->addLayout(buttons);
    v->addStretch(1);
}

}  // namespace Kestrow
