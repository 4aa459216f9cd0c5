#pragma once

#include <QPointer>
#include <QTableView>
#include <QTimer>

namespace Kestrow {

class GridContainer;

// The grid's table view: it draws through the grid's delegate and hands keys, clicks, drags,
// hovering and right-clicks to its grid; the view's own row selection is never used.
class GridTableView : public QTableView {
    Q_OBJECT

public:
    explicit GridTableView(GridContainer* controller, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    void dragTo(QPoint pos);
    void autoScrollStep();

    QPointer<GridContainer> controller_;
    QTimer autoScroll_;
    QPoint lastDragPos_;
};

}  // namespace Kestrow
