#pragma once
// Grid: rows and columns of text cells, the first rows and columns fixed as headings. Columns a
// form marks editable take a person's entry through the cell-edit handler, which may change the
// text or refuse it (the old text stays). Raises Click when a person picks a cell and Change
// after an accepted edit.
#include "ui/Control.h"

#include <functional>
#include <vector>

namespace vel {

class Grid : public ControlOf<Grid> {
public:
    Grid(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::Grid, name, index, caption) {}

    enum class Align { Left, Center, Right };

    void setSize(int rows, int cols);
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    Grid& fixed(int rows, int cols);
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }

    const QString& textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // Sets the fixed heading row: one text per column.
    Grid& headings(const QStringList& texts);

    Grid& columnWidth(int col, int characters);  // in average characters
    int columnWidth(int col) const;
    Grid& columnAlign(int col, Align align);
    Align columnAlign(int col) const;
    Grid& editableColumn(int col, bool editable = true);
    bool isEditable(int row, int col) const;

    // Given the cell and the typed text (changeable); false refuses the edit.
    using CellEdit = std::function<bool(int row, int col, QString& text)>;
    Grid& cellEdit(CellEdit handler) { cellEdit_ = std::move(handler); return *this; }

    int row() const { return row_; }
    int col() const { return col_; }
    void setCurrent(int row, int col);

    bool userClickCell(int row, int col);
    bool userEditCell(int row, int col, const QString& text);

    QString valueText() const override;  // the current cell's text
    bool userSetValue(const QString& value) override { return userEditCell(row_, col_, value); }

private:
    bool inside(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }
    void ensureColumnSettings();

    int rows_ = 0;
    int cols_ = 0;
    int fixedRows_ = 1;
    int fixedCols_ = 0;
    int row_ = 0;
    int col_ = 0;
    std::vector<std::vector<QString>> cells_;
    std::vector<int> widths_;
    std::vector<Align> aligns_;
    std::vector<bool> editable_;
    CellEdit cellEdit_;
};

}  // namespace vel
