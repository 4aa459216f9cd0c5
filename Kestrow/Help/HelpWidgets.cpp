#include "Kestrow/Help/HelpWidgets.hpp"

#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QFrame>
#include <QLabel>
#include <QLayout>

namespace Kestrow::HelpWidgets {

namespace {

QLabel* label(double size, QFont::Weight weight, const QColor& colour)
{
    auto* l = new QLabel;
    l->setWordWrap(true);
    l->setFont(Typography::ui(size, weight));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    return l;
}

}  // namespace

QLabel* text(const QString& text, double size, QFont::Weight weight, const QColor& colour)
{
    QLabel* l = label(size, weight, colour);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    return l;
}

QLabel* richText(const QString& html, double size, QFont::Weight weight, const QColor& colour, const QColor& linkColour)
{
    QLabel* l = label(size, weight, colour);
    l->setTextFormat(Qt::RichText);
    l->setOpenExternalLinks(false);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Link, linkColour);
    l->setPalette(pal);
    l->setText(html);
    return l;
}

QString link(const QString& href, const QString& text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), text.toHtmlEscaped());
}

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

QFrame* card(const Palette& p, QLayout* content)
{
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("card"));
    frame->setStyleSheet(QStringLiteral("QFrame#card { background: %1; border: 1px solid %2; border-radius: 10px; }")
                             .arg(p.card.name(QColor::HexArgb), p.hairline.name(QColor::HexArgb)));
    frame->setLayout(content);
    return frame;
}

QLabel* symbol(const QString& name, const QColor& tint, int size)
{
    auto* l = new QLabel;
    l->setFixedSize(size, size);
    l->setAlignment(Qt::AlignCenter);
    l->setPixmap(AppResources::symbol(name, tint).pixmap(QSize(size, size)));
    return l;
}

QWidget* hairline(const Palette& p)
{
    auto* line = new QWidget;
    line->setFixedHeight(1);
    setBackground(line, p.hairline);
    return line;
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

}  // namespace Kestrow::HelpWidgets
