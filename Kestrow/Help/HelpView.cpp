#include "Kestrow/Help/HelpView.hpp"

#include "Kestrow/Feedback/FeedbackSender.hpp"
#include "Kestrow/Help/BuildVersion.hpp"
#include "Kestrow/Help/HelpWidgets.hpp"
#include "Kestrow/Settings/UpdateController.hpp"
#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/Keycaps.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

using namespace HelpWidgets;

QString joinedKeys(const Shortcut& shortcut) { return shortcut.keycaps().join(u'+'); }

QWidget* rowWidget(QLayout* layout)
{
    auto* w = new QWidget;
    layout->setContentsMargins(0, 0, 0, 0);
    w->setLayout(layout);
    return w;
}

// A numbered step: the number in a tinted circle, then the text.
QWidget* step(int number, QLabel* text, const Palette& p)
{
    auto* circle = new QLabel(QString::number(number));
    circle->setObjectName(QStringLiteral("stepNumber"));
    circle->setFixedSize(22, 22);
    circle->setAlignment(Qt::AlignCenter);
    circle->setFont(Typography::ui(12, QFont::DemiBold));
    QColor tint = p.accent;
    tint.setAlphaF(0.14f);
    circle->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; border-radius: 11px; }")
                              .arg(tint.name(QColor::HexArgb), p.accent.name()));
    auto* h = new QHBoxLayout;
    h->setSpacing(12);
    h->addWidget(circle, 0, Qt::AlignTop);
    h->addWidget(text, 1);
    return rowWidget(h);
}

QWidget* bullet(QLabel* text, const Palette& p)
{
    QLabel* dot = HelpWidgets::text(QStringLiteral("•"), 13, QFont::Normal, p.muted);
    dot->setWordWrap(false);
    dot->setAccessibleName(QString());
    auto* h = new QHBoxLayout;
    h->setSpacing(8);
    h->addWidget(dot, 0, Qt::AlignTop);
    h->addWidget(text, 1);
    return rowWidget(h);
}

// A label, then its keys at the right; a second group after a "/".
QWidget* keyRow(const QString& label, const QStringList& keys, const QStringList& second, const Palette& p)
{
    auto* h = new QHBoxLayout;
    h->setSpacing(8);
    QLabel* name = text(label, 13, QFont::Normal, p.ink);
    name->setWordWrap(false);
    h->addWidget(name);
    h->addStretch(1);
    h->addWidget(new Keycaps(keys));
    if (!second.isEmpty()) {
        QLabel* slash = text(QStringLiteral("/"), 13, QFont::Normal, p.muted);
        slash->setObjectName(QStringLiteral("keySeparator"));
        h->addWidget(slash);
        h->addWidget(new Keycaps(second));
    }
    return rowWidget(h);
}

QFrame* keyCard(const std::vector<QWidget*>& rows, const Palette& p)
{
    auto* v = new QVBoxLayout;
    v->setSpacing(8);
    v->setContentsMargins(12, 12, 12, 12);
    for (QWidget* row : rows)
        v->addWidget(row);
    return card(p, v);
}

}  // namespace

HelpView::HelpView(HelpTopic topic, AppSettings& settings, Actions actions, QWidget* parent)
    : QWidget(parent), topic_(topic), settings_(settings), actions_(std::move(actions))
{
    setObjectName(QStringLiteral("HelpView"));
    if (!actions_.openUrl)
        actions_.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    sidebar_ = new QWidget(this);
    sidebar_->setObjectName(QStringLiteral("sidebar"));
    sidebar_->setFixedWidth(200);
    auto* side = new QVBoxLayout(sidebar_);
    side->setContentsMargins(12, 12, 12, 12);
    side->setSpacing(2);
    for (const HelpTopic t : HelpTopics::all) {
        auto* row = new QPushButton(HelpTopics::title(t), sidebar_);
        row->setObjectName(QStringLiteral("topic-") + HelpTopics::rawValue(t));
        row->setCheckable(true);
        row->setFlat(true);
        row->setCursor(Qt::PointingHandCursor);
        row->setIconSize(QSize(16, 16));
        connect(row, &QPushButton::clicked, this, [this, t] { setTopic(t); });
        side->addWidget(row);
        rows_[t] = row;
    }
    side->addStretch(1);
    auto* version = new QLabel(tr("Version %1").arg(versionString()), sidebar_);
    version->setObjectName(QStringLiteral("version"));
    version->setFont(Typography::ui(11, QFont::Normal));
    version->setContentsMargins(8, 0, 8, 0);
    side->addWidget(version);

    divider_ = new QWidget(this);
    divider_->setFixedWidth(1);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("page"));
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    h->addWidget(sidebar_);
    h->addWidget(divider_);
    h->addWidget(scroll_, 1);

    connect(&Theme::shared(), &Theme::changed, this, &HelpView::rebuild);
    // The capture shortcuts on Get Started and Shortcuts follow the settings at once.
    connect(&settings_, &AppSettings::changed, this, [this] {
        if (topic_ == HelpTopic::start || topic_ == HelpTopic::shortcuts) {
            const int at = scroll_->verticalScrollBar()->value();
            rebuild();
            scroll_->verticalScrollBar()->setValue(at);
        }
    });
    rebuild();
}

