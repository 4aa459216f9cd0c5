#pragma once

#include <QHeaderView>

namespace Kestrow {

class GridContainer;

// The strip of column letters above the grid, drawn in the grid's colours.
class GridHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit GridHeaderView(GridContainer* grid, QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    GridContainer* grid_;
};

}  // namespace Kestrow
