#pragma once

#include "Kestrow/Platform/WindowStacking.hpp"
#include "KestrowEditor/OwnResultGuard.hpp"

#include <QList>
#include <QWidget>

#include <vector>

// Our result grids as the own-result guard sees them, with every other window on screen.
namespace Kestrow::OwnResultLayers {

// The visible parts of the grids shown in a window, in global screen points; hidden grids
// and grids of a hidden or minimised window give nothing.
std::vector<KestrowEditor::OwnResultGuard::Rect> gridRects(QWidget* window);

// Every normal window on screen, front to back, with our grids in ours. When none of our
// windows shows a grid the list is empty and the stacking is not read at all.
std::vector<KestrowEditor::OwnResultGuard::Layer> current(const QList<QWidget*>& ours, WindowStacking& stacking);

}  // namespace Kestrow::OwnResultLayers
