#include "platform/transfer/SpreadsheetFormat.h"

#include "platform/transfer/ExportStatus.h"
#include "platform/transfer/XlsxLibrary.h"

#include <QFile>

namespace vel {

namespace {

constexpr quint32 rowLimit = 1048576;

// The library once begin() has loaded it.
const XlsxLibrary& xlsx() {
    return *XlsxLibrary::get();
}

}  // namespace

SpreadsheetFormat::~SpreadsheetFormat() {
    discard();
}

QString SpreadsheetFormat::sheetName(const QString& tableName) {
    QString name;
    for (const QChar character : tableName) {
        if (!QStringLiteral("[]:*?/\\").contains(character) && character.unicode() >= 0x20) {
            name.append(character);
        }
    }
    name = name.trimmed().left(31);
    while (name.startsWith(u'\'')) {
        name.remove(0, 1);
    }
    return name.isEmpty() ? QStringLiteral("Table1") : name;
}

void SpreadsheetFormat::check(int error, const char* action) {
    if (error != LXW_NO_ERROR) {
        throw ExportError(
            ExportErrorCode::WriteFailed,
            exportMessage(path_, QStringLiteral("%1: %2").arg(
                                     QLatin1String(action), QString::fromUtf8(xlsx().strerror(
                                                                static_cast<lxw_error>(error))))));
    }
}

void SpreadsheetFormat::begin(const ExportTarget& target, const QList<ExportColumn>& columns) {
    path_ = target.path;
    QString problem;
    if (!XlsxLibrary::get(&problem)) {
        throw ExportError(ExportErrorCode::CreateFailed, exportMessage(path_, problem));
    }
    // libxlsxwriter rewrites the reserved file in place, so it keeps the mode given here.
    output_.reserve(target.path, true, target.personal ? 0660 : 0666);
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    const QByteArray temporary = QFile::encodeName(output_.temporaryPath());
    workbook_ = xlsx().workbookNew(temporary.constData(), &options);
    if (!workbook_) {
        throw ExportError(ExportErrorCode::CreateFailed,
                          exportMessage(path_, QStringLiteral("cannot start the workbook")));
    }
    const QByteArray name = sheetName(target.tableName).toUtf8();
    sheet_ = xlsx().addWorksheet(workbook_, name.constData());
    if (!sheet_) {
        throw ExportError(ExportErrorCode::CreateFailed,
                          exportMessage(path_, QStringLiteral("cannot add the worksheet")));
    }
    dateFormat_ = xlsx().addFormat(workbook_);
    xlsx().setNumberFormat(dateFormat_, "yyyy/mm/dd");
    timeFormat_ = xlsx().addFormat(workbook_);
    xlsx().setNumberFormat(timeFormat_, "hh:mm");
    headerFormat_ = xlsx().addFormat(workbook_);
    xlsx().setBold(headerFormat_);

    for (int index = 0; index < columns.size(); ++index) {
        const ExportColumn& column = columns[index];
        const double width = qBound(8, column.width + 2, 60);
        check(xlsx().setColumn(sheet_, lxw_col_t(index), lxw_col_t(index), width, nullptr),
              "set column width");
        const QByteArray title = column.name.toUtf8();
        check(xlsx().writeString(sheet_, 0, lxw_col_t(index), title.constData(), headerFormat_),
              "write column name");
    }
    row_ = 1;
}

lxw_format* SpreadsheetFormat::numberFormat(int decimals) {
    auto found = numberFormats_.find(decimals);
    if (found != numberFormats_.end()) {
        return found.value();
    }
    lxw_format* format = xlsx().addFormat(workbook_);
    const QByteArray pattern = decimals > 0 ? "0." + QByteArray(decimals, '0') : QByteArray("0");
    xlsx().setNumberFormat(format, pattern.constData());
    numberFormats_.insert(decimals, format);
    return format;
}

void SpreadsheetFormat::writeCell(int column, const ExportCell& cell) {
    const lxw_col_t col = lxw_col_t(column);
    switch (cell.kind) {
        case ExportCell::Kind::Empty:
            return;
        case ExportCell::Kind::Text: {
            const QByteArray text = cell.text.toUtf8();
            check(xlsx().writeString(sheet_, row_, col, text.constData(), nullptr), "write text");
            return;
        }
        case ExportCell::Kind::Number:
            check(xlsx().writeNumber(sheet_, row_, col, cell.number, numberFormat(cell.decimals)),
                  "write number");
            return;
        case ExportCell::Kind::Date:
            if (cell.date.year() < 1900 || cell.date.year() > 9999) {
                // Spreadsheet dates start in 1900; earlier ones are kept as text.
                const QByteArray text = cell.toText().toUtf8();
                check(xlsx().writeString(sheet_, row_, col, text.constData(), nullptr),
                      "write date");
                return;
            } else {
                lxw_datetime value = {
                    cell.date.year(), cell.date.month(), cell.date.day(), 0, 0, 0};
                check(xlsx().writeDatetime(sheet_, row_, col, &value, dateFormat_), "write date");
            }
            return;
        case ExportCell::Kind::Time: {
            const double seconds = cell.time.msecsSinceStartOfDay() / 1000.0;
            check(xlsx().writeNumber(sheet_, row_, col, seconds / 86400.0, timeFormat_),
                  "write time");
            return;
        }
        case ExportCell::Kind::Boolean:
            check(xlsx().writeBoolean(sheet_, row_, col, cell.boolean ? 1 : 0, nullptr),
                  "write Boolean");
            return;
    }
}

void SpreadsheetFormat::writeRow(const QList<ExportCell>& cells) {
    if (row_ >= rowLimit) {
        throw ExportError(ExportErrorCode::ValueRejected,
                          exportMessage(path_, QStringLiteral("more than %1 rows do not fit a "
                                                              "worksheet")
                                                   .arg(rowLimit - 1)));
    }
    for (int column = 0; column < cells.size(); ++column) {
        writeCell(column, cells[column]);
    }
    ++row_;
}

void SpreadsheetFormat::finish() {
    lxw_workbook* workbook = workbook_;
    workbook_ = nullptr;
    sheet_ = nullptr;
    numberFormats_.clear();
    const lxw_error error = xlsx().workbookClose(workbook);
    if (error != LXW_NO_ERROR) {
        output_.discard();
        throw ExportError(ExportErrorCode::WriteFailed,
                          exportMessage(path_, QStringLiteral("cannot save the workbook: ") +
                                                   QString::fromUtf8(xlsx().strerror(error))));
    }
    output_.commit();
}

void SpreadsheetFormat::discard() noexcept {
    if (workbook_) {
        // Closing is the only way to free a workbook; its file is removed right after.
        xlsx().workbookClose(workbook_);
        workbook_ = nullptr;
        sheet_ = nullptr;
        numberFormats_.clear();
    }
    output_.discard();
}

}  // namespace vel
