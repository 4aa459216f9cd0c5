#pragma once

#include <span>

namespace Kestrow {

// The editing model names its commands and undo steps in plain English; these are those names,
// listed here so the catalogue carries them under the "EditorCommands" context.
std::span<const char* const> editorCommandTitles();

}  // namespace Kestrow
