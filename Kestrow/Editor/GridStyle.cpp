#include "Kestrow/Editor/GridStyle.hpp"

#include "Kestrow/Shell/Typography.hpp"

namespace Kestrow {

GridStyle::GridStyle(const Palette& p)
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
      font(Typography::grid(12.5, QFont::Normal)),
      headerFont(Typography::grid(12.5, QFont::DemiBold)),
      gutterFont(Typography::ui(11, QFont::Medium)),
      fontMetrics(font),
      headerMetrics(headerFont),
      gutterMetrics(gutterFont),
      key(p.window.name(QColor::HexArgb))
{
}

}  // namespace Kestrow
