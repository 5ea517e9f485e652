#pragma once
// XLSX output through libxlsxwriter: one worksheet named after the internal table name, a bold
// first row of column names, column widths from the definitions, numbers as numbers (shown with
// the column's decimals), dates and times as real spreadsheet dates ("yyyy/mm/dd", "hh:mm"),
// Booleans as TRUE/FALSE. Text is always written as a string cell, never as a formula, so a
// text such as "=1+1" shows as typed. Rows are streamed (constant memory).
#include "platform/transfer/ExportFormat.h"
#include "platform/transfer/TemporaryOutput.h"

#include <QMap>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace vel {

class SpreadsheetFormat : public ExportFormat {
public:
    SpreadsheetFormat() = default;
    ~SpreadsheetFormat() override;

    void begin(const ExportTarget& target, const QList<ExportColumn>& columns) override;
    void writeRow(const QList<ExportCell>& cells) override;
    void finish() override;
    void discard() noexcept override;

    // A worksheet name that spreadsheet programs accept: at most 31 characters, none of
    // "[]:*?/\", never empty.
    static QString sheetName(const QString& tableName);

private:
    lxw_format* numberFormat(int decimals);
    void writeCell(int column, const ExportCell& cell);
    void check(int error, const char* action);

    TemporaryOutput output_;
    QString path_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* dateFormat_ = nullptr;
    lxw_format* timeFormat_ = nullptr;
    lxw_format* headerFormat_ = nullptr;
    QMap<int, lxw_format*> numberFormats_;
    quint32 row_ = 0;
};

}  // namespace vel
