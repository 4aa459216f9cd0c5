#include "Kestrow/Result/SourcePane.hpp"

#include "Kestrow/Editor/SourceImageView.hpp"
#include "Kestrow/Shell/Palette.hpp"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

QPushButton* zoomButton(const QString& text, const QString& label, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(label);
    button->setAccessibleName(label);
    button->setFixedSize(28, 24);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

}  // namespace

SourcePane::SourcePane(QImage image, double scale, bool dark, QWidget* parent) : QWidget(parent), dark_(dark)
{
    setObjectName(QStringLiteral("sourcePane"));
    const Palette& p = dark ? Palette::dark() : Palette::light();
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, p.bar);
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new SourceImageView(SourceImage{std::move(image), scale}, &zoom_, this);
    view_->setInputs(std::nullopt, dark ? Palette::dark() : Palette::light());
    layout->addWidget(view_);

    buttons_ = new QWidget(this);
    buttons_->setObjectName(QStringLiteral("zoomButtons"));
    buttons_->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3;"
                                           " border-radius: 6px; }")
                                .arg(p.card.name(), p.ink.name(), p.hairline.name()));
    auto* row = new QHBoxLayout(buttons_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto* out = zoomButton(QStringLiteral("−"), tr("Zoom out"), "zoomOut", buttons_);
    auto* fitButton = zoomButton(QStringLiteral("⤢"), tr("Fit image"), "fitImage", buttons_);
    auto* in = zoomButton(QStringLiteral("+"), tr("Zoom in"), "zoomIn", buttons_);
    row->addWidget(out);
    row->addWidget(fitButton);
    row->addWidget(in);
    connect(out, &QPushButton::clicked, this, [this] { zoomBy(0.8); });
    connect(fitButton, &QPushButton::clicked, this, [this] { fit(); });
    connect(in, &QPushButton::clicked, this, [this] { zoomBy(1.25); });
    buttons_->adjustSize();
}

void SourcePane::setHighlight(const std::optional<VozudOzev::BBox>& box)
{
    view_->setInputs(box, dark_ ? Palette::dark() : Palette::light());
}

std::optional<VozudOzev::BBox> SourcePane::highlight() const
{
    return view_->highlight();
}

double SourcePane::magnification() const
{
    return view_->magnification();
}

bool SourcePane::hasImage() const
{
    return view_->showsImage();
}

void SourcePane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Over the view's top-right corner, clear of its vertical scroll bar.
    buttons_->move(width() - buttons_->width() - 8 - 14, 8);
    buttons_->raise();
}

}  // namespace Kestrow
