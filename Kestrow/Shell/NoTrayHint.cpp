#include "Kestrow/Shell/NoTrayHint.hpp"

#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/Keycaps.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace Kestrow {

namespace {
constexpr int radius = 12;
}

NoTrayHint::NoTrayHint(const QStringList& captureKeycaps, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("noTrayHint"));
    setWindowTitle(tr("Vantrel is running"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(8);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    auto* icon = new QLabel(this);
    icon->setPixmap(AppResources::appIcon(AppIconChoice::dark).pixmap(22, 22));
    titleRow->addWidget(icon);
    auto* title = new QLabel(tr("Vantrel is running"), this);
    title->setFont(Typography::ui(14, QFont::DemiBold));
    title->setObjectName(QStringLiteral("ink"));
    titleRow->addWidget(title, 1);
    column->addLayout(titleRow);

    auto* body = new QLabel(tr("Its icon can't be shown because this desktop has no system tray. Start Vantrel "
                               "again to open its menu."),
                            this);
    body->setWordWrap(true);
    body->setFont(Typography::ui(12, QFont::Normal));
    body->setObjectName(QStringLiteral("muted"));
    column->addWidget(body);

    auto* keysRow = new QHBoxLayout;
    keysRow->setSpacing(6);
    auto* with = new QLabel(tr("Capture a table with"), this);
    with->setFont(Typography::ui(12, QFont::Normal));
    with->setObjectName(QStringLiteral("muted"));
    keysRow->addWidget(with);
    keysRow->addWidget(new Keycaps(captureKeycaps, this));
    keysRow->addStretch(1);
    column->addLayout(keysRow);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->setContentsMargins(0, 2, 0, 0);
    auto* openMenu = new ThemedButton(tr("Open Menu"), ThemedButton::Style::primary, this);
    auto* dontRemind = new ThemedButton(tr("Don't Remind Me"), ThemedButton::Style::secondary, this);
    connect(openMenu, &QAbstractButton::clicked, this, [this] {
        emit openMenuRequested();
        close();
    });
    connect(dontRemind, &QAbstractButton::clicked, this, [this] {
        emit dontRemindRequested();
        close();
    });
    buttons->addWidget(openMenu);
    buttons->addWidget(dontRemind);
    buttons->addStretch(1);
    column->addLayout(buttons);

    applyTheme();
    connect(&Theme::shared(), &Theme::changed, this, &NoTrayHint::applyTheme);
    setFixedWidth(340);
    adjustSize();
    QTimer::singleShot(lifetimeMs, this, &QWidget::close);
}

void NoTrayHint::applyTheme()
{
    const Palette& p = Theme::shared().palette();
    for (QLabel* label : findChildren<QLabel*>()) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, label->objectName() == QStringLiteral("ink") ? p.ink : p.muted);
        label->setPalette(colours);
    }
    update();
}

void NoTrayHint::showOn(QScreen* screen)
{
    if (screen) {
        const QRect frame = screen->geometry();
        const int topInset = std::max(screen->availableGeometry().top() - frame.top(), 24);
        move(frame.center().x() - width() / 2, frame.top() + topInset + 8);
    }
    show();
}

void NoTrayHint::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // No compositor can be assumed: the rounded card is cut out of the window itself.
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), radius, radius);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void NoTrayHint::paintEvent(QPaintEvent*)
{
    const Palette& p = Theme::shared().palette();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(p.hairline, 1));
    painter.setBrush(p.window);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

}  // namespace Kestrow
