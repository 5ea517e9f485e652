#pragma once
// DBF output through our xBase layer (dBase III, Windows-1252). Field types from the columns:
// text C, whole numbers and numbers N with the column's width and decimals, dates D, Booleans
// L, times C holding "hh:mm". A number column wider than an N field can be (20) is a C field.
// Field names are the column names upper-cased, with characters other than letters, digits
// and "_" replaced by "_" and cut to 10 characters ("FLD-AHRS" becomes "FLD_AHRS"); a name
// that repeats gets a number at its end. A number that does not fit its field is refused.
#include "platform/transfer/ExportFormat.h"
#include "platform/transfer/TemporaryOutput.h"
#include "platform/xbase/FieldDescriptor.h"
#include "platform/xbase/Table.h"

#include <memory>

namespace vel {

class XbaseFormat : public ExportFormat {
public:
    XbaseFormat() = default;
    ~XbaseFormat() override;

    void begin(const ExportTarget& target, const QList<ExportColumn>& columns) override;
    void writeRow(const QList<ExportCell>& cells) override;
    void finish() override;
    void discard() noexcept override;

    // The field each column becomes (names already made valid and unique).
    static QList<xbase::FieldDescriptor> fieldsFor(const QList<ExportColumn>& columns);

private:
    void check(const xbase::Status& status);
    void assign(int field, const ExportCell& cell);

    TemporaryOutput output_;
    QString path_;
    std::unique_ptr<xbase::Table> table_;
    QList<xbase::FieldDescriptor> fields_;
};

}  // namespace vel
