#pragma once

#include "Kestrow/Shell/AppIconChoice.hpp"

#include <QColor>
#include <QIcon>
#include <QString>

#include <optional>

// The application's resource folders and the few resources the shell loads itself.
// Lookup order: $VANTREL_RESOURCES, then <executable>/../share/vantrel, then (only for programs
// run from the build tree) the source checkout they were built from.
namespace Kestrow::AppResources {
// The folder `name` under the resource root, if it exists.
std::optional<QString> dir(const QString& name);
// The root folders tried, in order, each only when it exists.
std::optional<QString> installedRoot();
std::optional<QString> checkoutRoot();
// Registers every "*.ttf" and "*.otf" file of Fonts/ (exact lower-case suffix) for this
// process; returns how many registered.
int registerFonts();
// The tray glyph for a choice (never null: a compiled-in glyph when the files are missing).
QIcon trayGlyph(AppIconChoice choice, bool darkPanel);
// The application icon, or a null icon.
QIcon appIcon(AppIconChoice choice);
// A small menu or pill symbol by name ("capture", "quick", "clipboard", "image", "check",
// "hand", ...): our own SVG drawings, compiled in.
QIcon symbol(const QString& name);
// The same drawn in one colour (menu symbols are black line drawings, tinted to the text).
QIcon symbol(const QString& name, const QColor& tint);
}  // namespace Kestrow::AppResources
