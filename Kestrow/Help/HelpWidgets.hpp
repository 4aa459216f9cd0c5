#pragma once

#include "Kestrow/Shell/Palette.hpp"

#include <QFont>
#include <QString>

class QFrame;
class QLabel;
class QLayout;
class QWidget;

// The small pieces the welcome, help and about windows are built from, drawn with a palette.
namespace Kestrow::HelpWidgets {

// Wrapping plain text in the interface font.
QLabel* text(const QString& text, double size, QFont::Weight weight, const QColor& colour);
// Wrapping text that may hold links (made with `link`); links are not followed by the label.
QLabel* richText(const QString& html, double size, QFont::Weight weight, const QColor& colour, const QColor& linkColour);
// An escaped link for richText.
QString link(const QString& href, const QString& text);
// Plain text escaped for richText.
QString escaped(const QString& text);
// A rounded card (radius 10, card fill, hairline border) holding the layout.
QFrame* card(const Palette& p, QLayout* content);
// One of the application's symbols in a colour, `size` points square.
QLabel* symbol(const QString& name, const QColor& tint, int size);
// The 1-point divider.
QWidget* hairline(const Palette& p);
// Fills the widget's background with the colour.
void setBackground(QWidget* widget, const QColor& colour);

}  // namespace Kestrow::HelpWidgets
