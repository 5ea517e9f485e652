#include "platform/transfer/ExportRow.h"

#include "platform/transfer/ExportStatus.h"

namespace vel {

ExportRow::ExportRow(const QList<ExportColumn>& columns)
    : columns_(columns), cells_(columns.size()) {}

// Makes the cell of the next column; a value beyond the last column only marks the row.
template <class Make>
ExportRow& ExportRow::put(Make&& make) {
    if (filled_ < cells_.size()) {
        cells_[filled_] = make(columns_[filled_]);
        ++filled_;
    } else {
        overfilled_ = true;
    }
    return *this;
}

ExportRow& ExportRow::text(const QString& value) {
    return put([&](const ExportColumn& column) { return ExportCell::fromText(column, value); });
}

ExportRow& ExportRow::number(double value) {
    return put([&](const ExportColumn& column) { return ExportCell::fromNumber(column, value); });
}

ExportRow& ExportRow::flag(bool value) {
    return put([&](const ExportColumn& column) { return ExportCell::fromFlag(column, value); });
}

ExportRow& ExportRow::date(const QDate& value) {
    return put([&](const ExportColumn& column) { return ExportCell::fromDate(column, value); });
}

ExportRow& ExportRow::time(const QTime& value) {
    return put([&](const ExportColumn& column) { return ExportCell::fromTime(column, value); });
}

const QList<ExportCell>& ExportRow::finished() {
    const bool overfilled = overfilled_;
    const qsizetype filled = filled_;
    filled_ = 0;
    overfilled_ = false;
    if (overfilled || filled != cells_.size()) {
        throw ExportError(ExportErrorCode::BadColumn,
                          QStringLiteral("a row of %1%2 values for %3 columns")
                              .arg(overfilled ? QStringLiteral("more than ") : QString())
                              .arg(filled)
                              .arg(cells_.size()));
    }
    return cells_;
}

}  // namespace vel
