#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Where the sample table's pictures are and how the window tells the user to capture them.
namespace Kestrow::SampleTable {

// The folder "Samples" holding the rendered pictures: beside the program's build or
// install tree (../share/vantrel/Samples), else in the source checkout; nothing when neither exists.
std::optional<QString> folder();
// The light or dark picture's path in that folder; the file itself may be missing.
std::optional<QString> imagePath(bool dark);
std::optional<QString> imagePath(bool dark, const std::optional<QString>& folder);
// "Press Super+Shift+T and drag over this table." for the capture shortcut's key names,
// or the button's road when there is no shortcut.
QString hint(const QStringList& shortcutKeys);

}  // namespace Kestrow::SampleTable
