#include "Kestrow/Result/WindowPalette.hpp"

namespace Kestrow {

const WindowPalette& WindowPalette::light()
{
    static const WindowPalette p{QColor(255, 255, 255), QColor(250, 250, 250), QColor(244, 244, 245),
                                 QColor(230, 230, 232), QColor(17, 17, 19),    QColor(107, 107, 112),
                                 QColor(17, 17, 19),    QColor(255, 255, 255), QColor(47, 107, 255),
                                 QColor(255, 233, 168), QColor(138, 90, 0),    QColor(240, 112, 32),
                                 QColor(31, 157, 92),   false};
    return p;
}

const WindowPalette& WindowPalette::darkPalette()
{
    static const WindowPalette p{QColor(16, 17, 17),       QColor(13, 13, 13),    QColor(24, 25, 27),
                                 QColor(36, 39, 40),       QColor(244, 244, 246), QColor(156, 156, 157),
                                 QColor(255, 255, 255),    QColor(0, 0, 0),       QColor(79, 140, 255),
                                 QColor(255, 197, 51, 46), QColor(255, 197, 51),  QColor(255, 138, 61),
                                 QColor(89, 212, 153),     true};
    return p;
}

}  // namespace Kestrow
