#pragma once
// GridBinding: a grid as a QTableWidget. The first fixed row becomes the column headings;
// further fixed rows and the fixed columns show as read-only cells coloured like headings. Column
// widths (in average characters) and alignment follow the grid; cells of editable columns take a
// person's entry through userEditCell, and a refused entry shows the old text again. Moving to a
// cell goes through userClickCell.
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
    void refreshCells();
    void refreshSizes();

    Grid& grid_;
    QTableWidget* table_;
};

}  // namespace vel
