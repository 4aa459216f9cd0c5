#include "Kestrow/Help/SampleTableView.hpp"

#include "Kestrow/Help/SamplePicture.hpp"
#include "Kestrow/Help/SampleTable.hpp"
#include "Kestrow/Shell/Palette.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

// A viewfinder: four corner brackets round a dot, in the accent colour.
QPixmap viewfinder(const QColor& colour, qreal ratio)
{
    QPixmap pixmap(QSize(22, 22) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double a = 2, b = 20, l = 6;
    p.drawPolyline(QPolygonF({{a, a + l}, {a, a}, {a + l, a}}));
    p.drawPolyline(QPolygonF({{b - l, a}, {b, a}, {b, a + l}}));
    p.drawPolyline(QPolygonF({{b, b - l}, {b, b}, {b - l, b}}));
    p.drawPolyline(QPolygonF({{a + l, b}, {a, b}, {a, b - l}}));
    p.setBrush(colour);
    p.drawEllipse(QPointF(11, 11), 1.5, 1.5);
    return pixmap;
}

QFont uiFont(double size, QFont::Weight weight)
{
    QFont f(QStringLiteral("Inter"));
    f.setPointSizeF(size);
    f.setWeight(weight);
    return f;
}

}  // namespace

SampleTableView::SampleTableView(std::function<void()> onCapture, QStringList shortcutKeys, bool dark,
                                 std::optional<QString> folder, QWidget* parent)
    : QWidget(parent), onCapture_(std::move(onCapture)), folder_(std::move(folder)), dark_(dark)
{
    setObjectName(QStringLiteral("SampleTableView"));
    setAutoFillBackground(true);

    icon_ = new QLabel(this);
    icon_->setAccessibleName(QString());

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("hint"));
    hint_->setFont(uiFont(14, QFont::DemiBold));
    note_ = new QLabel(tr("Invented figures. Capture it as often as you like."), this);
    note_->setFont(uiFont(12, QFont::Normal));

    button_ = new QPushButton(tr("Capture This Table"), this);
    button_->setObjectName(QStringLiteral("captureButton"));
    button_->setDefault(true);
    button_->setAutoDefault(true);
    button_->setFont(uiFont(13, QFont::DemiBold));
    button_->setCursor(Qt::PointingHandCursor);
    connect(button_, &QPushButton::clicked, this, [this] {
        if (onCapture_)
            onCapture_();
    });

    // Return anywhere in the window presses the button, as a dialog's default button.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, button_, &QPushButton::click);
    }

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(hint_);
    texts->addWidget(note_);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(icon_, 0, Qt::AlignVCenter);
    header->addLayout(texts, 1);
    header->addSpacing(12);
    header->addWidget(button_, 0, Qt::AlignVCenter);

    picture_ = new SamplePicture(this);
    picture_->setObjectName(QStringLiteral("samplePicture"));

    auto* column = new QVBoxLayout(this);
    column->setSpacing(16);
    column->setContentsMargins(24, 36, 24, 24);
    column->addLayout(header);
    column->addWidget(picture_, 1);

    setShortcutKeys(shortcutKeys);
    applyScheme();
}

void SampleTableView::setShortcutKeys(const QStringList& keys)
{
    hint_->setText(SampleTable::hint(keys));
}

void SampleTableView::setDark(bool dark)
{
    if (dark == dark_)
        return;
    dark_ = dark;
    applyScheme();
}

QString SampleTableView::hintText() const
{
    return hint_->text();
}

QImage SampleTableView::picture() const
{
    return picture_->image();
}

void SampleTableView::applyScheme()
{
    const Palette& p = dark_ ? Palette::dark() : Palette::light();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, p.window);
    pal.setColor(QPalette::WindowText, p.ink);
    setPalette(pal);
    icon_->setPixmap(viewfinder(p.accent, devicePixelRatioF()));
    note_->setStyleSheet(QStringLiteral("color: %1;").arg(p.muted.name()));
    button_->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2; border: none; border-radius: 8px;"
                                          " padding: 6px 12px; }"
                                          "QPushButton:pressed { background: %3; }")
                               .arg(p.primaryFill.name(), p.primaryText.name(),
                                    QColor(p.primaryFill.red(), p.primaryFill.green(), p.primaryFill.blue(), 204)
                                        .name(QColor::HexArgb)));
    // An unreadable or missing picture is left out; the hint and the button stay.
    QImage image;
    if (const auto path = SampleTable::imagePath(dark_, folder_))
        image.load(*path);
    picture_->setImage(image, p.hairline);
}

}  // namespace Kestrow
