#pragma once
// The export writer: writes one table per file in one of the output types (CSV, TXT, XLSX,
// DBF). Create the output with the type, the file and the internal table name, declare the
// columns, then for each row set the values and add the row, and close:
//
//     ExportWriter writer;
//     writer.create("CSV", folder + "ACTIVITY.csv", "Table1", {.headerLine = true});
//     writer.addColumn({1, "CODE", ExportColumn::TextCode, 10});
//     writer.addColumn({2, "RECORD", ExportColumn::IntegerCode, 5});
//     writer.setValue(1, "PICK"); writer.setValue(2, 12); writer.addRow();
//     ExportStatus status = writer.close();
//
// The file is written under a temporary name beside the target and renamed into place by
// close(); any failure removes it and leaves an existing file of that name untouched. Every
// operation returns an ExportStatus whose message names the file and the problem; after a
// failure the output is discarded and later calls answer NotOpen.
#include "platform/transfer/ExportColumn.h"
#include "platform/transfer/ExportFormat.h"
#include "platform/transfer/ExportOutputType.h"
#include "platform/transfer/ExportStatus.h"

#include <QList>
#include <QVariant>

#include <memory>

namespace vel {

class ExportWriter {
  public:
    ExportWriter();
    ~ExportWriter();  // an output that was not closed is discarded
    ExportWriter(const ExportWriter&) = delete;
    ExportWriter& operator=(const ExportWriter&) = delete;

    static const QList<ExportOutputType>& outputTypes() { return ExportOutputType::all(); }

    // Starts an output; `outputType` is a type's name or extension, in any case.
    ExportStatus create(const QString& outputType, const QString& path, const QString& tableName,
                        const ExportOptions& options = {});
    // Declares a column; columns come before the first row, positions run from 1 without gaps.
    ExportStatus addColumn(const ExportColumn& column);
    ExportStatus addColumn(int position, const QString& name, int typeCode, int width,
                           int decimals = 0);
    // Sets a value of the row being built (null leaves the cell empty).
    ExportStatus setValue(int position, const QVariant& value);
    // Writes the row being built and starts an empty one.
    ExportStatus addRow();
    // Sets the values in column order (missing ones empty) and writes the row.
    ExportStatus addRow(const QVariantList& values);
    // Writes a row of cells made for the columns (ExportCell::fromNumber and the like), one per
    // column in column order.
    ExportStatus addCells(const QList<ExportCell>& cells);
    // Finishes the output and moves it into place.
    ExportStatus close();
    // Drops the output; the target is left as it was.
    void discard();

    bool isOpen() const { return format_ != nullptr; }
    const QString& path() const { return target_.path; }
    qint64 rowCount() const { return rowCount_; }
    const QList<ExportColumn>& columns() const { return columns_; }

  private:
    ExportStatus failure(ExportErrorCode code, const QString& problem);
    template <typename Work>
    ExportStatus run(Work&& work);
    void requireOpen() const;
    void beginOutput();

    std::unique_ptr<ExportFormat> format_;
    ExportTarget target_;
    QList<ExportColumn> columns_;
    QVariantList values_;
    QList<ExportCell> cells_;  // the row being written, kept to spare an allocation per row
    bool begun_ = false;
    qint64 rowCount_ = 0;
};

}  // namespace vel
