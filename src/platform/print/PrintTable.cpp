#include "platform/print/PrintTable.h"

#include <algorithm>

namespace vel {

bool PrintTable::setColumn(int col, const QString& heading, int width, PrintAlignment alignment) {
    if (col < 1) {
        return false;
    }
    if (int(columns_.size()) < col) {
        columns_.resize(size_t(col));
    }
    columns_[size_t(col - 1)] = {heading, std::max(1, width), alignment};
    return true;
}

bool PrintTable::setCell(int row, int col, const QString& text) {
    if (row < 1 || col < 1) {
        return false;
    }
    cells_[{row, col}] = text;
    rowCount_ = std::max(rowCount_, row);
    widestColumn_ = std::max(widestColumn_, col);
    return true;
}

QString PrintTable::cell(int row, int col) const {
    const auto found = cells_.find({row, col});
    return found == cells_.end() ? QString() : found->second;
}

void PrintTable::clear() {
    columns_.clear();
    cells_.clear();
    rowCount_ = 0;
    widestColumn_ = 0;
}

int PrintTable::columnCount() const {
    return std::max(int(columns_.size()), widestColumn_);
}

bool PrintTable::hasHeadings() const {
    return std::ranges::any_of(columns_, [](const Column& c) { return !c.heading.isEmpty(); });
}

QStringList PrintTable::rowTexts(int row) const {
    QStringList texts;
    for (int col = 1; col <= columnCount(); ++col) {
        if (row == 0) {
            texts << (col <= int(columns_.size()) ? columns_[size_t(col - 1)].heading : QString());
        } else {
            texts << cell(row, col);
        }
    }
    return texts;
}

std::vector<PrintTable::Column> PrintTable::layoutColumns() const {
    std::vector<Column> layout = columns_;
    layout.resize(size_t(columnCount()));
    return layout;
}

QString PrintTable::textLine(const QStringList& cells, const std::vector<Column>& columns) {
    QStringList padded;
    for (qsizetype col = 0; col < cells.size(); ++col) {
        const Column column = size_t(col) < columns.size() ? columns[size_t(col)] : Column{};
        const QString text = cells[col];
        padded << (column.alignment == PrintAlignment::Right ? text.rightJustified(column.width)
                                                             : text.leftJustified(column.width));
    }
    QString line = padded.join(QStringLiteral("  "));
    while (line.endsWith(u' ')) {
        line.chop(1);
    }
    return line;
}

}  // namespace vel
