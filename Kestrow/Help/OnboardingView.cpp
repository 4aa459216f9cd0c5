#include "Kestrow/Help/OnboardingView.hpp"

#include "Kestrow/Help/HelpWidgets.hpp"
#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/Keycaps.hpp"
#include "Kestrow/Shell/PermissionFlow.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Typography.hpp"
#include "Kestrow/Shell/Wordmark.hpp"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

using namespace HelpWidgets;
using OnboardingFlow::Step;

// The footer's position: a long capsule for the step shown, dots for the others.
class StepDots final : public QWidget {
public:
    StepDots(int current, int count, QWidget* parent) : QWidget(parent), current_(current), count_(count)
    {
        setFixedSize(16 + (count - 1) * (6 + 6), 6);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const Palette& p = Theme::shared().palette();
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        double x = 0;
        for (int i = 1; i <= count_; ++i) {
            const double w = i == current_ ? 16 : 6;
            QPainterPath capsule;
            capsule.addRoundedRect(QRectF(x, 0, w, 6), 3, 3);
            painter.fillPath(capsule, i == current_ ? p.ink : p.hairline);
            x += w + 6;
        }
    }

private:
    int current_, count_;
};

QWidget* wrap(QLayout* layout)
{
    auto* w = new QWidget;
    layout->setContentsMargins(0, 0, 0, 0);
    w->setLayout(layout);
    return w;
}

}  // namespace

OnboardingView::OnboardingView(bool fromStart, AppSettings& settings, Actions actions, bool granted, bool pending,
                               QWidget* parent)
    : QWidget(parent), settings_(settings), actions_(std::move(actions)), granted_(granted),
      step_(OnboardingFlow::initialStep(fromStart, settings.onboardingDone(), granted, pending))
{
    setObjectName(QStringLiteral("OnboardingView"));
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(24, 24, 24, 24);
    column_->setSpacing(16);

    back_ = new ThemedButton(tr("Back"), ThemedButton::Style::secondary, this);
    back_->setObjectName(QStringLiteral("back"));
    connect(back_, &QPushButton::clicked, this, [this] { go(-1); });
    later_ = new ThemedButton(tr("Later"), ThemedButton::Style::secondary, this);
    later_->setObjectName(QStringLiteral("later"));
    connect(later_, &QPushButton::clicked, this, [this] { go(1); });
    forward_ = new ThemedButton(tr("Continue"), ThemedButton::Style::primary, this);
    forward_->setObjectName(QStringLiteral("forward"));
    connect(forward_, &QPushButton::clicked, this, &OnboardingView::forwardClicked);
    // Return presses "Continue" or "Start Using Vantrel", never "Later".
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (forward_->isVisible())
                forward_->click();
        });
    }

    auto* footer = new QHBoxLayout;
    footer->setSpacing(8);
    dots_ = new QWidget(this);
    auto* dotsLayout = new QHBoxLayout(dots_);
    dotsLayout->setContentsMargins(0, 0, 0, 0);
    footer->addWidget(dots_, 0, Qt::AlignVCenter);
    footer->addStretch(1);
    footer->addWidget(back_);
    footer->addWidget(later_);
    footer->addWidget(forward_);
    hairline_ = new QWidget(this);
    hairline_->setFixedHeight(1);
    column_->addWidget(hairline_);
    column_->addLayout(footer);

    connect(&Theme::shared(), &Theme::changed, this, &OnboardingView::showStep);
    // A shortcut changed in Settings shows at once.
    connect(&settings_, &AppSettings::changed, this, [this] {
        if (step_ == Step::shortcuts)
            showStep();
    });
    showStep();
}

QPushButton* OnboardingView::forwardButton() const { return later_->isVisibleTo(this) ? later_ : forward_; }

QString OnboardingView::stepLabel() const
{
    return tr("Step %1 of %2")
        .arg(OnboardingFlow::position(step_, granted_))
        .arg(OnboardingFlow::count(granted_));
}

