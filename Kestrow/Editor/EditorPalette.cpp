#include "Kestrow/Editor/EditorPalette.hpp"

namespace Kestrow {

const EditorPalette& EditorPalette::light()
{
    static const EditorPalette p{
        false,
        QColor(255, 255, 255),
        QColor(244, 244, 245),
        QColor(230, 230, 232),
        QColor(17, 17, 19),
        QColor(107, 107, 112),
        QColor(47, 107, 255),
        QColor(255, 233, 168),
        QColor(138, 90, 0),
        QColor(240, 112, 32),
    };
    return p;
}

const EditorPalette& EditorPalette::dark()
{
    static const EditorPalette p{
        true,
        QColor(16, 17, 17),
        QColor(24, 25, 27),
        QColor(36, 39, 40),
        QColor(244, 244, 246),
        QColor(156, 156, 157),
        QColor(79, 140, 255),
        QColor(255, 197, 51, qRound(0.18 * 255)),
        QColor(255, 197, 51),
        QColor(255, 138, 61),
    };
    return p;
}

}  // namespace Kestrow
