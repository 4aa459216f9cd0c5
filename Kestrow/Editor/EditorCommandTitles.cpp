#include "Kestrow/Editor/EditorCommandTitles.hpp"

#include <QtGlobal>

namespace Kestrow {

std::span<const char* const> editorCommandTitles()
{
    static constexpr const char* titles[] = {
        QT_TRANSLATE_NOOP("EditorCommands", "Insert Row Above"),
        QT_TRANSLATE_NOOP("EditorCommands", "Insert Row Below"),
        QT_TRANSLATE_NOOP("EditorCommands", "Delete Row"),
        QT_TRANSLATE_NOOP("EditorCommands", "Insert Column Left"),
        QT_TRANSLATE_NOOP("EditorCommands", "Insert Column Right"),
        QT_TRANSLATE_NOOP("EditorCommands", "Delete Column"),
        QT_TRANSLATE_NOOP("EditorCommands", "Merge Cells"),
        QT_TRANSLATE_NOOP("EditorCommands", "Split Cells"),
        QT_TRANSLATE_NOOP("EditorCommands", "Mark as Header Row"),
        QT_TRANSLATE_NOOP("EditorCommands", "Mark Header Row"),
        QT_TRANSLATE_NOOP("EditorCommands", "Unmark Header Row"),
        QT_TRANSLATE_NOOP("EditorCommands", "Clear Contents"),
        QT_TRANSLATE_NOOP("EditorCommands", "Edit Cell"),
        QT_TRANSLATE_NOOP("EditorCommands", "Clear"),
        QT_TRANSLATE_NOOP("EditorCommands", "Insert Row"),
        QT_TRANSLATE_NOOP("EditorCommands", "Insert Column"),
    };
    return titles;
}

}  // namespace Kestrow
