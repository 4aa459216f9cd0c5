#include "Kestrow/Capture/OwnResultLayers.hpp"

#include "Kestrow/Editor/GridContainer.hpp"
#include "Kestrow/Editor/GridTableView.hpp"

#include <QGuiApplication>
#include <QScreen>

#include <map>

namespace Kestrow::OwnResultLayers {

using KestrowEditor::OwnResultGuard::Layer;
using KestrowEditor::OwnResultGuard::Rect;

std::vector<Rect> gridRects(QWidget* window)
{
    std::vector<Rect> rects;
    if (!window || !window->isVisible() || window->isMinimized())
        return rects;
    for (GridContainer* grid : window->findChildren<GridContainer*>()) {
        QWidget* view = grid->tableView();
        if (!view || !view->isVisible())
            continue;
        // The part not clipped away by the widgets it sits in (a scrolled or squeezed pane).
        QRect visible(view->mapTo(window, QPoint(0, 0)), view->size());
        for (QWidget* w = view->parentWidget(); w && w != window; w = w->parentWidget())
            visible &= QRect(w->mapTo(window, QPoint(0, 0)), w->size());
        visible &= window->rect();
        if (visible.isEmpty())
            continue;
        const QPoint topLeft = window->mapToGlobal(visible.topLeft());
        rects.push_back({double(topLeft.x()), double(topLeft.y()), double(visible.width()), double(visible.height())});
    }
    return rects;
}

std::vector<Layer> current(const QList<QWidget*>& ours, WindowStacking& stacking)
{
    std::map<std::uint64_t, std::vector<Rect>> grids;
    std::vector<std::uint64_t> ids;
    for (QWidget* window : ours) {
        std::vector<Rect> rects = gridRects(window);
        if (rects.empty())
            continue;
        const std::uint64_t id = window->winId();
        ids.push_back(id);
        grids[id] = std::move(rects);
    }
    if (grids.empty())
        return {};
    // The stacking is in device pixels; the grids and the selection are in points.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double ratio = screen && screen->devicePixelRatio() > 0 ? screen->devicePixelRatio() : 1.0;
    std::vector<Layer> layers;
    for (const WindowStacking::Window& w : stacking.frontToBack(ids)) {
        Layer layer;
        layer.frame = {w.frame.x() / ratio, w.frame.y() / ratio, w.frame.width() / ratio, w.frame.height() / ratio};
        if (const auto found = grids.find(w.id); found != grids.end())
            layer.grids = found->second;
        layers.push_back(std::move(layer));
    }
    return layers;
}

}  // namespace Kestrow::OwnResultLayers
