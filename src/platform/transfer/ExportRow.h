#pragma once
// One row of cells for an export writer's columns, filled left to right with typed values and
// handed to ExportWriter::addCells; the same row is filled again for the next one, so its cells
// keep their storage. Each value becomes the cell ExportCell::fromValue makes of the same value
// in a QVariant, without the variant and without reading texts back:
//
//     ExportRow row(writer.columns());
//     row.text(code).number(record).flag(active).date(hired);
//     writer.addCells(row.finished());
#include "platform/transfer/ExportCell.h"

#include <QList>

namespace vel {

class ExportRow {
  public:
    explicit ExportRow(const QList<ExportColumn>& columns);

    ExportRow& text(const QString& value);
    ExportRow& number(double value);
    // A yes/no value: -1 and 0 in number columns, as the writer stores Booleans there.
    ExportRow& flag(bool value);
    ExportRow& date(const QDate& value);
    // The hours and minutes of a time of day; an invalid time is an empty cell.
    ExportRow& time(const QTime& value);

    // The cells of the row, every column filled; the next value starts the next row. Throws
    // ExportError when the row has fewer or more values than columns.
    const QList<ExportCell>& finished();

  private:
    template <class Make>
    ExportRow& put(Make&& make);

    const QList<ExportColumn>& columns_;
    QList<ExportCell> cells_;
    qsizetype filled_ = 0;
    bool overfilled_ = false;
};

}  // namespace vel
