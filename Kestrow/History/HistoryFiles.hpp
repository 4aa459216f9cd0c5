#pragma once

#include <string>
#include <string_view>
#include <vector>

// File work of the history folder, run on its queue. Errors come back as text; nothing here
// logs or throws.
namespace Kestrow::HistoryFiles {

// Creates the folder (and its parents) readable by its owner alone; an existing folder
// is narrowed to that mode too, as it holds screen captures.
bool makePrivateFolder(const std::string& folder, std::string& error);

// Writes to a hidden temporary file beside the target, then renames it over the target:
// a reader or a crash sees the old file or the new one, never a part of one. On failure
// the old file is untouched.
bool writeAtomically(const std::string& folder, std::string_view name, std::string_view bytes, std::string& error);

// The names of the plain files in the folder, sorted; empty when it cannot be listed.
std::vector<std::string> list(const std::string& folder);

// Removes a file; a missing one is not an error.
void remove(const std::string& folder, std::string_view name);

// A temporary file left by a write that never finished (the process was killed).
bool isLeftoverTemporary(std::string_view name);

}  // namespace Kestrow::HistoryFiles
