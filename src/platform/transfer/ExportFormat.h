#pragma once
// How one output type lays out a file. The export writer hands it the columns once, then the
// rows in order; the format writes to a temporary file beside the target and moves it into
// place in finish(), or removes it in discard(). Failures are thrown as ExportError.
#include "platform/transfer/ExportCell.h"
#include "platform/transfer/ExportColumn.h"

#include <QList>
#include <QString>

namespace vel {

struct ExportOptions {
    bool headerLine = false;     // text types: a first line of column names
    bool byteOrderMark = false;  // text types: start the UTF-8 file with a byte-order mark
};

struct ExportTarget {
    QString path;       // the file to create or replace
    QString tableName;  // the internal table name ("ValTable", "Table1")
    ExportOptions options;
    // The columns hold personal data (a column named "SSN"): the file is made without any
    // access for others than its owner and group, whatever the umask allows.
    bool personal = false;
};

class ExportFormat {
public:
    virtual ~ExportFormat() = default;
    // Creates the temporary output and writes what precedes the rows.
    virtual void begin(const ExportTarget& target, const QList<ExportColumn>& columns) = 0;
    // Writes one row; cells are in column order, one per column.
    virtual void writeRow(const QList<ExportCell>& cells) = 0;
    // Completes the output and replaces the target with it.
    virtual void finish() = 0;
    // Drops the temporary output; the target is left as it was. Never throws.
    virtual void discard() noexcept = 0;
};

}  // namespace vel