void OnboardingView::go(int delta)
{
    if (const std::optional<Step> next = OnboardingFlow::go(step_, delta, granted_)) {
        step_ = *next;
        showStep();
    }
}

void OnboardingView::forwardClicked()
{
    if (OnboardingFlow::forward(step_, granted_) == OnboardingFlow::Forward::startUsing) {
        if (actions_.onDone)
            actions_.onDone();
        return;
    }
    go(1);
}

void OnboardingView::showStep()
{
    const Palette& p = Theme::shared().palette();
    setBackground(this, p.window);
    setBackground(hairline_, p.hairline);
    // The step's content is replaced as a whole.
    if (content_) {
        content_->hide();
        content_->deleteLater();
    }
    content_ = makeStep();
    content_->setParent(this);
    column_->insertWidget(0, content_, 1);

    // The dots, read out as one element.
    delete dots_->layout()->takeAt(0);
    qDeleteAll(dots_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    auto* dots = new StepDots(OnboardingFlow::position(step_, granted_), OnboardingFlow::count(granted_), dots_);
    dots_->layout()->addWidget(dots);
    dots->show();
    dots_->setAccessibleName(stepLabel());

    const OnboardingFlow::Forward forward = OnboardingFlow::forward(step_, granted_);
    back_->setVisible(OnboardingFlow::showsBack(step_));
    later_->setVisible(forward == OnboardingFlow::Forward::later);
    forward_->setVisible(forward != OnboardingFlow::Forward::later);
    forward_->setText(forward == OnboardingFlow::Forward::startUsing ? tr("Start Using Vantrel") : tr("Continue"));
    forward_->updateGeometry();
    content_->show();
    if (QWidget* first = content_->findChild<QWidget*>(QStringLiteral("openSample")))
        first->setFocus();
}

QWidget* OnboardingView::title(const QString& title, const QString& subtitle)
{
    const Palette& p = Theme::shared().palette();
    auto* v = new QVBoxLayout;
    v->setSpacing(8);
    QLabel* heading = text(title, 20, QFont::DemiBold, p.ink);
    heading->setObjectName(QStringLiteral("title"));
    v->addWidget(heading);
    v->addWidget(text(subtitle, 13, QFont::Normal, p.muted));
    return wrap(v);
}

QWidget* OnboardingView::makeStep()
{
    const Palette& p = Theme::shared().palette();
    auto* v = new QVBoxLayout;
    v->setSpacing(16);
    const auto note = [&](const QString& s) { return text(s, 12, QFont::Normal, p.muted); };

    switch (step_) {
    case Step::welcome: {
        v->addWidget(new Wordmark(32));
        v->addWidget(text(tr("Capture any table on screen and paste it into LibreOffice Calc or Google Sheets — rows "
                             "and columns intact."),
                          15, QFont::Normal, p.ink));
        auto* points = new QVBoxLayout;
        points->setSpacing(12);
        const std::pair<const char*, QString> bullets[] = {
            {"capture", tr("Select a table anywhere: PDFs, web pages, screenshots, slides.")},
            {"tablecells", tr("Get real rows and columns, ready to paste.")},
            {"info", tr("Uncertain cells are flagged — numbers are never invented.")},
            {"lock", tr("Everything runs on this computer. Nothing is uploaded.")},
        };
        for (const auto& [icon, line] : bullets) {
            auto* h = new QHBoxLayout;
            h->setSpacing(12);
            h->addWidget(symbol(QString::fromLatin1(icon), p.accent, 18), 0, Qt::AlignTop);
            h->addWidget(text(line, 13, QFont::Normal, p.muted), 1);
            points->addWidget(wrap(h));
        }
        v->addWidget(wrap(points));
        auto* how = new QPushButton(tr("How Vantrel works"));
        how->setObjectName(QStringLiteral("howItWorks"));
        how->setFlat(true);
        how->setCursor(Qt::PointingHandCursor);
        how->setFont(Typography::ui(12, QFont::Normal));
        how->setStyleSheet(QStringLiteral("QPushButton { color: %1; border: none; padding: 0; text-align: left; }")
                               .arg(p.accent.name()));
        connect(how, &QPushButton::clicked, this, [this] {
            if (actions_.showHelp)
                actions_.showHelp();
        });
        v->addWidget(how, 0, Qt::AlignLeft);
        break;
    }
    case Step::shortcuts: {
        v->addWidget(title(tr("Shortcuts"), tr("Work from anywhere — Vantrel lives in the system tray.")));
        const auto row = [&](const QString& name, const QString& detail, const Shortcut& shortcut) {
            auto* texts = new QVBoxLayout;
            texts->setSpacing(2);
            texts->addWidget(text(name, 13, QFont::DemiBold, p.ink));
            texts->addWidget(text(detail, 12, QFont::Normal, p.muted));
            auto* h = new QHBoxLayout;
            h->setSpacing(12);
            h->setContentsMargins(12, 12, 12, 12);
            h->addLayout(texts, 1);
            h->addWidget(new Keycaps(shortcut.keycaps()));
            auto* w = new QWidget;
            w->setLayout(h);
            return w;
        };
        auto* rows = new QVBoxLayout;
        rows->setSpacing(0);
        rows->setContentsMargins(0, 0, 0, 0);
        rows->addWidget(row(tr("Capture a table"), tr("Select an area, review, then copy or export."),
                            settings_.captureShortcut()));
        rows->addWidget(hairline(p));
        rows->addWidget(row(tr("Quick capture"), tr("Copies straight to the clipboard when no cell is flagged."),
                            settings_.quickCaptureShortcut()));
        v->addWidget(card(p, rows));
        v->addWidget(note(tr("You can also read an image from the clipboard or open an image file from the tray menu. "
                             "Change shortcuts in Settings.")));
        break;
    }
    case Step::permission:
        // Only a session that cannot read the screen gets here; say why, and how to change it.
        v->addWidget(title(tr("Screen Capture"),
                           QCoreApplication::translate("PermissionFlow", PermissionFlow::waylandMessage)));
        v->addWidget(note(QCoreApplication::translate("PermissionFlow", PermissionFlow::waylandInformative)));
        break;
    case Step::sample: {
        v->addWidget(title(tr("Try it on a sample table"),
                           tr("Open a sample table and capture it the way you will capture your own: you get rows and "
                              "columns, with any cell worth checking highlighted.")));
        auto* tile = symbol(QStringLiteral("tablecells"), p.accent, 44);
        tile->setPixmap(AppResources::symbol(QStringLiteral("tablecells"), p.accent).pixmap(QSize(22, 22)));
        QColor tint = p.accent;
        tint.setAlphaF(0.14f);
        tile->setStyleSheet(QStringLiteral("QLabel { background: %1; border-radius: 10px; }").arg(tint.name(QColor::HexArgb)));
        auto* texts = new QVBoxLayout;
        texts->setSpacing(2);
        texts->addWidget(text(tr("Quarterly revenue by region"), 13, QFont::DemiBold, p.ink));
        texts->addWidget(text(tr("8 rows × 6 columns, invented figures"), 12, QFont::Normal, p.muted));
        auto* open = new ThemedButton(tr("Open Sample Table"), ThemedButton::Style::secondary);
        open->setObjectName(QStringLiteral("openSample"));
        connect(open, &QPushButton::clicked, this, [this] {
            // Finish first: the sample window is where the first real capture happens.
            Actions actions = actions_;
            if (actions.onDone)
                actions.onDone();
            if (actions.openSampleTable)
                actions.openSampleTable();
        });
        auto* h = new QHBoxLayout;
        h->setSpacing(12);
        h->setContentsMargins(12, 12, 12, 12);
        h->addWidget(tile);
        h->addLayout(texts, 1);
        h->addWidget(open);
        v->addWidget(card(p, h));
        v->addWidget(note(tr("Help is in the tray menu any time.")));
        break;
    }
    }
    v->addStretch(1);
    return wrap(v);
}

}  // namespace Kestrow
