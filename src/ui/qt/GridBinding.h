#pragma once
// GridBinding: a grid as a QTableWidget. The first fixed row becomes the column headings and
// the first fixed column the row headings; further fixed rows and columns show as read-only
// heading cells. Column widths (in average characters) and alignment follow the grid; cells of
// editable columns take a person's entry through userEditCell, and a refused entry shows the
// old text again. Moving to a cell goes through userClickCell.
#include "ui/qt/ControlBinding.h"

class QTableWidget;

namespace vel {

class Grid;

class GridBinding : public ControlBinding {
    Q_OBJECT
public:
    GridBinding(Grid& grid, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::WideField; }

protected:
    void refreshValue() override;

private:
    int headingRows() const;
    int headingCols() const;
    void refreshCells();
    void refreshSizes();

    Grid& grid_;
    QTableWidget* table_;
};

}  // namespace vel
