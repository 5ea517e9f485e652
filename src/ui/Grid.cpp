#include "ui/Grid.h"

#include <QStringList>

namespace vel {

void Grid::setSize(int rows, int cols) {
    rows_ = std::max(rows, 0);
    cols_ = std::max(cols, 0);
    cells_.resize(size_t(rows_));
    for (auto& cells : cells_) {
        cells.resize(size_t(cols_));
    }
    ensureColumnSettings();
    row_ = std::min(row_, std::max(rows_ - 1, 0));
    col_ = std::min(col_, std::max(cols_ - 1, 0));
    notifyChanged();
}

Grid& Grid::fixed(int rows, int cols) {
    fixedRows_ = rows;
    fixedCols_ = cols;
    notifyChanged();
    return *this;
}

const QString& Grid::textMatrix(int row, int col) const {
    return cells_.at(size_t(row)).at(size_t(col));
}

void Grid::setTextMatrix(int row, int col, const QString& text) {
    QString& cell = cells_.at(size_t(row)).at(size_t(col));
    if (cell != text) {
        cell = text;
        notifyChanged();
    }
}

Grid& Grid::headings(const QStringList& texts) {
    if (rows_ < 1 || cols_ < texts.size()) {
        setSize(std::max(rows_, 1), std::max(cols_, int(texts.size())));
    }
    for (int col = 0; col < texts.size(); ++col) {
        setTextMatrix(0, col, texts[col]);
    }
    return *this;
}

void Grid::ensureColumnSettings() {
    widths_.resize(size_t(cols_), 10);
    aligns_.resize(size_t(cols_), Align::Left);
    editable_.resize(size_t(cols_), false);
}

Grid& Grid::columnWidth(int col, int characters) {
    if (col >= cols_) {
        setSize(rows_, col + 1);
    }
    widths_[size_t(col)] = characters;
    notifyChanged();
    return *this;
}

int Grid::columnWidth(int col) const {
    return widths_.at(size_t(col));
}

Grid& Grid::columnAlign(int col, Align align) {
    if (col >= cols_) {
        setSize(rows_, col + 1);
    }
    aligns_[size_t(col)] = align;
    notifyChanged();
    return *this;
}

Grid::Align Grid::columnAlign(int col) const {
    return aligns_.at(size_t(col));
}

Grid& Grid::editableColumn(int col, bool editable) {
    if (col >= cols_) {
        setSize(rows_, col + 1);
    }
    editable_[size_t(col)] = editable;
    return *this;
}

bool Grid::isEditable(int row, int col) const {
    return inside(row, col) && row >= fixedRows_ && col >= fixedCols_ && editable_[size_t(col)];
}

void Grid::setCurrent(int row, int col) {
    if (!inside(row, col) || (row == row_ && col == col_)) {
        return;
    }
    row_ = row;
    col_ = col;
    notifyChanged();
}

bool Grid::userClickCell(int row, int col) {
    if (!reachable() || !inside(row, col)) {
        return false;
    }
    setCurrent(row, col);
    raiseClick();
    return true;
}

bool Grid::userEditCell(int row, int col, const QString& text) {
    if (!editable() || !isEditable(row, col)) {
        return false;
    }
    setCurrent(row, col);
    QString entry = text;
    if (cellEdit_ && !cellEdit_(row, col, entry)) {
        notifyChanged();  // the renderer shows the old text again
        return false;
    }
    setTextMatrix(row, col, entry);
    raiseChange();
    return true;
}

QString Grid::valueText() const {
    return inside(row_, col_) ? textMatrix(row_, col_) : QString();
}

}  // namespace vel