QPushButton* HelpView::sidebarRow(HelpTopic topic) const { return rows_.at(topic); }

void HelpView::setTopic(HelpTopic topic)
{
    topic_ = topic;
    rebuild();
}

void HelpView::followLink(const QString& href)
{
    if (const std::optional<HelpTopic> topic = HelpTopics::fromLink(href)) {
        setTopic(*topic);
        return;
    }
    if (actions_.openUrl)
        actions_.openUrl(QUrl(href));
}

void HelpView::rebuild()
{
    const Palette& p = Theme::shared().palette();
    setBackground(this, p.window);
    setBackground(sidebar_, p.bar);
    setBackground(divider_, p.hairline);
    styleSidebar();
    // A new page each time, so it starts at the top.
    QWidget* page = makePage(topic_, p);
    setBackground(page, p.window);
    scroll_->setWidget(page);
    scroll_->verticalScrollBar()->setValue(0);
}

void HelpView::styleSidebar()
{
    const Palette& p = Theme::shared().palette();
    for (const auto& [t, row] : rows_) {
        const bool selected = t == topic_;
        row->setChecked(selected);
        row->setFont(Typography::ui(13, selected ? QFont::DemiBold : QFont::Normal));
        const QColor colour = selected ? p.ink : p.muted;
        row->setIcon(AppResources::symbol(HelpTopics::symbol(t), colour));
        row->setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding: 6px 8px; border: none;"
                                          " border-radius: 6px; color: %1; background: %2; }")
                               .arg(colour.name(), selected ? p.card.name() : QStringLiteral("transparent")));
        row->setAccessibleDescription(selected ? tr("Selected") : QString());
    }
    if (QLabel* version = sidebar_->findChild<QLabel*>(QStringLiteral("version"))) {
        QPalette pal = version->palette();
        pal.setColor(QPalette::WindowText, p.muted);
        version->setPalette(pal);
    }
}

