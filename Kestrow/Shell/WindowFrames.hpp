#pragma once

#include "Kestrow/Shell/WindowSpec.hpp"

#include <QRect>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace Kestrow {

class Defaults;

// The frames windows keep between runs, stored as "x y width height" in whole points
// under "frames/<name>".
namespace WindowFrames {

QString key(const char* autosaveName);
QString format(const QRect& frame);
// Four whole numbers, width and height positive; anything else is no frame.
std::optional<QRect> parse(const QString& text);

// A saved frame is used only when it is at least the minimum size and lies wholly inside
// the available area of one screen; otherwise the window opens at its default size.
bool usable(const QRect& saved, const QSize& minimum, const std::vector<QRect>& availableAreas);

// Moves the window, frame included, to the centre of its screen's available area.
void centre(QWidget* window);

// Centres the window at its current size, then gives it the frame saved under the kind's
// name when that frame is usable on the screens now present, and saves its frame from
// then on whenever it moves or resizes. A kind without a name is only centred.
void keep(QWidget* window, const WindowSpec& spec, Defaults& defaults);

}  // namespace WindowFrames

}  // namespace Kestrow
