#pragma once
// The table object the printer hands out: columns with headings, widths (in average characters)
// and alignments, and cells addressed by row and column, both counted from 1. Cells never set
// print blank. The printer lays it out row by row and repeats the headings on each new page.
#include "platform/print/PrintTypes.h"

#include <QString>
#include <QStringList>
#include <map>
#include <utility>
#include <vector>

namespace vel {

class PrintTable {
  public:
    struct Column {
        QString heading;
        int width = 10;
        PrintAlignment alignment = PrintAlignment::Left;
    };

    // Declares column col (from 1); columns in between get the defaults. False for col < 1.
    bool setColumn(int col, const QString& heading, int width,
                   PrintAlignment alignment = PrintAlignment::Left);
    bool setCell(int row, int col, const QString& text);  // false for row or col < 1
    QString cell(int row, int col) const;
    void clear();

    int columnCount() const;  // the declared columns, widened to the last column with a cell
    int rowCount() const { return rowCount_; }
    const std::vector<Column>& columns() const { return columns_; }
    bool hasHeadings() const;
    // The texts of one row (headings for row 0), one per column.
    QStringList rowTexts(int row) const;
    // Every column of the layout, with defaults for undeclared ones.
    std::vector<Column> layoutColumns() const;

    // One row as a text line: cells padded to their column widths, two blanks between columns,
    // trailing blanks removed.
    static QString textLine(const QStringList& cells, const std::vector<Column>& columns);

  private:
    std::vector<Column> columns_;
    std::map<std::pair<int, int>, QString> cells_;
    int rowCount_ = 0;
    int widestColumn_ = 0;
};

}  // namespace vel