QWidget* HelpView::makePage(HelpTopic topic, const Palette& p)
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(24, 24, 24, 24);
    v->setSpacing(16);
    QLabel* heading = text(HelpTopics::title(topic), 20, QFont::DemiBold, p.ink);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setAccessibleDescription(tr("Heading"));
    v->addWidget(heading);

    const auto body = [&](const QString& plain) { return text(plain, 13, QFont::Normal, p.ink); };
    const auto linked = [&](const QString& html, double size = 13, const QColor* colour = nullptr) {
        QLabel* l = richText(html, size, QFont::Normal, colour ? *colour : p.ink, p.accent);
        connect(l, &QLabel::linkActivated, this, &HelpView::followLink);
        return l;
    };
    const auto button = [&](const QString& title, ThemedButton::Style style, const std::function<void()>& action,
                            const QString& name) {
        auto* b = new ThemedButton(title, style);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, [action] {
            if (action)
                action();
        });
        auto* h = new QHBoxLayout;
        h->addWidget(b);
        h->addStretch(1);
        return rowWidget(h);
    };

    switch (topic) {
    case HelpTopic::start:
        v->addWidget(linked(escaped(tr("Capture a table anywhere on screen and paste it into a spreadsheet or an AI chat "
                                       "with rows and columns intact. Uncertain cells are %1; numbers are never invented."))
                                .arg(link(HelpTopics::link(HelpTopic::reading), tr("flagged for review")))));
        v->addWidget(step(1,
                          linked(escaped(tr("Press %1, or choose Capture Table from the tray icon's menu."))
                                     .arg(link(HelpTopics::link(HelpTopic::shortcuts),
                                               joinedKeys(settings_.captureShortcut())))),
                          p));
        v->addWidget(step(2, body(tr("Drag over the table: a PDF, a web page, a dashboard, a slide.")), p));
        v->addWidget(step(3,
                          body(tr("Check any highlighted cells against the source below the grid, then Copy (%1) or "
                                  "Export.")
                                   .arg(QStringLiteral("Ctrl+C"))),
                          p));
        v->addWidget(text(tr("Long table? Use “Capture Next Part” in the result window to append the rest. You can "
                             "also read an image from the clipboard or open an image file from the tray menu."),
                          12, QFont::Normal, p.muted));
        v->addWidget(button(tr("Try a Sample Table"), ThemedButton::Style::primary, actions_.openSampleTable,
                            QStringLiteral("trySample")));
        break;
    case HelpTopic::shortcuts: {
        v->addWidget(keyCard({keyRow(tr("Capture Table"), settings_.captureShortcut().keycaps(), {}, p),
                              keyRow(tr("Quick Capture (copy directly)"), settings_.quickCaptureShortcut().keycaps(),
                                     {}, p)},
                             p));
        v->addWidget(text(tr("In the result window"), 12, QFont::DemiBold, p.muted));
        const QString ctrl = QStringLiteral("Ctrl"), shift = QStringLiteral("Shift");
        v->addWidget(keyCard({keyRow(tr("Copy"), {ctrl, QStringLiteral("C")}, {}, p),
                              keyRow(tr("Copy as AI Context"), {shift, ctrl, QStringLiteral("C")}, {}, p),
                              keyRow(tr("Next cell to check"), {ctrl, QStringLiteral("'")}, {}, p),
                              keyRow(tr("Undo / Redo"), {ctrl, QStringLiteral("Z")}, {shift, ctrl, QStringLiteral("Z")},
                                     p),
                              keyRow(tr("Edit a cell"), {QStringLiteral("\u21A9")}, {}, p)},
                             p));
        v->addWidget(button(tr("Change Shortcuts in Settings…"), ThemedButton::Style::secondary, actions_.showSettings,
                            QStringLiteral("changeShortcuts")));
        break;
    }
    case HelpTopic::reading:
        v->addWidget(bullet(body(tr("Recognition runs on this computer: Tesseract reads the text, and Vantrel's own "
                                    "text engine rebuilds the rows and columns when the table models are absent.")),
                            p));
        v->addWidget(bullet(linked(escaped(tr("Cells the engine is unsure about are highlighted and outlined. Check them, "
                                              "edit if needed, then copy. %1 jumps to the next one."))
                                       .arg(link(HelpTopics::link(HelpTopic::shortcuts), QStringLiteral("Ctrl+'")))),
                            p));
        v->addWidget(bullet(body(tr("Totals are checked against the rows above them; a mismatch is flagged, never "
                                    "corrected for you.")),
                            p));
        v->addWidget(bullet(body(tr("If a table is read wrongly, use Report Misread Table in the result window.")), p));
        v->addWidget(bullet(body(tr("Runs on Linux desktops with X11; on Wayland, through XWayland.")), p));
        break;
    case HelpTopic::privacy: {
        v->addWidget(bullet(body(tr("Images, tables and history stay on this computer. No analytics, no tracking.")), p));
        const bool updates = UpdateController::isConfigured(UpdateController::buildInfo());
        v->addWidget(bullet(body(updates ? tr("Vantrel goes online only to look for a new version on the update "
                                              "server, once a day while “Automatically check for updates” is on, and "
                                              "when you choose Check for Updates. Update checks send no system profile.")
                                         : tr("This build has no update server: Vantrel never goes online.")),
                            p));
        v->addWidget(bullet(body(tr("Text you paste into an AI chat goes to that provider.")), p));
        v->addWidget(bullet(linked(escaped(tr("Feedback goes only through your own mail app, and only when you press "
                                              "Send there. Images and tables are attached only if you tick them. See %1."))
                                       .arg(link(HelpTopics::link(HelpTopic::contact), HelpTopics::title(HelpTopic::contact)))),
                            p));
        break;
    }
    case HelpTopic::contact: {
        auto* h = new QHBoxLayout;
        h->setSpacing(8);
        QLabel* email = body(tr("Email"));
        email->setWordWrap(false);
        h->addWidget(email);
        QLabel* address = linked(link(QStringLiteral("mailto:") + supportAddress(), supportAddress()));
        address->setObjectName(QStringLiteral("mailLink"));
        address->setWordWrap(false);
        h->addWidget(address);
        h->addStretch(1);
        v->addWidget(rowWidget(h));
        v->addWidget(text(tr("Or use Send Feedback… to include technical details."), 12, QFont::Normal, p.muted));
        v->addWidget(button(tr("Send Feedback…"), ThemedButton::Style::secondary, actions_.showFeedback,
                            QStringLiteral("sendFeedback")));
        break;
    }
    }
    v->addStretch(1);
    return page;
}

QString HelpView::versionString()
{
    return versionString(QStringLiteral(VANTREL_SHORT_VERSION), QStringLiteral(VANTREL_BUILD_NUMBER));
}

QString HelpView::versionString(const QString& shortVersion, const QString& build)
{
    return (shortVersion.isEmpty() ? QStringLiteral("0") : shortVersion) + QStringLiteral(" (") +
           (build.isEmpty() ? QStringLiteral("0") : build) + u')';
}

QString HelpView::supportAddress() { return FeedbackSender::supportAddress; }

}  // namespace Kestrow
