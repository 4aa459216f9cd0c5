#include "Kestrow/Editor/GridStyle.hpp"

#include <QFontDatabase>

namespace Kestrow {

namespace {

QFont interOrSystem(double size, QFont::Weight weight)
{
    QFont f = QFontDatabase::families().contains(QStringLiteral("Inter")) ? QFont(QStringLiteral("Inter"))
                                                                           : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    // Sizes are layout points; Qt's points are 1/72 inch at 96 dpi, so convert once here.
    f.setPointSizeF(size * 72.0 / 96.0);
    f.setWeight(weight);
    return f;
}

}  // namespace

GridStyle::GridStyle(const EditorPalette& p)
    : window(p.window),
      header(p.card),
      hairline(p.hairline),
      ink(p.ink),
      muted(p.muted),
      flagFill(p.flagFill),
      flagText(p.flagText),
      mismatch(p.mismatch),
      selFill([&] {
          QColor c = p.accent;
          c.setAlphaF(0.16f);
          return c;
      }()),
      selStroke(p.accent),
      card(p.card),
      font(gridFont(12.5, QFont::Normal)),
      headerFont(gridFont(12.5, QFont::DemiBold)),
      gutterFont(uiFont(11, QFont::Medium)),
      key(p.window.name(QColor::HexArgb))
{
}

QFont GridStyle::gridFont(double size, QFont::Weight weight)
{
    // The grid shows Inter regular or bold only; Qt 6.4 cannot ask for tabular digits.
    return interOrSystem(size, weight >= QFont::DemiBold ? QFont::Bold : QFont::Normal);
}

QFont GridStyle::uiFont(double size, QFont::Weight weight)
{
    return interOrSystem(size, weight);
}

}  // namespace Kestrow
