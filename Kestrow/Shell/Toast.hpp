#pragma once

#include "Kestrow/Shell/ToastKind.hpp"

#include <QPointer>
#include <QString>

#include <optional>

namespace Kestrow {

class HUDPill;

// One short message in a pill at the top centre of the screen under the pointer; a new toast
// replaces the old one at once.
namespace Toast {
// `seconds` nothing: the text's length in user-perceived characters / 18, at least 2 s.
void show(const QString& text, ToastKind kind, std::optional<double> seconds = std::nullopt);
double displaySeconds(const QString& text);
// The toast now on screen, if any.
HUDPill* current();
// Takes the toast away now (before a screen capture).
void dismiss();
}  // namespace Toast

}  // namespace Kestrow
